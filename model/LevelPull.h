#pragma once
// Pulls a point onto an equipotential level: Newton steps along the gradient, in double
// precision where the rounding allows, else in extended precision. A result is taken only
// once the potential's bending (and the rounding) proves it within kSettled px of the
// level's curve.

#include "model/PotentialGrid.h"

#include <optional>
#include <span>
#include <vector>

// Largest distance (px) from the curve at which a pulled point is taken.
inline constexpr long double kSettled = 0.05L;

struct TPulledPoint {
  double X = 0; // px
  double Y = 0; // px
  // The direction of the potential's gradient near the point: the curve's unit normal.
  double Nx = 0;
  double Ny = 0;
};

namespace levelpull {
template <typename Real> struct TLocal;
} // namespace levelpull

// The grid's sources in doubles and the grid's unit, in fours for the vector unit.
class TPullSources {
public:
  explicit TPullSources(const TPotentialGrid &grid);

  // The point on the level near (x, y) px, at most 1 px away from it; nothing where a few
  // steps do not prove one (near a saddle, where the gradient vanishes).
  std::optional<TPulledPoint> Pull(const TPotentialGrid::TLevel &level, long double x,
                                   long double y) const;
  // Pull for many starts at once (the normals of the starts are not read): the same
  // proof, with the first look at the potential taken at four starts together.
  void PullMany(const TPotentialGrid::TLevel &level, std::span<const TPulledPoint> starts,
                std::span<std::optional<TPulledPoint>> pulled) const;

private:
  // Pull, with the potential at the start already known when first is given.
  std::optional<TPulledPoint> PullFrom(const TPotentialGrid::TLevel &level, long double x,
                                       long double y, const levelpull::TLocal<double> *first) const;

  std::vector<TPotentialSource> exact_;
  long double unit_ = 1;
  std::vector<double> x_;  // px
  std::vector<double> y_;  // px
  std::vector<double> k_;  // in units of unit_
  double coordinates_ = 0; // the largest |x| + |y| of a centre
};
