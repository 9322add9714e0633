#include "model/Zoom.h"

#include "model/Document.h"
#include "model/ViewLimits.h"

#include <cmath>

double ScaledAbout(double corner, int32_t origin, long double f) {
  return static_cast<double>((corner + kChargeHalfSize - origin) * f + origin - kChargeHalfSize);
}

long double PixelsPerMetreAt(const TDocument &document, long double zoom) {
  return std::fabs(zoom - document.ZoomFactor()) <= kZoomTolerance ? document.PixelsPerMetre
                                                                   : DefaultPixelsPerMetre() * zoom;
}

bool ZoomFits(const TDocument &document, long double zoom) {
  const long double pixelsPerMetre = PixelsPerMetreAt(document, zoom);
  if (!PixelsPerMetreUsable(pixelsPerMetre) ||
      !ChargesUsable(ChargeExtentOf(document), pixelsPerMetre))
    return false;
  const long double f = zoom / document.ZoomFactor();
  for (const auto &charge : document.Charges)
    if (!PixelPositionUsable(ScaledAbout(charge->X, document.Origin.X, f)) ||
        !PixelPositionUsable(ScaledAbout(charge->Y, document.Origin.Y, f)))
      return false;
  return true;
}

TChargeExtent ChargeExtentOf(const TDocument &document, const TPointCharge *changed,
                             long double value, bool isSource) {
  TChargeExtent extent;
  for (const auto &charge : document.Charges) {
    if (charge.get() == changed)
      extent.Include(value, isSource);
    else
      extent.Include(charge->ChargeValue, charge->IsSource());
  }
  return extent;
}
