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

TLineEscape::TLineEscape(const std::vector<Source> &sources, TSize surface, double step,
                         bool aboutMiddle)
    : step_(step) {
  // A step may draw up to a step and the rounding of both ends away from its points.
  const double margin = step + 4;
  left_ = -margin;
  top_ = -margin;
  right_ = surface.Width + margin;
  bottom_ = surface.Height + margin;
  if (sources.empty())
    return;
  long double net = 0, mx = 0, my = 0;
  double minX = sources.front().X, maxX = minX, minY = sources.front().Y, maxY = minY;
  for (const Source &s : sources) {
    net += s.Weight;
    mx += static_cast<long double>(s.Weight) * s.X;
    my += static_cast<long double>(s.Weight) * s.Y;
    absolute_ += std::fabs(s.Weight);
    (s.Weight > 0 ? positive_[0] : negative_[0]) += std::fabs(s.Weight);
    minX = std::min(minX, s.X);
    maxX = std::max(maxX, s.X);
    minY = std::min(minY, s.Y);
    maxY = std::max(maxY, s.Y);
  }
  if (net == 0 || !std::isfinite(absolute_))
    return; // no net charge: a line far out may come back from anywhere
  positive_[1] = negative_[0];
  negative_[1] = positive_[0];
  const double chargeX = static_cast<double>(mx / net);
  const double chargeY = static_cast<double>(my / net);
  if (std::isfinite(chargeX) && std::isfinite(chargeY))
    frames_[frameCount_++] = MakeFrame(sources, chargeX, chargeY);
  if (aboutMiddle)
    frames_[frameCount_++] = MakeFrame(sources, (minX + maxX) / 2, (minY + maxY) / 2);
}

TLineEscape::Frame TLineEscape::MakeFrame(const std::vector<Source> &sources, double cx,
                                          double cy) const {
  Frame f;
  f.cx = cx;
  f.cy = cy;
  double moment = 0, px = 0, py = 0;
  for (const Source &s : sources) {
    const double dx = s.X - cx;
    const double dy = s.Y - cy;
    const double d2 = dx * dx + dy * dy;
    f.rho = std::max(f.rho, std::sqrt(d2));
    moment += std::fabs(s.Weight) * d2;
    px += s.Weight * dx;
    py += s.Weight * dy;
  }
  if (f.rho > 0) {
    f.spread = moment / (f.rho * f.rho);
    // Summed in doubles, |p| may be off by the rounding of each term and sum, at most
    // (n + 2) * 2^-52 * A * rho: a bound must not come out smaller than the true one.
    const double rounding = 0x1p-52 * static_cast<double>(sources.size() + 2) * absolute_;
    f.dipole = std::hypot(px, py) / f.rho + rounding;
  }
  for (const double x : {left_, right_})
    for (const double y : {top_, bottom_})
      f.viewReach = std::max(f.viewReach, std::hypot(x - cx, y - cy));
  for (int k = 0; k < 2; ++k) {
    const double enough = kOutwardMargin * absolute_;
    if (!(Outward(f, k, 0) > enough))
      continue; // the net charge pulls the line back
    // The bound only falls as a grows: the largest a where it still holds.
    double good = 0, bad = kLargestRatio;
    if (Outward(f, k, bad) > enough) {
      good = bad;
    } else {
      for (int n = 0; n < 60; ++n) {
        const double mid = (good + bad) / 2;
        (Outward(f, k, mid) > enough ? good : bad) = mid;
      }
    }
    if (good > 0) {
      const double reach = f.rho / good + step_;
      f.reachSquared[k] = reach * reach;
    }
  }
  return f;
}

double TLineEscape::Outward(const Frame &f, int k, double a) const {
  const double p = positive_[k];
  const double n = negative_[k];
  const double monopole = p * (1 - a) / Cube(1 + a) - n * (1 + a) / Cube(1 - a);
  const double multipole =
      (p - n) - 2 * f.dipole * a - 3 * f.spread * a * a / ((1 - a) * Cube(1 - a));
  return std::max(monopole, multipole);
}

bool TLineEscape::Escapes(const Frame &f, int k, double x, double y) const {
  const double dx = x - f.cx;
  const double dy = y - f.cy;
  const double r2 = dx * dx + dy * dy;
  return r2 > f.reachSquared[k] && Proves(f, k, dx, dy, r2);
}

double TLineEscape::Exit(const Frame &f, double ex, double ey) const {
  double low = 0;
  double high = std::numeric_limits<double>::infinity();
  const double lows[2] = {left_ - f.cx, top_ - f.cy};
  const double highs[2] = {right_ - f.cx, bottom_ - f.cy};
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

bool TLineEscape::Proves(const Frame &f, int k, double dx, double dy, double r2) const {
  const double r = std::sqrt(r2);
  if (r > f.viewReach)
    return true; // the line only moves away from C, and the whole surface is nearer
  const double a = f.rho / (r - step_);
  const double outward = Outward(f, k, a);
  const double firstOrder = absolute_ * a / (Cube(1 - a) * outward);
  const double secondOrder =
      (f.dipole * a + 1.5 * f.spread * a * a / ((1 - a) * Cube(1 - a))) / outward;
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
  double farthest = std::max(Exit(f, lx, ly), Exit(f, rx, ry));
  for (const double x : {left_ - f.cx, right_ - f.cx})
    for (const double y : {top_ - f.cy, bottom_ - f.cy})
      if (rx * y - ry * x >= 0 && x * ly - y * lx >= 0)
        farthest = std::max(farthest, std::hypot(x, y));
  return farthest * (1 + 1e-9) + 1e-6 < r;
}
