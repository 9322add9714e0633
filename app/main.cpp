// Program start of Das Kraftbild: Qt's texts in German, the windows in their order, the main
// window shown, a project named on the command line opened, then the event loop until the
// main window is closed.
#include "app/MainWindow.h"
#include "app/Program.h"
#include "app/Startup.h"

#include <QApplication>
#include <QTimer>
#include <QTranslator>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  // Lets a desktop shell match the windows to the installed desktop entry and its icon.
  QApplication::setDesktopFileName(QStringLiteral("de.kraftbild.Kraftbild"));
  const std::unique_ptr<QTranslator> qtTexts = InstallQtGermanTexts();
  CreateProgramWindows();
  // From the event loop, so that an error box has the shown main window under it.
  if (const QString project = StartProjectName(QApplication::arguments()); !project.isEmpty())
    QTimer::singleShot(0, Form1, [project] { OpenStartProject(project); });
  const int result = QApplication::exec();
  DestroyProgramWindows();
  return result;
}
