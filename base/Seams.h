#pragma once
// The platform seams of the field model: the millisecond tick counter and the screen's
// pixels per inch. Each has a real default and can be replaced (tests, the renderer).
// The third seam, the locale's decimal separator, is QLocale() itself.

#include <cstdint>
#include <functional>

namespace seams {

using TickSource = std::function<uint32_t()>;
using PpiSource = std::function<double()>;

// Milliseconds of a monotonic clock, truncated to 32 bits (wraps like GetTickCount).
uint32_t GetTickCount();
// Replaces the tick counter; an empty function restores the monotonic clock.
void SetTickSource(TickSource source);
// Milliseconds between two frames of an animation, about a screen's refresh. An animation
// times itself by GetTickCount, not by counting frames, so a late frame only moves further.
inline constexpr int kFrameIntervalMs = 16;

// Pixels per inch of the screen (logical pixels per real inch): by default the primary
// screen's physical density where plausible, else its logical one (96 without a screen).
double ScreenPixelsPerInch();
// Replaces the pixels-per-inch source; an empty function restores the default.
void SetPixelsPerInchSource(PpiSource source);

// Whether the program draws its background pictures on a worker thread (the default) or
// in the call that asks for them (tests, which want each picture at once).
bool BackgroundOnWorker();
void SetBackgroundOnWorker(bool onWorker);

// While it lives, ScreenPixelsPerInch answers ppi on the thread that made it: a picture drawn
// on a worker thread asks the screen nothing, and keeps the value its request was made with.
class ThreadPixelsPerInch {
public:
  explicit ThreadPixelsPerInch(double ppi);
  ~ThreadPixelsPerInch();
  ThreadPixelsPerInch(const ThreadPixelsPerInch &) = delete;
  ThreadPixelsPerInch &operator=(const ThreadPixelsPerInch &) = delete;

private:
  double previous_;
};

} // namespace seams
