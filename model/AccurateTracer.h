#pragma once
// Field lines traced to a set accuracy: an embedded Runge-Kutta pair (Dormand-Prince 5(4))
// along the field's direction, with each step as long as keeps its local error below
// kAccurateTolerance and the line's turn below kAccurateTurn. The work per half-line is
// bounded by a number of field evaluations, not by the clock, so a picture is the same on
// every machine. The points are kept as they are, between pixels.

#include "base/Geometry.h"
#include "model/FieldLineTracer.h"
#include "model/ForceSum.h"
#include "model/LineEscape.h"
#include "model/PictureTarget.h"

#include <atomic>
#include <cstdint>
#include <vector>

struct TScene;

inline constexpr double kAccurateTolerance = 0.05; // px of local error per step
inline constexpr double kAccurateTurn = 0.0349;    // rad (2 degrees) per step
// Field evaluations one half-line may take: six per accepted step.
inline constexpr uint64_t kAccurateEvaluations = 60000;

class TAccurateTracer {
public:
  // The scene's sources at its zoom, for the target's surface.
  TAccurateTracer(const TScene &scene, const TPictureTarget &target);

  // Traces the job's half-line from (X, Y) px in its direction (+1 along the field, -1
  // against it): fills Points (the exact points, px), Line (the same rounded to pixels),
  // Steps (field evaluations), End and, when it ends on a source, Reached.
  void Trace(TTraceJob &job) const;
  // Traces the jobs whose indices next hands out; several threads may share them. Once
  // cancel is set, no further job is started.
  void TraceJobs(std::vector<TTraceJob> &jobs, std::atomic<size_t> &next,
                 const std::atomic<bool> *cancel = nullptr) const;

private:
  struct Field {
    double X = 0, Y = 0;       // unit vector along the trace direction
    double NearestSquared = 0; // px^2 to the nearest source
    bool Defined = false;      // false where the field vanishes
  };
  // The field's direction at (x, y) px; the nearest source only when asked for.
  Field DirectionAt(double x, double y, double sense, bool nearest = false) const;
  // The source (index into x_) within the capture radius of (x, y) px that takes in lines
  // traced that way; -1 if none.
  int32_t Captured(double x, double y, double sense) const;

  std::vector<double> x_, y_, weight_; // centres px, weights > 0 push a line along the field
  std::vector<int32_t> index_;         // each source's place among the scene's charges
  TForceSources arrays_;               // the same for the tracer's vector sum
  TForcePath path_;
  TLineEscape escape_;
  TSize surface_;
};
