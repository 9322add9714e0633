// What a user meets with a large project of sources without field lines, in the real windows
// on the offscreen platform: opening it (the routine of "Öffnen"), the charge list's part of
// that, composing one frame, opening the charge list, adding and deleting one charge and "Neu",
// for 1,000, 10,000 and 100,000 charges. At the end every figure is also given per charge (CPU
// time), with the ratio of the largest to the smallest project: 1 means a constant cost per
// charge; and the charge list's share of opening.
#include "WindowBenchMain.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "app/ProjectCommands.h"
#include "file/ProjectFile.h"
#include "model/Document.h"
#include "windows/ChargeComboBox.h"
#include "windows/SettingsWindow.h"

#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <unistd.h>

namespace {

// Sources spread over the 792 by 535 surface, so that every one of them is drawn; half
// positive, half negative, none with field lines. With betweenPixels, each is off the pixel
// grid by a fraction, as typed positions in metres are.
TProjectData LargeProject(int count, bool betweenPixels = false) {
  TProjectData data;
  data.OriginX = 396;
  data.OriginY = 267;
  uint32_t seed = 12345;
  const auto next = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  for (int i = 0; i < count; ++i) {
    TChargeRecord r;
    r.X = static_cast<double>(next() % 772);
    r.Y = static_cast<double>(next() % 515);
    if (betweenPixels) {
      r.X += next() / static_cast<double>(1u << 24);
      r.Y += next() / static_cast<double>(1u << 24);
    }
    r.ChargeValue = (i % 2 == 0 ? 1 : -1) * 1.602177e-19L;
    data.Charges.push_back(r);
  }
  data.FirstChosen = 0;
  data.SecondChosen = count - 1;
  return data;
}

// The program's windows and a project file of `count` charges in a temporary folder.
class ProjectOnDisk {
public:
  explicit ProjectOnDisk(int count, bool betweenPixels = false)
      : path_(dir_.filePath(QStringLiteral("gross.kbf"))) {
    SaveProjectFile(path_, LargeProject(count, betweenPixels));
  }
  ProjectOnDisk(const ProjectOnDisk &) = delete;
  ProjectOnDisk &operator=(const ProjectOnDisk &) = delete;

  void Load() { program_.Project().Load(path_); }
  void New() { program_.Project().New(); }
  TForm1 &Main() { return program_.Main(); }
  TForm2 &Settings() { return program_.Settings(); }
  TDocument &Document() { return program_.Document(); }

