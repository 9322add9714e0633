#pragma once
// The painted header of the about dialog: a light-blue to white to light-blue gradient, the
// logo filtered into it, the program icon in a frame, and three lines of text (title in bold,
// version, development period).

#include "display/Canvas.h"

#include <QImage>
#include <QString>

#include <cstdint>

// Each colour byte c1 + (c2 - c1) * pos / max, the division truncating towards zero: pos 0
// gives c1, pos max gives c2. Bytes are clamped to 0..255 for pos outside 0..max; max 0 gives c2.
TColor BlendColor(TColor c1, TColor c2, int32_t pos, int32_t max);

struct TInfoHeader {
  QString AppTitle;
  QString DevTime;
  QString Version;
  QImage Icon;     // drawn at its own size; a null icon leaves a 32-pixel gap
  QImage Logo;     // combined with the gradient by AND: white leaves it, black is black
  TColor Face = 0; // the window face colour: the icon frame
  TFont Font;      // the dialog's font in the window text colour
};

inline constexpr TColor HeaderBlue = 0xFFA04A;

// Paints the header over the whole image (435 by 65 in the dialog); the image must be 32-bit.
void PaintInfoHeader(QImage &image, const TInfoHeader &header);
