#pragma once
// Equipotential lines of a document snapshot: the potential sampled on every pixel of the
// visible area, marching squares per level (saddle cells decided by the potential at the
// cell centre), each vertex then pulled onto the exact level. Lines end at the picture's
// border and at the disc of every source.

#include "base/Geometry.h"

#include <QString>

#include <vector>

class TDocument;

// Radius (px) of the disc about a source's centre in which no line is drawn.
inline constexpr int kEquipotentialDiscRadius = 10;
// Most levels on each side of zero, automatic or fixed spacing.
inline constexpr int kAutomaticLevelsPerSide = 16;
inline constexpr int kMaxLevelsPerSide = 200;

// Distance (px) of the grid's nodes: any loop round a disc of more than 2 sqrt 2 px holds a
// node, so no loop larger than 4 px is missed.
inline constexpr int kPotentialGridStep = 2;

// The potential (V) at the nodes (i, j) of a grid over the visible area, node (i, j) being
// the screen point (i, j) * kPotentialGridStep; the last column and row reach the area's
// right and bottom pixels. Computed on all cores.
class TPotentialGrid {
public:
  TPotentialGrid(const TDocument &document, TSize area);

  int Width() const { return size_.Width; } // px of the area
  int Height() const { return size_.Height; }
  int Columns() const { return columns_; }
  int Rows() const { return rows_; }
  long double At(int i, int j) const { return values_[Index(i, j)]; }
  // Within kEquipotentialDiscRadius of a source's centre.
  bool InDisc(int i, int j) const { return disc_[Index(i, j)] != 0; }
  // Least and greatest potential outside the discs; both 0 when there is no such pixel.
  long double Min() const { return min_; }
  long double Max() const { return max_; }
  // The 95th percentile of |potential| at the nodes outside the discs: the picture's scale.
  long double TypicalMagnitude() const { return typical_; }

private:
  size_t Index(int i, int j) const { return static_cast<size_t>(j) * columns_ + i; }

  TSize size_;
  int columns_ = 0;
  int rows_ = 0;
  std::vector<long double> values_;
  std::vector<unsigned char> disc_;
  long double min_ = 0;
  long double max_ = 0;
  long double typical_ = 0;
};

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
long double PotentialAtPoint(const TDocument &document, long double x, long double y);

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

// The lines of every level, level by level, on all cores.
std::vector<TIsoLine> TraceEquipotentials(const TDocument &document, const TPotentialGrid &grid,
                                          const std::vector<long double> &levels);

// A level as its label: three significant digits in the locale's number texts with an SI
// prefix from mV to MV ("120 V", "-1,5 kV", "250 mV").
QString FormatVolts(long double volts);
