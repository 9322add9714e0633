#include "model/Background.h"

#include "base/PixelMath.h"
#include "base/Seams.h"
#include "model/Document.h"
#include "model/FieldLineTracer.h"
#include "model/ModelHooks.h"
#include "model/NumberText.h"
#include "model/PotentialDrawing.h"
#include "model/Vector.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

std::unique_ptr<TBitmap> Background;

namespace {

std::atomic<unsigned> backgroundThreads{0};

// Fills the area (with the potential map when there is one) and draws the axes with their
// scale.
void DrawAxesAndScale(const TDocument &document, TCanvas &canvas, TSize size, const TRect &fill,
                      const TPotentialGrid *map = nullptr) {
  const TPoint origin = document.Origin;
  const int width = size.Width;
  const int height = size.Height;
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
  canvas.Pen.Width = 0;
  canvas.MoveTo(0, origin.Y);
  canvas.LineTo(width, origin.Y);
  canvas.MoveTo(origin.X, 0);
  canvas.LineTo(origin.X, height);

  canvas.Font.Size = 8;
  canvas.Font.Name = LabelFontName();

  const TTickScale scale = TickScale(document);
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
std::vector<TTraceJob> LineStarts(const TDocument &document) {
  std::vector<TTraceJob> starts;
  const long double radius = FieldLineRadius(document);
  for (const auto &c : document.Charges) {
    if (!c->IsSource() || c->ChargeValue == 0)
      continue;
    const int32_t direction = Sign(c->ChargeValue);
    for (uint32_t i = 0; i < c->FieldLineCount; ++i) {
      const long double theta = static_cast<long double>(i) / c->FieldLineCount * 2 * kPi;
      TTraceJob &job = starts.emplace_back();
      job.Direction = direction;
      job.X = radius * std::cos(theta) + c->X + kChargeHalfSize;
      job.Y = radius * std::sin(theta) + c->Y + kChargeHalfSize;
    }
  }
  return starts;
}

unsigned WorkerCount(size_t lines) {
  unsigned n = backgroundThreads.load();
  if (n == 0)
    n = std::max(1u, std::thread::hardware_concurrency());
  return static_cast<unsigned>(std::min<size_t>(n, std::max<size_t>(lines, 1)));
}

} // namespace

TTickScale TickScale(const TDocument &document) {
  const long double c = seams::ScreenPixelsPerInch() * 0.01L / 0.0254L;
  const long double t = c / document.PixelsPerMetre;
  const long double e = std::nearbyint(std::log10(t)) - 1;
  const long double p = std::pow(10.0L, e);
  const long double spacing = std::nearbyint(static_cast<double>(t / p / 5)) * 5 * p;
  return {spacing, spacing * document.PixelsPerMetre};
}

long double FieldLineRadius(const TDocument &document) {
  return std::max<long double>(document.StepLength + 1, 10);
}

void SetBackgroundThreads(unsigned threads) { backgroundThreads = threads; }

TBackgroundScene TraceBackground(const TDocument &document, TSize area,
                                 const std::atomic<bool> *cancel) {
  TBackgroundScene scene;
  if (document.Potential.AnyShown())
    scene.Grid.emplace(document, area);

  // Trace on all cores, two lines at a time on each, then draw in order, so the picture does
  // not depend on timing.
  scene.Lines = LineStarts(document);
  std::vector<TTraceJob> &jobs = scene.Lines;
  const TFieldLineTracer tracer(document, area);
  std::atomic<size_t> next{0};
  auto work = [&] { tracer.TraceJobs(jobs, next, cancel); };
  const unsigned workers = WorkerCount((jobs.size() + 1) / 2);
  {
    std::vector<std::jthread> pool;
    for (unsigned w = 1; w < workers; ++w)
      pool.emplace_back(work);
    work();
  }
  for (const TTraceJob &job : jobs) {
    scene.Stats.Count(job.End);
    scene.Stats.Steps += job.Steps;
  }
  return scene;
}

void PaintBackground(const TDocument &document, const TBackgroundScene &scene, TCanvas &canvas,
                     TSize area, const TRect &fill) {
  const TPotentialOptions &potential = document.Potential;
  const TPotentialGrid *grid = scene.Grid ? &*scene.Grid : nullptr;
  DrawAxesAndScale(document, canvas, area, fill, potential.Map ? grid : nullptr);
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.Pen.Color = kBackgroundLineColor;
  canvas.Pen.Width = 0;
  for (const TTraceJob &job : scene.Lines)
    job.Line.DrawOn(canvas);
  // Equipotentials cross the field lines on top, so that their labels stay whole.
  if (grid != nullptr) {
    DrawEquipotentials(document, *grid, potential, canvas);
    if (potential.Map)
      DrawPotentialLegend(*grid, canvas);
  }
}

TTraceStats DrawBackgroundOn(const TDocument &document, TBitmap &bitmap, TSize area) {
  const TBackgroundScene scene = TraceBackground(document, area);
  PaintBackground(document, scene, bitmap.Canvas(), area, BitmapRect(bitmap));
  return scene.Stats;
}

TTraceStats DrawBackground(const TDocument &document) {
  if (!Background)
    return {};
  return DrawBackgroundOn(document, *Background, SurfaceSize());
}

TTraceStats DrawBackgroundReference(const TDocument &document) {
  if (!Background)
    return {};
  TCanvas &canvas = Background->Canvas();
  DrawAxesAndScale(document, canvas, SurfaceSize(), BitmapRect(*Background));
  TTraceStats total;
  for (const TTraceJob &s : LineStarts(document))
    total.Add(
        DrawFieldLineReference(document, canvas, kBackgroundLineColor, s.Direction, s.X, s.Y));
  return total;
}
