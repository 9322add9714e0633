#pragma once
// Rounding of coordinates to whole pixels. Round is to nearest with ties to even (the
// default rounding mode), Trunc cuts towards zero. Values beyond the range any screen can
// show are saturated, so that a charge panned far away never overflows an integer.

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace pixel {

// Far beyond any drawing surface, yet small enough that adding a sprite size or a
// surface size cannot overflow 32 bits.
inline constexpr long double kLimit = 1.0e9L;

inline int32_t Saturate(long double v) {
  if (std::isnan(v))
    return 0;
  if (v > kLimit)
    return static_cast<int32_t>(kLimit);
  if (v < -kLimit)
    return -static_cast<int32_t>(kLimit);
  return static_cast<int32_t>(v);
}

// lrint rounds in the current mode, which is to nearest with ties to even; it is much
// cheaper than nearbyint on the extended type.
inline int32_t Round(long double v) {
  if (!(v >= -kLimit && v <= kLimit))
    return Saturate(v);
  return static_cast<int32_t>(std::lrint(v));
}
inline int32_t Round(double v) {
  if (!(v >= -static_cast<double>(kLimit) && v <= static_cast<double>(kLimit)))
    return Saturate(v);
  return static_cast<int32_t>(std::lrint(v));
}
inline int32_t Trunc(long double v) { return Saturate(std::trunc(v)); }

// base + delta in 64 bits, saturated to the 32-bit range: marks drawn a few pixels beside an
// origin that may lie anywhere in that range (from a file) never wrap round to the other end.
inline int32_t Offset(int32_t base, int64_t delta) {
  const int64_t sum = int64_t{base} + delta;
  return static_cast<int32_t>(std::clamp<int64_t>(sum, INT32_MIN, INT32_MAX));
}
inline int32_t Trunc(double v) { return Saturate(std::trunc(v)); }

} // namespace pixel
