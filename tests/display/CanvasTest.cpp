// Boxes, fills, inversion, text, images and the off-screen bitmap of the canvas.
#include "display/Canvas.h"
#include "base/Errors.h"
#include "display/PixelSpans.h"
#include "support/PixelTesting.h"

#include <gtest/gtest.h>

#include <functional>
#include <utility>

namespace {

constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlack = 0x000000;
constexpr TColor kRed = 0x0000FF;
constexpr TColor kBlue = 0xFF0000;
constexpr TColor kYellow = 0x00FFFF;

// A picture where neighbouring pixels differ, so that a wrong inversion shows.
QImage Patterned(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y, ToQRgb((static_cast<TColor>(x) * 7919u + y * 104729u) & 0xFFFFFFu));
  return image;
}

// The pixels that differ between two pictures of the same size, as a black-on-white mask.
QImage Difference(const QImage &a, const QImage &b) {
  QImage mask = WhiteImage(a.width(), a.height());
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x)
      if (a.pixel(x, y) != b.pixel(x, y))
        mask.setPixel(x, y, ToQRgb(kBlack));
  return mask;
}

TEST(CanvasTest, RectangleOutlinesItsBoxAndFillsInside) {
  for (const bool swapped : {false, true}) {
    QImage image = WhiteImage(30, 30);
    TCanvas canvas(&image);
    canvas.Brush.SetColor(kRed);
    if (swapped)
      canvas.Rectangle(20, 15, 10, 10);
    else
      canvas.Rectangle(10, 10, 20, 15);
    EXPECT_EQ(ChangedBox(image, kWhite), (PixelBox{10, 10, 19, 14})) << swapped;
    for (const QPoint corner : {QPoint(10, 10), QPoint(19, 10), QPoint(10, 14), QPoint(19, 14)})
      EXPECT_EQ(PixelAt(image, corner.x(), corner.y()), Rgb{kBlack});
    EXPECT_EQ(CountColor(image, kBlack), 2 * (10 + 5) - 4);
    EXPECT_EQ(CountColor(image, kRed), 8 * 3);
  }
}

TEST(CanvasTest, RectangleWithClearPenFillsOnePixelLess) {
  QImage image = WhiteImage(30, 30);
  TCanvas canvas(&image);
  canvas.Brush.SetColor(kRed);
  canvas.Pen.Style = TPenStyle::psClear;
  canvas.Rectangle(10, 10, 20, 15);
  EXPECT_EQ(ChangedBox(image, kWhite), (PixelBox{10, 10, 18, 13}));
  EXPECT_EQ(CountColor(image, kRed), 9 * 4);
}

TEST(CanvasTest, RectangleWithClearBrushLeavesTheInside) {
  QImage image = WhiteImage(30, 30);
  TCanvas canvas(&image);
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Rectangle(10, 10, 20, 15);
  EXPECT_EQ(CountColor(image, kBlack), 26);
  EXPECT_EQ(PixelAt(image, 15, 12), Rgb{kWhite});
}

TEST(CanvasTest, EllipseFitsTheRectangleBox) {
  QImage image = WhiteImage(40, 40);
  TCanvas canvas(&image);
  canvas.Brush.SetColor(kRed);
  canvas.Ellipse(10, 10, 30, 30);
  EXPECT_EQ(ChangedBox(image, kWhite), (PixelBox{10, 10, 29, 29}));
  EXPECT_EQ(PixelAt(image, 20, 20), Rgb{kRed});
  EXPECT_EQ(PixelAt(image, 10, 19), Rgb{kBlack});
  EXPECT_EQ(PixelAt(image, 29, 20), Rgb{kBlack});
  EXPECT_EQ(PixelAt(image, 10, 10), Rgb{kWhite}); // a corner of the box is outside
  // A circle in an even box is symmetric about the box's middle both ways.
  for (int y = 10; y < 30; ++y)
    for (int x = 10; x < 30; ++x) {
      ASSERT_EQ(PixelAt(image, x, y), PixelAt(image, 39 - x, y)) << x << "," << y;
      ASSERT_EQ(PixelAt(image, x, y), PixelAt(image, x, 39 - y)) << x << "," << y;
    }
}

