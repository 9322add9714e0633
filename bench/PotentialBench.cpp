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

#include <benchmark/benchmark.h>

namespace {

enum What { FieldLines, Equipotentials, Map, Both };

void BM_Picture(benchmark::State &state) {
  BenchDocument doc;
  configurations::Random(20, 16, static_cast<unsigned>(state.range(1)));
  StepLength = 3;
  const What what = static_cast<What>(state.range(0));
  TCanvas &canvas = Background->Canvas();
  size_t vertices = 0;
  for (auto _ : state) {
    if (what == FieldLines) {
      DrawBackground(TheDocument());
      continue;
    }
    // What DrawBackground adds for the options: the grid, then the map and/or the lines.
    const TPotentialGrid grid(TheDocument(), SurfaceSize());
    if (what == Map || what == Both) {
      PaintPotentialMap(grid, *canvas.Device());
      DrawPotentialLegend(grid, canvas);
    }
    if (what == Equipotentials || what == Both) {
      TPotentialOptions options;
      options.Lines = true;
      DrawEquipotentials(TheDocument(), grid, options, canvas);
    }
  }
  const TPotentialGrid grid(TheDocument(), SurfaceSize());
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

} // namespace

int main(int argc, char **argv) { return RunGuiBenchmarks(argc, argv); }
