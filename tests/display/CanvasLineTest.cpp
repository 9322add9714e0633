// One-pixel lines: the end-pixel rule, clipping that never changes which pixels a line sets,
// dashes and inversion.
#include "display/Canvas.h"
#include "support/PixelTesting.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlack = 0x000000;
constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlue = 0xFF0000;

std::vector<QPoint> BlackPixels(const QImage &image) {
  std::vector<QPoint> found;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (FromQRgb(image.pixel(x, y)) == kBlack)
        found.emplace_back(x, y);
  return found;
}

// Checks the pixels of a line from a to b against the ideal line: exactly one pixel per step
// of the major axis from a up to but not including b, each within half a pixel of the ideal
// line across it.
void ExpectIdealLine(const QImage &image, QPoint a, QPoint b) {
  const int dx = b.x() - a.x();
  const int dy = b.y() - a.y();
  const bool xMajor = std::abs(dx) >= std::abs(dy);
  const int steps = std::max(std::abs(dx), std::abs(dy));
  const std::vector<QPoint> pixels = BlackPixels(image);
  ASSERT_EQ(static_cast<int>(pixels.size()), steps);
  for (const QPoint &p : pixels) {
    const double major = xMajor ? p.x() - a.x() : p.y() - a.y();
    const double minor = xMajor ? p.y() - a.y() : p.x() - a.x();
    const double t = major / (xMajor ? dx : dy);
    EXPECT_GE(t, 0.0) << p.x() << "," << p.y();
    EXPECT_LT(t, 1.0) << "the end pixel is never set: " << p.x() << "," << p.y();
    EXPECT_LE(std::fabs(minor - t * (xMajor ? dy : dx)), 0.5) << p.x() << "," << p.y();
  }
}

TEST(CanvasLineTest, LineToLeavesOutTheEndPixelInEveryOctant) {
  const QPoint centre(40, 40);
  const QPoint ends[] = {{70, 40}, {70, 51}, {70, 70}, {51, 70}, {40, 70}, {29, 70},
                         {10, 70}, {10, 51}, {10, 40}, {10, 29}, {10, 10}, {29, 10},
                         {40, 10}, {51, 10}, {70, 10}, {70, 29}, {41, 40}, {40, 39}};
  for (const QPoint &end : ends) {
    QImage image = WhiteImage(81, 81);
    TCanvas canvas(&image);
    canvas.MoveTo(centre.x(), centre.y());
    canvas.LineTo(end.x(), end.y());
    SCOPED_TRACE(testing::Message() << "to " << end.x() << "," << end.y());
    EXPECT_EQ(PixelAt(image, centre.x(), centre.y()), Rgb{kBlack});
    EXPECT_EQ(PixelAt(image, end.x(), end.y()), Rgb{kWhite});
    ExpectIdealLine(image, centre, end);
    EXPECT_EQ(canvas.PenPos(), (TPoint{end.x(), end.y()}));
  }
}

TEST(CanvasLineTest, ZeroLengthLineDrawsNothing) {
  QImage image = WhiteImage(10, 10);
  TCanvas canvas(&image);
  canvas.MoveTo(4, 4);
  canvas.LineTo(4, 4);
  EXPECT_EQ(CountColor(image, kWhite), 100);
}

// A line's pixels depend only on its end points: drawing it on a small device that is a
// window into a large one sets exactly the large device's pixels inside the window.
TEST(CanvasLineTest, ClippingNeverChangesThePixelsOfALine) {
  constexpr int kBig = 640;
  constexpr int kOffX = 290;
  constexpr int kOffY = 300;
  uint32_t seed = 12345;
  auto next = [&seed](int range) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<int>((seed >> 8) % static_cast<uint32_t>(range));
  };
  for (int n = 0; n < 400; ++n) {
    const int x0 = next(kBig), y0 = next(kBig), x1 = next(kBig), y1 = next(kBig);
    QImage big = WhiteImage(kBig, kBig);
    TCanvas bigCanvas(&big);
    bigCanvas.MoveTo(x0, y0);
    bigCanvas.LineTo(x1, y1);
    QImage small = WhiteImage(61, 37);
    TCanvas smallCanvas(&small);
    smallCanvas.MoveTo(x0 - kOffX, y0 - kOffY);
    smallCanvas.LineTo(x1 - kOffX, y1 - kOffY);
    ASSERT_EQ(small, big.copy(kOffX, kOffY, 61, 37))
        << x0 << "," << y0 << " to " << x1 << "," << y1;
  }
}

