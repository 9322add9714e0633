#include "model/Vector.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

void PrintTo(const TVector &v, std::ostream *os) { *os << "(" << v.X << ", " << v.Y << ")"; }

namespace {

constexpr double kPiD = 3.14159265358979323846;

TEST(VectorTest, NewVectorIsZeroWithAngleZero) {
  const TVector v;
  EXPECT_EQ(v.Length(), 0.0);
  EXPECT_EQ(v.Angle(), 0.0);
}

struct AngleCase {
  double x, y, angle;
};

TEST(VectorTest, AngleCoversEveryQuadrantAndAxis) {
  const AngleCase cases[] = {
      {0, 5, kPiD / 2},       {0, -5, -kPiD / 2},    {-1, 0, kPiD},
      {-1, -1, 5 * kPiD / 4}, {1, -1, -kPiD / 4},    {1, 1, kPiD / 4},
      {-0.0, 3, kPiD / 2},    {-1, 1, 3 * kPiD / 4}, {2, 0, 0},
  };
  for (const auto &c : cases) {
    const TVector v{c.x, c.y};
    EXPECT_NEAR(v.Angle(), c.angle, 1e-15) << c.x << ", " << c.y;
    EXPECT_GT(v.Angle(), -kPiD / 2 - 1e-15);
    EXPECT_LT(v.Angle(), 3 * kPiD / 2);
  }
}

TEST(VectorTest, SetLengthKeepsDirectionAndTurnsZeroVectorRight) {
  TVector zero;
  zero.SetLength(3);
  EXPECT_EQ(zero, (TVector{3, 0}));

  TVector down{0, -2};
  down.SetLength(3);
  EXPECT_NEAR(down.X, 0, 1e-15);
  EXPECT_DOUBLE_EQ(down.Y, -3);

  TVector left{-4, 0};
  left.SetLength(3);
  EXPECT_DOUBLE_EQ(left.X, -3);
  EXPECT_LT(std::fabs(left.Y), 1e-15);

  TVector diagonal{3, 4};
  diagonal.SetLength(10);
  EXPECT_NEAR(diagonal.X, 6, 1e-14);
  EXPECT_NEAR(diagonal.Y, 8, 1e-14);
}

TEST(VectorTest, ScaleAddAndLength) {
  TVector v{3, -4};
  EXPECT_DOUBLE_EQ(v.Length(), 5);
  v.Scale(-1);
  EXPECT_EQ(v, (TVector{-3, 4}));
  v.Add({1, 1});
  EXPECT_EQ(v, (TVector{-2, 5}));
  v.Scale(0);
  EXPECT_EQ(v.Length(), 0.0);
}

TEST(VectorTest, SetPolarUsesExtendedPrecisionAndGivesUpOnHugeAngles) {
  TVector v;
  v.SetPolar(kPiD, 2);
  EXPECT_DOUBLE_EQ(v.X, -2);
  // sin of pi rounded to double is not zero; the tracer's pictures rely on this residue.
  EXPECT_NE(v.Y, 0.0);
  EXPECT_LT(std::fabs(v.Y), 1e-15);
  v.SetPolar(1e19, 5);
  EXPECT_EQ(v, (TVector{0, 0}));
}

TEST(VectorTest, PolarAngleGivesFullCircleAndZeroAtOrigin) {
  EXPECT_EQ(PolarAngle(0, 0), 0);
  EXPECT_NEAR(static_cast<double>(PolarAngle(-1, 0)), kPiD, 1e-15);
  EXPECT_NEAR(static_cast<double>(PolarAngle(-1, -1)), -3 * kPiD / 4, 1e-15);
  EXPECT_NEAR(static_cast<double>(PolarAngle(0, -2)), -kPiD / 2, 1e-15);
  EXPECT_NEAR(static_cast<double>(PolarAngle(0, 2)), kPiD / 2, 1e-15);
  EXPECT_NEAR(static_cast<double>(PolarAngle(1, -1)), -kPiD / 4, 1e-15);
}

} // namespace
