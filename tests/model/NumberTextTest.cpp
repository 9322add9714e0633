#include "model/NumberText.h"

#include "base/Errors.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

// Expected texts are written with a comma; the English run expects a point in its place.
std::string InLocale(const char *germanText) {
  QString text = QString::fromUtf8(germanText);
  if (QLocale().decimalPoint() == QStringLiteral("."))
    text.replace(QLatin1Char(','), QLatin1Char('.'));
  return text.toStdString();
}

std::string Str(const QString &text) { return text.toStdString(); }

class NumberTextTest : public ::testing::TestWithParam<QLocale::Language> {
protected:
  void SetUp() override { QLocale::setDefault(QLocale(GetParam())); }
  void TearDown() override { QLocale::setDefault(saved_); }

private:
  QLocale saved_;
};

struct FormatCase {
  long double value;
  const char *text;
};

TEST_P(NumberTextTest, FixedWithFourDecimals) {
  const std::vector<FormatCase> cases = {
      {0, "0"},
      {0.5L, "0,5"},
      {-0.5L, "-0,5"},
      {1234.56789L, "1234,5679"},
      {0.99995L, "1"},
      {0.99994L, "0,9999"},
      {-0.99995L, "-1"},
      {0.00004L, "0"},
      {-0.00004L, "0"},
      {-0.00005L, "-0,0001"},
      {-0.0L, "0"},
      {100, "100"},
      {0.026458333L, "0,0265"},
      {12.3L, "12,3"},
      {1e20L, "100000000000000000000"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(Str(FormatFixed(c.value, 4)), InLocale(c.text)) << static_cast<double>(c.value);
}

TEST_P(NumberTextTest, FixedWithTwoDecimals) {
  const std::vector<FormatCase> cases = {
      {0, "0"},         {45, "45"},    {359.996L, "360"}, {359.994L, "359,99"}, {90.5L, "90,5"},
      {0.005L, "0,01"}, {0.004L, "0"}, {-0.004L, "0"},    {270.125L, "270,13"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(Str(FormatFixed(c.value, 2)), InLocale(c.text)) << static_cast<double>(c.value);
}

TEST_P(NumberTextTest, ScientificPattern) {
  const std::vector<FormatCase> cases = {
      {0, "0E+0"},
      {-0.0L, "0E+0"},
      {1, "1E+0"},
      {1e-23L, "1E-23"},
      {1.23456e-20L, "1,235E-20"},
      {-1.23456e-20L, "-1,235E-20"},
      {9.9995e-5L, "1E-4"},
      {9.9994e-5L, "9,999E-5"},
      {12345, "1,235E+4"},
      {8.9875517923e9L, "8,988E+9"},
      {0.5L, "5E-1"},
      {1.5e300L, "1,5E+300"},
      {-2.5L, "-2,5E+0"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(Str(FormatScientific(c.value)), InLocale(c.text)) << static_cast<double>(c.value);
}

TEST_P(NumberTextTest, ShortestWithFifteenDigits) {
  const long double elementary = 1.602177E-19L;
  const std::vector<FormatCase> cases = {
      {0, "0"},
      {1e-23L, "1E-23"},
      {1.23456e-20L, "1,23456E-20"},
      {100, "100"},
      {elementary / elementary, "1"},
      {-3.5L, "-3,5"},
      {0.001L, "0,001"},
      {0.0001L, "0,0001"},
      {0.00001L, "1E-5"},
      {1e15L, "1E15"},
      {999999999999999, "999999999999999"},
      {0.1L + 0.2L, "0,3"},
      {2.0L / 3.0L, "0,666666666666667"},
      {123456789012345678.0L, "1,23456789012346E17"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(Str(FormatShortest(c.value)), InLocale(c.text)) << static_cast<double>(c.value);
}

TEST_P(NumberTextTest, LabelsWithTwoDigits) {
  const std::vector<FormatCase> cases = {
      {0, "0"},
      {0.02L, "0,02"},
      {0.1L, "0,1"},
      {1.5L, "1,5"},
      {20, "20"},
      {0.0002L, "0,0002"},
      {100, "1E2"},
      {150, "1,5E2"},
      {0.00005L, "5E-5"},
      {-0.04L, "-0,04"},
      {99.5L, "1E2"},
      {0.00995L, "0,01"},
      {0.0000995L, "0,0001"},
      {0.0000949L, "9,5E-5"},
      {-150, "-1,5E2"},
      {0.123L, "0,12"},
      {25000, "2,5E4"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(Str(FormatLabel(c.value)), InLocale(c.text)) << static_cast<double>(c.value);
}

// The scale's tick spacing as the background computes it, and the first labels it gets.
TEST_P(NumberTextTest, TickLabelsOfEveryOfferedZoom) {
  struct TickCase {
    long double zoomPercent;
    const char *labels[3];
  };
  const TickCase cases[] = {
      {10, {"0", "0,2", "0,4"}},      {25, {"0", "0,1", "0,2"}},
      {50, {"0", "0,04", "0,08"}},    {100, {"0", "0,02", "0,04"}},
      {200, {"0", "0,01", "0,02"}},   {500, {"0", "0,004", "0,008"}},
      {750, {"0", "0,003", "0,006"}}, {1000, {"0", "0,002", "0,004"}},
  };
  for (const auto &c : cases) {
    const long double pixelsPerMetre = c.zoomPercent / 100 * 96 / 0.0254L;
    const long double t = 96 * 0.01L / 0.0254L / pixelsPerMetre;
    const long double p = std::pow(10.0L, std::nearbyint(std::log10(t)) - 1);
    const long double spacing = std::nearbyint(static_cast<double>(t / p / 5)) * 5 * p;
    for (int k = 0; k < 3; ++k) {
      EXPECT_EQ(Str(FormatLabel(2 * k * spacing)), InLocale(c.labels[k])) << c.zoomPercent;
      EXPECT_EQ(Str(FormatLabel(-2 * k * spacing)),
                k == 0 ? std::string("0") : "-" + InLocale(c.labels[k]));
    }
  }
}

TEST_P(NumberTextTest, StatusNumbersWithThreeDigits) {
  const std::vector<FormatCase> cases = {
      {0, "0"},
      {100 / (96 / 0.0254L), "0,0265"},
      {-100 / (96 / 0.0254L), "-0,0265"},
      {999.4L, "999"},
      {999.5L, "1E003"},
      {-999.5L, "-1E003"},
      {1234.5L, "1,23E003"},
      {0.0001L, "0,0001"},
      {0.000099995L, "0,0001"},
      {0.00009994L, "9,99E-005"},
      {0.5L, "0,5"},
      {12.0L, "12"},
      {1.005L, "1,01"},
      {1e-300L, "1E-300"},
      {2.5e1234L, "2,5E1234"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(Str(FormatStatusNumber(c.value)), InLocale(c.text)) << static_cast<double>(c.value);
}

TEST_P(NumberTextTest, StatusTextOfAMousePosition) {
  const long double pixelsPerMetre = 96 / 0.0254L;
  EXPECT_EQ(Str(StatusPositionText(100 / pixelsPerMetre, 0)), InLocale("( 0,0265 m | 0 m )"));
  EXPECT_EQ(Str(StatusPositionText(-2000, 0.00001L)), InLocale("( -2E003 m | 1E-005 m )"));
}

TEST_P(NumberTextTest, NonFiniteValuesGiveAText) {
  const long double inf = std::numeric_limits<long double>::infinity();
  const long double nan = std::numeric_limits<long double>::quiet_NaN();
  for (const long double v : {inf, -inf, nan}) {
    const std::string expected = std::isnan(v) ? "NAN" : v < 0 ? "-INF" : "INF";
    EXPECT_EQ(Str(FormatFixed(v, 4)), expected);
    EXPECT_EQ(Str(FormatScientific(v)), expected);
    EXPECT_EQ(Str(FormatShortest(v)), expected);
    EXPECT_EQ(Str(FormatLabel(v)), expected);
    EXPECT_EQ(Str(FormatStatusNumber(v)), expected);
  }
}

struct ParseCase {
  const char *text;
  std::optional<long double> value;
};

TEST_P(NumberTextTest, ParsesWhatTheUserTypes) {
  const std::vector<ParseCase> cases = {
      {"0,5", 0.5L},
      {"1,5E2", 150},
      {"1,5e2", 150},
      {"5E-5", 5e-5L},
      {"-3", -3},
      {"+2,", 2},
      {",5", 0.5L},
      {"  7,25  ", 7.25L},
      {"1E+3", 1000},
      {"-0,004", -0.004L},
      {"1,23456E-20", 1.23456e-20L},
      {"100", 100},
      {"1E-4000", 1e-4000L},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"abc", std::nullopt},
      {",", std::nullopt},
      {"-", std::nullopt},
      {"+", std::nullopt},
      {"1,2,3", std::nullopt},
      {"1E", std::nullopt},
      {"1E+", std::nullopt},
      {"E5", std::nullopt},
      {"1 5", std::nullopt},
      {"--1", std::nullopt},
      {"1e5000", std::nullopt},
      {"inf", std::nullopt},
      {"nan", std::nullopt},
      {"0x10", std::nullopt},
      {"1,5 m", std::nullopt},
      {"1E2,5", std::nullopt},
  };
  for (const auto &c : cases) {
    const QString text = QString::fromStdString(InLocale(c.text));
    const auto parsed = ParseNumber(text);
    ASSERT_EQ(parsed.has_value(), c.value.has_value()) << text.toStdString();
    if (c.value) {
      EXPECT_EQ(*parsed, *c.value) << text.toStdString();
    }
  }
}

// Texts as typed, without translation: the point and the comma both mean the decimal
// separator unless the one that groups thousands in the locale stands before three digits.
TEST_P(NumberTextTest, ReadsBothSeparatorsWhereUnambiguous) {
  struct BothCase {
    const char *text;
    std::optional<long double> german;
    std::optional<long double> english;
  };
  const std::optional<long double> refused;
  const std::vector<BothCase> cases = {
      {"1,5", 1.5L, 1.5L},           {"1.5", 1.5L, 1.5L},           {"1.500", refused, 1.5L},
      {"1,500", 1.5L, refused},      {"-1.500", refused, -1.5L},    {"1.500E3", refused, 1500},
      {"1,500E3", 1500, refused},    {"12.500", refused, 12.5L},    {".500", 0.5L, 0.5L},
      {",500", 0.5L, 0.5L},          {"1.5000", 1.5L, 1.5L},        {"1,5000", 1.5L, 1.5L},
      {"12.50", 12.5L, 12.5L},       {"1.50E3", 1500, 1500},        {"3E-2", 3e-2L, 3e-2L},
      {"3e-2", 3e-2L, 3e-2L},        {"-3,5E+4", -3.5e4L, -3.5e4L}, {"-3.5E+4", -3.5e4L, -3.5e4L},
      {"+0.25", 0.25L, 0.25L},       {"  2.75  ", 2.75L, 2.75L},    {"2.", 2, 2},
      {"", refused, refused},        {".", refused, refused},       {"1.000,5", refused, refused},
      {"1,000.5", refused, refused}, {"1.2.3", refused, refused},   {"1..5", refused, refused},
      {"1.5e", refused, refused},    {"1. 5", refused, refused},
  };
  const bool german = GetParam() == QLocale::German;
  for (const auto &c : cases) {
    const auto expected = german ? c.german : c.english;
    const auto parsed = ParseNumber(QString::fromUtf8(c.text));
    ASSERT_EQ(parsed.has_value(), expected.has_value()) << c.text;
    if (expected) {
      EXPECT_EQ(*parsed, *expected) << c.text;
    }
  }
}

TEST_P(NumberTextTest, ReadsBackWhatItWrites) {
  for (const long double v : {1e-23L, 1.23456e-20L, -0.0265L, 150.0L, 1.602177E-19L})
    EXPECT_EQ(ParseNumber(FormatShortest(v)), v) << static_cast<double>(v);
}

TEST_P(NumberTextTest, ConversionErrorQuotesTheText) {
  EXPECT_EQ(StrToNumber(QString::fromStdString(InLocale("1,5E2"))), 150);
  const std::pair<const char *, const char *> cases[] = {
      {"abc", "'abc' ist kein gültiger Gleitkommawert"},
      {"", "'' ist kein gültiger Gleitkommawert"},
      {" 1 %1 ", "' 1 %1 ' ist kein gültiger Gleitkommawert"},
  };
  for (const auto &[text, message] : cases) {
    try {
      StrToNumber(QString::fromUtf8(text));
      ADD_FAILURE() << "no error for " << text;
    } catch (const EConvertError &e) {
      EXPECT_EQ(Str(e.Message()), message);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Locales, NumberTextTest,
                         ::testing::Values(QLocale::German, QLocale::English),
                         [](const auto &info) {
                           return info.param == QLocale::German ? "German" : "English";
                         });

} // namespace
