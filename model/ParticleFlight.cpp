#include "model/ParticleFlight.h"

#include "model/Field.h"
#include "model/Scene.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

// Dormand and Prince's 5(4) pair: nodes, stage weights, and the error weights (fifth minus
// fourth order).
constexpr long double kC[7] = {0, 1.0L / 5, 3.0L / 10, 4.0L / 5, 8.0L / 9, 1, 1};
constexpr long double kA[7][6] = {
    {},
    {1.0L / 5},
    {3.0L / 40, 9.0L / 40},
    {44.0L / 45, -56.0L / 15, 32.0L / 9},
    {19372.0L / 6561, -25360.0L / 2187, 64448.0L / 6561, -212.0L / 729},
    {9017.0L / 3168, -355.0L / 33, 46732.0L / 5247, 49.0L / 176, -5103.0L / 18656},
    {35.0L / 384, 0, 500.0L / 1113, 125.0L / 192, -2187.0L / 6784, 11.0L / 84}};
constexpr long double kE[7] = {71.0L / 57600,      0,           -71.0L / 16695, 71.0L / 1920,
                               -17253.0L / 339200, 22.0L / 525, -1.0L / 40};

// Each step's error, per component, against this share of its scale: the distance to the
// nearest source for the position, the speed for the velocity.
constexpr long double kTolerance = 1e-11L;
// The step controller: safety factor, and the most a step may grow or shrink at once.
constexpr long double kSafety = 0.9L;
constexpr long double kMostGrowth = 5;
constexpr long double kMostShrink = 0.2L;
// At its start's speed and acceleration, a step carries the particle no further than about
// this share of the distance to the nearest source (v h and a h^2 each at most this share),
// so that no step reaches across a source that its stages would not feel.
constexpr long double kReach = 0.25L;

constexpr long double kInfinity = std::numeric_limits<long double>::infinity();

TParticleState StateOf(long double t, const TPhase &y) { return {t, y[0], y[1], y[2], y[3]}; }

long double Speed(const TPhase &y) { return std::hypot(y[2], y[3]); }

// |error| / scale, where a zero error needs no scale.
long double ErrorShare(long double error, long double scale) {
  const long double magnitude = std::fabs(error);
  return magnitude == 0 ? 0 : magnitude / scale;
}

} // namespace

TParticleFlight::TParticleFlight(const TScene &scene, int particle, const TWorldBounds &view)
    : view_(view) {
  const TParticle *p = scene.Particle(particle);
  if (!p)
    throw std::out_of_range("TParticleFlight: no particle at that index");
  mass_ = p->Mass;
  charge_ = p->Charge;
  for (int i = 0; i < scene.Charges.Count(); ++i) {
    const TPointCharge &charge = scene.Charges[i];
    if (!charge.IsSource())
      continue;
    const TWorldPoint at = scene.ChargeWorldPosition(charge);
    sources_.X.push_back(at.X);
    sources_.Y.push_back(at.Y);
    sources_.KQ.push_back(kCoulomb * charge.ChargeValue);
    sources_.SceneIndex.push_back(i);
  }
  discRadius_ = kChargeHalfSize / scene.PixelsPerMetre;
  goal_ = scene.ParticleSetup.Goal;
  track_.push_back({0, p->X, p->Y, p->VX, p->VY});
  CheckStart();
}

void TParticleFlight::CheckStart() {
  const TParticleState &start = track_.front();
  if (!(mass_ > 0) || !std::isfinite(mass_) || !std::isfinite(charge_)) {
    end_ = TFlightEnd::Stalled;
    return;
  }
  for (size_t i = 0; i < sources_.X.size(); ++i)
    if (std::hypot(start.X - sources_.X[i], start.Y - sources_.Y[i]) <= discRadius_) {
      end_ = TFlightEnd::HitCharge;
      hitSource_ = sources_.SceneIndex[i];
      return;
    }
  if (goal_.Contains(start.X, start.Y)) {
    end_ = TFlightEnd::ReachedGoal;
    return;
  }
  const long double width = view_.Right - view_.Left;
  if (start.X < view_.Left - 10 * width || start.X > view_.Right + 10 * width ||
      start.Y < view_.Bottom - 10 * width || start.Y > view_.Top + 10 * width) {
    end_ = TFlightEnd::LeftView;
    return;
  }
  rateNow_ = RateAt({start.X, start.Y, start.VX, start.VY});
  h_ = InitialStep();
}