TEST(CanvasTest, EllipseWithClearPenFillsOnePixelLess) {
  QImage image = WhiteImage(40, 40);
  TCanvas canvas(&image);
  canvas.Brush.SetColor(kRed);
  canvas.Pen.Style = TPenStyle::psClear;
  canvas.Ellipse(10, 10, 30, 30);
  EXPECT_EQ(ChangedBox(image, kWhite), (PixelBox{10, 10, 28, 28}));
  EXPECT_EQ(CountColor(image, kBlack), 0);
}

TEST(CanvasTest, SmallAndWideOutlinedEllipsesStayInTheirBoxes) {
  struct Case {
    int x1, y1, x2, y2, width;
    PixelBox box;
  };
  const Case cases[] = {
      {16, 16, 24, 24, 1, {16, 16, 23, 23}}, // a test charge's disc
      {10, 10, 30, 30, 2, {10, 10, 29, 29}}, // the selected charge's outline
      {5, 5, 7, 7, 1, {5, 5, 6, 6}},
      {5, 5, 6, 9, 1, {5, 5, 5, 8}},
  };
  for (const Case &c : cases) {
    QImage image = WhiteImage(40, 40);
    TCanvas canvas(&image);
    canvas.Pen.Width = c.width;
    canvas.Brush.SetColor(kRed);
    canvas.Ellipse(c.x1, c.y1, c.x2, c.y2);
    EXPECT_EQ(ChangedBox(image, kWhite), c.box) << c.x1 << "," << c.y1 << " w " << c.width;
  }
}

// The shape table stands for EllipseRow wherever the box lies: on and off the surface, at odd
// and even corners, far out in both directions.
TEST(CanvasTest, EllipseShapeGivesTheRowsOfEveryBoxOfItsSize) {
  const int64_t corners[][2] = {{0, 0}, {7, 3}, {-13, -6}, {791, 534}, {-2147483647, 2147483000}};
  for (int64_t width = 1; width <= 33; ++width)
    for (int64_t height = 1; height <= 33; ++height) {
      const raster::TEllipseShape shape(width, height);
      for (const auto &corner : corners) {
        const raster::TBox box{corner[0], corner[1], corner[0] + width - 1, corner[1] + height - 1};
        for (int64_t y = box.Top - 1; y <= box.Bottom + 1; ++y) {
          int64_t left = 0, right = 0, shapeLeft = 0, shapeRight = 0;
          const bool inRow = raster::EllipseRow(box, y, left, right);
          ASSERT_EQ(shape.Row(box, y, shapeLeft, shapeRight), inRow)
              << width << "x" << height << " at " << corner[0] << "," << y;
          if (inRow) {
            ASSERT_EQ(std::make_pair(shapeLeft, shapeRight), std::make_pair(left, right))
                << width << "x" << height << " at " << corner[0] << "," << y;
          }
        }
      }
    }
}

TEST(CanvasTest, FillRectCoversItsBoxOnlyWithASolidBrush) {
  QImage image = WhiteImage(12, 12);
  TCanvas canvas(&image);
  canvas.Brush.SetColor(kBlue);
  canvas.FillRect({3, 4, 8, 6});
  EXPECT_EQ(ChangedBox(image, kWhite), (PixelBox{3, 4, 7, 5}));
  EXPECT_EQ(CountColor(image, kBlue), 10);
  canvas.FillRect({9, 9, 9, 11}); // empty
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.FillRect({0, 0, 12, 12});
  EXPECT_EQ(CountColor(image, kBlue), 10);
}

