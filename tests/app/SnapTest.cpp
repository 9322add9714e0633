// "Am Raster ausrichten": created and dragged charges land on the axis scale's grid at the
// current zoom; Shift while dragging suspends it.
#include "support/ProgramFixture.h"

#include "app/ProjectCommands.h"
#include "model/Background.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QRandomGenerator>

#include <cmath>

namespace {

class SnapTest : public ProgramTest {
protected:
  void ShiftMove(int x, int y) const {
    QMouseEvent event(QEvent::MouseMove, QPointF(x, y), Form1->DXDraw->mapToGlobal(QPointF(x, y)),
                      Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    QApplication::sendEvent(Form1->DXDraw, &event);
  }
};

// The distance (in grid steps) of a world coordinate from the nearest grid line.
double OffGrid(long double metres, long double spacing) {
  const long double steps = metres / spacing;
  return static_cast<double>(std::fabs(steps - std::round(steps)));
}

TEST_F(SnapTest, CreatedAndDraggedChargesLandOnTheGridUnlessShiftIsHeld) {
  EXPECT_FALSE(Form1->MenuItem_Snap->isChecked()) << "off by default";
  EXPECT_EQ(Charge(Create(203, 151)).CenterX(), 203) << "off: the mouse pixel";
  Form1->MenuItem_Snap->setChecked(true);
  QRandomGenerator random(7);
  for (const long double zoom : {1.0L, 2.5L, 0.3L}) {
    Project().New();
    SetUpScene([zoom](TScene &scene) { scene.SetZoomFactor(zoom); });
    const TTickScale scale = TickScale(Scene());
    for (int i = 0; i < 8; ++i) {
      const int x = random.bounded(40, 750);
      const int y = random.bounded(40, 500);
      const int count = Charges().Count();
      const TPointCharge &charge = Charge(Create(x, y));
      if (Charges().Count() == count)
        continue; // the click grabbed a charge on that grid point
      const TWorldPoint at = Scene().ChargeWorldPosition(charge);
      EXPECT_LT(OffGrid(at.X, scale.Spacing), 1e-9);
      EXPECT_LT(OffGrid(at.Y, scale.Spacing), 1e-9);
      EXPECT_LE(std::fabs(charge.CenterX() - x), scale.Pixels / 2 + 1e-9);
      EXPECT_LE(std::fabs(charge.CenterY() - y), scale.Pixels / 2 + 1e-9);
    }
  }
  // 100 %: a tick every centimetre, and the charge tab shows whole centimetres.
  Project().New();
  const int charge = Create(396 + 40, 267 - 75);
  EXPECT_EQ(Form2->TabSheet_Charge->Edit_X->text(), QStringLiteral("0,01"));
  EXPECT_EQ(Form2->TabSheet_Charge->Edit_Y->text(), QStringLiteral("0,02"));

  Press(static_cast<int>(Charge(charge).CenterX()), static_cast<int>(Charge(charge).CenterY()));
  Move(600, 100);
  EXPECT_LT(OffGrid(Scene().ChargeWorldPosition(Charge(charge)).X, 0.01L), 1e-9);
  ShiftMove(603, 101);
  EXPECT_EQ(Charge(charge).CenterX(), 603) << "Shift: the mouse pixel";
  EXPECT_EQ(Charge(charge).CenterY(), 101);
  Release(603, 101);
}

} // namespace
