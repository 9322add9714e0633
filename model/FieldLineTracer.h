#pragma once
// The fast half-line tracer behind DrawFieldLine. It works on a snapshot of the sources, so
// that the background can trace its lines on several threads, and records the rounded
// points of a half-line as a polyline that is drawn afterwards.
//
// The force is summed as w * (dx, dy) / r^3 per source instead of through angles, with one
// normalisation per step, so a step may differ from the literal algorithm's in the last bits.
// Along most lines such differences stay far below a pixel. Where they would not, the step
// takes the literal trigonometric path:
// - A line that starts on a mirror line of the sources (to 2^-30 of their extent) and runs
//   along it into a saddle or straight at a source takes every step literally, bit for bit,
//   also within three steps of that saddle: only the literal rounding says which way it
//   leaves the saddle, or whether its last step stops short of the source.
// - A source straight left/right/above/below the point, or a force along an axis, takes the
//   literal term or normalisation, since an angle rounded to a double decides the small
//   component there.
// Pictures match the literal tracer's pixel for pixel on the tested configurations (random
// ones, and symmetric ones turned, mirrored and scaled, at steps 1, 3 and 7). A line that
// passes close to a saddle off every mirror line can still leave it differently.

#include "base/Geometry.h"
#include "display/Canvas.h"
#include "model/FieldLine.h"
#include "model/ForceSum.h"
#include "model/LineEscape.h"
#include "model/PictureTarget.h"
#include "model/RecentStates.h"
#include "model/Vector.h"

#include <QPointF>

#include <atomic>
#include <cstdint>
#include <vector>

struct TScene;

// The drawing commands of one half-line. Segments wholly off the surface and steps that
// stay on the same pixel draw nothing and are left out.
class TPolyline {
public:
  struct Op {
    int32_t X;
    int32_t Y;
    bool Move;
  };
  void Clear() { ops_.clear(); }
  void Start(int32_t x, int32_t y, TSize surface);
  inline void LineTo(int32_t x, int32_t y);
  // Replays the commands; leaves the pen on the last point, as drawing every step would.
  void DrawOn(TCanvas &canvas) const;
  const std::vector<Op> &Ops() const { return ops_; }
  // The last point, drawn or not.
  TPoint Pen() const { return pen_; }

private:
  std::vector<Op> ops_;
  TPoint pen_{};
  TPoint drawn_{}; // end of the last recorded command
  bool pendingMove_ = false;
  TSize surface_{};
};

// Called on every step, so it lives here to be inlined.
inline void TPolyline::LineTo(int32_t x, int32_t y) {
  if (x == pen_.X && y == pen_.Y)
    return;
  const bool offSurface = (x < 0 && pen_.X < 0) || (y < 0 && pen_.Y < 0) ||
                          (x >= surface_.Width && pen_.X >= surface_.Width) ||
                          (y >= surface_.Height && pen_.Y >= surface_.Height);
  if (offSurface) {
    pendingMove_ = true;
  } else {
    if (pendingMove_)
      ops_.push_back({pen_.X, pen_.Y, true});
    ops_.push_back({x, y, false});
    pendingMove_ = false;
    drawn_ = {x, y};
  }
  pen_ = {x, y};
}

// One half-line to trace: where it starts and which way, and what came of it.
struct TTraceJob {
  int32_t Direction = 1;
  long double X = 0, Y = 0; // px
  TPolyline Line;
  // The exact points (px) of a line traced to a set accuracy; empty for a stepped line.
  std::vector<QPointF> Points;
  uint64_t Steps = 0;
  TTraceEnd End = TTraceEnd::LeftBox;
  int32_t Reached = -1; // the scene's charge the line ended on, when the tracer knows it
  int32_t From = -1;    // the scene's charge the line starts at, when it was set
};

class TFieldLineTracer {
public:
  // Copy of the scene's sources, StepLength and PixelsPerMetre, for the target's surface and
  // within its limits.
  TFieldLineTracer(const TScene &scene, const TPictureTarget &target);

