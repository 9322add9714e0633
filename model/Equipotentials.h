#pragma once
// Equipotential lines of a scene: marching squares per level on the potential
// grid (saddle cells decided by the potential at the cell centre), each vertex then pulled
// onto the exact level. Lines end at the picture's border and at the disc of every source.

#include "model/PotentialGrid.h"

#include <QString>

#include <functional>
#include <vector>

// Most levels on each side of zero, automatic or fixed spacing.
inline constexpr int kAutomaticLevelsPerSide = 16;
inline constexpr int kMaxLevelsPerSide = 200;

struct TIsoPoint {
  double X = 0; // px
  double Y = 0; // px
};

struct TIsoLine {
  long double Level = 0; // V
  bool Closed = false;   // the last point joins the first
  std::vector<TIsoPoint> Points;
};

// Potential (V) at the screen point (x, y) px.
long double PotentialAtPoint(const TScene &scene, long double x, long double y);

// The 1-2-5 spacing (V) that puts about 8 to 16 levels between 0 and the picture's typical
// potential; 0 when the picture has no potential.
long double AutomaticSpacing(const TPotentialGrid &grid);
// Every multiple of spacing within the potentials of the picture, 0 V included where it
// occurs, at most perSide on each side of zero, ascending. None for a spacing that is not
// positive and finite.
std::vector<long double> SpacedLevels(const TPotentialGrid &grid, long double spacing, int perSide);
inline std::vector<long double> AutomaticLevels(const TPotentialGrid &grid) {
  return SpacedLevels(grid, AutomaticSpacing(grid), kAutomaticLevelsPerSide);
}

// Called with a level's lines as soon as they are traced, one call at a time, in no
// particular order of the levels.
using TLevelTraced = std::function<void(const std::vector<TIsoLine> &)>;

// The lines of every level, level by level, on all cores.
std::vector<TIsoLine> TraceEquipotentials(const TPotentialGrid &grid,
                                          const std::vector<long double> &levels,
                                          const TLevelTraced &traced = {});

// A level as its label: three significant digits in the locale's number texts with an SI
// prefix from fV to GV, one to three digits before the separator ("120 V", "-1,5 kV",
// "45 nV").
QString FormatVolts(long double volts);
