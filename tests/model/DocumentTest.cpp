#include "DocumentFixture.h"

#include "display/Sprite.h"
#include "model/ChargeSprites.h"
#include "model/Document.h"

#include <cmath>

namespace {

class ViewStateTest : public DocumentTest {
protected:
  TDocument document;
};

TEST_F(ViewStateTest, InitialValuesAndNewProjectView) {
  document.ResetAll(surfaceSize);
  const TScene &now = document.Scene();
  EXPECT_EQ(now.ArrowScale, 1e-23L);
  EXPECT_EQ(now.ArrowColor, 0x0000A609u);
  EXPECT_EQ(now.StepLength, 3u);
  EXPECT_TRUE(now.ShowCursorLine);
  EXPECT_FALSE(document.Modified());
  EXPECT_EQ(now.Origin, (TPoint{396, 267}));
  EXPECT_EQ(now.PixelsPerMetre, 96 / 0.0254L);

  // A new document restores scale, zoom and origin but not colour, step or cursor line.
  scene.ArrowColor = 0xFF;
  scene.StepLength = 7;
  scene.ShowCursorLine = false;
  scene.ArrowScale = 5;
  scene.PixelsPerMetre = 2;
  document.Reset(scene);
  document.New({101, 51});
  EXPECT_EQ(now.Origin, (TPoint{50, 25}));
  EXPECT_EQ(now.ArrowScale, 1e-23L);
  EXPECT_EQ(now.PixelsPerMetre, 96 / 0.0254L);
  EXPECT_EQ(now.ArrowColor, 0xFFu);
  EXPECT_EQ(now.StepLength, 7u);
  EXPECT_FALSE(now.ShowCursorLine);
}

TEST_F(ViewStateTest, NewChargeIsZeroedTwentyPixelSpriteInTheEngine) {
  const TPointCharge charge;
  EXPECT_EQ(charge.CenterX(), 10);
  EXPECT_EQ(charge.CenterY(), 10);
  EXPECT_EQ(charge.ChargeValue, 0);
  EXPECT_EQ(charge.FieldLineCount, 0u);
  EXPECT_FALSE(charge.IsTestCharge);
  EXPECT_EQ(charge.ChargeUnit, 0);

  // Its sprite is 20 px square from its corner; the mouse hits it on both edges.
  scene.Charges.Add({100, 50, 1e-9L, 16, false, 0});
  TSpriteEngine engine;
  TChargeSprites sprites(engine);
  sprites.Rebuild(scene);
  EXPECT_EQ(engine.Children().size(), 1u);
  EXPECT_EQ(sprites.ChargeAt(scene, 100, 50), 0);
  EXPECT_EQ(sprites.ChargeAt(scene, 120, 70), 0);
  EXPECT_EQ(sprites.ChargeAt(scene, 121, 60), -1);
  EXPECT_EQ(sprites.ChargeAt(scene, 110, 71), -1);
  EXPECT_EQ(sprites.ChargeAt(scene, 99, 60), -1);
}

TEST_F(ViewStateTest, PixelMetreConversions) {
  const int atOrigin = AddCharge(scene.Origin.X, scene.Origin.Y, 1e-9L);
  const int right = AddCharge(scene.Origin.X + 100, scene.Origin.Y - 50, 1e-9L);
  document.Reset(scene);
  const TScene &now = document.Scene();
  EXPECT_EQ(now.Charges[atOrigin].X, now.Origin.X - 10);
  EXPECT_EQ(now.ChargeWorldPosition(now.Charges[atOrigin]).X, 0);
  EXPECT_EQ(now.ChargeWorldPosition(now.Charges[atOrigin]).Y, 0);

  const TWorldPoint w = now.ChargeWorldPosition(now.Charges[right]);
  EXPECT_NEAR(static_cast<double>(w.X), 0.0264583333, 1e-9);
  EXPECT_NEAR(static_cast<double>(w.Y), 0.0132291667, 1e-9); // world y grows upwards

  document.ApplyCharge(right, {-0.01L, -0.02L, 1e-9L, 1, 16, false});
  const TWorldPoint back = now.ChargeWorldPosition(now.Charges[right]);
  EXPECT_NEAR(static_cast<double>(back.X), -0.01, 1e-15);
  EXPECT_NEAR(static_cast<double>(back.Y), -0.02, 1e-15);
  EXPECT_GT(now.Charges[right].Y + 10, now.Origin.Y); // below the origin on the screen
}

TEST_F(ViewStateTest, ShiftViewMovesChargesAndKeepsWorldPositions) {
  const int a = AddCharge(100.25L, 200, 1e-9L);
  const int b = AddCharge(-3000, 9000, -1e-9L);
  const TWorldPoint wa = scene.ChargeWorldPosition(scene.Charges[a]);
  const TWorldPoint wb = scene.ChargeWorldPosition(scene.Charges[b]);

  scene.ShiftView(scene.Origin.X, scene.Origin.Y);
  EXPECT_EQ(scene.Charges[a].X, 90.25);

  const TPoint before = scene.Origin;
  scene.ShiftView(scene.Origin.X + 5, scene.Origin.Y - 3);
  EXPECT_EQ(scene.Origin, (TPoint{before.X + 5, before.Y - 3}));
  EXPECT_EQ(scene.Charges[a].X, 95.25);
  EXPECT_EQ(scene.Charges[a].Y, 187);
  EXPECT_EQ(scene.Charges[b].X, -3005);
  for (const auto &[index, world] : {std::pair{a, wa}, {b, wb}}) {
    const TWorldPoint now = scene.ChargeWorldPosition(scene.Charges[index]);
    EXPECT_NEAR(static_cast<double>(now.X), static_cast<double>(world.X), 1e-15);
    EXPECT_NEAR(static_cast<double>(now.Y), static_cast<double>(world.Y), 1e-15);
  }
}

TEST_F(ViewStateTest, ClearedChargesLeaveNoSpriteInTheEngine) {
  TSpriteEngine engine;
  TChargeSprites sprites(engine);
  AddCharge(10, 10, 1);
  AddCharge(20, 20, 0); // a zero charge is a charge like any other
  sprites.Rebuild(scene);
  EXPECT_EQ(scene.Charges.Count(), 2);
  EXPECT_EQ(engine.Children().size(), 2u);
  scene.Charges.Clear();
  sprites.Rebuild(scene);
  EXPECT_TRUE(engine.Children().empty());
  const int again = AddCharge(30, 30, 1);
  EXPECT_EQ(again, 0);
  sprites.Insert(again);
  EXPECT_EQ(sprites.ChargeAt(scene, 30, 30), again);
  scene.Charges.Clear();
  sprites.Remove(again);
  EXPECT_TRUE(engine.Children().empty());
  EXPECT_EQ(sprites.ChargeAt(scene, 30, 30), -1);
}

TEST_F(ViewStateTest, DeleteKeepsTheOrderOfTheOthersAndTheirSprites) {
  TSpriteEngine engine;
  TChargeSprites sprites(engine);
  AddCharge(10, 10, 1);
  AddCharge(20, 20, 2);
  AddCharge(30, 30, 3);
  sprites.Rebuild(scene);
  const TPointCharge a = scene.Charges[0];
  const TPointCharge c = scene.Charges[2];
  scene.Charges.Delete(1);
  sprites.Remove(1);
  EXPECT_EQ(scene.Charges.Count(), 2);
  EXPECT_EQ(scene.Charges[0], a);
  EXPECT_EQ(scene.Charges[1], c);
  EXPECT_EQ(engine.Children().size(), 2u);
  // The sprite of the last charge now stands for index 1.
  EXPECT_EQ(sprites.ChargeAt(scene, 38, 38), 1);
  EXPECT_EQ(sprites.ChargeAt(scene, 2, 2), 0);
}

} // namespace