TEST(CanvasLineTest, PolylineSetsThePixelsOfMoveToAndLineTo) {
  uint32_t seed = 777;
  auto next = [&seed](int range) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<int>((seed >> 8) % static_cast<uint32_t>(range)) - range / 4;
  };
  // Solid, dashed with both brushes and inverting pens; points partly off the device.
  for (int n = 0; n < 60; ++n) {
    std::vector<TPoint> points;
    for (int k = 0; k < 2 + n % 9; ++k)
      points.push_back({next(80), next(60)});
    QImage one = WhiteImage(64, 48);
    QImage other = one.copy();
    TCanvas byLines(&one);
    TCanvas byPolyline(&other);
    for (TCanvas *canvas : {&byLines, &byPolyline}) {
      canvas->Pen.Style = n % 3 == 0 ? TPenStyle::psDash : TPenStyle::psSolid;
      canvas->Pen.Mode = n % 4 == 1 ? TPenMode::pmNot : canvas->Pen.Mode;
      canvas->Brush.Style = n % 2 == 0 ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
      canvas->MoveTo(5, 5);
      canvas->LineTo(40, 7); // a dash phase that the polyline's start must reset
    }
    byLines.MoveTo(points[0].X, points[0].Y);
    for (size_t k = 1; k < points.size(); ++k)
      byLines.LineTo(points[k].X, points[k].Y);
    byPolyline.Polyline(points);
    ASSERT_EQ(one, other) << n;
    EXPECT_EQ(byPolyline.PenPos(), points.back());
  }
}

TEST(CanvasLineTest, HugeCoordinatesAreClippedWithoutOverflow) {
  constexpr int kFar = 1000000000;
  QImage image = WhiteImage(50, 40);
  TCanvas canvas(&image);

  canvas.MoveTo(-kFar, 7);
  canvas.LineTo(kFar, 7);
  for (int x = 0; x < 50; ++x)
    ASSERT_EQ(PixelAt(image, x, 7), Rgb{kBlack}) << x;
  EXPECT_EQ(CountColor(image, kBlack), 50);

  image = WhiteImage(50, 40);
  canvas.MoveTo(-kFar, -kFar);
  canvas.LineTo(kFar, kFar);
  for (int i = 0; i < 40; ++i)
    ASSERT_EQ(PixelAt(image, i, i), Rgb{kBlack}) << i;
  EXPECT_EQ(CountColor(image, kBlack), 40);

  // Steep: x runs from 3 to 5 over 2e9 rows, so every visible row has its pixel at x = 4.
  image = WhiteImage(50, 40);
  canvas.MoveTo(3, -kFar);
  canvas.LineTo(5, kFar);
  for (int y = 0; y < 40; ++y)
    ASSERT_EQ(PixelAt(image, 4, y), Rgb{kBlack}) << y;
  EXPECT_EQ(CountColor(image, kBlack), 40);

  // The whole int range: the anti-diagonal x + y = -1 misses the device, the diagonal hits.
  image = WhiteImage(50, 40);
  canvas.MoveTo(INT32_MIN, INT32_MAX);
  canvas.LineTo(INT32_MAX, INT32_MIN);
  EXPECT_EQ(CountColor(image, kBlack), 0);
  canvas.MoveTo(INT32_MAX, INT32_MAX);
  canvas.LineTo(INT32_MIN, INT32_MIN);
  for (int i = 0; i < 40; ++i)
    ASSERT_EQ(PixelAt(image, i, i), Rgb{kBlack}) << i;
  EXPECT_EQ(CountColor(image, kBlack), 40);
}

