#include "model/FieldLineTracer.h"

#include "base/PixelMath.h"
#include "base/Seams.h"
#include "model/Field.h"
#include "model/Scene.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <utility>

namespace {

bool NearAxis(double a, double b) {
  const double fa = std::fabs(a);
  const double fb = std::fabs(b);
  return fa <= fb * kAxisRatio || fb <= fa * kAxisRatio;
}

// Largest square of a force that a double holds.
constexpr double kLargestSquare = 1e300;

// The box beyond the surface that ends a line, px.
constexpr double kMargin = static_cast<double>(kTraceMargin);

// The clock is read once every so many steps.
constexpr uint64_t kClockStride = 32;

// Lines that end in a cycle near a point of no force take tens of thousands of steps to
// settle into it, with periods of hundreds to a few thousand steps. They step to and fro
// across the point between two places where the field points back along the step; that is
// one condition on two coordinates, so such pairs lie along a curve, and a line that has
// found the curve drifts along it, moved only by the rounding of its last bits, until its
// state happens to repeat. Its pixels stopped changing long before; but nothing bounds the
// drift tightly enough to prove that they never change again.
constexpr uint64_t kCycleStride = 4096;

// A line takes the table of recent states from this step on (shorter cycles are found by
// Brent's soon enough), and saves its state to it once every so many steps: a cycle is then
// found within that many steps of its first full round.
constexpr uint64_t kRecentFrom = 128;
constexpr uint64_t kRecentStride = 8;

// Whether a line can come back is asked once every so many steps: a line stopped a few
// steps late costs less than asking at every step.
constexpr uint64_t kEscapeStride = 4;

// Positions and values that agree to this fraction of the sources' extent (or value) count
// as mirror images, and a point this close to a mirror line is on it. Far above the rounding
// of either sum (2^-52), far below a pixel.
constexpr long double kMirrorTolerance = 0x1p-30L;

} // namespace

void TPolyline::Start(int32_t x, int32_t y, TSize surface) {
  ops_.clear();
  surface_ = surface;
  pen_ = {x, y};
  drawn_ = pen_;
  ops_.push_back({x, y, true});
  pendingMove_ = false;
}

void TPolyline::DrawOn(TCanvas &canvas) const {
  canvas.BeginFigure();
  for (const Op &op : ops_) {
    if (op.Move)
      canvas.MoveTo(op.X, op.Y);
    else
      canvas.LineTo(op.X, op.Y);
  }
  canvas.EndFigure();
  if (!ops_.empty() && !(pen_ == drawn_))
    canvas.MoveTo(pen_.X, pen_.Y);
}

TFieldLineTracer::TFieldLineTracer(const TScene &scene, const TPictureTarget &target)
    : path_(target.Trace.ForcePath && ForcePathSupported(*target.Trace.ForcePath)
                ? *target.Trace.ForcePath
                : FastestForcePath()),
      tuned_(target.Trace.Tuned), surface_(target.Area), stepCap_(target.Trace.StepCap),
      stepLength_(scene.StepLength), pixelsPerMetre_(scene.PixelsPerMetre) {
  const long double p2 = pixelsPerMetre_ * pixelsPerMetre_;
  for (const auto &c : scene.Charges) {
    if (!c.IsSource() || c.ChargeValue == 0)
      continue; // a zero source adds exactly nothing to the force and stops no line
    sources_.push_back({c.X + kChargeHalfSize, c.Y + kChargeHalfSize,
                        static_cast<double>(c.ChargeValue * kCoulomb * p2), c.ChargeValue,
                        c.CenterX(), c.CenterY()});
  }
  FindSaddles();
  for (const Source &s : sources_)
    arrays_.Add(s.cx, s.cy, s.signedWeight);
  arrays_.Pad();
  if (target.Trace.StopOffSurface) {
    std::vector<TLineEscape::Source> escapeSources;
    for (const Source &s : sources_)
      escapeSources.push_back({s.cx, s.cy, s.signedWeight});
    escape_ =
        TLineEscape(escapeSources, surface_, static_cast<double>(stepLength_), target.Trace.Tuned);
  }
  const long double step = stepLength_;
  // Candidates for the stop test, with a margin; the exact test decides.
  stopSquared_ = static_cast<double>(step * step) * (1 + 1e-12);
}

