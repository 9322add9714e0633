#include "model/LevelPull.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define KRAFTBILD_AVX_PULL 1
#endif

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

} // namespace levelpull

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

// The same in doubles, two sources at a time; sources come in fours (a padding source has
// k = 0 far away).
TLocal<double> Evaluate(const double *xs, const double *ys, const double *ks, size_t count,
                        double x, double y) {
  TLocal<double> l;
  l.Nearest = std::numeric_limits<double>::infinity();
  size_t i = 0;
#if defined(__SSE2__)
  const __m128d px = _mm_set1_pd(x);
  const __m128d py = _mm_set1_pd(y);
  const __m128d one = _mm_set1_pd(1);
  const __m128d sign = _mm_set1_pd(-0.0);
  __m128d v = _mm_setzero_pd();
  __m128d gx = v;
  __m128d gy = v;
  __m128d bend = v;
  __m128d magnitude = v;
  __m128d gradientSize = v;
  __m128d nearest = _mm_set1_pd(l.Nearest);
  for (; i + 2 <= count; i += 2) {
    const __m128d dx = _mm_sub_pd(px, _mm_loadu_pd(xs + i));
    const __m128d dy = _mm_sub_pd(py, _mm_loadu_pd(ys + i));
    const __m128d d = _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(dx, dx), _mm_mul_pd(dy, dy)));
    const __m128d inverse = _mm_div_pd(one, d);
    const __m128d t = _mm_mul_pd(_mm_loadu_pd(ks + i), inverse);
    const __m128d w = _mm_mul_pd(_mm_mul_pd(t, inverse), inverse);
    const __m128d size = _mm_andnot_pd(sign, t);
    v = _mm_add_pd(v, t);
    gx = _mm_sub_pd(gx, _mm_mul_pd(w, dx));
    gy = _mm_sub_pd(gy, _mm_mul_pd(w, dy));
    bend = _mm_add_pd(bend, _mm_andnot_pd(sign, w));
    nearest = _mm_min_pd(nearest, d);
    magnitude = _mm_add_pd(magnitude, size);
    gradientSize = _mm_add_pd(gradientSize, _mm_mul_pd(size, inverse));
  }
  const auto total = [](__m128d pair) {
    return _mm_cvtsd_f64(_mm_add_sd(pair, _mm_unpackhi_pd(pair, pair)));
  };
  l.V = total(v);
  l.Gx = total(gx);
  l.Gy = total(gy);
  l.Bend = 2 * total(bend);
  l.Magnitude = total(magnitude);
  l.GradientSize = total(gradientSize);
  l.Nearest = std::min(_mm_cvtsd_f64(nearest), _mm_cvtsd_f64(_mm_unpackhi_pd(nearest, nearest)));
#endif
  for (; i < count; ++i)
    AddSource(l, x - xs[i], y - ys[i], ks[i]);
  return l;
}

#if defined(KRAFTBILD_AVX_PULL)
__attribute__((target("avx"))) double Total(__m256d four) {
  const __m128d pair = _mm_add_pd(_mm256_castpd256_pd128(four), _mm256_extractf128_pd(four, 1));
  return _mm_cvtsd_f64(_mm_add_sd(pair, _mm_unpackhi_pd(pair, pair)));
}

// The seven sums of TLocal, four lanes wide.
struct TFourSums {
  __m256d V;
  __m256d Gx;
  __m256d Gy;
  __m256d Bend; // without its factor 2
  __m256d Nearest;
  __m256d Magnitude;
  __m256d GradientSize;
};

__attribute__((target("avx"))) TFourSums NoSums() {
  const __m256d zero = _mm256_setzero_pd();
  return {zero, zero, zero, zero, _mm256_set1_pd(std::numeric_limits<double>::infinity()),
          zero, zero};
}

// Adds to each lane the terms of a source k at (dx, dy) px from the lane's point.
__attribute__((target("avx"))) void AddSource(TFourSums &sums, __m256d dx, __m256d dy, __m256d k) {
  const __m256d sign = _mm256_set1_pd(-0.0);
  const __m256d d = _mm256_sqrt_pd(_mm256_add_pd(_mm256_mul_pd(dx, dx), _mm256_mul_pd(dy, dy)));
  const __m256d inverse = _mm256_div_pd(_mm256_set1_pd(1), d);
  const __m256d t = _mm256_mul_pd(k, inverse);
  const __m256d w = _mm256_mul_pd(_mm256_mul_pd(t, inverse), inverse);
  const __m256d size = _mm256_andnot_pd(sign, t);
  sums.V = _mm256_add_pd(sums.V, t);
  sums.Gx = _mm256_sub_pd(sums.Gx, _mm256_mul_pd(w, dx));
  sums.Gy = _mm256_sub_pd(sums.Gy, _mm256_mul_pd(w, dy));
  sums.Bend = _mm256_add_pd(sums.Bend, _mm256_andnot_pd(sign, w));
  sums.Nearest = _mm256_min_pd(sums.Nearest, d);
  sums.Magnitude = _mm256_add_pd(sums.Magnitude, size);
  sums.GradientSize = _mm256_add_pd(sums.GradientSize, _mm256_mul_pd(size, inverse));
}

