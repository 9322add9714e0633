#pragma once
// The grid of the axis scale: lines through the origin every tick spacing, in both
// directions, at the current zoom.

struct TScene;

struct TPixelPoint {
  long double X = 0; // px
  long double Y = 0; // px
};

// The grid point nearest to the screen pixel (x, y).
TPixelPoint NearestGridPoint(const TScene &scene, long double x, long double y);
