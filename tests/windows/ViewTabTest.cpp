// The settings window's view tab: what it shows, zooming about the origin, the entries it
// refuses without changing anything, and the settings it stores.
#include "WindowsFixture.h"
#include "support/QtPrinters.h"

#include "model/ViewLimits.h"
#include "widgets/PellColorComboBox.h"
#include "windows/FieldLineGroup.h"
#include "windows/PotentialGroup.h"

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

class ViewTabTest : public WindowsTest {
protected:
  TViewTab &Tab() const { return *settings->TabSheet_View; }
  void ShowTab() const { settings->PageControl->setCurrentIndex(2); }
  static void Type(QLineEdit *edit, const QString &text) {
    edit->clear();
    QTest::keyClicks(edit, text);
  }
  void Apply(const QString &arrow, const QString &zoom) {
    Type(Tab().Edit_ArrowLength, arrow);
    Type(Tab().ComboBox_Zoom->lineEdit(), zoom);
    QTest::mouseClick(Tab().Button_ApplyView, Qt::LeftButton);
  }
  // Charge centres relative to the origin, px.
  std::vector<std::pair<double, double>> Offsets() const {
    const TScene &scene = document.Scene();
    std::vector<std::pair<double, double>> offsets;
    for (const TPointCharge &c : scene.Charges)
      offsets.emplace_back(c.CenterX() - scene.Origin.X, c.CenterY() - scene.Origin.Y);
    return offsets;
  }
};

TEST_F(ViewTabTest, FreshWindowAndShowingTheTab) {
  // As the window was created: the arrow length for editing, the default colour, which is
  // none of the named ones, in the custom entry.
  EXPECT_EQ(Tab().Edit_ArrowLength->text(), QStringLiteral("1E-23"));
  const TPellColorComboBox &colors = *Tab().PellColorComboBox_Arrow;
  EXPECT_EQ(colors.Color(), 0x00A609u);
  EXPECT_EQ(colors.CustomColor(), 0x00A609u);
  EXPECT_EQ(colors.currentIndex(), colors.Colors().size());

  // Showing the tab fills it from the view state.
  Prepare([](TScene &scene) {
    scene.ArrowScale = 1.23456e-20L;
    scene.ArrowColor = 0x0000FF;
    scene.PixelsPerMetre = DefaultPixelsPerMetre() * 2.5L;
    scene.StepLength = 7;
    scene.ShowCursorLine = false;
  });
  ShowTab();
  EXPECT_EQ(Tab().Edit_ArrowLength->text(), QStringLiteral("1,235E-20"));
  EXPECT_EQ(Tab().PellColorComboBox_Arrow->Color(), 0x0000FFu);
  EXPECT_LT(Tab().PellColorComboBox_Arrow->currentIndex(),
            Tab().PellColorComboBox_Arrow->Colors().size())
      << "red is a named colour";
  EXPECT_EQ(Tab().ComboBox_Zoom->currentText(), QStringLiteral("250"));
  EXPECT_EQ(Tab().TrackBar_Precision->value(), 7);
  EXPECT_FALSE(Tab().CheckBox_ShowFieldLineAtCursor->isChecked());

  // A selection change refills the showing tab: unapplied edits are replaced.
  Type(Tab().Edit_ArrowLength, QStringLiteral("5"));
  Create(300, 200);
  EXPECT_EQ(Tab().Edit_ArrowLength->text(), QStringLiteral("1,235E-20"));
}

TEST_F(ViewTabTest, ZoomScalesTheChargesAboutTheOrigin) {
  // The origin away from the centre, as a drag with the right button moves it.
  const TPoint centre = document.Scene().Origin;
  document.Pan(centre.X - 40, centre.Y + 30);
  Create(300, 200);
  Create(517, 95);
  const int selected = Create(250, 410);
  const QString x = settings->TabSheet_Charge->Edit_X->text();
  const QString y = settings->TabSheet_Charge->Edit_Y->text();
  const TPoint origin = document.Scene().Origin;
  const auto before = Offsets();
  const long double pixelsPerMetre = document.Scene().PixelsPerMetre;
  ShowTab();
  document.MarkSaved();
  Tab().PellColorComboBox_Arrow->SetColor(0xFF0000);
  Tab().TrackBar_Precision->setValue(11);
  Tab().CheckBox_ShowFieldLineAtCursor->setChecked(false);

  Apply(QStringLiteral("1,23456E-20"), QStringLiteral("200"));
  EXPECT_TRUE(dialogs->Errors().empty());
  const TScene &scene = document.Scene();
  EXPECT_EQ(scene.ArrowScale, 1.23456e-20L);
  EXPECT_EQ(Tab().Edit_ArrowLength->text(), QStringLiteral("1,23456E-20"))
      << "the editing form, not the tab's pattern";
  EXPECT_EQ(scene.ArrowColor, 0xFF0000u);
  EXPECT_EQ(scene.StepLength, 11u);
  EXPECT_FALSE(scene.ShowCursorLine);
  EXPECT_EQ(scene.Origin, origin);
  EXPECT_EQ(scene.PixelsPerMetre, 2 * pixelsPerMetre);
  const auto after = Offsets();
  for (size_t i = 0; i < before.size(); ++i) {
    EXPECT_DOUBLE_EQ(after[i].first, 2 * before[i].first) << i;
    EXPECT_DOUBLE_EQ(after[i].second, 2 * before[i].second) << i;
  }
  EXPECT_TRUE(document.Modified());
  settings->PageControl->setCurrentIndex(0);
  ASSERT_EQ(settings->SelectedCharge(), &Charge(selected));
  settings->ComboBox_ChargesClick();
  EXPECT_EQ(settings->TabSheet_Charge->Edit_X->text(), x) << "the metres stay";
  EXPECT_EQ(settings->TabSheet_Charge->Edit_Y->text(), y);
}

