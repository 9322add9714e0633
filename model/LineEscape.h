#pragma once
// Tells when a traced line can no longer come back to the surface, so that the tracer stops
// it there instead of following it out to the box: most lines of a net-positive (or, traced
// against the field, net-negative) group of sources spend most of their steps beyond it.
//
// About the sources' centre of charge C, at a distance r beyond the farthest source (rho),
// the field (weights w, a step follows it) is the net charge's Q / r^2 outwards plus a rest
// of at most 3 M / (r - rho)^4, M = sum |w| d^2 (the dipole terms cancel about the centre
// of charge; the second derivative of x / |x|^3 is at most 6 / |x|^4). Its part across the
// radius is also at most A rho / (r - rho)^3, A = sum |w|, and its outward part is also at
// least P (r - rho) / (r + rho)^3 - N (r + rho) / (r - rho)^3 (P, N: the positive and
// negative weights). Where the outward part is positive for every larger r, each step takes
// the line farther from C, and it turns about C by no more than the integral of
// across / (outward * r) from r - step on. A line is stopped when that part of the plane
// (farther than r, within that angle) misses the surface with a step and a few pixels of
// margin, so that nothing it would still draw lands on the surface.

#include "base/Geometry.h"

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

class TLineEscape {
  static constexpr double kNever = std::numeric_limits<double>::infinity();

public:
  struct Source {
    double X, Y;   // px
    double Weight; // > 0 pushes a line traced along the field away
  };
  TLineEscape() = default; // stops nothing
  TLineEscape(const std::vector<Source> &sources, TSize surface, double step);

  // True when a line at (x, y) px, traced along (+1) or against (-1) the field, can never
  // again draw on the surface.
  bool CannotReturn(int32_t direction, double x, double y) const {
    if (x > left_ && x < right_ && y > top_ && y < bottom_)
      return false;
    const double dx = x - cx_;
    const double dy = y - cy_;
    const double r2 = dx * dx + dy * dy;
    return r2 > reachSquared_[direction > 0 ? 0 : 1] && Proves(direction, dx, dy, r2);
  }

private:
  // The outward field's lower bound times r^2, at a = rho / r.
  double Outward(int k, double a) const;
  bool Proves(int32_t direction, double dx, double dy, double r2) const;
  // How far from C a ray from C in direction (ex, ey) leaves the widened surface; 0 when it
  // misses it.
  double Exit(double ex, double ey) const;

  double cx_ = 0, cy_ = 0;                        // centre of charge, px
  double rho_ = 0;                                // farthest source from it, px
  double absolute_ = 0;                           // A
  double spread_ = 0;                             // M / rho^2
  std::array<double, 2> positive_{}, negative_{}; // P and N along, against the field
  // Below this r^2 the bounds do not hold (infinite for a line that can come back).
  std::array<double, 2> reachSquared_{kNever, kNever};
  double step_ = 0;
  // The surface widened by the margin, px, and its farthest point from C.
  double left_ = -kNever, top_ = -kNever, right_ = kNever, bottom_ = kNever;
  double viewReach_ = 0;
};
