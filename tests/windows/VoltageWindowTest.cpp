// The voltage-and-work window: waiting panels, charges picked by clicking them in the main
// window, the value shown, and the path between the chosen charges that the document keeps.
#include "WindowsFixture.h"

#include "model/NumberText.h"
#include "model/Readouts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

class VoltageWindowTest : public WindowsTest {
protected:
  static void ClickPanel(TPositionPanel *panel, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(panel, button);
  }
  void ChooseValue(int index) {
    voltage->ComboBox_Value->setCurrentIndex(index);
    emit voltage->ComboBox_Value->activated(index);
  }
  // The charges of the path set up directly, as a loaded project holds them: no change to
  // save.
  void Choose(int start, int end) {
    TVoltageChoice choice = document.Scene().Voltage;
    choice.Start = start;
    choice.End = end;
    document.ChooseVoltage(choice, false);
  }
  QString Value() const { return voltage->Label_Value->text(); }
  void SetUp() override {
    WindowsTest::SetUp();
    voltage->show();
  }
};

TEST_F(VoltageWindowTest, PanelsWaitInTurn) {
  for (TPositionPanel *panel : {voltage->Panel_Pos1, voltage->Panel_Pos2}) {
    EXPECT_EQ(panel->text(), kNoChargeChosenText);
    EXPECT_EQ(panel->Color(), kPanelColor);
    EXPECT_EQ(panel->palette().color(QPalette::WindowText), QColor(Qt::white));
  }
  EXPECT_EQ(Value(), kClickHintText);
  EXPECT_EQ(voltage->ComboBox_Value->currentIndex(), -1);
  EXPECT_EQ(voltage->PotentialSearching(), nullptr);

  ClickPanel(voltage->Panel_Pos1);
  EXPECT_EQ(voltage->PotentialSearching(), voltage->Panel_Pos1);
  EXPECT_EQ(voltage->Panel_Pos1->Color(), kWaitingPanelColor);
  ClickPanel(voltage->Panel_Pos1);
  EXPECT_EQ(voltage->PotentialSearching(), nullptr);
  EXPECT_EQ(voltage->Panel_Pos1->Color(), kPanelColor);

  ClickPanel(voltage->Panel_Pos1);
  ClickPanel(voltage->Panel_Pos2);
  EXPECT_EQ(voltage->PotentialSearching(), voltage->Panel_Pos2);
  EXPECT_EQ(voltage->Panel_Pos1->Color(), kPanelColor);
  EXPECT_EQ(voltage->Panel_Pos2->Color(), kWaitingPanelColor);
}

TEST_F(VoltageWindowTest, ClickingChargesInTheMainWindowFillsTheWaitingPanel) {
  const int first = CreateTestCharge(150, 100);
  const int source = Create(300, 300);
  const int second = CreateTestCharge(450, 100);
  ClickPanel(voltage->Panel_Pos1);
  document.MarkSaved();

  ClickCharge(source); // not a test charge: selected, the panel keeps waiting
  EXPECT_EQ(settings->SelectedCharge(), &Charge(source));
  EXPECT_EQ(voltage->PotentialSearching(), voltage->Panel_Pos1);
  EXPECT_EQ(voltage->ChargeOf(voltage->Panel_Pos1), -1);
  EXPECT_EQ(document.Scene().Voltage.Start, -1);
  EXPECT_FALSE(document.Modified());

  ClickCharge(first);
  EXPECT_EQ(voltage->ChargeOf(voltage->Panel_Pos1), first);
  EXPECT_EQ(document.Scene().Voltage.Start, first);
  EXPECT_EQ(voltage->Panel_Pos1->text(), PositionText(document.Scene(), Charge(first)));
  EXPECT_EQ(voltage->PotentialSearching(), nullptr);
  EXPECT_EQ(voltage->Panel_Pos1->Color(), kPanelColor);
  EXPECT_EQ(settings->SelectedCharge(), &Charge(first));
  EXPECT_TRUE(document.Modified());
  EXPECT_EQ(document.Scene().VoltageEnd(), nullptr) << "no path with one charge";

  ClickPanel(voltage->Panel_Pos2);
  ClickCharge(first); // already the start charge
  EXPECT_EQ(voltage->ChargeOf(voltage->Panel_Pos2), -1);
  EXPECT_EQ(voltage->PotentialSearching(), voltage->Panel_Pos2);

  voltage->hide(); // a hidden window that waits still takes the next test charge
  ClickCharge(second);
  EXPECT_EQ(voltage->ChargeOf(voltage->Panel_Pos2), second);
  EXPECT_EQ(document.Scene().Voltage.End, second) << "the path's end, with the window hidden";
}

