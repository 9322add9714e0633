// True size: which density of a screen is believed, how a calibration is stepped and bounded,
// and the bar the user matches to a bank card or a ruler.
#include "base/ScreenDensity.h"
#include "widgets/CalibrationDialog.h"

#include <QComboBox>
#include <QDoubleSpinBox>

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(ScreenDensityTest, ReportedSizeWherePlausibleElseTheServersOrTheLogicalDensity) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  const struct {
    const char *what;
    TScreenReport report; // reported, X server, device ratio, logical
    double expected;      // logical px per inch
  } cases[] = {
      {"a 15.6-inch full HD laptop", {141.2, 96, 1, 96}, 141.2},
      {"the same at 150 %", {141.2, 96, 1.5, 96}, 141.2 / 1.5},
      {"a 4K laptop at 200 %", {282, 0, 2, 96}, 141},
      {"Xvfb -dpi 120: RandR's stand-in, the core size", {95.94, 120, 1, 96}, 120},
      {"Xvfb -dpi 120 at 150 %", {95.94, 120, 1.5, 96}, 80},
      {"a true 96-dpi monitor", {96, 96, 1, 96}, 96},
      {"a stand-in without an X server", {95.94, 0, 1, 96}, 95.94},
      {"the ends of the range count", {50, 0, 1, 96}, 50},
      {"", {350, 0, 1, 96}, 350},
      {"a projector's made-up size", {49.9, 0, 1, 120}, 120},
      {"a bogus EDID", {350.1, 0, 1, 96}, 96},
      {"no size", {0, 0, 1, 96}, 96},
      {"a stand-in, the server's implausible", {96, 20, 1, 144}, 144},
      {"nothing believable", {kNaN, 0, 1, kNaN}, kLogicalPixelsPerInch},
  };
  for (const auto &c : cases)
    EXPECT_DOUBLE_EQ(TruePixelsPerInch(c.report), c.expected) << c.what;
}

TEST(CalibrationTest, FactorsGoInTenthsOfAPercentWithinBounds) {
  const struct {
    double factor, expected;
  } cases[] = {
      {1, 1},
      {1.0004, 1},
      {1.0006, 1.001},
      {0.9996, 1},
      {1.2346, 1.235},
      {0.1, kCalibrationMin},
      {7, kCalibrationMax},
      {std::numeric_limits<double>::quiet_NaN(), 1},
  };
  for (const auto &c : cases)
    EXPECT_DOUBLE_EQ(CalibrationStep(c.factor), c.expected) << c.factor;
}

TEST(CalibrationTest, TheBarIsTheReferenceAtTheCalibratedDensity) {
  TCalibrationDialog dialog(120, 1.05);
  auto *percent = dialog.findChild<QDoubleSpinBox *>();
  auto *reference = dialog.findChild<QComboBox *>();
  ASSERT_NE(percent, nullptr);
  ASSERT_NE(reference, nullptr);
  EXPECT_DOUBLE_EQ(percent->value(), 105.0);
  EXPECT_NEAR(dialog.BarLength(), 85.60 / 25.4 * 120 * 1.05, 1e-9);
  // One step of the box is 0.1 %.
  percent->stepBy(1);
  EXPECT_DOUBLE_EQ(dialog.Factor(), 1.051);
  reference->setCurrentIndex(1); // the ruler's 10 cm
  EXPECT_NEAR(dialog.BarLength(), 100 / 25.4 * 120 * 1.051, 1e-9);
}

} // namespace
