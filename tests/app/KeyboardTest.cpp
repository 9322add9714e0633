// The main window from the keyboard: a new charge with Einfg, and the title's mark of
// unsaved changes.
#include "support/ProgramFixture.h"

#include "model/Grid.h"

#include <QTest>

#include <functional>
#include <vector>

namespace {

class KeyboardTest : public ProgramTest {
protected:
  // Keys reach the menus' shortcuts in the active window only.
  void SetUp() override {
    ProgramTest::SetUp();
    Form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
  }
};

// Einfg puts a charge where a click would: at the mouse over the drawing surface, else at
// the surface's centre; snapping applies, and each is one step of the history.
TEST_F(KeyboardTest, InsertCreatesAChargeAtTheMouseOrTheCentre) {
  const int width = Form1->DXDraw->width();
  const int height = Form1->DXDraw->height();
  struct Case {
    const char *name;
    bool mouseOver;
    bool snap;
    QPoint mouse;
  };
  const std::vector<Case> cases = {
      {"mouse over the surface", true, false, {123, 87}},
      {"mouse gone", false, false, {123, 87}},
      {"mouse over, snapping", true, true, {131, 95}},
  };
  for (const Case &c : cases) {
    Form1->MenuItem_Snap->setChecked(c.snap);
    Move(c.mouse.x(), c.mouse.y());
    if (!c.mouseOver) {
      QEvent leave(QEvent::Leave);
      QApplication::sendEvent(Form1->DXDraw, &leave);
    }
    const int before = Charges().Count();
    QTest::keyClick(Form1, Qt::Key_Insert);
    ASSERT_EQ(Charges().Count(), before + 1) << c.name;
    const TPointCharge &created = Charge(before);
    QPointF expected = c.mouseOver ? QPointF(c.mouse) : QPointF(width / 2, height / 2);
    if (c.snap) {
      const TPixelPoint grid = NearestGridPoint(Scene(), expected.x(), expected.y());
      expected = QPointF(static_cast<double>(grid.X), static_cast<double>(grid.Y));
    }
    EXPECT_EQ(
        QPointF(static_cast<double>(created.CenterX()), static_cast<double>(created.CenterY())),
        expected)
        << c.name;
    EXPECT_EQ(Doc().SelectedIndex(), before) << c.name;
    Doc().Undo();
    EXPECT_EQ(Charges().Count(), before) << c.name << ": one step of the history";
  }
}

// Qt shows the title's "[*]" as a mark exactly while the document differs from its file.
TEST_F(KeyboardTest, TitleMarksUnsavedChanges) {
  EXPECT_FALSE(Form1->isWindowModified());
  struct Step {
    const char *name;
    std::function<void()> change;
    bool modified;
  };
  const std::vector<Step> steps = {
      {"created", [this] { Create(200, 150); }, true},
      {"undone", [this] { Doc().Undo(); }, false},
      {"redone", [this] { Doc().Redo(); }, true},
      {"moved", [this] { ChangeCharge(0, [](TPointCharge &c) { c.X += 10; }); }, true},
      {"undone once", [this] { Doc().Undo(); }, true},
      {"undone twice", [this] { Doc().Undo(); }, false},
      {"inserted", [this] { QTest::keyClick(Form1, Qt::Key_Insert); }, true},
  };
  for (const Step &s : steps) {
    s.change();
    EXPECT_EQ(Form1->isWindowModified(), s.modified) << s.name;
  }
  EXPECT_EQ(Form1->windowTitle(), QStringLiteral("Das Kraftbild[*]"));
}

} // namespace
