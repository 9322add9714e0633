// What drawing at the screen's device pixels costs: a whole background of a dipole on a
// 792 x 535 surface at 100, 125, 150 and 200 %, the scene put on the device first. Compare
// the rows as ratios to 100 %; absolute times on shared machines are noise.
#include "BenchMain.h"
#include "support/FieldConfigurations.h"

#include "base/PixelMath.h"
#include "display/Canvas.h"
#include "model/Background.h"
#include "model/DeviceScene.h"

#include <benchmark/benchmark.h>

namespace {

void BM_DeviceBackground(benchmark::State &state) {
  const double scale = static_cast<double>(state.range(0)) / 100;
  TScene scene;
  scene.Origin = {396, 267};
  configurations::Add(scene, 296, 267, 1e-9L, 16);
  configurations::Add(scene, 496, 267, -1e-9L, 16);
  const TScene device = SceneOnDevice(scene, scale);
  const TSize area{pixel::Round(792 * scale), pixel::Round(535 * scale)};
  TBitmap bitmap(area.Width, area.Height);
  TPictureTarget target(area);
  target.Trace.StepCap = 100000;
  for (auto _ : state)
    DrawBackgroundOn(device, bitmap, target);
}
BENCHMARK(BM_DeviceBackground)
    ->Name("Background/scale_percent")
    ->Arg(100)
    ->Arg(125)
    ->Arg(150)
    ->Arg(200)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return RunGuiBenchmarks(argc, argv); }
