#include "model/Equipotentials.h"

#include "model/Field.h"
#include "model/LevelPull.h"
#include "model/NumberText.h"
#include "model/ParallelFor.h"
#include "model/Scene.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <mutex>
#include <optional>
#include <utility>

namespace {

struct TNode {
  int X = 0;
  int Y = 0;
};

// A crossing of a level on the grid edge from A to B.
struct TCrossing {
  TNode A;
  TNode B;
};

// A point of a level's line as it is found.
struct TVertex {
  TIsoPoint P;
  double Nx = 0; // the curve's unit normal there; 0, 0 where unknown
  double Ny = 0;
  bool InDisc = false;
};

// Where the pull of a crossing starts: the linear interpolation along its edge.
TPulledPoint Start(const TPotentialGrid &grid, const TCrossing &c,
                   const TPotentialGrid::TLevel &scaled) {
  // The start needs no precision: doubles in the grid's units.
  const double va = grid.Scaled(c.A.X, c.A.Y) - scaled.Scaled;
  const double vb = grid.Scaled(c.B.X, c.B.Y) - scaled.Scaled;
  const double t = std::clamp(
      std::isfinite(va) && std::isfinite(vb) && va != vb ? va / (va - vb) : 0.5, 0.0, 1.0);
  constexpr double step = kPotentialGridStep;
  return {(c.A.X + t * (c.B.X - c.A.X)) * step, (c.A.Y + t * (c.B.Y - c.A.Y)) * step};
}

// The crossing's point where the pull proves none: the sign change on the edge bisected,
// which cannot fail.
TVertex Bisect(const TPotentialGrid &grid, const TCrossing &c,
               const TPotentialGrid::TLevel &scaled) {
  constexpr double step = kPotentialGridStep;
  const long double level = scaled.Volts;
  const long double ax = c.A.X * step;
  const long double ay = c.A.Y * step;
  const long double bx = c.B.X * step;
  const long double by = c.B.Y * step;
  // Bisection on the edge: A below or above the level, B on the other side.
  long double lo = 0;
  long double hi = 1;
  const bool aAbove = grid.AtOrAbove(c.A.X, c.A.Y, scaled);
  for (int i = 0; i < 24; ++i) {
    const long double mid = (lo + hi) / 2;
    const bool above =
        PotentialOf(grid.Sources(), ax + mid * (bx - ax), ay + mid * (by - ay)) >= level;
    (above == aAbove ? lo : hi) = mid;
  }
  const long double m = (lo + hi) / 2;
  return {{static_cast<double>(ax + m * (bx - ax)), static_cast<double>(ay + m * (by - ay))}};
}

// Largest distance (px) between a line's chord and its arc that is left undivided.
constexpr double kChordSagitta = 0.125;

// The points of a stretch of line without disc points, with a point pulled onto the level
// between two whose chord strays too far from the curve: an arc of length L that turns by
// theta keeps about L theta / 8 from its chord, and theta is about the distance between
// the normals at its ends.
void AddStretch(const TPotentialGrid &grid, const TPullSources &pull,
                const TPotentialGrid::TLevel &level, const TVertex *begin, const TVertex *end,
                bool closed, std::vector<TIsoPoint> &points) {
  const size_t count = static_cast<size_t>(end - begin);
  constexpr double most = 8 * kChordSagitta;
  for (size_t i = 0; i < count; ++i) {
    const TVertex &a = begin[i];
    points.push_back(a.P);
    if (i + 1 == count && !closed)
      break;
    const TVertex &b = begin[(i + 1) % count];
    const bool known = (a.Nx != 0 || a.Ny != 0) && (b.Nx != 0 || b.Ny != 0);
    const double length2 = (b.P.X - a.P.X) * (b.P.X - a.P.X) + (b.P.Y - a.P.Y) * (b.P.Y - a.P.Y);
    const double turn2 = (b.Nx - a.Nx) * (b.Nx - a.Nx) + (b.Ny - a.Ny) * (b.Ny - a.Ny);
    if (!known || !(length2 * turn2 > most * most))
      continue;
    const double mx = (a.P.X + b.P.X) / 2;
    const double my = (a.P.Y + b.P.Y) / 2;
    const auto m = pull.Pull(level, mx, my);
    if (!m)
      continue;
    // The node nearest the point is a corner of its cell.
    const int column =
        std::clamp(static_cast<int>(std::lround(m->X / kPotentialGridStep)), 0, grid.Columns() - 1);
    const int row =
        std::clamp(static_cast<int>(std::lround(m->Y / kPotentialGridStep)), 0, grid.Rows() - 1);
    if (!grid.InAnyDisc(column, row, m->X, m->Y))
      points.push_back({m->X, m->Y});
  }
}

// Marching squares of one level, the segments joined into lines.
// cells: index y * columns + x of every cell (top-left node x, y) the level crosses, in
// ascending order.
std::vector<TIsoLine> TraceLevel(const TPotentialGrid &grid, const TPullSources &pull,
                                 long double volts, const std::vector<uint32_t> &cells) {
  const TPotentialGrid::TLevel level = grid.Level(volts);
  const int w = grid.Columns();
  std::vector<TCrossing> crossings;
  std::vector<std::array<int, 2>> links;
  // About two crossings per cell, each shared by two cells.
  crossings.reserve(cells.size() + 16);
  links.reserve(cells.size() + 16);
  auto add = [&](TNode a, TNode b) {
    crossings.push_back({a, b});
    links.push_back({-1, -1});
    return static_cast<int>(crossings.size()) - 1;
  };
  // The cells come row by row, left to right: a cell's top edge can only have been made as
  // the bottom edge of the cell above, its left edge as the right edge of the cell just
  // before. Each column remembers the crossing on its horizontal edge and that edge's row.
  std::vector<int> below(static_cast<size_t>(w), -1);
  std::vector<int> belowRow(static_cast<size_t>(w), -1);
  int lastCell = -1;
  int lastRight = -1;
  auto link = [&](int a, int b) {
    (links[a][0] < 0 ? links[a][0] : links[a][1]) = b;
    (links[b][0] < 0 ? links[b][0] : links[b][1]) = a;
  };
  for (const uint32_t cell : cells) {
    const int x = static_cast<int>(cell % static_cast<uint32_t>(w));
    const int y = static_cast<int>(cell / static_cast<uint32_t>(w));
    const int bits = grid.AtOrAbove(x, y, level) | grid.AtOrAbove(x + 1, y, level) << 1 |
                     grid.AtOrAbove(x + 1, y + 1, level) << 2 |
                     grid.AtOrAbove(x, y + 1, level) << 3;
    if (bits == 0 || bits == 15)
      continue;
    // This cell's crossings, made when first asked for: top, right, bottom, left.
    int made[4] = {-1, -1, -1, -1};
    auto edge = [&](int e) {
      if (made[e] >= 0)
        return made[e];
      switch (e) {
      case 0:
        made[e] = belowRow[x] == y && below[x] >= 0 ? below[x] : add({x, y}, {x + 1, y});
        break;
      case 1:
        made[e] = add({x + 1, y}, {x + 1, y + 1});
        break;
      case 2:
        made[e] = add({x, y + 1}, {x + 1, y + 1});
        break;
      default:
        made[e] = lastCell + 1 == static_cast<int>(cell) && lastRight >= 0
                      ? lastRight
                      : add({x, y}, {x, y + 1});
      }
      return made[e];
    };
    if (bits == 5 || bits == 10) {
      const bool centreAbove = PotentialOf(grid.Sources(), (x + 0.5L) * kPotentialGridStep,
                                           (y + 0.5L) * kPotentialGridStep) >= volts;
      // Corners 0 and 2 joined through the centre: cut off corners 1 and 3.
      if ((bits == 5) == centreAbove) {
        link(edge(0), edge(1));
        link(edge(2), edge(3));
      } else {
        link(edge(0), edge(3));
        link(edge(1), edge(2));
      }
    } else {
      int ends[2];
      int n = 0;
      const int corner[4] = {bits & 1, bits >> 1 & 1, bits >> 2 & 1, bits >> 3 & 1};
      for (int e = 0; e < 4; ++e)
        if (corner[e] != corner[(e + 1) % 4])
          ends[n++] = e;
      link(edge(ends[0]), edge(ends[1]));
    }
    below[x] = made[2];
    belowRow[x] = y + 1;
    lastCell = static_cast<int>(cell);
    lastRight = made[1];
  }

  // Every crossing pulled onto the level, four at a time.
  std::vector<TPulledPoint> starts;
  starts.reserve(crossings.size());
  for (const TCrossing &c : crossings)
    starts.push_back(Start(grid, c, level));
  std::vector<std::optional<TPulledPoint>> pulled(crossings.size());
  pull.PullMany(level, starts, pulled);

  std::vector<TIsoLine> lines;
  std::vector<bool> used(crossings.size(), false);
  std::vector<TVertex> run;
  auto keep = [&](const TVertex *begin, const TVertex *end, bool closed) {
    if (end - begin < 2)
      return;
    TIsoLine &line = lines.emplace_back();
    line.Level = volts;
    line.Closed = closed;
    AddStretch(grid, pull, level, begin, end, closed, line.Points);
  };
  auto walk = [&](int start) {
    run.clear();
    int previous = -1;
    int current = start;
    while (current >= 0 && !used[current]) {
      used[current] = true;
      const TCrossing &c = crossings[current];
      const std::optional<TPulledPoint> &p = pulled[current];
      TVertex &v =
          run.emplace_back(p ? TVertex{{p->X, p->Y}, p->Nx, p->Ny} : Bisect(grid, c, level));
      v.InDisc = grid.InAnyDisc(c.A.X, c.A.Y, v.P.X, v.P.Y);
      const int next = links[current][0] != previous ? links[current][0] : links[current][1];
      previous = current;
      current = next;
    }
    const bool closed = current == start && run.size() > 2;
    // A line that enters a disc stops at it: the stretches between are lines of their own,
    // a loop's first and last joined.
    const auto inDisc = [](const TVertex &v) { return v.InDisc; };
    auto first = std::find_if(run.begin(), run.end(), inDisc);
    if (first == run.end()) {
      keep(run.data(), run.data() + run.size(), closed);
      return;
    }
    if (closed)
      std::rotate(run.begin(), first, run.end());
    const TVertex *const end = run.data() + run.size();
    for (const TVertex *from = run.data(); from != end;) {
      from = std::find_if_not(from, end, inDisc);
      const TVertex *const to = std::find_if(from, end, inDisc);
      keep(from, to, false);
      from = to;
    }
  };
  for (size_t i = 0; i < crossings.size(); ++i)
    if (!used[i] && (links[i][0] < 0 || links[i][1] < 0))
      walk(static_cast<int>(i));
  for (size_t i = 0; i < crossings.size(); ++i)
    if (!used[i])
      walk(static_cast<int>(i));
  return lines;
}

} // namespace

