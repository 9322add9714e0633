// A stamped text against TextOut on the same picture.
#include "display/TextStamp.h"
#include "support/PixelTesting.h"

#include <gtest/gtest.h>

namespace {

// A busy background: colour ramps and one-pixel lines, as under a label on a potential map.
QImage Busy(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      image.setPixel(x, y, qRgb((x * 7 + y) % 256, (y * 5) % 256, (x * y) % 256));
  TCanvas canvas(&image);
  canvas.Pen.Color = 0xFF8000;
  for (int x = 0; x < width; x += 9) {
    canvas.MoveTo(x, 0);
    canvas.LineTo(x + 40, height);
  }
  return image;
}

// Labels of every kind, some of whose glyphs shade a pixel beyond the cell, at places that
// cut them at each edge: the pixels of TextOut.
TEST(TextStampTest, PutSetsThePixelsOfTextOut) {
  for (const char *text : {"-1,5 kV", "120 V", "250 mV", "0 V", "-16 kV", "7 kV", "1,25 MV"}) {
    for (const QPoint at : {QPoint(30, 12), QPoint(-6, 3), QPoint(100, -5), QPoint(120, 40)}) {
      QImage byText = Busy(140, 50);
      QImage byStamp = byText.copy();
      TCanvas textCanvas(&byText);
      TCanvas stampCanvas(&byStamp);
      for (TCanvas *canvas : {&textCanvas, &stampCanvas}) {
        canvas->Font.Size = 8;
        canvas->Font.Color = 0xFF8000;
        canvas->Brush.SetColor(0xFFFFFF);
      }
      const QString label = QString::fromUtf8(text);
      textCanvas.TextOut(at.x(), at.y(), label);
      stampCanvas.Stamp(at.x(), at.y(), TTextStamp(stampCanvas, label));
      EXPECT_EQ(stampCanvas.PenPos(), textCanvas.PenPos());
      ASSERT_EQ(byStamp, byText) << text << " at " << at.x() << "," << at.y();
    }
  }
}

} // namespace
