#pragma once
// Our own one-pixel line rasteriser. The pixels of a line depend only on its two end points,
// never on the clip: the line is clipped in its own step space, so a line that runs far off
// the device (coordinates up to the 32-bit range) sets exactly the visible part of the
// pixels it would set on an unbounded device, and a line wholly off the device costs a few
// comparisons.
//
// Rule: the major axis is the longer of |dx| and |dy| (x on a tie); step i (0, 1, ...) sets
// the pixel at major offset i and minor offset round(i * minor / major), exact halves rounded
// towards the end point. A line of major length D sets D pixels without its end point.

#include <cstddef>
#include <cstdint>

namespace raster {

// psDash: 18 pixels on, 6 off. The phase runs on across consecutive LineTo calls, so a
// polyline is dashed as one line, and starts afresh at MoveTo.
inline constexpr int kDashOn = 18;
inline constexpr int kDashPeriod = 24;

// A 32-bit pixel buffer, rows Stride pixels apart.
struct TPixels {
  uint32_t *Bits = nullptr;
  std::ptrdiff_t Stride = 0;
  int32_t Width = 0;
  int32_t Height = 0;
};

// The visible run of one line: where it starts on the device and how it steps.
struct TLinePlan {
  int64_t Length = 0; // pixels of the whole line, visible or not (dash bookkeeping)
  int64_t First = 0;  // step index of the first visible pixel
  int64_t Count = 0;  // visible pixels; 0 when the line misses the device
  int32_t X = 0;      // first visible pixel
  int32_t Y = 0;
  bool XMajor = true;
  int32_t MajorSign = 1;
  int32_t MinorSign = 1;
  int64_t Error = 0; // numerator remainder at the first visible pixel, 0 <= Error < TwoMajor
  int64_t TwoMajor = 1;
  int64_t TwoMinor = 0;
};

// Plans the line from (x0, y0) to (x1, y1) on a width-by-height device; the end pixel is
// included only when includeEnd (a zero-length line then sets its one pixel).
TLinePlan PlanLine(int32_t width, int32_t height, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                   bool includeEnd);

enum class TPixelOp { Copy, Invert };

struct TLineStyle {
  TPixelOp Op = TPixelOp::Copy;
  uint32_t Color = 0; // QRgb of the pen (Copy)
  bool Dashed = false;
  // Gaps of a dashed line: painted (GapColor, or inverted with Invert) or left untouched.
  bool OpaqueGaps = false;
  uint32_t GapColor = 0; // QRgb of the brush
};

// Sets the visible pixels of plan. dashPhase is the pattern position of the line's step 0.
void PlotLine(const TPixels &pixels, const TLinePlan &plan, const TLineStyle &style, int dashPhase);

// The pixels of PlanLine (without the end pixel) and then PlotLine for a solid style, for
// a line whose ends both lie on pixels, stepped without a plan; returns the line's length.
// The cheap way for the many short segments of a curve.
int64_t PlotLineOnPixels(const TPixels &pixels, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                         const TLineStyle &style);

// The dash position after a line of length pixels that started at phase.
inline int AdvanceDash(int phase, int64_t length) {
  return static_cast<int>((phase + length % kDashPeriod) % kDashPeriod);
}

} // namespace raster
