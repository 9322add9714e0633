#pragma once
// The main of a benchmark program: an offscreen application, then every benchmark, reported
// through the given reporter.

#include <QGuiApplication>

#include <benchmark/benchmark.h>

template <typename Application, typename Reporter> int RunBenchmarks(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  Application app(argc, argv);
  benchmark::Initialize(&argc, argv);
  Reporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}

// Without windows, with the console's own report.
inline int RunGuiBenchmarks(int argc, char **argv) {
  return RunBenchmarks<QGuiApplication, benchmark::ConsoleReporter>(argc, argv);
}
