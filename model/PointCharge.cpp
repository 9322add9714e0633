#include "model/PointCharge.h"

#include "model/ChargeDrawing.h"
#include "model/Document.h"
#include "model/ModelHooks.h"

TPointCharge::TPointCharge() : TSprite(ModelHooks().Engine) {
  Width = 2 * kChargeHalfSize;
  Height = 2 * kChargeHalfSize;
}

void TPointCharge::DrawSelf() {
  if (TCanvas *canvas = SurfaceCanvas())
    DrawCharge(*canvas, TheDocument(), *this);
}
