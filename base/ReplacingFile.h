#pragma once
// Writing a file so that it is replaced only when every byte has arrived: the bytes go to a
// temporary file beside the target, ".<name>.kraftbild-<pid>.tmp", which is synced and then
// renamed over the target. The name says whose it is, so that one left behind by a program
// that was killed can be recognised and removed by the next save into the folder.

#include <QIODevice>
#include <QString>

#include <sys/types.h>

// Why a file cannot be written at path (a sentence), or an empty string. Only a
// regular file (or a symbolic link to one) may be replaced: renaming over a FIFO or a device
// would replace it, and writing into a FIFO blocks. A file the user may not write is refused.
QString WriteTargetProblem(const QString &path);

// The temporary file's name for the target's file name, written by the process pid.
QString TemporaryFileName(const QString &targetName, pid_t pid);

class TReplacingFile : public QIODevice {
public:
  explicit TReplacingFile(QString path);
  ~TReplacingFile() override;
  TReplacingFile(const TReplacingFile &) = delete;
  TReplacingFile &operator=(const TReplacingFile &) = delete;

  // In a folder where no temporary file can be created, write an existing target in place;
  // a failure then loses its old contents.
  void SetDirectWriteFallback(bool enabled) { directWriteFallback_ = enabled; }
  // Checks the target, removes the temporary files of dead programs in its folder and opens
  // the temporary file for writing. False with FailureReason() set when it cannot.
  bool Begin();
  // Syncs the bytes, gives the new file the old one's permission bits, renames it over the
  // target and syncs the folder. False with FailureReason() set when a write or any of these
  // failed; the temporary file is then gone and the target as it was.
  bool Commit();
  // Drops what was written; the target stays as it was (unless written in place).
  void Cancel();

  // The reason of the last failure as a sentence.
  QString FailureReason() const;
  // The file that is replaced: the target, or where its symbolic link points.
  const QString &TargetPath() const { return target_; }
  bool WritingInPlace() const { return inPlace_; }

  // Bytes go out in order; a writer that seeks back would find no file position here.
  bool isSequential() const override { return true; }

protected:
  qint64 readData(char *, qint64) override { return -1; }
  qint64 writeData(const char *data, qint64 length) override;

private:
  bool Fail(int errnum);

  QString target_;
  QString temporary_;
  int fd_ = -1;
  bool directWriteFallback_ = false;
  bool inPlace_ = false;
  bool writeFailed_ = false;
  bool existed_ = false;
  mode_t mode_ = 0;
  uid_t owner_ = 0;
  gid_t group_ = 0;
  int errno_ = 0;
  QString reason_;
};
