#pragma once
// Zooming the view about the origin: the zoom factor sets PixelsPerMetre, and the charges
// move in pixels so that each keeps its position in metres.

// Zoom factors (1.0 at 100 %) closer than this count as the same zoom.
inline constexpr long double kZoomTolerance = 1e-6L;

// PixelsPerMetre (px/m) once zoom (a factor, > 0) is made the zoom of the view.
long double PixelsPerMetreAt(long double zoom);

// Whether the zoom (a factor, > 0) keeps PixelsPerMetre usable and every charge position
// finite (model/ViewLimits.h). A position that overflowed could never be brought back, nor
// loaded again from a saved file.
bool ZoomFits(long double zoom);

// Makes zoom (a factor, 1.0 at 100 %, > 0) the zoom of the view, unless it differs from the
// current one by kZoomTolerance or less. Every charge centre is scaled about Origin, which
// stays at its pixel. Redraws nothing; answers whether the view changed.
bool SetZoomFactor(long double zoom);
