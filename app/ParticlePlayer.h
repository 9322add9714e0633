#pragma once
// The play of the document's particles: one flight per particle from its start, advanced on
// a timer at the screen's refresh. Simulated time runs at the playback scale times the time
// that passes on screen (the ticks seam). Any edit of charges or particles, new or load,
// puts the play back to the start.

#include "model/ParticleDrawing.h"
#include "model/ParticleFlight.h"
#include "model/ParticleReadouts.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

class QTimer;
class TDocument;

class TParticlePlayer : public QObject {
  Q_OBJECT

public:
  enum class TMode { AtStart, Playing, Paused };

  // viewBounds: the part of the world (m) the view shows now; the flights take it at start.
  TParticlePlayer(TDocument &document, std::function<TWorldBounds()> viewBounds,
                  QObject *parent = nullptr);

  TMode Mode() const { return mode_; }
  // Plays on from where the play stands; at the start or after every flight ended, from the
  // start. Nothing without particles.
  void Start();
  void Pause();
  // Start while not playing, else Pause.
  void StartOrPause();
  // Pauses and takes one step of the selected particle's flight (else the first still
  // flying); the others follow to its time.
  void SingleStep();
  // Back to the start: no flights, time 0.
  void Reset();
  // One frame: the time that passed on screen since the last frame, times the scale, is
  // added to the simulated time and every flight is advanced to it.
  void AdvanceFrame();

  long double Time() const { return time_; }   // s, simulated
  long double Scale() const { return scale_; } // simulated s per s on screen, 0 at the start
  // The flights, one per particle in the scene's order; empty at the start.
  const std::vector<TParticleFlight> &Flights() const { return flights_; }
  // "1 s ≙ 2 ns" while there are flights, else empty.
  QString ScaleText() const;
  // What pictures show of the flights at Time(), one trail per particle; null at the start,
  // when pictures show the particles at their starts.
  const std::vector<TParticleTrail> *Trails() const {
    return flights_.empty() ? nullptr : &trails_;
  }
  QTimer *FrameTimer() const { return timer_; }

signals:
  // The flights moved or were dropped: frames show the particles anew.
  void Moved();
  void ModeChanged();
  // A particle's flight ended ("Teilchen trifft Ladung 3", ...).
  void FlightEnded(const QString &message);
  // The selected particle's readout and energies so far (at the start, its start values);
  // null when no particle is selected.
  void ParticleData(const TParticleReadout *readout, const std::vector<TEnergySample> &curve);

private:
  // One flight per particle from the scene as it is now, and the scale for it.
  void BuildFlights();
  void SetMode(TMode mode);
  // Tells of flights that ended since the last call, and stops when none flies any more.
  void ReportEnds();
  void EmitParticleData();
  // The trails from the flights as they stand, then Moved.
  void ShowMoves();
  // Every flight still flying advanced to time_, then shown, its end told and its data sent.
  void CatchUp();
  bool AnyFlying() const;

  TDocument &document_;
  std::function<TWorldBounds()> viewBounds_;
  QTimer *timer_ = nullptr;
  TMode mode_ = TMode::AtStart;
  std::vector<TParticleFlight> flights_;
  std::vector<bool> endTold_;
  std::vector<TParticleTrail> trails_;
  long double time_ = 0;
  long double scale_ = 0;
  uint32_t lastTick_ = 0;
  // The energies of the selected particle's accepted steps so far, kept between frames.
  int curveParticle_ = -1;
  size_t curveSteps_ = 0;
  std::vector<TEnergySample> curve_;
};

// The status text of a flight's end: "Teilchen trifft Ladung <n>" (n counted from 1),
// "Teilchen hat das Ziel erreicht" (with the charge and the budget when the scene's sources
// exceed the goal's budget), "Teilchen hat die Ansicht verlassen", or for a flight the
// integrator could not go on with "Teilchen bleibt stecken"; empty while it flies.
QString FlightEndText(const TParticleFlight &flight, const TScene &scene);