  void Check(benchmark::State &state, int count) {
    if (program_.Document().Charges().Count() != count)
      state.SkipWithError("the project did not load completely");
  }

private:
  TProgram program_;
  QTemporaryDir dir_;
  QString path_;
};

// Loading the project, as "Öffnen" does, into an empty document (the reset of the one before
// is not timed).
void BM_Open(benchmark::State &state) {
  const int count = static_cast<int>(state.range(0));
  ProjectOnDisk project(count);
  for (auto _ : state) {
    state.PauseTiming();
    project.New();
    state.ResumeTiming();
    project.Load();
  }
  project.Check(state, count);
}
BENCHMARK(BM_Open)->Name("Open")->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// The charge list's part of opening: its entries replaced by the new project's, as the
// settings window does when a project replaces the one before, and the list repainted.
void BM_ListFill(benchmark::State &state) {
  const int count = static_cast<int>(state.range(0));
  ProjectOnDisk project(count);
  project.Load();
  project.Check(state, count);
  TChargeComboBox *list = project.Settings().ComboBox_Charges;
  for (auto _ : state) {
    state.PauseTiming();
    list->SetEntryCount(0);
    QApplication::processEvents();
    state.ResumeTiming();
    list->setUpdatesEnabled(false);
    list->SetEntryCount(count);
    list->setCurrentIndex(project.Document().SelectedIndex());
    list->setUpdatesEnabled(true);
    list->RepaintEntries();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_ListFill)
    ->Name("ListFill")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// One charge added at the end and the first one deleted, through the document as the mouse
// and "Löschen" do: every entry after the first then shows its successor's position.
void BM_Edit(benchmark::State &state) {
  const int count = static_cast<int>(state.range(0));
  ProjectOnDisk project(count);
  project.Load();
  project.Check(state, count);
  TDocument &document = project.Document();
  for (auto _ : state) {
    document.CreateCharge(100, 100);
    document.DeleteCharge(0);
    QApplication::processEvents();
  }
  project.Check(state, count);
}
BENCHMARK(BM_Edit)->Name("Edit")->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One frame of the main window, presented.
void BM_Frame(benchmark::State &state) {
  const int count = static_cast<int>(state.range(0));
  ProjectOnDisk project(count);
  project.Load();
  project.Check(state, count);
  for (auto _ : state)
    project.Main().RenderFrame(true);
}
BENCHMARK(BM_Frame)->Name("Frame")->Arg(1000)->Arg(10000)->Arg(100000)->Unit(
    benchmark::kMillisecond);

// "Neu" on the loaded project (the load is not timed).
void BM_New(benchmark::State &state) {
  const int count = static_cast<int>(state.range(0));
  ProjectOnDisk project(count);
  for (auto _ : state) {
    state.PauseTiming();
    project.Load();
    project.Check(state, count);
    state.ResumeTiming();
    project.New();
  }
}
BENCHMARK(BM_New)->Name("New")->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Opening and closing the settings window's charge list, one entry per charge.
void BM_ChargeList(benchmark::State &state) {
  const int count = static_cast<int>(state.range(0));
  ProjectOnDisk project(count);
  project.Load();
  project.Check(state, count);
  TChargeComboBox *list = project.Settings().ComboBox_Charges;
  for (auto _ : state) {
    list->showPopup();
    QApplication::processEvents();
    list->hidePopup();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_ChargeList)
    ->Name("List")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

// Resident memory of this process (MB).
double ResidentMegabytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0;
  long resident = 0;
  statm >> pages >> resident;
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1 << 20);
}

// 300 pans with the right mouse button on the loaded project, each drawn as a user sees it:
// the memory the process holds afterwards against what it held with the project open. The
// second argument puts the charges between pixels. Not a time: one iteration.
void BM_PanMemory(benchmark::State &state) {
  const int count = static_cast<int>(state.range(0));
  ProjectOnDisk project(count, state.range(1) != 0);
  project.Load();
  project.Check(state, count);
  QWidget *surface = project.Main().DXDraw;
  QApplication::processEvents();
  const double atStart = ResidentMegabytes();
  for (auto _ : state) {
    for (int i = 0; i < 300; ++i) {
      const QPoint from(300 + i % 7, 200 + i % 5);
      const QPoint to = from + QPoint(i % 2 == 0 ? 37 : -29, i % 3 == 0 ? 23 : -19);
      QTest::mousePress(surface, Qt::RightButton, {}, from);
      QTest::mouseMove(surface, (from + to) / 2);
      QTest::mouseMove(surface, to);
      QTest::mouseRelease(surface, Qt::RightButton, {}, to);
      QApplication::processEvents();
    }
  }
  const double after = ResidentMegabytes();
  state.counters["start_MB"] = atStart;
  state.counters["after_MB"] = after;
  state.counters["after/start"] = after / atStart;
  const THistory &history = project.Document().History();
  state.counters["history_MB"] = static_cast<double>(history.Bytes()) / (1 << 20);
  state.counters["steps"] = history.Count();
}
BENCHMARK(BM_PanMemory)
    ->Name("PanMemory")
    ->Args({100000, 0})
    ->Args({100000, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// Keeps the console output and adds the time per charge of every run, and for each kind
// the ratio of its largest project to its smallest.
class PerChargeReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs) {
      if (run.error_occurred || run.iterations <= 0)
        continue;
      const std::string name = run.benchmark_name();
      const auto slash = name.find('/');
      const int count = std::stoi(name.substr(slash + 1));
      // CPU time, which other work on a shared machine disturbs less; in the run's unit (ms),
      // per charge in microseconds.
      perCharge_[name.substr(0, slash)][count] = run.GetAdjustedCPUTime() * 1000.0 / count;
      cpuMs_[name.substr(0, slash)][count] = run.GetAdjustedCPUTime();
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nper charge (us), and largest / smallest project:\n");
    for (const auto &[kind, byCount] : perCharge_) {
      std::printf("  %-6s", kind.c_str());
      for (const auto &[count, time] : byCount)
        std::printf("  %7d: %8.3f", count, time);
      if (byCount.size() > 1 && byCount.begin()->second > 0)
        std::printf("   ratio %.2f", byCount.rbegin()->second / byCount.begin()->second);
      std::printf("\n");
    }
    // Both figures are CPU time of the same process, so the share is not disturbed by waits.
    const auto open = cpuMs_.find("Open");
    const auto fill = cpuMs_.find("ListFill");
    if (open == cpuMs_.end() || fill == cpuMs_.end())
      return;
    std::printf("charge list's share of opening:\n");
    for (const auto &[count, openMs] : open->second)
      if (const auto f = fill->second.find(count); f != fill->second.end() && openMs > 0)
        std::printf("  %7d: %6.2f of %8.2f ms (%.0f %%)\n", count, f->second, openMs,
                    100.0 * f->second / openMs);
  }

private:
  std::map<std::string, std::map<int, double>> perCharge_;
  std::map<std::string, std::map<int, double>> cpuMs_; // CPU time per iteration (ms)
};

} // namespace

int main(int argc, char **argv) { return RunWindowBenchmarks<PerChargeReporter>(argc, argv); }
