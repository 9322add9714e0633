#include "app/ParticlePlayer.h"

#include "base/Seams.h"
#include "model/Document.h"
#include "model/PlaybackScale.h"
#include "widgets/ErrorGuard.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The stroboscope's dots on a trail: one per this much time on screen (s).
constexpr long double kDotSeconds = 0.25L;
// The most integrator steps a flight takes for one frame: about 50 ms among 1,000 sources.
constexpr size_t kStepsPerFrame = 400;

} // namespace

TParticlePlayer::TParticlePlayer(TDocument &document, std::function<TWorldBounds()> viewBounds,
                                 QObject *parent)
    : QObject(parent), document_(document), viewBounds_(std::move(viewBounds)) {
  timer_ = new QTimer(this);
  timer_->setInterval(seams::kFrameIntervalMs);
  timer_->setTimerType(Qt::PreciseTimer);
  ConnectGuarded(timer_, &QTimer::timeout, this, [this] { AdvanceFrame(); });
  // The flights hold the scene of their start: any change of what they fly through, or of
  // what they are, starts the play again.
  const auto reset = [this] { Reset(); };
  ConnectGuarded(&document_, &TDocument::ChargeChanged, this, reset);
  ConnectGuarded(&document_, &TDocument::ChargesChanged, this, reset);
  ConnectGuarded(&document_, &TDocument::SeveralChargesChanged, this, reset);
  ConnectGuarded(&document_, &TDocument::ChargesInsertedTogether, this, reset);
  ConnectGuarded(&document_, &TDocument::ParticlesChanged, this, reset);
  ConnectGuarded(&document_, &TDocument::Replaced, this, reset);
  ConnectGuarded(&document_, &TDocument::ParticleSelectionChanged, this,
                 [this] { EmitParticleData(); });
}

void TParticlePlayer::BuildFlights() {
  const TScene &scene = document_.Scene();
  const TWorldBounds view = viewBounds_();
  flights_.clear();
  flights_.reserve(scene.Particles.size());
  for (int i = 0; i < static_cast<int>(scene.Particles.size()); ++i)
    flights_.emplace_back(scene, i, view);
  endTold_.assign(flights_.size(), false);
  scale_ = flights_.empty() ? 0 : PlaybackScale(scene, view);
  time_ = 0;
  curveParticle_ = -1;
}

bool TParticlePlayer::AnyFlying() const {
  return std::ranges::any_of(
      flights_, [](const TParticleFlight &f) { return f.End() == TFlightEnd::Flying; });
}

void TParticlePlayer::SetMode(TMode mode) {
  if (mode == TMode::Playing)
    timer_->start();
  else
    timer_->stop();
  if (mode == mode_)
    return;
  mode_ = mode;
  emit ModeChanged();
}

void TParticlePlayer::Start() {
  if (document_.Scene().Particles.empty())
    return;
  if (mode_ == TMode::AtStart || !AnyFlying())
    BuildFlights();
  lastTick_ = seams::GetTickCount();
  SetMode(TMode::Playing);
  ShowMoves();
  // A particle that starts on a source's disc ends before it flies.
  ReportEnds();
  EmitParticleData();
}

void TParticlePlayer::Pause() {
  if (mode_ == TMode::Playing)
    SetMode(TMode::Paused);
}

void TParticlePlayer::StartOrPause() {
  if (mode_ == TMode::Playing)
    Pause();
  else
    Start();
}

void TParticlePlayer::SingleStep() {
  if (document_.Scene().Particles.empty())
    return;
  if (mode_ == TMode::AtStart)
    BuildFlights();
  SetMode(TMode::Paused);
  const int selected = document_.Scene().SelectedParticle;
  auto leader = flights_.end();
  if (selected >= 0 && selected < static_cast<int>(flights_.size()) &&
      flights_[static_cast<size_t>(selected)].End() == TFlightEnd::Flying)
    leader = flights_.begin() + selected;
  else
    leader = std::ranges::find_if(
        flights_, [](const TParticleFlight &f) { return f.End() == TFlightEnd::Flying; });
  if (leader == flights_.end())
    return;
  leader->Step();
  time_ = std::max(time_, leader->Now().T);
  CatchUp();
}

void TParticlePlayer::Reset() {
  const bool hadFlights = !flights_.empty();
  flights_.clear();
  endTold_.clear();
  trails_.clear();
  time_ = 0;
  scale_ = 0;
  curveParticle_ = -1;
  SetMode(TMode::AtStart);
  if (hadFlights)
    emit Moved();
  EmitParticleData();
}

