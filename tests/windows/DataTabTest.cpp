// The settings window's data tab through the window: what it lists for each selection,
// force directions, a charge of zero, the potential on a source, and the values following a
// dragged test charge.
#include "WindowsFixture.h"
#include "support/QtPrinters.h"

#include "model/NumberText.h"
#include "model/Readouts.h"

#include <QHeaderView>
#include <QTabWidget>
#include <QTreeWidget>

#include <cmath>

namespace {

// Coulomb's law written out, with the constants of the field model: N.
long double CoulombForce(long double q1, long double q2, long double metres) {
  constexpr long double kEpsilon0 = 8.854188e-12L;
  constexpr long double kPi = 3.1415926535897932385L;
  return std::fabs(q1 * q2) / (4 * kPi * kEpsilon0 * metres * metres);
}

class DataTabTest : public WindowsTest {
protected:
  void SetUp() override {
    WindowsTest::SetUp();
    settings->PageControl->setCurrentIndex(1);
  }
  QStringList Values() const {
    QStringList values;
    for (int row = 0; row < 4; ++row)
      values << settings->TabSheet_Data->Value(row);
    return values;
  }
  static QStringList Shown(const TDataRows &rows) {
    return {rows.Force, rows.Angle, rows.FieldStrength, rows.Potential};
  }
  void Select(int charge) {
    settings->ComboBox_Charges->setCurrentIndex(charge);
    settings->ComboBox_ChargesClick();
  }
};

TEST_F(DataTabTest, OnlyATestChargeHasData) {
  QTreeWidget *list = settings->TabSheet_Data->ListView_Data;
  EXPECT_EQ(list->headerItem()->text(0), QStringLiteral("Eigenschaft"));
  EXPECT_EQ(list->header()->sectionSize(0), 90);
  ASSERT_EQ(list->topLevelItemCount(), 4);
  EXPECT_EQ(list->topLevelItem(2)->text(0), QStringLiteral("Feldstärke"));

  const QStringList none(4, kNoTestChargeText);
  EXPECT_EQ(Values(), none) << "switching to the tab fills it";

  const int source = Create(300, 200);
  EXPECT_EQ(Values(), none) << "a selected source";

  // A test charge alone, or with only other test charges: no field at all.
  const int probe = CreateTestCharge(500, 200);
  CreateTestCharge(400, 300);
  Change(source, [](TPointCharge &charge) { charge.IsTestCharge = true; });
  Select(probe);
  EXPECT_EQ(Values(), (QStringList{"0E+0 N", "0°", "0E+0 N/C", "0E+0 V"}));

  // Switching tabs with a stale list refills it from the selection.
  Change(source, [](TPointCharge &charge) { charge.IsTestCharge = false; });
  settings->PageControl->setCurrentIndex(0);
  settings->PageControl->setCurrentIndex(1);
  EXPECT_NE(Values()[0], QStringLiteral("0E+0 N"));

  // Exactly on a field-producing charge the potential is infinite.
  Change(probe, [this, source](TPointCharge &charge) {
    charge.X = Charge(source).X;
    charge.Y = Charge(source).Y;
  });
  Select(probe);
  EXPECT_EQ(Values()[3], kInfiniteText);
}

TEST_F(DataTabTest, DirectionOfTheForceAroundAPositiveSource) {
  const TPointCharge source = Charge(Create(400, 300));
  const long double pixelsPerMetre = document.Scene().PixelsPerMetre;
  struct Case {
    int dx, dy; // px from the source, screen axes
    long double q;
    const char *angle;
  };
  const Case cases[] = {
      {0, -100, kElementaryCharge, "90°"},   {-100, 0, kElementaryCharge, "180°"},
      {0, 100, kElementaryCharge, "270°"},   {100, 0, kElementaryCharge, "0°"},
      {0, -100, -kElementaryCharge, "270°"}, {-100, 0, -kElementaryCharge, "0°"},
      {100, -100, kElementaryCharge, "45°"}, {-50, -50, -2 * kElementaryCharge, "315°"},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.angle);
    const int probe = CreateTestCharge(static_cast<int>(source.CenterX()) + c.dx,
                                       static_cast<int>(source.CenterY()) + c.dy, c.q);
    Select(probe);
    const long double metres = std::hypot(c.dx, c.dy) / pixelsPerMetre;
    const long double force = CoulombForce(source.ChargeValue, c.q, metres);
    const QStringList values = Values();
    EXPECT_EQ(values[0], FormatScientific(force) + " N");
    EXPECT_EQ(values[1], QString::fromUtf8(c.angle));
    EXPECT_EQ(values[2], FormatScientific(force / std::fabs(c.q)) + " N/C")
        << "the same for either sign";
    EXPECT_EQ(values[3], FormatScientific(CoulombForce(source.ChargeValue, 1, 1) / metres) + " V")
        << "k q / r";
    settings->Button_DeleteClick(); // out of the way of the next case
  }
}

TEST_F(DataTabTest, TestChargeOfZeroShowsTheFieldButNoDirection) {
  Create(400, 300);
  const int probe = CreateTestCharge(400, 200);
  Select(probe);
  const QStringList withCharge = Values();
  Change(probe, [](TPointCharge &charge) { charge.ChargeValue = 0; });
  Select(probe);
  EXPECT_EQ(Values(), (QStringList{"0E+0 N", kNoChargeText, withCharge[2], withCharge[3]}));
}

TEST_F(DataTabTest, ValuesFollowADraggedTestCharge) {
  Create(400, 300);
  const int probe = CreateTestCharge(400, 200);
  // A drag in the main window: the charge grabbed is selected, then moved in one gesture.
  document.BeginGesture();
  document.Select(probe);
  QStringList previous = Values();
  for (int step = 1; step <= 4; ++step) {
    const int x = 400 + 30 * step;
    document.MoveCharge(probe, x, 200);
    SCOPED_TRACE(x);
    EXPECT_EQ(Charge(probe).CenterX(), x);
    EXPECT_EQ(Values(), Shown(DataRowsFor(document.Scene(), &Charge(probe))))
        << "refilled on every move";
    EXPECT_NE(Values(), previous);
    previous = Values();
  }
  document.EndGesture();
}

} // namespace
