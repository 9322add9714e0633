#include "model/Zoom.h"

#include "model/Document.h"
#include "model/ViewLimits.h"

#include <cmath>
#include <cstdint>

namespace {

// Centres are 10 px from the sprite's corner; the corner itself is not scaled.
double Scaled(double corner, int32_t origin, long double f) {
  return static_cast<double>((corner + 10 - origin) * f + origin - 10);
}

} // namespace

long double PixelsPerMetreAt(long double zoom) {
  return std::fabs(zoom - ZoomFactor()) <= kZoomTolerance ? PixelsPerMetre
                                                          : DefaultPixelsPerMetre() * zoom;
}

bool ZoomFits(long double zoom) {
  if (!PixelsPerMetreUsable(PixelsPerMetreAt(zoom)))
    return false;
  const long double f = zoom / ZoomFactor();
  for (const auto &charge : Charges)
    if (!PixelPositionUsable(Scaled(charge->X, Origin.X, f)) ||
        !PixelPositionUsable(Scaled(charge->Y, Origin.Y, f)))
      return false;
  return true;
}

bool SetZoomFactor(long double zoom) {
  const long double current = ZoomFactor();
  if (std::fabs(zoom - current) <= kZoomTolerance)
    return false;
  PixelsPerMetre = DefaultPixelsPerMetre() * zoom;
  const long double f = zoom / current;
  for (const auto &charge : Charges) {
    charge->X = Scaled(charge->X, Origin.X, f);
    charge->Y = Scaled(charge->Y, Origin.Y, f);
  }
  return true;
}