void TParticlePlayer::AdvanceFrame() {
  if (mode_ != TMode::Playing)
    return;
  const uint32_t now = seams::GetTickCount();
  // Unsigned difference: right across the counter's wrap.
  const uint32_t elapsed = now - std::exchange(lastTick_, now);
  time_ += elapsed / 1000.0L * scale_;
  CatchUp();
}

void TParticlePlayer::CatchUp() {
  // A flight that needs more steps than a frame can take (a tight orbit among many sources)
  // holds the time back: the play runs slower instead of the window freezing.
  long double reached = time_;
  for (TParticleFlight &flight : flights_)
    if (!flight.AdvanceTo(time_, kStepsPerFrame))
      reached = std::min(reached, flight.Now().T);
  time_ = reached;
  ShowMoves();
  ReportEnds();
  EmitParticleData();
}

void TParticlePlayer::ShowMoves() {
  const TScene &scene = document_.Scene();
  // Each frame samples only what its flight added since the last.
  trails_.resize(flights_.size());
  for (size_t i = 0; i < flights_.size(); ++i)
    ExtendTrail(trails_[i], flights_[i], scene, static_cast<int>(i), time_, scale_ * kDotSeconds);
  emit Moved();
}

void TParticlePlayer::ReportEnds() {
  for (size_t i = 0; i < flights_.size(); ++i) {
    if (endTold_[i] || flights_[i].End() == TFlightEnd::Flying)
      continue;
    endTold_[i] = true;
    emit FlightEnded(FlightEndText(flights_[i], document_.Scene()));
  }
  if (mode_ == TMode::Playing && !AnyFlying())
    SetMode(TMode::Paused);
}

void TParticlePlayer::EmitParticleData() {
  const TScene &scene = document_.Scene();
  const int selected = scene.SelectedParticle;
  if (scene.Particle(selected) == nullptr) {
    curveParticle_ = -1;
    emit ParticleData(nullptr, {});
    return;
  }
  const auto index = static_cast<size_t>(selected);
  if (index >= flights_.size()) {
    // At the start: the particle's values before it flies.
    const TParticleFlight start(scene, selected, viewBounds_());
    const TParticleReadout readout = ReadoutOf(start, start.Now());
    emit ParticleData(&readout, {readout.Energy});
    return;
  }
  const TParticleFlight &flight = flights_[index];
  if (curveParticle_ != selected) {
    curveParticle_ = selected;
    curveSteps_ = 0;
    curve_.clear();
  }
  const std::vector<TParticleState> &track = flight.Track();
  for (; curveSteps_ < track.size(); ++curveSteps_)
    curve_.push_back(EnergyOf(flight, track[curveSteps_]));
  const TParticleReadout readout = ReadoutOf(flight, flight.Now());
  emit ParticleData(&readout, curve_);
}

QString TParticlePlayer::ScaleText() const {
  return flights_.empty() ? QString() : PlaybackScaleText(scale_);
}

QString FlightEndText(const TParticleFlight &flight, const TScene &scene) {
  switch (flight.End()) {
  case TFlightEnd::Flying:
    return {};
  case TFlightEnd::HitCharge:
    return QCoreApplication::translate("TParticlePlayer", "Teilchen trifft Ladung %1")
        .arg(flight.HitSource() + 1);
  case TFlightEnd::ReachedGoal:
    if (!WithinChargeBudget(scene)) {
      const auto elementary = [](long double charge) {
        return QLocale().toString(static_cast<double>(charge / kElementaryCharge), 'g', 4);
      };
      return QCoreApplication::translate(
                 "TParticlePlayer",
                 "Teilchen hat das Ziel erreicht, aber mit zu viel Ladung (%1 e von %2 e)")
          .arg(elementary(SourceChargeMagnitude(scene)),
               elementary(scene.ParticleSetup.Goal.ChargeBudget));
    }
    return QCoreApplication::translate("TParticlePlayer", "Teilchen hat das Ziel erreicht");
  case TFlightEnd::LeftView:
    return QCoreApplication::translate("TParticlePlayer", "Teilchen hat die Ansicht verlassen");
  case TFlightEnd::Stalled:
    return QCoreApplication::translate("TParticlePlayer", "Teilchen bleibt stecken");
  }
  return {};
}
