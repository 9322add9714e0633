// Several charges at once in the main window: chosen by a rectangle, Shift+click and Strg+A,
// deleted, dragged, changed in the settings window and copied through the clipboard.
#include "support/ProgramFixture.h"

#include "model/ChargeTransfer.h"
#include "windows/ChargeTab.h"

#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>

#include <vector>

namespace {

class SelectionTest : public ProgramTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    // Keys reach the menus' shortcuts in the active window only.
    Form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    Create(200, 150);
    Create(300, 160);
    Create(500, 300);
    // Values that tell the charges apart, one of them in coulombs.
    ChangeCharge(0, [](TPointCharge &c) { c.ChargeValue = -kElementaryCharge; });
    ChangeCharge(1, [](TPointCharge &c) { c.ChargeValue = 2 * kElementaryCharge; });
    ChangeCharge(2, [](TPointCharge &c) {
      c.ChargeValue = 3e-9L;
      c.ChargeUnit = 1;
      c.FieldLineCount = 9;
    });
  }
  std::vector<int> Chosen() const { return Doc().SelectedIndices(); }
};

TEST_F(SelectionTest, RectangleAndShiftClickChooseAndEntfDeletesThemAsOneStep) {
  const TChargeList original = Charges();
  // Corners either way round; the third charge's centre lies outside.
  DragWith(Qt::ControlModifier, 350, 200, 150, 100);
  EXPECT_EQ(Chosen(), (std::vector<int>{0, 1}));
  EXPECT_EQ(Charges(), original) << "a rectangle creates and moves nothing";
  QTest::mouseClick(Form1->DXDraw, Qt::LeftButton, Qt::ShiftModifier, {500, 300});
  EXPECT_EQ(Chosen(), (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(Doc().SelectedIndex(), 2) << "the one Shift+clicked is shown";
  QTest::mouseClick(Form1->DXDraw, Qt::LeftButton, Qt::ShiftModifier, {200, 150});
  EXPECT_EQ(Chosen(), (std::vector<int>{1, 2}));
  QTest::mouseClick(Form1->DXDraw, Qt::LeftButton, Qt::ShiftModifier, {500, 300});
  QTest::mouseClick(Form1->DXDraw, Qt::LeftButton, Qt::ShiftModifier, {200, 150});
  ASSERT_EQ(Chosen(), (std::vector<int>{0, 1}));

  QTest::keyClick(Form1, Qt::Key_Delete);
  ASSERT_EQ(Charges().Count(), 1);
  EXPECT_EQ(Charge(0), original[2]);
  EXPECT_TRUE(Chosen().empty());
  QTest::keyClick(Form1, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Charges(), original);
  EXPECT_EQ(Chosen(), (std::vector<int>{0, 1}));

  // A click on one of them without dragging leaves it alone selected.
  QTest::mouseClick(Form1->DXDraw, Qt::LeftButton, {}, {300, 160});
  EXPECT_EQ(Chosen(), (std::vector<int>{1}));
}

TEST_F(SelectionTest, DragAndArrowKeysMoveEverySelectedChargeAlike) {
  const TChargeList original = Charges();
  QTest::keyClick(Form1, Qt::Key_A, Qt::ControlModifier);
  ASSERT_EQ(Chosen(), (std::vector<int>{0, 1, 2}));
  Press(300, 160);
  Move(330, 170);
  Move(350, 200);
  Release(350, 200);
  QTest::keyClick(Form1, Qt::Key_Right);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Charge(i).X, original[i].X + 51) << i;
    EXPECT_EQ(Charge(i).Y, original[i].Y + 40) << i;
  }
  EXPECT_EQ(Chosen(), (std::vector<int>{0, 1, 2})) << "a drag keeps the selection";
  QTest::keyClick(Form1, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(Form1, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Charges(), original) << "the drag was one step, the key another";
}

TEST_F(SelectionTest, TheChargeTabGivesOnlyTheChangedFieldsToEverySelectedCharge) {
  Doc().SelectMany({0, 1, 2}, 0);
  TChargeTab &tab = *Form2->TabSheet_Charge;
  ASSERT_EQ(tab.Edit_Charge->text(), QStringLiteral("-1"));
  tab.SpinEdit_CountLines->setValue(5);
  tab.CheckBox_TestCharge->setChecked(true);
  QTest::mouseClick(tab.Button_Apply, Qt::LeftButton);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(Charge(i).FieldLineCount, 5u) << i;
    EXPECT_TRUE(Charge(i).IsTestCharge) << i;
  }
  EXPECT_EQ(Charge(1).ChargeValue, 2 * kElementaryCharge) << "the charge was not changed";
  EXPECT_EQ(Charge(2).ChargeValue, 3e-9L);
  EXPECT_EQ(Charge(2).ChargeUnit, 1);

  // A typed charge is in the unit shown: every one gets those coulombs, keeping its unit. The
  // field lines applied before count as shown now, so another charge's own number stays.
  ChangeCharge(1, [](TPointCharge &c) { c.FieldLineCount = 7; });
  tab.Edit_Charge->setText(QStringLiteral("4"));
  QTest::mouseClick(tab.Button_Apply, Qt::LeftButton);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(Charge(i).ChargeValue, 4 * kElementaryCharge) << i;
  EXPECT_EQ(Charge(2).ChargeUnit, 1);
  EXPECT_EQ(Charge(1).FieldLineCount, 7u);
  EXPECT_EQ(Charge(0).X, 190) << "positions stay";
  EXPECT_EQ(Charge(2).X, 490);

  Form1->MenuItem_FlipSign->trigger();
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(Charge(i).ChargeValue, -4 * kElementaryCharge) << i;
}

