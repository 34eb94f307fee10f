#include "gui/IconButton.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <algorithm>

namespace chainforge {
namespace {

// Half of an extent, rounded down also when the extent is negative (an icon
// larger than the button).
int HalfDown(int extent) {
    return extent >= 0 ? extent / 2 : (extent - 1) / 2;
}

}  // namespace

CIconButton::CIconButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

bool CIconButton::SetIcon(const QIcon& icon, int width, int height) {
    if (icon.isNull()) {
        return false;
    }
    icon_ = icon;
    iconWidth_ = width;
    iconHeight_ = height;
    update();
    return true;
}

QPoint CIconButton::IconPosition() const {
    const int x = text().isEmpty() ? HalfDown(width() - iconWidth_) : kMargin;
    return {x, HalfDown(height() - iconHeight_)};
}

QPoint CIconButton::CaptionPosition() const {
    const int captionWidth = CaptionWidth();
    int x = 0;
    if (HasIcon()) {
        const int room = std::max(0, width() - kMargin - iconWidth_ - kGap - captionWidth);
        x = kMargin + iconWidth_ + kGap + room / 2;
    } else {
        x = HalfDown(width() - captionWidth);
    }
    // Raised by one pixel: centred text looks low above the descenders.
    return {x, HalfDown(height() - fontMetrics().height()) - 1};
}

void CIconButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPoint offset(PressedOffset(), PressedOffset());
    DrawFrame(painter);
    if (HasIcon()) {
        DrawIcon(painter, offset);
    }
    DrawCaption(painter, offset);
    DrawFocus(painter);
}

int CIconButton::CaptionWidth() const {
    return fontMetrics().size(Qt::TextShowMnemonic, text()).width();
}

int CIconButton::MnemonicFlag() const {
    QStyleOptionButton option;
    option.initFrom(this);
    return style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this) ? Qt::TextShowMnemonic
                                                                           : Qt::TextHideMnemonic;
}

void CIconButton::DrawFrame(QPainter& painter) const {
    QStyleOptionButton option;
    initStyleOption(&option);
    // The focus rectangle is drawn on its own, inset from the frame.
    option.state &= ~QStyle::State_HasFocus;
    option.text.clear();
    option.icon = QIcon();
    style()->drawControl(QStyle::CE_PushButtonBevel, &option, &painter, this);
}

void CIconButton::DrawIcon(QPainter& painter, QPoint offset) const {
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    const QSize size(iconWidth_, iconHeight_);
    const QPixmap picture = icon_.pixmap(size, devicePixelRatioF(), mode);
    painter.drawPixmap(QRect(IconPosition() + offset, size), picture);
}

void CIconButton::DrawCaption(QPainter& painter, QPoint offset) const {
    const QRect area(CaptionPosition() + offset, QSize(CaptionWidth(), fontMetrics().height()));
    style()->drawItemText(&painter, area, Qt::AlignLeft | Qt::AlignTop | MnemonicFlag(), palette(),
                          isEnabled(), text(), QPalette::ButtonText);
}

void CIconButton::DrawFocus(QPainter& painter) const {
    if (!isEnabled() || !hasFocus()) {
        return;
    }
    const int inset = std::min(3, std::min(width(), height()) / 4);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect().adjusted(inset, inset, -inset, -inset);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

}  // namespace chainforge
