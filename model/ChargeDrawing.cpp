#include "model/ChargeDrawing.h"

#include "base/PixelMath.h"
#include "model/Field.h"
#include "model/FieldLine.h"
#include "model/Scene.h"
#include "model/TestChargeFigures.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

void DrawCharge(TCanvas &canvas, const TScene &scene, int index, const TPictureTarget &target,
                const TTestChargeFigures *figures, bool markSelection) {
  const TPointCharge &charge = scene.Charges[index];
  const double x = charge.X;
  const double y = charge.Y;
  const long double value = charge.ChargeValue; // C
  canvas.Brush.SetColor(value > 0 ? kPositiveFill : value < 0 ? kNegativeFill : kNeutralFill);
  canvas.Pen.Style = TPenStyle::psSolid;
  const bool selected = markSelection && scene.Selected == index;
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
  canvas.Pen.Width = 2;
  canvas.Pen.Color = scene.ArrowColor;
  canvas.BeginFigure();
  canvas.MoveTo(c.X, c.Y);
  // Rounding saturates each coordinate on its own, which would turn an arrow longer than
  // that limit off its direction; the vector is shortened as a whole instead.
  const double largest = std::max(std::fabs(v.X), std::fabs(v.Y));
  if (largest > static_cast<double>(pixel::kLimit))
    v.Scale(static_cast<double>(pixel::kLimit) / largest);

  const TPoint tip{pixel::Round(v.X) + c.X, pixel::Round(v.Y) + c.Y};
  canvas.LineTo(tip.X, tip.Y);
  const long double a = v.Angle() + kPi + kPi / 8;
  canvas.LineTo(pixel::Round(tip.X + kArrowHeadLength * std::cos(a)),
                pixel::Round(tip.Y + kArrowHeadLength * std::sin(a)));
  canvas.MoveTo(tip.X, tip.Y);
  const long double b = v.Angle() + kPi - kPi / 8;
  canvas.LineTo(pixel::Round(tip.X + kArrowHeadLength * std::cos(b)),
                pixel::Round(tip.Y + kArrowHeadLength * std::sin(b)));
  canvas.EndFigure();
}
