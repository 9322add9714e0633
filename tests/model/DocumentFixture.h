#pragma once
// A document in memory: a fresh sprite engine, a 792 by 535 surface, every global reset.

#include "display/Sprite.h"
#include "model/Document.h"
#include "model/ModelHooks.h"

#include <gtest/gtest.h>

#include <memory>

class DocumentTest : public ::testing::Test {
protected:
  void SetUp() override {
    engine = std::make_unique<TSpriteEngine>();
    TModelHooks hooks;
    hooks.Engine = engine.get();
    hooks.SurfaceSize = [this] { return surfaceSize; };
    InstallModelHooks(std::move(hooks));
    ResetDocumentGlobals();
  }
  void TearDown() override {
    FreeCharges(true);
    InstallModelHooks({});
  }

  // Appends a charge with its centre at the screen pixel (cx, cy).
  TPointCharge *AddCharge(long double cx, long double cy, long double value,
                          bool testCharge = false, uint32_t lines = 16) {
    auto charge = std::make_unique<TPointCharge>();
    charge->X = static_cast<double>(cx - 10);
    charge->Y = static_cast<double>(cy - 10);
    charge->ChargeValue = value;
    charge->IsTestCharge = testCharge;
    charge->FieldLineCount = lines;
    return Charges.Add(std::move(charge));
  }

  std::unique_ptr<TSpriteEngine> engine;
  TSize surfaceSize{792, 535};
};
