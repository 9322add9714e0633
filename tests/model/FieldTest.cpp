#include "model/Field.h"

#include "DocumentFixture.h"

#include <cmath>

namespace {

using FieldTest = DocumentTest;

// Coulomb's law written out independently of the model: E = k q / r^2 with k from eps0.
long double CoulombField(long double q, long double metres) {
  const long double pi = 3.14159265358979323851L;
  return q / (4 * pi * 8.854188e-12L * metres * metres);
}

TEST_F(FieldTest, ConstantsAreTheExtendedValuesOfTheTable) {
  EXPECT_NEAR(static_cast<double>(kFourPiEpsilon0 / 1.112650078972116169e-10L), 1.0, 1e-17);
  EXPECT_NEAR(static_cast<double>(kCoulomb / 8987551602.241523207L), 1.0, 1e-17);
}

TEST_F(FieldTest, NoSourcesGiveExactlyZero) {
  AddCharge(100, 100, 5.0, /*testCharge=*/true);
  TVector f{7, 7};
  ForceAt(scene, f, 50, 50, 1);
  EXPECT_EQ(f, (TVector{0, 0}));
  EXPECT_EQ(PotentialAt(scene, 40, 40), 0);
  scene.Charges.Clear();
  ForceAt(scene, f, 50, 50, 1);
  EXPECT_EQ(f, (TVector{0, 0}));
  EXPECT_EQ(PotentialAt(scene, 40, 40), 0);
}

TEST_F(FieldTest, OneNanocoulombAtOneMetre) {
  AddCharge(300, 200, 1e-9L);
  const long double metre = scene.PixelsPerMetre;
  TVector f;
  ForceAt(scene, f, 300 + metre, 200, 1);
  EXPECT_NEAR(f.X, 8.987551602, 1e-8);
  EXPECT_NEAR(f.X, static_cast<double>(CoulombField(1e-9L, 1)), 1e-12);
  EXPECT_NEAR(f.Y, 0, 1e-15);
  TVector g;
  ForceAt(scene, g, 300 + metre, 200, -1);
  EXPECT_DOUBLE_EQ(g.X, -f.X);
  // Potential is given at a sprite position: the point of interest is 10 px further on.
  EXPECT_NEAR(static_cast<double>(PotentialAt(scene, 300 + metre - 10, 190)), 8.98755160224, 1e-9);
}

TEST_F(FieldTest, DirectionFollowsTheSigns) {
  AddCharge(400, 300, -2e-9L);
  TVector f;
  ForceAt(scene, f, 400, 250,
          1e-9L); // positive charge above a negative source: pulled down
  EXPECT_NEAR(f.X, 0, 1e-20);
  EXPECT_GT(f.Y, 0);
  ForceAt(scene, f, 400, 250, 0);
  EXPECT_EQ(f.Length(), 0.0);
}

TEST_F(FieldTest, EqualSourcesCancelAtTheirMidpoint) {
  AddCharge(100, 100, 3e-9L);
  AddCharge(300, 100, 3e-9L);
  TVector f;
  ForceAt(scene, f, 200, 100, 1);
  TVector one;
  ForceAt(scene, one, 150, 100, 1); // scale of a single term, about 4e4 N/C
  EXPECT_NEAR(f.X, 0, 1e-15 * one.Length());
  EXPECT_NEAR(f.Y, 0, 1e-15 * one.Length());
}

TEST_F(FieldTest, ExclusionRadiusIgnoresOnlyTheNearSource) {
  AddCharge(100, 100, 1e-9L);
  AddCharge(100.0005L + scene.PixelsPerMetre, 100, 1e-9L);
  TVector f;
  ForceAt(scene, f, 100.0005L, 100, 1);
  EXPECT_NEAR(f.X, -static_cast<double>(CoulombField(1e-9L, 1)), 1e-9);
  ForceAt(scene, f, 100.002L, 100, 1);
  EXPECT_GT(f.X, 1e3); // now the near source counts, and dominates
}

TEST_F(FieldTest, PotentialIsInfiniteOnAnySourceAndIgnoresTestCharges) {
  AddCharge(50, 50, 1e-9L);
  AddCharge(150, 50, -1e-9L);
  AddCharge(250, 50, 0);
  EXPECT_TRUE(std::isinf(PotentialAt(scene, 140, 40)) && PotentialAt(scene, 140, 40) > 0);
  EXPECT_TRUE(std::isinf(PotentialAt(scene, 240, 40)));
  const long double before = PotentialAt(scene, 90, 90);
  TVector f0;
  ForceAt(scene, f0, 100, 100, 1);
  AddCharge(100, 100, 1e30L, /*testCharge=*/true);
  TVector f1;
  ForceAt(scene, f1, 100, 100, 1);
  EXPECT_EQ(PotentialAt(scene, 90, 90), before);
  EXPECT_EQ(f1, f0);
}

TEST_F(FieldTest, FieldIsTheNegativeGradientOfThePotential) {
  AddCharge(300, 250, 4e-9L);
  AddCharge(420, 310, -7e-9L);
  AddCharge(350, 150, 2e-9L);
  const long double h = 1e-3L; // px
  for (const auto &[x, y] : {std::pair{200.0L, 200.0L}, {370.5L, 280.25L}, {500.0L, 100.0L}}) {
    TVector e;
    ForceAt(scene, e, x, y, 1);
    // dV/dx in V/m: the potential is taken at sprite positions, hence the -10.
    const long double dVdx =
        (PotentialAt(scene, x + h - 10, y - 10) - PotentialAt(scene, x - h - 10, y - 10)) /
        (2 * h) * scene.PixelsPerMetre;
    const long double dVdy =
        (PotentialAt(scene, x - 10, y + h - 10) - PotentialAt(scene, x - 10, y - h - 10)) /
        (2 * h) * scene.PixelsPerMetre;
    EXPECT_NEAR(e.X, static_cast<double>(-dVdx), 1e-5 * e.Length());
    EXPECT_NEAR(e.Y, static_cast<double>(-dVdy), 1e-5 * e.Length());
  }
}

} // namespace
