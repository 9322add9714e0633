// "Ansicht > Darstellung": the projector preset draws the picture anew in its style and is
// handed on to be kept; the kept style survives a start, and what a settings file holds out
// of range falls back to the plain picture.
#include "support/ProgramFixture.h"

#include "app/PictureStyleSettings.h"
#include "app/PictureStyleWindow.h"

#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>

namespace {

using PictureStyleTest = ProgramTest;

TEST_F(PictureStyleTest, ProjectorPresetRedrawsAndIsKept) {
  Create(200, 150);
  std::vector<TPictureStyle> chosen;
  Form1->PictureStyleChosen = [&](const TPictureStyle &style) { chosen.push_back(style); };
  const int axisRow = Form1->PictureTarget().Area.Height / 2;
  const auto axisRows = [&] { // rows of the axis colour at x = 20 near the x axis
    int rows = 0;
    for (int y = 0; y < Background().Height(); ++y)
      rows += FromQRgb(Background().Image().pixel(20, y)) == kAxisColor;
    return rows;
  };
  EXPECT_EQ(axisRows(), 1) << axisRow;

  Form1->MenuItem_PictureStyle->trigger();
  TPictureStyleWindow *window = Form1->PictureStyleWindow();
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(window->isVisible());
  QTest::mouseClick(window->Button_Projector, Qt::LeftButton);
  EXPECT_EQ(Form1->PictureStyle(), kProjectorStyle);
  EXPECT_EQ(chosen, std::vector<TPictureStyle>{kProjectorStyle});
  EXPECT_EQ(axisRows(), kProjectorStyle.LineWidth);
  EXPECT_EQ(window->SpinEdit_LineWidth->value(), kProjectorStyle.LineWidth);

  QTest::mouseClick(window->Button_Standard, Qt::LeftButton);
  EXPECT_EQ(Form1->PictureStyle(), TPictureStyle{});
  EXPECT_EQ(axisRows(), 1);
}

TEST(PictureStyleSettingsTest, KeptAndCheckedOnTheWayBack) {
  QTemporaryDir dir;
  QSettings settings(dir.filePath(QStringLiteral("kraftbild.conf")), QSettings::IniFormat);
  EXPECT_EQ(StoredPictureStyle(settings), TPictureStyle{});
  TPictureStyle style = kProjectorStyle;
  style.FitPage = true;
  KeepPictureStyle(settings, style);
  EXPECT_EQ(StoredPictureStyle(settings), style);
  // Hand-edited or foreign values: each one out of range is the plain picture's.
  settings.setValue(QStringLiteral("Darstellung/Linienbreite"), 9);
  settings.setValue(QStringLiteral("Darstellung/Schriftgroesse"), QStringLiteral("groß"));
  settings.setValue(QStringLiteral("Darstellung/Feldlinienfarbe"), -1);
  const TPictureStyle read = StoredPictureStyle(settings);
  EXPECT_EQ(read.LineWidth, TPictureStyle{}.LineWidth);
  EXPECT_EQ(read.LabelSize, TPictureStyle{}.LabelSize);
  EXPECT_EQ(read.FieldLineColor, TPictureStyle{}.FieldLineColor);
  EXPECT_TRUE(read.FitPage);
}

} // namespace
