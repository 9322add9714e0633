#include "model/PointCharge.h"

#include "model/ChargeDrawing.h"
#include "model/Document.h"
#include "model/ModelHooks.h"

TPointCharge::TPointCharge() : TPointCharge(ModelHooks().Engine) {}

TPointCharge::TPointCharge(TSprite *parent) : TSprite(parent) {
  Width = 2 * kChargeHalfSize;
  Height = 2 * kChargeHalfSize;
}

void TPointCharge::DrawSelf() {
  if (TCanvas *canvas = SurfaceCanvas())
    DrawCharge(*canvas, TheDocument(), *this);
}
