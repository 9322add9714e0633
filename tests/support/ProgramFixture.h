#pragma once
// The whole program in a test: its three windows created as at start-up, the main window
// shown (so its drawing surface exists), scripted dialogs, a German locale and field lines
// cut after a fixed number of steps, so that pictures do not depend on the clock.

#include "app/MainWindow.h"
#include "app/Program.h"
#include "model/Background.h"
#include "model/Document.h"
#include "model/FieldLineTracer.h"
#include "support/FakeDialogs.h"
#include "windows/SettingsWindow.h"
#include "windows/VoltageWindow.h"

#include <QLocale>
#include <QTest>

#include <gtest/gtest.h>

class ProgramTest : public ::testing::Test {
protected:
  void SetUp() override {
    dialogs = &FakeDialogs::Install();
    previousLocale = QLocale();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    SetTraceStepCap(3000);
    ResetDocumentGlobals();
    CreateProgramWindows();
    Form1->show();
  }
  void TearDown() override {
    DestroyProgramWindows();
    ResetDocumentGlobals();
    SetTraceStepCap(0);
    QLocale::setDefault(previousLocale);
    FakeDialogs::Restore();
  }

  // Mouse on the drawing surface, in its pixels.
  static void Press(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mousePress(Form1->DXDraw, button, {}, QPoint(x, y));
  }
  static void Move(int x, int y) { QTest::mouseMove(Form1->DXDraw, QPoint(x, y)); }
  static void Release(int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseRelease(Form1->DXDraw, button, {}, QPoint(x, y));
  }
  // A left click on an empty spot: a new source of one elementary charge centred there.
  static TPointCharge *Create(int x, int y) {
    Press(x, y);
    Release(x, y);
    return Charges[Charges.Count() - 1];
  }
  static TPointCharge *CreateTestCharge(int x, int y, long double value = kElementaryCharge) {
    TPointCharge *charge = Create(x, y);
    charge->IsTestCharge = true;
    charge->ChargeValue = value;
    return charge;
  }

  // A pixel no drawing of the program puts there; it survives until the background is
  // drawn again, which tells whether (and when) that happened.
  static constexpr TColor kMarker = 0x123456;
  static void MarkBackground() {
    TCanvas &canvas = Background->Canvas();
    canvas.Pen = TPen{kMarker, 0, TPenStyle::psSolid, TPenMode::pmCopy};
    canvas.MoveTo(1, 1);
    canvas.LineTo(2, 1);
  }
  static bool BackgroundMarked() { return FromQRgb(Background->Image().pixel(1, 1)) == kMarker; }
  static bool FrameMarked() {
    return FromQRgb(Form1->DXDraw->PresentedImage().pixel(1, 1)) == kMarker;
  }

  FakeDialogs *dialogs = nullptr;
  QLocale previousLocale;
};
