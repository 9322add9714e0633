#include "app/Recovery.h"

#include "app/Autosave.h"
#include "app/MainWindow.h"
#include "app/ProjectCommands.h"
#include "model/Document.h"
#include "widgets/Dialogs.h"
#include "widgets/ErrorGuard.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>

namespace {

QString QuestionText(const TRecoverySnapshot &work) {
  const QString when = QLocale().toString(work.Written.toLocalTime(), QLocale::ShortFormat);
  if (work.FileName.isEmpty())
    return QCoreApplication::translate("Recovery",
                                       "Das Kraftbild wurde beendet, ohne ein unbenanntes Projekt "
                                       "zu speichern. Der Stand vom %1 ist erhalten.")
        .arg(when);
  return QCoreApplication::translate("Recovery",
                                     "Das Kraftbild wurde beendet, ohne das Projekt \"%1\" zu "
                                     "speichern. Der Stand vom %2 ist erhalten.")
      .arg(work.FileName, when);
}

void Restore(TForm1 &main, TProject &project, const TLeftWork &left, const TRecoverySnapshot &work,
             const TRecoveryStore &store, TAutosave &autosave) {
  if (!main.QuerySave())
    return;
  project.Restore(work.Project, work.FileName, work.Fingerprint);
  // The old file goes only once the work is safe in this program's own.
  autosave.WriteIfDue();
  autosave.WaitForWrites();
  if (QFile::exists(store.OwnFile()))
    DiscardLeftWork(left);
}

} // namespace

TRecoverySnapshot CaptureRecoverySnapshot(const TProject &project) {
  return {project.Capture(), project.FileName(), project.Fingerprint(),
          QDateTime::currentDateTimeUtc()};
}

void OfferLeftWork(TForm1 &main, TProject &project, const TRecoveryStore &store,
                   TAutosave &autosave) {
  for (const TLeftWork &left : store.ClaimLeftWork()) {
    Guarded([&] {
      const TRecoverySnapshot work = ReadRecoveryFile(left.Path);
      const std::optional<int> answer = Dialogs().AskChoice(
          &main, QCoreApplication::translate("Recovery", "Ungesicherte Arbeit"), QuestionText(work),
          {QCoreApplication::translate("Recovery", "Wiederherstellen"),
           QCoreApplication::translate("Recovery", "Verwerfen")});
      if (answer == 0)
        Restore(main, project, left, work, store, autosave);
      else if (answer == 1)
        DiscardLeftWork(left);
    });
  }
}
