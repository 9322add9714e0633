#pragma once
// What the data tab shows of a particle in flight: its time, place, speed and energies, and
// how far the flight's total energy has drifted from its start (the integrator's error).

#include <vector>

class TParticleFlight;
struct TParticleState;

// Joules per electron volt.
inline constexpr long double kJoulesPerElectronVolt = 1.602176634e-19L;

// Energies of a particle at one time (s; J).
struct TEnergySample {
  long double T = 0;
  long double Kinetic = 0;
  long double Potential = 0;
  long double Total = 0;
};

struct TParticleReadout {
  TEnergySample Energy;  // s, J
  long double X = 0;     // m
  long double Y = 0;     // m
  long double Speed = 0; // m/s
  long double Drift = 0; // (total - total at the start) / scale, see ReadoutOf
};

TEnergySample EnergyOf(const TParticleFlight &flight, const TParticleState &state);
// The readout at state. The drift is relative to the largest of the start's kinetic,
// potential and total energy in magnitude (a total of zero is no scale); 0 when all three
// are zero.
TParticleReadout ReadoutOf(const TParticleFlight &flight, const TParticleState &state);
