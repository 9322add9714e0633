#pragma once
// The sums that pulling a point onto a level takes from every source: the potential, its
// gradient and what bounds their rounding, in doubles. Plain loops, and hand-written vector
// code for x86 processors where it is well ahead of them (bench/VectorPathBench): the sums
// in four lanes for AVX give the plain loops' bits; those in two lanes for SSE2 (where AVX
// is missing) differ from them within the rounding that the pull's proof allows for.

#include <cstddef>

namespace levelpull {

// The potential and its gradient (V/px, or the grid's units) at a point, with what bounds
// their rounding and the potential's bending nearby.
template <typename Real> struct TLocal {
  Real V = 0;
  Real Gx = 0;
  Real Gy = 0;
  Real Bend = 0;         // sum of 2 |k| / d^3: |u^T H u| at the point, |u| = 1
  Real Nearest = 0;      // least distance d (px) to a source
  Real Magnitude = 0;    // sum of |k| / d
  Real GradientSize = 0; // sum of |k| / d^2
};

enum class TSumPath { Plain, Sse2, Avx };

// Whether this processor can take the path.
bool SumPathSupported(TSumPath path);
// The fastest path this processor can take.
TSumPath FastestSumPath();

// The sums at (x, y) px over sources at (xs, ys) px of k = ks; count is a multiple of four
// (a padding source has k = 0 far away). Source i goes to lane i % 4 (i % 2 for SSE2); four
// lanes are then joined as (0 + 2) + (1 + 3).
TLocal<double> SumAt(TSumPath path, const double *xs, const double *ys, const double *ks,
                     std::size_t count, double x, double y);
// The sums at the four points (px[lane], py[lane]), each adding the sources in their order;
// any count. Sse2 takes the plain loop.
void SumAtFour(TSumPath path, const double *xs, const double *ys, const double *ks,
               std::size_t count, const double *px, const double *py, TLocal<double> *out);

// The numbers Newton's first step below takes as given for a pull.
struct TSettleBounds {
  double Level = 0;      // in the sums' units
  double Rounding = 0;   // relative error of a sum
  double Shift = 0;      // px the rounded centres may lie off the true ones
  double LevelError = 0; // the level's own rounding
};
// Newton's first step at four starts (px, py) from their sums l: the lanes whose step is
// proved within kSettled px of the level, as a bit mask, with their points (x, y) px and the
// unit normals (nx, ny). Lanes outside the mask are left to the full pull.
int SettleFour(const TLocal<double> *l, const double *px, const double *py,
               const TSettleBounds &bounds, double *x, double *y, double *nx, double *ny);

} // namespace levelpull
