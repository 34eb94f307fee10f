#include "gui/DialogGeometry.h"

#include <QFontMetrics>
#include <QScreen>
#include <algorithm>

#include "gui/DialogUnits.h"
#include "gui/LayoutAnchors.h"

namespace chainforge {
namespace {

constexpr int kBesideGap = 8;

AnchorRect Anchored(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

}  // namespace

QRect MapDialogRect(const QWidget& dialog, int x, int y, int width, int height) {
    const QFontMetrics metrics(dialog.font());
    const int averageWidth = AverageCharacterWidth(metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")));
    const int characterHeight = metrics.height();
    return {HorizontalDialogUnitsToPixels(x, averageWidth),
            VerticalDialogUnitsToPixels(y, characterHeight),
            HorizontalDialogUnitsToPixels(width, averageWidth),
            VerticalDialogUnitsToPixels(height, characterHeight)};
}

// A window not yet shown has no frame; the owner's stands in for it.
void PlaceBesideOwner(QWidget& window, const QWidget& owner) {
    const QRect area = owner.screen()->availableGeometry();
    const QSize frame = owner.frameGeometry().size() - owner.size();
    window.resize(std::min(window.width(), area.width() - frame.width()),
                  std::min(window.height(), area.height() - frame.height()));
    const AnchorRect placed =
        PlaceBeside(Anchored(owner.frameGeometry()), window.width() + frame.width(),
                    window.height() + frame.height(), Anchored(area), kBesideGap);
    window.move(placed.left, placed.top);
}

}  // namespace chainforge
