// "Einfügen > Ladungsreihe": a typed row with its charge in total, a row dragged on the
// drawing surface, each one step of the history; a row that cannot be read adds nothing.
#include "support/ProgramFixture.h"

#include "app/ChargeRowWindow.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

class ChargeRowTest : public ProgramTest {
protected:
  TChargeRowWindow &Open() const {
    Form1->MenuItem_ChargeRow->trigger();
    TChargeRowWindow *window = Form1->ChargeRowWindow();
    EXPECT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    return *window;
  }
  QPointF Centre(int i) const {
    const TPointCharge &c = Doc().Charges()[i];
    return {static_cast<double>(c.CenterX()), static_cast<double>(c.CenterY())};
  }
};

TEST_F(ChargeRowTest, ATypedRowIsOneStepWithItsChargeShared) {
  Create(100, 100);
  TChargeRowWindow &window = Open();
  window.Edit_FromX->setText(QStringLiteral("-0,05"));
  window.Edit_FromY->setText(QStringLiteral("0,02"));
  window.Edit_ToX->setText(QStringLiteral("0.05")); // either separator
  window.Edit_ToY->setText(QStringLiteral("0,02"));
  window.SpinEdit_Count->setValue(11);
  window.Radio_Total->setChecked(true);
  window.Edit_Charge->setText(QStringLiteral("-22"));
  QTest::mouseClick(window.Button_Insert, Qt::LeftButton);
  ASSERT_EQ(Doc().Charges().Count(), 12);
  const TScene &scene = Doc().Scene();
  for (int i = 0; i < 11; ++i) {
    SCOPED_TRACE(i);
    const TPointCharge &c = Doc().Charges()[1 + i];
    EXPECT_EQ(c.ChargeValue, -2 * kElementaryCharge);
    EXPECT_FALSE(c.IsTestCharge);
    const TWorldPoint at = scene.ScreenToWorld(c.CenterX(), c.CenterY());
    EXPECT_NEAR(static_cast<double>(at.X), -0.05 + 0.01 * i, 1e-12);
    EXPECT_NEAR(static_cast<double>(at.Y), 0.02, 1e-12);
  }
  EXPECT_EQ(Doc().SelectedIndex(), 1);
  Doc().Undo();
  EXPECT_EQ(Doc().Charges().Count(), 1);
  Doc().Redo();
  EXPECT_EQ(Doc().Charges().Count(), 12);
}

TEST_F(ChargeRowTest, ARowDraggedOnTheSurfaceRunsFromPressToRelease) {
  TChargeRowWindow &window = Open();
  window.SpinEdit_Count->setValue(3);
  QTest::mouseClick(window.Button_Drag, Qt::LeftButton);
  Press(120, 80);
  Move(200, 140);
  Release(320, 230);
  EXPECT_EQ(Doc().Charges().Count(), 0) << "the drag creates no charge of its own";
  QTest::mouseClick(window.Button_Insert, Qt::LeftButton);
  ASSERT_EQ(Doc().Charges().Count(), 3);
  EXPECT_NEAR(Centre(0).x(), 120, 1e-6);
  EXPECT_NEAR(Centre(0).y(), 80, 1e-6);
  EXPECT_NEAR(Centre(1).x(), 220, 1e-6);
  EXPECT_NEAR(Centre(1).y(), 155, 1e-6);
  EXPECT_NEAR(Centre(2).x(), 320, 1e-6);
  EXPECT_NEAR(Centre(2).y(), 230, 1e-6);
  // The drag was for the row: the next click makes a charge again.
  Create(400, 300);
  EXPECT_EQ(Doc().Charges().Count(), 4);
}

TEST_F(ChargeRowTest, ARowThatCannotBeReadAddsNothing) {
  TChargeRowWindow &window = Open();
  const QString good = window.Edit_ToX->text();
  for (const auto &[edit, text] : {std::pair{window.Edit_ToX, QStringLiteral("rechts")},
                                   std::pair{window.Edit_ToX, QStringLiteral("1e300")},
                                   std::pair{window.Edit_Charge, QStringLiteral("1e300")}}) {
    SCOPED_TRACE(text.toStdString());
    window.Edit_ToX->setText(good);
    window.Edit_Charge->setText(QStringLiteral("1"));
    edit->setText(text);
    dialogs->Calls.clear();
    QTest::mouseClick(window.Button_Insert, Qt::LeftButton);
    EXPECT_EQ(Doc().Charges().Count(), 0);
    ASSERT_EQ(dialogs->Calls.size(), 1u);
    EXPECT_EQ(dialogs->Calls[0].Kind, QStringLiteral("error"));
  }
}

} // namespace
