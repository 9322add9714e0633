// The cost of one frame of the main window while a charge is dragged, in the real windows
// on the offscreen platform: 10 sources with 16 lines each, with and without 3 test charges,
// and a frame with the cursor line. Every figure is reported as a multiple of a plain copy
// of the background image onto the surface, measured in the same run.
#include "WindowBenchMain.h"
#include "support/FieldConfigurations.h"

#include "app/MainWindow.h"
#include "app/Program.h"
#include "model/Background.h"
#include "model/Document.h"
#include "windows/SettingsWindow.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

// The program's windows with a document of 10 sources and `testCharges` test charges; the
// first source is selected and grabbed, as during a drag.
struct FrameDocument {
  explicit FrameDocument(int testCharges, bool cursorLine) {
    CreateProgramWindows();
    Form1->show();
    configurations::Random(10, 16, 10);
    const int testX[] = {150, 400, 650};
    for (int i = 0; i < testCharges; ++i) {
      configurations::Add(testX[i], 120, 1e-12L, 0);
      Charges[Charges.Count() - 1]->IsTestCharge = true;
    }
    for (int i = 0; i < Charges.Count(); ++i)
      Form2->ComboBox_Charges->addItem(QString());
    Form2->ComboBox_Charges->setCurrentIndex(0);
    ShowCursorLine = cursorLine;
    DrawBackground(TheDocument());
    Form1->RenderFrame(true);
  }
  ~FrameDocument() {
    Form1->DragCharge = nullptr;
    Form1->DragStarted = false;
    DestroyProgramWindows();
    ResetDocumentGlobals();
  }
  FrameDocument(const FrameDocument &) = delete;
  FrameDocument &operator=(const FrameDocument &) = delete;
};

void CheckSurface(benchmark::State &state) {
  const TDirectDrawSurface *surface = Form1->DXDraw->Surface();
  if (surface == nullptr || surface->Width() != 792 || surface->Height() != 535)
    state.SkipWithError("the drawing surface is not 792 by 535");
}

void BM_CopyBackground(benchmark::State &state) {
  FrameDocument doc(0, false);
  CheckSurface(state);
  TDirectDrawSurfaceCanvas &canvas = Form1->DXDraw->Surface()->Canvas();
  for (auto _ : state) {
    canvas.Draw(0, 0, Background->Image());
    canvas.Release();
  }
}
BENCHMARK(BM_CopyBackground)->Name("Copy/background")->Unit(benchmark::kMicrosecond);

// RenderFrame(true) after the grabbed charge moved by a pixel.
void BM_DragFrame(benchmark::State &state) {
  FrameDocument doc(static_cast<int>(state.range(0)), false);
  CheckSurface(state);
  TPointCharge *dragged = Charges[0];
  Form1->DragCharge = dragged;
  double step = 1;
  for (auto _ : state) {
    dragged->X += step;
    step = -step;
    Form1->RenderFrame(true);
  }
}
BENCHMARK(BM_DragFrame)->Name("Frame/drag")->Arg(0)->Arg(3)->Unit(benchmark::kMicrosecond);

// A whole mouse move of a drag: the charge follows, the settings and voltage windows are
// told, the frame is shown.
void BM_DragMove(benchmark::State &state) {
  FrameDocument doc(static_cast<int>(state.range(0)), false);
  CheckSurface(state);
  Form1->DragCharge = Charges[0];
  Form1->DragStarted = true;
  const int x = static_cast<int>(Charges[0]->CenterX());
  const int y = static_cast<int>(Charges[0]->CenterY());
  int d = 1;
  // As after the mouse-down: the moves of a drag are one step of the history.
  TheDocument().BeginGesture();
  for (auto _ : state) {
    Form1->DXDrawMouseMove(x + d, y);
    d = -d;
  }
  TheDocument().EndGesture();
}
BENCHMARK(BM_DragMove)->Name("Move/drag")->Arg(0)->Arg(3)->Unit(benchmark::kMicrosecond);

// A mouse move with nothing grabbed: the frame with the field line through the cursor.
void BM_CursorLineFrame(benchmark::State &state) {
  FrameDocument doc(0, true);
  CheckSurface(state);
  int d = 1;
  for (auto _ : state) {
    Form1->DXDrawMouseMove(300 + d, 200);
    d = -d;
  }
}
BENCHMARK(BM_CursorLineFrame)->Name("Frame/cursor_line")->Unit(benchmark::kMicrosecond);

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
