// The view fitted to the drawing surface: "Alles zeigen" brings every charge into it, and a
// resize keeps the picture's centre without a step while the steps before it still work.
#include "DocumentFixture.h"

#include "model/Document.h"
#include "model/ShowAll.h"
#include "model/Zoom.h"

#include <algorithm>
#include <random>

namespace {

class SurfaceViewTest : public DocumentTest {
protected:
  // Where the world point lies on the surface now (px).
  TPixelPosition PixelOf(const TWorldPoint &world) const {
    long double x = 0;
    long double y = 0;
    document.Scene().WorldToScreen(world, x, y);
    return {static_cast<double>(x), static_cast<double>(y)};
  }
  TDocument document;
};

TEST_F(SurfaceViewTest, ShowAllPutsEveryChargeInsideTheSurfaceAtTheLargestStepThatFits) {
  std::mt19937_64 random(21);
  for (int round = 0; round < 60; ++round) {
    SCOPED_TRACE(round);
    // Clusters from a few pixels wide to far beyond what 10 % shows, anywhere.
    const double spread = std::pow(10.0, std::uniform_real_distribution<double>(0, 7)(random));
    const double place = std::pow(10.0, std::uniform_real_distribution<double>(0, 8)(random));
    std::uniform_real_distribution<double> within(-spread, spread);
    std::uniform_real_distribution<double> anywhere(-place, place);
    const double cx = anywhere(random);
    const double cy = anywhere(random);
    scene.Charges.Clear();
    const int count = 1 + static_cast<int>(random() % 12);
    for (int i = 0; i < count; ++i)
      AddCharge(cx + within(random), cy + within(random) / 2, 1e-19L);
    document.Reset(scene);
    const TSize surface{300 + static_cast<int>(random() % 900),
                        200 + static_cast<int>(random() % 700)};
    ASSERT_TRUE(document.ShowAll(surface));

    const TScene &now = document.Scene();
    for (const TPointCharge &charge : now.Charges) {
      EXPECT_GE(charge.X, 0);
      EXPECT_GE(charge.Y, 0);
      EXPECT_LE(charge.X + 2 * kChargeHalfSize, surface.Width);
      EXPECT_LE(charge.Y + 2 * kChargeHalfSize, surface.Height);
    }
    const long double zoom = now.ZoomFactor();
    const bool isStep =
        std::any_of(kZoomStepPercents.begin(), kZoomStepPercents.end(),
                    [zoom](int p) { return std::fabs(ZoomStepFactor(p) - zoom) < kZoomTolerance; });
    const std::optional<long double> larger = NextZoomStep(zoom, 1);
    if (isStep && larger) {
      // The next step would not fit: zoomed so far about the middle, some charge leaves.
      TDocument wider;
      wider.Reset(now);
      ASSERT_TRUE(wider.ZoomAbout(*larger, {surface.Width / 2, surface.Height / 2}));
      const bool outside =
          std::any_of(wider.Charges().begin(), wider.Charges().end(), [&](const TPointCharge &c) {
            return c.CenterX() < kShowAllMargin - 1 || c.CenterY() < kShowAllMargin - 1 ||
                   c.CenterX() > surface.Width - kShowAllMargin + 1 ||
                   c.CenterY() > surface.Height - kShowAllMargin + 1;
          });
      EXPECT_TRUE(outside) << "zoom " << static_cast<double>(zoom);
    }
    if (!isStep) {
      EXPECT_LT(zoom, ZoomStepFactor(kZoomStepPercents.front()));
    }
  }
}

TEST_F(SurfaceViewTest, ShowAllWithoutChargesPutsTheOriginInTheMiddleAt100Percent) {
  scene.Origin = {-4000, 90};
  scene.PixelsPerMetre = DefaultPixelsPerMetre() * 7;
  document.Reset(scene);
  ASSERT_TRUE(document.ShowAll({640, 481}));
  EXPECT_EQ(document.Scene().Origin, (TPoint{320, 240}));
  EXPECT_NEAR(static_cast<double>(document.Scene().ZoomFactor()), 1, 1e-12);
  EXPECT_TRUE(document.Modified());
  document.Undo();
  EXPECT_EQ(document.Scene().Origin, (TPoint{-4000, 90}));
}

// A resize moves the view with no step; the steps recorded before it still take back and
// repeat their change where the charges are in metres, and the view keeps the new size's centre.
TEST_F(SurfaceViewTest, AResizeKeepsTheCentreRecordsNothingAndEarlierStepsStillApply) {
  AddCharge(100.25, 300, 1e-19L);
  AddCharge(700, 50.5, -1e-19L);
  document.Reset(scene);
  const TScene &now = document.Scene();
  const TPoint start = now.Origin;
  const auto worldOf = [&now](int index) { return now.ChargeWorldPosition(now.Charges[index]); };
  const TWorldPoint movedFrom = worldOf(0);
  document.MoveCharge(0, 420, 333);
  const TWorldPoint movedTo = worldOf(0);
  document.Pan(now.Origin.X - 37, now.Origin.Y + 12);
  document.ZoomAbout(2, {150, 90});
  document.MarkSaved();
  const int steps = document.History().Count();

  TSize surface = surfaceSize;
  const TWorldPoint centre = now.ScreenToWorld(surface.Width / 2, surface.Height / 2);
  // Growing and shrinking by odd sizes, as a drag of the window's corner does.
  for (const TSize next :
       {TSize{1601, 1000}, TSize{1600, 999}, TSize{333, 211}, TSize{1920, 1137}}) {
    document.FollowSurface(surface, next);
    surface = next;
    const auto [x, y] = PixelOf(centre);
    EXPECT_NEAR(x, surface.Width / 2, 1);
    EXPECT_NEAR(y, surface.Height / 2, 1);
  }
  EXPECT_FALSE(document.Modified());
  EXPECT_EQ(document.History().Count(), steps);

  const auto expectAt = [&](int index, const TWorldPoint &world) {
    const TWorldPoint w = worldOf(index);
    EXPECT_NEAR(static_cast<double>(w.X), static_cast<double>(world.X), 1e-12);
    EXPECT_NEAR(static_cast<double>(w.Y), static_cast<double>(world.Y), 1e-12);
  };
  document.Undo(); // the zoom
  document.Undo(); // the pan
  // Back where it started, moved as the surface grew by 1128 by 602 pixels.
  EXPECT_EQ(now.Origin, (TPoint{start.X + 564, start.Y + 301}));
  expectAt(0, movedTo);
  document.Undo(); // the move
  expectAt(0, movedFrom);
  document.Redo();
  expectAt(0, movedTo);
}

} // namespace
