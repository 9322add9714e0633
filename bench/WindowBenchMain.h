#pragma once
// The main of a benchmark program that needs the program's windows: an offscreen
// application, then every benchmark, reported through the program's own reporter.

#include <QApplication>

#include <benchmark/benchmark.h>

template <typename Reporter> int RunWindowBenchmarks(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  Reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
