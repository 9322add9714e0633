#include "display/LineRasterizer.h"

#include <algorithm>
#include <cstdlib>

namespace raster {
namespace {

// Exact arithmetic for the clip bounds: 2 * major * minor reaches 2^65 for lines across the
// whole 32-bit range.
using Wide = __int128;

int64_t CeilDiv(Wide num, Wide den) { return static_cast<int64_t>((num + den - 1) / den); }

constexpr uint32_t kInvertMask = 0x00FFFFFFu;

// Visits the planned pixels; Plot is called once per pixel, in line order.
template <class Plot>
void Walk(const TLinePlan &plan, uint32_t *p, std::ptrdiff_t majorStep, std::ptrdiff_t minorStep,
          Plot plot) {
  int64_t error = plan.Error;
  for (int64_t k = 0;;) {
    plot(p);
    if (++k == plan.Count)
      break;
    p += majorStep;
    error += plan.TwoMinor;
    if (error >= plan.TwoMajor) {
      error -= plan.TwoMajor;
      p += minorStep;
    }
  }
}

} // namespace

TLinePlan PlanLine(int32_t width, int32_t height, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                   bool includeEnd) {
  TLinePlan plan;
  const int64_t dx = int64_t{x1} - x0;
  const int64_t dy = int64_t{y1} - y0;
  const int64_t adx = std::llabs(dx);
  const int64_t ady = std::llabs(dy);
  plan.XMajor = adx >= ady;
  const int64_t major = std::max(adx, ady);
  const int64_t minor = std::min(adx, ady);
  const int64_t last = includeEnd ? major : major - 1;
  plan.Length = last + 1;
  if (last < 0 || width <= 0 || height <= 0)
    return plan;
  // Most segments of a field line that leaves the view end here.
  if (std::max(x0, x1) < 0 || std::min(x0, x1) >= width || std::max(y0, y1) < 0 ||
      std::min(y0, y1) >= height)
    return plan;
  if (major == 0) { // a single pixel, inside by the test above
    plan.Count = 1;
    plan.X = x0;
    plan.Y = y0;
    return plan;
  }
  plan.MajorSign = (plan.XMajor ? dx : dy) < 0 ? -1 : 1;
  plan.MinorSign = (plan.XMajor ? dy : dx) < 0 ? -1 : 1;
  // Wholly on the device, as most segments are: nothing to clip, the error starts at major.
  if (std::min(x0, x1) >= 0 && std::max(x0, x1) < width && std::min(y0, y1) >= 0 &&
      std::max(y0, y1) < height) {
    plan.Count = last + 1;
    plan.X = x0;
    plan.Y = y0;
    plan.Error = major;
    plan.TwoMajor = 2 * major;
    plan.TwoMinor = 2 * minor;
    return plan;
  }

  const int64_t u0 = plan.XMajor ? x0 : y0;
  const int64_t v0 = plan.XMajor ? y0 : x0;
  const int64_t uSize = plan.XMajor ? width : height;
  const int64_t vSize = plan.XMajor ? height : width;

  // Steps whose major coordinate lies on the device.
  int64_t iLo = 0;
  int64_t iHi = last;
  if (plan.MajorSign > 0) {
    iLo = std::max(iLo, -u0);
    iHi = std::min(iHi, uSize - 1 - u0);
  } else {
    iLo = std::max(iLo, u0 - (uSize - 1));
    iHi = std::min(iHi, u0);
  }
  // Minor offsets q (0..minor) that lie on the device.
  int64_t qLo = plan.MinorSign > 0 ? -v0 : v0 - (vSize - 1);
  int64_t qHi = plan.MinorSign > 0 ? vSize - 1 - v0 : v0;
  qLo = std::max<int64_t>(qLo, 0);
  qHi = std::min(qHi, minor);
  if (iLo > iHi || qLo > qHi)
    return plan;

  // q(i) = floor((2 i minor + major) / (2 major)); turn the q range into a step range.
  const Wide twoMajor = Wide{2} * major;
  const Wide twoMinor = Wide{2} * minor;
  if (minor > 0) {
    if (qLo > 0)
      iLo = std::max(iLo, CeilDiv(twoMajor * qLo - major, twoMinor));
    if (qHi < minor)
      iHi = std::min(iHi, CeilDiv(twoMajor * (qHi + 1) - major, twoMinor) - 1);
    if (iLo > iHi)
      return plan;
  }

  const Wide numerator = twoMinor * iLo + major;
  const int64_t q = static_cast<int64_t>(numerator / twoMajor);
  const int64_t u = u0 + plan.MajorSign * iLo;
  const int64_t v = v0 + plan.MinorSign * q;
  plan.First = iLo;
  plan.Count = iHi - iLo + 1;
  plan.X = static_cast<int32_t>(plan.XMajor ? u : v);
  plan.Y = static_cast<int32_t>(plan.XMajor ? v : u);
  plan.Error = static_cast<int64_t>(numerator % twoMajor);
  plan.TwoMajor = static_cast<int64_t>(twoMajor);
  plan.TwoMinor = static_cast<int64_t>(twoMinor);
  return plan;
}

void PlotLine(const TPixels &pixels, const TLinePlan &plan, const TLineStyle &style,
              int dashPhase) {
  if (plan.Count <= 0 || pixels.Bits == nullptr)
    return;
  const std::ptrdiff_t majorStep = plan.XMajor ? plan.MajorSign : plan.MajorSign * pixels.Stride;
  const std::ptrdiff_t minorStep = plan.XMajor ? plan.MinorSign * pixels.Stride : plan.MinorSign;
  uint32_t *start = pixels.Bits + static_cast<std::ptrdiff_t>(plan.Y) * pixels.Stride + plan.X;
  const bool invert = style.Op == TPixelOp::Invert;
  const uint32_t color = style.Color;

  if (!style.Dashed) {
    if (invert)
      Walk(plan, start, majorStep, minorStep, [](uint32_t *p) { *p ^= kInvertMask; });
    else
      Walk(plan, start, majorStep, minorStep, [color](uint32_t *p) { *p = color; });
    return;
  }

  int phase = AdvanceDash(dashPhase, plan.First);
  const bool gaps = style.OpaqueGaps;
  const uint32_t gapColor = style.GapColor;
  Walk(plan, start, majorStep, minorStep, [&](uint32_t *p) {
    if (phase < kDashOn || gaps) {
      if (invert)
        *p ^= kInvertMask;
      else
        *p = phase < kDashOn ? color : gapColor;
    }
    if (++phase == kDashPeriod)
      phase = 0;
  });
}

int64_t PlotLineOnPixels(const TPixels &pixels, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                         const TLineStyle &style) {
  const int dx = x1 - x0;
  const int dy = y1 - y0;
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int major = std::max(std::abs(dx), std::abs(dy));
  const int minor = std::min(std::abs(dx), std::abs(dy));
  const std::ptrdiff_t xStep = dx < 0 ? -1 : 1;
  const std::ptrdiff_t yStep = dy < 0 ? -pixels.Stride : pixels.Stride;
  const std::ptrdiff_t majorStep = xMajor ? xStep : yStep;
  const std::ptrdiff_t minorStep = xMajor ? yStep : xStep;
  uint32_t *p = pixels.Bits + static_cast<std::ptrdiff_t>(y0) * pixels.Stride + x0;
  const bool invert = style.Op == TPixelOp::Invert;
  // The error of a plan that starts at step 0; without branches, which short segments in
  // every direction would mispredict.
  int error = major;
  for (int k = 0; k < major; ++k) {
    if (invert)
      *p ^= kInvertMask;
    else
      *p = style.Color;
    error += 2 * minor;
    const bool across = error >= 2 * major;
    error -= across ? 2 * major : 0;
    p += majorStep + (across ? minorStep : 0);
  }
  return major;
}

} // namespace raster
