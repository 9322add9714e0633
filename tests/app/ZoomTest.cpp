// Zooming from the main window: the wheel about the mouse, the zoom keys about the middle of
// the drawing surface, "Alles zeigen", and a resize that keeps the picture's centre.
#include "support/ProgramFixture.h"

#include "model/Zoom.h"
#include "windows/ViewTab.h"

#include <QComboBox>
#include <QMenuBar>
#include <QTabWidget>
#include <QWheelEvent>

#include <functional>

namespace {

class ZoomTest : public ProgramTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Create(200, 150);
    Create(500, 300);
    Create(650, 80);
    Form2->PageControl->setCurrentIndex(2); // the view tab, which shows the zoom
  }

public:
  void Wheel(int x, int y, int notches) const {
    QWheelEvent event(QPointF(x, y), Form1->DXDraw->mapToGlobal(QPointF(x, y)), QPoint(),
                      QPoint(0, notches * 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                      false);
    QApplication::sendEvent(Form1->DXDraw, &event);
  }
  void Key(Qt::Key key, Qt::KeyboardModifiers modifiers) const {
    Form1->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
    QTest::keyClick(Form1, key, modifiers);
  }
  // Where the world point lies on the drawing surface now (px).
  QPointF PixelOf(const TWorldPoint &world) const {
    long double x = 0;
    long double y = 0;
    Scene().WorldToScreen(world, x, y);
    return {static_cast<double>(x), static_cast<double>(y)};
  }
  QString ZoomShown() const { return Form2->TabSheet_View->ComboBox_Zoom->currentText(); }
  QPoint Middle() const { return {Form1->DXDraw->width() / 2, Form1->DXDraw->height() / 2}; }
};

struct StepCase {
  const char *name;
  QPoint pivot; // px; (-1, -1) for the middle of the surface
  std::function<void(const ZoomTest &)> larger;
  std::function<void(const ZoomTest &)> smaller;
};

// Each way of zooming by a step keeps the point under its pivot, shows the new zoom in the view
// tab, and the step back gives the view back exactly.
TEST_F(ZoomTest, EveryZoomStepKeepsItsPivotAndTheStepBackRestoresTheView) {
  const StepCase cases[] = {
      {"wheel near a corner",
       {13, 17},
       [](const ZoomTest &t) { t.Wheel(13, 17, 1); },
       [](const ZoomTest &t) { t.Wheel(13, 17, -1); }},
      {"wheel on a charge",
       {500, 300},
       [](const ZoomTest &t) { t.Wheel(500, 300, 1); },
       [](const ZoomTest &t) { t.Wheel(500, 300, -1); }},
      {"Strg++",
       {-1, -1},
       [](const ZoomTest &t) { t.Key(Qt::Key_Plus, Qt::ControlModifier); },
       [](const ZoomTest &t) { t.Key(Qt::Key_Minus, Qt::ControlModifier); }},
      {"Strg+= and the keypad",
       {-1, -1},
       [](const ZoomTest &t) { t.Key(Qt::Key_Equal, Qt::ControlModifier); },
       [](const ZoomTest &t) { t.Key(Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier); }},
  };
  // 100 % to 200, 500, 750 and 1000 %: each step of the list on the way up.
  const QString steps[] = {"200", "500", "750", "1000"};
  for (const StepCase &c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    const QPoint pivot = c.pivot.x() == -1 ? Middle() : c.pivot;
    for (const QString &step : steps) {
      const TViewState before = Doc().CaptureView();
      const int count = Doc().History().Count();
      const TWorldPoint under = Scene().ScreenToWorld(pivot.x(), pivot.y());
      c.larger(*this);
      ASSERT_EQ(ZoomShown(), step);
      const QPointF now = PixelOf(under);
      EXPECT_NEAR(now.x(), pivot.x(), 0.5);
      EXPECT_NEAR(now.y(), pivot.y(), 0.5);
      EXPECT_EQ(Doc().History().Count(), count + 1);
      EXPECT_EQ(Form1->MenuItem_Undo->text(), QStringLiteral("Rückgängig: Zoom ändern"));

      c.smaller(*this);
      const TViewState back = Doc().CaptureView();
      EXPECT_EQ(back.View, before.View);
      for (size_t i = 0; i < back.Positions.size(); ++i) {
        EXPECT_NEAR(back.Positions[i].first, before.Positions[i].first, 1e-9);
        EXPECT_NEAR(back.Positions[i].second, before.Positions[i].second, 1e-9);
      }
      c.larger(*this);
    }
    // Beyond the list's end the wheel and the keys stop.
    const int count = Doc().History().Count();
    c.larger(*this);
    EXPECT_EQ(ZoomShown(), QStringLiteral("1000"));
    EXPECT_EQ(Doc().History().Count(), count);
  }
}

// A zoom the view's limits refuse does nothing, and a wheel notch shows no error box.
TEST_F(ZoomTest, AZoomBeyondTheLimitsDoesNothing) {
  ChangeCharge(0, [](TPointCharge &charge) { charge.ChargeValue = 1e141L; });
  ASSERT_TRUE(ZoomFits(Scene(), 1));
  ASSERT_FALSE(ZoomFits(Scene(), 2));
  const TViewState before = Doc().CaptureView();
  const int count = Doc().History().Count();
  Wheel(300, 200, 1);
  Key(Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(Doc().CaptureView(), before);
  EXPECT_EQ(Doc().History().Count(), count);
  EXPECT_TRUE(dialogs->Calls.empty());
  Wheel(300, 200, -1);
  EXPECT_EQ(ZoomShown(), QStringLiteral("50"));
}

TEST_F(ZoomTest, ShowAllFitsTheChargesAsOneStep) {
  Wheel(650, 80, 4); // 1000 %: the others are far outside
  Form1->MenuItem_ShowAll->trigger();
  for (const TPointCharge &charge : Charges()) {
    EXPECT_GE(charge.X, 0);
    EXPECT_GE(charge.Y, 0);
    EXPECT_LE(charge.X + 2 * kChargeHalfSize, Form1->DXDraw->width());
    EXPECT_LE(charge.Y + 2 * kChargeHalfSize, Form1->DXDraw->height());
  }
  EXPECT_EQ(ZoomShown(), QStringLiteral("100"));
  EXPECT_EQ(Form1->MenuItem_Undo->text(), QStringLiteral("Rückgängig: Zoom ändern"));
}

// Maximising or resizing the window keeps the picture's centre where it is, and is no edit.
TEST_F(ZoomTest, AResizeKeepsTheCentreAndLeavesTheDocumentUnmodified) {
  Doc().MarkSaved();
  const int count = Doc().History().Count();
  for (const QSize grow : {QSize(301, 200), QSize(-451, -77), QSize(3, 1)}) {
    const TWorldPoint centre = Scene().ScreenToWorld(Middle().x(), Middle().y());
    const QSize surface = Form1->DXDraw->size();
    Form1->resize(Form1->size() + grow);
    ASSERT_EQ(Form1->DXDraw->size(), surface + grow);
    const QPointF now = PixelOf(centre);
    EXPECT_NEAR(now.x(), Middle().x(), 1);
    EXPECT_NEAR(now.y(), Middle().y(), 1);
  }
  EXPECT_FALSE(Doc().Modified());
  EXPECT_EQ(Doc().History().Count(), count);
}

} // namespace