TEST(CanvasTest, FrameRectDrawsTheOutermostPixelsInTheBrushColour) {
  QImage image = WhiteImage(12, 12);
  TCanvas canvas(&image);
  canvas.Pen.Color = kRed; // the pen plays no part
  canvas.Brush.SetColor(kBlue);
  canvas.FrameRect({2, 2, 10, 7});
  EXPECT_EQ(ChangedBox(image, kWhite), (PixelBox{2, 2, 9, 6}));
  EXPECT_EQ(CountColor(image, kBlue), 2 * (8 + 5) - 4);
  EXPECT_EQ(PixelAt(image, 5, 4), Rgb{kWhite});

  image = WhiteImage(12, 12);
  canvas.FrameRect({2, 2, 3, 7}); // one column wide
  EXPECT_EQ(CountColor(image, kBlue), 5);
}

TEST(CanvasTest, ShapesAreClippedToTheDevice) {
  QImage image = WhiteImage(10, 10);
  TCanvas canvas(&image);
  canvas.Brush.SetColor(kRed);
  canvas.Rectangle(-1000000000, -5, 5, 1000000000);
  EXPECT_EQ(ChangedBox(image, kWhite), (PixelBox{0, 0, 4, 9}));
  canvas.Ellipse(-30, -30, 1000000000, 1000000000);
  canvas.Ellipse(1000000000, 0, 1000000020, 20);
  canvas.FillRect({-1000000000, -1000000000, 1000000000, 1000000000});
  EXPECT_EQ(CountColor(image, kRed), 100);
}

// pmNot inverts every pixel the pen touches exactly once, whatever the pen colour, so that
// the same strokes drawn twice give back the picture.
TEST(CanvasTest, InvertingPenTwiceRestoresThePicture) {
  const std::function<void(TCanvas &)> strokes[] = {
      [](TCanvas &c) { // a closed polyline that crosses itself nowhere
        c.MoveTo(5, 5);
        c.LineTo(40, 5);
        c.LineTo(40, 30);
        c.LineTo(5, 30);
        c.LineTo(5, 5);
      },
      [](TCanvas &c) {
        c.Pen.Style = TPenStyle::psDash;
        c.MoveTo(2, 40);
        c.LineTo(60, 44);
      },
      [](TCanvas &c) {
        c.Pen.Width = 3;
        c.MoveTo(10, 10);
        c.LineTo(50, 35);
        c.LineTo(10, 45);
      },
      [](TCanvas &c) {
        c.Pen.Width = 2;
        c.MoveTo(3, 3);
        c.LineTo(3, 40);
      },
      [](TCanvas &c) {
        c.Brush.Style = TBrushStyle::bsClear;
        c.Pen.Width = 3;
        c.Rectangle(12, 12, 40, 30);
      },
      [](TCanvas &c) {
        c.Brush.Style = TBrushStyle::bsClear;
        c.Ellipse(20, 8, 44, 28);
        c.Pen.Width = 2;
        c.Ellipse(0, 0, 21, 21);
      },
  };
  for (size_t i = 0; i < std::size(strokes); ++i) {
    const QImage original = Patterned(64, 48);
    QImage image = original;
    TCanvas canvas(&image);
    canvas.Pen.Mode = TPenMode::pmNot;
    canvas.Pen.Color = kRed;
    const TCanvas settings = canvas;
    strokes[i](canvas);
    EXPECT_NE(image, original) << i;
    canvas = settings;
    strokes[i](canvas);
    EXPECT_EQ(image, original) << "strokes " << i;
  }
}

TEST(CanvasTest, InvertingPenTouchesTheSamePixelsAsACopyingPen) {
  const std::function<void(TCanvas &)> strokes[] = {
      [](TCanvas &c) { // the selected entry of the colour list
        c.Brush.Style = TBrushStyle::bsClear;
        c.Pen.Width = 3;
        c.Rectangle(12, 12, 40, 30);
      },
      [](TCanvas &c) {
        c.Pen.Width = 3;
        c.MoveTo(10, 10);
        c.LineTo(50, 35);
        c.LineTo(10, 45);
      },
      [](TCanvas &c) { // the shared corners of a polyline are set once
        c.MoveTo(5, 5);
        c.LineTo(40, 5);
        c.LineTo(40, 30);
        c.LineTo(5, 5);
      },
  };
  for (size_t i = 0; i < std::size(strokes); ++i) {
    QImage copied = WhiteImage(64, 48);
    TCanvas copying(&copied);
    strokes[i](copying);

    const QImage original = Patterned(64, 48);
    QImage inverted = original;
    TCanvas inverting(&inverted);
    inverting.Pen.Mode = TPenMode::pmNot;
    inverting.Pen.Color = kBlue;
    strokes[i](inverting);
    EXPECT_EQ(Difference(original, inverted), copied) << "strokes " << i;
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x)
        if (original.pixel(x, y) != inverted.pixel(x, y)) {
          ASSERT_EQ(PixelAt(inverted, x, y), Rgb{~FromQRgb(original.pixel(x, y)) & 0xFFFFFFu});
        }
  }
}

