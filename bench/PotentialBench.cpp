// Equipotential lines and the potential map against the field lines of the same picture:
// 20 random sources of 16 lines each, 792 by 535, step 3, on all cores. Compare the three
// as ratios; absolute times on shared machines are noise. CPU is that of every thread, the
// work done, which other programs on the machine disturb less than the real time.
#include "BenchDocument.h"
#include "BenchMain.h"
#include "support/FieldConfigurations.h"

#include "model/Background.h"
#include "model/Equipotentials.h"
#include "model/PotentialDrawing.h"

#include <QGuiApplication>

#include <chrono>
#include <ctime>

#include <benchmark/benchmark.h>

namespace {

enum What { FieldLines, Equipotentials, Map, Both };

void Draw(BenchDocument &doc, What what) {
  if (what == FieldLines) {
    doc.DrawBackground();
    return;
  }
  // What the background adds for the options: the grid, then the map and/or the lines.
  TCanvas &canvas = doc.background.Canvas();
  const TPotentialGrid grid(doc.scene, doc.area);
  const QString font = doc.Target().FontName;
  if (what == Map || what == Both) {
    PaintPotentialMap(grid, *canvas.Device());
    DrawPotentialLegend(grid, canvas, font);
  }
  if (what == Equipotentials || what == Both) {
    TPotentialOptions options;
    options.Lines = true;
    DrawEquipotentials(doc.scene, grid, options, canvas, font);
  }
}

void BM_Picture(benchmark::State &state) {
  BenchDocument doc;
  configurations::Random(doc.scene, 20, 16, static_cast<unsigned>(state.range(1)));
  doc.scene.StepLength = 3;
  const What what = static_cast<What>(state.range(0));
  size_t vertices = 0;
  for (auto _ : state)
    Draw(doc, what);
  const TPotentialGrid grid(doc.scene, doc.area);
  for (const TIsoLine &line : TraceEquipotentials(grid, AutomaticLevels(grid)))
    vertices += line.Points.size();
  state.counters["vertices"] = static_cast<double>(vertices);
}

void Seeds(benchmark::internal::Benchmark *b) {
  for (int what : {FieldLines, Equipotentials, Map, Both})
    for (int seed : {20, 21, 22})
      b->Args({what, seed});
  b->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
}
BENCHMARK(BM_Picture)->Name("Picture/what:seed")->Apply(Seeds);

double ProcessSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Both options against the field lines, turn about, so that a machine that slows down or
// speeds up meanwhile weighs on both alike: the ratios of real and of processor time.
void BM_Ratio(benchmark::State &state) {
  BenchDocument doc;
  configurations::Random(doc.scene, 20, 16, static_cast<unsigned>(state.range(0)));
  doc.scene.StepLength = 3;
  double real[2] = {0, 0};
  double cpu[2] = {0, 0};
  for (auto _ : state) {
    for (const What what : {FieldLines, Both}) {
      const auto start = std::chrono::steady_clock::now();
      const double cpuStart = ProcessSeconds();
      Draw(doc, what);
      cpu[what == Both] += ProcessSeconds() - cpuStart;
      real[what == Both] +=
          std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
  }
  state.counters["real_ratio"] = real[1] / real[0];
  state.counters["cpu_ratio"] = cpu[1] / cpu[0];
}
BENCHMARK(BM_Ratio)
    ->Name("BothOverFieldLines/seed")
    ->DenseRange(20, 22)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) { return RunGuiBenchmarks(argc, argv); }
