#include "model/Field.h"

#include "model/Scene.h"

#include <cmath>
#include <limits>

void ForceAt(const TScene &scene, TVector &force, long double x, long double y, long double q) {
  force = {};
  TVector part;
  for (const auto &c : scene.Charges) {
    if (!c.IsSource())
      continue;
    const long double cx = c.CenterX();
    const long double cy = c.CenterY();
    const long double dx = x - cx;
    const long double dy = y - cy;
    if (std::sqrt(dx * dx + dy * dy) <= kForceExclusionRadius)
      continue;
    const long double mx = dx / scene.PixelsPerMetre;
    const long double my = dy / scene.PixelsPerMetre;
    const long double r2 = mx * mx + my * my;
    const long double magnitude = std::fabs(c.ChargeValue) * kCoulomb * std::fabs(q) / r2;
    long double angle = PolarAngle(dx, dy);
    if (c.ChargeValue * q < 0)
      angle += kPi;
    part.SetPolar(static_cast<double>(angle), static_cast<double>(magnitude));
    force.Add(part);
  }
}

long double ForceMagnitudeSum(const TScene &scene, long double x, long double y, long double q) {
  long double sum = 0;
  for (const auto &c : scene.Charges) {
    if (!c.IsSource())
      continue;
    const long double dx = x - c.CenterX();
    const long double dy = y - c.CenterY();
    if (std::sqrt(dx * dx + dy * dy) <= kForceExclusionRadius)
      continue;
    const long double mx = dx / scene.PixelsPerMetre;
    const long double my = dy / scene.PixelsPerMetre;
    sum += std::fabs(c.ChargeValue) * kCoulomb * std::fabs(q) / (mx * mx + my * my);
  }
  return sum;
}

namespace {

// The sum over the sources of charge(q) / (4 pi eps0 r), infinite at a source's place.
template <class Charge>
long double SumOverSources(const TScene &scene, long double x, long double y, Charge charge) {
  long double sum = 0;
  for (const auto &c : scene.Charges) {
    if (!c.IsSource())
      continue;
    const long double dx = x - c.X;
    const long double dy = y - c.Y;
    const long double r = std::sqrt(dx * dx + dy * dy) / scene.PixelsPerMetre;
    if (r == 0)
      return std::numeric_limits<long double>::infinity();
    sum += charge(c.ChargeValue) / (kFourPiEpsilon0 * r);
  }
  return sum;
}

} // namespace

long double PotentialAt(const TScene &scene, long double x, long double y) {
  return SumOverSources(scene, x, y, [](long double q) { return q; });
}

long double PotentialMagnitudeSum(const TScene &scene, long double x, long double y) {
  return SumOverSources(scene, x, y, [](long double q) { return std::fabs(q); });
}
