#include "model/PullSums.h"

#include "model/LevelPull.h"
#include "model/VectorClones.h"

#include <algorithm>
#include <cmath>
#include <limits>

#if defined(__SSE2__)
#include <immintrin.h>
#define KRAFTBILD_X86 1
#endif

namespace levelpull {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The seven running sums, one per lane; Bend without its factor 2.
struct TLanes {
  double V[4] = {};
  double Gx[4] = {};
  double Gy[4] = {};
  double Bend[4] = {};
  double Nearest[4] = {kInfinity, kInfinity, kInfinity, kInfinity};
  double Magnitude[4] = {};
  double GradientSize[4] = {};
};

// Terms are worked out a chunk at a time into arrays, then added: the first loop carries
// nothing from one term to the next and the second adds in a fixed order, two loops the
// compiler vectorises where one that does both it would not.
constexpr std::size_t kChunk = 64;

struct TTerms {
  double T[kChunk];
  double Wx[kChunk];
  double Wy[kChunk];
  double W[kChunk]; // |w|
  double D[kChunk];
  double Size[kChunk];
  double SizeOverD[kChunk];
};

// The terms of weights k at the offsets (dx, dy) px.
inline void Terms(const double *__restrict dx, const double *__restrict dy,
                  const double *__restrict k, std::size_t count, TTerms &out) {
  for (std::size_t j = 0; j < count; ++j) {
    const double d = std::sqrt(dx[j] * dx[j] + dy[j] * dy[j]);
    const double inverse = 1 / d;
    const double t = k[j] * inverse;
    const double w = t * inverse * inverse;
    const double size = std::fabs(t);
    out.T[j] = t;
    out.Wx[j] = w * dx[j];
    out.Wy[j] = w * dy[j];
    out.W[j] = std::fabs(w);
    out.D[j] = d;
    out.Size[j] = size;
    out.SizeOverD[j] = size * inverse;
  }
}

// Term j into lane j % 4; count is a multiple of four.
inline void AddTerms(const TTerms &terms, std::size_t count, TLanes &s) {
  for (std::size_t j = 0; j < count; j += 4) {
    for (std::size_t lane = 0; lane < 4; ++lane) {
      s.V[lane] += terms.T[j + lane];
      s.Gx[lane] -= terms.Wx[j + lane];
      s.Gy[lane] -= terms.Wy[j + lane];
      s.Bend[lane] += terms.W[j + lane];
      // Not std::min: a NaN distance is kept, as the lanes' minimum instruction keeps it.
      const double d = terms.D[j + lane];
      s.Nearest[lane] = s.Nearest[lane] < d ? s.Nearest[lane] : d;
      s.Magnitude[lane] += terms.Size[j + lane];
      s.GradientSize[lane] += terms.SizeOverD[j + lane];
    }
  }
}

double Joined(const double *lanes) { return (lanes[0] + lanes[2]) + (lanes[1] + lanes[3]); }

double Least(double a, double b) { return a < b ? a : b; }

// The plain loops. From 20 sources on, their compiler-vectorised builds take 1.4 to 2.9
// times as long as the hand-written ones below, with AVX and without; at four sources the
// AVX sum at one point is no faster than the plain one (bench/VectorPathBench).
KRAFTBILD_VECTOR_CLONES TLocal<double> SumAtPlain(const double *__restrict xs,
                                                  const double *__restrict ys,
                                                  const double *__restrict ks, std::size_t count,
                                                  double x, double y) {
  TLanes s;
  TTerms terms;
  for (std::size_t first = 0; first < count; first += kChunk) {
    const std::size_t n = std::min(kChunk, count - first);
    double dx[kChunk];
    double dy[kChunk];
    for (std::size_t j = 0; j < n; ++j) {
      dx[j] = x - xs[first + j];
      dy[j] = y - ys[first + j];
    }
    Terms(dx, dy, ks + first, n, terms);
    AddTerms(terms, n, s);
  }
  TLocal<double> l;
  l.V = Joined(s.V);
  l.Gx = Joined(s.Gx);
  l.Gy = Joined(s.Gy);
  l.Bend = 2 * Joined(s.Bend);
  l.Magnitude = Joined(s.Magnitude);
  l.GradientSize = Joined(s.GradientSize);
  l.Nearest = Least(Least(s.Nearest[0], s.Nearest[2]), Least(s.Nearest[1], s.Nearest[3]));
  return l;
}

KRAFTBILD_VECTOR_CLONES void SumAtFourPlain(const double *__restrict xs,
                                            const double *__restrict ys,
                                            const double *__restrict ks, std::size_t count,
                                            const double *px, const double *py,
                                            TLocal<double> *out) {
  TLanes s;
  TTerms terms;
  constexpr std::size_t sources = kChunk / 4;
  for (std::size_t first = 0; first < count; first += sources) {
    const std::size_t n = std::min(sources, count - first);
    double dx[kChunk];
    double dy[kChunk];
    double k[kChunk];
    for (std::size_t i = 0; i < n; ++i) {
      for (std::size_t lane = 0; lane < 4; ++lane) {
        dx[4 * i + lane] = px[lane] - xs[first + i];
        dy[4 * i + lane] = py[lane] - ys[first + i];
        k[4 * i + lane] = ks[first + i];
      }
    }
    Terms(dx, dy, k, 4 * n, terms);
    AddTerms(terms, 4 * n, s);
  }
  for (int lane = 0; lane < 4; ++lane)
    out[lane] = {s.V[lane],       s.Gx[lane],        s.Gy[lane],          2 * s.Bend[lane],
                 s.Nearest[lane], s.Magnitude[lane], s.GradientSize[lane]};
}

#if defined(KRAFTBILD_X86)

// Two sources at a time, for x86 processors without AVX; count is even.
TLocal<double> SumAtSse2(const double *xs, const double *ys, const double *ks, std::size_t count,
                         double x, double y) {
  TLocal<double> l;
  l.Nearest = std::numeric_limits<double>::infinity();
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
  for (std::size_t i = 0; i < count; i += 2) {
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
  return l;
}

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

// Four sources at a time, for processors with AVX; count is a multiple of four.
__attribute__((target("avx"))) TLocal<double> SumAtAvx(const double *xs, const double *ys,
                                                       const double *ks, std::size_t count,
                                                       double x, double y) {
  const __m256d px = _mm256_set1_pd(x);
  const __m256d py = _mm256_set1_pd(y);
  TFourSums sums = NoSums();
  for (std::size_t i = 0; i < count; i += 4)
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
__attribute__((target("avx"))) void SumAtFourAvx(const double *xs, const double *ys,
                                                 const double *ks, std::size_t count,
                                                 const double *px, const double *py,
                                                 TLocal<double> *out) {
  const __m256d x = _mm256_loadu_pd(px);
  const __m256d y = _mm256_loadu_pd(py);
  TFourSums sums = NoSums();
  for (std::size_t i = 0; i < count; ++i)
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

} // namespace

bool SumPathSupported(TSumPath path) {
  switch (path) {
  case TSumPath::Plain:
    return true;
#if defined(KRAFTBILD_X86)
  case TSumPath::Sse2:
    return true;
  case TSumPath::Avx:
    __builtin_cpu_init(); // in case this runs before the runtime's own initialiser
    return __builtin_cpu_supports("avx");
#endif
  default:
    return false;
  }
}

TSumPath FastestSumPath() {
  if (SumPathSupported(TSumPath::Avx))
    return TSumPath::Avx;
  if (SumPathSupported(TSumPath::Sse2))
    return TSumPath::Sse2;
  return TSumPath::Plain;
}

TLocal<double> SumAt(TSumPath path, const double *xs, const double *ys, const double *ks,
                     std::size_t count, double x, double y) {
  switch (path) {
#if defined(KRAFTBILD_X86)
  case TSumPath::Avx:
    return SumAtAvx(xs, ys, ks, count, x, y);
  case TSumPath::Sse2:
    return SumAtSse2(xs, ys, ks, count, x, y);
#endif
  default:
    return SumAtPlain(xs, ys, ks, count, x, y);
  }
}

void SumAtFour(TSumPath path, const double *xs, const double *ys, const double *ks,
               std::size_t count, const double *px, const double *py, TLocal<double> *out) {
#if defined(KRAFTBILD_X86)
  if (path == TSumPath::Avx)
    return SumAtFourAvx(xs, ys, ks, count, px, py, out);
#endif
  (void)path;
  SumAtFourPlain(xs, ys, ks, count, px, py, out);
}

// Newton's first pass of the pull, lane by lane, every condition asked without a branch (a
// NaN failing each). The sums are first laid out field by field, so that the compiler's
// AVX2 build takes the four lanes at once; as fast as hand-written AVX code there, and the
// same bits (bench/VectorPathBench).
KRAFTBILD_VECTOR_CLONES int SettleFour(const TLocal<double> *l, const double *__restrict px,
                                       const double *__restrict py, const TSettleBounds &bounds,
                                       double *__restrict x, double *__restrict y,
                                       double *__restrict nx, double *__restrict ny) {
  double v[4], gx[4], gy[4], bendAt[4], nearest[4], magnitude[4], gradientSize[4];
  for (int lane = 0; lane < 4; ++lane) {
    v[lane] = l[lane].V;
    gx[lane] = l[lane].Gx;
    gy[lane] = l[lane].Gy;
    bendAt[lane] = l[lane].Bend;
    nearest[lane] = l[lane].Nearest;
    magnitude[lane] = l[lane].Magnitude;
    gradientSize[lane] = l[lane].GradientSize;
  }
  const double settled = static_cast<double>(kSettled);
  long ok[4];
  for (int lane = 0; lane < 4; ++lane) {
    const double f = v[lane] - bounds.Level;
    const double g2 = gx[lane] * gx[lane] + gy[lane] * gy[lane];
    const double g = std::sqrt(g2);
    const double step = f / g2;
    const double moveX = step * gx[lane];
    const double moveY = step * gy[lane];
    const double delta = std::fabs(step) * g;
    const double reach = delta + settled;
    const double ratio = nearest[lane] / (nearest[lane] - reach);
    const double bend = bendAt[lane] * (ratio * (ratio * ratio));
    const double gradientError = bounds.Rounding * gradientSize[lane];
    double e = bend * (delta * delta) * 0.5;
    e += bounds.Rounding * magnitude[lane];
    e += (delta + delta) * gradientError;
    e += gradientSize[lane] * bounds.Shift;
    e += bounds.LevelError;
    const double twoE = e + e;
    const double s = twoE / g;
    ok[lane] = (std::fabs(f) < kInfinity) & (g2 > 0) & (g2 < kInfinity) &
               (moveX * moveX + moveY * moveY < 1) & (reach < nearest[lane]) &
               (twoE <= settled * g) & (bend * (delta + s) + gradientError <= g * 0.5);
    x[lane] = px[lane] - moveX;
    y[lane] = py[lane] - moveY;
    nx[lane] = gx[lane] / g;
    ny[lane] = gy[lane] / g;
  }
  return static_cast<int>(ok[0] | ok[1] << 1 | ok[2] << 2 | ok[3] << 3);
}

} // namespace levelpull
