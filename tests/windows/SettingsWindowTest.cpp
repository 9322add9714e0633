// The settings window's charge list and charge tab, driven with key and mouse events under a
// German locale.
#include "WindowsFixture.h"
#include "support/PixelTesting.h"

#include "model/Readouts.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace {

class SettingsWindowTest : public WindowsTest {
protected:
  TChargeTab &Tab() const { return *settings->TabSheet_Charge; }
  static void Type(QLineEdit *edit, const QString &text) {
    edit->clear();
    QTest::keyClicks(edit, text);
  }
  void Apply(const QString &x, const QString &y, const QString &q) {
    Type(Tab().Edit_X, x);
    Type(Tab().Edit_Y, y);
    Type(Tab().Edit_Charge, q);
    QTest::mouseClick(Tab().Button_Apply, Qt::LeftButton);
  }
  // Edits, unit, count and flag as the tab shows them.
  QStringList Shown() const {
    return {Tab().Edit_X->text(),
            Tab().Edit_Y->text(),
            Tab().Edit_Charge->text(),
            QString::number(Tab().ComboBox_Unit->currentIndex()),
            Tab().SpinEdit_CountLines->text(),
            Tab().CheckBox_TestCharge->isChecked() ? "x" : "-"};
  }
  bool ButtonsEnabled() const {
    return Tab().Button_Apply->isEnabled() && Tab().Button_Center->isEnabled() &&
           Tab().Button_Delete->isEnabled();
  }
  bool ButtonsDisabled() const {
    return !Tab().Button_Apply->isEnabled() && !Tab().Button_Center->isEnabled() &&
           !Tab().Button_Delete->isEnabled();
  }
  // The origin put there without moving the charges.
  void PutOrigin(TPoint origin) {
    Prepare([origin](TScene &scene) { scene.Origin = origin; });
  }
};

TEST_F(SettingsWindowTest, TabFollowsTheSelection) {
  EXPECT_TRUE(ButtonsDisabled());
  EXPECT_EQ(Shown(), (QStringList{"", "", "", "-1", "0", "-"}));

  const TPoint origin = document.Scene().Origin;
  Create(origin.X, origin.Y);
  const int second = Create(origin.X + 50, origin.Y - 50);
  Prepare([second](TScene &scene) {
    scene.PixelsPerMetre = 100;
    TPointCharge &charge = scene.Charges[second];
    charge.ChargeValue = 2 * kElementaryCharge;
    charge.FieldLineCount = 1000;
    charge.IsTestCharge = true;
  });
  settings->ComboBox_ChargesClick();
  EXPECT_TRUE(ButtonsEnabled());
  EXPECT_EQ(Shown(), (QStringList{"0,5", "0,5", "2", "0", "400", "x"}));
  EXPECT_EQ(PositionText(document.Scene(), Charge(second)), QStringLiteral("X: 0,5 | Y: 0,5"));

  // Picking another entry with the keyboard runs the click handler.
  settings->ComboBox_Charges->setFocus();
  QTest::keyClick(settings->ComboBox_Charges, Qt::Key_Up);
  EXPECT_EQ(settings->ComboBox_Charges->currentIndex(), 0);
  EXPECT_EQ(Shown(), (QStringList{"0", "0", "1", "0", "16", "-"}));
}

TEST_F(SettingsWindowTest, ApplyReadsGermanNumbers) {
  const int charge = Create(200, 150);
  const int other = CreateTestCharge(500, 300);
  document.ChooseVoltage({charge, -1, -1}, true);
  settings->ComboBox_Charges->setCurrentIndex(0);
  settings->ComboBox_ChargesClick();
  document.MarkSaved();

  Tab().ComboBox_Unit->setCurrentIndex(1);
  Tab().SpinEdit_CountLines->setValue(7);
  Tab().CheckBox_TestCharge->setChecked(true);
  Apply("0,5", "-0,25", "-3E-2");
  EXPECT_TRUE(dialogs->Calls.empty());
  const TScene &scene = document.Scene();
  EXPECT_NEAR(Charge(charge).CenterX(),
              static_cast<double>(scene.Origin.X + 0.5L * scene.PixelsPerMetre), 1e-9);
  EXPECT_NEAR(Charge(charge).CenterY(),
              static_cast<double>(scene.Origin.Y + 0.25L * scene.PixelsPerMetre), 1e-9);
  EXPECT_EQ(Charge(charge).ChargeUnit, 1);
  EXPECT_EQ(Charge(charge).ChargeValue, -3e-2L);
  EXPECT_EQ(Charge(charge).FieldLineCount, 7u);
  EXPECT_TRUE(Charge(charge).IsTestCharge);
  EXPECT_TRUE(document.Modified());
  EXPECT_EQ(voltage->Panel_Pos1->text(), QStringLiteral("X: 0,5 | Y: -0,25"));
  EXPECT_EQ(Tab().Edit_X->text(), QStringLiteral("0,5")) << "the edits keep what was typed";
  EXPECT_EQ(Charge(other).X, 490) << "only the selected charge changes";

  // A unit switch without editing the number reads it in the new unit; a count that is not
  // a number counts as zero.
  settings->ComboBox_ChargesClick();
  Tab().ComboBox_Unit->setCurrentIndex(0);
  Tab().SpinEdit_CountLines->findChild<QLineEdit *>()->clear();
  QTest::mouseClick(Tab().Button_Apply, Qt::LeftButton);
  EXPECT_EQ(Charge(charge).ChargeValue, -3e-2L * kElementaryCharge);
  EXPECT_EQ(Charge(charge).FieldLineCount, 0u);
}

