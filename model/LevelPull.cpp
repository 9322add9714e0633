#include "model/LevelPull.h"

#include "model/PullSums.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

namespace {

using levelpull::TLocal;

// Adds the terms of a source k at (dx, dy) px from the point.
template <typename Real> void AddSource(TLocal<Real> &l, Real dx, Real dy, Real k) {
  const Real d = std::sqrt(dx * dx + dy * dy);
  const Real inverse = 1 / d;
  const Real t = k * inverse;
  const Real w = t * inverse * inverse;
  l.V += t;
  l.Gx -= w * dx;
  l.Gy -= w * dy;
  l.Bend += 2 * std::fabs(w);
  l.Nearest = std::min(l.Nearest, d);
  l.Magnitude += std::fabs(t);
  l.GradientSize += std::fabs(t) * inverse;
}

TLocal<long double> Evaluate(const std::vector<TPotentialSource> &sources, long double x,
                             long double y) {
  TLocal<long double> l;
  l.Nearest = std::numeric_limits<long double>::infinity();
  for (const TPotentialSource &s : sources)
    AddSource(l, x - s.X, y - s.Y, s.K);
  return l;
}

// The sums in doubles: the fastest build of them this processor has.
levelpull::TSumPath SumPath() {
  static const levelpull::TSumPath path = levelpull::FastestSumPath();
  return path;
}

// Newton steps from (x0, y0) towards level. Each term is within 8 units in the last place,
// a sum of n terms adds n - 1 more: rounding = (n + 8) epsilon bounds the error of a sum
// relative to its sum of |terms|. shift (px) bounds how far the rounded centres lie from
// the true ones, and levelError the level's own rounding.
template <typename Real, typename Evaluator>
std::optional<TPulledPoint> Newton(const Evaluator &evaluate, size_t sources, Real level, Real x0,
                                   Real y0, Real shift, Real levelError,
                                   const TLocal<Real> *first = nullptr) {
  const Real rounding = (static_cast<Real>(sources) + 8) * std::numeric_limits<Real>::epsilon();
  const Real settled = static_cast<Real>(kSettled);
  Real x = x0;
  Real y = y0;
  for (int i = 0; i < 4; ++i) {
    const TLocal<Real> l = i == 0 && first != nullptr ? *first : evaluate(x, y);
    const Real f = l.V - level;
    const Real g2 = l.Gx * l.Gx + l.Gy * l.Gy;
    if (!std::isfinite(f) || !(g2 > 0) || !std::isfinite(g2))
      return std::nullopt;
    const Real g = std::sqrt(g2);
    const Real step = f / g2;
    x -= step * l.Gx;
    y -= step * l.Gy;
    if (!((x - x0) * (x - x0) + (y - y0) * (y - y0) < 1))
      return std::nullopt;
    // Along the gradient's direction u from the step's result, the potential changes at
    // least g / 2 per px as long as H (delta + s) + gradient error <= g / 2, where H bounds
    // u^T Hessian u within delta + kSettled: every source's 2 |k| / d^3, d shrunk by that
    // much. The level is then no farther than s = 2 e / g, e bounding the result's
    // potential from the level: the Taylor rest H delta^2 / 2 and the rounding.
    const Real delta = std::fabs(step) * g;
    const Real reach = delta + settled;
    if (!(reach < l.Nearest))
      continue;
    const Real ratio = l.Nearest / (l.Nearest - reach);
    const Real bend = l.Bend * ratio * ratio * ratio;
    const Real gradientError = rounding * l.GradientSize;
    const Real e = bend * delta * delta / 2 + rounding * l.Magnitude + 2 * delta * gradientError +
                   l.GradientSize * shift + levelError;
    if (2 * e <= settled * g) {
      const Real s = 2 * e / g;
      if (bend * (delta + s) + gradientError <= g / 2)
        return TPulledPoint{static_cast<double>(x), static_cast<double>(y),
                            static_cast<double>(l.Gx / g), static_cast<double>(l.Gy / g)};
    }
  }
  return std::nullopt;
}

} // namespace

TPullSources::TPullSources(const TPotentialGrid &grid)
    : exact_(grid.Sources()), unit_(grid.Unit()) {
  for (const TPotentialSource &s : exact_) {
    x_.push_back(static_cast<double>(s.X));
    y_.push_back(static_cast<double>(s.Y));
    k_.push_back(static_cast<double>(s.K / unit_));
    coordinates_ = std::max(coordinates_, std::fabs(x_.back()) + std::fabs(y_.back()));
  }
  while (x_.size() % 4 != 0) {
    x_.push_back(1e150);
    y_.push_back(1e150);
    k_.push_back(0);
  }
}

std::optional<TPulledPoint> TPullSources::Pull(const TPotentialGrid::TLevel &level, long double x,
                                               long double y) const {
  return PullFrom(level, x, y, nullptr);
}

void TPullSources::PullMany(const TPotentialGrid::TLevel &level,
                            std::span<const TPulledPoint> starts,
                            std::span<std::optional<TPulledPoint>> pulled) const {
  const size_t count = exact_.size();
  // As PullFrom's first pass in doubles.
  constexpr double epsilon = std::numeric_limits<double>::epsilon();
  levelpull::TSettleBounds bounds;
  bounds.Level = level.Scaled;
  bounds.Rounding = (static_cast<double>(count) + 8) * epsilon;
  bounds.Shift = epsilon * coordinates_;
  bounds.LevelError = epsilon * std::fabs(level.Scaled);
  for (size_t first = 0; first < starts.size(); first += 4) {
    double px[4];
    double py[4];
    const size_t lanes = std::min<size_t>(4, starts.size() - first);
    for (size_t lane = 0; lane < 4; ++lane) {
      const TPulledPoint &start = starts[first + std::min(lane, lanes - 1)];
      px[lane] = start.X;
      py[lane] = start.Y;
    }
    TLocal<double> local[4];
    levelpull::SumAtFour(SumPath(), x_.data(), y_.data(), k_.data(), count, px, py, local);
    double x[4];
    double y[4];
    double nx[4];
    double ny[4];
    const int settled = levelpull::SettleFour(local, px, py, bounds, x, y, nx, ny);
    for (size_t lane = 0; lane < lanes; ++lane)
      pulled[first + lane] = (settled >> lane & 1) != 0
                                 ? TPulledPoint{x[lane], y[lane], nx[lane], ny[lane]}
                                 : PullFrom(level, px[lane], py[lane], &local[lane]);
  }
}

std::optional<TPulledPoint> TPullSources::PullFrom(const TPotentialGrid::TLevel &level,
                                                   long double x, long double y,
                                                   const TLocal<double> *first) const {
  const double scaledLevel = level.Scaled;
  constexpr double epsilon = std::numeric_limits<double>::epsilon();
  const auto fast = [&](double px, double py) {
    return levelpull::SumAt(SumPath(), x_.data(), y_.data(), k_.data(), x_.size(), px, py);
  };
  if (auto p = Newton<double>(fast, exact_.size(), scaledLevel, static_cast<double>(x),
                              static_cast<double>(y), epsilon * coordinates_,
                              epsilon * std::fabs(scaledLevel), first))
    return p;
  const auto exact = [&](long double px, long double py) { return Evaluate(exact_, px, py); };
  return Newton<long double>(exact, exact_.size(), level.Volts, x, y, 0, 0);
}
