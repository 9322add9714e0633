// Where the windows go at start on the screens our users have: the main window on the screen,
// frame and all, and no tool window over its menu bar.
#include "widgets/StartPlacement.h"

#include <QString>
#include <QtGlobal>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

// Readable failures.
inline void PrintTo(const QSize &size, std::ostream *os) {
  *os << size.width() << "x" << size.height();
}

namespace {

// As the program asks at 100 %: drawing surface 792 x 535 with an 18-pixel menu bar and the
// 19-pixel status bar; the settings and the voltage window; a typical frame. Qt gives all of
// them in the same logical pixels at every scale factor.
constexpr int kMenuBar = 18;
constexpr QSize kMainClient{792, 535 + kMenuBar + 19};
const QMargins kFrame{4, 28, 4, 4};
constexpr QSize kSettings{279, 236};
constexpr QSize kVoltage{270, 182};

struct Screen {
  QSize pixels;
  double scale;   // QT_SCALE_FACTOR
  int panel;      // px at the top, taken from the available area
  QSize mainSize; // expected frame: the wanted size where it fits, else the area's
  bool beside;    // room for the tool windows beside the main window
};

TEST(StartPlacementTest, MainWindowOnTheScreenAndItsMenuBarFree) {
  const Screen screens[] = {
      {{1366, 768}, 1.5, 0, {800, 512}, false},  {{1366, 768}, 1.5, 36, {800, 488}, false},
      {{1600, 1000}, 2.0, 0, {800, 500}, false}, {{1280, 1024}, 1.0, 0, {800, 604}, false},
      {{1920, 1080}, 1.0, 0, {800, 604}, true},  {{1024, 600}, 1.0, 0, {800, 600}, false},
  };
  for (const Screen &s : screens) {
    const auto logical = [&s](int px) { return qRound(px / s.scale); };
    const QRect available(0, logical(s.panel), logical(s.pixels.width()),
                          logical(s.pixels.height() - s.panel));
    const std::string name = QStringLiteral("%1x%2 at %3, panel %4")
                                 .arg(s.pixels.width())
                                 .arg(s.pixels.height())
                                 .arg(s.scale)
                                 .arg(s.panel)
                                 .toStdString();

    const QRect main = MainFrameAtStart(kMainClient, kFrame, available);
    EXPECT_TRUE(available.contains(main)) << name;
    EXPECT_EQ(main.size(), s.mainSize) << name;
    const QRect client = main.marginsRemoved(kFrame);
    const QRect menuBar(client.topLeft(), QSize(client.width(), kMenuBar));
    const QPoint origin = client.adjusted(0, kMenuBar, 0, -19).center();

    const std::vector<QRect> tools = ToolFramesAtStart(
        main, menuBar, origin, {kSettings.grownBy(kFrame), kVoltage.grownBy(kFrame)}, available);
    ASSERT_EQ(tools.size(), 2u);
    for (const QRect &tool : tools) {
      EXPECT_FALSE(tool.intersects(menuBar)) << name << " tool at " << tool.y();
      EXPECT_TRUE(available.contains(tool)) << name;
      EXPECT_FALSE(tool.contains(origin)) << name;
      EXPECT_EQ(tool.intersects(main), !s.beside) << name;
    }
  }
}

} // namespace
