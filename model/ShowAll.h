#pragma once
// "Alles zeigen": the zoom and origin that bring every charge into a drawing surface.

#include "base/Geometry.h"
#include "model/PointCharge.h"

#include <optional>

struct TScene;

// Room (px) kept between a charge's centre and the surface's edge: the charge's disc, and as
// much again so that it does not touch the edge.
inline constexpr int kShowAllMargin = 2 * kChargeHalfSize;

struct TViewFit {
  long double Zoom = 1; // factor, 1.0 at 100 %
  TPoint Origin;        // px
};

// The largest zoom step (model/Zoom.h) at which the charges' centres fit into surface (px) less
// kShowAllMargin on every side, with the middle of their extent at the surface's centre. A
// step keeps the wheel and the keys on their list; only charges spread too far for the
// smallest step get the zoom that fits them exactly. Without charges: 100 %, the origin at the
// centre. None when no zoom that fits passes ZoomFits.
std::optional<TViewFit> ViewShowingAll(const TScene &scene, TSize surface);