TEST_F(ViewTabTest, SameZoomWithinTheToleranceDoesNotRescale) {
  Create(300, 200);
  const auto before = Offsets();
  const long double pixelsPerMetre = document.Scene().PixelsPerMetre;
  ShowTab();
  for (const char *zoom : {"100", "100,00001", "99,99999"}) {
    SCOPED_TRACE(zoom);
    document.MarkSaved();
    Apply(QStringLiteral("1E-23"), QString::fromUtf8(zoom));
    EXPECT_EQ(Offsets(), before);
    EXPECT_EQ(document.Scene().PixelsPerMetre, pixelsPerMetre);
    EXPECT_FALSE(document.Modified()) << "nothing changed, nothing to save";
  }
  Apply(QStringLiteral("1E-23"), QStringLiteral("100,001")); // 1E-5 as a factor
  EXPECT_NE(Offsets(), before);
}

TEST_F(ViewTabTest, RefusedEntriesChangeNothing) {
  struct Case {
    const char *arrow;
    const char *zoom;
    const char *shown;
  };
  const Case cases[] = {
      {"0", "200", "Die Pfeillänge muss positiv sein."},
      {"-1E-23", "200", "Die Pfeillänge muss positiv sein."},
      {"1E-23", "0", "Die Zoomstufe muss positiv sein."},
      {"1E-23", "-50", "Die Zoomstufe muss positiv sein."},
      {"abc", "200", "'abc' ist kein gültiger Gleitkommawert."},
      {"abc", "0", "'abc' ist kein gültiger Gleitkommawert."},
      {"0", "abc", "Die Pfeillänge muss positiv sein."},
      {"2E-23", "1.500", "'1.500' ist kein gültiger Gleitkommawert."},
      // Far beyond any double: the charges would end up at infinite positions, never to
      // come back and not to be loaded again from a saved file.
      {"2E-23", "1E310", "Die Zoomstufe ist zu groß."},
      // Pixels per metre beyond the extended range, or so small that the metres of a
      // position overflow: such a view could not be saved and opened again.
      {"2E-23", "1E4931", "Die Zoomstufe ist zu groß."},
      {"2E-23", "1E-4700", "Die Zoomstufe ist zu klein."},
      // Arrows infinitely long: the factor from newtons to pixels overflows a double.
      {"1E-4900", "100", "Die Pfeillänge ist zu klein."},
      {"1E-320", "100", "Die Pfeillänge ist zu klein."},
      {"1E-200", "1E112", "Die Pfeillänge ist zu klein."},
      // The charge's field at 0.001 px beyond a double (an elementary charge: 7.3E161 %).
      {"1E-23", "8E161", "Die Zoomstufe ist zu groß."},
      {"1E-23", "1E290", "Die Zoomstufe ist zu groß."},
  };
  Create(300, 200);
  ShowTab();
  const auto offsets = Offsets();
  for (const Case &c : cases) {
    SCOPED_TRACE(c.shown);
    document.MarkSaved();
    dialogs->Calls.clear();
    Tab().PellColorComboBox_Arrow->SetColor(0xFF0000);
    Tab().TrackBar_Precision->setValue(15);
    Tab().CheckBox_ShowFieldLineAtCursor->setChecked(false);
    Apply(QString::fromUtf8(c.arrow), QString::fromUtf8(c.zoom));
    EXPECT_EQ(dialogs->Errors(), (std::vector<QString>{QString::fromUtf8(c.shown)}));
    EXPECT_EQ(dialogs->Calls[0].Title, QStringLiteral("Das Kraftbild"));
    const TScene &scene = document.Scene();
    EXPECT_EQ(scene.ArrowScale, kDefaultArrowScale);
    EXPECT_EQ(scene.ArrowColor, kDefaultArrowColor);
    EXPECT_EQ(scene.StepLength, kDefaultStepLength);
    EXPECT_TRUE(scene.ShowCursorLine);
    EXPECT_EQ(scene.PixelsPerMetre, DefaultPixelsPerMetre());
    EXPECT_EQ(Offsets(), offsets);
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(Tab().Edit_ArrowLength->text(), QString::fromUtf8(c.arrow)) << "the text stays";
    EXPECT_EQ(Tab().ComboBox_Zoom->currentText(), QString::fromUtf8(c.zoom));
  }
}

