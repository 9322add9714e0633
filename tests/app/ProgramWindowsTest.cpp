// The tool windows as the program sets them up: owned by the main window, of fixed size,
// answering the main menu's keys; dialogs over the active window; the status bar's position
// through an opened menu.
#include "support/ProgramFixture.h"

#include "model/NumberText.h"
#include "support/PixelTesting.h"
#include "widgets/Dialogs.h"
#include "widgets/ToolWindows.h"
#include "windows/PotentialGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QTreeWidget>

namespace {

using ProgramWindowsTest = ProgramTest;

void Activate(QWidget *window) {
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// Every change a tool window makes that moves field lines draws the background again, in
// the window and from the "Extras" menu alike.
TEST_F(ProgramWindowsTest, ChangesFromTheToolWindowsRedrawTheBackground) {
  Doc().Select(Create(200, 150));
  TChargeTab &charge = *Form2->TabSheet_Charge;
  TViewTab &view = *Form2->TabSheet_View;
  TPotentialGroup &potential = *view.Group_Potential;
  const auto click = [](QWidget *widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(6, widget->height() / 2));
  };
  const auto fromMenu = [this](QAction *action) {
    emit Form1->Extras1->aboutToShow(); // the menu shows the switch as it stands
    action->trigger();
  };
  const std::pair<const char *, std::function<void()>> changes[] = {
      {"Übernehmen",
       [&] {
         charge.Edit_X->setText(QStringLiteral("0,5"));
         click(charge.Button_Apply);
       }},
      {"Zentrieren", [&] { click(charge.Button_Center); }},
      {"zoom",
       [&] {
         Form2->PageControl->setCurrentWidget(&view);
         view.ComboBox_Zoom->setEditText(QStringLiteral("250"));
         click(view.Button_ApplyView);
       }},
      {"lines in the tab",
       [&] {
         click(view.Button_Potential);
         click(potential.CheckBox_Lines);
       }},
      {"map in the tab", [&] { click(potential.CheckBox_Map); }},
      {"lines from the menu", [&] { fromMenu(Form1->MenuItem_Equipotentials); }},
      {"map from the menu", [&] { fromMenu(Form1->MenuItem_PotentialMap); }},
      {"zero points from the menu", [&] { fromMenu(Form1->MenuItem_ZeroPoints); }},
      {"arrows from the menu", [&] { fromMenu(Form1->MenuItem_LineArrows); }},
  };
  for (const auto &[name, change] : changes) {
    MarkBackground();
    change();
    EXPECT_FALSE(BackgroundMarked()) << name;
  }
  EXPECT_EQ(Scene().ZoomFactor(), 2.5L);
  // Both switches were turned on in the tab and off from the menu.
  emit Form1->Extras1->aboutToShow();
  EXPECT_FALSE(Form1->MenuItem_Equipotentials->isChecked());
  EXPECT_FALSE(Form1->MenuItem_PotentialMap->isChecked());
  EXPECT_FALSE(potential.CheckBox_Lines->isChecked());
  // The field-line switches show the document's state, whoever changed it.
  EXPECT_TRUE(Form1->MenuItem_LineArrows->isChecked());
  Doc().ApplyFieldLines({});
  emit Form1->Extras1->aboutToShow();
  EXPECT_FALSE(Form1->MenuItem_LineArrows->isChecked());
  EXPECT_FALSE(Form1->MenuItem_ZeroPoints->isChecked());
}

// "Feldfreie Punkte" from the menu: a cross in the picture and a row of the data tab at the
// midpoint of two equal charges, checked in the menu as long as the document has it.
TEST_F(ProgramWindowsTest, ZeroPointsFromTheMenuAreCrossedListedAndTakenBack) {
  Create(200, 150);
  Create(400, 150);
  Doc().Select(0);
  Form2->PageControl->setCurrentWidget(Form2->TabSheet_Data);
  QTreeWidget *rows = Form2->TabSheet_Data->ListView_Data;
  ASSERT_EQ(rows->topLevelItemCount(), 4);
  const TWorldPoint midpoint = Scene().ScreenToWorld(300, 150);
  const auto crossShown = [this] {
    return FromQRgb(Form1->DXDraw->PresentedImage().pixel(302, 150)) == kDefaultArrowColor;
  };
  EXPECT_FALSE(crossShown());

  emit Form1->Extras1->aboutToShow();
  EXPECT_FALSE(Form1->MenuItem_ZeroPoints->isChecked());
  Form1->MenuItem_ZeroPoints->trigger();
  EXPECT_TRUE(Scene().FieldLines.ZeroPoints);
  ASSERT_EQ(rows->topLevelItemCount(), 5);
  EXPECT_EQ(rows->topLevelItem(4)->text(0), QStringLiteral("Feldfreier Punkt"));
  EXPECT_EQ(rows->topLevelItem(4)->text(1), StatusPositionText(midpoint.X, midpoint.Y));
  EXPECT_TRUE(crossShown());

  Form1->MenuItem_Undo->trigger();
  emit Form1->Extras1->aboutToShow();
  EXPECT_FALSE(Form1->MenuItem_ZeroPoints->isChecked());
  EXPECT_EQ(rows->topLevelItemCount(), 4);
  EXPECT_FALSE(crossShown());
  Form1->MenuItem_Redo->trigger();
  emit Form1->Extras1->aboutToShow();
  EXPECT_TRUE(Form1->MenuItem_ZeroPoints->isChecked());
  EXPECT_EQ(rows->topLevelItemCount(), 5);
}

// The voltage path is the document's: drawn between the chosen test charges while the
// voltage window is hidden too, and gone once a panel is emptied.
TEST_F(ProgramWindowsTest, VoltagePathFollowsTheChoiceInEveryFrame) {
  Create(300, 400); // a source, so that the test charges' own lines leave the path's row
  const int start = CreateTestCharge(150, 100, -kElementaryCharge);
  const int end = CreateTestCharge(450, 100, -kElementaryCharge);
  const auto redOnPath = [this] {
    const QImage &frame = Form1->DXDraw->PresentedImage();
    int n = 0;
    for (int x = 170; x <= 430; ++x)
      n += FromQRgb(frame.pixel(x, 100)) == 0x0000FF;
    return n;
  };
  Form3->show();
  for (const int index : {start, end}) {
    QTest::mouseClick(index == start ? Form3->Panel_Pos1 : Form3->Panel_Pos2, Qt::LeftButton);
    Press(index == start ? 150 : 450, 100);
    Release(index == start ? 150 : 450, 100);
  }
  ASSERT_EQ(Scene().Voltage, (TVoltageChoice{start, end, -1}));
  Form3->hide();
  Form1->RenderFrame(true);
  EXPECT_GT(redOnPath(), 0);
  QTest::mouseClick(Form3->Panel_Pos2, Qt::RightButton);
  EXPECT_EQ(redOnPath(), 0);
}

TEST_F(ProgramWindowsTest, ToolWindowsBelongToTheMainWindowAndKeepTheirSize) {
  for (QWidget *tool : {static_cast<QWidget *>(Form2), static_cast<QWidget *>(Form3)}) {
    tool->show();
    EXPECT_EQ(tool->parentWidget(), Form1);
    EXPECT_EQ(tool->windowType(), Qt::Tool);
    const Qt::WindowFlags flags = tool->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowStaysOnTopHint) << "on top of other programs too";
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(tool->minimumSize(), tool->maximumSize());
    const QSize before = tool->size();
    tool->resize(before * 2);
    EXPECT_EQ(tool->size(), before);
    EXPECT_GE(tool->width(), TitleRoom(tool)) << tool->windowTitle().toStdString();
    EXPECT_GE(tool->width(), tool->layout()->minimumSize().width());
    EXPECT_GE(tool->height(), tool->layout()->minimumSize().height());
  }
  // At start the settings window leaves the origin free.
  const QPoint origin = Form1->DXDraw->mapToGlobal(QPoint(Scene().Origin.X, Scene().Origin.Y));
  EXPECT_FALSE(Form2->frameGeometry().contains(origin));
}

