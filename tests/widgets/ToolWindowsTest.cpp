// Where the tool windows go at start, beside the main window or over its edge, on screens of
// every size.
#include "widgets/ToolWindows.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

constexpr QSize kTool{257, 260};

struct PlacementCase {
  QRect available;
  QRect main;
  bool preferRight;
  int x; // expected left edge of the tool window
};

TEST(ToolWindowPositionTest, BesideWhereThereIsRoomElseOverTheEdge) {
  const QRect screen(0, 0, 1920, 1080);
  const QRect centred(564, 200, 792, 600); // 564 px free on either side
  const PlacementCase cases[] = {
      {screen, centred, true, 1356},                          // right of it
      {screen, centred, false, 307},                          // left of it
      {screen, {100, 200, 792, 600}, false, 892},             // no room on the left: right
      {{0, 0, 1280, 1024}, {244, 200, 792, 600}, true, 1023}, // over the right edge
      {{0, 0, 1280, 1024}, {230, 200, 1000, 600}, true, 0},   // roomier left: over that edge
      {{0, 0, 400, 600}, {0, 0, 400, 600}, true, 200}, // over the edge, but right of the origin
  };
  for (const PlacementCase &c : cases) {
    const QPoint p = ToolWindowPosition(c.main, c.main.center(), kTool, c.available, c.preferRight);
    EXPECT_EQ(p.x(), c.x) << c.main.x() << " " << c.preferRight;
    EXPECT_EQ(p.y(), std::max(c.available.top(), c.main.top()));
  }
}

TEST(ToolWindowPositionTest, NeverOverTheOriginAndOnScreenWhenItFits) {
  QRandomGenerator random(7);
  for (int i = 0; i < 20000; ++i) {
    const QRect available(random.bounded(-500, 500), random.bounded(-500, 500),
                          random.bounded(300, 3000), random.bounded(300, 2000));
    const QRect main(available.left() + random.bounded(-200, available.width()),
                     available.top() + random.bounded(-200, available.height()),
                     random.bounded(100, 1500), random.bounded(100, 1200));
    const QSize tool(random.bounded(50, 400), random.bounded(50, 400));
    const QPoint origin = main.center();
    const QRect placed(ToolWindowPosition(main, origin, tool, available, random.bounded(2) == 1),
                       tool);
    ASSERT_FALSE(placed.contains(origin)) << i;
    // Where a side has room, the window goes there: beside the main window, on the screen.
    const bool room =
        available.contains(QRect(main.right() + 1, available.top(), tool.width(), 1)) ||
        available.contains(QRect(main.left() - tool.width(), available.top(), tool.width(), 1));
    if (room) {
      ASSERT_FALSE(placed.intersects(main)) << i;
      ASSERT_TRUE(available.contains(QRect(placed.left(), available.top(), placed.width(), 1)))
          << i;
    }
    if (tool.height() <= available.height()) {
      ASSERT_TRUE(placed.top() >= available.top() && placed.bottom() <= available.bottom()) << i;
    }
  }
}

} // namespace
