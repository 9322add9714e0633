#include "base/Seams.h"

#include "base/ScreenDensity.h"

#include <QGuiApplication>

#include <atomic>
#include <chrono>

namespace seams {
namespace {

uint32_t MonotonicTicks() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

double PrimaryScreenPpi() {
  if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr)
    return TruePixelsPerInch(QGuiApplication::primaryScreen());
  return kLogicalPixelsPerInch;
}

TickSource &Ticks() {
  static TickSource source;
  return source;
}

thread_local double threadPpi = 0; // 0: none set on this thread

PpiSource &Ppi() {
  static PpiSource source;
  return source;
}

} // namespace

uint32_t GetTickCount() { return Ticks() ? Ticks()() : MonotonicTicks(); }
void SetTickSource(TickSource source) { Ticks() = std::move(source); }

double ScreenPixelsPerInch() {
  if (threadPpi > 0)
    return threadPpi;
  return Ppi() ? Ppi()() : PrimaryScreenPpi();
}
void SetPixelsPerInchSource(PpiSource source) { Ppi() = std::move(source); }

namespace {
std::atomic<bool> backgroundOnWorker{true};
}
bool BackgroundOnWorker() { return backgroundOnWorker; }
void SetBackgroundOnWorker(bool onWorker) { backgroundOnWorker = onWorker; }

ThreadPixelsPerInch::ThreadPixelsPerInch(double ppi) : previous_(threadPpi) { threadPpi = ppi; }
ThreadPixelsPerInch::~ThreadPixelsPerInch() { threadPpi = previous_; }

} // namespace seams