  // Traces one half-line (direction +1 or -1) from (x, y) px into line.
  TTraceEnd TraceHalf(int32_t direction, long double x, long double y, TPolyline &line,
                      uint64_t &steps) const;
  // Traces two half-lines at once, with the same result as one after the other.
  void TracePair(TTraceJob &a, TTraceJob &b) const;
  // Traces the jobs whose indices next hands out, two lines at a time as TracePair does; when
  // one line ends, the next job takes its place. Several threads may share jobs and next.
  // Once cancel is set, no further job is started.
  void TraceJobs(std::vector<TTraceJob> &jobs, std::atomic<size_t> &next,
                 const std::atomic<bool> *cancel = nullptr) const;

private:
  // A half-line in progress.
  struct HalfState {
    int32_t direction = 1;
    long double x = 0, y = 0; // px
    double xd = 0, yd = 0;    // the same, rounded to doubles
    TPolyline *line = nullptr;
    uint64_t n = 0; // steps so far
    uint64_t cap = 0;
    uint32_t t0 = 0;
    TTraceEnd end = TTraceEnd::LeftBox;
    // Brent's cycle detection: the saved point and when to save the next one.
    long double savedX = 0, savedY = 0;
    double savedXd = 0;
    uint64_t power = 1, sinceSave = 0;
    // A second saved point, renewed at a fixed stride: finds a short cycle soon after it
    // begins, where Brent's waits for the next power of two.
    long double strideX = 0, strideY = 0;
    double strideXd = 0;
    bool savedLiteral = true, strideLiteral = true;
    bool literal = true;             // no step differed from the literal algorithm's yet
    TRecentStates *recent = nullptr; // finds a cycle of any period soon; none: off
  };
  // recent: a table the line may use, none to leave it out.
  HalfState Begin(int32_t direction, long double x, long double y, TPolyline &line,
                  TRecentStates *recent) const;
  // One step with its tests; false once the line has ended (and why is in s.end).
  [[gnu::always_inline]] inline bool Advance(HalfState &s) const;

  struct Source {
    double cx, cy;       // centre, px
    double signedWeight; // value * k * PixelsPerMetre^2, N/C * px^2: > 0 pushes a +1 charge away
    long double value;   // C
    long double exactX, exactY; // centre as the literal algorithm computes it, px
  };
  // A thin strip along a piece of a mirror line of the sources between two of them or a
  // source and infinity: |across| <= HalfWidth and From <= along <= To, px from (X, Y) in
  // the direction (DirX, DirY). Direction: the trace direction it matters for, 0 for both.
  struct MirrorSegment {
    double X, Y;
    double DirX, DirY;
    double From, To;
    double HalfWidth;
    int32_t Direction;
  };
  // A disc around a point of no force on a mirror line.
  struct Saddle {
    double X, Y;
    double RadiusSquared;
  };
  enum class StepResult { Moved, ReachedCharge };

  // literal: every step of the line so far was the literal algorithm's, bit for bit.
  // (xd, yd): (x, y) rounded to doubles.
  [[gnu::always_inline]] inline StepResult Step(int32_t direction, long double &x, long double &y,
                                                double xd, double yd, bool &literal) const;
  // The force for the trace direction, source by source, with the exact stop test and the
  // literal terms.
  StepResult CarefulForce(int32_t direction, long double x, long double y, double &fx,
                          double &fy) const;
  // Adds the sources the vector sum left out, source by source as CarefulForce does.
  StepResult AddCareful(const TCarefulSources &careful, int32_t direction, long double x,
                        long double y, double &fx, double &fy) const;
  // One source's part of the careful sum, added to (fx, fy).
  StepResult CarefulTerm(const Source &s, int32_t direction, long double x, long double y,
                         double &fx, double &fy) const;
  // One source's force exactly as the literal algorithm computes it, angles and all.
  TVector LiteralTerm(const Source &s, int32_t direction, long double x, long double y) const;
  // The whole step as the literal algorithm takes it, bit for bit.
  StepResult LiteralStep(int32_t direction, long double &x, long double &y) const;
  // Lines along a mirror line run into its saddles or straight at a source, and only the
  // rounding of the literal algorithm says which way they leave the saddle or whether the
  // last step stops short of the source: the pieces of the mirror lines that lead there,
  // and discs around the saddles, in which a line steps to and fro.
  void FindSaddles();
  bool RoundingDecides(double x, double y, int32_t direction) const;

  std::vector<Source> sources_;
  std::vector<MirrorSegment> segments_;
  std::vector<Saddle> saddles_;
  // The same sources as arrays for the vector sum, and which build of it to take.
  TForceSources arrays_;
  TForcePath path_;
  TLineEscape escape_; // stops lines that cannot come back to the surface
  bool tuned_;         // look for cycles at every step, sum only the near sources one by one
  double stopSquared_;
  TSize surface_;
  uint64_t stepCap_; // 0: the clock's budget
  uint32_t stepLength_;
  long double pixelsPerMetre_;
};