TEST_F(SelectionTest, PastedCopiesLandAtTheMouseInTheirArrangementOrBesideTheOriginals) {
  // The origin where the texts below are worked out by hand: 96 px per inch at 100 %.
  SetUpScene([](TScene &scene) { scene.Origin = {400, 260}; });
  Doc().SelectMany({0, 2});
  QTest::keyClick(Form1, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard->Text.toStdString(),
            "x = -0,0529 m; y = 0,0291 m; Q = -1 e; 16 Feldlinien\n"
            "x = 0,0265 m; y = -0,0106 m; Q = 3E-9 C; 9 Feldlinien\n");

  // Their box (centres 200,150 to 500,300) is centred at the mouse.
  Move(400, 260);
  QTest::keyClick(Form1, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(Charges().Count(), 5);
  EXPECT_EQ(Charge(3).CenterX(), 250);
  EXPECT_EQ(Charge(3).CenterY(), 185);
  EXPECT_EQ(Charge(4).CenterX(), 550);
  EXPECT_EQ(Charge(4).CenterY(), 335);
  EXPECT_EQ(Charge(4).ChargeValue, 3e-9L);
  EXPECT_EQ(Charge(4).ChargeUnit, 1);
  EXPECT_EQ(Chosen(), (std::vector<int>{3, 4}));

  // With the mouse elsewhere, beside their own places.
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(Form1->DXDraw, &leave);
  QTest::keyClick(Form1, Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(Charges().Count(), 7);
  EXPECT_EQ(Charge(5).X, Charge(0).X + kPasteOffset);
  EXPECT_EQ(Charge(6).Y, Charge(2).Y + kPasteOffset);

  // Anything else on the clipboard pastes nothing.
  clipboard->Bytes = "Kraftbild-Ladungen 1\n1 2 3\n";
  QTest::keyClick(Form1, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Charges().Count(), 7);

  // Cut: copied, then deleted.
  Doc().SelectMany({1});
  QTest::keyClick(Form1, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Charges().Count(), 6);
  EXPECT_TRUE(clipboard->Text.contains(QStringLiteral("Q = 2 e")));
}

TEST_F(SelectionTest, TheSystemClipboardCarriesOurFormatAndPlainText) {
  const std::unique_ptr<TChargeClipboard> system = SystemChargeClipboard();
  system->Put("Kraftbild-Ladungen 1\n", QStringLiteral("Text"));
  const QMimeData *data = QGuiApplication::clipboard()->mimeData();
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->text(), QStringLiteral("Text"));
  EXPECT_EQ(system->Charges(), QByteArray("Kraftbild-Ladungen 1\n"));
  QGuiApplication::clipboard()->setText(QStringLiteral("from another program"));
  EXPECT_TRUE(system->Charges().isEmpty());
}

} // namespace
