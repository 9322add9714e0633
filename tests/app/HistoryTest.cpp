// Undo and redo through the "Bearbeiten" menu: every kind of change, taken back and
// repeated, leaves document, windows and picture exactly as before and after it.
#include "support/ProgramFixture.h"

#include "model/Background.h"
#include "windows/PotentialGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWheelEvent>

#include <functional>
#include <ostream>
#include <vector>

namespace {

// All a user can see of the document: its state, the settings window's selection and edits,
// the voltage window's choices and the frame.
struct Seen {
  TViewState View;
  TPotentialOptions Potential;
  TFieldLineOptions FieldLines;
  TChargeList Charges;
  int Selected = -1;
  std::vector<int> AllSelected;
  TVoltageChoice Choices;
  QStringList Edits;
  QImage Frame;
  bool operator==(const Seen &) const = default;
};

// Field by field, so that a failure says what differs.
void PrintTo(const Seen &seen, std::ostream *os) {
  const TViewValues &view = seen.View.View;
  *os << "origin " << view.Origin.X << "," << view.Origin.Y << " ppm "
      << static_cast<double>(view.PixelsPerMetre) << " charges " << seen.Charges.Count()
      << " selected " << seen.Selected << " choices " << seen.Choices.Start << " "
      << seen.Choices.End << " " << seen.Choices.Value;
  *os << " selected of " << seen.AllSelected.size();
  *os << " edits " << seen.Edits.join(QStringLiteral("|")).toStdString();
  for (const TPointCharge &c : seen.Charges)
    *os << " (" << c.X << "," << c.Y << ")";
  *os << " arrows " << static_cast<double>(view.ArrowScale) << " step " << view.StepLength
      << " potential lines " << seen.Potential.Lines << " map " << seen.Potential.Map
      << " zero points " << seen.FieldLines.ZeroPoints << " line arrows " << seen.FieldLines.Arrows;
}

class HistoryTest : public ProgramTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Form3->show();
    Create(200, 150);
    Create(500, 300);
    CreateTestCharge(350, 120);
    CreateTestCharge(250, 400);
    Doc().ChooseVoltage({2, 3, 0}, true);
    Doc().Select(1);
  }

public:
  Seen Look() const {
    Seen seen;
    seen.View = Doc().CaptureView();
    seen.Potential = Scene().Potential;
    seen.FieldLines = Scene().FieldLines;
    seen.Charges = Charges();
    seen.Selected = Doc().SelectedIndex();
    seen.AllSelected = Doc().SelectedIndices();
    seen.Choices = Scene().Voltage;
    const TChargeTab &tab = *Form2->TabSheet_Charge;
    seen.Edits = {tab.Edit_X->text(), tab.Edit_Y->text(), tab.Edit_Charge->text(),
                  Form2->TabSheet_View->ComboBox_Zoom->currentText(), Form3->Label_Value->text()};
    seen.Frame = Form1->DXDraw->PresentedImage();
    return seen;
  }
};

struct StepCase {
  const char *name;
  QString text; // what the menu says it takes back
  std::function<void(HistoryTest &)> act;
  // What comes before and is no step of its own (a selection, a page of the settings window).
  std::function<void(HistoryTest &)> prepare = [](HistoryTest &) {};
  bool unsaved = true; // whether the change alone makes the document unsaved
};

void Type(QLineEdit *edit, const QString &text) {
  edit->clear();
  QTest::keyClicks(edit, text);
}
void Click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

