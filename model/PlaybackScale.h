#pragma once
// How fast a flight is played: the scale itself is PlaybackScale (model/ParticleFlight.h),
// this is its text.

#include <QString>

// "1 s ≙ 2 ns": one second on screen and the simulated time it shows (s), with the SI prefix
// from s down to fs that puts the number at 1 or more (fs below that), the number in the
// locale's form.
QString PlaybackScaleText(long double simulatedSecondsPerSecond);
