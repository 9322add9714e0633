#pragma once
// The background picture of a scene: white area, grey axes through the origin with a metre
// scale, and the light grey field lines of every source. Drawn anew only when the scene changed
// in a way that moves field lines; every frame starts by copying it.

#include "display/Canvas.h"
#include "model/Equipotentials.h"
#include "model/FieldLine.h"
#include "model/FieldLineTracer.h"
#include "model/PictureTarget.h"
#include "model/Scene.h"

#include <QString>

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

inline constexpr TColor kBackgroundColor = 0xFFFFFF;
inline constexpr TColor kAxisColor = 0x808080;
inline constexpr TColor kBackgroundLineColor = 0xC0C0C0;

struct TTickScale {
  long double Spacing; // m between two neighbouring ticks
  long double Pixels;  // px between two neighbouring ticks
};

// Tick spacing close to one screen centimetre at the current zoom (5, 10, ... 30 x 10^e m).
TTickScale TickScale(const TScene &scene);

// Distance (px) from a source's centre at which its field lines start.
long double FieldLineRadius(const TScene &scene);

// What takes time in a background: the traced field lines and the potential grid.
struct TBackgroundScene {
  std::vector<TTraceJob> Lines; // in drawing order
  std::optional<TPotentialGrid> Grid;
  std::vector<TWorldPoint> ZeroPoints; // m, when the scene asks for them
  TTraceStats Stats;
};

// Traces the background of a drawing surface of that size (px) on all cores. A set cancel
// flag stops it early, leaving an incomplete scene that must not be shown.
TBackgroundScene TraceBackground(const TScene &scene, const TPictureTarget &target,
                                 const std::atomic<bool> *cancel = nullptr);
// Draws the traced background on canvas: fill painted white (with the potential map), the
// axes, the field lines (with their arrows), the equipotentials and the crosses at zero points.
void PaintBackground(const TScene &scene, const TBackgroundScene &traced, TCanvas &canvas,
                     const TPictureTarget &target, const TRect &fill);
// Traces and draws the whole bitmap.
TTraceStats DrawBackgroundOn(const TScene &scene, TBitmap &bitmap, const TPictureTarget &target);
// The same picture with the literal tracer, one line after the other (for comparisons).
TTraceStats DrawBackgroundReference(const TScene &scene, TBitmap &bitmap,
                                    const TPictureTarget &target);
