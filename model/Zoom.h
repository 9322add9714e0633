#pragma once
// Zooming the view about the origin: the zoom factor sets PixelsPerMetre, and the charges
// move in pixels so that each keeps its position in metres (TScene::SetZoomFactor).

#include "model/ViewLimits.h"

#include <cstdint>

struct TScene;

// Zoom factors (1.0 at 100 %) closer than this count as the same zoom.
inline constexpr long double kZoomTolerance = 1e-6L;

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