TEST_F(SettingsWindowTest, ApplyReportsTheFirstUnreadableFieldAndChangesNothing) {
  struct Case {
    const char *x, *y, *q, *error;
  };
  const int charge = Create(200, 150);
  for (const Case c : {Case{"abc", "1", "x", "Ungültige x-Koordinate"},
                       Case{"1", "abc", "1", "Ungültige y-Koordinate"},
                       Case{"1", "2", "1.500", "Ungültige Ladungsangabe"},
                       Case{"", "2", "1", "Ungültige x-Koordinate"},
                       // Metres whose pixel position overflows could never be saved.
                       Case{"1e305", "2", "1", "Ungültige x-Koordinate"},
                       Case{"1", "-1e305", "1", "Ungültige y-Koordinate"},
                       // Beyond 5e8 px (132 km at 100 %) "Zentrieren" could not reach it.
                       Case{"1e300", "2", "1", "Ungültige x-Koordinate"},
                       Case{"1", "-132292", "1", "Ungültige y-Koordinate"},
                       // Forces beyond a double: 7.3e159 e (1.2e141 C) is the bound at 100 %.
                       Case{"1", "2", "7,4e159", "Ungültige Ladungsangabe"},
                       Case{"1", "2", "1e400", "Ungültige Ladungsangabe"}}) {
    dialogs->Calls.clear();
    document.MarkSaved();
    Apply(QString::fromUtf8(c.x), c.y, c.q);
    ASSERT_EQ(dialogs->Calls.size(), 1u) << c.error;
    EXPECT_EQ(dialogs->Calls[0].Kind, QStringLiteral("error"));
    EXPECT_EQ(dialogs->Calls[0].Title, QStringLiteral("Ungültige oder unvollständige Angaben"));
    EXPECT_EQ(dialogs->Calls[0].Text, QString::fromUtf8(c.error));
    EXPECT_EQ(Charge(charge).X, 190);
    EXPECT_EQ(Charge(charge).ChargeValue, kElementaryCharge);
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(Tab().Edit_Y->text(), QString::fromUtf8(c.y));
  }
  dialogs->Calls.clear();
  Apply("1", "2", "7,2e159");
  EXPECT_EQ(dialogs->Errors(), std::vector<QString>{});
  EXPECT_EQ(Charge(charge).ChargeValue, 7.2e159L * kElementaryCharge);
}

TEST_F(SettingsWindowTest, LineCountClampsAsTypedAndAnEmptiedFieldIsNone) {
  struct Case {
    const char *typed, *shown;
    uint32_t lines;
  };
  const int charge = Create(200, 150);
  settings->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(settings.get()));
  QSpinBox *spin = Tab().SpinEdit_CountLines;
  for (const Case c : {Case{"999", "400", 400}, Case{"450", "400", 400}, Case{"45", "45", 45},
                       Case{"99999999999999999999", "400", 400}, Case{"", "0", 0}}) {
    spin->setValue(7);
    spin->setFocus();
    QTest::keyClick(spin, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(spin, Qt::Key_Delete);
    QTest::keyClicks(spin, QString::fromLatin1(c.typed));
    Tab().Button_Apply->setFocus(); // leaving the field, as a click on the button does
    EXPECT_EQ(spin->text(), QString::fromLatin1(c.shown)) << c.typed;
    QTest::mouseClick(Tab().Button_Apply, Qt::LeftButton);
    EXPECT_EQ(Charge(charge).FieldLineCount, c.lines) << c.typed;
  }
}

TEST_F(SettingsWindowTest, UnknownUnitFromADamagedFileKeepsTheCharge) {
  const int charge = Create(200, 150);
  Change(charge, [](TPointCharge &damaged) {
    damaged.ChargeUnit = 7;
    damaged.ChargeValue = 0.25L;
  });
  settings->ComboBox_ChargesClick();
  EXPECT_EQ(Tab().ComboBox_Unit->currentIndex(), -1);
  EXPECT_EQ(Tab().Edit_Charge->text(), QStringLiteral("0,25"));
  QTest::mouseClick(Tab().Button_Apply, Qt::LeftButton);
  EXPECT_EQ(Charge(charge).ChargeUnit, 7);
  EXPECT_EQ(Charge(charge).ChargeValue, 0.25L);
}