TEST_F(ProgramWindowsTest, FileKeysWorkOnceFromEveryWindow) {
  Doc().ForgetSavedPoint();
  struct Key {
    Qt::KeyboardModifiers modifiers;
    Qt::Key key;
    const char *kind; // the one dialog it opens; nothing is answered, so it is cancelled
  };
  const Key keys[] = {{Qt::ControlModifier, Qt::Key_N, "question"},
                      {Qt::ControlModifier, Qt::Key_O, "question"},
                      {Qt::ControlModifier, Qt::Key_S, "save"},
                      {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_S, "save"}};
  for (QWidget *window : {static_cast<QWidget *>(Form1), static_cast<QWidget *>(Form2),
                          static_cast<QWidget *>(Form3)}) {
    Activate(window);
    for (const Key &k : keys) {
      dialogs->Calls.clear();
      QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : window, k.key,
                      k.modifiers);
      ASSERT_EQ(dialogs->Calls.size(), 1u) << window->windowTitle().toStdString() << " " << k.key;
      EXPECT_EQ(dialogs->Calls[0].Kind, QString::fromLatin1(k.kind));
    }
  }
}

TEST_F(ProgramWindowsTest, QuestionOpensOverTheActiveWindow) {
  FakeDialogs::Restore(); // Qt's own message box
  Doc().ForgetSavedPoint();
  Activate(Form2);
  EXPECT_EQ(DialogOwner(Form1), Form2);
  QWidget *owner = nullptr;
  QTimer::singleShot(0, Form1, [&owner] {
    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
      owner = box->parentWidget();
      box->reject();
    }
  });
  QTest::keyClick(Form2, Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(owner, Form2);
  EXPECT_TRUE(Doc().Modified()) << "the question was cancelled";
}

TEST_F(ProgramWindowsTest, StatusBarKeepsThePositionWhenAMenuClearsIt) {
  QTest::mouseMove(Form1->DXDraw, QPoint(Scene().Origin.X + 100, Scene().Origin.Y));
  const QString position = Form1->StatusBar->currentMessage();
  ASSERT_EQ(position, QStringLiteral("( 0,0265 m | 0 m )"));
  QStatusTipEvent tip{QString()}; // what an opened menu's action without a tip sends
  QApplication::sendEvent(Form1, &tip);
  EXPECT_EQ(Form1->StatusBar->currentMessage(), position);
}

} // namespace
