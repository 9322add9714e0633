// "Extras > Bildschirm kalibrieren ...": the factor is kept for the screen, the picture is made
// at the calibrated pixels per inch, and the view keeps its zoom, so that a charge stays as
// many centimetres from the origin as before.
#include "support/ProgramFixture.h"

#include "app/TrueSize.h"
#include "base/ScreenDensity.h"
#include "base/Seams.h"
#include "widgets/CalibrationDialog.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSettings>

namespace {

class TrueSizeTest : public ProgramTest {
protected:
  void SetUp() override {
    seams::SetPixelsPerInchSource([] { return 96; });
    ProgramTest::SetUp();
  }
  void TearDown() override {
    QSettings(QStringLiteral("kraftbild"), QStringLiteral("kraftbild")).clear();
    seams::SetPixelsPerInchSource([] { return 96; });
    ProgramTest::TearDown();
  }
  // Opens the dialog from the menu, sets the percentage and presses the button.
  void Calibrate(double percent, QDialogButtonBox::StandardButton button) const {
    Form1->MenuItem_Calibrate->trigger();
    auto *dialog = Form1->findChild<TCalibrationDialog *>();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    dialog->findChild<QDoubleSpinBox *>()->setValue(percent);
    dialog->findChild<QDialogButtonBox *>()->button(button)->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Form1->findChild<TCalibrationDialog *>(), nullptr);
  }
  double MetresFromOrigin(int index) const {
    return static_cast<double>(Scene().ChargeWorldPosition(Charge(index)).X);
  }
};

TEST_F(TrueSizeTest, CalibrationKeepsZoomAndMetresAndIsKeptForTheScreen) {
  const int index = Create(Scene().Origin.X + 100, Scene().Origin.Y);
  const double metres = MetresFromOrigin(index);
  const double pixels = static_cast<double>(Charge(index).CenterX() - Scene().Origin.X);
  const double screenPpi = TruePixelsPerInch(Form1->screen());

  Calibrate(125.0, QDialogButtonBox::Cancel);
  EXPECT_EQ(seams::ScreenPixelsPerInch(), 96); // untouched: the test's fixed density
  EXPECT_DOUBLE_EQ(MetresFromOrigin(index), metres);

  Calibrate(125.0, QDialogButtonBox::Ok);
  EXPECT_DOUBLE_EQ(seams::ScreenPixelsPerInch(), screenPpi * 1.25);
  EXPECT_NEAR(static_cast<double>(Scene().ZoomFactor()), 1.0, 1e-12);
  // The charge is as far from the origin in metres, so farther in pixels.
  EXPECT_NEAR(MetresFromOrigin(index), metres, 1e-15);
  EXPECT_NEAR(static_cast<double>(Charge(index).CenterX() - Scene().Origin.X),
              pixels * screenPpi * 1.25 / 96, 0.5);

  const QSettings settings(QStringLiteral("kraftbild"), QStringLiteral("kraftbild"));
  EXPECT_DOUBLE_EQ(KeptCalibration(settings, ScreenCalibrationKey(*Form1->screen())), 1.25);
  EXPECT_DOUBLE_EQ(KeptCalibration(settings, QStringLiteral("another|screen|")), 1.0);
  EXPECT_DOUBLE_EQ(CalibratedPixelsPerInch(Form1->screen(), settings), screenPpi * 1.25);

  // The change of view is one step, taken back like any zoom: the old pixels, now a smaller
  // zoom on the denser screen.
  Doc().Undo();
  EXPECT_DOUBLE_EQ(MetresFromOrigin(index), metres);
  EXPECT_NEAR(static_cast<double>(Scene().ZoomFactor()), 96 / (screenPpi * 1.25), 1e-12);
}

} // namespace
