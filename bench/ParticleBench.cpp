// One particle through 1,000 random sources on the 792 by 535 view of a new project: accepted
// steps per second, and the work of one animation frame (1/60 s on screen at the playback
// scale) against the 16.7 ms that frame lasts. range(0): 0 electron, 1 proton; range(1): seed.
// CPU time of this thread: other programs on the machine disturb it less than the real time.
#include "support/FieldConfigurations.h"

#include "model/ParticleFlight.h"
#include "model/Scene.h"

#include <benchmark/benchmark.h>

namespace {

constexpr long double kFrameSeconds = 1.0L / 60;

struct TBenchFlight {
  explicit TBenchFlight(const benchmark::State &state) {
    scene.Origin = {396, 267};
    scene.PixelsPerMetre = 96 / 0.0254L;
    configurations::Random(scene, 1000, 0, static_cast<unsigned>(state.range(1)));
    const TWorldPoint topLeft = scene.ScreenToWorld(0, 0);
    const TWorldPoint bottomRight = scene.ScreenToWorld(792, 535);
    view = {topLeft.X, bottomRight.Y, bottomRight.X, topLeft.Y};
    // From the middle of the left edge to the right, with a few keV.
    TParticle particle =
        ParticlePreset(state.range(0) == 0 ? TParticleKind::Electron : TParticleKind::Proton);
    particle.X = view.Left;
    particle.Y = 0.001L;
    particle.VX = state.range(0) == 0 ? 3e7L : 1e6L;
    scene.Particles = {particle};
    scale = PlaybackScale(scene, view);
  }
  TParticleFlight Start() const { return TParticleFlight(scene, 0, view); }

  TScene scene;
  TWorldBounds view;
  long double scale = 1;
};

// A flight that ends (on a source, out of the view) starts again.
void BM_Steps(benchmark::State &state) {
  const TBenchFlight bench(state);
  TParticleFlight flight = bench.Start();
  int64_t steps = 0, flights = 1;
  for (auto _ : state) {
    if (flight.End() != TFlightEnd::Flying) {
      flight = bench.Start();
      ++flights;
    }
    flight.Step();
    ++steps;
  }
  state.counters["steps/s"] =
      benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kIsRate);
  state.counters["flights"] = static_cast<double>(flights);
}

void BM_Frame(benchmark::State &state) {
  const TBenchFlight bench(state);
  TParticleFlight flight = bench.Start();
  const long double frame = bench.scale * kFrameSeconds;
  int64_t frames = 0, steps = 0, flights = 1;
  for (auto _ : state) {
    if (flight.End() != TFlightEnd::Flying) {
      steps += static_cast<int64_t>(flight.Track().size()) - 1;
      flight = bench.Start();
      ++flights;
    }
    flight.AdvanceTo(flight.Now().T + frame);
    ++frames;
  }
  steps += static_cast<int64_t>(flight.Track().size()) - 1;
  state.counters["steps/frame"] = static_cast<double>(steps) / static_cast<double>(frames);
  state.counters["flights"] = static_cast<double>(flights);
  state.counters["scale ns/s"] = static_cast<double>(bench.scale * 1e9L);
}

void Particles(benchmark::internal::Benchmark *b) {
  for (int kind : {0, 1})
    for (int seed : {20, 21, 22})
      b->Args({kind, seed});
}

BENCHMARK(BM_Steps)->Apply(Particles)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Frame)->Apply(Particles)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