TEST(CanvasLineTest, LinesOffTheDeviceDrawNothing) {
  const int lines[][4] = {
      {-5000, -5000, -1, 39},  {50, 0, 5050, 39}, {0, -5000, 49, -1},
      {0, 40, 49, 5040},       {-10, 5, 5, -10},  {45, -5, 60, 10},   // past the corners
      {-1000000000, 0, -1, 0}, {0, 0, 0, 0},      {-3, 45, 45, 5000}, // zero length too
  };
  QImage image = WhiteImage(50, 40);
  TCanvas canvas(&image);
  for (const auto &l : lines) {
    canvas.MoveTo(l[0], l[1]);
    canvas.LineTo(l[2], l[3]);
  }
  EXPECT_EQ(CountColor(image, kWhite), 50 * 40);
}

TEST(CanvasLineTest, DashesRunOnAcrossLineToAndRestartAtMoveTo) {
  QImage image = WhiteImage(60, 3);
  TCanvas canvas(&image);
  canvas.Pen.Style = TPenStyle::psDash;
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.MoveTo(0, 0);
  canvas.LineTo(10, 0); // the pattern goes on at pixel 10
  canvas.LineTo(60, 0);
  canvas.MoveTo(0, 1);
  canvas.LineTo(60, 1);
  canvas.MoveTo(30, 2); // a new line starts with a dash
  canvas.LineTo(60, 2);
  for (int x = 0; x < 60; ++x) {
    const Rgb expected{(x % 24) < 18 ? kBlack : kWhite};
    EXPECT_EQ(PixelAt(image, x, 0), expected) << x;
    EXPECT_EQ(PixelAt(image, x, 1), expected) << x;
  }
  for (int x = 30; x < 60; ++x)
    EXPECT_EQ(PixelAt(image, x, 2), (Rgb{((x - 30) % 24) < 18 ? kBlack : kWhite})) << x;
}

TEST(CanvasLineTest, DashGapsTakeTheSolidBrushAndAreLeftAloneWithAClearBrush) {
  for (const bool solid : {true, false}) {
    QImage image = WhiteImage(48, 1);
    TCanvas canvas(&image);
    canvas.Pen.Style = TPenStyle::psDash;
    canvas.Pen.Color = kRed;
    canvas.Brush.SetColor(kBlue);
    if (!solid)
      canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.MoveTo(0, 0);
    canvas.LineTo(48, 0);
    const Rgb gap{solid ? kBlue : kWhite};
    for (int x = 0; x < 48; ++x)
      EXPECT_EQ(PixelAt(image, x, 0), (x % 24) < 18 ? Rgb{kRed} : gap) << x << " solid " << solid;
  }
}

TEST(CanvasLineTest, DashedLinePartlyOffTheDeviceKeepsItsPattern) {
  QImage image = WhiteImage(40, 1);
  TCanvas canvas(&image);
  canvas.Pen.Style = TPenStyle::psDash;
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.MoveTo(-100, 0);
  canvas.LineTo(40, 0);
  for (int x = 0; x < 40; ++x)
    EXPECT_EQ(PixelAt(image, x, 0), (Rgb{((x + 100) % 24) < 18 ? kBlack : kWhite})) << x;
}

TEST(CanvasLineTest, PenClearDrawsNothingButMoves) {
  QImage image = WhiteImage(20, 20);
  TCanvas canvas(&image);
  canvas.Pen.Style = TPenStyle::psClear;
  canvas.MoveTo(0, 0);
  canvas.LineTo(19, 19);
  EXPECT_EQ(CountColor(image, kWhite), 400);
  EXPECT_EQ(canvas.PenPos(), (TPoint{19, 19}));
}

TEST(CanvasLineTest, WidePenDrawsAThickLine) {
  QImage image = WhiteImage(40, 20);
  TCanvas canvas(&image);
  canvas.Pen.Width = 3;
  canvas.MoveTo(5, 10);
  canvas.LineTo(30, 10);
  for (int y = 9; y <= 11; ++y)
    EXPECT_EQ(PixelAt(image, 15, y), Rgb{kBlack}) << y;
  EXPECT_EQ(PixelAt(image, 15, 7), Rgb{kWhite});
  EXPECT_EQ(PixelAt(image, 15, 13), Rgb{kWhite});
}

} // namespace
