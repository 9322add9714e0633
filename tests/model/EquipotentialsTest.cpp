#include "model/Equipotentials.h"

#include "DocumentFixture.h"
#include "model/Field.h"

#include <QLocale>

#include <cmath>
#include <random>

namespace {

using EquipotentialsTest = DocumentTest;

// Radius (px) of the circle of volts about a lone charge q at that zoom (px/m).
long double Radius(long double q, long double volts, long double pixelsPerMetre) {
  return q / (4 * kPi * 8.854188e-12L * volts) * pixelsPerMetre;
}

// Largest gap (px) between neighbouring points of a closed line.
double LargestGap(const TIsoLine &line) {
  double gap = 0;
  for (size_t i = 0; i < line.Points.size(); ++i) {
    const TIsoPoint &a = line.Points[i];
    const TIsoPoint &b = line.Points[(i + 1) % line.Points.size()];
    gap = std::max(gap, std::hypot(a.X - b.X, a.Y - b.Y));
  }
  return gap;
}

TEST_F(EquipotentialsTest, OneChargeGivesWholeCirclesOfRadiusKqOverV) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> place(250, 540);
  // The last charge is beyond the range of doubles in volts.
  for (const long double q : {1e-11L, -3.3e-11L, 7e-12L, 5e305L}) {
    scene.Charges.Clear();
    const double cx = std::round(place(random)) + 0.25;
    const double cy = std::round(place(random) - 130) + 0.5;
    AddCharge(cx, cy, q);
    AddCharge(cx + 30, cy, 1e-9L, /*testCharge=*/true); // test charges make no field
    const TPotentialGrid grid(scene, surfaceSize);
    const std::vector<long double> levels = AutomaticLevels(grid);
    ASSERT_GE(levels.size(), 8u);
    int whole = 0;
    for (const TIsoLine &line : TraceEquipotentials(grid, levels)) {
      const long double r = Radius(q, line.Level, scene.PixelsPerMetre);
      for (const TIsoPoint &p : line.Points)
        ASSERT_NEAR(std::hypot(p.X - cx, p.Y - cy), static_cast<double>(r), 0.25) << line.Level;
      if (r + 2 < std::min({cx, cy, surfaceSize.Width - cx, surfaceSize.Height - cy})) {
        EXPECT_TRUE(line.Closed) << line.Level;
        EXPECT_LT(LargestGap(line), 1.5 * kPotentialGridStep) << line.Level;
        ++whole;
      }
    }
    EXPECT_GE(whole, 5);
  }
}

// Circles that hug a charge's disc, where the grid's cells reach into it: drawn whole, with
// no point inside the disc, and every chord between neighbouring points near the arc it
// stands for. Circles inside the disc are not drawn.
TEST_F(EquipotentialsTest, CirclesRightOutsideTheDiscAreWholeAndTheirChordsKeepToThem) {
  const long double q = 3e-11L;
  const double cx = 401.25;
  const double cy = 263.5;
  AddCharge(cx, cy, q);
  const TPotentialGrid grid(scene, surfaceSize);
  for (const long double r : {10.2L, 11.0L, 12.5L, 15.0L, 9.0L}) {
    const std::vector<TIsoLine> lines =
        TraceEquipotentials(grid, {Radius(q, 1, scene.PixelsPerMetre) / r});
    if (r < kEquipotentialDiscRadius) {
      EXPECT_TRUE(lines.empty()) << static_cast<double>(r);
      continue;
    }
    ASSERT_EQ(lines.size(), 1u) << static_cast<double>(r);
    const TIsoLine &line = lines.front();
    EXPECT_TRUE(line.Closed);
    for (size_t i = 0; i < line.Points.size(); ++i) {
      const TIsoPoint &a = line.Points[i];
      const TIsoPoint &b = line.Points[(i + 1) % line.Points.size()];
      ASSERT_NEAR(std::hypot(a.X - cx, a.Y - cy), static_cast<double>(r), 0.25);
      const double middle = std::hypot((a.X + b.X) / 2 - cx, (a.Y + b.Y) / 2 - cy);
      ASSERT_GT(middle, static_cast<double>(r) - 0.2) << static_cast<double>(r) << " " << i;
    }
  }
}

TEST_F(EquipotentialsTest, ZeroVoltsOfOppositeChargesIsTheBisector) {
  std::mt19937 random(3);
  std::uniform_real_distribution<double> x(50, 740);
  std::uniform_real_distribution<double> y(50, 480);
  for (int round = 0; round < 5; ++round) {
    scene.Charges.Clear();
    const double ax = std::round(x(random));
    const double ay = std::round(y(random));
    const double bx = std::round(x(random));
    const double by = std::round(y(random));
    AddCharge(ax, ay, 2e-10L);
    AddCharge(bx, by, -2e-10L);
    const TPotentialGrid grid(scene, surfaceSize);
    const std::vector<TIsoLine> lines = TraceEquipotentials(grid, {0.0L});
    ASSERT_FALSE(lines.empty());
    const double length = std::hypot(bx - ax, by - ay);
    size_t points = 0;
    for (const TIsoLine &line : lines) {
      EXPECT_FALSE(line.Closed);
      for (const TIsoPoint &p : line.Points) {
        // Signed distance from the midpoint along the axis between the charges.
        const double along =
            ((p.X - (ax + bx) / 2) * (bx - ax) + (p.Y - (ay + by) / 2) * (by - ay)) / length;
        ASSERT_NEAR(along, 0, 0.25);
      }
      points += line.Points.size();
    }
    // The bisector crosses the whole picture: at least its shorter extent in points.
    EXPECT_GE(points, static_cast<size_t>(std::min(surfaceSize.Width, surfaceSize.Height) /
                                          kPotentialGridStep) -
                          2);
  }
}

