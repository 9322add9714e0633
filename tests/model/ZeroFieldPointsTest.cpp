#include "model/ZeroFieldPoints.h"

#include "DocumentFixture.h"

#include <cmath>
#include <string>
#include <vector>

namespace {

using ZeroFieldPointsTest = DocumentTest;

struct TSource {
  long double X, Y, Value; // px (centre), nC
};
struct TExpectedPoint {
  long double X, Y; // px
};
struct TZeroCase {
  std::string Name;
  std::vector<TSource> Sources;
  std::vector<TExpectedPoint> Points; // every zero point on the surface, rows then columns
};

// The zero points written out from symmetry and Coulomb's law: between two like charges the
// field vanishes where r1 / r2 = sqrt(q1 / q2), so 1:1 at the midpoint and +4/+1 at two
// thirds of the way from +4; a square of alternating charges cancels at its centre.
const std::vector<TZeroCase> kCases = {
    {"equal charges", {{300.5L, 200, 1}, {500, 263.25L, 1}}, {{400.25L, 231.625L}}},
    {"equal negative charges", {{120, 400, -3}, {133, 77, -3}}, {{126.5L, 238.5L}}},
    {"plus four and plus one", {{200, 300, 4}, {500, 150, 1}}, {{400, 200}}},
    {"minus four and minus one", {{613.3L, 91.7L, -4}, {313.3L, 451.7L, -1}}, {{413.3L, 331.7L}}},
    {"quadrupole",
     {{311.3L, 288.7L, 2}, {431.3L, 288.7L, 2}, {371.3L, 228.7L, -2}, {371.3L, 348.7L, -2}},
     {{371.3L, 288.7L}}},
    {"lone charge", {{401.7L, 250.2L, 5}}, {}},
    {"dipole", {{350, 260, 2}, {450.5L, 271, -2}}, {}},
};

TEST_F(ZeroFieldPointsTest, ClosedFormsToAHundredthOfAPixel) {
  for (const TZeroCase &c : kCases) {
    SCOPED_TRACE(c.Name);
    scene.Charges.Clear();
    for (const TSource &s : c.Sources)
      AddCharge(s.X, s.Y, s.Value * 1e-9L);
    // A test charge feels the field but makes none: it must change nothing.
    AddCharge(600, 450, 1e-9L, /*testCharge=*/true);
    const std::vector<TWorldPoint> points = ZeroFieldPoints(scene, surfaceSize);
    ASSERT_EQ(points.size(), c.Points.size());
    for (size_t i = 0; i < points.size(); ++i) {
      long double x = 0, y = 0;
      scene.WorldToScreen(points[i], x, y);
      EXPECT_NEAR(static_cast<double>(x), static_cast<double>(c.Points[i].X), 0.01);
      EXPECT_NEAR(static_cast<double>(y), static_cast<double>(c.Points[i].Y), 0.01);
    }
  }
}

TEST_F(ZeroFieldPointsTest, OnlyPointsOnTheSurfaceCount) {
  AddCharge(300, 100, 1e-9L);
  AddCharge(300, 500, 1e-9L); // zero point at (300, 300)
  EXPECT_EQ(ZeroFieldPoints(scene, {792, 535}).size(), 1u);
  EXPECT_TRUE(ZeroFieldPoints(scene, {299, 535}).empty());
  EXPECT_TRUE(ZeroFieldPoints(scene, {792, 299}).empty());
  EXPECT_TRUE(ZeroFieldPoints(scene, {0, 0}).empty());
}

} // namespace
