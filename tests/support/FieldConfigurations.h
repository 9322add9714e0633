#pragma once
// Charge configurations shared by the tracer's regression tests and its benchmarks: a
// dipole, random sources, many lines, many sources, four like charges on a square, and
// symmetric ones whose lines run into saddles between the charges.

#include "model/Scene.h"

#include <cmath>
#include <initializer_list>
#include <random>
#include <string>

namespace configurations {

inline void Add(TScene &scene, long double cx, long double cy, long double value, uint32_t lines) {
  TPointCharge c;
  c.X = static_cast<double>(cx - kChargeHalfSize);
  c.Y = static_cast<double>(cy - kChargeHalfSize);
  c.ChargeValue = value;
  c.FieldLineCount = lines;
  scene.Charges.Add(c);
}

// Sources at whole pixels inside a 792 by 535 surface, 1 to 5 nC of either sign.
inline void Random(TScene &scene, int sources, uint32_t lines, unsigned seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> x(20, 772), y(20, 515), sign(0, 1);
  std::uniform_real_distribution<double> magnitude(1e-9, 5e-9);
  for (int i = 0; i < sources; ++i)
    Add(scene, x(random), y(random), (sign(random) ? 1 : -1) * magnitude(random), lines);
}

struct Placed {
  long double dx, dy, value; // px from the centre of the surface, C
};

struct Point {
  long double x, y; // px
};

// The point (dx, dy) px from the centre of the 792 by 535 surface, turned about it by
// eighths * 45 degrees.
inline Point TurnedPoint(long double dx, long double dy, unsigned eighths) {
  const long double angle = eighths * 3.14159265358979323846L / 4;
  const long double c = std::cos(angle), s = std::sin(angle);
  return {396 + c * dx - s * dy, 267 + s * dx + c * dy};
}

inline void Turned(TScene &scene, std::initializer_list<Placed> sources, unsigned eighths) {
  for (const Placed &p : sources) {
    const Point at = TurnedPoint(p.dx, p.dy, eighths);
    Add(scene, at.x, at.y, p.value, 16);
  }
}

// Replaces the scene's charges by configuration a to m; seed varies the random ones and turns
// the symmetric ones (g to j, m) by seed * 45 degrees.
inline std::string Load(TScene &scene, char which, unsigned seed = 0) {
  scene.Charges.Clear();
  switch (which) {
  case 'a':
    Add(scene, 296, 267, 1e-9L, 16);
    Add(scene, 496, 267, -1e-9L, 16);
    return "dipole, 16 lines each";
  case 'b':
    Random(scene, 10, 16, 10 + seed);
    return "10 random sources, 16 lines";
  case 'c':
    Random(scene, 20, 16, 20 + seed);
    return "20 random sources, 16 lines";
  case 'd':
    Random(scene, 5, 400, 5 + seed);
    return "5 random sources, 400 lines";
  case 'e':
    Random(scene, 100, 16, 100 + seed);
    return "100 random sources, 16 lines";
  case 'g':
    Turned(scene, {{-50, -50, 1e-9L}, {50, 50, 1e-9L}}, seed);
    return "two like charges on a 45-degree line";
  case 'h':
    Turned(scene, {{-50, -50, 1e-9L}, {50, -50, -1e-9L}, {50, 50, 1e-9L}, {-50, 50, -1e-9L}}, seed);
    return "quadrupole";
  case 'i':
    Turned(scene, {{-100, 0, 1e-9L}, {0, 0, 1e-9L}, {100, 0, 1e-9L}}, seed);
    return "three like charges in a row";
  case 'j':
    Turned(scene, {{0, -100, 1e-9L}, {100, 0, 1e-9L}, {0, 100, 1e-9L}, {-100, 0, 1e-9L}}, seed);
    return "four like charges on a square standing on a corner";
  case 'k':
    Add(scene, 300, 267, 1e-9L, 16);
    Add(scene, 500, 267, 1e-9L, 16);
    return "two like charges in a row";
  case 'l':
    Add(scene, 396, 100, -2e-9L, 16);
    Add(scene, 396, 400, -2e-9L, 16);
    return "two like negative charges in a column";
  case 'm':
    for (unsigned k = 0; k < 8; ++k) {
      const Point at = TurnedPoint(120, 0, k + seed);
      Add(scene, at.x, at.y, 1e-9L, 16);
    }
    return "eight like charges on a circle";
  default:
    Add(scene, 346, 217, 1e-9L, 16);
    Add(scene, 446, 217, 1e-9L, 16);
    Add(scene, 346, 317, 1e-9L, 16);
    Add(scene, 446, 317, 1e-9L, 16);
    return "four like charges on a square, 16 lines";
  }
}

} // namespace configurations
