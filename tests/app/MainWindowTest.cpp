// The main window driven with mouse events on its drawing surface, on the offscreen
// platform: start-up, creating, grabbing and dragging charges, panning, the status bar and
// cursor line, resizing, the menus and error reporting.
#include "support/Mnemonics.h"
#include "support/PixelTesting.h"
#include "support/ProgramFixture.h"

#include "base/Errors.h"
#include "model/NumberText.h"
#include "model/Readouts.h"
#include "widgets/ErrorGuard.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

#include <QApplication>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

#include <stdexcept>
#include <vector>

namespace {

using ProgramStartTest = ProgramTest;
using MouseTest = ProgramTest;
using PanTest = ProgramTest;
using ResizeTest = ProgramTest;
using MenuTest = ProgramTest;

constexpr TColor kAxisGrey = 0x808080;
constexpr TColor kBlack = 0x000000;

TEST_F(ProgramStartTest, WindowsViewAndFirstFrame) {
  EXPECT_EQ(QApplication::applicationDisplayName(), QStringLiteral("Das Kraftbild"));
  EXPECT_EQ(Form1->windowTitle(), QStringLiteral("Das Kraftbild[*]"));
  EXPECT_TRUE(Form2->isVisible());
  EXPECT_EQ(Form2->windowTitle(), QStringLiteral("Einstellungen"));
  EXPECT_FALSE(Form3->isVisible());
  EXPECT_EQ(Form3->windowTitle(), QStringLiteral("Spannung und Arbeit"));

  ASSERT_TRUE(Form1->DXDraw->Initialized());
  EXPECT_EQ(Form1->DXDraw->Surface()->Width(), 792);
  EXPECT_EQ(Form1->DXDraw->Surface()->Height(), 535);
  EXPECT_EQ(Scene().Origin, (TPoint{396, 267}));
  EXPECT_EQ(Scene().PixelsPerMetre, 96 / 0.0254L);
  EXPECT_FALSE(Form1->Timer_Resize->isActive()) << "showing is not a resize";

  // The first frame: the background's axis with the black origin cross over it.
  const QImage &frame = Form1->DXDraw->PresentedImage();
  ASSERT_FALSE(frame.isNull());
  const TPoint origin = Scene().Origin;
  EXPECT_EQ(PixelAt(frame, origin.X - 3, origin.Y), Rgb{kBlack});
  EXPECT_EQ(PixelAt(frame, origin.X - 40, origin.Y), Rgb{kAxisGrey});
  EXPECT_EQ(PixelAt(frame, origin.X, origin.Y + 40), Rgb{kAxisGrey});
}

TEST_F(ProgramStartTest, MenusAndCaption) {
  struct Entry {
    QAction *action;
    QString text;
    QKeySequence shortcut;
  };
  const std::vector<Entry> entries = {
      {Form1->MenuItem_New, "Neu", QKeySequence(Qt::CTRL | Qt::Key_N)},
      {Form1->MenuItem_Open, "Öffnen", QKeySequence(Qt::CTRL | Qt::Key_O)},
      {Form1->MenuItem_Save, "Speichern", QKeySequence(Qt::CTRL | Qt::Key_S)},
      {Form1->MenuItem_SaveAs, "Speichern unter", QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_S)},
      {Form1->MenuItem_ExportPicture, "Bild exportieren...", QKeySequence()},
      {Form1->MenuItem_Print, "Drucken...", QKeySequence(Qt::CTRL | Qt::Key_P)},
      {Form1->MenuItem_CopyPicture, "Bild kopieren",
       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
      {Form1->MenuItem_Cut, "Ausschneiden", QKeySequence(Qt::CTRL | Qt::Key_X)},
      {Form1->MenuItem_Copy, "Kopieren", QKeySequence(Qt::CTRL | Qt::Key_C)},
      {Form1->MenuItem_Paste, "Einfügen", QKeySequence(Qt::CTRL | Qt::Key_V)},
      {Form1->MenuItem_Duplicate, "Duplizieren", QKeySequence(Qt::CTRL | Qt::Key_D)},
      {Form1->MenuItem_SelectAll, "Alles auswählen", QKeySequence(Qt::CTRL | Qt::Key_A)},
      {Form1->MenuItem_FlipSign, "Vorzeichen umkehren", QKeySequence(Qt::CTRL | Qt::Key_U)},
      {Form1->MenuItem_End, "Beenden", QKeySequence(Qt::ALT | Qt::Key_F4)},
      {Form1->MenuItem_Potential, "Spannung und Arbeit...", QKeySequence()},
      {Form1->MenuItem_Info, "Info", QKeySequence()},
  };
  for (const Entry &e : entries) {
    EXPECT_EQ(e.action->text(), e.text);
    EXPECT_EQ(e.action->shortcut(), e.shortcut) << e.text.toStdString();
  }
  QStringList titles;
  for (QAction *menu : Form1->menuBar()->actions())
    titles << menu->text();
  QStringList shown;
  for (const QString &title : titles)
    shown << WithoutMnemonic(title);
  EXPECT_EQ(shown, (QStringList{"Datei", "Bearbeiten", "Ansicht", "Einfügen", "Teilchen",
                                "Beispiele", "Extras", "?"}));
  // Each menu has its own Alt+letter key.
  QStringList keys = MnemonicKeys(titles);
  EXPECT_FALSE(keys.contains(QString())) << keys.join(' ').toStdString();
  EXPECT_EQ(keys.removeDuplicates(), 0) << titles.join(' ').toStdString();
  EXPECT_EQ(Form1->Datei1->actions().size(), 10)
      << "four file commands, a separator, three picture commands, a separator, Beenden";
  EXPECT_TRUE(Form1->Datei1->actions()[4]->isSeparator());
  EXPECT_EQ(Form1->Datei1->actions()[5], Form1->MenuItem_ExportPicture);
  EXPECT_TRUE(Form1->Datei1->actions()[8]->isSeparator());

  Form1->SetFileName(QStringLiteral("C:\\Daten\\dipol.kbf"));
  EXPECT_EQ(Form1->windowTitle(), QStringLiteral("Das Kraftbild - [C:\\Daten\\dipol.kbf][*]"));
  EXPECT_EQ(Form1->FileName(), QStringLiteral("C:\\Daten\\dipol.kbf"));
  Form1->SetFileName(QString());
  EXPECT_EQ(Form1->windowTitle(), QStringLiteral("Das Kraftbild[*]"));
}

TEST_F(MouseTest, ClickOnEmptySpotCreatesChargeThatFollowsAtOnce) {
  Press(200, 150);
  ASSERT_EQ(Charges().Count(), 1);
  EXPECT_EQ(Charge(0).X, 190);
  EXPECT_EQ(Charge(0).Y, 140);
  EXPECT_EQ(Charge(0).ChargeValue, kElementaryCharge);
  EXPECT_EQ(Charge(0).ChargeUnit, 0);
  EXPECT_EQ(Charge(0).FieldLineCount, 16u);
  EXPECT_FALSE(Charge(0).IsTestCharge);
  EXPECT_TRUE(Doc().Modified());
  EXPECT_EQ(Form1->DragCharge, 0);
  EXPECT_EQ(Form2->ComboBox_Charges->count(), 1);
  EXPECT_EQ(Form2->ComboBox_Charges->currentIndex(), 0);
  EXPECT_EQ(Form2->TabSheet_Charge->Edit_Charge->text(), QStringLiteral("1"));

  Move(203, 151); // no radius to leave for a new charge
  EXPECT_EQ(Charge(0).X, 193);
  EXPECT_EQ(Charge(0).Y, 141);
  Release(203, 151);
  EXPECT_EQ(Form1->DragCharge, -1);
  EXPECT_FALSE(Form1->DragStarted);

  Create(400, 300);
  EXPECT_EQ(Form2->ComboBox_Charges->currentIndex(), 1) << "the new charge is the last entry";
}

TEST_F(MouseTest, GrabbedChargeFollowsOnlyBeyondTwentyPixels) {
  struct Case {
    int dx, dy;
    bool follows;
  };
  for (const Case c :
       {Case{12, 16, false}, Case{12, 17, true}, Case{-20, 0, false}, Case{0, -21, true}}) {
    const int charge = Create(300, 200);
    Doc().MarkSaved();
    Press(300, 200);
    EXPECT_EQ(Form1->DragCharge, charge);
    EXPECT_FALSE(Doc().Modified()) << "grabbing alone changes nothing";
    Move(300 + c.dx, 200 + c.dy);
    EXPECT_EQ(Charge(charge).CenterX(), c.follows ? 300 + c.dx : 300) << c.dx << "," << c.dy;
    EXPECT_EQ(Charge(charge).CenterY(), c.follows ? 200 + c.dy : 200) << c.dx << "," << c.dy;
    EXPECT_EQ(Doc().Modified(), c.follows);
    const TWorldPoint mouse = Scene().ScreenToWorld(300 + c.dx, 200 + c.dy);
    EXPECT_EQ(Form1->StatusBar->currentMessage(), StatusPositionText(mouse.X, mouse.Y));
    Release(300 + c.dx, 200 + c.dy);
    Form2->ComboBox_Charges->setCurrentIndex(charge);
    Form2->Button_DeleteClick();
  }
}

TEST_F(MouseTest, ClickOnChargeWithoutMovingOnlyRedrawsTheBackground) {
  const int charge = Create(300, 200);
  Doc().MarkSaved();
  MarkBackground();
  Press(305, 195);
  EXPECT_TRUE(BackgroundMarked()) << "mouse-down on a charge does not redraw the background";
  Release(305, 195);
  EXPECT_FALSE(BackgroundMarked());
  EXPECT_FALSE(Doc().Modified());
  EXPECT_EQ(Charge(charge).X, 290);
  EXPECT_EQ(Charge(charge).Y, 190);
}

TEST_F(MouseTest, SecondPressOfADoubleClickGrabsToo) {
  const int charge = Create(300, 200);
  QMouseEvent press(QEvent::MouseButtonDblClick, QPointF(300, 200),
                    Form1->DXDraw->mapToGlobal(QPointF(300, 200)), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(Form1->DXDraw, &press);
  EXPECT_EQ(Form1->DragCharge, charge);
  EXPECT_EQ(Charges().Count(), 1);
  Release(300, 200);
}

TEST_F(MouseTest, OverlappingChargesHitTheOldest) {
  const int oldest = Create(300, 200);
  Create(310, 200);
  Form2->ComboBox_Charges->setCurrentIndex(-1);
  Press(305, 200);
  EXPECT_EQ(Form1->DragCharge, oldest);
  EXPECT_EQ(Form2->ComboBox_Charges->currentIndex(), 0);
  Release(305, 200);
}

TEST_F(MouseTest, StatusBarShowsMetres) {
  struct Case {
    int dx, dy;
    const char *text;
  };
  for (const Case c : {Case{0, 0, "( 0 m | 0 m )"}, Case{100, 0, "( 0,0265 m | 0 m )"},
                       Case{0, 100, "( 0 m | -0,0265 m )"}}) {
    Move(Scene().Origin.X + c.dx, Scene().Origin.Y + c.dy);
    EXPECT_EQ(Form1->StatusBar->currentMessage(), QString::fromUtf8(c.text));
  }
}

TEST_F(MouseTest, CursorLineOnlyWithChargesAndTheSwitchOn) {
  struct Case {
    bool withCharge, switchOn, drawn;
  };
  int x = 500; // Qt drops a move to where the mouse already is
  for (const Case c :
       {Case{false, true, false}, Case{true, false, false}, Case{true, true, true}}) {
    if (c.withCharge && Charges().Empty())
      Create(200, 200);
    SetUpScene([&c](TScene &scene) { scene.ShowCursorLine = c.switchOn; });
    Form1->RenderFrame(true);
    const QImage before = Form1->DXDraw->PresentedImage().copy();
    Move(x += 7, 330);
    const QImage after = Form1->DXDraw->PresentedImage();
    EXPECT_EQ(CountColor(after, kBlack) > CountColor(before, kBlack), c.drawn)
        << c.withCharge << c.switchOn;
    EXPECT_FALSE(Doc().Modified() && !c.withCharge);
  }
}

// The drag of a charge, event by event: what each window sees and which background each
// frame is made from.
TEST_F(MouseTest, DraggingAChargeStepByStep) {
  const int source = Create(200, 200);
  const int start = CreateTestCharge(500, 150);
  const int end = CreateTestCharge(500, 380);
  Doc().ChooseVoltage({start, end, kValueVoltage}, true);
  Form2->ComboBox_Charges->setCurrentIndex(-1);
  Form2->ComboBox_ChargesClick();
  Doc().MarkSaved();
  MarkBackground();
  Form1->RenderFrame(true);
  const QImage unselected = Form1->DXDraw->PresentedImage().copy();
  const QString voltageBefore = Form3->Label_Value->text();

  // (1) Mouse-down on the charge: it becomes the selection, the charge tab shows it and a
  // frame with its selection outline is shown; the charge is grabbed.
  Press(203, 198);
  EXPECT_EQ(Form2->ComboBox_Charges->currentIndex(), 0);
  EXPECT_EQ(Form2->TabSheet_Charge->Edit_X->text(),
            FormatFixed(Scene().ChargeWorldPosition(Charge(source)).X, 4));
  EXPECT_TRUE(Form2->TabSheet_Charge->Button_Apply->isEnabled());
  EXPECT_NE(Form1->DXDraw->PresentedImage(), unselected);
  EXPECT_TRUE(FrameMarked());
  EXPECT_EQ(Form1->DragCharge, source);
  EXPECT_FALSE(Doc().Modified());

  // (2) A move beyond the radius: the charge's centre jumps to the mouse; the charge tab,
  // the voltage window and the frame follow, the background stays the old one.
  Move(260, 230);
  EXPECT_EQ(Charge(source).CenterX(), 260);
  EXPECT_EQ(Charge(source).CenterY(), 230);
  EXPECT_EQ(Form2->TabSheet_Charge->Edit_X->text(),
            FormatFixed(Scene().ChargeWorldPosition(Charge(source)).X, 4));
  EXPECT_EQ(Form2->TabSheet_Charge->Edit_Y->text(),
            FormatFixed(Scene().ChargeWorldPosition(Charge(source)).Y, 4));
  EXPECT_NE(Form3->Label_Value->text(), voltageBefore);
  EXPECT_EQ(Form3->Label_Value->text(),
            VoltageValueText(Scene(), &Charge(start), &Charge(end), kValueVoltage));
  EXPECT_TRUE(BackgroundMarked());
  EXPECT_TRUE(FrameMarked());
  EXPECT_TRUE(Doc().Modified());

  // (3) Mouse-up: the background is drawn for the new place and shown; the charge is let go.
  Release(260, 230);
  EXPECT_FALSE(BackgroundMarked());
  EXPECT_FALSE(FrameMarked());
  EXPECT_EQ(Form1->DragCharge, -1);
  EXPECT_FALSE(Form1->DragStarted);
}

// A frame copied from the kept one must be the frame composed afresh, whatever happened
// since: moves with the cursor line, drags, selections, undo and redo, pans.
TEST_F(MouseTest, KeptFramesEqualFreshlyComposedOnes) {
  Form1->FrameCache = TFrameCache(0); // kept however few the charges
  SetUpScene([](TScene &scene) { scene.ShowCursorLine = true; });
  int copies = 0;
  const auto check = [this, &copies](const char *step) {
    Form1->RenderFrame(true);
    copies += Form1->FrameCache.LastWasCopy() ? 1 : 0;
    const QImage kept = Form1->DXDraw->PresentedImage().copy();
    Form1->FrameCache.Forget();
    Form1->RenderFrame(true);
    EXPECT_FALSE(Form1->FrameCache.LastWasCopy());
    EXPECT_TRUE(Form1->DXDraw->PresentedImage() == kept) << step;
  };
  Create(200, 200);
  Create(300, 250);
  Create(420, 180);
  check("created");
  for (int x = 100; x < 160; x += 13) {
    Move(x, 330);
    check("cursor line");
  }
  Press(303, 248);
  check("grabbed");
  Move(340, 270);
  check("dragged");
  Move(341, 271);
  check("dragged a pixel");
  Release(341, 271);
  check("released");
  Form2->ComboBox_Charges->setCurrentIndex(2);
  Form2->ComboBox_ChargesClick();
  check("selected");
  Doc().Select(-1);
  check("unselected");
  Doc().Undo();
  check("undone");
  Doc().Undo();
  check("undone twice");
  Doc().Redo();
  check("redone");
  Press(500, 400, Qt::RightButton);
  Move(530, 410);
  check("panned");
  Release(530, 410, Qt::RightButton);
  check("pan ended");
  EXPECT_GE(copies, 10) << "frames without a change are copies";
}

TEST_F(PanTest, RightDragShiftsTheViewAndRedrawsOnRelease) {
  const int a = Create(200, 150);
  const int b = Create(500, 400);
  const TWorldPoint worldA = Scene().ChargeWorldPosition(Charge(a));
  const TPoint origin = Scene().Origin;
  Doc().MarkSaved();
  MarkBackground();

  Press(100, 100, Qt::RightButton);
  EXPECT_EQ(Scene().Origin, origin) << "armed, not moved";
  Move(115, 100);
  Move(130, 100);
  EXPECT_EQ(Scene().Origin, (TPoint{origin.X + 30, origin.Y}));
  EXPECT_EQ(Charge(a).X, 220);
  EXPECT_EQ(Charge(b).X, 520);
  EXPECT_EQ(Scene().ChargeWorldPosition(Charge(a)).X, worldA.X);
  EXPECT_TRUE(Doc().Modified());
  EXPECT_TRUE(BackgroundMarked());
  EXPECT_TRUE(FrameMarked()) << "frames while panning copy the old background";

  Release(130, 100, Qt::RightButton);
  EXPECT_EQ(Form1->PanAnchor.X, -1);
  EXPECT_FALSE(BackgroundMarked());
  EXPECT_FALSE(FrameMarked());
}

TEST_F(PanTest, RightClickWithoutMovingChangesNothingButRedraws) {
  const int a = Create(200, 150);
  Doc().MarkSaved();
  MarkBackground();
  Press(300, 300, Qt::RightButton);
  Release(300, 300, Qt::RightButton);
  EXPECT_EQ(Scene().Origin, (TPoint{396, 267}));
  EXPECT_EQ(Charge(a).X, 190);
  EXPECT_FALSE(Doc().Modified());
  EXPECT_FALSE(BackgroundMarked());

  MarkBackground();
  Release(300, 300, Qt::RightButton);
  EXPECT_TRUE(BackgroundMarked()) << "a release in the idle state does nothing";
}

TEST_F(PanTest, RightButtonOnAGrabbedChargeDragsTheCharge) {
  const int a = Create(200, 150);
  Press(200, 150);
  Press(200, 150, Qt::RightButton);
  Move(205, 152); // inside the radius, yet the armed pan starts the drag of the charge
  EXPECT_EQ(Scene().Origin, (TPoint{396, 267}));
  EXPECT_EQ(Charge(a).CenterX(), 205);
  EXPECT_EQ(Charge(a).CenterY(), 152);
}

TEST_F(ResizeTest, SeveralResizesRedrawTheBackgroundOnceWhenTheTimerFires) {
  Create(200, 150);
  MarkBackground();
  Form1->resize(Form1->width() + 40, Form1->height() + 30);
  EXPECT_EQ(Form1->DXDraw->width(), 832);
  EXPECT_EQ(Background().Width(), Form1->DXDraw->width() + 1);
  EXPECT_EQ(Background().Height(), Form1->DXDraw->height() + 1);
  EXPECT_EQ(Form1->DXDraw->Surface()->Width(), 832);
  EXPECT_TRUE(FrameMarked()) << "the frame after a resize shows the old background";
  ASSERT_TRUE(Form1->Timer_Resize->isActive());
  EXPECT_EQ(Form1->Timer_Resize->interval(), 1000);
  const int timer = Form1->Timer_Resize->timerId();

  Form1->resize(Form1->width() - 10, Form1->height());
  EXPECT_EQ(Form1->Timer_Resize->timerId(), timer) << "a running timer is not restarted";
  EXPECT_TRUE(BackgroundMarked());
  // Half of 40 - 10 by 30 pixels: the picture's centre stays at the surface's centre.
  EXPECT_EQ(Scene().Origin, (TPoint{411, 282})) << "a resize keeps the picture's centre";

  Form1->Timer_ResizeTimer();
  EXPECT_FALSE(BackgroundMarked());
  EXPECT_FALSE(FrameMarked());
  EXPECT_FALSE(Form1->Timer_Resize->isActive());
}

TEST_F(MenuTest, VoltageWindowToggleAndCheckMark) {
  for (bool visible : {true, false}) {
    Form1->MenuItem_Potential->trigger();
    EXPECT_EQ(Form3->isVisible(), visible);
    emit Form1->Extras1->aboutToShow();
    EXPECT_EQ(Form1->MenuItem_Potential->isChecked(), visible);
  }
  Form1->MenuItem_Potential->trigger();
  Form3->close(); // its own close box
  emit Form1->Extras1->aboutToShow();
  EXPECT_FALSE(Form1->MenuItem_Potential->isChecked());
  EXPECT_FALSE(Doc().Modified()) << "showing and hiding the window is no change of the document";
}

TEST_F(MenuTest, EndClosesTheProgramAndOnlyThenTheSettingsWindow) {
  EXPECT_FALSE(Form2->close());
  EXPECT_TRUE(Form2->isVisible());
  Form1->MenuItem_End->trigger();
  EXPECT_FALSE(Form1->isVisible());
  EXPECT_TRUE(Form1->Terminated());
  EXPECT_TRUE(Form2->close());
}

TEST_F(ProgramStartTest, ErrorsAreReportedWithTheTitleAndThePeriodRule) {
  struct Case {
    std::function<void()> raise;
    const char *shown;
  };
  const std::vector<Case> cases = {
      {[] { throw EReadError(QStringLiteral("Stream-Lesefehler")); }, "Stream-Lesefehler."},
      {[] { throw EConvertError(QStringLiteral("Die Zoomstufe muss positiv sein.")); },
       "Die Zoomstufe muss positiv sein."},
      {[] { throw std::runtime_error("Datei fehlt"); }, "Datei fehlt."},
      {[] { throw std::bad_alloc(); }, "Zu wenig Arbeitsspeicher."},
  };
  for (const Case &c : cases)
    Guarded(c.raise);
  ASSERT_EQ(dialogs->Calls.size(), cases.size());
  for (size_t i = 0; i < cases.size(); ++i) {
    EXPECT_EQ(dialogs->Calls[i].Kind, QStringLiteral("error"));
    EXPECT_EQ(dialogs->Calls[i].Title, QStringLiteral("Das Kraftbild"));
    EXPECT_EQ(dialogs->Calls[i].Text, QString::fromUtf8(cases[i].shown));
  }
}

} // namespace
