#include "model/Readouts.h"

#include "DocumentFixture.h"
#include "model/Field.h"
#include "model/NumberText.h"
#include "support/FieldConfigurations.h"
#include "support/QtPrinters.h"

#include <QLocale>

#include <cmath>
#include <functional>
#include <vector>

namespace {

class ReadoutsTest : public DocumentTest {
protected:
  void SetUp() override { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
  void TearDown() override { QLocale::setDefault(QLocale::c()); }
  // The charge at index; the pointer holds until the next charge is added.
  const TPointCharge *At(int index) const { return &scene.Charges[index]; }
};

TEST_F(ReadoutsTest, NoSelectionOrAnOrdinaryChargeShowsNoTestCharge) {
  const TDataRows none{kNoTestChargeText, kNoTestChargeText, kNoTestChargeText, kNoTestChargeText};
  EXPECT_EQ(DataRowsFor(scene, nullptr), none);
  EXPECT_EQ(DataRowsFor(scene, At(AddCharge(100, 100, 1e-9L))), none);
}

TEST_F(ReadoutsTest, ALonelyTestChargeFeelsNothing) {
  AddCharge(50, 50, 1e-9L, /*testCharge=*/true); // test charges are no sources
  const int probe = AddCharge(300, 200, 1e-9L, /*testCharge=*/true);
  const TDataRows rows = DataRowsFor(scene, At(probe));
  EXPECT_EQ(rows.Force, "0E+0 N");
  EXPECT_EQ(rows.FieldStrength, "0E+0 N/C");
  EXPECT_EQ(rows.Potential, "0E+0 V");
  EXPECT_EQ(rows.Angle, "0°");
}

TEST_F(ReadoutsTest, AngleIsMathematicalAndFollowsTheSign) {
  const long double metre = scene.PixelsPerMetre;
  AddCharge(400, 300, 1e-9L);
  struct Case {
    long double dx, dy, q;
    const char *angle;
  };
  const Case cases[] = {
      {0, -metre, 1e-9L, "90°"}, {-metre, 0, 1e-9L, "180°"},  {0, metre, 1e-9L, "270°"},
      {metre, 0, 1e-9L, "0°"},   {0, -metre, -1e-9L, "270°"}, {metre, -metre, 1e-9L, "45°"},
  };
  for (const Case &c : cases) {
    const int probe = AddCharge(400 + c.dx, 300 + c.dy, c.q, /*testCharge=*/true);
    const TDataRows rows = DataRowsFor(scene, At(probe));
    EXPECT_EQ(rows.Angle, c.angle)
        << static_cast<double>(c.dx) << ", " << static_cast<double>(c.dy);
    scene.Charges.Delete(probe);
  }
  // One metre from 1 nC: E = 8,988 N/C, F = 8,988E-9 N on 1 nC, V = 8,988 V; the sign of
  // the test charge changes none of the magnitudes.
  for (long double q : {1e-9L, -1e-9L}) {
    const int probe = AddCharge(400 + metre, 300, q, /*testCharge=*/true);
    const TDataRows rows = DataRowsFor(scene, At(probe));
    EXPECT_EQ(rows.Force, "8,988E-9 N");
    EXPECT_EQ(rows.FieldStrength, "8,988E+0 N/C");
    EXPECT_EQ(rows.Potential, "8,988E+0 V");
    scene.Charges.Delete(probe);
  }
}

TEST_F(ReadoutsTest, ZeroTestChargeShowsTheFieldAndInfinityOnASource) {
  AddCharge(400, 300, -1e-9L);
  const int probe = AddCharge(400 - scene.PixelsPerMetre, 300, 0, /*testCharge=*/true);
  TDataRows rows = DataRowsFor(scene, At(probe));
  EXPECT_EQ(rows.Force, "0E+0 N");
  EXPECT_EQ(rows.Angle, kNoChargeText);
  EXPECT_EQ(rows.FieldStrength, "8,988E+0 N/C");
  EXPECT_EQ(rows.Potential, "-8,988E+0 V");
  scene.Charges[probe].X = scene.Charges[0].X;
  scene.Charges[probe].Y = scene.Charges[0].Y;
  rows = DataRowsFor(scene, At(probe));
  EXPECT_EQ(rows.Potential, kInfiniteText);
}

TEST_F(ReadoutsTest, PositionAndPanelCaptions) {
  scene.PixelsPerMetre = 100;
  const int c = AddCharge(scene.Origin.X + 50, scene.Origin.Y - 50, 1);
  EXPECT_EQ(PositionText(scene, *At(c)), "X: 0,5 | Y: 0,5");
  const int o = AddCharge(scene.Origin.X, scene.Origin.Y, 1);
  EXPECT_EQ(PanelCaption(scene, At(o)), "X: 0 | Y: 0");
  EXPECT_EQ(PanelCaption(scene, nullptr), kNoChargeChosenText);
}

TEST_F(ReadoutsTest, VoltageAndWork) {
  const long double metre = scene.PixelsPerMetre;
  AddCharge(400, 300, 1e-9L);
  const int nearIndex = AddCharge(400 + metre / 2, 300, 2e-9L, true);
  const TPointCharge *far = At(AddCharge(400 + metre, 300, 1e-9L, true));
  const TPointCharge *near = At(nearIndex);
  EXPECT_EQ(VoltageValueText(scene, near, nullptr, kValueVoltage), kClickHintText);
  EXPECT_EQ(VoltageValueText(scene, nullptr, far, -1), kClickHintText);
  EXPECT_EQ(VoltageValueText(scene, near, far, -1), kChooseValueHintText);
  // V(far) - V(near) = 8,988 V - 17,975 V.
  EXPECT_EQ(VoltageValueText(scene, near, far, kValueVoltage), "-8,988E+0 V");
  EXPECT_EQ(VoltageValueText(scene, far, near, kValueVoltage), "8,988E+0 V");
  // Work with the start charge: exchanging start and end changes the magnitude too.
  EXPECT_EQ(VoltageValueText(scene, near, far, kValueWork), "-1,798E-8 J");
  EXPECT_EQ(VoltageValueText(scene, far, near, kValueWork), "8,988E-9 J");
  EXPECT_EQ(VoltageValueText(scene, near, near, kValueVoltage), "0E+0 V");
  scene.Charges[nearIndex].ChargeValue = 0;
  EXPECT_EQ(VoltageValueText(scene, near, far, kValueWork), "0E+0 J");
}

TEST_F(ReadoutsTest, InfinitePotentialsReadUnendlich) {
  AddCharge(400, 300, 1e-9L); // the source
  const int onIndex = AddCharge(400, 300, 1e-9L, true);
  const TPointCharge *off = At(AddCharge(500, 300, 1e-9L, true));
  const TPointCharge *on = At(onIndex);
  EXPECT_EQ(VoltageValueText(scene, off, on, kValueVoltage), kInfiniteText);
  EXPECT_EQ(VoltageValueText(scene, on, on, kValueVoltage), kInfiniteText); // inf - inf
  scene.Charges[onIndex].ChargeValue = 0;
  EXPECT_EQ(VoltageValueText(scene, on, off, kValueWork), kInfiniteText);
}

// Sources placed symmetrically about the probes: what cancels shows as zero, what does not
// keeps its closed form. Positions lie off the pixel grid, so that the sums leave noise.
TEST_F(ReadoutsTest, ValuesThatCancelBySymmetryShowZero) {
  const long double e = 1.602177e-19L;
  const long double k = 8.9875517923e9L; // N m^2 / C^2
  const long double cx = 401.37L;
  const long double cy = 299.71L;
  const long double a = 37.3L; // px
  const long double b = 23.9L; // px
  const long double am = a / scene.PixelsPerMetre;
  const long double bm = b / scene.PixelsPerMetre;
  const auto pair = [&](long double left, long double right) {
    AddCharge(cx - a, cy, left);
    AddCharge(cx + a, cy, right);
  };
  struct Case {
    const char *name;
    std::function<void()> sources;
    long double probeDy;   // px below the centre; the second probe stands at -probeDy
    long double field;     // N/C at the probe
    long double potential; // V at the probe
  };
  const std::vector<Case> cases = {
      {"two equal charges, midpoint", [&] { pair(e, e); }, 0, 0, 2 * k * e / am},
      {"two equal charges, mirror line", [&] { pair(-e, -e); }, b,
       2 * k * e * bm / std::pow(am * am + bm * bm, 1.5L),
       -2 * k * e / std::sqrt(am * am + bm * bm)},
      {"square of four, centre",
       [&] {
         pair(3 * e, 3 * e);
         AddCharge(cx, cy - a, 3 * e);
         AddCharge(cx, cy + a, 3 * e);
       },
       0, 0, 12 * k * e / am},
      {"dipole, mirror line", [&] { pair(e, -e); }, b,
       2 * k * e * am / std::pow(am * am + bm * bm, 1.5L), 0},
      {"dipole of 1 C, mirror line", [&] { pair(1, -1); }, -b,
       2 * k * am / std::pow(am * am + bm * bm, 1.5L), 0},
  };
  int noisy = 0;
  for (const Case &c : cases) {
    scene.Charges.Clear();
    c.sources();
    const int probe = AddCharge(cx, cy + c.probeDy, e, /*testCharge=*/true);
    const TPointCharge *mirrored = At(AddCharge(cx, cy - c.probeDy, -2 * e, true));
    const TPointCharge *p = At(probe);
    TVector raw;
    ForceAt(scene, raw, p->CenterX(), p->CenterY(), e);
    const long double v = PotentialAt(scene, p->X, p->Y);
    noisy += (c.field == 0 && raw.Length() != 0) + (c.potential == 0 && v != 0) +
             (PotentialAt(scene, mirrored->X, mirrored->Y) - v != 0);

    const TDataRows rows = DataRowsFor(scene, p);
    EXPECT_EQ(rows.Force, FormatScientific(c.field * e) + " N") << c.name;
    EXPECT_EQ(rows.FieldStrength, FormatScientific(c.field) + " N/C") << c.name;
    EXPECT_EQ(rows.Potential, FormatScientific(c.potential) + " V") << c.name;
    if (c.field == 0) {
      EXPECT_EQ(rows.Angle, "0°") << c.name;
    }
    EXPECT_EQ(VoltageValueText(scene, p, mirrored, kValueVoltage), "0E+0 V") << c.name;
    EXPECT_EQ(VoltageValueText(scene, mirrored, p, kValueWork), "0E+0 J") << c.name;
  }
  EXPECT_GT(noisy, 0) << "no case left rounding noise to hide";
}

// Without symmetry nothing cancels: the texts are those of the plain sums.
TEST_F(ReadoutsTest, RandomConfigurationsKeepTheirValues) {
  for (unsigned seed = 1; seed <= 20; ++seed) {
    scene.Charges.Clear();
    configurations::Random(scene, 6, 0, seed);
    const int start = AddCharge(100 + 31.7L * seed, 200 + 13.3L * seed, 1e-9L, true);
    const TPointCharge *end = At(AddCharge(700 - 29.1L * seed, 90 + 17.9L * seed, 1e-9L, true));
    const TPointCharge *p = At(start);
    TVector force;
    ForceAt(scene, force, p->CenterX(), p->CenterY(), 1e-9L);
    const long double v1 = PotentialAt(scene, p->X, p->Y);
    const long double v2 = PotentialAt(scene, end->X, end->Y);
    const TDataRows rows = DataRowsFor(scene, p);
    EXPECT_EQ(rows.Force, FormatScientific(force.Length()) + " N") << seed;
    EXPECT_EQ(rows.Potential, FormatScientific(v1) + " V") << seed;
    EXPECT_EQ(VoltageValueText(scene, p, end, kValueVoltage), FormatScientific(v2 - v1) + " V")
        << seed;
  }
}

} // namespace
