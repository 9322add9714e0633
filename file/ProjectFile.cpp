#include "file/ProjectFile.h"

#include "base/Errors.h"
#include "file/ProjectCodec.h"
#include "file/StreamFormat.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

EFOpenError OpenError(const QString &path, const QString &reason) {
  return EFOpenError(QStringLiteral("Datei %1 kann nicht geöffnet werden. %2").arg(path, reason));
}

// A FIFO, a device or a folder could block the program or feed it without end; only a
// regular file of bounded size is read. Asked before opening, since opening a FIFO blocks.
void RequireRegularFile(const QString &path, qint64 size, bool regular) {
  if (!regular)
    throw OpenError(path, QStringLiteral("Sie ist keine gewöhnliche Datei."));
  if (size > kMaxProjectFileBytes)
    throw OpenError(
        path,
        QStringLiteral("Sie ist größer als %1 MB.").arg(kMaxProjectFileBytes / (1024 * 1024)));
}

// Makes the written bytes durable. Devices and file systems that cannot sync (EINVAL, EROFS
// for some special files) have nothing to wait for; any other failure is a failed write.
bool Sync(int fd) { return ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS; }

// After the rename the folder entry must reach the disk too, or a crash could bring back
// the old file (or none).
bool SyncFolderOf(const QString &path) {
  const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
  const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0)
    return true; // a folder we may write into but not open: nothing we can sync
  const bool synced = Sync(fd);
  ::close(fd);
  return synced;
}

} // namespace

void LoadProjectFile(const QString &path, TProjectData &data) {
  const QFileInfo info(path);
  if (info.exists())
    RequireRegularFile(path, info.size(), info.isFile());
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw OpenError(path, file.errorString());
  // The path may have been replaced between the question and the opening.
  struct stat opened {};
  if (::fstat(file.handle(), &opened) == 0)
    RequireRegularFile(path, opened.st_size, S_ISREG(opened.st_mode));
  try {
    ReadProjectData(file, data);
  } catch (const std::bad_alloc &) {
    throw EOutOfMemoryError(
        QStringLiteral("Zu wenig Arbeitsspeicher, um die Datei %1 zu lesen").arg(path));
  }
}

void SaveProjectFile(const QString &path, const TProjectData &data,
                     const TSaveFileFactory &makeFile) {
  CheckProjectData(data);
  const std::unique_ptr<QSaveFile> file =
      makeFile ? makeFile(path) : std::make_unique<QSaveFile>(path);
  // In a folder where no temporary file can be made the file itself is written; a failure
  // then is still reported, though the old contents are gone.
  file->setDirectWriteFallback(true);
  if (!file->open(QIODevice::WriteOnly))
    throw EFCreateError(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2")
                            .arg(path, file->errorString()));
  try {
    WriteProjectData(*file, data);
    // The device buffers: a full disk shows only when the buffer goes out, and commit()
    // would still replace the target with what got through. So every stage is asked.
    if (!file->flush() || file->error() != QFileDevice::NoError ||
        (file->handle() >= 0 && !Sync(file->handle())))
      throw EWriteError(WriteErrorText());
  } catch (...) {
    file->cancelWriting();
    throw;
  }
  if (!file->commit() || !SyncFolderOf(path))
    throw EWriteError(WriteErrorText());
}
