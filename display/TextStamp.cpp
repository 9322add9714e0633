#include "display/TextStamp.h"

#include <algorithm>
#include <cstdint>

namespace {

// Room round the cell for the glyphs' edges.
constexpr int kMargin = 4;

// x * a / 255, rounded, as the painter blends premultiplied colours.
uint32_t Scale(uint32_t x, uint32_t a) {
  const uint32_t t = x * a;
  return (t + (t >> 8) + 128) >> 8;
}

} // namespace

TTextStamp::TTextStamp(const TCanvas &canvas, const QString &text) : text_(text) {
  TCanvas drawing(canvas);
  width_ = drawing.TextWidth(text);
  height_ = drawing.TextHeight(text);
  sprite_ =
      QImage(width_ + 2 * kMargin, height_ + 2 * kMargin, QImage::Format_ARGB32_Premultiplied);
  if (sprite_.isNull())
    return;
  sprite_.fill(Qt::transparent);
  drawing.SetDevice(&sprite_);
  drawing.TextOut(kMargin, kMargin, text);
}

void TTextStamp::Put(QImage &image, int x, int y) const {
  const int left = x - kMargin;
  const int top = y - kMargin;
  const int x0 = std::max(left, 0);
  const int x1 = std::min(left + sprite_.width(), image.width());
  for (int row = std::max(top, 0); row < std::min(top + sprite_.height(), image.height()); ++row) {
    const auto *source = reinterpret_cast<const QRgb *>(sprite_.constScanLine(row - top));
    auto *target = reinterpret_cast<QRgb *>(image.scanLine(row));
    for (int column = x0; column < x1; ++column) {
      const QRgb s = source[column - left];
      const uint32_t alpha = qAlpha(s);
      if (alpha == 255) {
        target[column] = s;
      } else if (alpha != 0) {
        const QRgb d = target[column];
        const uint32_t keep = 255 - alpha;
        target[column] = qRgba(qRed(s) + Scale(qRed(d), keep), qGreen(s) + Scale(qGreen(d), keep),
                               qBlue(s) + Scale(qBlue(d), keep), 255);
      }
    }
  }
}
