#include "model/Background.h"

#include "base/PixelMath.h"
#include "base/Seams.h"
#include "model/AccurateTracer.h"
#include "model/FieldLineArrows.h"
#include "model/FieldLineTracer.h"
#include "model/NumberText.h"
#include "model/PotentialDrawing.h"
#include "model/ProportionalLines.h"
#include "model/Scene.h"
#include "model/Vector.h"
#include "model/ZeroFieldPoints.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <iterator>
#include <optional>
#include <thread>
#include <vector>

namespace {

// The canvas's pen width for the style's lines: 0 is the one-pixel pen.
int PenWidth(const TPictureStyle &style) { return style.LineWidth > 1 ? style.LineWidth : 0; }

// Draws a stepped line with a wide pen as one figure: segment by segment, a wide pen would
// paint every joint twice and take a painter per step.
void DrawWide(const TPolyline &line, TCanvas &canvas) {
  std::vector<QPointF> run;
  const auto flush = [&] {
    if (run.size() > 1)
      canvas.FineLine(run);
    run.clear();
  };
  for (const TPolyline::Op &op : line.Ops()) {
    if (op.Move)
      flush();
    run.emplace_back(op.X, op.Y);
  }
  flush();
}

// Fills the area (with the potential map when there is one) and draws the axes with their
// scale.
void DrawAxesAndScale(const TScene &scene, TCanvas &canvas, const TPictureTarget &target,
                      const TRect &fill, const TPotentialGrid *map = nullptr) {
  const TPoint origin = scene.Origin;
  const int width = target.Area.Width;
  const int height = target.Area.Height;
  // The whole bitmap, its last column and row included: a clear-pen rectangle would leave
  // those with the field lines of the previous picture. The brush stays solid white, so the
  // labels get an opaque white cell.
  canvas.Brush.SetColor(kBackgroundColor);
  canvas.Pen.Style = TPenStyle::psClear;
  canvas.FillRect(fill);
  if (map != nullptr)
    PaintPotentialMap(*map, canvas);

  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.Pen.Color = kAxisColor;
  canvas.Pen.Width = PenWidth(target.Style);
  canvas.MoveTo(0, origin.Y);
  canvas.LineTo(width, origin.Y);
  canvas.MoveTo(origin.X, 0);
  canvas.LineTo(origin.X, height);

  canvas.Font.Size = target.Style.LabelSize;
  canvas.Font.Name = target.FontName;

  const TTickScale scale = TickScale(scene);
  const long double d = scale.Pixels;
  const long double i0 = -std::trunc(origin.X / d);
  // In extended precision: an origin from a file may lie anywhere in the 32-bit range.
  const long double i1 = std::trunc((width - static_cast<long double>(origin.X)) / d);
  for (long double i = i0; i <= i1; ++i) {
    const int32_t px = pixel::Round(i * d + origin.X);
    canvas.MoveTo(px, pixel::Offset(origin.Y, -3));
    canvas.LineTo(px, pixel::Offset(origin.Y, 3));
    if (std::fmod(i, 2.0L) == 0) {
      const QString s = FormatLabel(i * scale.Spacing) + QStringLiteral(" m");
      canvas.TextOut(pixel::Offset(px, -canvas.TextWidth(s) / 2), pixel::Offset(origin.Y, 4), s);
    }
  }
  const long double j0 = std::trunc(origin.Y / d);
  const long double j1 = -std::trunc((height - static_cast<long double>(origin.Y)) / d);
  for (long double j = j0; j >= j1; --j) {
    const int32_t py = pixel::Round(origin.Y - j * d);
    canvas.MoveTo(pixel::Offset(origin.X, -3), py);
    canvas.LineTo(pixel::Offset(origin.X, 3), py);
    if (std::fmod(j, 2.0L) == 0 && j != 0) {
      const QString s = FormatLabel(j * scale.Spacing) + QStringLiteral(" m");
      canvas.TextOut(pixel::Offset(origin.X, 4), pixel::Offset(py, -canvas.TextHeight(s) / 2), s);
    }
  }
}

// The whole bitmap, its last column and row included.
TRect BitmapRect(const TBitmap &bitmap) { return {0, 0, bitmap.Width(), bitmap.Height()}; }

// Every line of every source with non-zero charge, in drawing order.
std::vector<TTraceJob> LineStarts(const TScene &scene) {
  std::vector<TTraceJob> starts;
  const long double radius = FieldLineRadius(scene);
  for (const auto &c : scene.Charges) {
    if (!c.IsSource() || c.ChargeValue == 0)
      continue;
    const int32_t direction = Sign(c.ChargeValue);
    for (uint32_t i = 0; i < c.FieldLineCount; ++i) {
      const long double theta = static_cast<long double>(i) / c.FieldLineCount * 2 * kPi;
      TTraceJob &job = starts.emplace_back();
      job.Direction = direction;
      job.X = radius * std::cos(theta) + c.X + kChargeHalfSize;
      job.Y = radius * std::sin(theta) + c.Y + kChargeHalfSize;
    }
  }
  return starts;
}

// A cross of 7 by 7 pixels in the arrow colour at each point.
void DrawZeroPoints(const TScene &scene, const std::vector<TWorldPoint> &points, TCanvas &canvas) {
  constexpr int32_t kArm = 3; // px each side of the centre
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.Pen.Color = scene.ArrowColor;
  canvas.Pen.Width = 0;
  for (const TWorldPoint &point : points) {
    long double x = 0;
    long double y = 0;
    scene.WorldToScreen(point, x, y);
    const int32_t px = pixel::Round(x);
    const int32_t py = pixel::Round(y);
    // LineTo leaves out its end pixel.
    canvas.MoveTo(px - kArm, py);
    canvas.LineTo(px + kArm + 1, py);
    canvas.MoveTo(px, py - kArm);
    canvas.LineTo(px, py + kArm + 1);
  }
}

unsigned WorkerCount(unsigned threads, size_t lines) {
  unsigned n = threads;
  if (n == 0)
    n = std::max(1u, std::thread::hardware_concurrency());
  return static_cast<unsigned>(std::min<size_t>(n, std::max<size_t>(lines, 1)));
}

// The scene's tracer: stepped as the plain picture has it, or to a set accuracy.
class TLineTracing {
public:
  TLineTracing(const TScene &scene, const TPictureTarget &target) : target_(target) {
    if (scene.FieldLines.Accurate)
      accurate_.emplace(scene, target);
    else
      stepped_.emplace(scene, target);
  }

