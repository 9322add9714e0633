#include "model/ChargeDrawing.h"

#include "base/PixelMath.h"
#include "model/Document.h"
#include "model/Field.h"
#include "model/FieldLine.h"
#include "model/ModelHooks.h"

#include <algorithm>
#include <cmath>

void TPointCharge::DrawSelf() {
  TCanvas *canvas = SurfaceCanvas();
  if (canvas == nullptr)
    return;
  canvas->Brush.SetColor(ChargeValue > 0 ? kPositiveFill
                         : ChargeValue < 0 ? kNegativeFill
                                           : kNeutralFill);
  canvas->Pen.Style = TPenStyle::psSolid;
  const bool selected = Charges.At(SelectedChargeIndex()) == this;
  canvas->Pen.Color = selected ? kSelectedOutline : kOutline;
  canvas->Pen.Width = selected ? 2 : 0;

  if (IsSource()) {
    canvas->Ellipse(pixel::Round(X), pixel::Round(Y), pixel::Round(X + 20), pixel::Round(Y + 20));
    return;
  }

  const TPoint c{pixel::Round(X + 10), pixel::Round(Y + 10)};
  canvas->Ellipse(c.X - kTestChargeRadius, c.Y - kTestChargeRadius, c.X + kTestChargeRadius,
                  c.Y + kTestChargeRadius);
  DrawFieldLine(*canvas, kTestChargeLineColor, 0, c.X, c.Y);
  // No force on a charge of value 0; and a zero arrow scale has no arrow length (files with
  // one are refused when loading, so this only guards the division).
  if (ChargeValue == 0 || ArrowScale == 0)
    return;

  TVector v;
  ForceAt(v, c.X, c.Y, ChargeValue);
  v.Scale(static_cast<double>(PixelsPerMetre / ArrowScale)); // N to px of arrow
  canvas->Pen.Width = 2;
  canvas->Pen.Color = ArrowColor;
  canvas->MoveTo(c.X, c.Y);
  const double length = v.Length();
  if (length > kLongestArrow)
    v.Scale(kClampedArrow / length);
  // Rounding saturates each coordinate on its own, which would turn an arrow longer than
  // that limit off its direction; the vector is shortened as a whole instead.
  const double largest = std::max(std::fabs(v.X), std::fabs(v.Y));
  if (largest > static_cast<double>(pixel::kLimit))
    v.Scale(static_cast<double>(pixel::kLimit) / largest);

  const TPoint tip{pixel::Round(v.X) + c.X, pixel::Round(v.Y) + c.Y};
  canvas->LineTo(tip.X, tip.Y);
  const long double a = v.Angle() + kPi + kPi / 8;
  canvas->LineTo(pixel::Round(tip.X + kArrowHeadLength * std::cos(a)),
                 pixel::Round(tip.Y + kArrowHeadLength * std::sin(a)));
  canvas->MoveTo(tip.X, tip.Y);
  const long double b = v.Angle() + kPi - kPi / 8;
  canvas->LineTo(pixel::Round(tip.X + kArrowHeadLength * std::cos(b)),
                 pixel::Round(tip.Y + kArrowHeadLength * std::sin(b)));
}
