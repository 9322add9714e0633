#pragma once
// 1 / sqrt(d2) for four doubles at once without the root and the division, which share one
// slow unit of the processor: its single-precision estimate, then three Newton steps. The
// estimate is within 1.5 * 2^-12 (2^-11.9 measured with the rounding to float); two steps
// would square away even 2^-8, and the third leaves the roundings: within 3 units of 2^-53
// (2.4 measured over 20 million random d2 across the range).

#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#define KRAFTBILD_INVERSE_ROOT 1

// Where the estimate holds: d2 and its inverse root in the range of normal floats.
inline constexpr double kInverseRootLow = 0x1p-100;
inline constexpr double kInverseRootHigh = 0x1p100;

__attribute__((target("avx2,fma"))) inline __m256d InverseRoot(__m256d d2) {
  __m256d y = _mm256_cvtps_pd(_mm_rsqrt_ps(_mm256_cvtpd_ps(d2)));
  const __m256d half = _mm256_mul_pd(d2, _mm256_set1_pd(0.5));
  const __m256d threeHalves = _mm256_set1_pd(1.5);
  for (int i = 0; i < 3; ++i)
    y = _mm256_mul_pd(y, _mm256_fnmadd_pd(half, _mm256_mul_pd(y, y), threeHalves));
  return y;
}

// Whether all four d2 lie where InverseRoot holds.
__attribute__((target("avx2,fma"))) inline bool InverseRootHolds(__m256d d2) {
  const __m256d inside =
      _mm256_and_pd(_mm256_cmp_pd(d2, _mm256_set1_pd(kInverseRootLow), _CMP_GE_OQ),
                    _mm256_cmp_pd(d2, _mm256_set1_pd(kInverseRootHigh), _CMP_LE_OQ));
  return _mm256_movemask_pd(inside) == 0xF;
}

// Whether this processor has what InverseRoot needs.
inline bool HasInverseRoot() {
  static const bool has = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
  return has;
}
#endif
