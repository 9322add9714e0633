#pragma once
// Recovery files: the unsaved work of each running program, written now and then into one
// folder, so that after a crash or power cut the next start can offer it back. Each program
// holds a lock beside its own file; a file whose lock is free or stale was left behind by a
// program that no longer runs.

#include "file/FileFingerprint.h"
#include "file/ProjectData.h"

#include <QDateTime>
#include <QString>

#include <memory>
#include <vector>

class QLockFile;

// The work and where it came from.
struct TRecoverySnapshot {
  TProjectData Project;
  QString FileName;             // the project's file, empty for an untitled project
  TFileFingerprint Fingerprint; // that file as the program knew it
  QDateTime Written;            // when the snapshot was taken (UTC)
};

QByteArray EncodeRecovery(const TRecoverySnapshot &snapshot);
// Throws EReadError for bytes that are no recovery file, and the project reader's errors.
TRecoverySnapshot DecodeRecovery(const QByteArray &bytes);

// A recovery file of a program that no longer runs, locked by this program while it is
// offered, so that no second program offers it at the same time.
struct TLeftWork {
  QString Path;
  std::shared_ptr<QLockFile> Lock;
};

class TRecoveryStore {
public:
  // The store in folder, which is made when needed.
  explicit TRecoveryStore(QString folder);
  ~TRecoveryStore();
  TRecoveryStore(const TRecoveryStore &) = delete;
  TRecoveryStore &operator=(const TRecoveryStore &) = delete;

  // <user's data folder>/recovery.
  static QString DefaultFolder();
  const QString &Folder() const { return folder_; }

  // Takes this program's lock; false when the folder or the lock cannot be made, and then
  // nothing may be written.
  bool Claim();
  // This program's recovery file.
  QString OwnFile() const;

  // Replaces this program's recovery file with the snapshot, all at once and synced. Reads
  // no member that changes, so a worker thread may call it while the store lives. Throws
  // EFCreateError or EWriteError.
  void Write(const TRecoverySnapshot &snapshot) const;
  void RemoveOwn() const;

  // The recovery files of programs that no longer run, oldest first, each locked for this
  // program. Those of running programs (this one included) are not listed.
  std::vector<TLeftWork> ClaimLeftWork() const;

private:
  QString folder_;
  QString id_;
  std::unique_ptr<QLockFile> lock_;
};

// Reads a recovery file; throws EFOpenError and DecodeRecovery's errors.
TRecoverySnapshot ReadRecoveryFile(const QString &path);
// Deletes a recovery file left behind; its lock goes when the left work is released.
void DiscardLeftWork(const TLeftWork &work);
