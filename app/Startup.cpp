#include "app/Startup.h"

#include "app/ProjectCommands.h"
#include "widgets/ErrorGuard.h"

#include <QCoreApplication>
#include <QFileInfo>

QString StartProjectName(const QStringList &arguments) { return arguments.value(1); }

void OpenStartProject(TProject &project, const QString &fileName) {
  // The full path, as the open dialog gives it: the title shows it and "Speichern" writes
  // to it.
  const QString path = QFileInfo(fileName).absoluteFilePath();
  Guarded([&] {
    try {
      project.Load(path);
    } catch (...) {
      // A half-read project under the file's name could be saved over the file by mistake.
      project.New();
      throw;
    }
  });
}
