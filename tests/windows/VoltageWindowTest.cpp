// The voltage-and-work window: waiting panels, charges picked by clicking them in the main
// window, the value shown, and the dashed path between the chosen charges.
#include "support/ProgramFixture.h"

#include "model/NumberText.h"
#include "model/Readouts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

class VoltageWindowTest : public ProgramTest {
protected:
  static void ClickPanel(TPositionPanel *panel, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(panel, button);
  }
  static void ClickCharge(const TPointCharge *charge) {
    const int x = static_cast<int>(charge->CenterX());
    const int y = static_cast<int>(charge->CenterY());
    Press(x, y);
    Release(x, y);
  }
  static void ChooseValue(int index) {
    Form3->ComboBox_Value->setCurrentIndex(index);
    emit Form3->ComboBox_Value->activated(index);
  }
  static void Choose(TPointCharge *start, TPointCharge *end) {
    Form3->Panel_Pos1->Tag = start;
    Form3->Panel_Pos2->Tag = end;
    Form3->UpdatePanel(Form3->Panel_Pos1);
    Form3->UpdatePanel(Form3->Panel_Pos2);
  }
  static QString Value() { return Form3->Label_Value->text(); }
  // Red pixels of the frame on row y between x0 and x1.
  static int RedOnRow(int y, int x0, int x1) {
    const QImage &frame = Form1->DXDraw->PresentedImage();
    int n = 0;
    for (int x = x0; x <= x1; ++x)
      n += FromQRgb(frame.pixel(x, y)) == 0x0000FF;
    return n;
  }
  void SetUp() override {
    ProgramTest::SetUp();
    Form3->show();
  }
};

TEST_F(VoltageWindowTest, PanelsWaitInTurn) {
  for (TPositionPanel *panel : {Form3->Panel_Pos1, Form3->Panel_Pos2}) {
    EXPECT_EQ(panel->text(), kNoChargeChosenText);
    EXPECT_EQ(panel->Color(), kPanelColor);
    EXPECT_EQ(panel->palette().color(QPalette::WindowText), QColor(Qt::white));
  }
  EXPECT_EQ(Value(), kClickHintText);
  EXPECT_EQ(Form3->ComboBox_Value->currentIndex(), -1);
  EXPECT_EQ(Form3->PotentialSearching(), nullptr);

  ClickPanel(Form3->Panel_Pos1);
  EXPECT_EQ(Form3->PotentialSearching(), Form3->Panel_Pos1);
  EXPECT_EQ(Form3->Panel_Pos1->Color(), kWaitingPanelColor);
  ClickPanel(Form3->Panel_Pos1);
  EXPECT_EQ(Form3->PotentialSearching(), nullptr);
  EXPECT_EQ(Form3->Panel_Pos1->Color(), kPanelColor);

  ClickPanel(Form3->Panel_Pos1);
  ClickPanel(Form3->Panel_Pos2);
  EXPECT_EQ(Form3->PotentialSearching(), Form3->Panel_Pos2);
  EXPECT_EQ(Form3->Panel_Pos1->Color(), kPanelColor);
  EXPECT_EQ(Form3->Panel_Pos2->Color(), kWaitingPanelColor);
}

TEST_F(VoltageWindowTest, ClickingChargesInTheMainWindowFillsTheWaitingPanel) {
  TPointCharge *first = CreateTestCharge(150, 100);
  TPointCharge *source = Create(300, 300);
  TPointCharge *second = CreateTestCharge(450, 100);
  ClickPanel(Form3->Panel_Pos1);
  TheDocument().MarkSaved();

  ClickCharge(source); // not a test charge: selected, the panel keeps waiting
  EXPECT_EQ(Form2->SelectedCharge(), source);
  EXPECT_EQ(Form3->PotentialSearching(), Form3->Panel_Pos1);
  EXPECT_EQ(Form3->Panel_Pos1->Tag, nullptr);
  EXPECT_FALSE(TheDocument().Modified());

  ClickCharge(first);
  EXPECT_EQ(Form3->Panel_Pos1->Tag, first);
  EXPECT_EQ(Form3->Panel_Pos1->text(), PositionText(TheDocument(), *first));
  EXPECT_EQ(Form3->PotentialSearching(), nullptr);
  EXPECT_EQ(Form3->Panel_Pos1->Color(), kPanelColor);
  EXPECT_EQ(Form2->SelectedCharge(), first);
  EXPECT_TRUE(TheDocument().Modified());
  EXPECT_EQ(RedOnRow(100, 170, 430), 0) << "no path with one charge";

  ClickPanel(Form3->Panel_Pos2);
  ClickCharge(first); // already the start charge
  EXPECT_EQ(Form3->Panel_Pos2->Tag, nullptr);
  EXPECT_EQ(Form3->PotentialSearching(), Form3->Panel_Pos2);

  Form3->hide(); // a hidden window that waits still takes the next test charge
  ClickCharge(second);
  EXPECT_EQ(Form3->Panel_Pos2->Tag, second);
  EXPECT_GT(RedOnRow(100, 170, 430), 150) << "the dashed path, shown with the window hidden";
}

