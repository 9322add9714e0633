#include "model/ChargeDrawing.h"

#include "base/PixelMath.h"
#include "model/Field.h"
#include "model/FieldLine.h"
#include "model/Scene.h"
#include "model/TestChargeFigures.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>

void DrawCharge(TCanvas &canvas, const TScene &scene, int index, const TPictureTarget &target,
                const TTestChargeFigures *figures, bool markSelection) {
  const TPointCharge &charge = scene.Charges[index];
  const double x = charge.X;
  const double y = charge.Y;
  const long double value = charge.ChargeValue; // C
  canvas.Brush.SetColor(value > 0 ? kPositiveFill : value < 0 ? kNegativeFill : kNeutralFill);
  canvas.Pen.Style = TPenStyle::psSolid;
  const bool selected = markSelection && scene.IsSelected(index);
  canvas.Pen.Color = selected ? kSelectedOutline : kOutline;
  canvas.Pen.Width = selected ? 2 : 0;

  if (charge.IsSource()) {
    canvas.Ellipse(pixel::Round(x), pixel::Round(y), pixel::Round(x + 2 * kChargeHalfSize),
                   pixel::Round(y + 2 * kChargeHalfSize));
    return;
  }

  const TPoint c{pixel::Round(x + kChargeHalfSize), pixel::Round(y + kChargeHalfSize)};
  canvas.Ellipse(c.X - kTestChargeRadius, c.Y - kTestChargeRadius, c.X + kTestChargeRadius,
                 c.Y + kTestChargeRadius);
  const TTestChargeFigure *figure = nullptr;
  if (figures != nullptr && figures->Active) {
    // Too costly for a frame: the figure of the last finished background, or the disc alone.
    figure = figures->Find(index, charge);
    if (figure == nullptr)
      return;
    canvas.Pen.Width = 0;
    canvas.Pen.Color = kTestChargeLineColor;
    for (const TPolyline &half : figure->Halves)
      half.DrawOn(canvas);
  } else {
    DrawFieldLine(scene, canvas, kTestChargeLineColor, target, 0, c.X, c.Y);
  }
  // No force on a charge of value 0; and a zero arrow scale has no arrow length (files with
  // one are refused when loading, so this only guards the division).
  if (value == 0 || scene.ArrowScale == 0)
    return;

  TVector v;
  if (figure != nullptr)
    v = figure->Force;
  else
    ForceAt(scene, v, c.X, c.Y, value);
  const TForceArrow arrow = ForceArrowOf(scene, v, c);
  canvas.Pen.Width = 2;
  canvas.Pen.Color = scene.ArrowColor;
  canvas.BeginFigure();
  canvas.MoveTo(c.X, c.Y);
  canvas.LineTo(arrow.Tip.X, arrow.Tip.Y);
  canvas.LineTo(arrow.Wings[0].X, arrow.Wings[0].Y);
  canvas.MoveTo(arrow.Tip.X, arrow.Tip.Y);
  canvas.LineTo(arrow.Wings[1].X, arrow.Wings[1].Y);
  canvas.EndFigure();
}

TForceArrow ForceArrowOf(const TScene &scene, TVector v, TPoint c) {
  const long double arrowFactor = scene.PixelsPerMetre / scene.ArrowScale; // N to px
  if (static_cast<long double>(v.Length()) * arrowFactor > DBL_MAX) {
    // A strong force at a large factor would overflow the double: clamped at once.
    v.SetLength(kClampedArrow);
  } else {
    v.Scale(static_cast<double>(arrowFactor));
    const double length = v.Length();
    if (length > kLongestArrow)
      v.Scale(kClampedArrow / length);
  }
  // Rounding saturates each coordinate on its own, which would turn an arrow longer than
  // that limit off its direction; the vector is shortened as a whole instead.
  const double largest = std::max(std::fabs(v.X), std::fabs(v.Y));
  if (largest > static_cast<double>(pixel::kLimit))
    v.Scale(static_cast<double>(pixel::kLimit) / largest);

  TForceArrow arrow;
  arrow.Tip = {pixel::Round(v.X) + c.X, pixel::Round(v.Y) + c.Y};
  const long double a = v.Angle() + kPi + kPi / 8;
  arrow.Wings[0] = {pixel::Round(arrow.Tip.X + kArrowHeadLength * std::cos(a)),
                    pixel::Round(arrow.Tip.Y + kArrowHeadLength * std::sin(a))};
  const long double b = v.Angle() + kPi - kPi / 8;
  arrow.Wings[1] = {pixel::Round(arrow.Tip.X + kArrowHeadLength * std::cos(b)),
                    pixel::Round(arrow.Tip.Y + kArrowHeadLength * std::sin(b))};
  return arrow;
}

