#include "DocumentFixture.h"

#include <cmath>

namespace {

using ViewStateTest = DocumentTest;

TEST_F(ViewStateTest, InitialValuesAndNewProjectView) {
  EXPECT_EQ(ArrowScale, 1e-23L);
  EXPECT_EQ(ArrowColor, 0x0000A609u);
  EXPECT_EQ(StepLength, 3u);
  EXPECT_TRUE(ShowCursorLine);
  EXPECT_FALSE(TheDocument().Modified());
  EXPECT_EQ(Origin, (TPoint{396, 267}));
  EXPECT_EQ(PixelsPerMetre, 96 / 0.0254L);

  // A new document restores scale, zoom and origin but not colour, step or cursor line.
  ArrowColor = 0xFF;
  StepLength = 7;
  ShowCursorLine = false;
  ArrowScale = 5;
  PixelsPerMetre = 2;
  surfaceSize = {101, 51};
  TheDocument().New(surfaceSize);
  EXPECT_EQ(Origin, (TPoint{50, 25}));
  EXPECT_EQ(ArrowScale, 1e-23L);
  EXPECT_EQ(PixelsPerMetre, 96 / 0.0254L);
  EXPECT_EQ(ArrowColor, 0xFFu);
  EXPECT_EQ(StepLength, 7u);
  EXPECT_FALSE(ShowCursorLine);
}

TEST_F(ViewStateTest, NewChargeIsZeroedTwentyPixelSpriteInTheEngine) {
  TPointCharge charge;
  EXPECT_EQ(charge.Width, 20);
  EXPECT_EQ(charge.Height, 20);
  EXPECT_EQ(charge.ChargeValue, 0);
  EXPECT_EQ(charge.FieldLineCount, 0u);
  EXPECT_FALSE(charge.IsTestCharge);
  EXPECT_EQ(charge.ChargeUnit, 0);
  EXPECT_EQ(charge.Engine(), engine.get());
}

TEST_F(ViewStateTest, PixelMetreConversions) {
  auto *atOrigin = AddCharge(Origin.X, Origin.Y, 1e-9L);
  EXPECT_EQ(atOrigin->X, Origin.X - 10);
  EXPECT_EQ(ChargeWorldPosition(*atOrigin).X, 0);
  EXPECT_EQ(ChargeWorldPosition(*atOrigin).Y, 0);

  auto *right = AddCharge(Origin.X + 100, Origin.Y - 50, 1e-9L);
  const TWorldPoint w = ChargeWorldPosition(*right);
  EXPECT_NEAR(static_cast<double>(w.X), 0.0264583333, 1e-9);
  EXPECT_NEAR(static_cast<double>(w.Y), 0.0132291667, 1e-9); // world y grows upwards

  TheDocument().ApplyCharge(*right, {-0.01L, -0.02L, 1e-9L, 1, 16, false});
  const TWorldPoint back = ChargeWorldPosition(*right);
  EXPECT_NEAR(static_cast<double>(back.X), -0.01, 1e-15);
  EXPECT_NEAR(static_cast<double>(back.Y), -0.02, 1e-15);
  EXPECT_GT(right->Y + 10, Origin.Y); // below the origin on the screen
}

TEST_F(ViewStateTest, ShiftViewMovesChargesAndKeepsWorldPositions) {
  auto *a = AddCharge(100.25L, 200, 1e-9L);
  auto *b = AddCharge(-3000, 9000, -1e-9L);
  const TWorldPoint wa = ChargeWorldPosition(*a);
  const TWorldPoint wb = ChargeWorldPosition(*b);

  ShiftView(Origin.X, Origin.Y);
  EXPECT_EQ(a->X, 90.25);

  const TPoint before = Origin;
  ShiftView(Origin.X + 5, Origin.Y - 3);
  EXPECT_EQ(Origin, (TPoint{before.X + 5, before.Y - 3}));
  EXPECT_EQ(a->X, 95.25);
  EXPECT_EQ(a->Y, 187);
  EXPECT_EQ(b->X, -3005);
  for (const auto &[charge, world] : {std::pair{a, wa}, {b, wb}}) {
    EXPECT_NEAR(static_cast<double>(ChargeWorldPosition(*charge).X), static_cast<double>(world.X),
                1e-15);
    EXPECT_NEAR(static_cast<double>(ChargeWorldPosition(*charge).Y), static_cast<double>(world.Y),
                1e-15);
  }
}

TEST_F(ViewStateTest, FreeChargesEmptiesTheListAndTheEngine) {
  AddCharge(10, 10, 1);
  AddCharge(20, 20, 0); // a zero charge is a charge like any other
  EXPECT_EQ(Charges.Count(), 2);
  EXPECT_EQ(engine->Children().size(), 2u);
  FreeCharges(false);
  EXPECT_TRUE(Charges.Empty());
  EXPECT_TRUE(engine->Children().empty());
  auto *again = AddCharge(30, 30, 1);
  EXPECT_EQ(Charges.IndexOf(again), 0);
  EXPECT_EQ(engine->SpriteAt(30, 30), again);
  FreeCharges(true);
  EXPECT_TRUE(Charges.Empty());
  EXPECT_EQ(engine->SpriteAt(30, 30), nullptr);
}

TEST_F(ViewStateTest, DeleteKeepsTheOrderOfTheOthers) {
  auto *a = AddCharge(10, 10, 1);
  AddCharge(20, 20, 1);
  auto *c = AddCharge(30, 30, 1);
  Charges.Delete(1);
  EXPECT_EQ(Charges.Count(), 2);
  EXPECT_EQ(Charges[0], a);
  EXPECT_EQ(Charges[1], c);
  EXPECT_EQ(engine->Children().size(), 2u);
}

} // namespace
