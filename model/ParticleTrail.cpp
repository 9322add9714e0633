// Sampling a flight for the picture: ParticleDrawing.h's TrailOf.
#include "model/ParticleDrawing.h"
#include "model/ParticleFlight.h"

#include <algorithm>
#include <cmath>

namespace {

// The most pieces one integrator step is cut into, and the most dots a trail gets: a trail
// sampled for a far zoom costs no more than a picture's worth of points.
constexpr long double kMostPiecesPerStep = 4096;
constexpr size_t kMostDots = 100000;
// Each piece of a trail spans at most this much of the picture.
constexpr long double kLongestChord = 2; // px

} // namespace

TParticleTrail TrailOf(const TParticleFlight &flight, const TScene &scene, int particle,
                       long double upTo, long double dotInterval) {
  TParticleTrail trail;
  ExtendTrail(trail, flight, scene, particle, upTo, dotInterval);
  return trail;
}

void ExtendTrail(TParticleTrail &trail, const TParticleFlight &flight, const TScene &scene,
                 int particle, long double upTo, long double dotInterval) {
  // Before anything has flown the picture is the one before the release.
  const TParticle *start = scene.Particle(particle);
  if (start != nullptr && !(upTo > 0)) {
    trail = StartTrail(*start);
    return;
  }
  const std::vector<TParticleState> &track = flight.Track();
  const auto at = [](const TParticleState &s) { return TWorldPoint{s.X, s.Y}; };
  if (!trail.Started || trail.SampledAt != scene.PixelsPerMetre ||
      trail.DotInterval != dotInterval || trail.WholeSteps >= track.size()) {
    trail = {};
    trail.Started = true;
    trail.Charge = flight.Charge();
    trail.SampledAt = scene.PixelsPerMetre;
    trail.DotInterval = dotInterval;
    trail.Path.push_back(at(track.front()));
    trail.WholePoints = 1;
  }
  // The piece of a step the last call ended in is sampled again, whole or further.
  trail.Path.resize(trail.WholePoints);
  const long double end = std::max(0.0L, std::min(upTo, flight.Now().T));
  for (size_t i = trail.WholeSteps + 1; i < track.size() && track[i - 1].T < end; ++i) {
    const TParticleState &from = track[i - 1];
    const TParticleState &to = track[i];
    const long double until = std::min(to.T, end);
    const long double span = until - from.T;
    // The way within a step is no longer than the faster end's speed allows, unless the
    // particle sped up in between; the chord catches a step that did.
    const long double speed = std::max(std::hypot(from.VX, from.VY), std::hypot(to.VX, to.VY));
    const long double way = std::max(speed * span, std::hypot(to.X - from.X, to.Y - from.Y));
    const long double pieces =
        std::clamp(std::ceil(way * scene.PixelsPerMetre / kLongestChord), 1.0L, kMostPiecesPerStep);
    const int count = std::isfinite(pieces) ? static_cast<int>(pieces) : 1;
    for (int k = 1; k <= count; ++k) {
      if (k == count && until == to.T)
        trail.Path.push_back(at(to));
      else
        trail.Path.push_back(at(flight.StateAt(from.T + span * k / count)));
    }
    if (until == to.T) {
      trail.WholeSteps = i;
      trail.WholePoints = trail.Path.size();
    }
  }
  const TParticleState now = end == flight.Now().T ? flight.Now() : flight.StateAt(end);
  trail.Position = at(now);
  trail.Velocity = {now.VX, now.VY};
  if (dotInterval > 0)
    for (size_t k = trail.Dots.size(); k < kMostDots; ++k) {
      const long double t = dotInterval * static_cast<long double>(k);
      if (t > end)
        break;
      trail.Dots.push_back(at(k == 0 ? track.front() : flight.StateAt(t)));
    }
}
