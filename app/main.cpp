// Program start of Das Kraftbild: the language kept or the system's, the windows in their order,
// the main window shown, work left by a crashed program offered back, a project named on the
// command line opened, then the event loop until the main window is closed or the session ends the
// program.
#include "app/Autosave.h"
#include "app/MainWindow.h"
#include "app/PictureStyleSettings.h"
#include "app/Program.h"
#include "app/ProjectCommands.h"
#include "app/Recovery.h"
#include "app/Startup.h"
#include "app/TerminationSignals.h"
#include "model/Document.h"
#include "widgets/ErrorGuard.h"

#include <QApplication>
#include <QLocale>
#include <QSettings>
#include <QTimer>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  // Lets a desktop shell match the windows to the installed desktop entry and its icon.
  QApplication::setDesktopFileName(QStringLiteral("de.kraftbild.Kraftbild"));
  // The choices of "Extras > Sprache" and "Ansicht > Darstellung".
  QSettings settings(QStringLiteral("kraftbild"), QStringLiteral("kraftbild"));
  TProgram program(StartLanguage(settings, QLocale::system()));
  program.LanguageSwitched = [&settings](TLanguage language) {
    KeepLanguage(settings, language);
    settings.sync();
  };
  TForm1 &mainWindow = program.Main();
  mainWindow.SetPictureStyle(StoredPictureStyle(settings));
  mainWindow.PictureStyleChosen = [&settings](const TPictureStyle &style) {
    KeepPictureStyle(settings, style);
    settings.sync();
  };
  TProject &project = program.Project();

  TRecoveryStore recovery(TRecoveryStore::DefaultFolder());
  TAutosave autosave(
      program.Document(), recovery, [&project] { return CaptureRecoverySnapshot(project); },
      AutosaveInterval());
  // Logout or shutdown: no question that nobody could answer; the work stays in the
  // recovery file and is offered at the next start.
  bool endedBySession = false;
  const TTerminationSignals sessionEnd([&] {
    Guarded([&] {
      endedBySession = true;
      autosave.WriteIfDue();
      autosave.Finish(true);
      program.TerminateUnasked();
    });
  });

  // From the event loop, so that a question or an error box has the shown main window under
  // it.
  const QString startProject = StartProjectName(QApplication::arguments());
  QTimer::singleShot(0, &mainWindow, [&] {
    OfferLeftWork(mainWindow, project, recovery, autosave);
    if (!startProject.isEmpty() && mainWindow.QuerySave())
      OpenStartProject(project, startProject);
  });
  const int result = QApplication::exec();
  autosave.Finish(endedBySession);
  return result;
}