  // Traces the jobs on all cores, the stepped lines two at a time on each.
  void Trace(std::vector<TTraceJob> &jobs, const std::atomic<bool> *cancel) const {
    std::atomic<size_t> next{0};
    auto work = [&] {
      if (accurate_)
        accurate_->TraceJobs(jobs, next, cancel);
      else
        stepped_->TraceJobs(jobs, next, cancel);
    };
    const size_t perWorker = accurate_ ? jobs.size() : (jobs.size() + 1) / 2;
    const unsigned workers = WorkerCount(target_.Trace.Threads, perWorker);
    std::vector<std::jthread> pool;
    for (unsigned w = 1; w < workers; ++w)
      pool.emplace_back(work);
    work();
  }

private:
  const TPictureTarget &target_;
  std::optional<TAccurateTracer> accurate_;
  std::optional<TFieldLineTracer> stepped_;
};

} // namespace

TTickScale TickScale(const TScene &scene) {
  const long double c = seams::ScreenPixelsPerInch() * 0.01L / 0.0254L;
  const long double t = c / scene.PixelsPerMetre;
  const long double e = std::nearbyint(std::log10(t)) - 1;
  const long double p = std::pow(10.0L, e);
  const long double spacing = std::nearbyint(static_cast<double>(t / p / 5)) * 5 * p;
  return {spacing, spacing * scene.PixelsPerMetre};
}

long double FieldLineRadius(const TScene &scene) {
  return std::max<long double>(scene.StepLength + 1, 10);
}