namespace {

// Grows a box of pixel positions, kept in 64 bits so that the margin never overflows.
struct TExtent {
  int64_t Left = INT64_MAX, Top = INT64_MAX, Right = INT64_MIN, Bottom = INT64_MIN;
  void Add(int64_t x, int64_t y) {
    Left = std::min(Left, x);
    Top = std::min(Top, y);
    Right = std::max(Right, x);
    Bottom = std::max(Bottom, y);
  }
  // The outlines and 2 px pens of the charges stay inside their coordinates' box (the frame
  // tests check every kind of charge); the margin keeps a wider pen's edge inside as well.
  TRect Inflated() const {
    constexpr int64_t margin = 2;
    const auto clamp = [](int64_t v) {
      return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    };
    return {clamp(Left - margin), clamp(Top - margin), clamp(Right + margin + 1),
            clamp(Bottom + margin + 1)};
  }
};

} // namespace

bool TChargeFootprint::Overlaps(const TRect &box) const {
  if (!::Overlaps(Whole, box))
    return false;
  return Pieces.empty() || std::any_of(Pieces.begin(), Pieces.end(),
                                       [&box](const TRect &r) { return ::Overlaps(r, box); });
}

TChargeFootprint ChargeFootprintOf(const TScene &scene, int index,
                                   const TTestChargeFigure *figure) {
  const TPointCharge &charge = scene.Charges[index];
  TExtent whole;
  if (charge.IsSource()) {
    whole.Add(pixel::Round(charge.X), pixel::Round(charge.Y));
    whole.Add(pixel::Round(charge.X + 2 * kChargeHalfSize),
              pixel::Round(charge.Y + 2 * kChargeHalfSize));
    return {whole.Inflated(), {}};
  }
  TChargeFootprint result;
  const auto piece = [&result, &whole](const TExtent &part) {
    if (part.Left > part.Right)
      return;
    result.Pieces.push_back(part.Inflated());
    whole.Add(part.Left, part.Top);
    whole.Add(part.Right, part.Bottom);
  };
  const TPoint c{pixel::Round(charge.X + kChargeHalfSize),
                 pixel::Round(charge.Y + kChargeHalfSize)};
  TExtent disc;
  disc.Add(int64_t{c.X} - kTestChargeRadius, int64_t{c.Y} - kTestChargeRadius);
  disc.Add(int64_t{c.X} + kTestChargeRadius, int64_t{c.Y} + kTestChargeRadius);
  piece(disc);
  if (figure != nullptr) {
    // A line in short runs, each sharing its first point with the run before, so that a
    // small box meets only the runs that pass it.
    constexpr size_t kRun = 32;
    for (const TPolyline &half : figure->Halves) {
      const auto &ops = half.Ops();
      for (size_t from = 0; from < ops.size(); from += kRun) {
        TExtent run;
        const size_t first = from == 0 ? 0 : from - 1;
        for (size_t i = first; i < std::min(ops.size(), from + kRun); ++i)
          run.Add(ops[i].X, ops[i].Y);
        piece(run);
      }
    }
    if (charge.ChargeValue != 0 && scene.ArrowScale != 0) {
      const TForceArrow arrow = ForceArrowOf(scene, figure->Force, c);
      TExtent shaft;
      shaft.Add(c.X, c.Y);
      shaft.Add(arrow.Tip.X, arrow.Tip.Y);
      piece(shaft);
      TExtent head;
      head.Add(arrow.Tip.X, arrow.Tip.Y);
      for (const TPoint &wing : arrow.Wings)
        head.Add(wing.X, wing.Y);
      piece(head);
    }
  }
  result.Whole = whole.Inflated();
  return result;
}
