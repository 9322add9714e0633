#pragma once
// How particles show in a picture, over the charges: a particle not yet released as a disc at
// its start with its start velocity as an arrow; a flying one as its trail so far with the
// stroboscope's dots and its disc where it is now. Also the scene's goal and note.

#include "display/Canvas.h"
#include "model/PictureTarget.h"
#include "model/Scene.h"

#include <vector>

class TParticleFlight;

inline constexpr int kParticleRadius = 4;       // px
inline constexpr int kStroboscopeDotRadius = 2; // px
// The start arrow of the scene's fastest particle; slower ones in proportion to their speed.
inline constexpr double kLongestStartArrow = 60; // px
inline constexpr TColor kParticleOutline = 0x000000;
inline constexpr TColor kGoalColor = 0x00A000;
inline constexpr TColor kNoteColor = 0x000000;

// What a picture shows of one particle.
struct TParticleTrail {
  // False: not released yet; Position is the start and Velocity the start velocity.
  bool Started = false;
  std::vector<TWorldPoint> Path; // m, the way flown so far in order of time
  std::vector<TWorldPoint> Dots; // m, where the particle was at each stroboscope tick
  TWorldPoint Position;          // m, now (started) or at the start
  TWorldPoint Velocity;          // m/s, at the start; not drawn once started
  long double Charge = 0;        // C; its sign colours the disc as a charge's

  // What ExtendTrail needs to go on: Path holds the flight's first WholeSteps steps whole in
  // its first WholePoints points, sampled at SampledAt (px/m) with dots every DotInterval (s).
  size_t WholeSteps = 0;
  size_t WholePoints = 0;
  long double SampledAt = 0;
  long double DotInterval = 0;
};

// The colour of the particle at index among the scene's: its trail, dots and arrow.
TColor ParticleTrailColor(int index);

// The particle at its start, not released.
TParticleTrail StartTrail(const TParticle &particle);

// The trail of the scene's particle (the flight's) up to the time upTo (s), or the flight's
// end if that comes first: the dense output sampled so that no chord is longer than about
// two pixels at the scene's zoom, and a dot every dotInterval (s) from the start (none for
// dotInterval <= 0). At upTo <= 0 nothing has flown: the particle at its start, not released.
TParticleTrail TrailOf(const TParticleFlight &flight, const TScene &scene, int particle,
                       long double upTo, long double dotInterval);
// The same for a trail that TrailOf or this gave for the same flight at an earlier time: only
// the steps since are sampled, so a long flight played frame by frame costs what it adds, and
// the trail is point for point the one TrailOf gives (a new zoom or interval samples afresh).
void ExtendTrail(TParticleTrail &trail, const TParticleFlight &flight, const TScene &scene,
                 int particle, long double upTo, long double dotInterval);

// Draws over what the canvas holds: trails[i] for the scene's particle i, the start of each
// particle without a trail (trails may be shorter than the scene's list), the goal when it
// is active and the note at the top-left. Draws nothing when the scene has no particle, no
// active goal and no note. Leaves the canvas's pen, brush and font as it found them.
void DrawParticles(TCanvas &canvas, const TScene &scene, const std::vector<TParticleTrail> &trails,
                   const TPictureTarget &target);
