#pragma once
// The life cycle of the document across the windows: a new project, loading and saving a
// project file together with the voltage window's state, and work brought back after a
// crash.

#include "file/FileFingerprint.h"
#include "file/ProjectFile.h"

#include <QString>

// Frees every charge, clears the voltage window's choices (and hides it), shows the charge
// page, and puts the view back to the centre at 100 % zoom with the default arrow scale;
// draws the background, shows a frame and clears the file name. Afterwards the document is
// unmodified. Arrow colour, precision and the cursor line stay.
void NewProject();

// The project as its file would hold it: the document and the voltage window's choices.
TProjectData CaptureProject();

// Writes the document to the file at fileName (the full path) and marks it saved. Throws
// the file's errors; then the previous file is intact and the document still modified.
void SaveProject(const QString &fileName);

// Replaces the document with the file's content, makes fileName the project's file name,
// leaves the document unmodified and redraws. On an error, which it throws after the
// redraw, the document holds what was read before the fault, as an untitled project that
// counts as modified, so that no save can go over the file that failed. A file that opened
// but could not be read as a project is reported as damaged, with the reader's reason.
void LoadProject(const QString &fileName);

// The project's file as it was when this program last opened or saved it; empty for an
// untitled project.
const TFileFingerprint &ProjectFileFingerprint();
// True when the project has a file and that file is no longer as this program left it:
// another program wrote, replaced or deleted it (or made it anew).
bool ProjectFileChangedOnDisk();

// Work brought back after a crash: the document becomes data under fileName (empty for an
// untitled project) and counts as modified. fingerprint is the file as the crashed program
// knew it, so that a save still notices what happened to the file since.
void RestoreProject(const TProjectData &data, const QString &fileName,
                    const TFileFingerprint &fingerprint);

// Replaces the way SaveProject makes its save file (tests); empty restores the default.
void SetProjectSaveFileFactory(TSaveFileFactory factory);
