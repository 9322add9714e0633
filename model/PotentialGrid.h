#pragma once
// The potential sampled on a grid over the visible area, shared by the equipotential lines
// and the potential map. The nodes are computed in double precision, vectorised along a
// row, each with a bound on its rounding error; a node that a level passes within that bound
// is put on its side of the level in extended precision.

#include "base/Geometry.h"

#include <cstddef>
#include <cstdint>
#include <vector>

struct TScene;

// Radius (px) of the disc about a source's centre in which no line is drawn.
inline constexpr int kEquipotentialDiscRadius = 10;

// Distance (px) of the grid's nodes. A closed equipotential always encloses a source (the
// potential has no extremum between the charges), so a loop drawn whole lies round the
// source's disc of 20 px across, which holds nodes: the grid would need a step of 14 px to
// lose one. The cells that reach into a disc are marched too; only those wholly inside it
// are not.
inline constexpr int kPotentialGridStep = 4;

// A source as its potential sees it: k / d volts at d px from the centre (X, Y) px, with
// k = q PixelsPerMetre / (4 pi epsilon0), the terms of PotentialAt.
struct TPotentialSource {
  long double X = 0; // px
  long double Y = 0; // px
  long double K = 0; // V px
};

// Every source of the scene.
std::vector<TPotentialSource> PotentialSources(const TScene &scene);

// Potential (V) at the screen point (x, y) px in extended precision; infinite on a centre.
long double PotentialOf(const std::vector<TPotentialSource> &sources, long double x, long double y);

// The potential (V) at the nodes (i, j) of a grid over the visible area, node (i, j) being
// the screen point (i, j) * kPotentialGridStep; the last column and row reach the area's
// right and bottom pixels. Computed on all cores.
class TPotentialGrid {
public:
  TPotentialGrid(const TScene &scene, TSize area);

  int Width() const { return size_.Width; } // px of the area
  int Height() const { return size_.Height; }
  int Columns() const { return columns_; }
  int Rows() const { return rows_; }
  const std::vector<TPotentialSource> &Sources() const { return sources_; }

  // The node's potential (V), within Slack(i, j) of PotentialOf.
  long double At(int i, int j) const { return values_[Index(i, j)] * unit_; }
  long double Slack(int i, int j) const { return slack_[Index(i, j)] * unit_; }
  // The node's potential in units of Unit() (a power of two that keeps doubles in range).
  double Scaled(int i, int j) const { return values_[Index(i, j)]; }
  long double Unit() const { return unit_; }
  double ScaledSlack(int i, int j) const { return slack_[Index(i, j)]; }

  // A level in volts and in the grid's units.
  struct TLevel {
    long double Volts = 0;
    double Scaled = 0;
  };
  TLevel Level(long double volts) const { return {volts, static_cast<double>(volts / unit_)}; }
  // Whether the node's potential is at or above the level, decided as in extended precision.
  // (The slack is twice the rounding bound: the rest covers the level's rounding to Scaled
  // and that of the comparison.)
  bool AtOrAbove(int i, int j, const TLevel &level) const {
    const double value = values_[Index(i, j)];
    const double slack = slack_[Index(i, j)];
    if (value - slack >= level.Scaled)
      return true;
    if (value + slack < level.Scaled)
      return false;
    return ExactlyAtOrAbove(i, j, level.Volts);
  }

  // Within kEquipotentialDiscRadius of a source's centre.
  bool InDisc(int i, int j) const { return (disc_[Index(i, j)] & kDisc) != 0; }
  // So deep in a disc that every cell with this corner lies wholly inside it.
  bool InCore(int i, int j) const { return (disc_[Index(i, j)] & kCore) != 0; }
  // Whether the screen point (x, y) px, at most a cell's diagonal from the node (i, j),
  // lies within kEquipotentialDiscRadius of a source's centre.
  bool InAnyDisc(int i, int j, double x, double y) const;
  // Least and greatest potential outside the discs; both 0 when there is no such pixel.
  long double Min() const { return min_; }
  long double Max() const { return max_; }
  // The 95th percentile of |potential| at every other node each way outside the discs: the
  // picture's scale.
  long double TypicalMagnitude() const { return typical_; }

private:
  static constexpr unsigned char kDisc = 1;
  static constexpr unsigned char kCore = 2;
  std::size_t Index(int i, int j) const { return static_cast<std::size_t>(j) * columns_ + i; }
  bool ExactlyAtOrAbove(int i, int j, long double level) const;
  void MarkDiscs();

  TSize size_;
  int columns_ = 0;
  int rows_ = 0;
  std::vector<TPotentialSource> sources_;
  long double unit_ = 1;
  std::vector<double> values_;
  std::vector<double> slack_;
  std::vector<unsigned char> disc_;
  // The sources within a cell's diagonal of their disc, node by node: those of node k are
  // near_[nearStart_[k]] up to near_[nearStart_[k + 1]].
  std::vector<std::uint32_t> nearStart_;
  std::vector<std::uint32_t> near_;
  long double min_ = 0;
  long double max_ = 0;
  long double typical_ = 0;
};
