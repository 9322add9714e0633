#include "model/Grid.h"

#include "model/Background.h"
#include "model/Document.h"

#include <cmath>

TPixelPoint NearestGridPoint(const TDocument &document, long double x, long double y) {
  const long double spacing = TickScale(document).Spacing;
  const TWorldPoint world = document.ScreenToWorld(x, y);
  // Whole multiples of the spacing, so that the charge tab shows round numbers.
  const TWorldPoint snapped{std::round(world.X / spacing) * spacing,
                            std::round(world.Y / spacing) * spacing};
  TPixelPoint pixel;
  document.WorldToScreen(snapped, pixel.X, pixel.Y);
  return pixel;
}
