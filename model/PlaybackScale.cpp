#include "model/PlaybackScale.h"

#include "model/Field.h"
#include "model/NumberText.h"
#include "model/ParticleFlight.h"
#include "model/Scene.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// The fastest particle crosses the view in about this many seconds on screen.
constexpr long double kCrossingSeconds = 3;
// Points per side of the grid on which a resting particle's potential drop is looked up.
constexpr int kGridPoints = 17;

// The potential of the sources at a world point (V), or none inside a source's disc.
std::optional<long double> PotentialOutsideDiscs(const TScene &scene, long double x,
                                                 long double y) {
  const long double radius = kChargeHalfSize / scene.PixelsPerMetre;
  long double potential = 0;
  for (const TPointCharge &charge : scene.Charges) {
    if (!charge.IsSource())
      continue;
    const TWorldPoint at = scene.ChargeWorldPosition(charge);
    const long double r = std::hypot(x - at.X, y - at.Y);
    if (r <= radius)
      return std::nullopt;
    potential += kCoulomb * charge.ChargeValue / r;
  }
  return potential;
}

// The speed (m/s) a particle at rest would gain from the largest potential difference
// between its start and a point of the view.
long double SpeedFromRest(const TScene &scene, const TParticle &particle,
                          const TWorldBounds &view) {
  const auto start = PotentialOutsideDiscs(scene, particle.X, particle.Y);
  if (!start)
    return 0;
  long double drop = 0;
  for (int i = 0; i < kGridPoints; ++i)
    for (int j = 0; j < kGridPoints; ++j) {
      const long double x = view.Left + (view.Right - view.Left) * i / (kGridPoints - 1);
      const long double y = view.Bottom + (view.Top - view.Bottom) * j / (kGridPoints - 1);
      if (const auto there = PotentialOutsideDiscs(scene, x, y))
        drop = std::max(drop, std::fabs(*there - *start));
    }
  return std::sqrt(2 * std::fabs(particle.Charge) * drop / particle.Mass);
}

// 1, 2 or 5 times a power of ten, at most value (> 0).
long double RoundDownTo125(long double value) {
  long double power = std::pow(10.0L, std::floor(std::log10(value)));
  if (power > value)
    power /= 10;
  else if (power * 10 <= value)
    power *= 10;
  const long double mantissa = value / power;
  return (mantissa >= 5 ? 5 : mantissa >= 2 ? 2 : 1) * power;
}

} // namespace

long double PlaybackScale(const TScene &scene, const TWorldBounds &view) {
  const long double width = view.Right - view.Left;
  long double fastest = 0;
  for (const TParticle &particle : scene.Particles) {
    if (!(particle.Mass > 0))
      continue;
    long double speed = std::hypot(particle.VX, particle.VY);
    if (speed == 0)
      speed = SpeedFromRest(scene, particle, view);
    if (std::isfinite(speed))
      fastest = std::max(fastest, speed);
  }
  // Nothing moves, or nothing can: play in real time.
  if (!(fastest > 0) || !(width > 0))
    return 1;
  return RoundDownTo125(width / (kCrossingSeconds * fastest));
}

QString PlaybackScaleText(long double simulatedSecondsPerSecond) {
  struct TPrefix {
    long double Factor;
    const char *Unit;
  };
  static constexpr TPrefix kPrefixes[] = {{1, "s"},      {1e-3L, "ms"},  {1e-6L, "µs"},
                                          {1e-9L, "ns"}, {1e-12L, "ps"}, {1e-15L, "fs"}};
  // A hair below the factor still counts as one of it: 1e-9 may come out just under.
  const auto prefix =
      std::find_if(std::begin(kPrefixes), std::end(kPrefixes) - 1, [&](const TPrefix &p) {
        return simulatedSecondsPerSecond >= p.Factor * (1 - 1e-12L);
      });
  return QStringLiteral("1 s ≙ %1 %2")
      .arg(FormatShortest(simulatedSecondsPerSecond / prefix->Factor),
           QString::fromUtf8(prefix->Unit));
}
