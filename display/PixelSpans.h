#pragma once
// Filled areas of the canvas, row by row on a 32-bit pixel buffer: boxes and ellipses. Each
// pixel of a box or an ellipse row is visited once, so that inverting twice restores.

#include "display/LineRasterizer.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace raster {

// A pixel box with inclusive edges; empty when Left > Right or Top > Bottom.
struct TBox {
  int64_t Left = 0;
  int64_t Top = 0;
  int64_t Right = -1;
  int64_t Bottom = -1;
  bool Empty() const { return Left > Right || Top > Bottom; }
  // The box grown by n pixels on every side (shrunk for negative n).
  TBox Grown(int64_t n) const { return {Left - n, Top - n, Right + n, Bottom + n}; }
};

// Applies op to the pixels left..right of row y, clipped to the buffer.
void ApplySpan(const TPixels &pixels, int64_t y, int64_t left, int64_t right, TPixelOp op,
               uint32_t color);
// Applies op to every pixel of box, clipped to the buffer.
void ApplyBox(const TPixels &pixels, const TBox &box, TPixelOp op, uint32_t color);
// Applies op once to every pixel of the frame between outer and inner (inner may be empty).
void ApplyFrame(const TPixels &pixels, const TBox &outer, const TBox &inner, TPixelOp op,
                uint32_t color);

// Row y of the ellipse inscribed in box: the pixels whose centres lie inside or on it, as
// left..right. False when y is outside the box (or the box is empty).
bool EllipseRow(const TBox &box, int64_t y, int64_t &left, int64_t &right);

// The rows of the ellipse inscribed in every box of one size, worked out once: EllipseRow
// depends only on the box's size, not on where it lies, so a disc drawn thousands of times a
// frame costs one table and then a look-up per row.
class TEllipseShape {
public:
  // For boxes of width by height pixels (both at least 1).
  TEllipseShape(int64_t width, int64_t height);
  // EllipseRow of box (which has this shape's size) at row y.
  bool Row(const TBox &box, int64_t y, int64_t &left, int64_t &right) const;
  int64_t Width() const { return width_; }
  int64_t Height() const { return height_; }

private:
  struct TSpan {
    int64_t Left = 0; // px from the box's left edge
    int64_t Right = -1;
  };
  int64_t width_;
  int64_t height_;
  std::vector<TSpan> rows_;
};

// The shape of box from a small cache of this thread; null for an empty box or one too large
// to be worth a table (such boxes go through EllipseRow).
std::shared_ptr<const TEllipseShape> EllipseShapeOf(const TBox &box);

} // namespace raster
