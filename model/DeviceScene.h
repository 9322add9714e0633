#pragma once
// The scene as a screen's device pixels see it. Positions stay in the scene's (logical)
// pixels everywhere else; a picture drawn of this scene on a surface scale times as large
// shows the same charges, metres and view, with every line one device pixel wide and every
// text at the device's own resolution instead of scaled up.

#include "model/Scene.h"

// scale: device pixels per scene pixel (> 0). Charge centres keep their metres from the
// origin; the charges' squares, step lengths and other sizes in pixels are the device's.
TScene SceneOnDevice(const TScene &scene, double scale);
