#include "model/FrameComposer.h"

#include "base/PixelMath.h"
#include "display/Sprite.h"
#include "model/Background.h"
#include "model/Document.h"

void ComposeFrame(TCanvas &canvas, TSpriteEngine &engine, const TPointCharge *pathStart,
                  const TPointCharge *pathEnd) {
  if (Background)
    canvas.Draw(0, 0, Background->Image());

  canvas.Pen.Color = kOriginCrossColor;
  canvas.Pen.Width = 0;
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.MoveTo(pixel::Offset(Origin.X, -kOriginCrossHalf), Origin.Y);
  canvas.LineTo(pixel::Offset(Origin.X, kOriginCrossHalf), Origin.Y);
  canvas.MoveTo(Origin.X, pixel::Offset(Origin.Y, -kOriginCrossHalf));
  canvas.LineTo(Origin.X, pixel::Offset(Origin.Y, kOriginCrossHalf));

  if (pathStart != nullptr && pathEnd != nullptr) {
    canvas.Pen.Style = TPenStyle::psDash;
    canvas.Pen.Color = kVoltagePathColor;
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.MoveTo(pixel::Round(pathStart->X + 10), pixel::Round(pathStart->Y + 10));
    canvas.LineTo(pixel::Round(pathEnd->X + 10), pixel::Round(pathEnd->Y + 10));
    canvas.Pen.Style = TPenStyle::psSolid;
  }

  engine.Draw();
}
