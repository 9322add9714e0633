#pragma once
// The life cycle of the document across the windows: a new project, and loading and saving
// a project file together with the voltage window's state.

#include "file/ProjectFile.h"

#include <QString>

// Frees every charge, clears the voltage window's choices (and hides it), shows the charge
// page, and puts the view back to the centre at 100 % zoom with the default arrow scale;
// draws the background, shows a frame and clears the file name. Afterwards the document is
// unmodified. Arrow colour, precision and the cursor line stay.
void NewProject();

// Writes the document to the file at fileName (the full path) and marks it saved. Throws
// the file's errors; then the previous file is intact and the document still modified.
void SaveProject(const QString &fileName);

// Replaces the document with the file's content, makes fileName the project's file name,
// leaves the document unmodified and redraws. On an error, which it throws after the
// redraw, the document holds what was read before the fault.
void LoadProject(const QString &fileName);

// Replaces the way SaveProject makes its save file (tests); empty restores the default.
void SetProjectSaveFileFactory(TSaveFileFactory factory);
