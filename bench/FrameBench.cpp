// The cost of one frame of the main window while a charge is dragged, in the real windows
// on the offscreen platform: 10 sources with 16 lines each, with and without 3 test charges,
// and a frame with the cursor line. Every figure is reported as a multiple of a plain copy
// of the background image onto the surface, measured in the same run.
// Crowd/...: mouse moves among 5,000 sources without lines (and 5,000 test charges), with
// the kept frame layers and with every frame composed afresh, reported as ratios.
#include "WindowBenchMain.h"
#include "support/FieldConfigurations.h"

#include "app/MainWindow.h"
#include "app/Program.h"
#include "model/Background.h"
#include "model/BackgroundRenderer.h"
#include "model/Document.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>

namespace {

// The program's windows with a document of 10 sources and `testCharges` test charges; the
// first source is selected and grabbed, as during a drag.
struct FrameDocument {
  explicit FrameDocument(int testCharges, bool cursorLine) {
    TScene scene = Document().Scene();
    configurations::Random(scene, 10, 16, 10);
    const int testX[] = {150, 400, 650};
    for (int i = 0; i < testCharges; ++i) {
      configurations::Add(scene, testX[i], 120, 1e-12L, 0);
      scene.Charges[scene.Charges.Count() - 1].IsTestCharge = true;
    }
    scene.Selected = 0;
    scene.ShowCursorLine = cursorLine;
    Document().Reset(scene);
    // The background of these charges is shown before any frame is timed.
    while (Main().BackgroundBusy())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    Main().RenderFrame(true);
  }
  ~FrameDocument() { Main().ReleaseGrab(); }
  FrameDocument(const FrameDocument &) = delete;
  FrameDocument &operator=(const FrameDocument &) = delete;

  TForm1 &Main() { return program.Main(); }
  TDocument &Document() { return program.Document(); }

