#include "model/Zoom.h"

#include "model/Document.h"
#include "model/Seams.h"

#include <cmath>

bool SetZoomFactor(long double zoom) {
  const long double current = ZoomFactor();
  if (std::fabs(zoom - current) <= kZoomTolerance)
    return false;
  PixelsPerMetre = seams::ScreenPixelsPerInch() / 0.0254L * zoom;
  const long double f = zoom / current;
  for (const auto &charge : Charges) {
    // Centres are 10 px from the sprite's corner; the corner itself is not scaled.
    charge->X = static_cast<double>((charge->X + 10 - Origin.X) * f + Origin.X - 10);
    charge->Y = static_cast<double>((charge->Y + 10 - Origin.Y) * f + Origin.Y - 10);
  }
  return true;
}
