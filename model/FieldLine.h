#pragma once
// The field-line tracer: steps StepLength pixels along (or against) the field from a start
// point and draws the polyline, until the line comes within StepLength of a source with
// non-zero charge, leaves the box 5000 px beyond the drawing surface, or its 30 ms budget
// per half-line is used up. The fast tracer also stops a line that provably cannot come
// back to the surface: it would draw nothing more.

#include "display/Canvas.h"
#include "model/PictureTarget.h"

#include <cstdint>

struct TScene;

inline constexpr uint32_t kTraceBudgetMs = 30;
inline constexpr long double kTraceMargin = 5000; // px beyond the surface on every side

enum class TTraceEnd { ReachedCharge, LeftBox, Budget, Cycle, Escaped };

struct TTraceStats {
  uint64_t Lines = 0; // half-lines traced
  uint64_t LinesCutByBudget = 0;
  uint64_t LinesInCycle = 0; // stopped early: their point repeated exactly
  uint64_t LinesEscaped = 0; // stopped early: off the surface, never to come back
  uint64_t Steps = 0;
  void Count(TTraceEnd end) {
    ++Lines;
    LinesCutByBudget += end == TTraceEnd::Budget;
    LinesInCycle += end == TTraceEnd::Cycle;
    LinesEscaped += end == TTraceEnd::Escaped;
  }
  void Add(const TTraceStats &other) {
    Lines += other.Lines;
    LinesCutByBudget += other.LinesCutByBudget;
    LinesInCycle += other.LinesInCycle;
    LinesEscaped += other.LinesEscaped;
    Steps += other.Steps;
  }
};

// Direction +1 follows the field, -1 goes against it, 0 draws both halves (-1 first).
// Start point (x, y) in screen pixels; the scene's sources, zoom and step length, on the
// target's surface within its limits. Pen: solid, colour, width 0.
TTraceStats DrawFieldLine(const TScene &scene, TCanvas &canvas, TColor color,
                          const TPictureTarget &target, int32_t direction, long double x,
                          long double y);

// The literal algorithm, one trigonometric force evaluation per source and step and the
// clock read before every step. Kept as the yardstick of the fast tracer in tests and
// benchmarks; the program draws with DrawFieldLine.
TTraceStats DrawFieldLineReference(const TScene &scene, TCanvas &canvas, TColor color,
                                   const TPictureTarget &target, int32_t direction, long double x,
                                   long double y);
