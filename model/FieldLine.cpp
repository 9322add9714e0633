#include "model/FieldLine.h"

#include "base/PixelMath.h"
#include "base/Seams.h"
#include "model/Field.h"
#include "model/FieldLineTracer.h"
#include "model/Scene.h"

#include <atomic>
#include <cmath>
#include <memory>

namespace {

void SetLinePen(TCanvas &canvas, TColor color) {
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.Pen.Color = color;
  canvas.Pen.Width = 0;
}

TTraceStats FastHalf(const TFieldLineTracer &tracer, TCanvas &canvas, TColor color,
                     int32_t direction, long double x, long double y) {
  SetLinePen(canvas, color);
  TPolyline line;
  TTraceStats stats;
  stats.Count(tracer.TraceHalf(direction, x, y, line, stats.Steps));
  line.DrawOn(canvas);
  return stats;
}

TTraceStats ReferenceHalf(const TScene &scene, TCanvas &canvas, TColor color,
                          const TPictureTarget &target, int32_t direction, long double x,
                          long double y) {
  const TSize size = target.Area;
  SetLinePen(canvas, color);
  const auto v = std::make_unique<TVector>();
  canvas.MoveTo(pixel::Round(x), pixel::Round(y));
  const uint64_t cap = target.Trace.StepCap;
  const uint32_t t0 = seams::GetTickCount();
  TTraceStats stats;
  const auto end = [&stats](TTraceEnd how) {
    stats.Count(how);
    return stats;
  };
  for (;;) {
    if (!(x >= -kTraceMargin && x <= size.Width + kTraceMargin))
      return end(TTraceEnd::LeftBox);
    if (!(y >= -kTraceMargin && y <= size.Height + kTraceMargin))
      return end(TTraceEnd::LeftBox);
    if (cap != 0 ? stats.Steps >= cap : seams::GetTickCount() - t0 >= kTraceBudgetMs)
      return end(TTraceEnd::Budget);
    for (const auto &c : scene.Charges) {
      if (!c.IsSource() || c.ChargeValue == 0)
        continue;
      const long double dx = x - c.CenterX();
      const long double dy = y - c.CenterY();
      if (std::sqrt(dx * dx + dy * dy) <= scene.StepLength)
        return end(TTraceEnd::ReachedCharge);
    }
    ForceAt(scene, *v, x, y, direction);
    v->SetLength(scene.StepLength);
    x += v->X;
    y += v->Y;
    ++stats.Steps;
    canvas.LineTo(pixel::Round(x), pixel::Round(y));
  }
}

template <typename Half>
TTraceStats BothWays(Half half, TCanvas &canvas, TColor color, int32_t direction, long double x,
                     long double y) {
  if (direction != 0)
    return half(canvas, color, direction, x, y);
  TTraceStats stats = half(canvas, color, -1, x, y);
  stats.Add(half(canvas, color, +1, x, y));
  return stats;
}

} // namespace

TTraceStats DrawFieldLine(const TScene &scene, TCanvas &canvas, TColor color,
                          const TPictureTarget &target, int32_t direction, long double x,
                          long double y) {
  // One snapshot of the sources serves both halves; drawing changes no charge.
  const TFieldLineTracer tracer(scene, target);
  const auto half = [&tracer](TCanvas &c, TColor colour, int32_t d, long double px,
                              long double py) { return FastHalf(tracer, c, colour, d, px, py); };
  return BothWays(half, canvas, color, direction, x, y);
}

TTraceStats DrawFieldLineReference(const TScene &scene, TCanvas &canvas, TColor color,
                                   const TPictureTarget &target, int32_t direction, long double x,
                                   long double y) {
  const auto half = [&scene, &target](TCanvas &c, TColor colour, int32_t d, long double px,
                                      long double py) {
    return ReferenceHalf(scene, c, colour, target, d, px, py);
  };
  return BothWays(half, canvas, color, direction, x, y);
}
