#pragma once
// A scene in memory with the view a new project has on a 792 by 535 surface: origin at its
// centre, 100 % zoom.

#include "model/Scene.h"
#include "model/ViewLimits.h"

#include <gtest/gtest.h>

class DocumentTest : public ::testing::Test {
protected:
  DocumentTest() {
    scene.Origin = {396, 267};
    scene.PixelsPerMetre = DefaultPixelsPerMetre();
  }

  // Appends a charge with its centre at the screen pixel (cx, cy); answers its index.
  int AddCharge(long double cx, long double cy, long double value, bool testCharge = false,
                uint32_t lines = 16) {
    TPointCharge charge;
    charge.X = static_cast<double>(cx - kChargeHalfSize);
    charge.Y = static_cast<double>(cy - kChargeHalfSize);
    charge.ChargeValue = value;
    charge.IsTestCharge = testCharge;
    charge.FieldLineCount = lines;
    scene.Charges.Add(charge);
    return scene.Charges.Count() - 1;
  }

  TScene scene;
  TSize surfaceSize{792, 535};
};
