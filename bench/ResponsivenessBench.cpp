// How the window answers while field lines are traced on the worker thread, in the real
// windows on the offscreen platform (real clock, so the 30 ms budget per half-line holds):
//   Open/S/T      "Öffnen" of a project of S sources (16 lines each) and T test charges, until
//                 the command returns to the event loop with a frame shown: the time until
//                 the window answers again; the picture is still being traced then.
//   DragMove/S/T  one mouse move of a charge dragged among them, with its frame.
//   CursorMove/S/T  a mouse move without a button: status bar and cursor field line.
//   LiveDrag/S    a charge dragged among S random sources x 16 lines at step 3: each
//                 iteration moves it by a pixel and waits for the finished picture of the
//                 new place; pictures per second is the rate at which the lines follow.
//   LiveTestChargeDrag/S  the same with a test charge dragged among the S sources.
#include "WindowBenchMain.h"
#include "support/FieldConfigurations.h"

#include "app/MainWindow.h"
#include "app/Program.h"
#include "app/ProjectCommands.h"
#include "file/ProjectFile.h"
#include "model/Document.h"

#include <QCoreApplication>
#include <QPoint>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>
#include <random>

namespace {

// Handles events until every picture the main window asked for is shown.
void Settle(const TForm1 &main) {
  while (main.BackgroundBusy())
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

TProjectData ManyCharges(int sources, int tests) {
  TProjectData data;
  data.OriginX = 396;
  data.OriginY = 267;
  std::mt19937 random(5000);
  std::uniform_int_distribution<int> x(0, 772), y(0, 515);
  for (int i = 0; i < sources + tests; ++i) {
    TChargeRecord r;
    r.X = x(random);
    r.Y = y(random);
    r.IsTestCharge = i >= sources;
    r.ChargeValue = (i % 2 == 0 ? 1 : -1) * kElementaryCharge;
    r.FieldLineCount = r.IsTestCharge ? 0 : 16;
    data.Charges.push_back(r);
  }
  return data;
}

struct Windows {
  Windows() = default;
  ~Windows() { Settle(program.Main()); }
  Windows(const Windows &) = delete;
  Windows &operator=(const Windows &) = delete;

  TForm1 &Main() { return program.Main(); }
  TProject &Project() { return program.Project(); }

  TProgram program;
};

// The windows and a project file of range(0) sources and range(1) test charges.
struct ProjectOnDisk {
  explicit ProjectOnDisk(const benchmark::State &state)
      : path(dir.filePath(QStringLiteral("viele.kbf"))) {
    SaveProjectFile(
        path, ManyCharges(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
  }
  Windows windows;
  QTemporaryDir dir;
  const QString path;
};

// Grabs the first charge and drags it 30 px to the right, past the grab radius; answers
// where the mouse is then.
QPoint DragFirstCharge(TProgram &program) {
  const TPointCharge &charge = program.Document().Charges()[0];
  const QPoint at(static_cast<int>(charge.CenterX()), static_cast<int>(charge.CenterY()));
  program.Main().DXDrawMouseDown(Qt::LeftButton, at.x(), at.y());
  program.Main().DXDrawMouseMove(at.x() + 30, at.y());
  return {at.x() + 30, at.y()};
}

// Moves the grabbed charge a pixel to and fro, each iteration.
void Jiggle(benchmark::State &state, TForm1 &main, QPoint at, const std::function<void()> &after) {
  int step = 1;
  for (auto _ : state) {
    main.DXDrawMouseMove(at.x() + step, at.y());
    after();
    step = -step;
  }
  main.DXDrawMouseUp(Qt::LeftButton, at.x(), at.y());
}

void BM_Open(benchmark::State &state) {
  ProjectOnDisk project(state);
  const QString &path = project.path;
  Windows &windows = project.windows;
  for (auto _ : state) {
    state.PauseTiming();
    windows.Project().New();
    Settle(windows.Main());
    state.ResumeTiming();
    windows.Project().Load(path);
  }
}
BENCHMARK(BM_Open)
    ->Name("Open")
    ->Args({5000, 0})
    ->Args({5000, 5000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_DragMove(benchmark::State &state) {
  ProjectOnDisk project(state);
  TProgram &program = project.windows.program;
  program.Project().Load(project.path);
  Jiggle(state, program.Main(), DragFirstCharge(program), [] {});
}
BENCHMARK(BM_DragMove)
    ->Name("DragMove")
    ->Args({5000, 5000})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// A mouse move without a button: the status bar and the cursor's field line, traced on the
// window's thread.
void BM_CursorMove(benchmark::State &state) {
  ProjectOnDisk project(state);
  Windows &windows = project.windows;
  windows.Project().Load(project.path);
  Settle(windows.Main());
  int x = 0;
  for (auto _ : state) {
    windows.Main().DXDrawMouseMove(100 + x, 200);
    x = (x + 37) % 600;
  }
}
BENCHMARK(BM_CursorMove)
    ->Name("CursorMove")
    ->Args({5000, 5000})
    ->Args({20, 0})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Drags the scene's first charge to and fro, each time until its picture is finished.
void DragLive(benchmark::State &state, TProgram &program, const TScene &scene) {
  program.Document().Reset(scene); // shows a frame
  const QPoint at = DragFirstCharge(program);
  TForm1 &main = program.Main();
  Settle(main);
  Jiggle(state, main, at, [&main] { Settle(main); });
  state.counters["pictures/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_LiveDrag(benchmark::State &state) {
  Windows windows;
  TScene scene = windows.program.Document().Scene();
  configurations::Random(scene, static_cast<int>(state.range(0)), 16, 1);
  DragLive(state, windows.program, scene);
}
BENCHMARK(BM_LiveDrag)
    ->Name("LiveDrag")
    ->Arg(20)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The same with a test charge dragged among the sources: its field line and arrow follow.
void BM_LiveTestChargeDrag(benchmark::State &state) {
  Windows windows;
  TScene scene = windows.program.Document().Scene();
  configurations::Random(scene, static_cast<int>(state.range(0)), 16, 1);
  TPointCharge test;
  test.X = 380;
  test.Y = 250;
  test.ChargeValue = 1e-12L;
  test.IsTestCharge = true;
  scene.Charges.Insert(0, test);
  DragLive(state, windows.program, scene);
}
BENCHMARK(BM_LiveTestChargeDrag)
    ->Name("LiveTestChargeDrag")
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char **argv) {
  return RunWindowBenchmarks<benchmark::ConsoleReporter>(argc, argv);
}
