#include "base/Seams.h"

#include <QGuiApplication>
#include <QScreen>

#include <atomic>
#include <chrono>
#include <cmath>

namespace seams {
namespace {

uint32_t MonotonicTicks() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

int PrimaryScreenPpi() {
  if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr) {
    if (const QScreen *screen = QGuiApplication::primaryScreen())
      return static_cast<int>(std::lround(screen->logicalDotsPerInch()));
  }
  return 96;
}

TickSource &Ticks() {
  static TickSource source;
  return source;
}

thread_local int threadPpi = 0; // 0: none set on this thread

PpiSource &Ppi() {
  static PpiSource source;
  return source;
}

} // namespace

uint32_t GetTickCount() { return Ticks() ? Ticks()() : MonotonicTicks(); }
void SetTickSource(TickSource source) { Ticks() = std::move(source); }

int ScreenPixelsPerInch() {
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

ThreadPixelsPerInch::ThreadPixelsPerInch(int ppi) : previous_(threadPpi) { threadPpi = ppi; }
ThreadPixelsPerInch::~ThreadPixelsPerInch() { threadPpi = previous_; }

} // namespace seams
