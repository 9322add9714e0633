#pragma once
// Where the windows go at start, worked out from rectangles alone (screen pixels, as Qt gives
// them at any scale factor), so that every screen can be tried without one.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

// The main window's frame: the client area of the size it asks for centred on the available
// area (the screen minus panels), the frame around it; where that frame does not lie inside the
// area, moved into it, and made smaller where it is larger than the area.
QRect MainFrameAtStart(QSize client, const QMargins &frame, const QRect &available);

// The tool windows' frames, in the order given: each at ToolWindowPosition, the first
// preferring the right side, the others the left. One that would cover the main window's menu
// bar goes just below it; one that meets the window placed before it goes below that one;
// both only where the screen has room.
std::vector<QRect> ToolFramesAtStart(const QRect &mainFrame, const QRect &menuBar, QPoint origin,
                                     const std::vector<QSize> &tools, const QRect &available);
