#pragma once
// Charge configurations shared by the tracer's regression tests and its benchmarks: a
// dipole, random sources, many lines, many sources, four like charges on a square.

#include "model/Document.h"

#include <memory>
#include <random>
#include <string>

namespace configurations {

inline void Add(long double cx, long double cy, long double value, uint32_t lines) {
  auto c = std::make_unique<TPointCharge>();
  c->X = static_cast<double>(cx - 10);
  c->Y = static_cast<double>(cy - 10);
  c->ChargeValue = value;
  c->FieldLineCount = lines;
  Charges.Add(std::move(c));
}

// Sources at whole pixels inside a 792 by 535 surface, 1 to 5 nC of either sign.
inline void Random(int sources, uint32_t lines, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> x(20, 772), y(20, 515), sign(0, 1);
  std::uniform_real_distribution<double> magnitude(1e-9, 5e-9);
  for (int i = 0; i < sources; ++i)
    Add(x(random), y(random), (sign(random) ? 1 : -1) * magnitude(random), lines);
}

// Replaces the charges by configuration a to f; seed varies the random ones.
inline std::string Load(char which, unsigned seed = 0) {
  FreeCharges(false);
  switch (which) {
  case 'a':
    Add(296, 267, 1e-9L, 16);
    Add(496, 267, -1e-9L, 16);
    return "dipole, 16 lines each";
  case 'b':
    Random(10, 16, 10 + seed);
    return "10 random sources, 16 lines";
  case 'c':
    Random(20, 16, 20 + seed);
    return "20 random sources, 16 lines";
  case 'd':
    Random(5, 400, 5 + seed);
    return "5 random sources, 400 lines";
  case 'e':
    Random(100, 16, 100 + seed);
    return "100 random sources, 16 lines";
  default:
    Add(346, 217, 1e-9L, 16);
    Add(446, 217, 1e-9L, 16);
    Add(346, 317, 1e-9L, 16);
    Add(446, 317, 1e-9L, 16);
    return "four like charges on a square, 16 lines";
  }
}

} // namespace configurations