// The sum stays in long double: in double it would run about twice as fast (it does not
// vectorise in long double), and its error of up to 1e-13 of the net force near
// cancellations would still lie below the tolerance, but in long double a frame of the
// animation through 1,000 sources already takes about a tenth of the frame's time (see
// bench/ParticleBench.cpp).
TParticleFlight::TRate TParticleFlight::RateAt(const TPhase &y) const {
  long double ax = 0, ay = 0, nearestSquared = kInfinity;
  const size_t count = sources_.X.size();
  const long double *sx = sources_.X.data(), *sy = sources_.Y.data(), *kq = sources_.KQ.data();
  for (size_t i = 0; i < count; ++i) {
    const long double dx = y[0] - sx[i], dy = y[1] - sy[i];
    const long double r2 = dx * dx + dy * dy;
    nearestSquared = std::min(nearestSquared, r2);
    const long double w = kq[i] / (r2 * std::sqrt(r2));
    ax += w * dx;
    ay += w * dy;
  }
  const long double perMass = charge_ / mass_;
  return {{y[2], y[3], ax * perMass, ay * perMass}, std::sqrt(nearestSquared)};
}

long double TParticleFlight::DistanceCap(const TRate &rate, const TPhase &y) const {
  if (!std::isfinite(rate.Nearest))
    return kInfinity;
  const long double reach = kReach * rate.Nearest;
  const long double speed = Speed(y);
  const long double acceleration = std::hypot(rate.Derivative[2], rate.Derivative[3]);
  long double cap = kInfinity;
  if (speed > 0)
    cap = reach / speed;
  if (acceleration > 0)
    cap = std::min(cap, std::sqrt(reach / acceleration));
  return cap;
}

long double TParticleFlight::InitialStep() const {
  const TParticleState &s = Now();
  const TPhase y{s.X, s.Y, s.VX, s.VY};
  const long double cap = DistanceCap(rateNow_, y);
  if (std::isfinite(cap))
    return cap / 10;
  // Nothing pulls: the particle runs straight on or rests, and any step is exact.
  const long double speed = Speed(y);
  const long double width = view_.Right - view_.Left;
  return speed > 0 && width > 0 ? width / speed / 100 : 1.0L;
}

void TParticleFlight::Step() { TakeStep(kInfinity); }

bool TParticleFlight::AdvanceTo(long double t, size_t maxSteps) {
  for (size_t taken = 0; end_ == TFlightEnd::Flying && Now().T < t; ++taken) {
    if (taken == maxSteps)
      return false;
    TakeStep(t);
  }
  return true;
}

