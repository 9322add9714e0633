#pragma once
// The tracer's inner loop: the force of every source at a point, w * (dx, dy) / r^3 summed,
// with the tests that hand a step to the careful per-source sum. Three builds of it, picked
// at run time: hand-written vector code for AVX2 where the processor has it and for SSE2 on
// other x86 processors, a plain loop elsewhere. All three add the terms in the same order,
// two running sums of alternate sources joined at the end, and round every operation alike
// (no fused multiply-add), so they give the same bits and the same pictures.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

// Below this ratio of the smaller to the larger component, an angle rounded to a double
// decides the small component (sin of pi as a double is 1.2e-16, not 0).
inline constexpr double kAxisRatio = 0x1p-48;

enum class TForcePath { Plain, Sse2, Avx2 };

// Whether this processor can take the path.
bool ForcePathSupported(TForcePath path);
// The fastest path this processor can take: what tracers take unless told otherwise.
TForcePath FastestForcePath();

// The sources a sum left to the careful sum, by groups of four: the first source of the
// group and which of its four (bit k: source First + k).
struct TCarefulSources {
  struct Group {
    uint32_t First;
    uint32_t Lanes;
  };
  static constexpr int kCapacity = 8;
  std::array<Group, kCapacity> Groups{};
  int Count = 0; // groups met; beyond kCapacity they are not listed
};

// The sources as arrays, padded to a multiple of four with far away sources of no weight
// (each adds -0, which changes no sum).
class TForceSources {
public:
  void Add(double x, double y, double weight);
  void Pad();
  // The force at (x, y) px into (fx, fy), without the sources within sqrt(stopSquared) of
  // the point or straight beside it: those are listed in careful for the careful sum to
  // decide, and their terms count as +0. True when there are none. Pad() first.
  bool Sum(TForcePath path, double x, double y, double stopSquared, double &fx, double &fy,
           TCarefulSources &careful) const;
  // The same, for callers that sum every source again themselves when one needs care.
  bool Sum(TForcePath path, double x, double y, double stopSquared, double &fx, double &fy) const {
    TCarefulSources careful;
    return Sum(path, x, y, stopSquared, fx, fy, careful);
  }

private:
  std::vector<double> x_, y_, weight_;
};
