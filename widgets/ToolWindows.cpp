#include "widgets/ToolWindows.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLayout>
#include <QStyle>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

// Icon, up to three buttons, their gaps and the window manager's margins, in text heights:
// openbox's default theme needs about eight beside the title.
constexpr int kTitleBarItems = 9;
constexpr int kTypicalBorder = 4; // px

} // namespace

QPoint ToolWindowPosition(const QRect &mainFrame, QPoint origin, QSize toolFrame,
                          const QRect &available, bool preferRight) {
  const int w = toolFrame.width();
  const int right = mainFrame.right() + 1;
  const int left = mainFrame.left() - w;
  const bool fitsRight = right >= available.left() && right + w - 1 <= available.right();
  const bool fitsLeft = left >= available.left() && left + w - 1 <= available.right();
  int x = 0;
  if (fitsRight && (preferRight || !fitsLeft)) {
    x = right;
  } else if (fitsLeft) {
    x = left;
  } else if (available.right() - mainFrame.right() >= mainFrame.left() - available.left()) {
    // Over the right edge, flush with the screen, unless that would hide the origin.
    x = std::max(available.right() - w + 1, origin.x() + 1);
  } else {
    x = std::min(available.left(), origin.x() - w);
  }
  const int lowest = std::max(available.top(), available.bottom() - toolFrame.height() + 1);
  const int y = std::clamp(mainFrame.top(), available.top(), lowest);
  return {x, y};
}

int TitleRoom(const QWidget *window) {
  QFont bold = QApplication::font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  return metrics.horizontalAdvance(window->windowTitle()) + kTitleBarItems * metrics.height();
}

QMargins FrameMargins(const QWidget *window) {
  if (const QWindow *handle = window->windowHandle(); handle != nullptr && handle->isExposed()) {
    const QMargins real = handle->frameMargins();
    if (!real.isNull())
      return real;
  }
  const int title = QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
  return {kTypicalBorder, title + kTypicalBorder, kTypicalBorder, kTypicalBorder};
}

void MakeToolWindow(QWidget *tool, QWidget *owner, QSize clientSize) {
  // With the owner as parent the window manager keeps the tool window above the owner only;
  // no maximise button, as the size is fixed.
  tool->setParent(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                             Qt::WindowCloseButtonHint);
  QSize size = clientSize.expandedTo(QSize(TitleRoom(tool), 0));
  if (const QLayout *layout = tool->layout())
    size = size.expandedTo(layout->minimumSize());
  tool->setFixedSize(size);
}
