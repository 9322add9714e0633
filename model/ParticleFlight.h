#pragma once
// The flight of one particle through the field of a scene's fixed sources, in SI units:
// an embedded Runge-Kutta pair (Dormand-Prince 5(4)) with an adaptive step, which ends where
// the particle reaches a source's disc, reaches the goal, or leaves the view far behind.

#include "model/FlightCurve.h"
#include "model/Particle.h"

#include <cstdint>
#include <vector>

struct TScene;

// Where a particle is and how fast it moves at a time.
struct TParticleState {
  long double T = 0;  // s since the start
  long double X = 0;  // m
  long double Y = 0;  // m
  long double VX = 0; // m/s
  long double VY = 0; // m/s
};

enum class TFlightEnd {
  Flying,      // still on its way
  HitCharge,   // reached a source's disc (HitSource says which)
  ReachedGoal, // inside the scene's goal
  LeftView,    // more than ten view widths outside the view
  Stalled,     // the step controller could not go on (a step below what time can resolve)
};

// The part of the world the view shows (m), for the "left the view" rule.
struct TWorldBounds {
  long double Left = 0, Bottom = 0, Right = 0, Top = 0;
};

class TParticleFlight {
public:
  // The particle at index among the scene's particles, at its start, in the field of the
  // scene's sources as they are now (a later change of the scene does not reach it).
  TParticleFlight(const TScene &scene, int particle, const TWorldBounds &view);

  // Takes accepted steps until the time t (s) is reached or the flight ends; the last step
  // ends exactly at t. At most maxSteps are taken: answers whether t or the end was reached.
  bool AdvanceTo(long double t, size_t maxSteps = SIZE_MAX);
  // Takes one accepted step of the controller's own length ("Einzelschritt").
  void Step();

  TFlightEnd End() const { return end_; }
  // The scene's index of the source the particle reached, -1 for none.
  int HitSource() const { return hitSource_; }
  const TParticleState &Now() const { return track_.back(); }
  // The start and every accepted step since, in order of time.
  const std::vector<TParticleState> &Track() const { return track_; }
  // The state at a time between the start and Now() (s), from the steps' dense output.
  TParticleState StateAt(long double t) const;

  long double Mass() const { return mass_; }     // kg
  long double Charge() const { return charge_; } // C
  // Energies (J) at a state: m v^2 / 2, and q V from the sources.
  long double KineticEnergy(const TParticleState &state) const;
  long double PotentialEnergy(const TParticleState &state) const;
  long double TotalEnergy(const TParticleState &state) const {
    return KineticEnergy(state) + PotentialEnergy(state);
  }

private:
  // One accepted step's dense output: the state at theta in [0, 1] of the step's full length
  // H (an event may end the flight before its end).
  struct TDenseStep {
    long double T0 = 0, H = 0;
    TFlightCurve Curve;
  };
  // The sources as arrays, so that the force loop runs over plain memory.
  struct TSources {
    std::vector<long double> X, Y, KQ; // m, m, k Q (N m^2 / C)
    std::vector<int> SceneIndex;
  };
  // The derivative of the state (velocity and acceleration) and the distance to the nearest
  // source there (m; infinite without sources).
  struct TRate {
    TPhase Derivative{};
    long double Nearest = 0;
  };

  TRate RateAt(const TPhase &y) const;
  // One attempt after another until a step of at most limit (s) is accepted or the flight
  // stalls.
  void TakeStep(long double limit);
  long double InitialStep() const;
  long double DistanceCap(const TRate &rate, const TPhase &y) const;
  // Ends the flight where the step's curve first enters a source's disc or the goal.
  bool EndAtFirstEvent(const TDenseStep &step);
  void CheckStart();

  TSources sources_;
  long double discRadius_ = 0; // m
  TParticleGoal goal_;
  long double mass_ = 0, charge_ = 0;
  TWorldBounds view_;
  std::vector<TParticleState> track_;
  std::vector<TDenseStep> steps_;
  TRate rateNow_;     // at Now(), first stage of the next step
  long double h_ = 0; // s, the controller's next step
  TFlightEnd end_ = TFlightEnd::Flying;
  int hitSource_ = -1;
};

// Simulated seconds per second on screen, a 1, 2 or 5 times a power of ten, so that the
// scene's fastest particle crosses the view in a few seconds ("1 s ≙ 2 ns").
long double PlaybackScale(const TScene &scene, const TWorldBounds &view);
