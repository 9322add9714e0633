#pragma once
// What a picture of a scene depends on besides the scene: the surface it is drawn for and
// the font of its labels. The screen's pixels per inch come through the seam (base/Seams.h).

#include "base/Geometry.h"

#include <QString>

struct TPictureTarget {
  TSize Area;                                       // px of the drawing surface
  QString FontName = QStringLiteral("DejaVu Sans"); // of the axis and level labels
};
