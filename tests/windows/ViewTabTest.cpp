// The settings window's view tab: what it shows, zooming about the origin, the entries it
// refuses without changing anything, and the settings it stores.
#include "support/ProgramFixture.h"
#include "support/QtPrinters.h"

#include "widgets/PellColorComboBox.h"
#include "windows/PotentialGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

#include <vector>

namespace {

class ViewTabTest : public ProgramTest {
protected:
  TViewTab &Tab() const { return *Form2->TabSheet_View; }
  void ShowTab() const { Form2->PageControl->setCurrentIndex(2); }
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
  static std::vector<std::pair<double, double>> Offsets() {
    std::vector<std::pair<double, double>> offsets;
    for (const auto &c : Charges)
      offsets.emplace_back(c->CenterX() - Origin.X, c->CenterY() - Origin.Y);
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
  ArrowScale = 1.23456e-20L;
  ArrowColor = 0x0000FF;
  PixelsPerMetre = DefaultPixelsPerMetre() * 2.5L;
  StepLength = 7;
  ShowCursorLine = false;
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
  Press(100, 100, Qt::RightButton); // the origin away from the centre
  Move(60, 130);
  Release(60, 130, Qt::RightButton);
  Create(300, 200);
  Create(517, 95);
  TPointCharge *selected = Create(250, 410);
  const QString x = Form2->TabSheet_Charge->Edit_X->text();
  const QString y = Form2->TabSheet_Charge->Edit_Y->text();
  const TPoint origin = Origin;
  const auto before = Offsets();
  const long double pixelsPerMetre = PixelsPerMetre;
  ShowTab();
  TheDocument().MarkSaved();
  MarkBackground();
  Tab().PellColorComboBox_Arrow->SetColor(0xFF0000);
  Tab().TrackBar_Precision->setValue(11);
  Tab().CheckBox_ShowFieldLineAtCursor->setChecked(false);

  Apply(QStringLiteral("1,23456E-20"), QStringLiteral("200"));
  EXPECT_TRUE(dialogs->Errors().empty());
  EXPECT_EQ(ArrowScale, 1.23456e-20L);
  EXPECT_EQ(Tab().Edit_ArrowLength->text(), QStringLiteral("1,23456E-20"))
      << "the editing form, not the tab's pattern";
  EXPECT_EQ(ArrowColor, 0xFF0000u);
  EXPECT_EQ(StepLength, 11u);
  EXPECT_FALSE(ShowCursorLine);
  EXPECT_EQ(Origin, origin);
  EXPECT_EQ(PixelsPerMetre, 2 * pixelsPerMetre);
  const auto after = Offsets();
  for (size_t i = 0; i < before.size(); ++i) {
    EXPECT_DOUBLE_EQ(after[i].first, 2 * before[i].first) << i;
    EXPECT_DOUBLE_EQ(after[i].second, 2 * before[i].second) << i;
  }
  EXPECT_TRUE(TheDocument().Modified());
  EXPECT_FALSE(BackgroundMarked());
  Form2->PageControl->setCurrentIndex(0);
  ASSERT_EQ(Form2->SelectedCharge(), selected);
  Form2->ComboBox_ChargesClick();
  EXPECT_EQ(Form2->TabSheet_Charge->Edit_X->text(), x) << "the metres stay";
  EXPECT_EQ(Form2->TabSheet_Charge->Edit_Y->text(), y);
}

TEST_F(ViewTabTest, SameZoomWithinTheToleranceDoesNotRescale) {
  Create(300, 200);
  const auto before = Offsets();
  const long double pixelsPerMetre = PixelsPerMetre;
  ShowTab();
  for (const char *zoom : {"100", "100,00001", "99,99999"}) {
    SCOPED_TRACE(zoom);
    TheDocument().MarkSaved();
    MarkBackground();
    Apply(QStringLiteral("1E-23"), QString::fromUtf8(zoom));
    EXPECT_EQ(Offsets(), before);
    EXPECT_EQ(PixelsPerMetre, pixelsPerMetre);
    EXPECT_TRUE(BackgroundMarked()) << "no new background";
    EXPECT_TRUE(FrameMarked()) << "but a new frame";
    EXPECT_FALSE(TheDocument().Modified()) << "nothing changed, nothing to save";
  }
  Apply(QStringLiteral("1E-23"), QStringLiteral("100,001")); // 1E-5 as a factor
  EXPECT_NE(Offsets(), before);
  EXPECT_FALSE(BackgroundMarked());
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
      {"2E-23", "1.5", "'1.5' ist kein gültiger Gleitkommawert."},
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
    TheDocument().MarkSaved();
    dialogs->Calls.clear();
    Tab().PellColorComboBox_Arrow->SetColor(0xFF0000);
    Tab().TrackBar_Precision->setValue(15);
    Tab().CheckBox_ShowFieldLineAtCursor->setChecked(false);
    Apply(QString::fromUtf8(c.arrow), QString::fromUtf8(c.zoom));
    EXPECT_EQ(dialogs->Errors(), (std::vector<QString>{QString::fromUtf8(c.shown)}));
    EXPECT_EQ(dialogs->Calls[0].Title, QStringLiteral("Das Kraftbild"));
    EXPECT_EQ(ArrowScale, kDefaultArrowScale);
    EXPECT_EQ(ArrowColor, kDefaultArrowColor);
    EXPECT_EQ(StepLength, kDefaultStepLength);
    EXPECT_TRUE(ShowCursorLine);
    EXPECT_EQ(PixelsPerMetre, DefaultPixelsPerMetre());
    EXPECT_EQ(Offsets(), offsets);
    EXPECT_FALSE(TheDocument().Modified());
    EXPECT_EQ(Tab().Edit_ArrowLength->text(), QString::fromUtf8(c.arrow)) << "the text stays";
    EXPECT_EQ(Tab().ComboBox_Zoom->currentText(), QString::fromUtf8(c.zoom));
  }
}

TEST_F(ViewTabTest, PotentialSwitchesRedrawTheBackgroundAndModifyTheProject) {
  Create(300, 200);
  Create(500, 300)->ChargeValue = -kElementaryCharge;
  TheDocument().MarkSaved();
  ShowTab();
  TPotentialGroup &group = *Tab().Group_Potential;
  QImage picture = Background->Image().copy();
  QAction *menu[] = {Form1->MenuItem_Equipotentials, Form1->MenuItem_PotentialMap};
  QCheckBox *boxes[] = {group.CheckBox_Lines, group.CheckBox_Map};
  QTest::mouseClick(Tab().Button_Potential, Qt::LeftButton);
  ASSERT_TRUE(group.isVisible());
  EXPECT_FALSE(Tab().Button_ApplyView->isVisible()) << "the group takes the settings' place";
  for (int i = 0; i < 2; ++i) {
    QTest::mouseClick(boxes[i], Qt::LeftButton, {}, QPoint(6, boxes[i]->height() / 2));
    EXPECT_TRUE(TheDocument().Modified());
    EXPECT_NE(Background->Image(), picture) << i;
    picture = Background->Image().copy();
    TheDocument().MarkSaved();
    // The menu shows the same switch and turns it off again; the tab follows.
    emit Form1->Extras1->aboutToShow();
    EXPECT_TRUE(menu[i]->isChecked());
    menu[i]->trigger();
    EXPECT_FALSE(boxes[i]->isChecked());
    EXPECT_TRUE(TheDocument().Modified());
    EXPECT_NE(Background->Image(), picture) << i;
    menu[i]->trigger();
    picture = Background->Image().copy();
    TheDocument().MarkSaved();
  }
  // A fixed spacing is read as typed; a wrong one changes nothing.
  QTest::mouseClick(group.Radio_Fixed, Qt::LeftButton, {},
                    QPoint(6, group.Radio_Fixed->height() / 2));
  Type(group.Edit_Spacing, QStringLiteral("0,5"));
  emit group.Edit_Spacing->editingFinished();
  EXPECT_TRUE(TheDocument().Potential.FixedSpacing);
  EXPECT_EQ(TheDocument().Potential.Spacing, 0.5L);
  QTest::mouseClick(group.Button_Back, Qt::LeftButton);
  EXPECT_TRUE(Tab().Button_ApplyView->isVisible());
  EXPECT_FALSE(group.isVisible());
}

} // namespace
