#include "model/AccurateTracer.h"

#include "base/PixelMath.h"
#include "model/Field.h"
#include "model/Scene.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Dormand-Prince 5(4): nodes, stages, the fifth-order weights (the last stage is the field
// at the new point, reused by the next step) and the weights of the error estimate.
constexpr double kA21 = 1.0 / 5;
constexpr double kA31 = 3.0 / 40, kA32 = 9.0 / 40;
constexpr double kA41 = 44.0 / 45, kA42 = -56.0 / 15, kA43 = 32.0 / 9;
constexpr double kA51 = 19372.0 / 6561, kA52 = -25360.0 / 2187, kA53 = 64448.0 / 6561,
                 kA54 = -212.0 / 729;
constexpr double kA61 = 9017.0 / 3168, kA62 = -355.0 / 33, kA63 = 46732.0 / 5247, kA64 = 49.0 / 176,
                 kA65 = -5103.0 / 18656;
constexpr double kB1 = 35.0 / 384, kB3 = 500.0 / 1113, kB4 = 125.0 / 192, kB5 = -2187.0 / 6784,
                 kB6 = 11.0 / 84;
constexpr double kE1 = 71.0 / 57600, kE3 = -71.0 / 16695, kE4 = 71.0 / 1920,
                 kE5 = -17253.0 / 339200, kE6 = 22.0 / 525, kE7 = -1.0 / 40;

// Longest step on and near the surface, px: a chord of it bends away from the line by at
// most a fifth of a pixel at the largest turn.
constexpr double kLongestStep = 40;
// A step never reaches farther than this share of the way to the nearest source, so that it
// cannot pass a source unseen.
constexpr double kNearestShare = 0.5;
// A line this close to a source that takes it in has arrived, px.
constexpr double kCaptureRadius = 1;
// Shorter steps than this mean the line has run into a point where the field vanishes.
constexpr double kShortestStep = 1e-3;
constexpr double kMargin = static_cast<double>(kTraceMargin);

double Turn(double ax, double ay, double bx, double by) {
  return std::atan2(std::fabs(ax * by - ay * bx), ax * bx + ay * by);
}

} // namespace

TAccurateTracer::TAccurateTracer(const TScene &scene, const TPictureTarget &target)
    : path_(target.Trace.ForcePath && ForcePathSupported(*target.Trace.ForcePath)
                ? *target.Trace.ForcePath
                : FastestForcePath()),
      surface_(target.Area) {
  const long double p2 = scene.PixelsPerMetre * scene.PixelsPerMetre;
  std::vector<TLineEscape::Source> escapeSources;
  for (int i = 0; i < scene.Charges.Count(); ++i) {
    const TPointCharge &c = scene.Charges[i];
    if (!c.IsSource() || c.ChargeValue == 0)
      continue;
    const double w = static_cast<double>(c.ChargeValue * kCoulomb * p2);
    x_.push_back(static_cast<double>(c.CenterX()));
    y_.push_back(static_cast<double>(c.CenterY()));
    weight_.push_back(w);
    index_.push_back(i);
    escapeSources.push_back({x_.back(), y_.back(), w});
    arrays_.Add(x_.back(), y_.back(), w);
  }
  arrays_.Pad();
  if (target.Trace.StopOffSurface)
    escape_ = TLineEscape(escapeSources, surface_, kLongestStep);
}

TAccurateTracer::Field TAccurateTracer::DirectionAt(double x, double y, double sense,
                                                    bool nearest) const {
  double fx = 0;
  double fy = 0;
  const size_t n = x_.size();
  // The vector sum declines points straight beside a source; the plain loop takes them.
  if (!arrays_.Sum(path_, x, y, 0, fx, fy)) {
    fx = 0;
    fy = 0;
    for (size_t i = 0; i < n; ++i) {
      const double dx = x - x_[i];
      const double dy = y - y_[i];
      const double r2 = dx * dx + dy * dy;
      const double scale = weight_[i] / (r2 * std::sqrt(r2));
      fx += dx * scale;
      fy += dy * scale;
    }
  }
  Field f;
  if (nearest) {
    f.NearestSquared = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < n; ++i) {
      const double dx = x - x_[i];
      const double dy = y - y_[i];
      f.NearestSquared = std::min(f.NearestSquared, dx * dx + dy * dy);
    }
  }
  // hypot only where the squares would overflow: it costs several times a root.
  double length = std::sqrt(fx * fx + fy * fy);
  if (!std::isfinite(length))
    length = std::hypot(fx, fy);
  if (!(length > 0) || !std::isfinite(length))
    return f;
  f.X = sense * fx / length;
  f.Y = sense * fy / length;
  f.Defined = true;
  return f;
}

int32_t TAccurateTracer::Captured(double x, double y, double sense) const {
  for (size_t i = 0; i < x_.size(); ++i) {
    const double dx = x - x_[i];
    const double dy = y - y_[i];
    if (sense * weight_[i] < 0 && dx * dx + dy * dy <= kCaptureRadius * kCaptureRadius)
      return static_cast<int32_t>(i);
  }
  return -1;
}

