// The field-line tracer against the literal algorithm, in one run: per step, and whole
// background redraws. Compare the pairs as ratios; absolute times on shared machines are
// noise.
#include "BenchDocument.h"
#include "BenchMain.h"
#include "support/FieldConfigurations.h"

#include "model/Background.h"
#include "model/FieldLine.h"
#include "model/FieldLineTracer.h"
#include "model/ForceSum.h"
#include "model/TestChargeFigures.h"
#include "model/Vector.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

// One half-line of 2000 steps through a field of n random sources, in a box no line leaves;
// range(1) picks the fast tracer's force sum (plain, SSE2, AVX2).
template <bool Fast> void BM_Step(benchmark::State &state) {
  const auto path = static_cast<TForcePath>(state.range(1));
  if (!ForcePathSupported(path)) {
    state.SkipWithError("this processor cannot take that path");
    return;
  }
  BenchDocument doc;
  configurations::Random(doc.scene, static_cast<int>(state.range(0)), 16, 7);
  TPictureTarget boundless({2000000000, 2000000000});
  boundless.Trace.StepCap = 2000;
  boundless.Trace.ForcePath = path;
  uint64_t steps = 0;
  for (auto _ : state) {
    const TTraceStats s =
        Fast
            ? DrawFieldLine(doc.scene, doc.surface.Canvas(), 0, boundless, 1, 3.5L, 2.25L)
            : DrawFieldLineReference(doc.scene, doc.surface.Canvas(), 0, boundless, 1, 3.5L, 2.25L);
    steps += s.Steps;
  }
  state.counters["ns_per_step"] = benchmark::Counter(
      static_cast<double>(steps), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
void StepArgs(benchmark::internal::Benchmark *b, bool paths) {
  for (int n : {1, 10, 100})
    for (TForcePath p : {TForcePath::Plain, TForcePath::Sse2, TForcePath::Avx2})
      if (paths || p == TForcePath::Plain)
        b->Args({n, static_cast<int>(p)});
}
BENCHMARK(BM_Step<false>)->Name("Step/reference")->Apply([](auto *b) { StepArgs(b, false); });
BENCHMARK(BM_Step<true>)->Name("Step/fast")->Apply([](auto *b) { StepArgs(b, true); });

// Plain: SSE2 and no stop off the surface, as the tracer was before both; for the ratios.
enum Mode { Reference, FastOneCore, FastAllCores, PlainOneCore };

// Background redraw: range(0) is the configuration letter, range(1) the step length.
template <Mode M> void BM_Background(benchmark::State &state) {
  BenchDocument doc;
  const std::string label = configurations::Load(doc.scene, static_cast<char>(state.range(0)));
  doc.scene.StepLength = static_cast<uint32_t>(state.range(1));
  doc.trace.Threads = M == FastAllCores ? 0 : 1;
  if (M == PlainOneCore) {
    doc.trace.ForcePath = TForcePath::Sse2;
    doc.trace.StopOffSurface = false;
  }
  TTraceStats stats;
  for (auto _ : state)
    stats = M == Reference ? DrawBackgroundReference(doc.scene, doc.background, doc.Target())
                           : doc.DrawBackground();
  state.SetLabel(label);
  state.counters["lines"] = static_cast<double>(stats.Lines);
  state.counters["cut_by_budget"] = static_cast<double>(stats.LinesCutByBudget);
  state.counters["in_cycle"] = static_cast<double>(stats.LinesInCycle);
  state.counters["stopped_off_surface"] = static_cast<double>(stats.LinesEscaped);
  state.counters["steps"] = static_cast<double>(stats.Steps);
  if (M == FastOneCore) {
    // The share of steps the stop off the surface saves, against the same tracer without it.
    doc.trace.StopOffSurface = false;
    const TTraceStats all = doc.DrawBackground();
    state.counters["steps_saved_pct"] =
        all.Steps == 0 ? 0 : 100.0 * (1 - static_cast<double>(stats.Steps) / all.Steps);
  }
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
BENCHMARK(BM_Background<PlainOneCore>)->Name("Background/plain_1core")->Apply(Configurations);
BENCHMARK(BM_Background<FastAllCores>)->Name("Background/fast_allcores")->Apply(Configurations);

// Many random sources, 16 lines each, at step 3 with a fixed step budget, on all cores:
// range(0) sources, range(1) 0 for the tracer as it was (threads started per picture, only
// the first proofs that a line draws nothing more, all sources summed again when one is
// near), 1 for the tracer as it is (TTraceLimits::Tuned).
void BM_ManySources(benchmark::State &state) {
  BenchDocument doc;
  configurations::Random(doc.scene, static_cast<int>(state.range(0)), 16, 1000);
  doc.scene.StepLength = 3;
  doc.trace.StepCap = 20000;
  doc.trace.Tuned = state.range(1) != 0;
  TTraceStats stats;
  for (auto _ : state)
    stats = doc.DrawBackground();
  state.SetLabel(state.range(1) != 0 ? "tuned" : "as before");
  state.counters["steps"] = static_cast<double>(stats.Steps);
  state.counters["in_cycle"] = static_cast<double>(stats.LinesInCycle);
  state.counters["stopped_off_surface"] = static_cast<double>(stats.LinesEscaped);
  state.counters["cut_by_budget"] = static_cast<double>(stats.LinesCutByBudget);
}
BENCHMARK(BM_ManySources)
    ->Name("ManySources")
    ->ArgsProduct({{20, 1000}, {0, 1}})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The test charges' figures of a picture after one test charge moved among 1,000 sources and
// 1,000 test charges: traced afresh (range 0) or keeping the figures of the others (range 1).
void BM_FiguresAfterDrag(benchmark::State &state) {
  BenchDocument doc;
  configurations::Random(doc.scene, 1000, 0, 1000);
  std::mt19937 random(77);
  std::uniform_int_distribution<int> x(20, 772), y(20, 515);
  for (int i = 0; i < 1000; ++i) {
    configurations::Add(doc.scene, x(random), y(random), 1e-12L, 0);
    doc.scene.Charges[doc.scene.Charges.Count() - 1].IsTestCharge = true;
  }
  doc.trace.StepCap = 20000;
  const TPictureTarget target = doc.Target();
  const bool keep = state.range(0) != 0;
  TTracedFigures traced{TFigureField::Of(doc.scene, target),
                        TraceTestChargeFigures(doc.scene, target, nullptr)};
  TPointCharge &dragged = doc.scene.Charges[doc.scene.Charges.Count() - 1];
  double d = 1;
  for (auto _ : state) {
    dragged.X += d;
    d = -d;
    traced.ByIndex = TraceTestChargeFigures(doc.scene, target, nullptr, keep ? &traced : nullptr);
  }
  state.SetLabel(keep ? "keeping" : "afresh");
}
BENCHMARK(BM_FiguresAfterDrag)
    ->Name("Figures/after_drag")
    ->Arg(0)
    ->Arg(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// Tracing the background's lines against drawing the traced polylines.
void BM_TraceVersusDraw(benchmark::State &state) {
  BenchDocument doc;
  configurations::Load(doc.scene, static_cast<char>(state.range(0)));
  const bool draw = state.range(1) != 0;
  const TFieldLineTracer tracer(doc.scene, doc.Target());
  const TPointCharge &first = doc.scene.Charges[0];
  std::vector<TPolyline> lines(first.FieldLineCount);
  auto traceAll = [&] {
    uint64_t steps = 0;
    const long double r = FieldLineRadius(doc.scene);
    for (size_t i = 0; i < lines.size(); ++i) {
      const long double theta = static_cast<long double>(i) / lines.size() * 2 * kPi;
      tracer.TraceHalf(Sign(first.ChargeValue), first.CenterX() + r * std::cos(theta),
                       first.CenterY() + r * std::sin(theta), lines[i], steps);
    }
  };
  traceAll();
  TCanvas &canvas = doc.background.Canvas();
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

// Keeps the console output and adds, at the end, each background redraw of the fast tracer
// as a multiple of the literal one's speed.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
      const std::string name = run.benchmark_name();
      if (run.error_occurred || run.iterations == 0 || name.rfind("Background/", 0) != 0)
        continue;
      // Background/<mode>/<letter>/<step>[/iterations:1]
      const size_t mode = name.find('/', 11);
      const size_t letter = name.find('/', mode + 1);
      const size_t step = name.find('/', letter + 1);
      const std::string key =
          std::string(1, static_cast<char>(std::stoi(name.substr(mode + 1, letter - mode - 1)))) +
          " step " + name.substr(letter + 1, step - letter - 1);
      // Processor time on one core, so that other work on the machine counts less; wall
      // time on all cores.
      const std::string which = name.substr(11, mode - 11);
      times_[key][which] =
          which == "fast_allcores" ? run.GetAdjustedRealTime() : run.GetAdjustedCPUTime();
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nbackground redraws, times faster than the literal tracer:\n");
    std::printf("  %-10s %12s %12s %13s\n", "", "fast_1core", "plain_1core", "fast_allcores");
    for (const auto &[key, modes] : times_) {
      const auto reference = modes.find("reference");
      if (reference == modes.end())
        continue;
      std::printf("  %-10s", key.c_str());
      for (const char *mode : {"fast_1core", "plain_1core", "fast_allcores"}) {
        const auto it = modes.find(mode);
        if (it != modes.end() && it->second > 0)
          std::printf(" %12.1f", reference->second / it->second);
        else
          std::printf(" %12s", "-");
      }
      std::printf("\n");
    }
  }

private:
  std::map<std::string, std::map<std::string, double>> times_;
};

} // namespace

int main(int argc, char **argv) {
  return RunBenchmarks<QGuiApplication, RatioReporter>(argc, argv);
}