TEST_F(ViewTabTest, PotentialSwitchesModifyTheProjectAndFollowTheMenu) {
  Create(300, 200);
  Change(Create(500, 300), [](TPointCharge &charge) { charge.ChargeValue = -kElementaryCharge; });
  document.MarkSaved();
  ShowTab();
  TPotentialGroup &group = *Tab().Group_Potential;
  bool TPotentialOptions::*const flags[] = {&TPotentialOptions::Lines, &TPotentialOptions::Map};
  QCheckBox *boxes[] = {group.CheckBox_Lines, group.CheckBox_Map};
  // The "Extras" menu's switch, as the main window applies it.
  const auto switchInMenu = [this](bool TPotentialOptions::*flag, bool on) {
    TPotentialOptions options = document.Scene().Potential;
    options.*flag = on;
    document.ApplyPotential(options);
  };
  QTest::mouseClick(Tab().Button_Potential, Qt::LeftButton);
  ASSERT_TRUE(group.isVisible());
  EXPECT_FALSE(Tab().Button_ApplyView->isVisible()) << "the group takes the settings' place";
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    QTest::mouseClick(boxes[i], Qt::LeftButton, {}, QPoint(6, boxes[i]->height() / 2));
    EXPECT_TRUE(document.Modified());
    EXPECT_TRUE(document.Scene().Potential.*flags[i]);
    document.MarkSaved();
    // The menu turns the same switch off again; the tab follows.
    switchInMenu(flags[i], false);
    EXPECT_FALSE(boxes[i]->isChecked());
    EXPECT_TRUE(document.Modified());
    switchInMenu(flags[i], true);
    document.MarkSaved();
  }
  // A fixed spacing is read as typed; a wrong one changes nothing.
  QTest::mouseClick(group.Radio_Fixed, Qt::LeftButton, {},
                    QPoint(6, group.Radio_Fixed->height() / 2));
  Type(group.Edit_Spacing, QStringLiteral("0,5"));
  emit group.Edit_Spacing->editingFinished();
  EXPECT_TRUE(document.Scene().Potential.FixedSpacing);
  EXPECT_EQ(document.Scene().Potential.Spacing, 0.5L);
  QTest::mouseClick(group.Button_Back, Qt::LeftButton);
  EXPECT_TRUE(Tab().Button_ApplyView->isVisible());
  EXPECT_FALSE(group.isVisible());
}

// Each switch of the field-line group is one undoable change, the line count with it; the
// group follows the menu and undo.
TEST_F(ViewTabTest, FieldLineSwitchesApplyAtOnceAndFollowUndo) {
  Create(300, 200);
  document.MarkSaved();
  ShowTab();
  TFieldLineGroup &group = *Tab().Group_FieldLines;
  QTest::mouseClick(Tab().Button_FieldLines, Qt::LeftButton);
  ASSERT_TRUE(group.isVisible());
  EXPECT_FALSE(group.SpinEdit_Lines->isEnabled()) << "the count only counts in proportion";
  const std::pair<QCheckBox *, bool TFieldLineOptions::*> switches[] = {
      {group.CheckBox_Proportional, &TFieldLineOptions::Proportional},
      {group.CheckBox_Arrows, &TFieldLineOptions::Arrows},
      {group.CheckBox_Accurate, &TFieldLineOptions::Accurate},
      {group.CheckBox_ZeroPoints, &TFieldLineOptions::ZeroPoints}};
  for (const auto &[box, flag] : switches) {
    SCOPED_TRACE(box->text().toStdString());
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    EXPECT_TRUE(document.Scene().FieldLines.*flag);
    EXPECT_TRUE(document.Modified());
  }
  EXPECT_TRUE(group.SpinEdit_Lines->isEnabled());
  group.SpinEdit_Lines->setValue(24);
  EXPECT_EQ(document.Scene().FieldLines.Lines, 24u);
  document.Undo();
  EXPECT_EQ(group.SpinEdit_Lines->value(), 16);
  document.Undo();
  EXPECT_FALSE(group.CheckBox_ZeroPoints->isChecked());
  EXPECT_TRUE(group.CheckBox_Accurate->isChecked());
  QTest::mouseClick(group.Button_Back, Qt::LeftButton);
  EXPECT_TRUE(Tab().Button_ApplyView->isVisible());
}

} // namespace
