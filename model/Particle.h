#pragma once
// A particle: a charged mass released in the field of the fixed charges. It feels the sources
// (not the test charges, not other particles) and moves no charge. Start values in SI units,
// world coordinates (m, y upwards), so a pan or a zoom leaves it where it is in the world.

#include <cstdint>
#include <string>

enum class TParticleKind : uint8_t { Electron = 0, Proton = 1, Alpha = 2, Free = 3 };
inline constexpr int kParticleKindCount = 4;

// CODATA 2018 masses (kg).
inline constexpr long double kElectronMass = 9.1093837015e-31L;
inline constexpr long double kProtonMass = 1.67262192369e-27L;
inline constexpr long double kAlphaMass = 6.6446573357e-27L;

struct TParticle {
  TParticleKind Kind = TParticleKind::Electron;
  long double Mass = kElectronMass; // kg, > 0
  long double Charge = 0;           // C
  uint8_t ChargeUnit = 0;           // as a charge's: 0 elementary charge, 1 coulomb
  long double X = 0;                // m, start
  long double Y = 0;                // m, start
  long double VX = 0;               // m/s, start
  long double VY = 0;               // m/s, start
  bool operator==(const TParticle &) const = default;
};

// The particle of that kind at rest at the origin (Free: one proton mass, +1 e).
TParticle ParticlePreset(TParticleKind kind);

// A goal to steer a particle into ("Feldhockey"): a rectangle in world metres, and the most
// charge the player may place, summed over the magnitudes of the sources (C; 0: no limit).
struct TParticleGoal {
  bool Active = false;
  long double Left = 0, Bottom = 0, Right = 0, Top = 0; // m
  long double ChargeBudget = 0;                         // C
  bool Contains(long double x, long double y) const {
    return Active && x >= Left && x <= Right && y >= Bottom && y <= Top;
  }
  bool operator==(const TParticleGoal &) const = default;
};

struct TScene;
// The magnitudes of the scene's sources summed (C): what the goal's charge budget limits.
long double SourceChargeMagnitude(const TScene &scene);
// Whether the scene's sources stay within the goal's budget (always without one).
bool WithinChargeBudget(const TScene &scene);

// What a scene holds beyond the charges for moving particles.
struct TParticleSetup {
  TParticleGoal Goal;
  // A remark shown with the picture (UTF-8; empty: none), such as a closed form to compare.
  std::string Note;
  bool operator==(const TParticleSetup &) const = default;
};