// Every kind of change a user can make, one step each.
std::vector<StepCase> EveryKindOfChange() {
  using T = HistoryTest;
  return {
      {"create", "Ladung erzeugen", [](T &t) { t.Create(600, 100); }},
      {"drag of 50 moves", "Ladung verschieben",
       [](T &t) {
         t.Press(500, 300);
         for (int i = 1; i <= 50; ++i)
           t.Move(500 - 3 * i, 300 + i);
         t.Release(350, 350);
       }},
      {"apply", "Ladung ändern",
       [](T &t) {
         Type(t.Form2->TabSheet_Charge->Edit_X, QStringLiteral("0,5"));
         Type(t.Form2->TabSheet_Charge->Edit_Charge, QStringLiteral("-3"));
         Click(t.Form2->TabSheet_Charge->Button_Apply);
       }},
      {"delete a chosen charge", "Ladung löschen",
       [](T &t) { Click(t.Form2->TabSheet_Charge->Button_Delete); },
       [](T &t) { t.Doc().Select(2); }},
      {"centre", "Zentrieren", [](T &t) { Click(t.Form2->TabSheet_Charge->Button_Center); },
       [](T &) {}, false},
      {"pan", "Ansicht verschieben",
       [](T &t) {
         t.Press(100, 100, Qt::RightButton);
         for (int i = 1; i <= 20; ++i)
           t.Move(100 + i, 100 - 2 * i);
         t.Release(120, 60, Qt::RightButton);
       }},
      {"zoom and view settings", "Anzeige ändern",
       [](T &t) {
         Type(t.Form2->TabSheet_View->ComboBox_Zoom->lineEdit(), QStringLiteral("150"));
         Type(t.Form2->TabSheet_View->Edit_ArrowLength, QStringLiteral("2E-23"));
         Click(t.Form2->TabSheet_View->Button_ApplyView);
       },
       [](T &t) { t.Form2->PageControl->setCurrentIndex(2); }},
      {"wheel notch", "Zoom ändern",
       [](T &t) {
         QWheelEvent wheel(QPointF(123, 45), t.Form1->DXDraw->mapToGlobal(QPointF(123, 45)),
                           QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                           Qt::NoScrollPhase, false);
         QApplication::sendEvent(t.Form1->DXDraw, &wheel);
       },
       [](T &t) { t.Form2->PageControl->setCurrentIndex(2); }},
      {"show all", "Zoom ändern", [](T &t) { t.Form1->MenuItem_ShowAll->trigger(); }},
      {"equipotential lines from the menu", "Potenzialanzeige ändern",
       [](T &t) { t.Form1->MenuItem_Equipotentials->trigger(); }},
      {"zero points from the menu", "Feldlinien ändern",
       [](T &t) { t.Form1->MenuItem_ZeroPoints->trigger(); }},
      {"line arrows from the menu", "Feldlinien ändern",
       [](T &t) { t.Form1->MenuItem_LineArrows->trigger(); }},
      {"potential map from the view tab", "Potenzialanzeige ändern",
       [](T &t) { t.Form2->TabSheet_View->Group_Potential->CheckBox_Map->click(); },
       [](T &t) { t.Form2->PageControl->setCurrentIndex(2); }},
      // Charges 0 and 2 in a rectangle, 1 and 3 outside it.
      {"rectangle and Entf", "Ladungen löschen",
       [](T &t) { QTest::keyClick(t.Form1, Qt::Key_Delete); },
       [](T &t) { t.DragWith(Qt::ControlModifier, 150, 100, 380, 170); }},
      {"drag of a selection", "Ladungen verschieben",
       [](T &t) {
         t.Press(500, 300);
         for (int i = 1; i <= 30; ++i)
           t.Move(500 - 3 * i, 300 + i);
         t.Release(410, 330);
       },
       [](T &t) { t.Form1->MenuItem_SelectAll->trigger(); }},
      {"arrow key on a selection", "Ladungen verschieben",
       [](T &t) { QTest::keyClick(t.Form1, Qt::Key_Left, Qt::ShiftModifier); },
       [](T &t) { t.Form1->MenuItem_SelectAll->trigger(); }},
      {"sign of a Shift+click selection", "Vorzeichen umkehren",
       [](T &t) { t.Form1->MenuItem_FlipSign->trigger(); },
       [](T &t) {
         QTest::mouseClick(t.Form1->DXDraw, Qt::LeftButton, Qt::ShiftModifier, {200, 150});
       }},
      {"field lines of several", "Ladungen ändern",
       [](T &t) {
         t.Form2->TabSheet_Charge->SpinEdit_CountLines->setValue(5);
         Click(t.Form2->TabSheet_Charge->Button_Apply);
       },
       [](T &t) { t.Form1->MenuItem_SelectAll->trigger(); }},
      {"cut", "Ladungen löschen", [](T &t) { t.Form1->MenuItem_Cut->trigger(); },
       [](T &t) { t.DragWith(Qt::ControlModifier, 150, 100, 380, 170); }},
      {"paste", "Einfügen", [](T &t) { t.Form1->MenuItem_Paste->trigger(); },
       [](T &t) {
         t.Form1->MenuItem_SelectAll->trigger();
         t.Form1->MenuItem_Copy->trigger();
       }},
      {"duplicate", "Duplizieren", [](T &t) { t.Form1->MenuItem_Duplicate->trigger(); },
       [](T &t) { t.DragWith(Qt::ControlModifier, 150, 100, 380, 170); }},
      {"voltage choice", "Spannungsauswahl ändern",
       [](T &t) { QTest::mouseClick(t.Form3->Panel_Pos2, Qt::RightButton); }},
      {"voltage value", "Spannungsauswahl ändern",
       [](T &t) {
         t.Form3->ComboBox_Value->setCurrentIndex(1);
         emit t.Form3->ComboBox_Value->activated(1);
       },
       [](T &) {}, false},
  };
}

