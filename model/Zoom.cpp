#include "model/Zoom.h"

#include "base/PixelMath.h"
#include "model/Scene.h"
#include "model/ViewLimits.h"

#include <cmath>

std::optional<long double> NextZoomStep(long double zoom, int direction) {
  if (direction > 0) {
    for (const int percent : kZoomStepPercents)
      if (ZoomStepFactor(percent) > zoom + kZoomTolerance)
        return ZoomStepFactor(percent);
  } else if (direction < 0) {
    for (auto it = kZoomStepPercents.rbegin(); it != kZoomStepPercents.rend(); ++it)
      if (ZoomStepFactor(*it) < zoom - kZoomTolerance)
        return ZoomStepFactor(*it);
  }
  return std::nullopt;
}

bool OriginUsable(long double x, long double y) {
  return std::fabs(x) <= pixel::kLimit && std::fabs(y) <= pixel::kLimit;
}

std::optional<TPoint> OriginZoomedAbout(const TScene &scene, long double zoom, TPoint pivot) {
  // The factor TScene::SetZoomFactor scales the charges by.
  const long double f = zoom / scene.ZoomFactor();
  const long double x = pivot.X + (static_cast<long double>(scene.Origin.X) - pivot.X) * f;
  const long double y = pivot.Y + (static_cast<long double>(scene.Origin.Y) - pivot.Y) * f;
  if (!OriginUsable(x, y))
    return std::nullopt;
  return TPoint{pixel::Round(x), pixel::Round(y)};
}

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