TFieldLineTracer::StepResult TFieldLineTracer::CarefulTerm(const Source &s, int32_t direction,
                                                           long double x, long double y, double &fx,
                                                           double &fy) const {
  const double xd = static_cast<double>(x);
  const double yd = static_cast<double>(y);
  const double dx = xd - s.cx;
  const double dy = yd - s.cy;
  const double r2 = dx * dx + dy * dy;
  if (r2 <= stopSquared_) {
    const long double step = stepLength_;
    const long double dxl = x - s.exactX;
    const long double dyl = y - s.exactY;
    if (std::sqrt(dxl * dxl + dyl * dyl) <= step)
      return StepResult::ReachedCharge;
  }
  if (NearAxis(dx, dy)) {
    const TVector part = LiteralTerm(s, direction, x, y);
    fx += part.X;
    fy += part.Y;
    return StepResult::Moved;
  }
  // Against the field every source acts the other way.
  const double scale = s.signedWeight * direction / (r2 * std::sqrt(r2));
  fx += dx * scale;
  fy += dy * scale;
  return StepResult::Moved;
}

TFieldLineTracer::StepResult TFieldLineTracer::CarefulForce(int32_t direction, long double x,
                                                            long double y, double &fx,
                                                            double &fy) const {
  fx = 0;
  fy = 0;
  for (const Source &s : sources_)
    if (CarefulTerm(s, direction, x, y, fx, fy) == StepResult::ReachedCharge)
      return StepResult::ReachedCharge;
  return StepResult::Moved;
}

TFieldLineTracer::StepResult TFieldLineTracer::AddCareful(const TCarefulSources &careful,
                                                          int32_t direction, long double x,
                                                          long double y, double &fx,
                                                          double &fy) const {
  for (int g = 0; g < careful.Count; ++g) {
    const TCarefulSources::Group &group = careful.Groups[g];
    for (uint32_t k = 0; k < 4; ++k)
      if ((group.Lanes >> k & 1) != 0 && CarefulTerm(sources_[group.First + k], direction, x, y, fx,
                                                     fy) == StepResult::ReachedCharge)
        return StepResult::ReachedCharge;
  }
  return StepResult::Moved;
}

TFieldLineTracer::StepResult TFieldLineTracer::Step(int32_t direction, long double &x,
                                                    long double &y, double xd, double yd,
                                                    bool &literal) const {
  // Only a line that is still the literal one, bit for bit, can stay so: any other has
  // already taken its own way near the saddle.
  if (literal && !segments_.empty() && RoundingDecides(xd, yd, direction)) [[unlikely]]
    return LiteralStep(direction, x, y);
  literal = false;
  double fx = 0;
  double fy = 0;
  TCarefulSources careful;
  if (arrays_.Sum(path_, xd, yd, stopSquared_, fx, fy, careful)) [[likely]] {
    // Against the field every source acts the other way.
    fx *= direction;
    fy *= direction;
  } else if (tuned_ && careful.Count <= TCarefulSources::kCapacity) {
    // The near sources after the others, instead of summing them all again one by one.
    fx *= direction;
    fy *= direction;
    if (AddCareful(careful, direction, x, y, fx, fy) == StepResult::ReachedCharge)
      return StepResult::ReachedCharge;
  } else if (CarefulForce(direction, x, y, fx, fy) == StepResult::ReachedCharge) {
    return StepResult::ReachedCharge;
  }

  const long double step = stepLength_;
  TVector v{fx, fy};
  const double f2 = fx * fx + fy * fy;
  if (fx == 0 || fy == 0 || NearAxis(fx, fy)) [[unlikely]] {
    v.SetLength(static_cast<double>(step));
  } else if (f2 >= std::numeric_limits<double>::min() && f2 <= kLargestSquare) [[likely]] {
    const double norm = static_cast<double>(stepLength_) / std::sqrt(f2);
    v = {fx * norm, fy * norm};
  } else {
    // Forces so large or small that their square leaves the range of a double.
    const long double fxl = fx;
    const long double fyl = fy;
    const long double norm = step / std::sqrt(fxl * fxl + fyl * fyl);
    v = {static_cast<double>(fxl * norm), static_cast<double>(fyl * norm)};
  }
  x += v.X;
  y += v.Y;
  return StepResult::Moved;
}

