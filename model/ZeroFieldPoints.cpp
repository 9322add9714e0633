#include "model/ZeroFieldPoints.h"

#include "model/ParallelFor.h"
#include "model/Scene.h"
#include "model/Vector.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Candidate spacing (px): fine enough that two zero points rarely share a cell, coarse
// enough that a large surface costs no more than about 200 x 200 field sums and a drag
// with every field-line option keeps its pace.
constexpr long double kMinCellSize = 6;
constexpr long double kMaxCellsPerSide = 200;
// Newton's method: the most steps, and the step (px) that counts as converged.
constexpr int kMaxNewtonSteps = 60;
constexpr long double kConvergedStep = 1e-9L;
// Finite-difference step (px) of the Jacobian.
constexpr long double kJacobianStep = 1e-4L;
// |E| against the sum of the sources' magnitudes there: below this the field vanishes up
// to rounding.
constexpr long double kRelativeZero = 1e-9L;
// Points closer than this (px) are one.
constexpr long double kSamePoint = 0.01L;
// A point closer than this (px) to a source is the source's own: the sum leaves out a source
// at the point, so the field of a lone charge "vanishes" at its centre.
constexpr long double kSourceClearance = 1;
// A grid node is a seed only where the sources cancel at least this much: a lone source's
// plateau (everywhere 1) would otherwise make every node one.
constexpr long double kSeedRelativeField = 0.5L;

struct TScreenPoint {
  long double X = 0; // px
  long double Y = 0; // px
};

// The field in plain Cartesian sums over the sources (px, any positive unit): thousands of
// evaluations per picture, far beyond the accuracy a hundredth of a pixel needs.
class TFastField {
public:
  explicit TFastField(const TScene &scene) {
    for (const TPointCharge &c : scene.Charges)
      if (c.IsSource() && c.ChargeValue != 0) {
        x_.push_back(static_cast<double>(c.CenterX()));
        y_.push_back(static_cast<double>(c.CenterY()));
        q_.push_back(static_cast<double>(c.ChargeValue));
      }
  }
  TVector At(long double x, long double y) const {
    double ex = 0;
    double ey = 0;
    double sum = 0;
    Sum(x, y, ex, ey, sum);
    return {ex, ey};
  }
  // The field at (x, y) relative to the sum of the sources' magnitudes there: 0 at a zero
  // point, 1 where one source dominates.
  long double Relative(long double x, long double y) const {
    TVector e;
    return Relative(x, y, e);
  }
  // The same, and the field into e.
  long double Relative(long double x, long double y, TVector &e) const {
    double sum = 0;
    e = {};
    Sum(x, y, e.X, e.Y, sum);
    return sum > 0 ? std::sqrt(e.X * e.X + e.Y * e.Y) / sum : 1; // C / px^2: no overflow
  }

private:
  void Sum(long double x, long double y, double &ex, double &ey, double &sum) const {
    const auto xd = static_cast<double>(x);
    const auto yd = static_cast<double>(y);
    for (size_t i = 0; i < q_.size(); ++i) {
      const double dx = xd - x_[i];
      const double dy = yd - y_[i];
      const double r2 = dx * dx + dy * dy;
      if (r2 == 0)
        continue; // a source leaves itself out
      const double scale = q_[i] / (r2 * std::sqrt(r2));
      ex += dx * scale;
      ey += dy * scale;
      sum += std::fabs(q_[i]) / r2;
    }
  }

  std::vector<double> x_, y_, q_; // px, px, C
};

bool Inside(const TScreenPoint &p, TSize area, long double margin = 0) {
  return p.X >= -margin && p.Y >= -margin && p.X <= area.Width + margin &&
         p.Y <= area.Height + margin;
}

// Newton's method on the field from start, with a central-difference Jacobian; steps longer
// than maxStep are shortened so that the search stays near its cell. None when it does not
// settle, or leaves the surface by more than a step.
std::optional<TScreenPoint> Newton(const TFastField &field, TScreenPoint p, TSize area,
                                   long double maxStep) {
  for (int i = 0; i < kMaxNewtonSteps && Inside(p, area, maxStep); ++i) {
    const TVector e = field.At(p.X, p.Y);
    const long double h = kJacobianStep;
    const TVector ex1 = field.At(p.X + h, p.Y);
    const TVector ex0 = field.At(p.X - h, p.Y);
    const TVector ey1 = field.At(p.X, p.Y + h);
    const TVector ey0 = field.At(p.X, p.Y - h);
    const long double a = (static_cast<long double>(ex1.X) - ex0.X) / (2 * h); // dEx/dx
    const long double b = (static_cast<long double>(ey1.X) - ey0.X) / (2 * h); // dEx/dy
    const long double c = (static_cast<long double>(ex1.Y) - ex0.Y) / (2 * h); // dEy/dx
    const long double d = (static_cast<long double>(ey1.Y) - ey0.Y) / (2 * h); // dEy/dy
    const long double det = a * d - b * c;
    if (det == 0 || !std::isfinite(det))
      return std::nullopt;
    long double sx = -(d * e.X - b * e.Y) / det;
    long double sy = -(a * e.Y - c * e.X) / det;
    const long double length = std::hypot(sx, sy);
    if (!std::isfinite(length))
      return std::nullopt;
    if (length > maxStep) {
      sx *= maxStep / length;
      sy *= maxStep / length;
    }
    p.X += sx;
    p.Y += sy;
    if (length <= kConvergedStep)
      return p;
  }
  return std::nullopt;
}