TEST_F(HistoryTest, EveryKindOfChangeIsTakenBackAndRepeatedExactly) {
  const std::vector<StepCase> cases = EveryKindOfChange();
  for (const StepCase &c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    c.prepare(*this);
    const int steps = Doc().History().Count();
    const Seen before = Look();
    c.act(*this);
    const Seen after = Look();
    ASSERT_NE(after, before);
    EXPECT_EQ(Doc().History().Count(), steps + 1) << "one step";
    EXPECT_EQ(Form1->MenuItem_Undo->text(), QStringLiteral("Rückgängig: ") + c.text);

    Form1->MenuItem_Undo->trigger();
    EXPECT_EQ(Look(), before);
    EXPECT_EQ(Form1->MenuItem_Redo->text(), QStringLiteral("Wiederholen: ") + c.text);
    Form1->MenuItem_Redo->trigger();
    EXPECT_EQ(Look(), after);
    Form1->MenuItem_Undo->trigger();
    EXPECT_EQ(Look(), before) << "a second time";
  }
}

TEST_F(HistoryTest, UndoingBackToTheSavedStateClearsModified) {
  Doc().MarkSaved();
  Press(500, 300);
  Move(400, 250);
  Release(400, 250);
  EXPECT_TRUE(Doc().Modified());
  Form1->MenuItem_Undo->trigger();
  EXPECT_FALSE(Doc().Modified());
  Form1->MenuItem_Undo->trigger(); // before the save
  EXPECT_TRUE(Doc().Modified());
  Form1->MenuItem_Redo->trigger();
  EXPECT_FALSE(Doc().Modified());

  dialogs->Calls.clear();
  Form1->MenuItem_New->trigger();
  EXPECT_TRUE(dialogs->Calls.empty()) << "nothing to ask about";
  EXPECT_FALSE(Form1->MenuItem_Undo->isEnabled());
  EXPECT_FALSE(Form1->MenuItem_Redo->isEnabled());
  EXPECT_EQ(Form1->MenuItem_Undo->text(), QStringLiteral("Rückgängig"));
}

