// Test entry point: one application object per test process on the offscreen platform, so that
// widget tests run headless; pixels per inch fixed at 96,
// backgrounds drawn in the call that asks for them.
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
  TTestApplication app(argc, argv);
  seams::SetPixelsPerInchSource([] { return 96; });
  // Each picture at once; the tests of the worker thread switch it on themselves.
  seams::SetBackgroundOnWorker(false);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
