// Field lines with every option of the field-line group on (in proportion to charge, traced
// to a set accuracy, with arrows and the points where the field vanishes) against the plain
// picture at step 3, literal and fast, on 20 random sources. A drag draws a background per
// frame: its pictures per second are 1 / the time of "modes/all_options".
#include "BenchDocument.h"
#include "BenchMain.h"
#include "support/FieldConfigurations.h"

#include "model/Background.h"

#include <benchmark/benchmark.h>

namespace {

enum Mode { Literal, Plain, AllOptions, AccurateOnly, ProportionalOnly };

template <Mode M> void BM_Modes(benchmark::State &state) {
  BenchDocument doc;
  configurations::Random(doc.scene, 20, 16, static_cast<unsigned>(state.range(0)));
  doc.scene.StepLength = 3;
  TFieldLineOptions &options = doc.scene.FieldLines;
  options.Proportional = M == AllOptions || M == ProportionalOnly;
  options.Accurate = M == AllOptions || M == AccurateOnly;
  options.Arrows = M == AllOptions;
  options.ZeroPoints = M == AllOptions;
  TTraceStats stats;
  for (auto _ : state)
    stats = M == Literal ? DrawBackgroundReference(doc.scene, doc.background, doc.Target())
                         : doc.DrawBackground();
  state.counters["lines"] = static_cast<double>(stats.Lines);
  state.counters["steps"] = static_cast<double>(stats.Steps);
  state.counters["cut_by_budget"] = static_cast<double>(stats.LinesCutByBudget);
}

void Seeds(benchmark::internal::Benchmark *b) {
  for (int seed : {1, 2, 3, 4, 5})
    b->Arg(seed);
  b->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_Modes<Literal>)->Name("modes/literal_step3")->Apply(Seeds);
BENCHMARK(BM_Modes<Plain>)->Name("modes/plain_step3")->Apply(Seeds);
BENCHMARK(BM_Modes<AccurateOnly>)->Name("modes/accurate")->Apply(Seeds);
BENCHMARK(BM_Modes<ProportionalOnly>)->Name("modes/proportional_step3")->Apply(Seeds);
BENCHMARK(BM_Modes<AllOptions>)->Name("modes/all_options")->Apply(Seeds);

} // namespace

int main(int argc, char **argv) { return RunGuiBenchmarks(argc, argv); }