long double PotentialAtPoint(const TScene &scene, long double x, long double y) {
  return PotentialAt(scene, x - kChargeHalfSize, y - kChargeHalfSize);
}

long double AutomaticSpacing(const TPotentialGrid &grid) {
  const long double target = grid.TypicalMagnitude() / kAutomaticLevelsPerSide;
  if (!(target > 0) || !std::isfinite(target))
    return 0;
  const long double decade = std::pow(10.0L, std::floor(std::log10(target)));
  for (const long double m : {1.0L, 2.0L, 5.0L})
    if (m * decade >= target)
      return m * decade;
  return 10 * decade;
}

std::vector<long double> SpacedLevels(const TPotentialGrid &grid, long double spacing,
                                      int perSide) {
  std::vector<long double> levels;
  if (!(spacing > 0) || !std::isfinite(spacing))
    return levels;
  const long double lo = std::max<long double>(std::ceil(grid.Min() / spacing), -perSide);
  const long double hi = std::min<long double>(std::floor(grid.Max() / spacing), perSide);
  for (long double k = lo; k <= hi; ++k)
    levels.push_back(k * spacing);
  return levels;
}

std::vector<TIsoLine> TraceEquipotentials(const TPotentialGrid &grid,
                                          const std::vector<long double> &levels,
                                          const TLevelTraced &traced) {
  // One pass over the cells files each under the levels between its least and greatest
  // corner, so that a level visits only the cells it crosses.
  std::vector<size_t> order(levels.size());
  for (size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return levels[a] < levels[b]; });
  // In the grid's units: the slack covers the rounding, and a cell filed too many is
  // skipped by the marching.
  std::vector<double> sorted;
  for (const size_t i : order)
    sorted.push_back(grid.Level(levels[i]).Scaled);
  // Bands of rows on all cores, each filing its cells in ascending order; a level's cells
  // are then its bands' lists in order.
  const int w = grid.Columns();
  constexpr int kBandRows = 16;
  const int cellRows = std::max(grid.Rows() - 1, 0);
  const size_t bands = static_cast<size_t>((cellRows + kBandRows - 1) / kBandRows);
  std::vector<std::vector<std::vector<uint32_t>>> filed(
      bands, std::vector<std::vector<uint32_t>>(levels.size()));
  ParallelFor(bands, [&](size_t band) {
    std::vector<std::vector<uint32_t>> &cells = filed[band];
    const int first = static_cast<int>(band) * kBandRows;
    size_t next = 0;
    for (int y = first; y < std::min(first + kBandRows, cellRows); ++y) {
      for (int x = 0; x + 1 < w; ++x) {
        if (grid.InCore(x, y) || grid.InCore(x + 1, y) || grid.InCore(x + 1, y + 1) ||
            grid.InCore(x, y + 1))
          continue;
        // Crossed: some corner possibly below the level, some possibly at or above it
        // (too close to tell is decided by the marching in extended precision).
        const auto low = [&](int i, int j) { return grid.Scaled(i, j) - grid.ScaledSlack(i, j); };
        const auto high = [&](int i, int j) { return grid.Scaled(i, j) + grid.ScaledSlack(i, j); };
        const double least = std::min({low(x, y), low(x + 1, y), low(x + 1, y + 1), low(x, y + 1)});
        const double most =
            std::max({high(x, y), high(x + 1, y), high(x + 1, y + 1), high(x, y + 1)});
        // The first level above least, from the neighbouring cell's: a step or none in a
        // smooth potential.
        while (next > 0 && sorted[next - 1] > least)
          --next;
        while (next < sorted.size() && sorted[next] <= least)
          ++next;
        for (size_t k = next; k < sorted.size() && sorted[k] <= most; ++k)
          cells[order[k]].push_back(static_cast<uint32_t>(y * w + x));
      }
    }
  });
  const TPullSources pull(grid);
  // The levels with the most cells first, so that no long one is left for the end while
  // the other cores wait.
  std::vector<size_t> cellCount(levels.size(), 0);
  for (size_t level = 0; level < levels.size(); ++level)
    for (const auto &band : filed)
      cellCount[level] += band[level].size();
  std::vector<size_t> byWork(levels.size());
  for (size_t i = 0; i < byWork.size(); ++i)
    byWork[i] = i;
  std::stable_sort(byWork.begin(), byWork.end(),
                   [&](size_t a, size_t b) { return cellCount[a] > cellCount[b]; });
  std::vector<std::vector<TIsoLine>> perLevel(levels.size());
  std::mutex tracedMutex;
  ParallelFor(levels.size(), [&](size_t task) {
    const size_t level = byWork[task];
    std::vector<uint32_t> cells;
    cells.reserve(cellCount[level]);
    for (const auto &band : filed)
      cells.insert(cells.end(), band[level].begin(), band[level].end());
    perLevel[level] = TraceLevel(grid, pull, levels[level], cells);
    if (traced) {
      const std::lock_guard lock(tracedMutex);
      traced(perLevel[level]);
    }
  });
  std::vector<TIsoLine> lines;
  for (auto &set : perLevel)
    for (auto &line : set)
      lines.push_back(std::move(line));
  return lines;
}

