#pragma once
// The program's own pictures, drawn in code: the logo of the about dialog and the program
// icon, both a positive (red) and a negative (blue) charge joined by their field lines.

#include <QIcon>
#include <QImage>

#include <vector>

inline constexpr int LogoWidth = 142; // px
inline constexpr int LogoHeight = 63; // px

// Opaque, on white, for combining with a background by AND.
QImage KraftbildLogo();
// A square icon image of `size` pixels with a transparent surround.
QImage KraftbildIconImage(int size);
// The program icon's images at 32 and 48 pixels. Images only, no pixmaps: any thread may draw
// them.
std::vector<QImage> KraftbildIconImages();
// The program icon of those images; in the GUI thread, as every pixmap.
QIcon KraftbildIcon(const std::vector<QImage> &images);
QIcon KraftbildIcon();
