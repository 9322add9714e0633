#pragma once
// The dense output of one Dormand-Prince 5(4) step: the state as a polynomial of degree four
// in theta = (t - t0) / h, and where the path first enters a disc or a rectangle on it.

#include <array>
#include <optional>

// A particle's state in the world: x, y (m, y upwards), vx, vy (m/s).
using TPhase = std::array<long double, 4>;

// The rates (d/dt of TPhase) at the seven stages of one step.
using TStageRates = std::array<TPhase, 7>;

// An axis-parallel box (m).
struct TBox {
  long double Left = 0, Bottom = 0, Right = 0, Top = 0;
};

class TFlightCurve {
public:
  TFlightCurve() = default;
  // The continuous extension of a step of length h (s) from y0 to y1, from its stage rates
  // (k[0] at y0, k[6] at y1).
  TFlightCurve(const TPhase &y0, const TPhase &y1, const TStageRates &k, long double h);

  // The state at theta (0: the step's start, 1: its end).
  TPhase At(long double theta) const;
  // A box that holds the whole path of the step.
  TBox Bounds() const;

  // The first theta in [0, 1] where the path comes within radius (m) of (cx, cy) (m). The
  // answer is the last point before it, so its distance is at least radius and exceeds it by
  // no more than the rounding of theta. 0 when the path starts inside, none when the path
  // keeps outside (a touch shallower than 2^-40 of the step may be missed).
  std::optional<long double> FirstInDisc(long double cx, long double cy, long double radius) const;
  // The first theta where the path is inside the closed box; the answer lies inside.
  std::optional<long double> FirstInBox(const TBox &box) const;

private:
  std::array<TPhase, 5> coefficients_{};
  // The position part in Bernstein form: the path lies in the convex hull of these points.
  std::array<std::array<long double, 2>, 5> control_{};
};
