#include "model/LineEscape.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The outward bound must clear the rounding of the traced force (relative 1e-16 of A) by
// far, so that a computed step points outwards wherever the exact one does.
constexpr double kOutwardMargin = 1e-6;
// The farthest the bounds are used: at rho / r = 0.9 they are loose, and a cone that turns
// by more than a right angle is no longer convex.
constexpr double kLargestRatio = 0.9;
constexpr double kLargestTurn = 1.5;

double Cube(double v) { return v * v * v; }

} // namespace

TLineEscape::TLineEscape(const std::vector<Source> &sources, TSize surface, double step)
    : step_(step) {
  // A step may draw up to a step and the rounding of both ends away from its points.
  const double margin = step + 4;
  left_ = -margin;
  top_ = -margin;
  right_ = surface.Width + margin;
  bottom_ = surface.Height + margin;
  long double net = 0, mx = 0, my = 0;
  for (const Source &s : sources) {
    net += s.Weight;
    mx += static_cast<long double>(s.Weight) * s.X;
    my += static_cast<long double>(s.Weight) * s.Y;
    absolute_ += std::fabs(s.Weight);
    (s.Weight > 0 ? positive_[0] : negative_[0]) += std::fabs(s.Weight);
  }
  if (net == 0 || !std::isfinite(absolute_))
    return; // no net charge: a line far out may come back from anywhere
  cx_ = static_cast<double>(mx / net);
  cy_ = static_cast<double>(my / net);
  if (!std::isfinite(cx_) || !std::isfinite(cy_))
    return;
  positive_[1] = negative_[0];
  negative_[1] = positive_[0];
  double moment = 0;
  for (const Source &s : sources) {
    const double d2 = (s.X - cx_) * (s.X - cx_) + (s.Y - cy_) * (s.Y - cy_);
    rho_ = std::max(rho_, std::sqrt(d2));
    moment += std::fabs(s.Weight) * d2;
  }
  spread_ = rho_ > 0 ? moment / (rho_ * rho_) : 0;
  for (const double x : {left_, right_})
    for (const double y : {top_, bottom_})
      viewReach_ = std::max(viewReach_, std::hypot(x - cx_, y - cy_));
  for (int k = 0; k < 2; ++k) {
    const double enough = kOutwardMargin * absolute_;
    if (!(Outward(k, 0) > enough))
      continue; // the net charge pulls the line back
    // The bound only falls as a grows: the largest a where it still holds.
    double good = 0, bad = kLargestRatio;
    if (Outward(k, bad) > enough) {
      good = bad;
    } else {
      for (int n = 0; n < 60; ++n) {
        const double mid = (good + bad) / 2;
        (Outward(k, mid) > enough ? good : bad) = mid;
      }
    }
    if (good > 0) {
      const double reach = rho_ / good + step_;
      reachSquared_[k] = reach * reach;
    }
  }
}

double TLineEscape::Outward(int k, double a) const {
  const double p = positive_[k];
  const double n = negative_[k];
  const double monopole = p * (1 - a) / Cube(1 + a) - n * (1 + a) / Cube(1 - a);
  const double quadrupole = (p - n) - 3 * spread_ * a * a / ((1 - a) * Cube(1 - a));
  return std::max(monopole, quadrupole);
}

double TLineEscape::Exit(double ex, double ey) const {
  double low = 0;
  double high = std::numeric_limits<double>::infinity();
  const double lows[2] = {left_ - cx_, top_ - cy_};
  const double highs[2] = {right_ - cx_, bottom_ - cy_};
  const double e[2] = {ex, ey};
  for (int i = 0; i < 2; ++i) {
    if (e[i] == 0) {
      if (lows[i] > 0 || highs[i] < 0)
        return 0;
      continue;
    }
    double t1 = lows[i] / e[i];
    double t2 = highs[i] / e[i];
    if (t1 > t2)
      std::swap(t1, t2);
    low = std::max(low, t1);
    high = std::min(high, t2);
  }
  return low <= high ? high : 0;
}

bool TLineEscape::Proves(int32_t direction, double dx, double dy, double r2) const {
  const double r = std::sqrt(r2);
  if (r > viewReach_)
    return true; // the line only moves away from C, and the whole surface is nearer
  const int k = direction > 0 ? 0 : 1;
  const double a = rho_ / (r - step_);
  const double outward = Outward(k, a);
  const double firstOrder = absolute_ * a / (Cube(1 - a) * outward);
  const double secondOrder = 1.5 * spread_ * a * a / ((1 - a) * Cube(1 - a) * outward);
  const double turn = std::min(firstOrder, secondOrder) * (1 + 1e-6) + 1e-9;
  if (!(turn < kLargestTurn))
    return false;
  // The cone from C that the rest of the line stays in, between its edges (lx, ly), turned
  // one way, and (rx, ry), turned the other way.
  const double ux = dx / r;
  const double uy = dy / r;
  const double c = std::cos(turn);
  const double s = std::sin(turn);
  const double lx = ux * c - uy * s, ly = ux * s + uy * c;
  const double rx = ux * c + uy * s, ry = uy * c - ux * s;
  // The part of the widened surface in the cone is convex: its farthest point from C is a
  // corner of the surface inside the cone or where an edge of the cone leaves the surface.
  double farthest = std::max(Exit(lx, ly), Exit(rx, ry));
  for (const double x : {left_ - cx_, right_ - cx_})
    for (const double y : {top_ - cy_, bottom_ - cy_})
      if (rx * y - ry * x >= 0 && x * ly - y * lx >= 0)
        farthest = std::max(farthest, std::hypot(x, y));
  return farthest * (1 + 1e-9) + 1e-6 < r;
}
