#include "model/FlightCurve.h"

#include <algorithm>
#include <cmath>

namespace {

using TControl = std::array<std::array<long double, 2>, 5>;

// Dormand and Prince's continuous extension of their 5(4) pair (as in Hairer, Norsett and
// Wanner's DOPRI5), fourth order between the step's ends.
constexpr long double kD1 = -12715105075.0L / 11282082432.0L;
constexpr long double kD3 = 87487479700.0L / 32700410799.0L;
constexpr long double kD4 = -10690763975.0L / 1880347072.0L;
constexpr long double kD5 = 701980252875.0L / 199316789632.0L;
constexpr long double kD6 = -1453857185.0L / 822651844.0L;
constexpr long double kD7 = 69997945.0L / 29380423.0L;

// Below this width (a share of the step) a piece of the path is no longer split: the search
// then looks only at its ends.
constexpr long double kFinestPiece = 0x1p-40L;

TBox BoxOf(const TControl &control) {
  TBox box{control[0][0], control[0][1], control[0][0], control[0][1]};
  for (const auto &p : control) {
    box.Left = std::min(box.Left, p[0]);
    box.Right = std::max(box.Right, p[0]);
    box.Bottom = std::min(box.Bottom, p[1]);
    box.Top = std::max(box.Top, p[1]);
  }
  return box;
}

// de Casteljau at one half: the control points of the path's two halves.
void Halve(const TControl &whole, TControl &left, TControl &right) {
  TControl p = whole;
  left[0] = p[0];
  right[4] = p[4];
  for (int level = 1; level <= 4; ++level) {
    for (int i = 0; i + level <= 4; ++i)
      for (int axis = 0; axis < 2; ++axis)
        p[i][axis] = (p[i][axis] + p[i + 1][axis]) / 2;
    left[level] = p[0];
    right[4 - level] = p[4 - level];
  }
}

struct TDisc {
  long double X, Y, Radius;
  bool Contains(long double x, long double y) const {
    const long double dx = x - X, dy = y - Y;
    return dx * dx + dy * dy <= Radius * Radius;
  }
  // Whether a path inside the box can reach the disc.
  bool MayMeet(const TBox &box) const {
    const long double dx = std::max({box.Left - X, 0.0L, X - box.Right});
    const long double dy = std::max({box.Bottom - Y, 0.0L, Y - box.Top});
    return dx * dx + dy * dy <= Radius * Radius;
  }
  static constexpr bool kAnswerInside = false;
};

struct TRectangle {
  TBox Box;
  bool Contains(long double x, long double y) const {
    return x >= Box.Left && x <= Box.Right && y >= Box.Bottom && y <= Box.Top;
  }
  bool MayMeet(const TBox &box) const {
    return box.Right >= Box.Left && box.Left <= Box.Right && box.Top >= Box.Bottom &&
           box.Bottom <= Box.Top;
  }
  static constexpr bool kAnswerInside = true;
};

// Left-first search over halves: a piece whose control box cannot meet the region is dropped,
// so the first piece that ends inside holds the first entry. `a` is known to lie outside.
template <typename Region>
std::optional<long double> FirstEntry(const TFlightCurve &curve, const Region &region,
                                      const TControl &control, long double a, long double b) {
  if (!region.MayMeet(BoxOf(control)))
    return std::nullopt;
  if (b - a <= kFinestPiece) {
    auto inside = [&](long double theta) {
      const TPhase s = curve.At(theta);
      return region.Contains(s[0], s[1]);
    };
    if (!inside(b))
      return std::nullopt;
    for (;;) {
      const long double middle = a + (b - a) / 2;
      if (middle <= a || middle >= b)
        break;
      (inside(middle) ? b : a) = middle;
    }
    return Region::kAnswerInside ? b : a;
  }
  TControl left, right;
  Halve(control, left, right);
  const long double middle = a + (b - a) / 2;
  if (auto found = FirstEntry(curve, region, left, a, middle))
    return found;
  return FirstEntry(curve, region, right, middle, b);
}

template <typename Region>
std::optional<long double> FirstEntryOf(const TFlightCurve &curve, const Region &region,
                                        const TControl &control) {
  const TPhase start = curve.At(0);
  if (region.Contains(start[0], start[1]))
    return 0.0L;
  return FirstEntry(curve, region, control, 0.0L, 1.0L);
}

} // namespace

TFlightCurve::TFlightCurve(const TPhase &y0, const TPhase &y1, const TStageRates &k,
                           long double h) {
  for (size_t i = 0; i < y0.size(); ++i) {
    const long double difference = y1[i] - y0[i];
    const long double bspl = h * k[0][i] - difference;
    coefficients_[0][i] = y0[i];
    coefficients_[1][i] = difference;
    coefficients_[2][i] = bspl;
    coefficients_[3][i] = difference - h * k[6][i] - bspl;
    coefficients_[4][i] = h * (kD1 * k[0][i] + kD3 * k[2][i] + kD4 * k[3][i] + kD5 * k[4][i] +
                               kD6 * k[5][i] + kD7 * k[6][i]);
  }
  // The polynomial c0 + t c1 + t(1-t) c2 + t^2(1-t) c3 + t^2(1-t)^2 c4 in the Bernstein
  // basis of degree four: the rows are each term's control values.
  static constexpr long double kTerms[5][5] = {{1, 1, 1, 1, 1},
                                               {0, 0.25L, 0.5L, 0.75L, 1},
                                               {0, 0.25L, 1.0L / 3, 0.25L, 0},
                                               {0, 0, 1.0L / 6, 0.25L, 0},
                                               {0, 0, 1.0L / 6, 0, 0}};
  for (int point = 0; point < 5; ++point)
    for (int axis = 0; axis < 2; ++axis) {
      long double sum = 0;
      for (int term = 0; term < 5; ++term)
        sum += kTerms[term][point] * coefficients_[term][axis];
      control_[point][axis] = sum;
    }
}

TPhase TFlightCurve::At(long double theta) const {
  const long double rest = 1 - theta;
  TPhase state;
  for (size_t i = 0; i < state.size(); ++i) {
    const auto &c = coefficients_;
    state[i] = c[0][i] + theta * (c[1][i] + rest * (c[2][i] + theta * (c[3][i] + rest * c[4][i])));
  }
  return state;
}

TBox TFlightCurve::Bounds() const { return BoxOf(control_); }

std::optional<long double> TFlightCurve::FirstInDisc(long double cx, long double cy,
                                                     long double radius) const {
  return FirstEntryOf(*this, TDisc{cx, cy, radius}, control_);
}

std::optional<long double> TFlightCurve::FirstInBox(const TBox &box) const {
  return FirstEntryOf(*this, TRectangle{box}, control_);
}
