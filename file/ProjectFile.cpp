#include "file/ProjectFile.h"

#include "base/Errors.h"
#include "base/SystemErrorText.h"
#include "file/ProjectCodec.h"
#include "file/StreamFormat.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace {

EFOpenError OpenError(const QString &path, const QString &reason) {
  return EFOpenError(
      QCoreApplication::translate("ProjectFile", "Datei %1 kann nicht geöffnet werden. %2")
          .arg(path, reason));
}

// A FIFO, a device or a folder could block the program or feed it without end; only a
// regular file of bounded size is read.
void RequireRegularFile(const QString &path, const struct stat &st) {
  if (!S_ISREG(st.st_mode))
    throw OpenError(path,
                    QCoreApplication::translate("ProjectFile", "Sie ist keine gewöhnliche Datei."));
  if (st.st_size > kMaxProjectFileBytes)
    throw OpenError(path, QCoreApplication::translate("ProjectFile", "Sie ist größer als %1 MB.")
                              .arg(kMaxProjectFileBytes / (1024 * 1024)));
}

// The codec knows no file; its failures get the file's name and a reason here.
void ReadNaming(const QString &path, QFile &file, TProjectData &data) {
  try {
    ReadProjectData(file, data);
  } catch (const EReadError &) {
    throw EReadError(FileErrorText(
        ReadErrorText(), path,
        file.error() == QFileDevice::NoError
            ? QCoreApplication::translate("ProjectFile", "Die Datei endet vorzeitig.")
            : QCoreApplication::translate("ProjectFile", "Die Datei kann nicht gelesen werden.")));
  } catch (const EPropertyError &) {
    throw EPropertyError(FileErrorText(
        PropertyErrorText(), path,
        QCoreApplication::translate("ProjectFile", "Ein Wert liegt außerhalb seines Bereichs.")));
  } catch (const EListError &error) {
    throw EListError(
        FileErrorText(error.Message(), path,
                      QCoreApplication::translate("ProjectFile", "Eine gewählte Ladung fehlt.")));
  } catch (const std::bad_alloc &) {
    throw EOutOfMemoryError(QCoreApplication::translate(
                                "ProjectFile", "Zu wenig Arbeitsspeicher, um die Datei %1 zu lesen")
                                .arg(path));
  }
}

} // namespace

void LoadProjectFile(const QString &path, TProjectData &data) {
  // The examples are Qt resources (":/..."), bytes inside the program that only QFile reads.
  if (path.startsWith(u':')) {
    QFile resource(path);
    if (!resource.open(QIODevice::ReadOnly))
      throw OpenError(path, SystemErrorText(ENOENT));
    ReadNaming(path, resource, data);
    return;
  }
  // Not blocking: opening a FIFO would wait for a writer. The kind and size are asked of
  // what was opened, so a path replaced in between cannot slip through.
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0)
    throw OpenError(path, SystemErrorText(errno));
  struct stat opened {};
  if (::fstat(fd, &opened) != 0) {
    const int failure = errno;
    ::close(fd);
    throw OpenError(path, SystemErrorText(failure));
  }
  QFile file;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    throw OpenError(
        path, QCoreApplication::translate("ProjectFile", "Die Datei kann nicht gelesen werden."));
  }
  RequireRegularFile(path, opened);
  ReadNaming(path, file, data);
}

void SaveProjectFile(const QString &path, const TProjectData &data,
                     const TSaveFileFactory &makeFile) {
  CheckProjectData(data);
  const std::unique_ptr<TReplacingFile> file =
      makeFile ? makeFile(path) : std::make_unique<TReplacingFile>(path);
  // In a folder where no temporary file can be made the file itself is written; a failure
  // then is still reported, though the old contents are gone.
  file->SetDirectWriteFallback(true);
  if (!file->Begin())
    throw EFCreateError(
        QCoreApplication::translate("ProjectFile", "Datei \"%1\" kann nicht erstellt werden. %2")
            .arg(path, file->FailureReason()));
  try {
    WriteProjectData(*file, data);
  } catch (const EWriteError &) {
    file->Cancel();
    throw EWriteError(FileErrorText(WriteErrorText(), path, file->FailureReason()));
  }
  if (!file->Commit())
    throw EWriteError(FileErrorText(WriteErrorText(), path, file->FailureReason()));
}
