#pragma once
// Tool windows: owned by the main window (on top of it, not of other programs), placed
// beside it at start, and as large as their layout and title need, no larger.

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where a tool window's frame of the given size goes: beside the main window's frame, on the
// preferred side first, else on the other; with no room on either side, over the main
// window's edge on the roomier side, but never over the origin (screen pixels). The top
// follows the main window's, kept on the screen.
QPoint ToolWindowPosition(const QRect &mainFrame, QPoint origin, QSize toolFrame,
                          const QRect &available, bool preferRight);

// Makes the widget a tool window of the owner (title and close button only), keeps it at the
// size its layout needs, at least the client size and wide enough for the whole title.
void MakeToolWindow(QWidget *tool, QWidget *owner, QSize clientSize);

// The width a window needs so that the window manager shows its whole title: the title in
// a bold title font plus room for the icon and the buttons.
int TitleRoom(const QWidget *window);

// The frame a window manager puts around a window: the real one once a window is framed,
// else a typical title bar and border.
QMargins FrameMargins(const QWidget *window);
