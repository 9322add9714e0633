// The tool windows from the keyboard: Enter applies, Tab walks the rows, every button has
// its own Alt+letter key, and the voltage window's panels take the focus.
#include "WindowsFixture.h"
#include "support/Mnemonics.h"

#include "widgets/PellColorComboBox.h"
#include "windows/FieldLineGroup.h"
#include "windows/PositionPanel.h"
#include "windows/PotentialGroup.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>

#include <vector>

namespace {

class KeyboardTest : public WindowsTest {
protected:
  TChargeTab &Charges() const { return *settings->TabSheet_Charge; }
  TViewTab &View() const { return *settings->TabSheet_View; }
  TPotentialGroup &Potential() const { return *View().Group_Potential; }
  static void Type(QLineEdit *edit, const QString &text) {
    edit->clear();
    QTest::keyClicks(edit, text);
  }
  static void Activate(QWidget *window) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  }
  // The widgets Tab reaches from first, in order, until it comes back to first.
  static std::vector<QWidget *> TabWalk(QWidget *first) {
    first->setFocus(Qt::TabFocusReason);
    std::vector<QWidget *> walk{QApplication::focusWidget()};
    for (int i = 0; i < 40; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      if (QApplication::focusWidget() == walk.front())
        break;
      walk.push_back(QApplication::focusWidget());
    }
    return walk;
  }
};

// Enter where the user typed applies the page as its button does; on a focused button it
// presses that button. Numbers come with either separator.
TEST_F(KeyboardTest, EnterAppliesWhatTheTabShows) {
  const int charge = Create(200, 150);
  struct Case {
    const char *name;
    std::function<QWidget *()> edit; // answers the widget that gets Enter
    std::function<void()> check;
  };
  const std::vector<Case> cases = {
      {"x typed with a point",
       [&] {
         Type(Charges().Edit_X, QStringLiteral("0.5"));
         return Charges().Edit_X;
       },
       [&] {
         const TScene &s = document.Scene();
         EXPECT_NEAR(Charge(charge).CenterX(),
                     static_cast<double>(s.Origin.X + s.PixelsPerMetre / 2), 1e-9);
       }},
      {"charge typed with an exponent",
       [&] {
         Type(Charges().Edit_Charge, QStringLiteral("-3,5E+4"));
         return Charges().Edit_Charge;
       },
       [&] { EXPECT_EQ(Charge(charge).ChargeValue, -3.5e4L * kElementaryCharge); }},
      {"line count",
       [&] {
         Charges().SpinEdit_CountLines->setValue(7);
         return Charges().SpinEdit_CountLines;
       },
       [&] { EXPECT_EQ(Charge(charge).FieldLineCount, 7u); }},
      {"test-charge box",
       [&] {
         Charges().CheckBox_TestCharge->setChecked(true);
         return Charges().CheckBox_TestCharge;
       },
       [&] { EXPECT_TRUE(Charge(charge).IsTestCharge); }},
      {"zoom",
       [&] {
         settings->PageControl->setCurrentWidget(&View());
         View().ComboBox_Zoom->setEditText(QStringLiteral("250"));
         return View().ComboBox_Zoom;
       },
       [&] { EXPECT_EQ(document.Scene().ZoomFactor(), 2.5L); }},
      {"arrow length",
       [&] {
         Type(View().Edit_ArrowLength, QStringLiteral("2.5E-3"));
         return View().Edit_ArrowLength;
       },
       [&] { EXPECT_EQ(document.Scene().ArrowScale, 2.5e-3L); }},
      {"spacing, and not the hidden view settings",
       [&] {
         View().Edit_ArrowLength->setText(QStringLiteral("kein Wert"));
         QTest::mouseClick(View().Button_Potential, Qt::LeftButton);
         Potential().Radio_Fixed->setChecked(true);
         Type(Potential().Edit_Spacing, QStringLiteral("0.75"));
         return Potential().Edit_Spacing;
       },
       [&] {
         EXPECT_TRUE(document.Scene().Potential.FixedSpacing);
         EXPECT_EQ(document.Scene().Potential.Spacing, 0.75L);
       }},
      {"focused delete button",
       [&] {
         QTest::mouseClick(Potential().Button_Back, Qt::LeftButton);
         settings->PageControl->setCurrentWidget(&Charges());
         Charges().Edit_X->setText(QStringLiteral("kein Wert"));
         Charges().Button_Delete->setFocus();
         return Charges().Button_Delete;
       },
       [&] { EXPECT_EQ(document.Charges().Count(), 0); }},
  };
  for (const Case &c : cases) {
    QWidget *target = c.edit();
    QTest::keyClick(target, Qt::Key_Return);
    SCOPED_TRACE(c.name);
    c.check();
    EXPECT_TRUE(dialogs->Calls.empty()) << c.name;
    dialogs->Calls.clear();
  }
}

