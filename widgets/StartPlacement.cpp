#include "widgets/StartPlacement.h"

#include "widgets/ToolWindows.h"

#include <algorithm>

namespace {

// The start of a span of the given length inside [low, high], near where it wants to be.
int Inside(int wanted, int length, int low, int high) {
  return std::clamp(wanted, low, std::max(low, high - length + 1));
}

} // namespace

QRect MainFrameAtStart(QSize client, const QMargins &frame, const QRect &available) {
  // The client area centred, where the window always went; the frame is a little off centre.
  const QPoint centred = available.center() - QRect(QPoint(), client).center();
  const QSize wanted = client.grownBy(frame);
  const QSize size = wanted.boundedTo(available.size());
  return {Inside(centred.x(), size.width(), available.left(), available.right()),
          Inside(centred.y(), size.height(), available.top(), available.bottom()), size.width(),
          size.height()};
}

std::vector<QRect> ToolFramesAtStart(const QRect &mainFrame, const QRect &menuBar, QPoint origin,
                                     const std::vector<QSize> &tools, const QRect &available) {
  std::vector<QRect> placed;
  for (const QSize tool : tools) {
    QRect frame(ToolWindowPosition(mainFrame, origin, tool, available, placed.empty()), tool);
    const auto below = [&frame, &available](const QRect &other) {
      if (frame.intersects(other) && other.bottom() + frame.height() <= available.bottom())
        frame.moveTop(other.bottom() + 1);
    };
    below(menuBar);
    if (!placed.empty()) {
      below(placed.back());
      // A short window beside the main one can end above the menu bar's bottom.
      below(menuBar);
    }
    placed.push_back(frame);
  }
  return placed;
}
