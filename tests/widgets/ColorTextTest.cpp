// Colour texts read as integers ("$" hexadecimal and decimal), and contrast colours.
#include "widgets/ColorText.h"
#include "base/Errors.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorTextTest, ReadsHexadecimalAndDecimalAsInteger) {
  const struct {
    const char *Text;
    TColor Value;
  } cases[] = {
      {"$0000FF", 0xFF},
      {"$0000ff", 0xFF},
      {"$00A609", 0xA609},
      {"255", 255},
      {"+17", 17},
      {"-1", 0xFFFFFFFF},
      {"$FFFFFFFF", 0xFFFFFFFF},
      {"$000000000FF", 0xFF}, // leading zeros do not count
      {"2147483647", 0x7FFFFFFF},
      {"-2147483648", 0x80000000},
  };
  for (const auto &c : cases)
    EXPECT_EQ(ColorTextToInt(QString::fromLatin1(c.Text)), c.Value) << c.Text;
}

TEST(ColorTextTest, TextThatIsNoNumberRaisesTheConversionError) {
  for (const char *text : {"", "$", "rot", "12a", "$12G", " 12", "$100000000", "2147483648",
                           "-2147483649", "0x12", "-"}) {
    try {
      ColorTextToInt(QString::fromLatin1(text));
      ADD_FAILURE() << "no error for '" << text << "'";
    } catch (const EConvertError &e) {
      EXPECT_EQ(e.Message(), QStringLiteral("'%1' ist kein gültiger Integerwert").arg(text));
    }
  }
}

TEST(ColorTextTest, ContrastColorInvertsButTurnsMidGreyWhite) {
  const struct {
    TColor Value;
    TColor Contrast;
  } cases[] = {
      {0x000000, 0xFFFFFF}, {0xFFFFFF, 0x000000}, {0x0000FF, 0xFFFF00},
      {0x808080, 0xFFFFFF}, {0x7F7F7F, 0x808080}, {0x80808080, 0xFFFFFF}, // high byte ignored
      {0x00A609, 0xFF59F6},
  };
  for (const auto &c : cases)
    EXPECT_EQ(ContrastColor(c.Value), c.Contrast) << std::hex << c.Value;
}

} // namespace
