#include "model/PotentialDrawing.h"

#include "BackgroundFixture.h"
#include "model/Background.h"
#include "model/Document.h"
#include "model/Field.h"
#include "model/FieldLine.h"
#include "model/PotentialOptions.h"

#include <QLocale>

#include <cmath>
#include <random>

namespace {

class PotentialDrawingTest : public BackgroundFixture {
protected:
  QRgb At(int x, int y) const { return background->Image().pixel(x, y); }
};

TEST_F(PotentialDrawingTest, EveryDrawnPixelOfAChargesLinesLiesOnItsCircleAllRound) {
  const double cx = 371.5;
  const double cy = 244;
  const long double q = -2.2e-11L;
  AddCharge(cx, cy, q);
  const TPotentialGrid grid(scene, surfaceSize);
  std::vector<long double> radii;
  for (const long double level : AutomaticLevels(grid))
    radii.push_back(q / (kFourPiEpsilon0 * level) * scene.PixelsPerMetre);
  TBitmap bitmap(surfaceSize.Width, surfaceSize.Height);
  bitmap.Canvas().Pen.Color = kDefaultEquipotentialColor;
  DrawIsoLines(TraceEquipotentials(grid, AutomaticLevels(grid)), bitmap.Canvas());

  const QRgb blue = qRgb(0, 128, 255);
  // Per circle, which of 90 sectors has a drawn pixel on it.
  std::vector<std::vector<bool>> sectors(radii.size(), std::vector<bool>(90, false));
  int drawn = 0;
  for (int y = 0; y < surfaceSize.Height; ++y) {
    for (int x = 0; x < surfaceSize.Width; ++x) {
      if (bitmap.Image().pixel(x, y) != blue)
        continue;
      ++drawn;
      const double r = std::hypot(x - cx, y - cy);
      size_t nearest = 0;
      for (size_t i = 1; i < radii.size(); ++i)
        if (std::fabs(r - radii[i]) < std::fabs(r - radii[nearest]))
          nearest = i;
      ASSERT_LE(std::fabs(r - static_cast<double>(radii[nearest])), 1.0) << x << "," << y;
      const double angle = std::atan2(y - cy, x - cx) + kPi;
      sectors[nearest][std::min(89, static_cast<int>(angle / (2 * kPi) * 90))] = true;
    }
  }
  EXPECT_GT(drawn, 0);
  int whole = 0;
  for (size_t i = 0; i < radii.size(); ++i) {
    const double r = static_cast<double>(radii[i]);
    if (r < 12 || r + 2 > std::min({cx, cy, surfaceSize.Width - cx, surfaceSize.Height - cy}))
      continue;
    EXPECT_EQ(std::count(sectors[i].begin(), sectors[i].end(), true), 90) << r;
    ++whole;
  }
  EXPECT_GE(whole, 5);
}

TEST_F(PotentialDrawingTest, LabelsOfRandomPicturesNeverOverlap) {
  std::mt19937 random(5);
  std::uniform_real_distribution<double> x(0, 792);
  std::uniform_real_distribution<double> y(0, 535);
  std::uniform_real_distribution<double> value(-5e-10, 5e-10);
  for (int round = 0; round < 4; ++round) {
    scene.Charges.Clear();
    for (int i = 0; i < 2 + 3 * round; ++i)
      AddCharge(std::round(x(random)), std::round(y(random)), value(random));
    const TPotentialGrid grid(scene, surfaceSize);
    std::vector<TRect> taken;
    DrawIsoLabels(TraceEquipotentials(grid, AutomaticLevels(grid)), background->Canvas(),
                  surfaceSize, Target().FontName, taken);
    EXPECT_FALSE(taken.empty());
    for (size_t i = 0; i < taken.size(); ++i) {
      EXPECT_GE(taken[i].Left, 0);
      EXPECT_LE(taken[i].Bottom, surfaceSize.Height);
      for (size_t j = i + 1; j < taken.size(); ++j)
        EXPECT_FALSE(Overlaps(taken[i], taken[j])) << i << " " << j;
    }
  }
}

TEST_F(PotentialDrawingTest, TheMapIsRedForPlusBlueForMinusWhiteBetween) {
  AddCharge(200, 260, 1e-10L);
  AddCharge(600, 260, -1e-10L);
  const QImage before = (DrawBackground(), background->Image().copy());
  scene.Potential.Map = true;
  DrawBackground();
  const QRgb plus = At(250, 200);
  const QRgb minus = At(550, 200);
  const QRgb middle = At(400, 150);
  EXPECT_GT(qRed(plus), qBlue(plus) + 40);
  EXPECT_GT(qBlue(minus), qRed(minus) + 40);
  EXPECT_EQ(qRed(middle), 255);
  EXPECT_EQ(qBlue(middle), 255);
  EXPECT_GE(qGreen(middle), 250);
  // The legend sits in the bottom-left corner on white.
  EXPECT_EQ(before.pixel(6, surfaceSize.Height - 8), qRgb(255, 255, 255));
  EXPECT_NE(background->Image().copy(0, 480, 200, 55), before.copy(0, 480, 200, 55));
  // Switched off again, the picture is today's.
  scene.Potential.Map = false;
  DrawBackground();
  EXPECT_EQ(background->Image(), before);
}

TEST_F(PotentialDrawingTest, TheTestChargesLineRunsThroughItInTheArrowColour) {
  AddCharge(300, 260, 1e-10L);
  AddCharge(451, 203, 1e-9L, /*testCharge=*/true);
  scene.Selected = 1;
  scene.Potential.TestChargeLine = true;
  DrawBackground();
  // The circle through the test charge about the source, in the arrow colour.
  const double r = std::hypot(451 - 300, 203 - 260);
  const QRgb arrow = ToQRgb(scene.ArrowColor);
  int onCircle = 0;
  for (int a = 0; a < 360; a += 5) {
    const double t = a * kPi / 180;
    bool found = false;
    for (int dy = -1; dy <= 1 && !found; ++dy)
      for (int dx = -1; dx <= 1 && !found; ++dx)
        found = At(static_cast<int>(std::lround(300 + r * std::cos(t))) + dx,
                   static_cast<int>(std::lround(260 + r * std::sin(t))) + dy) == arrow;
    onCircle += found;
  }
  EXPECT_GE(onCircle, 66); // all but where its label sits
}

TEST_F(PotentialDrawingTest, OptionsChangeThroughTheDocumentAndANewProjectSwitchesThemOff) {
  TDocument document;
  document.ResetAll(surfaceSize);
  std::vector<bool> redraws;
  const auto connection = QObject::connect(&document, &TDocument::ViewChanged,
                                           [&](bool linesMoved) { redraws.push_back(linesMoved); });
  TPotentialOptions options;
  options.Lines = true;
  document.ApplyPotential(options);
  EXPECT_TRUE(document.Modified());
  EXPECT_EQ(redraws, std::vector<bool>{true});
  EXPECT_TRUE(document.Scene().Potential.Lines);
  document.New(surfaceSize);
  EXPECT_EQ(document.Scene().Potential, TPotentialOptions{});
  QObject::disconnect(connection);
}

} // namespace

// The background bitmap keeps its canvas from one picture to the next: drawing the same
// document again gives the same picture, whatever the options drew last time (the axis
// labels once took the equipotential labels' colour).
TEST_F(PotentialDrawingTest, ABackgroundDrawnAgainIsTheSamePicture) {
  AddCharge(300, 267, 1e-9L);
  AddCharge(500, 267, -1e-9L);
  for (const auto &[lines, map] : {std::pair{true, false}, {false, true}, {true, true}}) {
    SCOPED_TRACE(std::to_string(lines) + " " + std::to_string(map));
    scene.Potential.Lines = lines;
    scene.Potential.Map = map;
    background = std::make_unique<TBitmap>(surfaceSize.Width, surfaceSize.Height);
    DrawBackground();
    const QImage first = background->Image().copy();
    DrawBackground();
    EXPECT_TRUE(background->Image() == first);
  }
}
