#include "model/FrameComposer.h"

#include "base/PixelMath.h"
#include "display/Sprite.h"
#include "model/ParticleDrawing.h"
#include "model/Scene.h"

void DrawFrameMarks(TCanvas &canvas, const TScene &scene) {
  const TPointCharge *pathStart = scene.VoltageStart();
  const TPointCharge *pathEnd = scene.VoltageEnd();
  const TPoint origin = scene.Origin;

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

void ComposeUnderCharges(TCanvas &canvas, const TFrameInputs &frame) {
  if (frame.Background != nullptr)
    canvas.Draw(0, 0, frame.Background->Image());
  DrawFrameMarks(canvas, *frame.Scene);
}

void ComposeOverCharges(TCanvas &canvas, const TFrameInputs &frame) {
  static const std::vector<TParticleTrail> kNoTrails;
  DrawParticles(canvas, *frame.Scene, frame.Particles != nullptr ? *frame.Particles : kNoTrails,
                frame.Target);
}

void ComposeFrame(TCanvas &canvas, const TFrameInputs &frame) {
  ComposeUnderCharges(canvas, frame);
  if (frame.Sprites != nullptr)
    frame.Sprites->Draw({&canvas, frame.Scene, frame.Target, frame.Figures, true});
  ComposeOverCharges(canvas, frame);
}
