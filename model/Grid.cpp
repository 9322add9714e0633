#include "model/Grid.h"

#include "model/Background.h"
#include "model/Scene.h"

#include <cmath>

TPixelPoint NearestGridPoint(const TScene &scene, long double x, long double y) {
  const long double spacing = TickScale(scene).Spacing;
  const TWorldPoint world = scene.ScreenToWorld(x, y);
  // Whole multiples of the spacing, so that the charge tab shows round numbers.
  const TWorldPoint snapped{std::round(world.X / spacing) * spacing,
                            std::round(world.Y / spacing) * spacing};
  TPixelPoint pixel;
  scene.WorldToScreen(snapped, pixel.X, pixel.Y);
  return pixel;
}