// Unsaved means "not at the saved point of the history", so that no undo can hide a change
// from the save question: each kind of change through change, undo, redo and save.
TEST_F(HistoryTest, TheSaveQuestionComesExactlyWhenTheHistoryIsNotAtTheSavedPoint) {
  const QTemporaryDir folder;
  for (const StepCase &c : EveryKindOfChange()) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    c.prepare(*this);
    dialogs->FileNames = {folder.filePath(QStringLiteral("projekt.kbf"))};
    Form1->MenuItem_Save->trigger();
    ASSERT_FALSE(Doc().Modified());
    const auto asksOnClose = [this] {
      dialogs->Calls.clear();
      dialogs->Answers = {TQuestionAnswer::Cancel};
      bool canClose = false;
      Form1->FormCloseQuery(canClose);
      return !dialogs->Calls.empty();
    };
    c.act(*this);
    EXPECT_EQ(Doc().Modified(), c.unsaved) << "changed";
    EXPECT_EQ(asksOnClose(), c.unsaved);
    Form1->MenuItem_Undo->trigger();
    EXPECT_FALSE(Doc().Modified()) << "taken back";
    EXPECT_FALSE(asksOnClose());
    Form1->MenuItem_Redo->trigger();
    EXPECT_EQ(Doc().Modified(), c.unsaved) << "repeated";
    Form1->MenuItem_Save->trigger();
    EXPECT_FALSE(Doc().Modified()) << "saved";
    // The saved state now has the change: taking it back is a change.
    Form1->MenuItem_Undo->trigger();
    EXPECT_EQ(Doc().Modified(), c.unsaved) << "taken back after the save";
    EXPECT_EQ(asksOnClose(), c.unsaved);
  }
}

TEST_F(HistoryTest, UndoDuringADragEndsTheDragFirst) {
  Press(650, 100); // creates a charge and drags it
  Move(660, 110);
  Form1->MenuItem_Undo->trigger();
  EXPECT_EQ(Charges().Count(), 4);
  EXPECT_EQ(Form1->DragCharge, -1);
  Move(670, 120);
  Release(670, 120);
  EXPECT_EQ(Charges().Count(), 4);
  Form1->MenuItem_Redo->trigger();
  ASSERT_EQ(Charges().Count(), 5);
  EXPECT_EQ(Charge(4).CenterX(), 660);
}

TEST_F(HistoryTest, KeysMoveOrDeleteTheSelectionOneStepEach) {
  const long double grid = TickScale(Scene()).Pixels;
  struct KeyCase {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    long double dx;
    long double dy;
  };
  const std::vector<KeyCase> cases = {
      {Qt::Key_Left, {}, -1, 0},
      {Qt::Key_Right, {}, 1, 0},
      {Qt::Key_Up, {}, 0, -1},
      {Qt::Key_Down, {}, 0, 1},
      {Qt::Key_Left, Qt::ShiftModifier, -grid, 0},
      {Qt::Key_Down, Qt::ShiftModifier, 0, grid},
  };
  for (const KeyCase &c : cases) {
    const int selected = Doc().SelectedIndex();
    ASSERT_NE(Doc().Selected(), nullptr);
    const long double x = Charge(selected).CenterX();
    const long double y = Charge(selected).CenterY();
    const Seen before = Look();
    QTest::keyClick(Form1, c.key, c.modifiers);
    EXPECT_NEAR(static_cast<double>(Charge(selected).CenterX()), static_cast<double>(x + c.dx),
                1e-9);
    EXPECT_NEAR(static_cast<double>(Charge(selected).CenterY()), static_cast<double>(y + c.dy),
                1e-9);
    Form1->MenuItem_Undo->trigger();
    EXPECT_EQ(Look(), before);
  }
  const Seen before = Look();
  QTest::keyClick(Form1, Qt::Key_Delete);
  EXPECT_EQ(Charges().Count(), 3);
  Form1->MenuItem_Undo->trigger();
  EXPECT_EQ(Look(), before);
  Doc().Select(-1);
  QTest::keyClick(Form1, Qt::Key_Delete);
  EXPECT_EQ(Charges().Count(), 4) << "nothing selected";
}

} // namespace
