// Owner drawing of the colour entries, checked on plain images: swatch, centred label in the
// contrast colour, the inverting frame of the selected entry, and the closed box.
#include "base/Errors.h"
#include "support/PixelTesting.h"
#include "widgets/ColorText.h"
#include "widgets/PellColorComboBox.h"

#include <gtest/gtest.h>

namespace {

constexpr int kWidth = 200;
constexpr int kHeight = 20;

QImage DrawEntry(const TColorEntries &entries, int index, bool selected) {
  QImage image = WhiteImage(kWidth, kHeight);
  TCanvas canvas(&image);
  DrawColorEntry(canvas, entries, index, {0, 0, kWidth, kHeight}, selected);
  return image;
}

// Text is smoothed at its edges, so its colour is counted with a tolerance per channel that
// still tells white from $7F7F7F.
int CountNear(const QImage &image, TColor color, int tolerance = 48) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const TColor c = PixelAt(image, x, y).Value;
      bool near = true;
      for (int shift = 0; shift <= 16; shift += 8)
        near =
            near && std::abs(int((c >> shift) & 0xFF) - int((color >> shift) & 0xFF)) <= tolerance;
      n += near ? 1 : 0;
    }
  return n;
}

TColorEntries Defaults() { return TPellColorComboBox().Entries(); }

TEST(ColorEntryDrawTest, LabelIsCentredOnTheSwatchInTheContrastColour) {
  const struct {
    int Index;
    TColor Swatch;
    TColor Text;
  } cases[] = {{4, 0x0000FF, 0xFFFF00}, {0, 0x000000, 0xFFFFFF}, {1, 0x808080, 0xFFFFFF}};
  const TColorEntries entries = Defaults();
  for (const auto &c : cases) {
    const QImage image = DrawEntry(entries, c.Index, false);
    EXPECT_EQ(PixelAt(image, 0, 0), Rgb{c.Swatch});
    EXPECT_EQ(PixelAt(image, kWidth - 1, kHeight - 1), Rgb{c.Swatch});
    EXPECT_GT(CountNear(image, c.Text), 10) << c.Index;
    const PixelBox label = ChangedBox(image, c.Swatch);
    EXPECT_LE(std::abs(label.Left - (kWidth - 1 - label.Right)), 2) << c.Index;
    EXPECT_LE(std::abs(label.Top - (kHeight - 1 - label.Bottom)), 4) << c.Index;
  }
}

TEST(ColorEntryDrawTest, SelectedEntryHasThreePixelInvertedFrameInsetByTwo) {
  TColorEntries entries = Defaults();
  entries.ShowText = false; // a bare black swatch, so that the frame alone shows
  const QImage image = DrawEntry(entries, 0, true);
  EXPECT_EQ(ChangedBox(image, 0x000000), (PixelBox{1, 1, kWidth - 2, kHeight - 2}));
  // The ring from the outer box 1..198 x 1..18 to the inner box 4..195 x 4..15.
  EXPECT_EQ(CountColor(image, 0xFFFFFF), 198 * 18 - 192 * 12);
  EXPECT_EQ(PixelAt(image, 3, 10), Rgb{0xFFFFFF});
  EXPECT_EQ(PixelAt(image, 4, 10), Rgb{0x000000});
}

TEST(ColorEntryDrawTest, WithoutTextSwatchesAreBareAndFreeEntryShowsQuestionMark) {
  TColorEntries entries = Defaults();
  entries.ShowText = false;
  entries.CustomColor = 0x00A609;
  EXPECT_EQ(CountColor(DrawEntry(entries, 6, false), 0x00FFFF), kWidth * kHeight);
  EXPECT_EQ(entries.EntryText(15), QStringLiteral("?"));
  const QImage free = DrawEntry(entries, 15, false);
  EXPECT_EQ(PixelAt(free, 0, 0), Rgb{0x00A609});
  EXPECT_GT(CountNear(free, ContrastColor(0x00A609)), 0);

  entries.ShowText = true;
  EXPECT_EQ(entries.EntryText(15), QStringLiteral("Andere Farbe: $00A609"));
  // A longer label covers more of the swatch than the question mark.
  EXPECT_GT(CountNear(DrawEntry(entries, 15, false), ContrastColor(0x00A609)),
            CountNear(free, ContrastColor(0x00A609)));
}

TEST(ColorEntryDrawTest, ColourTextThatIsNoNumberFailsToDraw) {
  TColorEntries entries = Defaults();
  entries.Colors[2] = QStringLiteral("hell");
  EXPECT_THROW(DrawEntry(entries, 2, false), EConvertError);
  EXPECT_NO_THROW(DrawEntry(entries, 1, false));
}

TEST(ColorEntryDrawTest, ClosedBoxShowsItsSelectedSwatch) {
  TPellColorComboBox combo;
  const QImage empty = combo.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(CountColor(empty, 0x00A609), 0);
  combo.SetColor(0x00A609);
  const QImage shown = combo.grab().toImage().convertToFormat(QImage::Format_RGB32);
  // Nearly the whole entry field, 20 pixels high, is the swatch.
  EXPECT_GT(CountColor(shown, 0x00A609), 100 * 15);
}

} // namespace
