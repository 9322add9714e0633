#include "model/Background.h"

#include "BackgroundFixture.h"
#include "base/Seams.h"
#include "model/FrameComposer.h"
#include "model/NumberText.h"
#include "support/PixelTesting.h"

#include <QLocale>

namespace {

class BackgroundTest : public BackgroundFixture {
protected:
  Rgb At(int x, int y) const { return PixelAt(background->Image(), x, y); }
};

TEST_F(BackgroundTest, TickSpacingForEveryOfferedZoom) {
  struct Row {
    int zoom;
    double spacing, pixels;
    const char *labels[3];
  };
  const Row table[] = {
      {10, 0.1, 37.8, {"0", "0,2", "0,4"}},         {25, 0.05, 47.2, {"0", "0,1", "0,2"}},
      {50, 0.02, 37.8, {"0", "0,04", "0,08"}},      {100, 0.01, 37.8, {"0", "0,02", "0,04"}},
      {200, 0.005, 37.8, {"0", "0,01", "0,02"}},    {500, 0.002, 37.8, {"0", "0,004", "0,008"}},
      {750, 0.0015, 42.5, {"0", "0,003", "0,006"}}, {1000, 0.001, 37.8, {"0", "0,002", "0,004"}},
  };
  for (const Row &row : table) {
    scene.PixelsPerMetre = DefaultPixelsPerMetre() * row.zoom / 100;
    const TTickScale scale = TickScale(scene);
    EXPECT_NEAR(static_cast<double>(scale.Spacing), row.spacing, row.spacing * 1e-12) << row.zoom;
    EXPECT_NEAR(static_cast<double>(scale.Pixels), row.pixels, 0.05) << row.zoom;
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(FormatLabel(2 * i * scale.Spacing), row.labels[i]) << row.zoom;
  }
}

TEST_F(BackgroundTest, EmptyDocumentShowsAxesTicksAndLabels) {
  DrawBackground();
  const QImage &image = background->Image();
  const TPoint origin = scene.Origin;
  // White area, grey axes through the origin.
  EXPECT_EQ(At(10, 10), Rgb{0xFFFFFF});
  EXPECT_EQ(At(10, origin.Y), Rgb{0x808080});
  EXPECT_EQ(At(origin.X, 10), Rgb{0x808080});
  // A tick every 37.8 px: rows origin.Y - 3 .. origin.Y + 2 at x = 434, none at 415.
  EXPECT_EQ(At(434, origin.Y - 3), Rgb{0x808080});
  EXPECT_EQ(At(434, origin.Y + 2), Rgb{0x808080});
  EXPECT_EQ(At(434, origin.Y - 4), Rgb{0xFFFFFF});
  EXPECT_EQ(At(415, origin.Y - 3), Rgb{0xFFFFFF});
  // The label of the origin tick hides the vertical axis just below the origin; the y axis
  // itself has no label at the origin, so the axis shows above it.
  EXPECT_EQ(At(origin.X, origin.Y + 8), Rgb{0xFFFFFF});
  EXPECT_EQ(At(origin.X, origin.Y - 8), Rgb{0x808080});
  // Labels: only every second tick, in black text below the x axis.
  auto hasInk = [&](int left, int top, int right, int bottom) {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if (PixelAt(image, x, y).Value != 0xFFFFFF && PixelAt(image, x, y).Value != 0x808080)
          return true;
    return false;
  };
  EXPECT_TRUE(hasInk(472 - 15, origin.Y + 5, 472 + 15, origin.Y + 16));         // "0,02 m" at i = 2
  EXPECT_FALSE(hasInk(434 - 5, origin.Y + 5, 434 + 5, origin.Y + 16));          // none at i = 1
  EXPECT_TRUE(hasInk(origin.X + 5, 267 - 76 - 4, origin.X + 40, 267 - 76 + 4)); // "0,02 m" on y
}

TEST_F(BackgroundTest, AxesFollowAPannedOrigin) {
  scene.Origin = {-100, 600}; // left of and below the image
  DrawBackground();
  // The x axis is off the image; the scale's ticks of the y axis are too. Nothing grey.
  EXPECT_EQ(CountColor(background->Image(), 0x808080), 0);
  scene.Origin = {-100, 200};
  DrawBackground();
  // The x axis carries ticks across the whole width, at the scale's positions.
  const long double d = TickScale(scene).Pixels;
  for (int i = 3; i < 22; ++i) {
    const int px = static_cast<int>(std::nearbyint(i * d - 100));
    EXPECT_EQ(At(px, 197), Rgb{0x808080}) << i;
  }
}

TEST_F(BackgroundTest, FourLinesStartRightBelowLeftAbove) {
  scene.StepLength = 3;
  TPointCharge &c = scene.Charges[AddCharge(400, 200, 1e-9L, false, 4)];
  trace.StepCap = 1; // one step of each line: 10 px out, then 3 more
  DrawBackground();
  // In order right, below, left, above: light grey from the start at 10 px.
  EXPECT_EQ(At(410, 200), Rgb{0xC0C0C0});
  EXPECT_EQ(At(400, 210), Rgb{0xC0C0C0});
  EXPECT_EQ(At(390, 200), Rgb{0xC0C0C0});
  EXPECT_EQ(At(400, 190), Rgb{0xC0C0C0});
  EXPECT_EQ(At(405, 205), Rgb{0xFFFFFF});
  // With step 21 the lines start 22 px out.
  scene.StepLength = 21;
  DrawBackground();
  EXPECT_EQ(At(422, 200), Rgb{0xC0C0C0});
  EXPECT_EQ(At(421, 200), Rgb{0xFFFFFF});
  // Sources without lines draw none: value 0, a test charge, a count of 0.
  for (auto change : {+[](TPointCharge &p) { p.ChargeValue = 0; },
                      +[](TPointCharge &p) { p.IsTestCharge = true; },
                      +[](TPointCharge &p) { p.FieldLineCount = 0; }}) {
    c.ChargeValue = 1e-9L;
    c.IsTestCharge = false;
    c.FieldLineCount = 4;
    change(c);
    const TTraceStats stats = DrawBackground();
    EXPECT_EQ(stats.Lines, 0u);
    EXPECT_EQ(CountColor(background->Image(), 0xC0C0C0), 0);
  }
}

TEST_F(BackgroundTest, ANegativeSourcesLinesRunAwayFromIt) {
  AddCharge(400, 200, -1e-9L, false, 4);
  const TTraceStats stats = DrawBackground();
  EXPECT_EQ(stats.Lines, 4u);
  EXPECT_EQ(stats.LinesCutByBudget, 0u);
  EXPECT_EQ(At(780, 200), Rgb{0xC0C0C0});
  EXPECT_EQ(At(400, 5), Rgb{0xC0C0C0});
}

TEST_F(BackgroundTest, ARedrawLeavesNothingOfThePreviousPicture) {
  background->Canvas().Brush.SetColor(0x000000);
  background->Canvas().FillRect({0, 0, background->Width(), background->Height()});
  DrawBackground();
  EXPECT_EQ(CountColor(background->Image(), 0x000000) < 200, true); // only label text
  EXPECT_EQ(At(surfaceSize.Width - 1, 5), Rgb{0xFFFFFF});
  EXPECT_EQ(At(5, surfaceSize.Height - 1), Rgb{0xFFFFFF});
}

TEST_F(BackgroundTest, AGrownBitmapKeepsItsPictureAndFillsWhite) {
  DrawBackground();
  const QImage before = background->Image().copy();
  background->SetSize(surfaceSize.Width + 1, surfaceSize.Height + 1);
  EXPECT_EQ(background->Image().copy(0, 0, surfaceSize.Width, surfaceSize.Height), before);
  EXPECT_EQ(At(surfaceSize.Width, 3), Rgb{0xFFFFFF});
}

// An origin at the ends of the 32-bit range (a file may hold one): the ticks and the origin
// cross drawn a few pixels beside it must not wrap round to the other end and cross the
// whole picture. Only the axis that lies on the picture may be marked.
TEST_F(BackgroundTest, MarksBesideAnOriginAtTheIntegerLimitsStayOnTheirAxis) {
  TBitmap frame(surfaceSize.Width, surfaceSize.Height);
  for (const TPoint origin : {TPoint{INT32_MAX, 267}, TPoint{INT32_MIN, 267},
                              TPoint{396, INT32_MAX}, TPoint{396, INT32_MIN}}) {
    SCOPED_TRACE(std::to_string(origin.X) + "," + std::to_string(origin.Y));
    scene.Origin = origin;
    DrawBackground();
    ComposeFrame(frame.Canvas(), {&scene, background.get(), nullptr, Target(), nullptr});
    for (const QImage *image : {&background->Image(), &frame.Image()}) {
      const PixelBox box = ChangedBox(*image, 0xFFFFFF);
      if (origin.Y == 267) { // the x axis: its ticks and the labels below
        EXPECT_GE(box.Top, 267 - 3);
        EXPECT_LE(box.Bottom, 267 + 4 + 20);
      } else { // the y axis: its ticks and the labels to the right
        EXPECT_GE(box.Left, 396 - 3);
        EXPECT_LE(box.Right, 396 + 4 + 60);
      }
    }
  }
}

} // namespace

