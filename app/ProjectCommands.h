#pragma once
// The life cycle of the document as a project: a new project, loading and saving a project
// file together with whether the voltage window is shown, and work brought back after a
// crash. The project's file name is the main window's caption.

#include "file/FileFingerprint.h"
#include "file/ProjectData.h"
#include "file/ProjectFile.h"

#include <QString>

class TDocument;
class TForm1;
class TForm3;

class TProject {
public:
  TProject(TDocument &document, TForm1 &main, TForm3 &voltage);

  // Frees every charge, clears the voltage window's choices (and hides it), shows the charge
  // page, and puts the view back to the centre at 100 % zoom with the default arrow scale;
  // draws the background, shows a frame and clears the file name. Afterwards the document is
  // unmodified. Arrow colour, precision and the cursor line stay.
  void New();

  // The project as its file would hold it: the scene and whether the voltage window shows.
  TProjectData Capture() const;

  // Writes the document to the file at fileName (the full path) and marks it saved. Throws
  // the file's errors; then the previous file is intact and the document still modified.
  void Save(const QString &fileName);

  // Replaces the document with the file's content, makes fileName the project's file name,
  // leaves the document unmodified and redraws. On an error, which it throws after the
  // redraw, the document holds what was read before the fault, as an untitled project that
  // counts as modified, so that no save can go over the file that failed. A file that opened
  // but could not be read as a project is reported as damaged, with the reader's reason.
  void Load(const QString &fileName);

  // The project's file name, empty for an untitled project.
  const QString &FileName() const;
  // The project's file as it was when this program last opened or saved it; empty for an
  // untitled project.
  const TFileFingerprint &Fingerprint() const { return fingerprint_; }
  // True when the project has a file and that file is no longer as this program left it:
  // another program wrote, replaced or deleted it (or made it anew).
  bool ChangedOnDisk() const;

  // Work brought back after a crash: the document becomes data under fileName (empty for an
  // untitled project) and counts as modified. fingerprint is the file as the crashed program
  // knew it, so that a save still notices what happened to the file since.
  void Restore(const TProjectData &data, const QString &fileName,
               const TFileFingerprint &fingerprint);

  // Replaces the way Save makes its save file (tests); empty restores the default.
  void SetSaveFileFactory(TSaveFileFactory factory) { saveFileFactory_ = std::move(factory); }

private:
  void SetFile(const QString &fileName, const TFileFingerprint &fingerprint);
  // Replaces the document with what read puts into the data, and shows the voltage window
  // as the data says. Whatever read throws is passed on after the windows show what it read.
  template <typename Read> void Replace(Read &&read);

  TDocument &document_;
  TForm1 &main_;
  TForm3 &voltage_;
  TSaveFileFactory saveFileFactory_;
  TFileFingerprint fingerprint_; // belongs to the file name: set and cleared with it
};
