#pragma once
// The main of a benchmark program that needs the program's windows.

#include "BenchMain.h"

#include <QApplication>

template <typename Reporter> int RunWindowBenchmarks(int argc, char **argv) {
  return RunBenchmarks<QApplication, Reporter>(argc, argv);
}
