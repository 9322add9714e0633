#pragma once
// Between the project file's plain data and a scene: the charges, the view state and the
// voltage window's choices. Whether that window is shown is left to the caller.

#include "file/ProjectData.h"

struct TScene;

// The scene as file data; the voltage window's visibility is left at its default for the
// caller to fill in.
TProjectData CaptureScene(const TScene &scene);

// Takes over origin, arrow scale, zoom (at this screen's pixels per inch), the potential
// options and the voltage choices, and appends one charge per record to the scene's charges
// and the file's particles to its particles (with their goal and note, when it has any).
void ApplyViewOf(const TProjectData &data, TScene &scene);
void AppendChargesOf(const TProjectData &data, TScene &scene);
