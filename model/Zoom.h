#pragma once
// Zooming the view about the origin: the zoom factor sets PixelsPerMetre, and the charges
// move in pixels so that each keeps its position in metres (TScene::SetZoomFactor).

#include "base/Geometry.h"
#include "model/ViewLimits.h"

#include <array>
#include <cstdint>
#include <optional>

struct TScene;

// Zoom factors (1.0 at 100 %) closer than this count as the same zoom.
inline constexpr long double kZoomTolerance = 1e-6L;

// The zoom steps (%): the view tab's list, and the steps of the mouse wheel and the zoom keys.
inline constexpr std::array<int, 8> kZoomStepPercents{10, 25, 50, 100, 200, 500, 750, 1000};

// The factor of a zoom step, computed as the view tab reads a typed percentage.
constexpr long double ZoomStepFactor(int percent) { return percent / 100.0L; }

// The next larger (direction > 0) or smaller (direction < 0) zoom step (a factor) from zoom;
// none beyond the ends of the list, where the wheel and the keys stop. A zoom between two
// steps goes to the nearer one in that direction.
std::optional<long double> NextZoomStep(long double zoom, int direction);

// The origin (px) once zoom (a factor, > 0) is made the view's zoom so that the world point
// under pivot (px) stays under it (to half a pixel: the origin is a whole pixel). None when that
// origin lies beyond pixel::kLimit.
std::optional<TPoint> OriginZoomedAbout(const TScene &scene, long double zoom, TPoint pivot);

// Whether an origin (px) computed from the view can be held: within pixel::kLimit.
bool OriginUsable(long double x, long double y);

// PixelsPerMetre (px/m) once zoom (a factor, > 0) is made the zoom of the scene's view.
long double PixelsPerMetreAt(const TScene &scene, long double zoom);

// Whether the zoom (a factor, > 0) keeps PixelsPerMetre usable, every charge position
// finite and the forces of the charges finite (model/ViewLimits.h). A position that overflowed
// could never be brought back, nor loaded again from a saved file.
bool ZoomFits(const TScene &scene, long double zoom);

// A charge's corner coordinate (px) once its centre is scaled by f about origin (px); the
// corner itself is not scaled.
double ScaledAbout(double corner, int32_t origin, long double f);

// The extent of the scene's charges; the charge at index changed, if any, counts with the value (C)
// and kind it is about to get.
TChargeExtent ChargeExtentOf(const TScene &scene, int changed = -1, long double value = 0,
                             bool isSource = false);