bool NearSource(const TScene &scene, const TScreenPoint &p) {
  return std::any_of(scene.Charges.begin(), scene.Charges.end(), [&](const TPointCharge &c) {
    return c.IsSource() && c.ChargeValue != 0 &&
           std::hypot(p.X - c.CenterX(), p.Y - c.CenterY()) < kSourceClearance;
  });
}

// Both values take both signs (or are zero) over the cell's corners.
bool SignsMeet(long double a, long double b, long double c, long double d) {
  const long double lo = std::min({a, b, c, d});
  const long double hi = std::max({a, b, c, d});
  return lo <= 0 && hi >= 0;
}

} // namespace

std::vector<TWorldPoint> ZeroFieldPoints(const TScene &scene, TSize area) {
  std::vector<TScreenPoint> found;
  if (area.Width <= 0 || area.Height <= 0)
    return {};
  const long double cell =
      std::max(kMinCellSize, std::max<long double>(area.Width, area.Height) / kMaxCellsPerSide);
  const int columns = static_cast<int>(std::ceil(area.Width / cell)) + 1;
  const int rows = static_cast<int>(std::ceil(area.Height / cell)) + 1;
  const TFastField fast(scene);
  std::vector<TVector> field(static_cast<size_t>(columns) * rows);
  std::vector<long double> relative(field.size());
  const auto at = [columns](int col, int row) { return static_cast<size_t>(row) * columns + col; };
  ParallelFor(static_cast<size_t>(rows), [&](size_t r) {
    const auto row = static_cast<int>(r);
    for (int col = 0; col < columns; ++col)
      relative[at(col, row)] = fast.Relative(col * cell, row * cell, field[at(col, row)]);
  });

  // Seeds: cells over which both components change sign, and nodes where |E| is smallest
  // among their neighbours (a zero whose components touch zero without crossing in a cell).
  std::vector<TScreenPoint> seeds;
  for (int row = 0; row + 1 < rows; ++row)
    for (int col = 0; col + 1 < columns; ++col) {
      const TVector &e00 = field[at(col, row)];
      const TVector &e10 = field[at(col + 1, row)];
      const TVector &e01 = field[at(col, row + 1)];
      const TVector &e11 = field[at(col + 1, row + 1)];
      if (SignsMeet(e00.X, e10.X, e01.X, e11.X) && SignsMeet(e00.Y, e10.Y, e01.Y, e11.Y))
        seeds.push_back({(col + 0.5L) * cell, (row + 0.5L) * cell});
    }
  for (int row = 0; row < rows; ++row)
    for (int col = 0; col < columns; ++col) {
      bool lowest = true;
      for (int dr = -1; dr <= 1 && lowest; ++dr)
        for (int dc = -1; dc <= 1 && lowest; ++dc) {
          const int r = row + dr;
          const int c = col + dc;
          if ((dr != 0 || dc != 0) && r >= 0 && r < rows && c >= 0 && c < columns)
            lowest = relative[at(c, r)] >= relative[at(col, row)];
        }
      if (lowest && relative[at(col, row)] < kSeedRelativeField)
        seeds.push_back({col * cell, row * cell});
    }

  for (const TScreenPoint &seed : seeds) {
    const std::optional<TScreenPoint> p = Newton(fast, seed, area, cell);
    if (!p || !Inside(*p, area) || NearSource(scene, *p) ||
        fast.Relative(p->X, p->Y) > kRelativeZero)
      continue;
    const bool known = std::any_of(found.begin(), found.end(), [&](const TScreenPoint &q) {
      return std::hypot(q.X - p->X, q.Y - p->Y) < kSamePoint;
    });
    if (!known)
      found.push_back(*p);
  }

  std::sort(found.begin(), found.end(), [](const TScreenPoint &a, const TScreenPoint &b) {
    return a.Y != b.Y ? a.Y < b.Y : a.X < b.X;
  });
  std::vector<TWorldPoint> points;
  points.reserve(found.size());
  for (const TScreenPoint &p : found)
    points.push_back(scene.ScreenToWorld(p.X, p.Y));
  return points;
}