void TParticleFlight::TakeStep(long double until) {
  if (end_ != TFlightEnd::Flying)
    return;
  const TParticleState &now = Now();
  const long double t0 = now.T;
  const TPhase y0{now.X, now.Y, now.VX, now.VY};
  bool rejected = false;
  for (;;) {
    const long double wanted = std::min(h_, DistanceCap(rateNow_, y0));
    const bool reachesUntil = until - t0 <= wanted;
    const long double h = reachesUntil ? until - t0 : wanted;
    const long double t1 = reachesUntil ? until : t0 + h;
    if (!(h > 0) || !(t1 > t0)) {
      end_ = TFlightEnd::Stalled;
      return;
    }
    TStageRates k;
    k[0] = rateNow_.Derivative;
    TPhase y1{};
    TRate rate1;
    for (int stage = 1; stage < 7; ++stage) {
      TPhase y = y0;
      for (int j = 0; j < stage; ++j)
        for (size_t i = 0; i < y.size(); ++i)
          y[i] += h * kA[stage][j] * k[static_cast<size_t>(j)][i];
      const TRate rate = RateAt(y);
      k[static_cast<size_t>(stage)] = rate.Derivative;
      if (stage == 6) {
        y1 = y;
        rate1 = rate;
      }
    }
    TPhase error{};
    for (int stage = 0; stage < 7; ++stage)
      for (size_t i = 0; i < error.size(); ++i)
        error[i] += h * kE[stage] * k[static_cast<size_t>(stage)][i];
    const long double positionScale = kTolerance * std::min(rateNow_.Nearest, rate1.Nearest);
    const long double velocityScale =
        kTolerance * std::max({Speed(y0), Speed(y1),
                               h * std::hypot(rateNow_.Derivative[2], rateNow_.Derivative[3])});
    const long double share =
        std::max({ErrorShare(error[0], positionScale), ErrorShare(error[1], positionScale),
                  ErrorShare(error[2], velocityScale), ErrorShare(error[3], velocityScale)});
    if (!std::isfinite(share) || share > 1) {
      const long double factor = std::isfinite(share)
                                     ? std::max(kMostShrink, kSafety * std::pow(share, -0.2L))
                                     : kMostShrink;
      h_ = h * factor;
      rejected = true;
      continue;
    }
    long double factor =
        share == 0 ? kMostGrowth
                   : std::clamp(kSafety * std::pow(share, -0.2L), kMostShrink, kMostGrowth);
    if (rejected)
      factor = std::min(factor, 1.0L);
    // A step cut short (to end at `until`, or by the reach) says little about the longer
    // one the controller had in mind, unless even the short one asks to shrink.
    h_ = h < h_ && factor >= 1 ? std::max(h_, h * factor) : h * factor;

    steps_.push_back({t0, h, TFlightCurve(y0, y1, k, h)});
    if (EndAtFirstEvent(steps_.back()))
      return;
    track_.push_back(StateOf(t1, y1));
    rateNow_ = rate1;
    const long double width = view_.Right - view_.Left;
    if (y1[0] < view_.Left - 10 * width || y1[0] > view_.Right + 10 * width ||
        y1[1] < view_.Bottom - 10 * width || y1[1] > view_.Top + 10 * width)
      end_ = TFlightEnd::LeftView;
    return;
  }
}

bool TParticleFlight::EndAtFirstEvent(const TDenseStep &step) {
  const TBox bounds = step.Curve.Bounds();
  std::optional<long double> first;
  int source = -1;
  for (size_t i = 0; i < sources_.X.size(); ++i) {
    const long double x = sources_.X[i], y = sources_.Y[i];
    const long double dx = std::max({bounds.Left - x, 0.0L, x - bounds.Right});
    const long double dy = std::max({bounds.Bottom - y, 0.0L, y - bounds.Top});
    if (dx * dx + dy * dy > discRadius_ * discRadius_)
      continue;
    const auto theta = step.Curve.FirstInDisc(x, y, discRadius_);
    if (theta && (!first || *theta < *first)) {
      first = theta;
      source = sources_.SceneIndex[i];
    }
  }
  bool goal = false;
  if (goal_.Active) {
    const auto theta = step.Curve.FirstInBox({goal_.Left, goal_.Bottom, goal_.Right, goal_.Top});
    if (theta && (!first || *theta < *first)) {
      first = theta;
      goal = true;
    }
  }
  if (!first)
    return false;
  track_.push_back(StateOf(step.T0 + *first * step.H, step.Curve.At(*first)));
  end_ = goal ? TFlightEnd::ReachedGoal : TFlightEnd::HitCharge;
  hitSource_ = goal ? -1 : source;
  return true;
}

TParticleState TParticleFlight::StateAt(long double t) const {
  if (t <= track_.front().T)
    return track_.front();
  if (t >= track_.back().T)
    return track_.back();
  // The step whose start is the last one at or before t.
  const auto after =
      std::upper_bound(track_.begin(), track_.end(), t,
                       [](long double time, const TParticleState &s) { return time < s.T; });
  const size_t index = static_cast<size_t>(after - track_.begin()) - 1;
  if (track_[index].T == t)
    return track_[index];
  const TDenseStep &step = steps_[index];
  return StateOf(t, step.Curve.At((t - step.T0) / step.H));
}

long double TParticleFlight::KineticEnergy(const TParticleState &state) const {
  return mass_ * (state.VX * state.VX + state.VY * state.VY) / 2;
}

long double TParticleFlight::PotentialEnergy(const TParticleState &state) const {
  long double potential = 0;
  for (size_t i = 0; i < sources_.X.size(); ++i)
    potential += sources_.KQ[i] / std::hypot(state.X - sources_.X[i], state.Y - sources_.Y[i]);
  return charge_ * potential;
}
