// The field-line tracer against the literal algorithm, in one run: per step, and whole
// background redraws. Compare the pairs as ratios; absolute times on shared machines are
// noise.
#include "BenchDocument.h"
#include "BenchMain.h"
#include "support/FieldConfigurations.h"

#include "model/Background.h"
#include "model/FieldLine.h"
#include "model/FieldLineTracer.h"
#include "model/Vector.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace {

// One half-line of 2000 steps through a field of n random sources, in a box no line leaves.
template <bool Fast> void BM_Step(benchmark::State &state) {
  BenchDocument doc;
  configurations::Random(static_cast<int>(state.range(0)), 16, 7);
  SetTraceStepCap(2000);
  TModelHooks &hooks = ModelHooks();
  hooks.SurfaceSize = [] { return TSize{2000000000, 2000000000}; };
  uint64_t steps = 0;
  for (auto _ : state) {
    const TTraceStats s =
        Fast ? DrawFieldLine(TheDocument(), doc.surface.Canvas(), 0, 1, 3.5L, 2.25L)
             : DrawFieldLineReference(TheDocument(), doc.surface.Canvas(), 0, 1, 3.5L, 2.25L);
    steps += s.Steps;
  }
  SetTraceStepCap(0);
  state.counters["ns_per_step"] = benchmark::Counter(
      static_cast<double>(steps), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Step<false>)->Name("Step/reference")->Arg(1)->Arg(10)->Arg(100);
BENCHMARK(BM_Step<true>)->Name("Step/fast")->Arg(1)->Arg(10)->Arg(100);

enum Mode { Reference, FastOneCore, FastAllCores };

// Background redraw: range(0) is the configuration letter, range(1) the step length.
template <Mode M> void BM_Background(benchmark::State &state) {
  BenchDocument doc;
  const std::string label = configurations::Load(static_cast<char>(state.range(0)));
  StepLength = static_cast<uint32_t>(state.range(1));
  SetBackgroundThreads(M == FastOneCore ? 1 : 0);
  TTraceStats stats;
  for (auto _ : state)
    stats = M == Reference ? DrawBackgroundReference(TheDocument()) : DrawBackground(TheDocument());
  SetBackgroundThreads(0);
  state.SetLabel(label);
  state.counters["lines"] = static_cast<double>(stats.Lines);
  state.counters["cut_by_budget"] = static_cast<double>(stats.LinesCutByBudget);
  state.counters["in_cycle"] = static_cast<double>(stats.LinesInCycle);
  state.counters["steps"] = static_cast<double>(stats.Steps);
}

void Configurations(benchmark::internal::Benchmark *b) {
  for (int step : {3, 1})
    for (char c : {'a', 'b', 'c', 'd', 'e', 'f'})
      b->Args({c, step});
  b->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_Background<Reference>)
    ->Name("Background/reference")
    ->Apply(Configurations)
    ->Iterations(1);
BENCHMARK(BM_Background<FastOneCore>)->Name("Background/fast_1core")->Apply(Configurations);
BENCHMARK(BM_Background<FastAllCores>)->Name("Background/fast_allcores")->Apply(Configurations);

// Tracing the background's lines against drawing the traced polylines.
void BM_TraceVersusDraw(benchmark::State &state) {
  BenchDocument doc;
  configurations::Load(static_cast<char>(state.range(0)));
  const bool draw = state.range(1) != 0;
  const TFieldLineTracer tracer(TheDocument(), SurfaceSize());
  std::vector<TPolyline> lines(Charges[0]->FieldLineCount);
  auto traceAll = [&] {
    uint64_t steps = 0;
    const long double r = FieldLineRadius(TheDocument());
    for (size_t i = 0; i < lines.size(); ++i) {
      const long double theta = static_cast<long double>(i) / lines.size() * 2 * kPi;
      tracer.TraceHalf(Sign(Charges[0]->ChargeValue), Charges[0]->CenterX() + r * std::cos(theta),
                       Charges[0]->CenterY() + r * std::sin(theta), lines[i], steps);
    }
  };
  traceAll();
  TCanvas &canvas = Background->Canvas();
  for (auto _ : state) {
    if (draw) {
      for (const TPolyline &line : lines)
        line.DrawOn(canvas);
    } else {
      traceAll();
    }
  }
  state.SetLabel(draw ? "draw" : "trace");
}
BENCHMARK(BM_TraceVersusDraw)
    ->Args({'a', 0})
    ->Args({'a', 1})
    ->Args({'d', 0})
    ->Args({'d', 1})
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) { return RunGuiBenchmarks(argc, argv); }