  TProgram program;
};

void CheckSurface(benchmark::State &state, FrameDocument &doc) {
  const TDirectDrawSurface *surface = doc.Main().DXDraw->Surface();
  if (surface == nullptr || surface->Width() != 792 || surface->Height() != 535)
    state.SkipWithError("the drawing surface is not 792 by 535");
}

void BM_CopyBackground(benchmark::State &state) {
  FrameDocument doc(0, false);
  CheckSurface(state, doc);
  TDirectDrawSurfaceCanvas &canvas = doc.Main().DXDraw->Surface()->Canvas();
  const QImage &background = doc.Main().BackgroundRenderer()->Background()->Image();
  for (auto _ : state) {
    canvas.Draw(0, 0, background);
    canvas.Release();
  }
}
BENCHMARK(BM_CopyBackground)->Name("Copy/background")->Unit(benchmark::kMicrosecond);

// RenderFrame(true) after the grabbed charge moved by a pixel. The move itself would go
// through the document, which shows a frame of its own; a frame composed afresh costs the
// same wherever the charge is, so the kept frame is forgotten instead.
void BM_DragFrame(benchmark::State &state) {
  FrameDocument doc(static_cast<int>(state.range(0)), false);
  CheckSurface(state, doc);
  TForm1 &main = doc.Main();
  main.DragCharge = 0;
  for (auto _ : state) {
    main.FrameCache.Forget();
    main.RenderFrame(true);
  }
}
BENCHMARK(BM_DragFrame)->Name("Frame/drag")->Arg(0)->Arg(3)->Unit(benchmark::kMicrosecond);

// A whole mouse move of a drag: the charge follows, the settings and voltage windows are
// told, the frame is shown.
void BM_DragMove(benchmark::State &state) {
  FrameDocument doc(static_cast<int>(state.range(0)), false);
  CheckSurface(state, doc);
  TForm1 &main = doc.Main();
  main.DragCharge = 0;
  main.DragStarted = true;
  const TPointCharge &dragged = doc.Document().Charges()[0];
  const int x = static_cast<int>(dragged.CenterX());
  const int y = static_cast<int>(dragged.CenterY());
  int d = 1;
  // As after the mouse-down: the moves of a drag are one step of the history.
  doc.Document().BeginGesture();
  for (auto _ : state) {
    main.DXDrawMouseMove(x + d, y);
    d = -d;
  }
  doc.Document().EndGesture();
}
BENCHMARK(BM_DragMove)->Name("Move/drag")->Arg(0)->Arg(3)->Unit(benchmark::kMicrosecond);

// A mouse move with nothing grabbed: the frame with the field line through the cursor.
void BM_CursorLineFrame(benchmark::State &state) {
  FrameDocument doc(0, true);
  CheckSurface(state, doc);
  int d = 1;
  for (auto _ : state) {
    doc.Main().DXDrawMouseMove(300 + d, 200);
    d = -d;
  }
}
BENCHMARK(BM_CursorLineFrame)->Name("Frame/cursor_line")->Unit(benchmark::kMicrosecond);

// 5,000 sources without lines spread over the surface, alternating in sign, and `tests` test
// charges among them, whose figures are traced with the background.
struct CrowdDocument : FrameDocument {
  explicit CrowdDocument(int tests) : FrameDocument(0, false) {
    TScene scene = Document().Scene();
    scene.Charges.Clear();
    std::mt19937 random(5000);
    std::uniform_int_distribution<int> x(20, 772), y(20, 515);
    for (int i = 0; i < 5000 + tests; ++i) {
      configurations::Add(scene, x(random), y(random), (i % 2 == 0 ? 1 : -1) * 1e-12L, 0);
      scene.Charges[scene.Charges.Count() - 1].IsTestCharge = i >= 5000;
    }
    scene.Selected = -1;
    scene.ShowCursorLine = true; // as a new document has it
    Document().Reset(scene);
    while (Main().BackgroundBusy())
      QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    Main().RenderFrame(true);
  }
};

// range(0): test charges; range(1): 1 with the kept layers, 0 composing every frame.
void UseCache(benchmark::State &state, TForm1 &main) {
  main.FrameCache = state.range(1) != 0 ? TFrameCache() : TFrameCache(SIZE_MAX);
  main.RenderFrame(true);
}

// A mouse move without a button: the status readout and the cursor's field line, at places
// along a row, as in a sweep of the mouse across the picture.
void BM_CrowdMove(benchmark::State &state) {
  CrowdDocument doc(static_cast<int>(state.range(0)));
  CheckSurface(state, doc);
  UseCache(state, doc.Main());
  int x = 0;
  for (auto _ : state) {
    doc.Main().DXDrawMouseMove(100 + x, 200);
    x = (x + 37) % 600;
  }
}
BENCHMARK(BM_CrowdMove)
    ->Name("Crowd/move")
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({5000, 0})
    ->Args({5000, 1})
    ->Unit(benchmark::kMicrosecond);

// A mouse move of a drag of a source or, with test charges, of a test charge: the newest
// that a press on its centre takes.
void BM_CrowdDrag(benchmark::State &state) {
  CrowdDocument doc(static_cast<int>(state.range(0)));
  CheckSurface(state, doc);
  TForm1 &main = doc.Main();
  UseCache(state, main);
  // The newest charge of its kind that a press on its centre takes (the crowd covers many).
  const TChargeList &charges = doc.Document().Charges();
  const bool tests = state.range(0) != 0;
  int dragged = charges.Count() - 1;
  const auto takes = [&](int i) {
    return charges[i].IsTestCharge == tests &&
           main.ChargeSprites.ChargeAt(doc.Document().Scene(),
                                       static_cast<int32_t>(charges[i].CenterX()),
                                       static_cast<int32_t>(charges[i].CenterY())) == i;
  };
  while (dragged > 0 && !takes(dragged))
    --dragged;
  const TPointCharge &charge = charges[dragged];
  const int x = static_cast<int>(charge.CenterX());
  const int y = static_cast<int>(charge.CenterY());
  main.DXDrawMouseDown(Qt::LeftButton, x, y);
  main.DXDrawMouseMove(x + 30, y);
  int d = 1;
  for (auto _ : state) {
    main.DXDrawMouseMove(x + 30 + d, y);
    d = -d;
  }
  main.DXDrawMouseUp(Qt::LeftButton, x + 30, y);
}
BENCHMARK(BM_CrowdDrag)
    ->Name("Crowd/drag")
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({5000, 0})
    ->Args({5000, 1})
    ->Unit(benchmark::kMicrosecond);

// Keeps the console output and adds, at the end, every benchmark's time per iteration as a
// multiple of the plain copy.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs)
      if (!run.error_occurred && run.iterations > 0)
        times_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto copy = times_.find("Copy/background");
    if (copy == times_.end() || copy->second <= 0)
      return;
    std::printf("\nper iteration, as multiples of Copy/background:\n");
    for (const auto &[name, time] : times_)
      std::printf("  %-28s %8.2f\n", name.c_str(), time / copy->second);
    std::printf("\nkept layers against frames composed afresh (ms per move):\n");
    for (const char *kind : {"Crowd/move", "Crowd/drag"})
      for (const char *tests : {"0", "5000"}) {
        const std::string name = std::string(kind) + "/" + tests;
        const auto fresh = times_.find(name + "/0");
        const auto kept = times_.find(name + "/1");
        if (fresh != times_.end() && kept != times_.end() && kept->second > 0)
          std::printf("  %-22s afresh %8.3f  kept %8.3f  ratio %6.2f\n", name.c_str(),
                      fresh->second / 1000, kept->second / 1000, fresh->second / kept->second);
      }
    const auto plain = times_.find("Frame/drag/0");
    if (plain != times_.end())
      std::printf("a drag frame without test charges: %.2f x the copy (at most 2 wanted): %s\n",
                  plain->second / copy->second, plain->second <= 2 * copy->second ? "ok" : "over");
  }

private:
  std::map<std::string, double> times_;
};

} // namespace

int main(int argc, char **argv) { return RunWindowBenchmarks<RatioReporter>(argc, argv); }
