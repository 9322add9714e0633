#include "model/Particle.h"

#include "model/PointCharge.h"
#include "model/Scene.h"

#include <cmath>

TParticle ParticlePreset(TParticleKind kind) {
  TParticle particle;
  particle.Kind = kind;
  switch (kind) {
  case TParticleKind::Electron:
    particle.Mass = kElectronMass;
    particle.Charge = -kElementaryCharge;
    break;
  case TParticleKind::Proton:
  case TParticleKind::Free:
    particle.Mass = kProtonMass;
    particle.Charge = kElementaryCharge;
    break;
  case TParticleKind::Alpha:
    particle.Mass = kAlphaMass;
    particle.Charge = 2 * kElementaryCharge;
    break;
  }
  return particle;
}

long double SourceChargeMagnitude(const TScene &scene) {
  long double sum = 0;
  for (const TPointCharge &charge : scene.Charges)
    if (charge.IsSource())
      sum += std::fabs(charge.ChargeValue);
  return sum;
}

bool WithinChargeBudget(const TScene &scene) {
  const TParticleGoal &goal = scene.ParticleSetup.Goal;
  // A budget of whole elementary charges holds them exactly, whatever the rounding of the sum.
  return !goal.Active || goal.ChargeBudget <= 0 ||
         SourceChargeMagnitude(scene) <= goal.ChargeBudget * (1 + 1e-12L);
}
