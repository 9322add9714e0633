// The hand-written vector code that plain loops replaced in the model, kept so that the
// benchmarks can weigh the two again on other processors. Each gives the bits of the
// model's routine of the same job.
#include "HandVectorPaths.h"

#include "model/LevelPull.h"
#include "model/PointCharge.h"
#include "model/PotentialGrid.h"

#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

using levelpull::TLocal;
using levelpull::TSettleBounds;

namespace hand {

namespace {

constexpr double kHalf = kChargeHalfSize;
constexpr double kStep = kPotentialGridStep;

// One field of four lanes' potentials as a vector.
__attribute__((target("avx"))) __m256d Lanes(const TLocal<double> *l,
                                             double TLocal<double>::*field) {
  return _mm256_set_pd(l[3].*field, l[2].*field, l[1].*field, l[0].*field);
}

} // namespace

// Newton's first pass of the pull at four starts at once, from their potentials: the lanes whose
// step the proof takes, as a bit mask, with their points and unit normals.
__attribute__((target("avx"))) int SettleFourAvx(const TLocal<double> *l, const double *px,
                                                 const double *py, const TSettleBounds &bounds,
                                                 double *x, double *y, double *nx, double *ny) {
  const double level = bounds.Level;
  const double rounding = bounds.Rounding;
  const double shift = bounds.Shift;
  const double levelError = bounds.LevelError;
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
// Adds k / d of every source to sum and |k / d| to magnitude at the nodes 0..count-1 of a
// row at the screen height y. Sources outside, nodes inside, so that the nodes go in pairs
// through the vector unit; lanes and the scalar rest round alike.
void AddSourcesToRowSse2(const TScaledSource *sources, std::size_t sourceCount, double y, int count,
                         double *sum, double *magnitude) {
  for (const TScaledSource &s : std::span(sources, sourceCount)) {
    const double dy = (y - kHalf) - s.Y;
    const double dy2 = dy * dy;
    int i = 0;
#if defined(__SSE2__)
    const __m128d vy2 = _mm_set1_pd(dy2);
    const __m128d vx = _mm_set1_pd(s.X);
    const __m128d vk = _mm_set1_pd(s.K);
    const __m128d sign = _mm_set1_pd(-0.0);
    const __m128d pair = _mm_set1_pd(2 * kStep);
    __m128d px = _mm_set_pd(kStep - kHalf, -kHalf);
    for (; i + 2 <= count; i += 2, px = _mm_add_pd(px, pair)) {
      const __m128d dx = _mm_sub_pd(px, vx);
      const __m128d t = _mm_div_pd(vk, _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(dx, dx), vy2)));
      _mm_storeu_pd(sum + i, _mm_add_pd(_mm_loadu_pd(sum + i), t));
      _mm_storeu_pd(magnitude + i, _mm_add_pd(_mm_loadu_pd(magnitude + i), _mm_andnot_pd(sign, t)));
    }
#endif
    for (; i < count; ++i) {
      const double dx = (i * kStep - kHalf) - s.X;
      const double t = s.K / std::sqrt(dx * dx + dy2);
      sum[i] += t;
      magnitude[i] += std::fabs(t);
    }
  }
}

// The same four nodes at a time, for processors with AVX, whose wide root and division take
// no longer than the narrow ones on many of them. Same roundings, same sums.
__attribute__((target("avx"))) void AddSourcesToRowAvx(const TScaledSource *sources,
                                                       std::size_t sourceCount, double y, int count,
                                                       double *sum, double *magnitude) {
  for (const TScaledSource &s : std::span(sources, sourceCount)) {
    const double dy = (y - kHalf) - s.Y;
    const double dy2 = dy * dy;
    int i = 0;
    const __m256d vy2 = _mm256_set1_pd(dy2);
    const __m256d vx = _mm256_set1_pd(s.X);
    const __m256d vk = _mm256_set1_pd(s.K);
    const __m256d sign = _mm256_set1_pd(-0.0);
    const __m256d quad = _mm256_set1_pd(4 * kStep);
    __m256d px = _mm256_set_pd(3 * kStep - kHalf, 2 * kStep - kHalf, kStep - kHalf, -kHalf);
    for (; i + 4 <= count; i += 4, px = _mm256_add_pd(px, quad)) {
      const __m256d dx = _mm256_sub_pd(px, vx);
      const __m256d t =
          _mm256_div_pd(vk, _mm256_sqrt_pd(_mm256_add_pd(_mm256_mul_pd(dx, dx), vy2)));
      _mm256_storeu_pd(sum + i, _mm256_add_pd(_mm256_loadu_pd(sum + i), t));
      _mm256_storeu_pd(magnitude + i,
                       _mm256_add_pd(_mm256_loadu_pd(magnitude + i), _mm256_andnot_pd(sign, t)));
    }
    for (; i < count; ++i) {
      const double dx = (i * kStep - kHalf) - s.X;
      const double t = s.K / std::sqrt(dx * dx + dy2);
      sum[i] += t;
      magnitude[i] += std::fabs(t);
    }
  }
}
void TintRowSse2(const float *across, int w, std::uint32_t *row) {
  constexpr int step = kPotentialGridStep;
  int x = 0;
  const __m128 sign = _mm_set1_ps(-0.0f);
  const __m128i full = _mm_set1_epi32(255);
  const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const __m128 offsets = _mm_set_ps(0.75f, 0.5f, 0.25f, 0);
  for (; x + 4 <= w; x += 4) {
    const float start = across[x / 4];
    const __m128 value =
        _mm_add_ps(_mm_set1_ps(start), _mm_mul_ps(offsets, _mm_set1_ps(across[x / 4 + 1] - start)));
    const __m128 faded = _mm_add_ps(
        _mm_mul_ps(_mm_set1_ps(255), _mm_sub_ps(_mm_set1_ps(1), _mm_andnot_ps(sign, value))),
        _mm_set1_ps(0.5f));
    const __m128i fade = _mm_cvttps_epi32(faded);
    const __m128i negative = _mm_castps_si128(_mm_cmplt_ps(value, _mm_setzero_ps()));
    const __m128i red =
        _mm_or_si128(_mm_and_si128(negative, fade), _mm_andnot_si128(negative, full));
    const __m128i blue =
        _mm_or_si128(_mm_and_si128(negative, full), _mm_andnot_si128(negative, fade));
    const __m128i pixel = _mm_or_si128(_mm_or_si128(alpha, _mm_slli_epi32(red, 16)),
                                       _mm_or_si128(_mm_slli_epi32(fade, 8), blue));
    _mm_storeu_si128(reinterpret_cast<__m128i *>(row + x), pixel);
  }
  for (; x < w; ++x) {
    const int i = x / step;
    const float t =
        across[i] + static_cast<float>(x - i * step) / step * (across[i + 1] - across[i]);
    const auto fade = static_cast<std::uint32_t>(static_cast<int>(255 * (1 - std::fabs(t)) + 0.5f));
    row[x] = t < 0 ? 0xFF000000u | fade << 16 | fade << 8 | 255u
                   : 0xFF000000u | 255u << 16 | fade << 8 | fade;
  }
}

} // namespace hand
