#include "model/Equipotentials.h"

#include "model/Document.h"
#include "model/Field.h"
#include "model/NumberText.h"
#include "model/ParallelFor.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <unordered_map>

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

// The potential (V) and its gradient (V/px) at a point in extended precision, with what
// bounds their rounding and the potential's bending nearby.
struct TLocal {
  long double V = 0;
  long double Gx = 0;
  long double Gy = 0;
  long double Bend = 0;         // sum of 2 |k| / d^3: |u^T H u| at the point, |u| = 1
  long double Nearest = 0;      // least distance d (px) to a source
  long double Magnitude = 0;    // sum of |k| / d
  long double GradientSize = 0; // sum of |k| / d^2
};

TLocal Evaluate(const std::vector<TPotentialSource> &sources, long double x, long double y) {
  TLocal l;
  l.Nearest = std::numeric_limits<long double>::infinity();
  for (const TPotentialSource &s : sources) {
    const long double dx = x - s.X;
    const long double dy = y - s.Y;
    const long double d = std::sqrt(dx * dx + dy * dy);
    const long double inverse = 1 / d;
    const long double t = s.K * inverse;
    const long double w = t * inverse * inverse;
    l.V += t;
    l.Gx -= w * dx;
    l.Gy -= w * dy;
    l.Bend += 2 * std::fabs(w);
    l.Nearest = std::min(l.Nearest, d);
    l.Magnitude += std::fabs(t);
    l.GradientSize += std::fabs(t) * inverse;
  }
  return l;
}

// Largest distance (px) from the true curve at which a Newton step's result is taken.
constexpr long double kSettled = 0.05L;

// Pulls the crossing onto the level: Newton steps along the gradient from the linear
// interpolation, each result taken once the potential's bending proves it within kSettled
// of the curve; where none is (near a saddle the gradient vanishes) or they stray from the
// cell, the sign change on the edge is bisected instead, which cannot fail.
TIsoPoint Refine(const TPotentialGrid &grid, const TCrossing &c, long double level) {
  const std::vector<TPotentialSource> &sources = grid.Sources();
  const long double va = grid.At(c.A.X, c.A.Y) - level;
  const long double vb = grid.At(c.B.X, c.B.Y) - level;
  long double t = std::isfinite(va) && std::isfinite(vb) && va != vb ? va / (va - vb) : 0.5L;
  t = std::clamp<long double>(t, 0, 1);
  constexpr long double step = kPotentialGridStep;
  const long double ax = c.A.X * step;
  const long double ay = c.A.Y * step;
  const long double bx = c.B.X * step;
  const long double by = c.B.Y * step;
  const long double x0 = ax + t * (bx - ax);
  const long double y0 = ay + t * (by - ay);
  long double x = x0;
  long double y = y0;
  // Rounding of a sum of n terms, each within a few units in the last place.
  const long double rounding =
      (static_cast<long double>(sources.size()) + 8) * std::numeric_limits<long double>::epsilon();
  for (int i = 0; i < 4; ++i) {
    const TLocal l = Evaluate(sources, x, y);
    const long double f = l.V - level;
    const long double g2 = l.Gx * l.Gx + l.Gy * l.Gy;
    if (!std::isfinite(f) || !(g2 > 0) || !std::isfinite(g2))
      break;
    const long double g = std::sqrt(g2);
    x -= f * l.Gx / g2;
    y -= f * l.Gy / g2;
    // Along the gradient's direction u from the step's result, the potential changes at
    // least g / 2 per px as long as H (delta + s) + gradient error <= g / 2, where H bounds
    // u^T Hessian u within delta + kSettled: every source's 2 |k| / d^3, d shrunk by that
    // much. The level is then no farther than s = 2 e / g, e bounding the result's
    // potential from the level: the Taylor rest H delta^2 / 2 and the rounding.
    if (!(std::hypot(x - x0, y - y0) < 1))
      break;
    const long double delta = std::fabs(f) / g;
    const long double reach = delta + kSettled;
    if (!(reach < l.Nearest))
      continue;
    const long double shrink = 1 - reach / l.Nearest;
    const long double bend = l.Bend / (shrink * shrink * shrink);
    const long double gradientError = rounding * l.GradientSize;
    const long double e =
        bend * delta * delta / 2 + rounding * l.Magnitude + 2 * delta * gradientError;
    const long double s = 2 * e / g;
    if (s <= kSettled && bend * (delta + s) + gradientError <= g / 2)
      return {static_cast<double>(x), static_cast<double>(y)};
  }
  // Bisection on the edge: A below or above the level, B on the other side.
  long double lo = 0;
  long double hi = 1;
  const bool aAbove = grid.AtOrAbove(c.A.X, c.A.Y, level);
  for (int i = 0; i < 24; ++i) {
    const long double mid = (lo + hi) / 2;
    const bool above = PotentialOf(sources, ax + mid * (bx - ax), ay + mid * (by - ay)) >= level;
    (above == aAbove ? lo : hi) = mid;
  }
  const long double m = (lo + hi) / 2;
  return {static_cast<double>(ax + m * (bx - ax)), static_cast<double>(ay + m * (by - ay))};
}

