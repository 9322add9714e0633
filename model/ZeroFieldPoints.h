#pragma once
// The points where the field of all sources vanishes (equilibrium points of a test charge).

#include "base/Geometry.h"
#include "model/Scene.h"

#include <vector>

// The points (m, world axes) inside a surface of that size (px) where the field of the scene's
// sources vanishes, to a small fraction of a pixel, in order of screen rows then columns.
// Points at a source are left out: the field has no value there.
std::vector<TWorldPoint> ZeroFieldPoints(const TScene &scene, TSize area);