TBackgroundScene TraceBackground(const TScene &scene, const TPictureTarget &target,
                                 const std::atomic<bool> *cancel) {
  TBackgroundScene traced;
  if (scene.Potential.AnyShown())
    traced.Grid.emplace(scene, target.Area);
  if (scene.FieldLines.ZeroPoints)
    traced.ZeroPoints = ZeroFieldPoints(scene, target.Area);

  // Trace on all cores, then draw in order, so the picture does not depend on timing.
  const TLineTracing tracing(scene, target);
  std::vector<TTraceJob> &jobs = traced.Lines;
  if (scene.FieldLines.Proportional) {
    // The lines that end on sources of the other sign decide where those still need lines.
    jobs = ProportionalStarts(scene);
    tracing.Trace(jobs, cancel);
    // Once: a second round moves lines that the first one placed well.
    if (std::vector<TTraceJob> again = RebalancedStarts(scene, jobs); !again.empty()) {
      jobs = std::move(again);
      tracing.Trace(jobs, cancel);
    }
    if (cancel == nullptr || !cancel->load()) {
      std::vector<TTraceJob> missing = MissingLineStarts(scene, jobs);
      tracing.Trace(missing, cancel);
      const size_t first = jobs.size();
      std::move(missing.begin(), missing.end(), std::back_inserter(jobs));
      GiveBackSurplus(scene, jobs, first);
      DropLinesRunningTogether(scene, target.Area, jobs);
    }
  } else {
    jobs = LineStarts(scene);
    tracing.Trace(jobs, cancel);
  }
  for (const TTraceJob &job : jobs) {
    traced.Stats.Count(job.End);
    traced.Stats.Steps += job.Steps;
  }
  return traced;
}

void PaintBackground(const TScene &scene, const TBackgroundScene &traced, TCanvas &canvas,
                     const TPictureTarget &target, const TRect &fill) {
  const TPotentialOptions &potential = scene.Potential;
  const TPotentialGrid *grid = traced.Grid ? &*traced.Grid : nullptr;
  DrawAxesAndScale(scene, canvas, target, fill, potential.Map ? grid : nullptr);
  const TPictureStyle &style = target.Style;
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.Pen.Color = style.FieldLineColor;
  canvas.Pen.Width = PenWidth(style);
  for (const TTraceJob &job : traced.Lines) {
    if (!job.Points.empty())
      canvas.FineLine(job.Points);
    else if (canvas.Pen.Width > 1)
      DrawWide(job.Line, canvas);
    else
      job.Line.DrawOn(canvas);
  }
  canvas.Pen.Width = 0;
  if (scene.FieldLines.Arrows)
    for (const TTraceJob &job : traced.Lines)
      DrawLineArrows(FieldLineArrows(job, target.Area), style.FieldLineColor, canvas);
  // Equipotentials cross the field lines on top, so that their labels stay whole.
  if (grid != nullptr) {
    DrawEquipotentials(scene, *grid, potential, canvas, target.FontName);
    if (potential.Map)
      DrawPotentialLegend(*grid, canvas, target.FontName);
  }
  DrawZeroPoints(scene, traced.ZeroPoints, canvas);
}

TTraceStats DrawBackgroundOn(const TScene &scene, TBitmap &bitmap, const TPictureTarget &target) {
  const TBackgroundScene traced = TraceBackground(scene, target);
  PaintBackground(scene, traced, bitmap.Canvas(), target, BitmapRect(bitmap));
  return traced.Stats;
}

TTraceStats DrawBackgroundReference(const TScene &scene, TBitmap &bitmap,
                                    const TPictureTarget &target) {
  TCanvas &canvas = bitmap.Canvas();
  DrawAxesAndScale(scene, canvas, target, BitmapRect(bitmap));
  TTraceStats total;
  for (const TTraceJob &s : LineStarts(scene))
    total.Add(
        DrawFieldLineReference(scene, canvas, kBackgroundLineColor, target, s.Direction, s.X, s.Y));
  return total;
}
