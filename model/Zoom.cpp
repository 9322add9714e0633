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
  if (!PixelsPerMetreUsable(PixelsPerMetreAt(document, zoom)))
    return false;
  const long double f = zoom / document.ZoomFactor();
  for (const auto &charge : document.Charges)
    if (!PixelPositionUsable(ScaledAbout(charge->X, document.Origin.X, f)) ||
        !PixelPositionUsable(ScaledAbout(charge->Y, document.Origin.Y, f)))
      return false;
  return true;
}
