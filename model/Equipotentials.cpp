#include "model/Equipotentials.h"

#include "model/Document.h"
#include "model/Field.h"
#include "model/NumberText.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <thread>
#include <unordered_map>

namespace {

// Calls work(i) for i in 0..count-1 on all cores.
template <typename Work> void ParallelFor(size_t count, const Work &work) {
  std::atomic<size_t> next{0};
  auto run = [&] {
    for (size_t i = next.fetch_add(1); i < count; i = next.fetch_add(1))
      work(i);
  };
  const size_t workers = std::min<size_t>(std::max(1u, std::thread::hardware_concurrency()),
                                          std::max<size_t>(count, 1));
  std::vector<std::jthread> pool;
  for (size_t w = 1; w < workers; ++w)
    pool.emplace_back(run);
  run();
}

struct TNode {
  int X = 0;
  int Y = 0;
};

// A crossing of a level on the grid edge from A to B.
struct TCrossing {
  TNode A;
  TNode B;
};

// Gradient (V/px) of the potential at the screen point (x, y) px, by Coulomb's law.
void PotentialGradient(const TDocument &document, long double x, long double y, long double &gx,
                       long double &gy) {
  for (const auto &c : document.Charges) {
    if (!c->IsSource())
      continue;
    const long double dx = x - c->CenterX();
    const long double dy = y - c->CenterY();
    const long double d2 = dx * dx + dy * dy;
    const long double f =
        c->ChargeValue * document.PixelsPerMetre / (kFourPiEpsilon0 * d2 * std::sqrt(d2));
    gx -= f * dx;
    gy -= f * dy;
  }
}

// Newton step length (px) below which a vertex counts as on its level.
constexpr long double kOnLevel = 1e-3L;

// Pulls the crossing onto the level: Newton steps along the gradient from the linear
// interpolation; where they stray from the cell (near a saddle the gradient vanishes), the
// sign change on the edge is bisected instead, which cannot fail.
TIsoPoint Refine(const TDocument &document, const TPotentialGrid &grid, const TCrossing &c,
                 long double level) {
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
  for (int i = 0; i < 4; ++i) {
    const long double v = PotentialAtPoint(document, x, y) - level;
    long double gx = 0;
    long double gy = 0;
    PotentialGradient(document, x, y, gx, gy);
    const long double g2 = gx * gx + gy * gy;
    if (!std::isfinite(v) || !(g2 > 0) || !std::isfinite(g2))
      break;
    x -= v * gx / g2;
    y -= v * gy / g2;
    // Newton converges quadratically: after a step this small the point is far closer.
    if (std::fabs(v) / std::sqrt(g2) < kOnLevel) {
      if (std::hypot(x - x0, y - y0) < 1)
        return {static_cast<double>(x), static_cast<double>(y)};
      break;
    }
  }
  // Bisection on the edge: A below or above the level, B on the other side.
  long double lo = 0;
  long double hi = 1;
  const bool aAbove = va >= 0;
  for (int i = 0; i < 24; ++i) {
    const long double mid = (lo + hi) / 2;
    const long double v =
        PotentialAtPoint(document, c.A.X + mid * (c.B.X - c.A.X), c.A.Y + mid * (c.B.Y - c.A.Y)) -
        level;
    ((v >= 0) == aAbove ? lo : hi) = mid;
  }
  const long double m = (lo + hi) / 2;
  return {static_cast<double>(ax + m * (bx - ax)), static_cast<double>(ay + m * (by - ay))};
}

// Marching squares of one level, the segments joined into lines.
// cells: index y * columns + x of every cell (top-left node x, y) the level crosses, in
// ascending order.
std::vector<TIsoLine> TraceLevel(const TDocument &document, const TPotentialGrid &grid,
                                 long double level, const std::vector<uint32_t> &cells) {
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
      const int bits = (grid.At(x, y) >= level) | (grid.At(x + 1, y) >= level) << 1 |
                       (grid.At(x + 1, y + 1) >= level) << 2 | (grid.At(x, y + 1) >= level) << 3;
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
        const bool centreAbove = PotentialAtPoint(document, (x + 0.5L) * kPotentialGridStep,
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
      line.Points.push_back(Refine(document, grid, crossings[current], level));
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

TPotentialGrid::TPotentialGrid(const TDocument &document, TSize area) : size_(area) {
  size_.Width = std::max(size_.Width, 0);
  size_.Height = std::max(size_.Height, 0);
  constexpr int step = kPotentialGridStep;
  columns_ = size_.Width > 0 ? (size_.Width - 1 + step - 1) / step + 1 : 0;
  rows_ = size_.Height > 0 ? (size_.Height - 1 + step - 1) / step + 1 : 0;
  const size_t count = static_cast<size_t>(columns_) * rows_;
  values_.resize(count);
  disc_.assign(count, 0);
  for (const auto &c : document.Charges) {
    if (!c->IsSource())
      continue;
    const long double cx = c->CenterX();
    const long double cy = c->CenterY();
    constexpr long double r = kEquipotentialDiscRadius;
    const long double i0 = std::max<long double>(std::ceil((cx - r) / step), 0);
    const long double i1 = std::min<long double>(std::floor((cx + r) / step), columns_ - 1);
    const long double j0 = std::max<long double>(std::ceil((cy - r) / step), 0);
    const long double j1 = std::min<long double>(std::floor((cy + r) / step), rows_ - 1);
    for (long double j = j0; j <= j1; ++j)
      for (long double i = i0; i <= i1; ++i)
        if ((i * step - cx) * (i * step - cx) + (j * step - cy) * (j * step - cy) < r * r)
          disc_[Index(static_cast<int>(i), static_cast<int>(j))] = 1;
  }
  ParallelFor(static_cast<size_t>(rows_), [&](size_t row) {
    const int j = static_cast<int>(row);
    for (int i = 0; i < columns_; ++i)
      values_[Index(i, j)] = PotentialAtPoint(document, i * step, j * step);
  });

  std::vector<long double> magnitudes;
  bool any = false;
  for (size_t i = 0; i < count; ++i) {
    if (disc_[i] || !std::isfinite(values_[i]))
      continue;
    min_ = any ? std::min(min_, values_[i]) : values_[i];
    max_ = any ? std::max(max_, values_[i]) : values_[i];
    any = true;
    magnitudes.push_back(std::fabs(values_[i]));
  }
  if (!magnitudes.empty()) {
    auto at = magnitudes.begin() + static_cast<std::ptrdiff_t>(magnitudes.size() * 95 / 100);
    std::nth_element(magnitudes.begin(), at, magnitudes.end());
    typical_ = *at;
  }
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

std::vector<TIsoLine> TraceEquipotentials(const TDocument &document, const TPotentialGrid &grid,
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
      const long double low = std::min({a, b, c, d});
      const long double high = std::max({a, b, c, d});
      // Crossed: some corner below the level, some at or above it.
      for (auto it = std::upper_bound(sorted.begin(), sorted.end(), low);
           it != sorted.end() && *it <= high; ++it)
        cells[order[static_cast<size_t>(it - sorted.begin())]].push_back(
            static_cast<uint32_t>(y * w + x));
    }
  }
  std::vector<std::vector<TIsoLine>> perLevel(levels.size());
  ParallelFor(levels.size(),
              [&](size_t i) { perLevel[i] = TraceLevel(document, grid, levels[i], cells[i]); });
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
