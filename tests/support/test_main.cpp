// Test entry point: one application object per test process on the offscreen platform, so that
// widget tests run headless, with private runtime, data and settings folders; pixels per inch fixed
// at 96, backgrounds drawn in the call that asks for them.
#include "base/Seams.h"

#ifdef KRAFTBILD_TEST_WIDGETS
#include <QApplication>
using TTestApplication = QApplication;
#else
#include <QGuiApplication>
using TTestApplication = QGuiApplication;
#endif
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir runtimeDir;
  qputenv("XDG_RUNTIME_DIR", runtimeDir.path().toUtf8());
  // Recovery files and settings stay in the test's own folders: none from the user's home
  // or from another test process is ever seen, and none is left there.
  QTemporaryDir homeDir;
  for (const char *variable : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"})
    qputenv(variable, (homeDir.path() + u'/' + QString::fromLatin1(variable)).toUtf8());
  TTestApplication app(argc, argv);
  seams::SetPixelsPerInchSource([] { return 96; });
  // Each picture at once; the tests of the worker thread switch it on themselves.
  seams::SetBackgroundOnWorker(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
