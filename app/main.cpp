// Program start of Das Kraftbild: the windows in their order, the main window shown, then
// the event loop until the main window is closed.
#include "app/MainWindow.h"
#include "app/Program.h"

#include <QApplication>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  CreateProgramWindows();
  Form1->show();
  const int result = QApplication::exec();
  DestroyProgramWindows();
  return result;
}
