// The tool windows as the program sets them up: owned by the main window, of fixed size,
// answering the main menu's keys; dialogs over the active window; the status bar's position
// through an opened menu.
#include "support/ProgramFixture.h"

#include "widgets/Dialogs.h"
#include "widgets/ToolWindows.h"

#include <QLayout>
#include <QMessageBox>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTimer>

namespace {

using ProgramWindowsTest = ProgramTest;

void Activate(QWidget *window) {
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
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
