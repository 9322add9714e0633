#pragma once
// The platform seams of the field model: the millisecond tick counter and the screen's
// pixels per inch. Each has a real default and can be replaced (tests, the renderer).
// The third seam, the locale's decimal separator, is QLocale() itself.

#include <cstdint>
#include <functional>

namespace seams {

using TickSource = std::function<uint32_t()>;
using PpiSource = std::function<int()>;

// Milliseconds of a monotonic clock, truncated to 32 bits (wraps like GetTickCount).
uint32_t GetTickCount();
// Replaces the tick counter; an empty function restores the monotonic clock.
void SetTickSource(TickSource source);

// Logical pixels per inch of the primary screen (96 without a screen).
int ScreenPixelsPerInch();
// Replaces the pixels-per-inch source; an empty function restores the default.
void SetPixelsPerInchSource(PpiSource source);

} // namespace seams