TEST_F(EquipotentialsTest, LikeChargesGiveTheFigureEightThroughTheSaddle) {
  const long double q = 1e-10L;
  AddCharge(300, 260, q);
  AddCharge(500, 260, q);
  const long double saddle = PotentialAtPoint(scene, 400, 260);
  const TPotentialGrid grid(scene, surfaceSize);
  const std::vector<TIsoLine> lines = TraceEquipotentials(grid, {saddle});
  // Both loops all round: every 10 degree sector about each charge has points of the
  // curve, out to the loop's far end on the axis (61.8 px from the charge).
  bool sector[2][36] = {};
  double farthest[2] = {0, 0};
  for (const TIsoLine &line : lines) {
    for (const TIsoPoint &p : line.Points) {
      const long double v = PotentialAtPoint(scene, p.X, p.Y);
      TVector e;
      ForceAt(scene, e, p.X, p.Y, 1);
      const long double gradient = e.Length() / scene.PixelsPerMetre; // V per px
      ASSERT_LE(std::fabs(v - saddle), 0.25L * gradient + 1e-9L * saddle);
      const int side = p.X < 400 ? 0 : 1;
      const double cx = side == 0 ? 300 : 500;
      const double angle = std::atan2(p.Y - 260, p.X - cx) + kPi;
      sector[side][std::min(35, static_cast<int>(angle / (2 * kPi) * 36))] = true;
      farthest[side] = std::max(farthest[side], std::fabs(p.X - cx));
    }
  }
  for (int side = 0; side < 2; ++side) {
    for (int s = 0; s < 36; ++s)
      EXPECT_TRUE(sector[side][s]) << side << " " << s;
    EXPECT_NEAR(farthest[side], 100, kPotentialGridStep); // the saddle, within its cell
  }
  // The outer ends: 1/r + 1/(r + 200) = 2/100 gives r = 50 (sqrt 5 - 1).
  const TIsoPoint leftEnd{300 - 50 * (std::sqrt(5.0) - 1), 260};
  double nearest = 1e9;
  for (const TIsoLine &line : lines)
    for (const TIsoPoint &p : line.Points)
      nearest = std::min(nearest, std::hypot(p.X - leftEnd.X, p.Y - leftEnd.Y));
  EXPECT_LT(nearest, 1.0);
}

TEST_F(EquipotentialsTest, LevelsFollowTheOneTwoFiveSequenceAndHoldTheirVertices) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> x(0, 792);
  std::uniform_real_distribution<double> y(0, 535);
  std::uniform_real_distribution<double> value(-5e-10, 5e-10);
  for (int round = 0; round < 6; ++round) {
    scene.Charges.Clear();
    for (int i = 0; i <= round; ++i)
      AddCharge(std::round(x(random)), std::round(y(random)), value(random));
    const TPotentialGrid grid(scene, surfaceSize);
    const long double s = AutomaticSpacing(grid);
    const long double mantissa = s / std::pow(10.0L, std::floor(std::log10(s) + 1e-9L));
    EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9L || std::fabs(mantissa - 2) < 1e-9L ||
                std::fabs(mantissa - 5) < 1e-9L)
        << static_cast<double>(s);
    const long double lines = grid.TypicalMagnitude() / s;
    EXPECT_GT(lines, 6.4L);
    EXPECT_LE(lines, 16.0L);
    const std::vector<long double> levels = AutomaticLevels(grid);
    const bool zeroVisible = grid.Min() <= 0 && grid.Max() >= 0;
    EXPECT_EQ(std::count(levels.begin(), levels.end(), 0.0L), zeroVisible ? 1 : 0);
    for (const long double level : levels) {
      EXPECT_GE(level, grid.Min());
      EXPECT_LE(level, grid.Max());
      EXPECT_LE(std::fabs(level / s), 16.0L);
    }
    // Every vertex within 0.25 px of its level, to first order.
    for (const TIsoLine &line : TraceEquipotentials(grid, levels)) {
      for (const TIsoPoint &p : line.Points) {
        TVector e;
        ForceAt(scene, e, p.X, p.Y, 1);
        const long double v = PotentialAtPoint(scene, p.X, p.Y);
        ASSERT_LE(std::fabs(v - line.Level), 0.25L * e.Length() / scene.PixelsPerMetre);
      }
    }
  }
  scene.Charges.Clear();
  EXPECT_EQ(AutomaticSpacing(TPotentialGrid(scene, surfaceSize)), 0);
}

TEST_F(EquipotentialsTest, VoltsCarryTheirPrefix) {
  QLocale::setDefault(QLocale(QLocale::German));
  const struct {
    long double volts;
    const char *text;
  } cases[] = {
      {120, "120 V"},       {-1500, "-1,5 kV"},   {0.25L, "250 mV"},        {0, "0 V"},
      {2e6L, "2 MV"},       {5e9L, "5 GV"},       {1e-6L, "1 µV"},          {-0.002L, "-2 mV"},
      {999, "999 V"},       {4.5e-8L, "45 nV"},   {-1.234e-13L, "-123 fV"}, {999.7L, "1 kV"},
      {0.0009996L, "1 mV"}, {1e-18L, "0,001 fV"}, {5e12L, "5000 GV"},       {1.5e-12L, "1,5 pV"}};
  for (const auto &c : cases)
    EXPECT_EQ(FormatVolts(c.volts).toStdString(), c.text) << static_cast<double>(c.volts);
  QLocale::setDefault(QLocale::c());
}

} // namespace
