#include "gui/DialogUnits.h"

#include <cstdint>

namespace chainforge {

int AverageCharacterWidth(int advanceOfAlphabet) {
    return (advanceOfAlphabet + 26) / 52;
}

int ScaleDialogUnits(int units, int base, int divisor) {
    const std::int64_t product = static_cast<std::int64_t>(units) * base;
    const std::int64_t half = divisor / 2;
    const std::int64_t rounded =
        product >= 0 ? (product + half) / divisor : (product - half) / divisor;
    return static_cast<int>(rounded);
}

int HorizontalDialogUnitsToPixels(int units, int averageCharacterWidth) {
    return ScaleDialogUnits(units, averageCharacterWidth, 4);
}

int VerticalDialogUnitsToPixels(int units, int characterHeight) {
    return ScaleDialogUnits(units, characterHeight, 8);
}

}  // namespace chainforge
