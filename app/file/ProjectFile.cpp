#include "app/file/ProjectFile.h"

#include "app/file/ProjectCodec.h"
#include "app/file/StreamFormat.h"
#include "display/Errors.h"

#include <QFile>

void LoadProjectFile(const QString &path, TProjectData &data) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw EFOpenError(
        QStringLiteral("Datei %1 kann nicht geöffnet werden. %2").arg(path, file.errorString()));
  ReadProjectData(file, data);
}

void SaveProjectFile(const QString &path, const TProjectData &data,
                     const TSaveFileFactory &makeFile) {
  const std::unique_ptr<QSaveFile> file =
      makeFile ? makeFile(path) : std::make_unique<QSaveFile>(path);
  if (!file->open(QIODevice::WriteOnly))
    throw EFCreateError(QStringLiteral("Datei \"%1\" kann nicht erstellt werden. %2")
                            .arg(path, file->errorString()));
  try {
    WriteProjectData(*file, data);
  } catch (...) {
    file->cancelWriting();
    throw;
  }
  if (!file->commit())
    throw EWriteError(WriteErrorText());
}