// The same four sources at a time, for processors with AVX; count is a multiple of four.
__attribute__((target("avx"))) TLocal<double> EvaluateAvx(const double *xs, const double *ys,
                                                          const double *ks, size_t count, double x,
                                                          double y) {
  const __m256d px = _mm256_set1_pd(x);
  const __m256d py = _mm256_set1_pd(y);
  TFourSums sums = NoSums();
  for (size_t i = 0; i < count; i += 4)
    AddSource(sums, _mm256_sub_pd(px, _mm256_loadu_pd(xs + i)),
              _mm256_sub_pd(py, _mm256_loadu_pd(ys + i)), _mm256_loadu_pd(ks + i));
  TLocal<double> l;
  l.V = Total(sums.V);
  l.Gx = Total(sums.Gx);
  l.Gy = Total(sums.Gy);
  l.Bend = 2 * Total(sums.Bend);
  l.Magnitude = Total(sums.Magnitude);
  l.GradientSize = Total(sums.GradientSize);
  const __m128d pair =
      _mm_min_pd(_mm256_castpd256_pd128(sums.Nearest), _mm256_extractf128_pd(sums.Nearest, 1));
  l.Nearest = _mm_cvtsd_f64(_mm_min_sd(pair, _mm_unpackhi_pd(pair, pair)));
  return l;
}
#endif

// The same at four points at once, one per lane: each lane adds up the sources in their
// order, at any vector width. xs, ys, ks without padding.
void EvaluateFour(const double *xs, const double *ys, const double *ks, size_t count,
                  const double *px, const double *py, TLocal<double> *out) {
  for (int lane = 0; lane < 4; ++lane) {
    out[lane] = {};
    out[lane].Nearest = std::numeric_limits<double>::infinity();
  }
  for (size_t i = 0; i < count; ++i)
    for (int lane = 0; lane < 4; ++lane)
      AddSource(out[lane], px[lane] - xs[i], py[lane] - ys[i], ks[i]);
}

#if defined(KRAFTBILD_AVX_PULL)
__attribute__((target("avx"))) void EvaluateFourAvx(const double *xs, const double *ys,
                                                    const double *ks, size_t count,
                                                    const double *px, const double *py,
                                                    TLocal<double> *out) {
  const __m256d x = _mm256_loadu_pd(px);
  const __m256d y = _mm256_loadu_pd(py);
  TFourSums sums = NoSums();
  for (size_t i = 0; i < count; ++i)
    AddSource(sums, _mm256_sub_pd(x, _mm256_set1_pd(xs[i])),
              _mm256_sub_pd(y, _mm256_set1_pd(ys[i])), _mm256_set1_pd(ks[i]));
  alignas(32) double lanes[7][4];
  _mm256_store_pd(lanes[0], sums.V);
  _mm256_store_pd(lanes[1], sums.Gx);
  _mm256_store_pd(lanes[2], sums.Gy);
  _mm256_store_pd(lanes[3], sums.Bend);
  _mm256_store_pd(lanes[4], sums.Nearest);
  _mm256_store_pd(lanes[5], sums.Magnitude);
  _mm256_store_pd(lanes[6], sums.GradientSize);
  for (int lane = 0; lane < 4; ++lane)
    out[lane] = {lanes[0][lane], lanes[1][lane], lanes[2][lane], 2 * lanes[3][lane],
                 lanes[4][lane], lanes[5][lane], lanes[6][lane]};
}
#endif

#if defined(KRAFTBILD_AVX_PULL)
// One field of four lanes' potentials as a vector.
__attribute__((target("avx"))) __m256d Lanes(const TLocal<double> *l,
                                             double TLocal<double>::*field) {
  return _mm256_set_pd(l[3].*field, l[2].*field, l[1].*field, l[0].*field);
}

