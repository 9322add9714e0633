#include "model/ParticleReadouts.h"

#include "model/ParticleFlight.h"

#include <algorithm>
#include <cmath>

TEnergySample EnergyOf(const TParticleFlight &flight, const TParticleState &state) {
  const long double kinetic = flight.KineticEnergy(state);
  const long double potential = flight.PotentialEnergy(state);
  return {state.T, kinetic, potential, kinetic + potential};
}

TParticleReadout ReadoutOf(const TParticleFlight &flight, const TParticleState &state) {
  TParticleReadout readout;
  readout.Energy = EnergyOf(flight, state);
  readout.X = state.X;
  readout.Y = state.Y;
  readout.Speed = std::hypot(state.VX, state.VY);
  const TEnergySample start = EnergyOf(flight, flight.Track().front());
  const long double scale =
      std::max({std::fabs(start.Kinetic), std::fabs(start.Potential), std::fabs(start.Total)});
  readout.Drift = scale > 0 ? (readout.Energy.Total - start.Total) / scale : 0;
  return readout;
}
