#include "model/Readouts.h"

#include "DocumentFixture.h"
#include "model/NumberText.h"

#include <QLocale>

namespace {

class ReadoutsTest : public DocumentTest {
protected:
  void SetUp() override {
    DocumentTest::SetUp();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  }
  void TearDown() override {
    QLocale::setDefault(QLocale::c());
    DocumentTest::TearDown();
  }
};

TEST_F(ReadoutsTest, NoSelectionOrAnOrdinaryChargeShowsNoTestCharge) {
  const TDataRows none{kNoTestChargeText, kNoTestChargeText, kNoTestChargeText, kNoTestChargeText};
  EXPECT_EQ(DataRowsFor(TheDocument(), nullptr), none);
  EXPECT_EQ(DataRowsFor(TheDocument(), AddCharge(100, 100, 1e-9L)), none);
}

TEST_F(ReadoutsTest, ALonelyTestChargeFeelsNothing) {
  AddCharge(50, 50, 1e-9L, /*testCharge=*/true); // test charges are no sources
  const TPointCharge *probe = AddCharge(300, 200, 1e-9L, /*testCharge=*/true);
  const TDataRows rows = DataRowsFor(TheDocument(), probe);
  EXPECT_EQ(rows.Force, "0E+0 N");
  EXPECT_EQ(rows.FieldStrength, "0E+0 N/C");
  EXPECT_EQ(rows.Potential, "0E+0 V");
  EXPECT_EQ(rows.Angle, "0°");
}

TEST_F(ReadoutsTest, AngleIsMathematicalAndFollowsTheSign) {
  const long double metre = PixelsPerMetre;
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
    TPointCharge *probe = AddCharge(400 + c.dx, 300 + c.dy, c.q, /*testCharge=*/true);
    const TDataRows rows = DataRowsFor(TheDocument(), probe);
    EXPECT_EQ(rows.Angle, c.angle)
        << static_cast<double>(c.dx) << ", " << static_cast<double>(c.dy);
    Charges.Delete(Charges.Count() - 1);
  }
  // One metre from 1 nC: E = 8,988 N/C, F = 8,988E-9 N on 1 nC, V = 8,988 V; the sign of
  // the test charge changes none of the magnitudes.
  for (long double q : {1e-9L, -1e-9L}) {
    TPointCharge *probe = AddCharge(400 + metre, 300, q, /*testCharge=*/true);
    const TDataRows rows = DataRowsFor(TheDocument(), probe);
    EXPECT_EQ(rows.Force, "8,988E-9 N");
    EXPECT_EQ(rows.FieldStrength, "8,988E+0 N/C");
    EXPECT_EQ(rows.Potential, "8,988E+0 V");
    Charges.Delete(Charges.Count() - 1);
  }
}

TEST_F(ReadoutsTest, ZeroTestChargeShowsTheFieldAndInfinityOnASource) {
  AddCharge(400, 300, -1e-9L);
  TPointCharge *probe = AddCharge(400 - PixelsPerMetre, 300, 0, /*testCharge=*/true);
  TDataRows rows = DataRowsFor(TheDocument(), probe);
  EXPECT_EQ(rows.Force, "0E+0 N");
  EXPECT_EQ(rows.Angle, kNoChargeText);
  EXPECT_EQ(rows.FieldStrength, "8,988E+0 N/C");
  EXPECT_EQ(rows.Potential, "-8,988E+0 V");
  probe->X = Charges[0]->X;
  probe->Y = Charges[0]->Y;
  rows = DataRowsFor(TheDocument(), probe);
  EXPECT_EQ(rows.Potential, kInfiniteText);
}

TEST_F(ReadoutsTest, PositionAndPanelCaptions) {
  PixelsPerMetre = 100;
  TPointCharge *c = AddCharge(Origin.X + 50, Origin.Y - 50, 1);
  EXPECT_EQ(PositionText(TheDocument(), *c), "X: 0,5 | Y: 0,5");
  TPointCharge *o = AddCharge(Origin.X, Origin.Y, 1);
  EXPECT_EQ(PanelCaption(TheDocument(), o), "X: 0 | Y: 0");
  EXPECT_EQ(PanelCaption(TheDocument(), nullptr), kNoChargeChosenText);
}

TEST_F(ReadoutsTest, VoltageAndWork) {
  const long double metre = PixelsPerMetre;
  AddCharge(400, 300, 1e-9L);
  TPointCharge *near = AddCharge(400 + metre / 2, 300, 2e-9L, true);
  TPointCharge *far = AddCharge(400 + metre, 300, 1e-9L, true);
  EXPECT_EQ(VoltageValueText(TheDocument(), near, nullptr, kValueVoltage), kClickHintText);
  EXPECT_EQ(VoltageValueText(TheDocument(), nullptr, far, -1), kClickHintText);
  EXPECT_EQ(VoltageValueText(TheDocument(), near, far, -1), kChooseValueHintText);
  // V(far) - V(near) = 8,988 V - 17,975 V.
  EXPECT_EQ(VoltageValueText(TheDocument(), near, far, kValueVoltage), "-8,988E+0 V");
  EXPECT_EQ(VoltageValueText(TheDocument(), far, near, kValueVoltage), "8,988E+0 V");
  // Work with the start charge: exchanging start and end changes the magnitude too.
  EXPECT_EQ(VoltageValueText(TheDocument(), near, far, kValueWork), "-1,798E-8 J");
  EXPECT_EQ(VoltageValueText(TheDocument(), far, near, kValueWork), "8,988E-9 J");
  EXPECT_EQ(VoltageValueText(TheDocument(), near, near, kValueVoltage), "0E+0 V");
  near->ChargeValue = 0;
  EXPECT_EQ(VoltageValueText(TheDocument(), near, far, kValueWork), "0E+0 J");
}

TEST_F(ReadoutsTest, InfinitePotentialsReadUnendlich) {
  TPointCharge *source = AddCharge(400, 300, 1e-9L);
  TPointCharge *on = AddCharge(400, 300, 1e-9L, true);
  TPointCharge *off = AddCharge(500, 300, 1e-9L, true);
  EXPECT_EQ(VoltageValueText(TheDocument(), off, on, kValueVoltage), kInfiniteText);
  EXPECT_EQ(VoltageValueText(TheDocument(), on, on, kValueVoltage), kInfiniteText); // inf - inf
  on->ChargeValue = 0;
  EXPECT_EQ(VoltageValueText(TheDocument(), on, off, kValueWork), kInfiniteText);
  (void)source;
}

} // namespace
