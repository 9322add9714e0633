#pragma once
// What a picture of a scene depends on besides the scene: the surface it is drawn for, the
// font of its labels and how far field lines are traced. The screen's pixels per inch come
// through the seam (base/Seams.h).

#include "base/Geometry.h"
#include "model/ForceSum.h"
#include "model/PictureStyle.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <utility>

// How much work a field line may take.
struct TTraceLimits {
  // Steps per half-line instead of the 30 ms clock budget, so that a picture is the same on
  // every machine; 0 keeps the clock.
  uint64_t StepCap = 0;
  // Lines that cannot come back to the surface stop (off only to count what that saves).
  bool StopOffSurface = true;
  // Threads that trace a background's lines; 0: one per core.
  unsigned Threads = 0;
  // Off: the tracer as it was before, for benchmarks to weigh against: helper threads started
  // for each picture, only the first proofs that a line draws nothing more, and every source
  // summed again one by one when one is near.
  bool Tuned = true;
  // The force sum's build (benchmarks weigh them); none, or one this processor cannot take:
  // the fastest it can.
  std::optional<TForcePath> ForcePath = std::nullopt;
  friend bool operator==(const TTraceLimits &, const TTraceLimits &) = default;
};

struct TPictureTarget {
  TPictureTarget() = default;
  // A surface of that size (px), the default font and limits.
  TPictureTarget(TSize area) : Area(area) {} // NOLINT: a size is a target
  TPictureTarget(TSize area, QString fontName, TTraceLimits trace = {}, TPictureStyle style = {})
      : Area(area), FontName(std::move(fontName)), Trace(trace), Style(style) {}

  TSize Area;                                       // px of the drawing surface
  QString FontName = QStringLiteral("DejaVu Sans"); // of the axis and level labels
  TTraceLimits Trace;
  TPictureStyle Style; // line widths, label size and field-line colour
};