void TAccurateTracer::Trace(TTraceJob &job) const {
  const double sense = job.Direction < 0 ? -1 : 1;
  double x = static_cast<double>(job.X);
  double y = static_cast<double>(job.Y);
  job.Points.assign(1, QPointF(x, y));
  job.Line.Start(pixel::Round(x), pixel::Round(y), surface_);
  job.Steps = 0;
  job.Reached = -1;
  job.End = TTraceEnd::Cycle;
  const auto accept = [&](double nx, double ny) {
    x = nx;
    y = ny;
    job.Points.emplace_back(x, y);
    job.Line.LineTo(pixel::Round(x), pixel::Round(y));
  };

  Field k1 = DirectionAt(x, y, sense, true);
  ++job.Steps;
  if (!k1.Defined)
    return;
  double h = 1;
  while (job.Steps + 6 <= kAccurateEvaluations) {
    // Far off the surface the line only has to come back where it would: longer steps.
    const double outside = std::max({-x, x - surface_.Width, -y, y - surface_.Height, 0.0});
    const double longest =
        std::min(std::max(kLongestStep, outside / 4), kNearestShare * std::sqrt(k1.NearestSquared));
    h = std::min(h, longest);
    if (h < kShortestStep)
      return;
    const Field k2 = DirectionAt(x + h * kA21 * k1.X, y + h * kA21 * k1.Y, sense);
    const Field k3 = DirectionAt(x + h * (kA31 * k1.X + kA32 * k2.X),
                                 y + h * (kA31 * k1.Y + kA32 * k2.Y), sense);
    const Field k4 = DirectionAt(x + h * (kA41 * k1.X + kA42 * k2.X + kA43 * k3.X),
                                 y + h * (kA41 * k1.Y + kA42 * k2.Y + kA43 * k3.Y), sense);
    const Field k5 =
        DirectionAt(x + h * (kA51 * k1.X + kA52 * k2.X + kA53 * k3.X + kA54 * k4.X),
                    y + h * (kA51 * k1.Y + kA52 * k2.Y + kA53 * k3.Y + kA54 * k4.Y), sense);
    const Field k6 = DirectionAt(
        x + h * (kA61 * k1.X + kA62 * k2.X + kA63 * k3.X + kA64 * k4.X + kA65 * k5.X),
        y + h * (kA61 * k1.Y + kA62 * k2.Y + kA63 * k3.Y + kA64 * k4.Y + kA65 * k5.Y), sense);
    const double nx = x + h * (kB1 * k1.X + kB3 * k3.X + kB4 * k4.X + kB5 * k5.X + kB6 * k6.X);
    const double ny = y + h * (kB1 * k1.Y + kB3 * k3.Y + kB4 * k4.Y + kB5 * k5.Y + kB6 * k6.Y);
    const Field k7 = DirectionAt(nx, ny, sense, true);
    job.Steps += 6;
    const bool defined =
        k2.Defined && k3.Defined && k4.Defined && k5.Defined && k6.Defined && k7.Defined;
    double factor = 0.25;
    if (defined) {
      const double ex = kE1 * k1.X + kE3 * k3.X + kE4 * k4.X + kE5 * k5.X + kE6 * k6.X + kE7 * k7.X;
      const double ey = kE1 * k1.Y + kE3 * k3.Y + kE4 * k4.Y + kE5 * k5.Y + kE6 * k6.Y + kE7 * k7.Y;
      const double error = h * std::hypot(ex, ey);
      const double turn = Turn(k1.X, k1.Y, k7.X, k7.Y);
      factor =
          error > 0 ? std::clamp(0.9 * std::pow(kAccurateTolerance / error, 0.2), 0.2, 5.0) : 5.0;
      if (turn > 0)
        factor = std::min(factor, 0.9 * kAccurateTurn / turn);
      if (error <= kAccurateTolerance && turn <= kAccurateTurn) {
        accept(nx, ny);
        k1 = k7;
        if (const int32_t source = Captured(x, y, sense); source >= 0) {
          accept(x_[source], y_[source]);
          job.Reached = index_[source];
          job.End = TTraceEnd::ReachedCharge;
          return;
        }
        if (x < -kMargin || y < -kMargin || x > surface_.Width + kMargin ||
            y > surface_.Height + kMargin) {
          job.End = TTraceEnd::LeftBox;
          return;
        }
        if (escape_.CannotReturn(job.Direction, x, y)) {
          job.End = TTraceEnd::Escaped;
          return;
        }
      }
    }
    h *= factor;
  }
  job.End = TTraceEnd::Budget;
}

void TAccurateTracer::TraceJobs(std::vector<TTraceJob> &jobs, std::atomic<size_t> &next,
                                const std::atomic<bool> *cancel) const {
  for (;;) {
    if (cancel != nullptr && cancel->load(std::memory_order_relaxed))
      return;
    const size_t i = next.fetch_add(1);
    if (i >= jobs.size())
      return;
    Trace(jobs[i]);
  }
}
