#pragma once
// Colour texts of the colour combo box: "$" followed by the hexadecimal value of a $00BBGGRR
// colour, and the reading of such texts back as integers.

#include "display/Canvas.h"

#include <QString>

// "$" + the value in upper-case hexadecimal, at least six digits: $0000FF, $80000005.
QString ColorToText(TColor color);

// Reads a text as a signed 32-bit integer, the way the colour list has always been read:
// an optional sign, then either "$" with up to eight significant hexadecimal digits (any
// case; $FFFFFFFF is -1) or decimal digits within the 32-bit range. Anything else raises
// EConvertError "'<text>' ist kein gültiger Integerwert".
TColor ColorTextToInt(const QString &text);

// The text colour that stands out on a swatch: each of the three colour bytes inverted, but
// white instead of $7F7F7F, which would vanish on mid grey ($808080).
TColor ContrastColor(TColor value);