// Tab follows the rows of each page from top to bottom, a row from left to right.
TEST_F(KeyboardTest, TabWalksTheRowsInOrder) {
  Create(200, 150);
  Activate(settings.get());
  const std::vector<QWidget *> charge = {Charges().Edit_X,
                                         Charges().Edit_Y,
                                         Charges().Edit_Charge,
                                         Charges().ComboBox_Unit,
                                         Charges().SpinEdit_CountLines,
                                         Charges().CheckBox_TestCharge,
                                         Charges().Button_Apply,
                                         Charges().Button_Center,
                                         Charges().Button_Delete};
  std::vector<QWidget *> walk = TabWalk(Charges().Edit_X);
  walk.resize(std::min(walk.size(), charge.size()));
  EXPECT_EQ(walk, charge);

  settings->PageControl->setCurrentWidget(&View());
  const std::vector<QWidget *> view = {View().Edit_ArrowLength,
                                       View().PellColorComboBox_Arrow,
                                       View().ComboBox_Zoom,
                                       View().TrackBar_Precision,
                                       View().CheckBox_ShowFieldLineAtCursor,
                                       View().Button_Potential,
                                       View().Button_FieldLines,
                                       View().Button_ApplyView};
  walk = TabWalk(View().Edit_ArrowLength);
  walk.resize(std::min(walk.size(), view.size()));
  EXPECT_EQ(walk, view);

  QTest::mouseClick(View().Button_Potential, Qt::LeftButton);
  const std::vector<QWidget *> potential = {Potential().CheckBox_Lines,
                                            Potential().Button_Back,
                                            Potential().Radio_Automatic,
                                            Potential().Edit_Spacing,
                                            Potential().PellColorComboBox_Lines,
                                            Potential().CheckBox_TestChargeLine,
                                            Potential().CheckBox_Map};
  walk = TabWalk(Potential().CheckBox_Lines);
  walk.resize(std::min(walk.size(), potential.size()));
  EXPECT_EQ(walk, potential);

  QTest::mouseClick(Potential().Button_Back, Qt::LeftButton);
  QTest::mouseClick(View().Button_FieldLines, Qt::LeftButton);
  TFieldLineGroup &lines = *View().Group_FieldLines;
  TFieldLineOptions proportional;
  proportional.Proportional = true; // the line count takes the focus only when it counts
  lines.ShowOptions(proportional);
  const std::vector<QWidget *> fieldLines = {lines.CheckBox_Proportional, lines.SpinEdit_Lines,
                                             lines.CheckBox_Arrows,       lines.CheckBox_Accurate,
                                             lines.CheckBox_ZeroPoints,   lines.Button_Back};
  walk = TabWalk(lines.CheckBox_Proportional);
  walk.resize(std::min(walk.size(), fieldLines.size()));
  EXPECT_EQ(walk, fieldLines);
}