TEST(CanvasTest, WidePenRectangleStraddlesTheOutline) {
  QImage image = WhiteImage(50, 40);
  TCanvas canvas(&image);
  canvas.Pen.Width = 3;
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.Rectangle(12, 12, 40, 30);
  EXPECT_EQ(ChangedBox(image, kWhite), (PixelBox{11, 11, 40, 30}));
  EXPECT_EQ(PixelAt(image, 14, 20), Rgb{kWhite});
  EXPECT_EQ(PixelAt(image, 13, 20), Rgb{kBlack});
}

TEST(CanvasTest, TextOutMovesTheCurrentPointByTheTextWidth) {
  QImage image = WhiteImage(120, 40);
  TCanvas canvas(&image);
  const QString text = QStringLiteral("Kraftbild 1,5 m");
  const int width = canvas.TextWidth(text);
  const int height = canvas.TextHeight(text);
  ASSERT_GT(width, 0);
  canvas.TextOut(5, 6, text);
  EXPECT_EQ(canvas.PenPos(), (TPoint{5 + width, 6}));
  canvas.TextOut(-1000, 3, QString());
  EXPECT_EQ(canvas.PenPos(), (TPoint{-1000, 3}));
  // 8 points at 96 pixels per inch: an 11 pixel font, so a line is taller than 11 pixels.
  EXPECT_GE(height, 11);
  EXPECT_LT(height, 22);
}

TEST(CanvasTest, TextCellIsPaintedOnlyUnderASolidBrush) {
  const QString text = QStringLiteral("Wg 0 m");
  for (const bool solid : {true, false}) {
    QImage image = WhiteImage(80, 30);
    TCanvas canvas(&image);
    canvas.Brush.SetColor(kYellow);
    if (!solid)
      canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.Font.Color = kBlue;
    const PixelBox cell{10, 5, 10 + canvas.TextWidth(text) - 1, 5 + canvas.TextHeight(text) - 1};
    canvas.TextOut(10, 5, text);
    const PixelBox changed = ChangedBox(image, kWhite);
    if (solid) {
      EXPECT_EQ(changed, cell);
      EXPECT_EQ(PixelAt(image, cell.Left, cell.Top), Rgb{kYellow});
      EXPECT_EQ(PixelAt(image, cell.Right, cell.Bottom), Rgb{kYellow});
    } else {
      EXPECT_EQ(CountColor(image, kYellow), 0);
      EXPECT_GE(changed.Left, cell.Left);
      EXPECT_LE(changed.Right, cell.Right);
      EXPECT_GE(changed.Top, cell.Top);
      EXPECT_LE(changed.Bottom, cell.Bottom);
    }
    EXPECT_GT(CountColor(image, kBlue), 0) << "the glyphs are drawn in the font colour";
  }
}

TEST(CanvasTest, FontSizeAndBoldChangeTheExtent) {
  TCanvas canvas;
  const QString text = QStringLiteral("Entwicklungszeit: ");
  const int normal = canvas.TextWidth(text);
  canvas.Font.Style = fsBold;
  EXPECT_GT(canvas.TextWidth(text), normal);
  canvas.Font.Style = 0;
  const int smallHeight = canvas.TextHeight(text);
  canvas.Font.Size = 16;
  EXPECT_GT(canvas.TextHeight(text), smallHeight * 3 / 2);
  EXPECT_GT(canvas.TextWidth(text), normal * 3 / 2);
}

