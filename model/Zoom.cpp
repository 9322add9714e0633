#include "model/Zoom.h"

#include "model/Scene.h"
#include "model/ViewLimits.h"

#include <cmath>

double ScaledAbout(double corner, int32_t origin, long double f) {
  return static_cast<double>((corner + kChargeHalfSize - origin) * f + origin - kChargeHalfSize);
}

long double PixelsPerMetreAt(const TScene &scene, long double zoom) {
  return std::fabs(zoom - scene.ZoomFactor()) <= kZoomTolerance ? scene.PixelsPerMetre
                                                                : DefaultPixelsPerMetre() * zoom;
}

bool ZoomFits(const TScene &scene, long double zoom) {
  const long double pixelsPerMetre = PixelsPerMetreAt(scene, zoom);
  if (!PixelsPerMetreUsable(pixelsPerMetre) ||
      !ChargesUsable(ChargeExtentOf(scene), pixelsPerMetre))
    return false;
  const long double f = zoom / scene.ZoomFactor();
  for (const auto &charge : scene.Charges)
    if (!PixelPositionUsable(ScaledAbout(charge.X, scene.Origin.X, f)) ||
        !PixelPositionUsable(ScaledAbout(charge.Y, scene.Origin.Y, f)))
      return false;
  return true;
}

TChargeExtent ChargeExtentOf(const TScene &scene, int changed, long double value, bool isSource) {
  TChargeExtent extent;
  for (int i = 0; i < scene.Charges.Count(); ++i) {
    const TPointCharge &charge = scene.Charges[i];
    if (i == changed)
      extent.Include(value, isSource);
    else
      extent.Include(charge.ChargeValue, charge.IsSource());
  }
  return extent;
}
