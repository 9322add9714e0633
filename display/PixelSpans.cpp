#include "display/PixelSpans.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace raster {
namespace {

constexpr uint32_t kInvertMask = 0x00FFFFFFu;

// In doubled coordinates about the box centre, the pixel column X lies in the ellipse of
// doubled radii a and b at doubled row offset y when X²b² + y²a² <= a²b². Exact in long double
// for any box that fits on a screen; approximate (and harmless) for boxes of 10^9 pixels.
bool Inside(long double x, long double y, long double a, long double b) {
  return x * x * b * b + y * y * a * a <= a * a * b * b;
}

} // namespace

void ApplySpan(const TPixels &pixels, int64_t y, int64_t left, int64_t right, TPixelOp op,
               uint32_t color) {
  if (pixels.Bits == nullptr || y < 0 || y >= pixels.Height)
    return;
  left = std::max<int64_t>(left, 0);
  right = std::min<int64_t>(right, pixels.Width - 1);
  if (left > right)
    return;
  uint32_t *row = pixels.Bits + static_cast<std::ptrdiff_t>(y) * pixels.Stride;
  if (op == TPixelOp::Copy) {
    std::fill(row + left, row + right + 1, color);
  } else {
    for (int64_t x = left; x <= right; ++x)
      row[x] ^= kInvertMask;
  }
}

void ApplyBox(const TPixels &pixels, const TBox &box, TPixelOp op, uint32_t color) {
  if (box.Empty())
    return;
  const int64_t top = std::max<int64_t>(box.Top, 0);
  const int64_t bottom = std::min<int64_t>(box.Bottom, int64_t{pixels.Height} - 1);
  for (int64_t y = top; y <= bottom; ++y)
    ApplySpan(pixels, y, box.Left, box.Right, op, color);
}

void ApplyFrame(const TPixels &pixels, const TBox &outer, const TBox &inner, TPixelOp op,
                uint32_t color) {
  if (outer.Empty())
    return;
  if (inner.Empty()) {
    ApplyBox(pixels, outer, op, color);
    return;
  }
  ApplyBox(pixels, {outer.Left, outer.Top, outer.Right, inner.Top - 1}, op, color);
  ApplyBox(pixels, {outer.Left, inner.Bottom + 1, outer.Right, outer.Bottom}, op, color);
  ApplyBox(pixels, {outer.Left, inner.Top, inner.Left - 1, inner.Bottom}, op, color);
  ApplyBox(pixels, {inner.Right + 1, inner.Top, outer.Right, inner.Bottom}, op, color);
}

bool EllipseRow(const TBox &box, int64_t y, int64_t &left, int64_t &right) {
  if (box.Empty() || y < box.Top || y > box.Bottom)
    return false;
  // Doubled radii are the box's width and height; offsets are doubled too, so that pixel
  // centres at half pixels stay whole numbers.
  const long double a = static_cast<long double>(box.Right - box.Left + 1);
  const long double b = static_cast<long double>(box.Bottom - box.Top + 1);
  const long double dy = static_cast<long double>(2 * y - box.Top - box.Bottom);
  const int64_t parity = (box.Left + box.Right) & 1; // doubled column offsets are all odd or even
  const long double reach = a * std::sqrt(std::max(0.0L, 1.0L - (dy / b) * (dy / b)));
  int64_t dx = static_cast<int64_t>(std::floor(reach));
  if ((dx & 1) != parity)
    --dx;
  while (Inside(static_cast<long double>(dx + 2), dy, a, b))
    dx += 2;
  while (dx > 0 && !Inside(static_cast<long double>(dx), dy, a, b))
    dx -= 2;
  if (dx < 0) // only a column offset of -1/+1 is possible and it is outside
    return false;
  right = (dx + box.Left + box.Right) / 2;
  left = box.Left + box.Right - right;
  return true;
}

TEllipseShape::TEllipseShape(int64_t width, int64_t height) : width_(width), height_(height) {
  rows_.resize(static_cast<size_t>(height));
  const TBox box{0, 0, width - 1, height - 1};
  for (int64_t y = 0; y < height; ++y) {
    TSpan &span = rows_[static_cast<size_t>(y)];
    if (!EllipseRow(box, y, span.Left, span.Right))
      span = {};
  }
}

bool TEllipseShape::Row(const TBox &box, int64_t y, int64_t &left, int64_t &right) const {
  if (y < box.Top || y > box.Bottom)
    return false;
  const TSpan &span = rows_[static_cast<size_t>(y - box.Top)];
  if (span.Left > span.Right)
    return false;
  left = box.Left + span.Left;
  right = box.Left + span.Right;
  return true;
}

std::shared_ptr<const TEllipseShape> EllipseShapeOf(const TBox &box) {
  // Charges need four shapes (a disc and its inside, plain and selected) and test charges two.
  constexpr size_t kShapes = 8;
  constexpr int64_t kLargestSide = 256; // px
  if (box.Empty())
    return nullptr;
  const int64_t width = box.Right - box.Left + 1;
  const int64_t height = box.Bottom - box.Top + 1;
  if (width > kLargestSide || height > kLargestSide)
    return nullptr;
  thread_local std::array<std::shared_ptr<const TEllipseShape>, kShapes> shapes;
  thread_local size_t next = 0;
  for (const auto &shape : shapes)
    if (shape && shape->Width() == width && shape->Height() == height)
      return shape;
  auto &slot = shapes[next];
  next = (next + 1) % kShapes;
  slot = std::make_shared<const TEllipseShape>(width, height);
  return slot;
}

} // namespace raster
