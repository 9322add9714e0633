#include "model/FrameComposer.h"

#include "base/PixelMath.h"
#include "display/Sprite.h"
#include "model/Background.h"
#include "model/Document.h"

void DrawFrameMarks(TCanvas &canvas, const TDocument &document, const TPointCharge *pathStart,
                    const TPointCharge *pathEnd) {
  const TPoint origin = document.Origin;

  canvas.Pen.Color = kOriginCrossColor;
  canvas.Pen.Width = 0;
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.MoveTo(pixel::Offset(origin.X, -kOriginCrossHalf), origin.Y);
  canvas.LineTo(pixel::Offset(origin.X, kOriginCrossHalf), origin.Y);
  canvas.MoveTo(origin.X, pixel::Offset(origin.Y, -kOriginCrossHalf));
  canvas.LineTo(origin.X, pixel::Offset(origin.Y, kOriginCrossHalf));

  if (pathStart != nullptr && pathEnd != nullptr) {
    canvas.Pen.Style = TPenStyle::psDash;
    canvas.Pen.Color = kVoltagePathColor;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.MoveTo(pixel::Round(pathStart->X + kChargeHalfSize),
                  pixel::Round(pathStart->Y + kChargeHalfSize));
    canvas.LineTo(pixel::Round(pathEnd->X + kChargeHalfSize),
                  pixel::Round(pathEnd->Y + kChargeHalfSize));
    canvas.Pen.Style = TPenStyle::psSolid;
  }
}

void ComposeFrame(TCanvas &canvas, const TDocument &document, TSpriteEngine &engine,
                  const TPointCharge *pathStart, const TPointCharge *pathEnd) {
  if (Background)
    canvas.Draw(0, 0, Background->Image());
  DrawFrameMarks(canvas, document, pathStart, pathEnd);
  engine.Draw();
}
