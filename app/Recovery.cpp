#include "app/Recovery.h"

#include "app/Autosave.h"
#include "app/MainWindow.h"
#include "app/ProjectCommands.h"
#include "model/Document.h"
#include "widgets/Dialogs.h"
#include "widgets/ErrorGuard.h"

#include <QFile>
#include <QLocale>

namespace {

QString QuestionText(const TRecoverySnapshot &work) {
  const QString when = QLocale().toString(work.Written.toLocalTime(), QLocale::ShortFormat);
  const QString what = work.FileName.isEmpty()
                           ? QStringLiteral("ein unbenanntes Projekt")
                           : QStringLiteral("das Projekt \"%1\"").arg(work.FileName);
  return QStringLiteral("Das Kraftbild wurde beendet, ohne %1 zu speichern. Der Stand vom %2 "
                        "ist erhalten.")
      .arg(what, when);
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
          &main, kRecoveryTitle, QuestionText(work), {kRestoreButton, kDiscardButton});
      if (answer == 0)
        Restore(main, project, left, work, store, autosave);
      else if (answer == 1)
        DiscardLeftWork(left);
    });
  }
}