TVector TFieldLineTracer::LiteralTerm(const Source &s, int32_t direction, long double x,
                                      long double y) const {
  TVector part;
  const long double dxl = x - s.exactX;
  const long double dyl = y - s.exactY;
  if (std::sqrt(dxl * dxl + dyl * dyl) <= kForceExclusionRadius)
    return part;
  const long double mx = dxl / pixelsPerMetre_;
  const long double my = dyl / pixelsPerMetre_;
  const long double magnitude = std::fabs(s.value) * kCoulomb / (mx * mx + my * my);
  long double angle = PolarAngle(dxl, dyl);
  if (s.value * direction < 0)
    angle += kPi;
  part.SetPolar(static_cast<double>(angle), static_cast<double>(magnitude));
  return part;
}

TFieldLineTracer::StepResult TFieldLineTracer::LiteralStep(int32_t direction, long double &x,
                                                           long double &y) const {
  const long double step = stepLength_;
  for (const Source &s : sources_) {
    const long double dx = x - s.exactX;
    const long double dy = y - s.exactY;
    if (std::sqrt(dx * dx + dy * dy) <= step)
      return StepResult::ReachedCharge;
  }
  TVector v;
  for (const Source &s : sources_)
    v.Add(LiteralTerm(s, direction, x, y));
  v.SetLength(static_cast<double>(step));
  x += v.X;
  y += v.Y;
  return StepResult::Moved;
}

bool TFieldLineTracer::RoundingDecides(double x, double y, int32_t direction) const {
  for (const MirrorSegment &m : segments_) {
    if (m.Direction != 0 && m.Direction != direction)
      continue;
    const double across = (x - m.X) * -m.DirY + (y - m.Y) * m.DirX;
    const double along = (x - m.X) * m.DirX + (y - m.Y) * m.DirY;
    if (std::fabs(across) <= m.HalfWidth && along >= m.From && along <= m.To)
      return true;
  }
  for (const Saddle &z : saddles_) {
    if ((x - z.X) * (x - z.X) + (y - z.Y) * (y - z.Y) <= z.RadiusSquared)
      return true;
  }
  return false;
}

