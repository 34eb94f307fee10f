#include "gui/DialogGeometry.h"

#include <QFontMetrics>

#include "gui/DialogUnits.h"

namespace chainforge {

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

}  // namespace chainforge