// Newton's first pass below at four starts at once, from their potentials: the lanes whose
// step the proof takes, as a bit mask, with their points and unit normals.
__attribute__((target("avx"))) int SettleFour(const TLocal<double> *l, const double *px,
                                              const double *py, double level, double rounding,
                                              double shift, double levelError, double *x, double *y,
                                              double *nx, double *ny) {
  const __m256d gx = Lanes(l, &TLocal<double>::Gx);
  const __m256d gy = Lanes(l, &TLocal<double>::Gy);
  const __m256d nearest = Lanes(l, &TLocal<double>::Nearest);
  const __m256d gradientSize = Lanes(l, &TLocal<double>::GradientSize);
  const __m256d sign = _mm256_set1_pd(-0.0);
  const __m256d infinity = _mm256_set1_pd(std::numeric_limits<double>::infinity());
  const __m256d settled = _mm256_set1_pd(static_cast<double>(kSettled));
  const __m256d f = _mm256_sub_pd(Lanes(l, &TLocal<double>::V), _mm256_set1_pd(level));
  const __m256d g2 = _mm256_add_pd(_mm256_mul_pd(gx, gx), _mm256_mul_pd(gy, gy));
  const __m256d g = _mm256_sqrt_pd(g2);
  const __m256d step = _mm256_div_pd(f, g2);
  const __m256d moveX = _mm256_mul_pd(step, gx);
  const __m256d moveY = _mm256_mul_pd(step, gy);
  const __m256d delta = _mm256_mul_pd(_mm256_andnot_pd(sign, step), g);
  const __m256d reach = _mm256_add_pd(delta, settled);
  const __m256d ratio = _mm256_div_pd(nearest, _mm256_sub_pd(nearest, reach));
  const __m256d bend = _mm256_mul_pd(Lanes(l, &TLocal<double>::Bend),
                                     _mm256_mul_pd(ratio, _mm256_mul_pd(ratio, ratio)));
  const __m256d gradientError = _mm256_mul_pd(_mm256_set1_pd(rounding), gradientSize);
  const __m256d half = _mm256_set1_pd(0.5);
  __m256d e = _mm256_mul_pd(_mm256_mul_pd(bend, _mm256_mul_pd(delta, delta)), half);
  e = _mm256_add_pd(e,
                    _mm256_mul_pd(_mm256_set1_pd(rounding), Lanes(l, &TLocal<double>::Magnitude)));
  e = _mm256_add_pd(e, _mm256_mul_pd(_mm256_add_pd(delta, delta), gradientError));
  e = _mm256_add_pd(e, _mm256_mul_pd(gradientSize, _mm256_set1_pd(shift)));
  e = _mm256_add_pd(e, _mm256_set1_pd(levelError));
  const __m256d twoE = _mm256_add_pd(e, e);
  const __m256d s = _mm256_div_pd(twoE, g);
  // Every condition as Newton asks it, a NaN failing each.
  __m256d ok = _mm256_cmp_pd(_mm256_andnot_pd(sign, f), infinity, _CMP_LT_OQ);
  ok = _mm256_and_pd(ok, _mm256_cmp_pd(g2, _mm256_setzero_pd(), _CMP_GT_OQ));
  ok = _mm256_and_pd(ok, _mm256_cmp_pd(g2, infinity, _CMP_LT_OQ));
  ok = _mm256_and_pd(
      ok, _mm256_cmp_pd(_mm256_add_pd(_mm256_mul_pd(moveX, moveX), _mm256_mul_pd(moveY, moveY)),
                        _mm256_set1_pd(1), _CMP_LT_OQ));
  ok = _mm256_and_pd(ok, _mm256_cmp_pd(reach, nearest, _CMP_LT_OQ));
  ok = _mm256_and_pd(ok, _mm256_cmp_pd(twoE, _mm256_mul_pd(settled, g), _CMP_LE_OQ));
  ok = _mm256_and_pd(
      ok, _mm256_cmp_pd(_mm256_add_pd(_mm256_mul_pd(bend, _mm256_add_pd(delta, s)), gradientError),
                        _mm256_mul_pd(g, half), _CMP_LE_OQ));
  _mm256_storeu_pd(x, _mm256_sub_pd(_mm256_loadu_pd(px), moveX));
  _mm256_storeu_pd(y, _mm256_sub_pd(_mm256_loadu_pd(py), moveY));
  _mm256_storeu_pd(nx, _mm256_div_pd(gx, g));
  _mm256_storeu_pd(ny, _mm256_div_pd(gy, g));
  return _mm256_movemask_pd(ok);
}
#endif

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
  static const auto evaluateFour = [] {
#if defined(KRAFTBILD_AVX_PULL)
    if (__builtin_cpu_supports("avx"))
      return &EvaluateFourAvx;
#endif
    return &EvaluateFour;
  }();
  // As PullFrom's first pass in doubles.
  constexpr double epsilon = std::numeric_limits<double>::epsilon();
  const double rounding = (static_cast<double>(count) + 8) * epsilon;
  const double shift = epsilon * coordinates_;
  const double levelError = epsilon * std::fabs(level.Scaled);
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
    evaluateFour(x_.data(), y_.data(), k_.data(), count, px, py, local);
    int settled = 0;
    double x[4];
    double y[4];
    double nx[4];
    double ny[4];
#if defined(KRAFTBILD_AVX_PULL)
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx)
      settled = SettleFour(local, px, py, level.Scaled, rounding, shift, levelError, x, y, nx, ny);
#endif
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
#if defined(KRAFTBILD_AVX_PULL)
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx)
      return EvaluateAvx(x_.data(), y_.data(), k_.data(), x_.size(), px, py);
#endif
    return Evaluate(x_.data(), y_.data(), k_.data(), x_.size(), px, py);
  };
  if (auto p = Newton<double>(fast, exact_.size(), scaledLevel, static_cast<double>(x),
                              static_cast<double>(y), epsilon * coordinates_,
                              epsilon * std::fabs(scaledLevel), first))
    return p;
  const auto exact = [&](long double px, long double py) { return Evaluate(exact_, px, py); };
  return Newton<long double>(exact, exact_.size(), level.Volts, x, y, 0, 0);
}
