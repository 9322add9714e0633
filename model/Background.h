#pragma once
// The cached background image: white area, grey axes through the origin with a metre scale,
// and the light grey field lines of every source. Redrawn only when the document or the view
// changed in a way that moves field lines; every frame starts by copying it.

#include "display/Canvas.h"
#include "model/FieldLine.h"

#include <QString>

#include <memory>

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

// Redraws Background completely from the document; shows nothing.
TTraceStats DrawBackground(const TDocument &document);
// The same picture with the literal tracer, one line after the other (for comparisons).
TTraceStats DrawBackgroundReference(const TDocument &document);