namespace {

struct Line {
  long double gx, gy, ux, uy; // a point and the unit direction
};

// The mirror lines of the sources: reflected in one, every source lands on one of the same
// value, to within tolerance px.
template <typename Source>
std::vector<Line> MirrorLines(const std::vector<Source> &sources, long double &tolerance) {
  std::vector<Line> lines;
  if (sources.size() < 2)
    return lines; // a lone source: straight lines, nothing to amplify the rounding
  // Every mirror line passes through the centroid, and takes the source farthest from it
  // either onto itself or onto another as far away with the same value.
  long double gx = 0, gy = 0;
  for (const Source &s : sources) {
    gx += s.exactX;
    gy += s.exactY;
  }
  gx /= sources.size();
  gy /= sources.size();
  const auto squared = [&](const Source &s) {
    const long double dx = s.exactX - gx;
    const long double dy = s.exactY - gy;
    return dx * dx + dy * dy;
  };
  const auto distance = [&](const Source &s) { return std::sqrt(squared(s)); };
  const Source *far = &sources.front();
  long double farthest = squared(*far);
  for (const Source &s : sources) {
    const long double d2 = squared(s);
    if (d2 > farthest) {
      far = &s;
      farthest = d2;
    }
  }
  const long double extent = std::sqrt(farthest);
  tolerance = std::max(extent, 1.0L) * kMirrorTolerance;
  if (extent <= tolerance)
    return lines; // all sources on one point
  const auto sameValue = [](const Source &a, const Source &b) {
    return std::fabs(a.value - b.value) <=
           kMirrorTolerance * std::max(std::fabs(a.value), std::fabs(b.value));
  };
  const long double ax = (far->exactX - gx) / extent;
  const long double ay = (far->exactY - gy) / extent;
  std::vector<std::pair<long double, long double>> directions{{ax, ay}};
  for (const Source &s : sources) {
    if (&s == far || !sameValue(s, *far) || std::fabs(distance(s) - extent) > tolerance)
      continue;
    const long double bx = (s.exactX - gx) / distance(s);
    const long double by = (s.exactY - gy) / distance(s);
    const long double sum = std::hypot(ax + bx, ay + by);
    if (sum > 1e-6L)
      directions.emplace_back((ax + bx) / sum, (ay + by) / sum);
    else
      directions.emplace_back(-ay, ax); // opposite each other: the perpendicular bisector
  }
  const auto isMirror = [&](long double ux, long double uy) {
    for (const Source &s : sources) {
      const long double dx = s.exactX - gx;
      const long double dy = s.exactY - gy;
      const long double along = 2 * (dx * ux + dy * uy);
      const long double mx = gx + along * ux - dx;
      const long double my = gy + along * uy - dy;
      const bool found = std::any_of(sources.begin(), sources.end(), [&](const Source &t) {
        const long double dx = t.exactX - mx;
        const long double dy = t.exactY - my;
        return dx * dx + dy * dy <= tolerance * tolerance && sameValue(s, t);
      });
      if (!found)
        return false;
    }
    return true;
  };
  for (const auto &[ux, uy] : directions) {
    const bool known = std::any_of(lines.begin(), lines.end(), [&](const Line &l) {
      return std::fabs(ux * l.uy - uy * l.ux) <= 1e-6L; // distinct lines differ by pi / n
    });
    if (!known && isMirror(ux, uy))
      lines.push_back({gx, gy, ux, uy});
  }
  return lines;
}

// The field along a mirror line at t px from its point, up to a positive factor; across the
// line it vanishes. Doubles: this only places saddles and tells which way the field points.
template <typename Source>
double FieldAlong(const std::vector<Source> &sources, const Line &l, double t) {
  const double ux = static_cast<double>(l.ux);
  const double uy = static_cast<double>(l.uy);
  const double px = static_cast<double>(l.gx) + t * ux;
  const double py = static_cast<double>(l.gy) + t * uy;
  double sum = 0;
  for (const Source &s : sources) {
    const double dx = px - s.cx;
    const double dy = py - s.cy;
    const double r2 = dx * dx + dy * dy;
    if (r2 > 0)
      sum += s.signedWeight * (dx * ux + dy * uy) / (r2 * std::sqrt(r2));
  }
  return sum;
}

// Where between the ends of a piece its samples lie, as fractions: they crowd towards the
// ends, where a weak source beside a strong one puts its saddle.
constexpr int kSamples = 256;
const std::array<double, kSamples + 1> &SampleFractions() {
  static const std::array<double, kSamples + 1> fractions = [] {
    std::array<double, kSamples + 1> f{};
    for (int k = 0; k <= kSamples; ++k)
      f[k] = (1 - std::cos(std::numbers::pi * k / kSamples)) / 2;
    return f;
  }();
  return fractions;
}

} // namespace