TEST(CanvasTest, DrawCopiesOpaqueImagesAndKeepsWhatIconsLeaveTransparent) {
  QImage opaque(3, 3, QImage::Format_RGB32);
  opaque.fill(ToQRgb(kRed));
  QImage icon(2, 1, QImage::Format_ARGB32);
  icon.setPixel(0, 0, qRgba(0, 0, 255, 255));
  icon.setPixel(1, 0, qRgba(0, 0, 0, 0));

  QImage image = WhiteImage(5, 5);
  TCanvas canvas(&image);
  canvas.Draw(-1, -1, opaque);
  canvas.Draw(3, 4, icon);
  canvas.Draw(0, 4, QImage());
  EXPECT_EQ(ChangedBox(image, kWhite), (PixelBox{0, 0, 3, 4}));
  EXPECT_EQ(CountColor(image, kRed), 4);
  EXPECT_EQ(PixelAt(image, 3, 4), Rgb{kBlue});
  EXPECT_EQ(PixelAt(image, 4, 4), Rgb{kWhite});
}

TEST(CanvasTest, CanvasWithoutDeviceDrawsNothingAndStillMoves) {
  TCanvas canvas;
  canvas.MoveTo(1, 2);
  canvas.LineTo(30, 40);
  canvas.Rectangle(0, 0, 10, 10);
  canvas.Ellipse(0, 0, 10, 10);
  canvas.FillRect({0, 0, 5, 5});
  canvas.Draw(0, 0, WhiteImage(2, 2));
  canvas.TextOut(3, 4, QStringLiteral("x"));
  EXPECT_EQ(canvas.PenPos(), (TPoint{3 + canvas.TextWidth(QStringLiteral("x")), 4}));
}

TEST(CanvasTest, DeviceOfAnotherPixelFormatRefusesDrawing) {
  QImage image(10, 10, QImage::Format_RGB16);
  TCanvas canvas(&image);
  canvas.MoveTo(0, 0);
  EXPECT_THROW(canvas.LineTo(5, 5), EInvalidOperation);
}

TEST(BitmapTest, ResizeKeepsTheTopLeftAndFillsWithTheBrushColour) {
  TBitmap bitmap(4, 3);
  EXPECT_EQ(CountColor(bitmap.Image(), kWhite), 12) << "white when never used";
  bitmap.Canvas().Brush.SetColor(kRed);
  bitmap.Canvas().FillRect({3, 2, 4, 3});
  bitmap.Canvas().Brush.SetColor(kBlue);
  bitmap.SetSize(6, 5);
  ASSERT_EQ(bitmap.Width(), 6);
  ASSERT_EQ(bitmap.Height(), 5);
  EXPECT_EQ(PixelAt(bitmap.Image(), 3, 2), Rgb{kRed});
  EXPECT_EQ(PixelAt(bitmap.Image(), 0, 0), Rgb{kWhite});
  EXPECT_EQ(CountColor(bitmap.Image(), kBlue), 30 - 12);

  bitmap.SetSize(2, 2);
  EXPECT_EQ(CountColor(bitmap.Image(), kWhite), 4);
  bitmap.SetSize(0, 5);
  EXPECT_EQ(bitmap.Width(), 0);
  EXPECT_EQ(bitmap.Height(), 5);
  bitmap.SetSize(3, 3);
  EXPECT_EQ(CountColor(bitmap.Image(), kBlue), 9);
}

TEST(BitmapTest, CopiesDrawOnTheirOwnPixels) {
  TBitmap first(3, 3);
  TBitmap second = first;
  second.Canvas().Brush.SetColor(kRed);
  second.Canvas().FillRect({0, 0, 3, 3});
  EXPECT_EQ(CountColor(first.Image(), kWhite), 9);
  EXPECT_EQ(CountColor(second.Image(), kRed), 9);
  first = second;
  first.Canvas().FillRect({0, 0, 1, 1});
  EXPECT_EQ(first.Canvas().Brush.Color(), kRed);
  EXPECT_EQ(first.Canvas().Device(), &first.Image());
}

} // namespace
