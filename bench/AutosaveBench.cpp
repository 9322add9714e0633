// Autosave of a 100,000-charge project in the real windows on the offscreen platform: how
// long the window's thread is blocked per autosave (the snapshot and the hand-over to the
// worker) against the whole write the worker does (encoding, writing, syncing, renaming).
// Wall-clock times, since the write waits for the disk; the ratio is printed at the end.
#include "WindowBenchMain.h"
#include "app/Autosave.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "app/ProjectCommands.h"
#include "app/Recovery.h"
#include "model/Document.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>

namespace {

constexpr int kCharges = 100'000;

// The program's windows holding kCharges sources, and an autosave into a temporary folder.
class LargeWork {
public:
  LargeWork() : store_(dir_.filePath(QStringLiteral("recovery"))) {
    TProjectData data;
    data.OriginX = 396;
    data.OriginY = 267;
    for (int i = 0; i < kCharges; ++i)
      data.Charges.push_back({static_cast<double>(i % 772), static_cast<double>(i / 772 % 515),
                              (i % 2 == 0 ? 1 : -1) * 1.602177e-19L, 0, false, 0});
    program_.Project().Restore(data, QString(), {});
    autosave_ = std::make_unique<TAutosave>(
        program_.Document(), store_, [this] { return Snapshot(); }, std::chrono::minutes(1));
  }
  ~LargeWork() { autosave_.reset(); }
  LargeWork(const LargeWork &) = delete;
  LargeWork &operator=(const LargeWork &) = delete;

  TAutosave &Autosave() { return *autosave_; }
  const TRecoveryStore &Store() const { return store_; }
  TRecoverySnapshot Snapshot() { return CaptureRecoverySnapshot(program_.Project()); }
  // One more change for the autosave to write.
  void Change(int step) { program_.Document().MoveCharge(0, 10 + step % 2, 10); }

private:
  TProgram program_;
  QTemporaryDir dir_;
  TRecoveryStore store_;
  std::unique_ptr<TAutosave> autosave_;
};

// What the window's thread does per autosave; the worker's write of the one before is
// waited for outside the timing.
void BM_Blocked(benchmark::State &state) {
  LargeWork work;
  int step = 0;
  for (auto _ : state) {
    state.PauseTiming();
    work.Autosave().WaitForWrites();
    work.Change(++step);
    state.ResumeTiming();
    work.Autosave().WriteIfDue();
  }
  work.Autosave().WaitForWrites();
  if (!QFile::exists(work.Store().OwnFile()))
    state.SkipWithError("nothing was written");
}
BENCHMARK(BM_Blocked)->Name("WindowThreadBlocked")->UseRealTime()->Unit(benchmark::kMillisecond);

// The worker's part: the whole write of one snapshot.
void BM_Write(benchmark::State &state) {
  LargeWork work;
  const TRecoverySnapshot snapshot = work.Snapshot();
  TRecoveryStore store(work.Store().Folder() + QStringLiteral("-write"));
  if (!store.Claim())
    state.SkipWithError("no lock");
  for (auto _ : state)
    store.Write(snapshot);
}
BENCHMARK(BM_Write)->Name("WholeWrite")->UseRealTime()->Unit(benchmark::kMillisecond);

// The console output, then blocked time / write time, each the mean of the repetitions.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &run : runs)
      if (!run.error_occurred && run.iterations > 0 && run.run_type == Run::RT_Iteration) {
        TMean &mean = times_[run.run_name.function_name];
        mean.Sum += run.GetAdjustedRealTime();
        ++mean.Count;
      }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto blocked = times_.find("WindowThreadBlocked");
    const auto write = times_.find("WholeWrite");
    if (blocked != times_.end() && write != times_.end() && write->second.Sum > 0)
      std::printf("\n%d charges: window thread blocked / whole write = %.3f\n", kCharges,
                  blocked->second.Value() / write->second.Value());
  }

private:
  struct TMean {
    double Sum = 0;
    int Count = 0;
    double Value() const { return Sum / Count; }
  };
  std::map<std::string, TMean> times_;
};

} // namespace

int main(int argc, char **argv) { return RunWindowBenchmarks<RatioReporter>(argc, argv); }