namespace {

// A projector's style: the axes as wide as set, the field lines in its colour, the labels as
// large; the plain style draws the plain picture.
TEST_F(BackgroundTest, AStyleWidensTheLinesAndEnlargesTheLabels) {
  AddCharge(200, 150, 1e-9L);
  const auto thickness = [&](int x) { // rows of axis colour in the column x
    int rows = 0;
    for (int y = scene.Origin.Y - 6; y <= scene.Origin.Y + 6; ++y)
      rows += At(x, y) == Rgb{kAxisColor};
    return rows;
  };
  const auto inkRows = [&] { // rows holding the black ink of the labels below the x axis
    int rows = 0;
    for (int y = scene.Origin.Y + 2; y < scene.Origin.Y + 40; ++y)
      for (int x = 460; x < 485; ++x)
        if (At(x, y) == Rgb{0x000000}) {
          ++rows;
          break;
        }
    return rows;
  };
  const auto colourCount = [&](TColor colour) {
    int n = 0;
    for (int y = 0; y < surfaceSize.Height; ++y)
      for (int x = 0; x < surfaceSize.Width; ++x)
        n += At(x, y) == Rgb{colour};
    return n;
  };
  DrawBackground();
  const QImage plain = background->Image().copy();
  EXPECT_EQ(thickness(700), 1);
  const int plainInk = inkRows();
  const int plainLines = colourCount(kBackgroundLineColor);

  TPictureTarget target = Target();
  target.Style = kProjectorStyle;
  DrawBackgroundOn(scene, *background, target);
  EXPECT_EQ(thickness(700), kProjectorStyle.LineWidth);
  EXPECT_GT(inkRows(), plainInk * 3 / 2);
  EXPECT_LT(colourCount(kBackgroundLineColor), plainLines / 20); // a label's smoothing, at most
  EXPECT_GT(colourCount(kProjectorStyle.FieldLineColor), plainLines * 2);

  target.Style = {};
  DrawBackgroundOn(scene, *background, target);
  EXPECT_EQ(background->Image(), plain);
}

} // namespace