void TFieldLineTracer::FindSaddles() {
  long double tolerance = 0;
  const long double reach = 2 * (kTraceMargin + surface_.Width + surface_.Height);
  for (const Line &l : MirrorLines(sources_, tolerance)) {
    // The sources on the line cut it into pieces on which the field along it is smooth.
    std::vector<long double> cuts{-reach, reach};
    for (const Source &s : sources_) {
      const long double dx = s.exactX - l.gx;
      const long double dy = s.exactY - l.gy;
      if (std::fabs(dx * l.uy - dy * l.ux) <= tolerance)
        cuts.push_back(dx * l.ux + dy * l.uy);
    }
    std::sort(cuts.begin(), cuts.end());
    for (size_t i = 0; i + 1 < cuts.size(); ++i) {
      const long double a = cuts[i];
      const long double b = cuts[i + 1];
      if (b - a <= tolerance)
        continue;
      const auto &fractions = SampleFractions();
      const double from = static_cast<double>(a);
      const double width = static_cast<double>(b - a);
      const auto at = [&](int k) { return from + width * fractions[k]; };
      bool found = false;
      double low = at(1);
      double fLow = FieldAlong(sources_, l, low);
      for (int k = 2; k < kSamples; ++k) {
        const double high = at(k);
        const double fHigh = FieldAlong(sources_, l, high);
        if ((fLow <= 0) != (fHigh <= 0) || fLow == 0) {
          double lo = low, hi = high;
          for (int n = 0; n < 64 && hi - lo > tolerance; ++n) {
            const double mid = (lo + hi) / 2;
            ((FieldAlong(sources_, l, mid) <= 0) == (fLow <= 0) ? lo : hi) = mid;
          }
          const long double t = (lo + hi) / 2;
          const long double radius = 3.0L * stepLength_;
          saddles_.push_back({static_cast<double>(l.gx + t * l.ux),
                              static_cast<double>(l.gy + t * l.uy),
                              static_cast<double>(radius * radius)});
          found = true;
        }
        low = high;
        fLow = fHigh;
      }
      // Without a saddle, a line along the piece ends at a source at its end (where the
      // stop test can be a near tie) or leaves the box: only the way towards a source needs
      // the literal steps. The field points the same way all along such a piece.
      const bool sourceBefore = i > 0;
      const bool sourceAfter = i + 2 < cuts.size();
      const int32_t along = FieldAlong(sources_, l, at(kSamples / 2)) > 0 ? 1 : -1;
      int32_t direction = 0; // both
      if (!found && !(sourceBefore && sourceAfter)) {
        if (!sourceBefore && !sourceAfter)
          continue;
        direction = sourceAfter ? along : -along;
      }
      segments_.push_back({static_cast<double>(l.gx), static_cast<double>(l.gy),
                           static_cast<double>(l.ux), static_cast<double>(l.uy),
                           static_cast<double>(a), static_cast<double>(b),
                           static_cast<double>(tolerance), direction});
    }
  }
}

TFieldLineTracer::HalfState TFieldLineTracer::Begin(int32_t direction, long double x, long double y,
                                                    TPolyline &line, TRecentStates *recent) const {
  line.Start(pixel::Round(x), pixel::Round(y), surface_);
  HalfState s;
  s.direction = direction;
  s.x = x;
  s.y = y;
  s.line = &line;
  s.cap = stepCap_;
  s.t0 = seams::GetTickCount();
  s.xd = static_cast<double>(x);
  s.yd = static_cast<double>(y);
  s.savedX = x;
  s.savedY = y;
  s.savedXd = s.xd;
  s.strideX = x;
  s.strideY = y;
  s.strideXd = s.savedXd;
  s.recent = tuned_ ? recent : nullptr;
  return s;
}

