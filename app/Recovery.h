#pragma once
// The program's side of recovery files: what a snapshot of its project holds, and the
// offer at start of the work that programs which no longer run left behind.

#include "file/RecoveryStore.h"

class TAutosave;
class TForm1;
class TProject;

// The project as a recovery file keeps it: the file's data, the project's file name and
// that file's fingerprint, and the time.
TRecoverySnapshot CaptureRecoverySnapshot(const TProject &project);

// Asks, one question per recovery file left behind, whether to restore or discard it.
// "Wiederherstellen" makes the work the document, modified, under its old name (after the
// save question for work already restored); its file goes once the work is in this
// program's own recovery file. "Verwerfen" deletes it. A closed question keeps it for the
// next start, and so does a file that cannot be read, which is reported.
void OfferLeftWork(TForm1 &main, TProject &project, const TRecoveryStore &store,
                   TAutosave &autosave);