// Marching squares of one level, the segments joined into lines.
// cells: index y * columns + x of every cell (top-left node x, y) the level crosses, in
// ascending order.
std::vector<TIsoLine> TraceLevel(const TPotentialGrid &grid, long double level,
                                 const std::vector<uint32_t> &cells) {
  const int w = grid.Columns();
  // Vertices keyed by their edge: 2 * node index for the edge to the right, + 1 downwards.
  std::unordered_map<uint64_t, int> vertexOf;
  std::vector<TCrossing> crossings;
  std::vector<std::array<int, 2>> links;
  auto vertex = [&](int x, int y, bool down) {
    const uint64_t key = (static_cast<uint64_t>(y) * w + x) * 2 + (down ? 1 : 0);
    auto [it, added] = vertexOf.try_emplace(key, static_cast<int>(crossings.size()));
    if (added) {
      crossings.push_back({{x, y}, {down ? x : x + 1, down ? y + 1 : y}});
      links.push_back({-1, -1});
    }
    return it->second;
  };
  auto link = [&](int a, int b) {
    (links[a][0] < 0 ? links[a][0] : links[a][1]) = b;
    (links[b][0] < 0 ? links[b][0] : links[b][1]) = a;
  };
  for (const uint32_t cell : cells) {
    {
      const int x = static_cast<int>(cell % static_cast<uint32_t>(w));
      const int y = static_cast<int>(cell / static_cast<uint32_t>(w));
      const int bits = grid.AtOrAbove(x, y, level) | grid.AtOrAbove(x + 1, y, level) << 1 |
                       grid.AtOrAbove(x + 1, y + 1, level) << 2 |
                       grid.AtOrAbove(x, y + 1, level) << 3;
      if (bits == 0 || bits == 15)
        continue;
      // Edges: top, right, bottom, left.
      auto edge = [&](int e) {
        switch (e) {
        case 0:
          return vertex(x, y, false);
        case 1:
          return vertex(x + 1, y, true);
        case 2:
          return vertex(x, y + 1, false);
        default:
          return vertex(x, y, true);
        }
      };
      if (bits == 5 || bits == 10) {
        const bool centreAbove = PotentialOf(grid.Sources(), (x + 0.5L) * kPotentialGridStep,
                                             (y + 0.5L) * kPotentialGridStep) >= level;
        // Corners 0 and 2 joined through the centre: cut off corners 1 and 3.
        if ((bits == 5) == centreAbove) {
          link(edge(0), edge(1));
          link(edge(2), edge(3));
        } else {
          link(edge(0), edge(3));
          link(edge(1), edge(2));
        }
        continue;
      }
      int ends[2];
      int n = 0;
      const int corner[4] = {bits & 1, bits >> 1 & 1, bits >> 2 & 1, bits >> 3 & 1};
      for (int e = 0; e < 4; ++e)
        if (corner[e] != corner[(e + 1) % 4])
          ends[n++] = e;
      link(edge(ends[0]), edge(ends[1]));
    }
  }

  std::vector<TIsoLine> lines;
  std::vector<bool> used(crossings.size(), false);
  auto walk = [&](int start) {
    TIsoLine &line = lines.emplace_back();
    line.Level = level;
    int previous = -1;
    int current = start;
    while (current >= 0 && !used[current]) {
      used[current] = true;
      line.Points.push_back(Refine(grid, crossings[current], level));
      const int next = links[current][0] != previous ? links[current][0] : links[current][1];
      previous = current;
      current = next;
    }
    line.Closed = current == start && line.Points.size() > 2;
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

long double PotentialAtPoint(const TDocument &document, long double x, long double y) {
  return PotentialAt(document, x - kChargeHalfSize, y - kChargeHalfSize);
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
                                          const std::vector<long double> &levels) {
  // One pass over the cells files each under the levels between its least and greatest
  // corner, so that a level visits only the cells it crosses.
  std::vector<size_t> order(levels.size());
  for (size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return levels[a] < levels[b]; });
  std::vector<long double> sorted;
  for (const size_t i : order)
    sorted.push_back(levels[i]);
  std::vector<std::vector<uint32_t>> cells(levels.size());
  const int w = grid.Columns();
  for (int y = 0; y + 1 < grid.Rows(); ++y) {
    for (int x = 0; x + 1 < w; ++x) {
      if (grid.InDisc(x, y) || grid.InDisc(x + 1, y) || grid.InDisc(x + 1, y + 1) ||
          grid.InDisc(x, y + 1))
        continue;
      const long double a = grid.At(x, y);
      const long double b = grid.At(x + 1, y);
      const long double c = grid.At(x + 1, y + 1);
      const long double d = grid.At(x, y + 1);
      const long double slack = std::max(
          {grid.Slack(x, y), grid.Slack(x + 1, y), grid.Slack(x + 1, y + 1), grid.Slack(x, y + 1)});
      const long double low = std::min({a, b, c, d}) - slack;
      const long double high = std::max({a, b, c, d}) + slack;
      // Crossed: some corner below the level, some at or above it (or too close to tell:
      // the marching decides those in extended precision).
      for (auto it = std::upper_bound(sorted.begin(), sorted.end(), low);
           it != sorted.end() && *it <= high; ++it)
        cells[order[static_cast<size_t>(it - sorted.begin())]].push_back(
            static_cast<uint32_t>(y * w + x));
    }
  }
  std::vector<std::vector<TIsoLine>> perLevel(levels.size());
  ParallelFor(levels.size(),
              [&](size_t i) { perLevel[i] = TraceLevel(grid, levels[i], cells[i]); });
  std::vector<TIsoLine> lines;
  for (auto &set : perLevel)
    for (auto &line : set)
      lines.push_back(std::move(line));
  return lines;
}

QString FormatVolts(long double volts) {
  static const char *const prefixes[] = {"m", "", "k", "M"};
  if (volts == 0 || !std::isfinite(volts))
    return FormatGeneral(volts, 3) + QStringLiteral(" V");
  const int p = std::clamp(static_cast<int>(std::floor(std::log10(std::fabs(volts)) / 3)), -1, 2);
  const long double scaled = volts / std::pow(1000.0L, p);
  // Three significant digits, but never an exponent beyond the prefixes' range.
  const int decimals = std::max(0, 2 - static_cast<int>(std::floor(std::log10(std::fabs(scaled)))));
  return FormatFixed(scaled, decimals) + QStringLiteral(" ") +
         QString::fromLatin1(prefixes[p + 1]) + QStringLiteral("V");
}
