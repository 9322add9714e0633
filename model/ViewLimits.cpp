#include "model/ViewLimits.h"

#include "base/PixelMath.h"
#include "base/Seams.h"
#include "model/Field.h"

#include <algorithm>
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

void TChargeExtent::Include(long double chargeValue, bool isSource) {
  const long double magnitude = std::fabs(chargeValue);
  if (isSource)
    SourceSum += magnitude;
  Largest = std::max(Largest, magnitude);
}

bool ChargesUsable(const TChargeExtent &charges, long double pixelsPerMetre) {
  // The worst case: every source at the nearest distance that counts, acting on the largest
  // charge (or on 1 C, a field strength); 1/1024 of the double's range leaves room for the
  // sums and differences made of these values (voltages, level steps).
  constexpr long double kLargest = static_cast<long double>(DBL_MAX) / 1024;
  const long double nearest = kForceExclusionRadius / pixelsPerMetre; // m
  const long double field = kCoulomb * charges.SourceSum / (nearest * nearest);
  const long double potential = kCoulomb * charges.SourceSum / nearest;
  return std::isfinite(charges.SourceSum) && field * std::max(1.0L, charges.Largest) <= kLargest &&
         potential <= kLargest;
}