bool TFieldLineTracer::Advance(HalfState &s) const {
  // The box and the cycle test compare doubles first; only a tie is decided in extended
  // precision, so the answers are those of the extended point.
  const auto inside = [](long double v, double d, double low, double high) {
    if (d > low && d < high)
      return true;
    return v >= low && v <= high;
  };
  if (!inside(s.x, s.xd, -kMargin, surface_.Width + kMargin) ||
      !inside(s.y, s.yd, -kMargin, surface_.Height + kMargin)) {
    s.end = TTraceEnd::LeftBox;
    return false;
  }
  if (s.n % kEscapeStride == 0 && escape_.CannotReturn(s.direction, s.xd, s.yd)) {
    s.end = TTraceEnd::Escaped;
    return false;
  }
  if (s.cap != 0 ? s.n >= s.cap
                 : (s.n % kClockStride == 0 && seams::GetTickCount() - s.t0 >= kTraceBudgetMs)) {
    s.end = TTraceEnd::Budget;
    return false;
  }
  if (Step(s.direction, s.x, s.y, s.xd, s.yd, s.literal) == StepResult::ReachedCharge) {
    s.end = TTraceEnd::ReachedCharge;
    return false;
  }
  ++s.n;
  s.xd = static_cast<double>(s.x);
  s.yd = static_cast<double>(s.y);
  s.line->LineTo(pixel::Round(s.x), pixel::Round(s.y));
  // Brent's cycle detection: a line whose state repeats exactly can draw nothing new.
  const double xd = s.xd;
  if ((xd == s.savedXd && s.x == s.savedX && s.y == s.savedY && s.literal == s.savedLiteral) ||
      (xd == s.strideXd && s.x == s.strideX && s.y == s.strideY && s.literal == s.strideLiteral)) {
    s.end = TTraceEnd::Cycle;
    return false;
  }
  if (s.recent != nullptr && s.n >= kRecentFrom) {
    if (s.n == kRecentFrom) {
      s.recent->Clear();
    } else if (s.recent->Seen(s.x, s.y, xd, s.yd, s.literal)) {
      s.end = TTraceEnd::Cycle;
      return false;
    }
    if (s.n % kRecentStride == 0)
      s.recent->Save(s.x, s.y, xd, s.yd, s.literal);
  }
  if (s.n % kCycleStride == 0) {
    s.strideX = s.x;
    s.strideY = s.y;
    s.strideXd = xd;
    s.strideLiteral = s.literal;
  }
  if (++s.sinceSave == s.power) {
    s.savedX = s.x;
    s.savedY = s.y;
    s.savedXd = xd;
    s.savedLiteral = s.literal;
    s.power *= 2;
    s.sinceSave = 0;
  }
  return true;
}

TTraceEnd TFieldLineTracer::TraceHalf(int32_t direction, long double x, long double y,
                                      TPolyline &line, uint64_t &steps) const {
  const auto recent = std::make_unique<TRecentStates>();
  HalfState s = Begin(direction, x, y, line, recent.get());
  while (Advance(s)) {
  }
  steps += s.n;
  return s.end;
}

void TFieldLineTracer::TracePair(TTraceJob &a, TTraceJob &b) const {
  const auto recent = std::make_unique<std::array<TRecentStates, 2>>();
  HalfState sa = Begin(a.Direction, a.X, a.Y, a.Line, &(*recent)[0]);
  HalfState sb = Begin(b.Direction, b.X, b.Y, b.Line, &(*recent)[1]);
  bool aGoesOn = true;
  bool bGoesOn = true;
  // In turn: the steps of the two lines do not depend on each other, so the processor
  // overlaps the divisions and square roots of one with those of the other.
  while (aGoesOn && bGoesOn) {
    aGoesOn = Advance(sa);
    bGoesOn = Advance(sb);
  }
  while (aGoesOn)
    aGoesOn = Advance(sa);
  while (bGoesOn)
    bGoesOn = Advance(sb);
  a.Steps += sa.n;
  a.End = sa.end;
  b.Steps += sb.n;
  b.End = sb.end;
}

void TFieldLineTracer::TraceJobs(std::vector<TTraceJob> &jobs, std::atomic<size_t> &next,
                                 const std::atomic<bool> *cancel) const {
  std::array<HalfState, 2> state;
  std::array<TTraceJob *, 2> job{};
  const auto recent = std::make_unique<std::array<TRecentStates, 2>>();
  const auto take = [&](size_t k) {
    if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) {
      job[k] = nullptr;
      return;
    }
    const size_t i = next.fetch_add(1);
    job[k] = i < jobs.size() ? &jobs[i] : nullptr;
    if (job[k] != nullptr)
      state[k] = Begin(job[k]->Direction, job[k]->X, job[k]->Y, job[k]->Line, &(*recent)[k]);
  };
  // Records how the line ended and starts the next one in its place. Inlined, so that the
  // steps of the two lines stand side by side for the processor to overlap.
  const auto step = [&](size_t k) __attribute__((always_inline)) {
    if (Advance(state[k]))
      return;
    job[k]->Steps += state[k].n;
    job[k]->End = state[k].end;
    take(k);
  };
  take(0);
  take(1);
  // In turn, as in TracePair, for as long as there are two lines.
  while (job[0] != nullptr && job[1] != nullptr) {
    step(0);
    step(1);
  }
  for (size_t k = 0; k < 2; ++k)
    while (job[k] != nullptr)
      step(k);
}