// Every button and check box shows its German text and has an Alt+letter key of its own in
// its window.
TEST_F(KeyboardTest, EveryButtonHasItsOwnKey) {
  const std::vector<std::pair<QAbstractButton *, const char *>> buttons = {
      {Charges().CheckBox_TestCharge, "Probeladung (Kraftpfeil)"},
      {Charges().Button_Apply, "Übernehmen"},
      {Charges().Button_Center, "Zentrieren"},
      {Charges().Button_Delete, "Löschen"},
      {View().CheckBox_ShowFieldLineAtCursor, "Feldlinie an aktueller Cursorposition zeigen"},
      {View().Button_ApplyView, "Übernehmen"},
      {View().Button_Potential, "Äquipotentiallinien …"},
      {Potential().CheckBox_Lines, "Äquipotentiallinien zeigen"},
      {Potential().Radio_Automatic, "Abstand automatisch"},
      {Potential().Radio_Fixed, "Abstand:"},
      {Potential().CheckBox_TestChargeLine, "Linie durch die gewählte Probeladung"},
      {Potential().CheckBox_Map, "Potenzialfarben"},
      {Potential().Button_Back, "Zurück"},
      {View().Button_FieldLines, "Feldlinien …"},
      {View().Group_FieldLines->CheckBox_Proportional, "Feldlinien nach Ladungsmenge"},
      {View().Group_FieldLines->CheckBox_Arrows, "Pfeile auf Feldlinien"},
      {View().Group_FieldLines->CheckBox_Accurate, "Genaue Feldlinien"},
      {View().Group_FieldLines->CheckBox_ZeroPoints, "Feldfreie Punkte"},
      {View().Group_FieldLines->Button_Back, "Zurück"},
      {settings->TabSheet_Particle->Button_Apply, "Übernehmen"},
      {settings->TabSheet_Particle->Button_Delete, "Löschen"},
  };
  QStringList texts;
  for (const auto &[button, shown] : buttons) {
    EXPECT_EQ(WithoutMnemonic(button->text()), QString::fromUtf8(shown));
    texts << button->text();
  }
  // The list above is the whole window: no button of it is left without a key.
  int windowButtons = 0;
  for (QAbstractButton *button : settings->findChildren<QAbstractButton *>())
    windowButtons += qobject_cast<QPushButton *>(button) != nullptr ||
                     qobject_cast<QCheckBox *>(button) != nullptr ||
                     qobject_cast<QRadioButton *>(button) != nullptr;
  EXPECT_EQ(windowButtons, static_cast<int>(buttons.size()));
  QStringList keys = MnemonicKeys(texts);
  EXPECT_FALSE(keys.contains(QString())) << texts.join(' ').toStdString();
  EXPECT_EQ(keys.removeDuplicates(), 0) << texts.join(' ').toStdString();
}

// The panels take the focus in order (Alt+V and Alt+N lead to them); Space or Enter on one
// is a click.
TEST_F(KeyboardTest, VoltagePanelsAnswerTheKeyboard) {
  Activate(voltage.get());
  const std::vector<QWidget *> order = {voltage->Panel_Pos1, voltage->Panel_Pos2,
                                        voltage->ComboBox_Value};
  EXPECT_EQ(TabWalk(voltage->Panel_Pos1), order);

  QTest::keyClick(voltage.get(), Qt::Key_N, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), voltage->Panel_Pos2);
  QTest::keyClick(voltage->Panel_Pos2, Qt::Key_Space);
  EXPECT_EQ(voltage->PotentialSearching(), voltage->Panel_Pos2);
  QTest::keyClick(voltage.get(), Qt::Key_V, Qt::AltModifier);
  EXPECT_EQ(QApplication::focusWidget(), voltage->Panel_Pos1);
  QTest::keyClick(voltage->Panel_Pos1, Qt::Key_Return);
  EXPECT_EQ(voltage->PotentialSearching(), voltage->Panel_Pos1);
  QTest::keyClick(voltage->Panel_Pos1, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(voltage->PotentialSearching(), nullptr);
}

} // namespace
