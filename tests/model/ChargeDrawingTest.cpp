#include "model/ChargeDrawing.h"

#include "display/Sprite.h"
#include "model/ChargeSprites.h"
#include "model/Field.h"
#include "model/FieldLine.h"

#include "DocumentFixture.h"
#include "support/PixelTesting.h"

namespace {

class ChargeDrawingTest : public DocumentTest {
protected:
  void SetUp() override { Resize(400, 300); }
  void Resize(int w, int h) {
    surfaceSize = {w, h};
    surface = std::make_unique<TBitmap>(w, h);
  }
  // Draws every charge of the scene on a white surface, as a frame does.
  const QImage &Draw() {
    surface->Canvas().Brush.SetColor(0xFFFFFF);
    surface->Canvas().FillRect({0, 0, surface->Width(), surface->Height()});
    engine.VisibleRect = {0, 0, surface->Width(), surface->Height()};
    sprites.Rebuild(scene);
    TPictureTarget target(surfaceSize);
    target.Trace.StepCap = 200;
    sprites.Draw({&surface->Canvas(), &scene, target});
    return surface->Image();
  }
  Rgb At(int x, int y) const { return PixelAt(surface->Image(), x, y); }
  std::unique_ptr<TBitmap> surface;
  TSpriteEngine engine;
  TChargeSprites sprites{engine};
};

TEST_F(ChargeDrawingTest, SourcesAreDiscsColouredBySignWithTheirOutline) {
  AddCharge(50, 50, 1e-9L);
  AddCharge(150, 50, -1e-9L);
  AddCharge(250, 50, 0);
  scene.Selected = 1;
  Draw();
  EXPECT_EQ(At(50, 50), Rgb{0x0000FF});
  EXPECT_EQ(At(150, 50), Rgb{0xFF0000});
  EXPECT_EQ(At(250, 45), Rgb{0xFFFFFF});
  // Thin light grey outline on the 20 px box, a 2 px black one on the selected charge.
  EXPECT_EQ(At(50, 40), Rgb{0xC0C0C0});
  EXPECT_EQ(At(50, 41), Rgb{0x0000FF});
  EXPECT_EQ(At(150, 40), Rgb{0x000000});
  EXPECT_EQ(At(150, 41), Rgb{0x000000});
  EXPECT_EQ(At(250, 40), Rgb{0xC0C0C0});
  EXPECT_EQ(ChangedBox(surface->Image().copy(30, 30, 40, 40), 0xFFFFFF),
            (PixelBox{10, 10, 29, 29}));
}

TEST_F(ChargeDrawingTest, ATestChargeOfValueZeroHasItsLineButNoArrow) {
  scene.ArrowColor = 0x00FF00;
  AddCharge(300, 150, 1e-9L);
  AddCharge(200, 150, 0, /*testCharge=*/true);
  Draw();
  EXPECT_EQ(At(200, 148), Rgb{0xFFFFFF}); // small white disc, the line drawn over it
  EXPECT_EQ(At(200, 146), Rgb{0xC0C0C0}); // its outline, radius 4
  EXPECT_EQ(At(200, 144), Rgb{0xFFFFFF});
  EXPECT_EQ(At(150, 150), Rgb{0x000000}); // the field line through it, black
  EXPECT_EQ(At(250, 150), Rgb{0x000000});
  EXPECT_EQ(CountColor(surface->Image(), 0x00FF00), 0);
}

// The box of arrow-coloured pixels.
PixelBox ArrowBox(const QImage &image) {
  QImage only = image.copy();
  for (int y = 0; y < only.height(); ++y)
    for (int x = 0; x < only.width(); ++x)
      if (FromQRgb(only.pixel(x, y)) != 0x00FF00)
        only.setPixel(x, y, ToQRgb(0xFFFFFF));
  return ChangedBox(only, 0xFFFFFF);
}

TEST_F(ChargeDrawingTest, ArrowFollowsTheForceAndItsScale) {
  scene.ArrowColor = 0x00FF00;
  AddCharge(100, 150, 1e-9L);
  const int probe = AddCharge(200, 150, 1e-12L, /*testCharge=*/true);
  // Force 8,988E-13 N * 3779.5 px/m / ArrowScale: 40 px with this scale.
  scene.ArrowScale =
      static_cast<long double>(1e-9L * 1e-12L * kCoulomb / 0.0264583333L / 0.0264583333L) *
      scene.PixelsPerMetre / 40;
  PixelBox box = ArrowBox(Draw());
  EXPECT_GE(box.Right, 239); // to the right, away from the like source
  EXPECT_LE(box.Right, 241);
  EXPECT_GE(box.Left, 199);
  scene.ArrowScale /= 2; // twice as long
  box = ArrowBox(Draw());
  EXPECT_GE(box.Right, 279);
  EXPECT_LE(box.Right, 281);
  scene.Charges[probe].ChargeValue = -1e-12L; // towards the source now
  box = ArrowBox(Draw());
  EXPECT_GE(box.Left, 119);
  EXPECT_LE(box.Left, 121);
  EXPECT_LE(box.Right, 201);
}

TEST_F(ChargeDrawingTest, WithoutSourcesTheHeadPointsRightAtTheCentre) {
  scene.ArrowColor = 0x00FF00;
  AddCharge(200, 150, 1e-9L, /*testCharge=*/true);
  const PixelBox box = ArrowBox(Draw());
  EXPECT_LE(box.Right, 201);
  EXPECT_GE(box.Left, 200 - 16);
  EXPECT_LE(box.Left, 200 - 13);
  EXPECT_LT(box.Top, 150);
  EXPECT_GT(box.Bottom, 150);
}

TEST_F(ChargeDrawingTest, HugeForcesGiveAnArrowOfFiveThousandPixels) {
  Resize(5100, 60);
  scene.ArrowColor = 0x00FF00;
  AddCharge(10, 30, 1e-9L);
  AddCharge(40, 30, 1e-9L, /*testCharge=*/true);
  scene.ArrowScale = 1e-30L;
  const PixelBox box = ArrowBox(Draw());
  EXPECT_GE(box.Right, 5039);
  EXPECT_LE(box.Right, 5041);
}

// An arrow of 1.5e9 px, beyond what a coordinate saturates at but not clamped to 5000 px,
// keeps the force's direction where it leaves the surface.
TEST_F(ChargeDrawingTest, VeryLongArrowsKeepTheirDirection) {
  scene.ArrowColor = 0x00FF00;
  for (const int sourceY : {200, 450}) { // the force 26.6 and 71.6 degrees above the x axis
    SCOPED_TRACE(sourceY);
    scene.Charges.Clear();
    AddCharge(100, sourceY, 1e-9L);
    AddCharge(200, 150, 1e-9L, /*testCharge=*/true);
    TVector force;
    ForceAt(scene, force, 200, 150, 1e-9L);
    scene.ArrowScale = force.Length() * scene.PixelsPerMetre / 1.5e9L;
    const long double slope = (150.0L - sourceY) / 100; // dy per dx of the force
    const int row = 100;                                // a row the shaft crosses on the surface
    const long double expectedX = 200 + (row - 150) / slope;
    const QImage &image = Draw();
    int sum = 0, count = 0;
    for (int x = 0; x < image.width(); ++x)
      if (FromQRgb(image.pixel(x, row)) == 0x00FF00) {
        sum += x;
        ++count;
      }
    ASSERT_GT(count, 0);
    EXPECT_NEAR(static_cast<double>(sum) / count, static_cast<double>(expectedX), 1.5);
  }
}

TEST_F(ChargeDrawingTest, ChargesWhollyOutsideAreNotDrawnAtAll) {
  AddCharge(-10, 150, 1e-9L, /*testCharge=*/true); // square ends at x = 0
  const QImage &image = Draw();
  EXPECT_EQ(ChangedBox(image, 0xFFFFFF), PixelBox{});
}

} // namespace