TEST_F(VoltageWindowTest, VoltageAndWork) {
  Create(300, 300); // the source
  const int near = CreateTestCharge(300, 250, 2 * kElementaryCharge);
  const int far = CreateTestCharge(300, 150);
  const int mirror = CreateTestCharge(300, 350); // as far from the source as near

  Choose(near, -1);
  ChooseValue(kValueVoltage);
  EXPECT_EQ(Value(), kClickHintText) << "one charge is not enough, whatever the value";
  Choose(near, far);
  ChooseValue(-1);
  EXPECT_EQ(Value(), kChooseValueHintText);

  document.MarkSaved();
  ChooseValue(kValueVoltage);
  const QString downhill = Value(); // from near the positive source to farther away
  ASSERT_TRUE(downhill.startsWith(u'-')) << downhill.toStdString();
  ASSERT_TRUE(downhill.endsWith(QStringLiteral(" V")));
  Choose(far, near);
  EXPECT_EQ(u'-' + Value(), downhill) << "exchanging the charges changes the sign";
  EXPECT_FALSE(document.Modified()) << "choosing the value is no change of the document";

  // The work is the start charge times the voltage, in joules: against the field from the
  // far charge (1 e) to the near one (2 e), half as much the other way and negative.
  ChooseValue(kValueWork);
  const QString uphill = Value();
  ASSERT_TRUE(uphill.endsWith(QStringLiteral(" J")));
  Choose(near, far);
  const QString back = Value();
  const auto joules = [](QString text) { return *ParseNumber(text.remove(QStringLiteral(" J"))); };
  EXPECT_GT(joules(uphill), 0);
  EXPECT_NEAR(static_cast<double>(joules(back) / joules(uphill)), -2.0, 2e-3);
  Change(near, [](TPointCharge &charge) { charge.ChargeValue = 0; });
  EXPECT_EQ(Value(), QStringLiteral("0E+0 J"));

  Choose(near, mirror);
  ChooseValue(kValueVoltage);
  EXPECT_EQ(Value(), QStringLiteral("0E+0 V"));
}

TEST_F(VoltageWindowTest, RightClickEmptiesAPanel) {
  const int start = CreateTestCharge(150, 100, -kElementaryCharge);
  const int end = CreateTestCharge(450, 100, -kElementaryCharge);
  Choose(start, end);
  ClickPanel(voltage->Panel_Pos1);
  document.MarkSaved();

  ClickPanel(voltage->Panel_Pos2, Qt::RightButton);
  EXPECT_EQ(voltage->ChargeOf(voltage->Panel_Pos2), -1);
  EXPECT_EQ(voltage->Panel_Pos2->text(), kNoChargeChosenText);
  EXPECT_EQ(Value(), kClickHintText);
  EXPECT_TRUE(document.Modified());
  EXPECT_EQ(document.Scene().Voltage, (TVoltageChoice{start, -1, -1})) << "no path any more";
  EXPECT_EQ(voltage->PotentialSearching(), voltage->Panel_Pos1) << "the wait goes on";
}

TEST_F(VoltageWindowTest, ChosenChargeMadeASourceGivesAnInfiniteValue) {
  Create(300, 300);
  const int start = CreateTestCharge(300, 200);
  const int end = CreateTestCharge(300, 100);
  Choose(start, end);
  ChooseValue(kValueVoltage);
  settings->ComboBox_Charges->setCurrentIndex(start);
  settings->ComboBox_ChargesClick();
  settings->TabSheet_Charge->CheckBox_TestCharge->setChecked(false);
  QTest::mouseClick(settings->TabSheet_Charge->Button_Apply, Qt::LeftButton);
  EXPECT_EQ(Value(), kInfiniteText);
}

} // namespace
