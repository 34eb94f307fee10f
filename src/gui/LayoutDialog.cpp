#include "gui/LayoutDialog.h"

#include <QResizeEvent>

namespace chainforge {
namespace {

AnchorRect ToAnchorRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

QRect ToQRect(const AnchorRect& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

CLayoutDialog::CLayoutDialog(QWidget* parent) : QDialog(parent) {}

void CLayoutDialog::InitLayout() {
    reference_ = size();
    ApplyMinimumSize();
    CreateSizeGrip();
    AddAnchor(sizeGrip_, Move, Move, true);
}

void CLayoutDialog::ApplyMinimumSize() {
    setMinimumSize(reference_);
    if (!resizableX_) {
        setMaximumWidth(reference_.width());
    }
    if (!resizableY_) {
        setMaximumHeight(reference_.height());
    }
}

void CLayoutDialog::CreateSizeGrip() {
    sizeGrip_ = new QSizeGrip(this);
    sizeGrip_->setObjectName(QStringLiteral("sizeGrip"));
    const QSize grip = sizeGrip_->sizeHint();
    sizeGrip_->setGeometry(QRect(QPoint(width() - grip.width(), height() - grip.height()), grip));
    sizeGrip_->show();
}

void CLayoutDialog::AddAnchor(QWidget* control, AnchorMode horizontal, AnchorMode vertical,
                              bool excludeFromErase) {
    const AnchorRect rect = ToAnchorRect(control->geometry());
    const AnchorModes modes{
        horizontal, vertical, {rect.left, reference_.width()}, {rect.top, reference_.height()}};
    layout_.push_back({control, modes, rect, excludeFromErase});
}

void CLayoutDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (layout_.empty()) {
        return;
    }
    LayoutControls();
    reference_ = size();
}

// Updates are held back while the controls move, so that the window shows
// them all in their new places at once.
void CLayoutDialog::LayoutControls() {
    const bool updating = updatesEnabled();
    setUpdatesEnabled(false);
    for (LayoutEntry& entry : layout_) {
        const AnchorRect moved = AnchorRectangle(entry.rect, entry.modes, reference_.width(),
                                                 reference_.height(), width(), height());
        if (moved == entry.rect || entry.control.isNull()) {
            continue;
        }
        entry.control->setGeometry(ToQRect(moved));
        entry.rect = moved;
    }
    setUpdatesEnabled(updating);
}

}  // namespace chainforge