QString FormatVolts(long double volts) {
  static const char *const prefixes[] = {"f", "p", "n", "µ", "m", "", "k", "M", "G"};
  constexpr int kLowest = -5; // fV
  constexpr int kHighest = 3; // GV
  if (volts == 0 || !std::isfinite(volts))
    return FormatGeneral(volts, 3) + QStringLiteral(" V");
  // Rounded to three significant digits before the prefix is chosen, so that 999.7 V reads
  // "1 kV", not "1000 V".
  const long double unit =
      std::pow(10.0L, std::floor(std::log10(std::fabs(volts))) - 2); // V of the third digit
  const long double rounded = std::nearbyint(volts / unit) * unit;
  int p = std::clamp(static_cast<int>(std::floor(std::log10(std::fabs(rounded)) / 3)), kLowest,
                     kHighest);
  // The logarithm of an exact power of 1000 may fall just below it.
  if (p < kHighest && std::fabs(rounded / std::pow(1000.0L, p)) >= 999.5L)
    ++p;
  const long double scaled = rounded / std::pow(1000.0L, p);
  // Three significant digits, but never an exponent beyond the prefixes' range.
  const int decimals = std::max(0, 2 - static_cast<int>(std::floor(std::log10(std::fabs(scaled)))));
  return FormatFixed(scaled, decimals) + QStringLiteral(" ") +
         QString::fromUtf8(prefixes[p - kLowest]) + QStringLiteral("V");
}