TEST_F(SettingsWindowTest, CentreMovesTheViewButIsNoChange) {
  struct Case {
    double x, y;   // top-left of the charge, px
    TPoint origin; // after centring
  };
  // 396 + 396 - 100.5 - 10 = 681.5 rounds to the even 682; 267 + 267 - 50 - 10 = 474.
  for (const Case c : {Case{100.5, 50, {682, 474}}, Case{386, 257, {396, 267}}}) {
    PutOrigin({396, 267});
    const int charge = Create(300, 300);
    Change(charge, [c](TPointCharge &placed) {
      placed.X = c.x;
      placed.Y = c.y;
    });
    const TWorldPoint world = document.Scene().ChargeWorldPosition(Charge(charge));
    document.MarkSaved();
    QTest::mouseClick(Tab().Button_Center, Qt::LeftButton);
    EXPECT_EQ(document.Scene().Origin, c.origin);
    EXPECT_NEAR(Charge(charge).CenterX(), 396, 0.5);
    EXPECT_NEAR(Charge(charge).CenterY(), 267, 0.5);
    EXPECT_NEAR(static_cast<double>(document.Scene().ChargeWorldPosition(Charge(charge)).X),
                static_cast<double>(world.X), 1e-12);
    EXPECT_FALSE(document.Modified());
  }
}

TEST_F(SettingsWindowTest, FarthestAcceptedPositionsAreCentred) {
  for (const char *x : {"132291", "-132291", "0,001"}) {
    PutOrigin({396, 267});
    const int charge = Create(300, 300);
    Apply(QString::fromLatin1(x), QString::fromLatin1(x).remove(u'-'), "1");
    ASSERT_TRUE(dialogs->Calls.empty()) << x;
    QTest::mouseClick(Tab().Button_Center, Qt::LeftButton);
    EXPECT_NEAR(Charge(charge).CenterX(), 396, 0.5) << x;
    EXPECT_NEAR(Charge(charge).CenterY(), 267, 0.5) << x;
  }
}

TEST_F(SettingsWindowTest, DeleteEmptiesTheVoltagePanelFirst) {
  const int start = CreateTestCharge(200, 150);
  const int end = CreateTestCharge(400, 150);
  const TPointCharge kept = Charge(start);
  document.ChooseVoltage({start, end, kValueVoltage}, true);
  settings->ComboBox_Charges->setCurrentIndex(1);
  settings->ComboBox_ChargesClick();
  document.MarkSaved();

  QTest::mouseClick(Tab().Button_Delete, Qt::LeftButton);
  ASSERT_EQ(document.Charges().Count(), 1);
  EXPECT_EQ(Charge(0), kept);
  EXPECT_EQ(settings->ComboBox_Charges->count(), 1);
  EXPECT_EQ(settings->ComboBox_Charges->currentIndex(), -1);
  EXPECT_EQ(document.Scene().Voltage.End, -1);
  EXPECT_EQ(voltage->ChargeOf(voltage->Panel_Pos2), -1);
  EXPECT_EQ(voltage->Panel_Pos2->text(), kNoChargeChosenText);
  EXPECT_EQ(voltage->ChargeOf(voltage->Panel_Pos1), 0);
  EXPECT_EQ(voltage->Label_Value->text(), kClickHintText);
  EXPECT_TRUE(ButtonsDisabled());
  EXPECT_EQ(Shown(), (QStringList{"", "", "", "-1", "0", "-"}));
  EXPECT_TRUE(document.Modified());
}

TEST_F(SettingsWindowTest, ListEntriesShowTestChargesInGreen) {
  const TPoint origin = document.Scene().Origin;
  Create(origin.X, origin.Y);
  CreateTestCharge(origin.X + 50, origin.Y);
  for (int index : {0, 1}) {
    TBitmap entry(200, 16);
    entry.Canvas().Brush.SetColor(0xFFFFFF);
    DrawChargeEntry(entry.Canvas(), document, index, {0, 0, 200, 16}, 0x000000);
    const PixelBox text = ChangedBox(entry.Image(), 0xFFFFFF);
    EXPECT_GE(text.Left, 2) << "text starts two pixels in";
    // Smoothed text has mixed pixels: count those of a green hue.
    int green = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 200; ++x) {
        const QColor c = entry.Image().pixelColor(x, y);
        green += c.green() > c.red() + 32 && c.green() > c.blue() + 32;
      }
    EXPECT_GT(text.Right, 20);
    EXPECT_EQ(green > 0, index == 1);
  }
}

TEST_F(SettingsWindowTest, CannotBeClosedWhileTheProgramRuns) {
  EXPECT_FALSE(settings->close());
  EXPECT_TRUE(settings->isVisible());
}

TEST_F(SettingsWindowTest, TheEquipotentialGroupFitsTheWindowAsItWas) {
  // The window's size is its largest tab's: the group, in the view settings' place, must
  // make the view tab no wider than they are and no taller than the charge tab.
  const QWidget &settingsGroup = *settings->TabSheet_View->Button_ApplyView->parentWidget();
  const QSize tab = settings->TabSheet_View->minimumSizeHint();
  EXPECT_LE(tab.width(), settingsGroup.minimumSizeHint().width());
  EXPECT_LE(tab.height(), settings->TabSheet_Charge->minimumSizeHint().height());
}

} // namespace
