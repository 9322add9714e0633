// kraftbild-render: draws the frame the main window shows right after opening a project
// file, without any window.
#include "RenderOptions.h"
#include "Renderer.h"

#include "base/Errors.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <new>

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir runtimeDir;
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
    qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toUtf8());
  QGuiApplication app(argc, argv);

  TRenderOptions options;
  QString problem;
  if (!ParseRenderOptions(QCoreApplication::arguments(), options, problem)) {
    std::fprintf(stderr, "%s\n%s", qPrintable(problem), qPrintable(RenderUsage()));
    return 2;
  }
  try {
    TRenderer renderer(options);
    return renderer.Run();
  } catch (const EKraftbildError &error) {
    std::fprintf(stderr, "%s\n", ErrorBoxText(error.Message()).toUtf8().constData());
    return 1;
  } catch (const std::bad_alloc &) {
    std::fprintf(stderr, "Zu wenig Arbeitsspeicher.\n");
    return 1;
  }
}
