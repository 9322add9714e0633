#pragma once
// The cached background image: white area, grey axes through the origin with a metre scale,
// and the light grey field lines of every source. Redrawn only when the document or the view
// changed in a way that moves field lines; every frame starts by copying it.

#include "display/Canvas.h"
#include "model/Equipotentials.h"
#include "model/FieldLine.h"
#include "model/FieldLineTracer.h"

#include <QString>

#include <atomic>
#include <memory>
#include <optional>
#include <vector>

class TDocument;

inline constexpr TColor kBackgroundColor = 0xFFFFFF;
inline constexpr TColor kAxisColor = 0x808080;
inline constexpr TColor kBackgroundLineColor = 0xC0C0C0;

// The background bitmap (created by the main window with the drawing surface's size).
extern std::unique_ptr<TBitmap> Background;

struct TTickScale {
  long double Spacing; // m between two neighbouring ticks
  long double Pixels;  // px between two neighbouring ticks
};

// Tick spacing close to one screen centimetre at the current zoom (5, 10, ... 30 x 10^e m).
TTickScale TickScale(const TDocument &document);

// Distance (px) from a source's centre at which its field lines start.
long double FieldLineRadius(const TDocument &document);

// Number of threads that trace the background's lines (0: one per core).
void SetBackgroundThreads(unsigned threads);

// What takes time in a background: the traced field lines and the potential grid.
struct TBackgroundScene {
  std::vector<TTraceJob> Lines; // in drawing order
  std::optional<TPotentialGrid> Grid;
  TTraceStats Stats;
};

// Traces the background of a drawing surface of that size (px) on all cores. A set cancel
// flag stops it early, leaving an incomplete scene that must not be shown.
TBackgroundScene TraceBackground(const TDocument &document, TSize area,
                                 const std::atomic<bool> *cancel = nullptr);
// Draws the scene on canvas: fill painted white (with the potential map), the axes, the
// field lines and the equipotentials.
void PaintBackground(const TDocument &document, const TBackgroundScene &scene, TCanvas &canvas,
                     TSize area, const TRect &fill);
// Traces and draws the whole bitmap.
TTraceStats DrawBackgroundOn(const TDocument &document, TBitmap &bitmap, TSize area);
// Redraws Background completely from the document; shows nothing.
TTraceStats DrawBackground(const TDocument &document);
// The same picture with the literal tracer, one line after the other (for comparisons).
TTraceStats DrawBackgroundReference(const TDocument &document);
