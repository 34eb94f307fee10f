// Dialog units: control positions given relative to the dialog font, so that
// a layout keeps its proportions under any font. A horizontal unit is a
// quarter of the font's average character width, a vertical unit an eighth
// of its character height.
#pragma once

namespace chainforge {

// The average character width as dialog layouts measure it: the advance of
// the 52 letters A-Z and a-z divided by 52, rounded to the nearest pixel.
int AverageCharacterWidth(int advanceOfAlphabet);

// units * base / divisor, rounded to the nearest integer (halves away from
// zero), computed without overflow.
int ScaleDialogUnits(int units, int base, int divisor);

int HorizontalDialogUnitsToPixels(int units, int averageCharacterWidth);
int VerticalDialogUnitsToPixels(int units, int characterHeight);

}  // namespace chainforge
