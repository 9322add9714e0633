#pragma once
// Pixel helpers for canvas tests: colours read from an image print as $00BBGGRR when an
// expectation fails, and boxes of changed pixels print as their edges.

#include "display/Canvas.h"

#include <QImage>

#include <algorithm>
#include <iomanip>
#include <ostream>

struct Rgb {
  TColor Value = 0;
  friend bool operator==(const Rgb &, const Rgb &) = default;
};

inline void PrintTo(const Rgb &c, std::ostream *os) {
  *os << "$" << std::hex << std::uppercase << std::setw(8) << std::setfill('0') << c.Value
      << std::dec;
}

inline Rgb PixelAt(const QImage &image, int x, int y) { return {FromQRgb(image.pixel(x, y))}; }

// The smallest box (inclusive edges) holding every pixel that differs from background;
// Left > Right when there is none.
struct PixelBox {
  int Left = 0, Top = 0, Right = -1, Bottom = -1;
  friend bool operator==(const PixelBox &, const PixelBox &) = default;
};

inline void PrintTo(const PixelBox &b, std::ostream *os) {
  *os << "x " << b.Left << ".." << b.Right << ", y " << b.Top << ".." << b.Bottom;
}

inline PixelBox ChangedBox(const QImage &image, TColor background) {
  PixelBox box{image.width(), image.height(), -1, -1};
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (FromQRgb(image.pixel(x, y)) != background) {
        box.Left = std::min(box.Left, x);
        box.Right = std::max(box.Right, x);
        box.Top = std::min(box.Top, y);
        box.Bottom = std::max(box.Bottom, y);
      }
  if (box.Right < 0)
    return {};
  return box;
}

inline int CountColor(const QImage &image, TColor color) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      n += FromQRgb(image.pixel(x, y)) == color ? 1 : 0;
  return n;
}

// A white 32-bit image, the usual device of a test.
inline QImage WhiteImage(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(ToQRgb(0xFFFFFF));
  return image;
}
