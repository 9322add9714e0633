#pragma once
// Tells when a traced line can no longer come back to the surface, so that the tracer stops
// it there instead of following it out to the box: most lines of a net-positive (or, traced
// against the field, net-negative) group of sources spend most of their steps beyond it.
//
// About a centre C, at a distance r beyond the farthest source (rho), the field (weights w,
// a step follows it) is the net charge's Q / r^2 outwards, plus the dipole term
// (3 u (p.u) - p) / r^3 (p = sum w d, d the sources' offsets from C, u the unit radius),
// plus a rest of at most 3 M / (r - rho)^4, M = sum |w| d^2 (the second derivative of
// x / |x|^3 is at most 6 / |x|^4). So its outward part is at least
// Q / r^2 - 2 |p| / r^3 - 3 M / (r - rho)^4, and also at least
// P (r - rho) / (r + rho)^3 - N (r + rho) / (r - rho)^3 (P, N: the positive and negative
// weights); its part across the radius is at most |p| / r^3 + 3 M / (r - rho)^4, and also at
// most A rho / (r - rho)^3, A = sum |w|. Where the outward part is positive for every larger
// r, each step takes the line farther from C, and it turns about C by no more than the
// integral of across / (outward * r) from r - step on. A line is stopped when that part of
// the plane (farther than r, within that angle) misses the surface with a step and a few
// pixels of margin, so that nothing it would still draw lands on the surface.
//
// Two centres are tried: the centre of charge, where p = 0, and the middle of the box around
// the sources, where rho is small. With a small net charge the centre of charge lies far away and
// rho is large there, while about the middle the dipole term keeps the bound tight. With no net
// charge at all the far field is a dipole's, whose lines come back, and nothing is stopped.

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
  // aboutMiddle: also the bound about the middle of the sources (off only for benchmarks).
  TLineEscape(const std::vector<Source> &sources, TSize surface, double step,
              bool aboutMiddle = true);

  // True when a line at (x, y) px, traced along (+1) or against (-1) the field, can never
  // again draw on the surface.
  bool CannotReturn(int32_t direction, double x, double y) const {
    if (x > left_ && x < right_ && y > top_ && y < bottom_)
      return false;
    const int k = direction > 0 ? 0 : 1;
    for (int i = 0; i < frameCount_; ++i)
      if (Escapes(frames_[i], k, x, y))
        return true;
    return false;
  }

private:
  // The bounds about one centre.
  struct Frame {
    double cx = 0, cy = 0; // C, px
    double rho = 0;        // farthest source from C, px
    double dipole = 0;     // |p| / rho
    double spread = 0;     // M / rho^2
    // Below this r^2 the bounds do not hold (infinite for a line that can come back).
    std::array<double, 2> reachSquared{kNever, kNever};
    double viewReach = 0; // the widened surface's farthest point from C
  };
  Frame MakeFrame(const std::vector<Source> &sources, double cx, double cy) const;
  bool Escapes(const Frame &f, int k, double x, double y) const;
  // The outward field's lower bound times r^2, at a = rho / r.
  double Outward(const Frame &f, int k, double a) const;
  bool Proves(const Frame &f, int k, double dx, double dy, double r2) const;
  // How far from C a ray from C in direction (ex, ey) leaves the widened surface; 0 when it
  // misses it.
  double Exit(const Frame &f, double ex, double ey) const;

  std::array<Frame, 2> frames_{};
  int frameCount_ = 0;
  double absolute_ = 0;                           // A
  std::array<double, 2> positive_{}, negative_{}; // P and N along, against the field
  double step_ = 0;
  // The surface widened by the margin, px.
  double left_ = -kNever, top_ = -kNever, right_ = kNever, bottom_ = kNever;
};
