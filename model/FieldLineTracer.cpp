#include "model/FieldLineTracer.h"

#include "display/PixelMath.h"
#include "model/Document.h"
#include "model/Field.h"
#include "model/ModelHooks.h"
#include "model/Seams.h"

#include <cmath>

namespace {

// Below this ratio of the smaller to the larger component, an angle rounded to a double
// decides the small component (sin of pi as a double is 1.2e-16, not 0).
constexpr double kAxisRatio = 0x1p-48;

bool NearAxis(double a, double b) {
  const double fa = std::fabs(a);
  const double fb = std::fabs(b);
  return fa <= fb * kAxisRatio || fb <= fa * kAxisRatio;
}

// The clock is read once every so many steps.
constexpr uint64_t kClockStride = 32;

} // namespace

void TPolyline::Start(int32_t x, int32_t y, TSize surface) {
  ops_.clear();
  surface_ = surface;
  pen_ = {x, y};
  drawn_ = pen_;
  ops_.push_back({x, y, true});
  pendingMove_ = false;
}

void TPolyline::LineTo(int32_t x, int32_t y) {
  if (x == pen_.X && y == pen_.Y)
    return;
  const bool offSurface = (x < 0 && pen_.X < 0) || (y < 0 && pen_.Y < 0) ||
                          (x >= surface_.Width && pen_.X >= surface_.Width) ||
                          (y >= surface_.Height && pen_.Y >= surface_.Height);
  if (offSurface) {
    pendingMove_ = true;
  } else {
    if (pendingMove_)
      ops_.push_back({pen_.X, pen_.Y, true});
    ops_.push_back({x, y, false});
    pendingMove_ = false;
    drawn_ = {x, y};
  }
  pen_ = {x, y};
}

void TPolyline::DrawOn(TCanvas &canvas) const {
  for (const Op &op : ops_) {
    if (op.Move)
      canvas.MoveTo(op.X, op.Y);
    else
      canvas.LineTo(op.X, op.Y);
  }
  if (!ops_.empty() && !(pen_ == drawn_))
    canvas.MoveTo(pen_.X, pen_.Y);
}

TFieldLineTracer::TFieldLineTracer()
    : surface_(SurfaceSize()), stepLength_(StepLength), pixelsPerMetre_(PixelsPerMetre) {
  const long double p2 = pixelsPerMetre_ * pixelsPerMetre_;
  for (const auto &c : Charges) {
    if (!c->IsSource() || c->ChargeValue == 0)
      continue; // a zero source adds exactly nothing to the force and stops no line
    sources_.push_back({c->X + 10, c->Y + 10,
                        static_cast<double>(c->ChargeValue * kCoulomb * p2), c->ChargeValue});
  }
}

TFieldLineTracer::StepResult TFieldLineTracer::Step(int32_t direction, long double &x,
                                                    long double &y) const {
  const long double step = stepLength_;
  // The stop test runs in doubles with a margin; only a near call is decided exactly.
  const double stopSquared = static_cast<double>(step * step) * (1 + 1e-12);
  const double xd = static_cast<double>(x);
  const double yd = static_cast<double>(y);
  const double sense = direction; // against the field, every source acts the other way
  double fx = 0;
  double fy = 0;
  for (const Source &s : sources_) {
    const double dx = xd - s.cx;
    const double dy = yd - s.cy;
    const double r2 = dx * dx + dy * dy;
    if (r2 <= stopSquared) [[unlikely]] {
      const long double dxl = x - s.cx;
      const long double dyl = y - s.cy;
      if (std::sqrt(dxl * dxl + dyl * dyl) <= step)
        return StepResult::ReachedCharge;
    }
    if (NearAxis(dx, dy)) [[unlikely]] {
      const TVector part = LiteralTerm(s, direction, x, y);
      fx += part.X;
      fy += part.Y;
      continue;
    }
    // Like signs push the point away from the source, unlike signs pull it in.
    const double scale = s.signedWeight * sense / (r2 * std::sqrt(r2));
    fx += dx * scale;
    fy += dy * scale;
  }
  TVector v{fx, fy};
  if (fx == 0 || fy == 0 || NearAxis(fx, fy)) [[unlikely]] {
    v.SetLength(static_cast<double>(step));
  } else {
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
  const long double dxl = x - s.cx;
  const long double dyl = y - s.cy;
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

TTraceEnd TFieldLineTracer::TraceHalf(int32_t direction, long double x, long double y,
                                      TPolyline &line, uint64_t &steps) const {
  line.Start(pixel::Round(x), pixel::Round(y), surface_);
  const long double left = -kTraceMargin;
  const long double right = surface_.Width + kTraceMargin;
  const long double top = -kTraceMargin;
  const long double bottom = surface_.Height + kTraceMargin;
  const uint64_t cap = TraceStepCap();
  const uint32_t t0 = seams::GetTickCount();

  // Brent's cycle detection: a line whose point repeats exactly can draw nothing new.
  long double savedX = x;
  long double savedY = y;
  uint64_t power = 1;
  uint64_t sinceSave = 0;

  uint64_t n = 0;
  for (;;) {
    if (!(x >= left && x <= right && y >= top && y <= bottom)) {
      steps += n;
      return TTraceEnd::LeftBox;
    }
    if (cap != 0 ? n >= cap
                 : (n % kClockStride == 0 && seams::GetTickCount() - t0 >= kTraceBudgetMs)) {
      steps += n;
      return TTraceEnd::Budget;
    }
    if (Step(direction, x, y) == StepResult::ReachedCharge) {
      steps += n;
      return TTraceEnd::ReachedCharge;
    }
    ++n;
    line.LineTo(pixel::Round(x), pixel::Round(y));
    if (x == savedX && y == savedY) {
      steps += n;
      return TTraceEnd::Cycle;
    }
    if (++sinceSave == power) {
      savedX = x;
      savedY = y;
      power *= 2;
      sinceSave = 0;
    }
  }
}
