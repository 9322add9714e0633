#include "model/ViewLimits.h"

#include "base/PixelMath.h"
#include "base/Seams.h"

#include <cfloat>
#include <cmath>

long double DefaultPixelsPerMetre() { return seams::ScreenPixelsPerInch() / 0.0254L; }

bool PixelsPerMetreUsable(long double pixelsPerMetre) {
  if (!(std::isfinite(pixelsPerMetre) && pixelsPerMetre > 0))
    return false;
  const long double farthest = static_cast<long double>(DBL_MAX) * 2; // px: any distance
  const long double nearest = 0.001L / pixelsPerMetre;                // m
  return std::isfinite(farthest / pixelsPerMetre) && nearest * nearest > 0;
}

bool ArrowScaleUsable(long double arrowScale, long double pixelsPerMetre) {
  return std::isfinite(arrowScale) && arrowScale > 0 &&
         std::isfinite(static_cast<double>(pixelsPerMetre / arrowScale));
}

bool PixelPositionUsable(long double px) { return std::isfinite(static_cast<double>(px)); }

bool PixelOffsetCentrable(long double offset) { return std::fabs(offset) <= pixel::kLimit / 2; }