TEST_F(VoltageWindowTest, VoltageAndWork) {
  const TPointCharge *source = Create(300, 300);
  TPointCharge *near = CreateTestCharge(300, 250, 2 * kElementaryCharge);
  TPointCharge *far = CreateTestCharge(300, 150);
  TPointCharge *mirror = CreateTestCharge(300, 350); // as far from the source as near
  ASSERT_NE(source, nullptr);

  Choose(near, nullptr);
  ChooseValue(kValueVoltage);
  EXPECT_EQ(Value(), kClickHintText) << "one charge is not enough, whatever the value";
  Choose(near, far);
  ChooseValue(-1);
  EXPECT_EQ(Value(), kChooseValueHintText);

  TheDocument().MarkSaved();
  ChooseValue(kValueVoltage);
  const QString downhill = Value(); // from near the positive source to farther away
  ASSERT_TRUE(downhill.startsWith(u'-')) << downhill.toStdString();
  ASSERT_TRUE(downhill.endsWith(QStringLiteral(" V")));
  Choose(far, near);
  EXPECT_EQ(u'-' + Value(), downhill) << "exchanging the charges changes the sign";
  EXPECT_FALSE(TheDocument().Modified()) << "choosing the value is no change of the document";

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
  near->ChargeValue = 0;
  Form3->ChargeChanged(near);
  EXPECT_EQ(Value(), QStringLiteral("0E+0 J"));

  Choose(near, mirror);
  ChooseValue(kValueVoltage);
  EXPECT_EQ(Value(), QStringLiteral("0E+0 V"));
}

TEST_F(VoltageWindowTest, RightClickEmptiesAPanel) {
  Create(300, 400); // a source, so that the test charges' own lines leave the path's row
  TPointCharge *start = CreateTestCharge(150, 100, -kElementaryCharge);
  TPointCharge *end = CreateTestCharge(450, 100, -kElementaryCharge);
  Choose(start, end);
  ClickPanel(Form3->Panel_Pos1);
  Form1->RenderFrame(true);
  ASSERT_GT(RedOnRow(100, 170, 430), 0);
  TheDocument().MarkSaved();

  ClickPanel(Form3->Panel_Pos2, Qt::RightButton);
  EXPECT_EQ(Form3->Panel_Pos2->Tag, nullptr);
  EXPECT_EQ(Form3->Panel_Pos2->text(), kNoChargeChosenText);
  EXPECT_EQ(Value(), kClickHintText);
  EXPECT_TRUE(TheDocument().Modified());
  EXPECT_EQ(RedOnRow(100, 170, 430), 0);
  EXPECT_EQ(Form3->PotentialSearching(), Form3->Panel_Pos1) << "the wait goes on";
}

TEST_F(VoltageWindowTest, ChosenChargeMadeASourceGivesAnInfiniteValue) {
  Create(300, 300);
  TPointCharge *start = CreateTestCharge(300, 200);
  TPointCharge *end = CreateTestCharge(300, 100);
  Choose(start, end);
  ChooseValue(kValueVoltage);
  Form2->ComboBox_Charges->setCurrentIndex(Charges.IndexOf(start));
  Form2->ComboBox_ChargesClick();
  Form2->TabSheet_Charge->CheckBox_TestCharge->setChecked(false);
  QTest::mouseClick(Form2->TabSheet_Charge->Button_Apply, Qt::LeftButton);
  EXPECT_EQ(Value(), kInfiniteText);
}

} // namespace
