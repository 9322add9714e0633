#pragma once
// Arrowheads along a traced field line that show which way the field points: one at the
// middle of the line's part on the surface, then one every kLineArrowSpacing px of that
// part in both directions.

#include "base/Geometry.h"
#include "display/Canvas.h"
#include "model/FieldLineTracer.h"

#include <QPointF>

#include <array>
#include <cstdint>
#include <vector>

inline constexpr double kLineArrowLength = 7;    // px from the tip to the base
inline constexpr double kLineArrowWidth = 5.5;   // px across the base
inline constexpr double kLineArrowSpacing = 175; // px of arc length between two heads

struct TLineArrow {
  QPointF Tip;       // px, on the line
  QPointF Direction; // unit vector along the field, y down
};

// The heads of a half-line traced in that direction (+1 along the field, -1 against it). Only
// the line's length on the surface (px, 0 .. Width-1 by 0 .. Height-1) counts.
std::vector<TLineArrow> FieldLineArrows(const TPolyline &line, int32_t direction, TSize surface);

// The heads of a traced line, along its exact points where it has them.
std::vector<TLineArrow> FieldLineArrows(const TTraceJob &job, TSize surface);

// Tip, then the two ends of the base (px).
std::array<QPointF, 3> ArrowCorners(const TLineArrow &arrow);

// Filled heads in that colour, each through canvas.FillPolygon.
void DrawLineArrows(const std::vector<TLineArrow> &arrows, TColor color, TCanvas &canvas);
