#include "model/Particle.h"

#include "model/PointCharge.h"

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
