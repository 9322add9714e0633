#pragma once
// The whole program in a test: the program object with its document and windows built as at
// start-up, the main window shown (so its drawing surface exists), scripted dialogs, a German
// locale and field lines cut after a fixed number of steps, so that pictures do not depend on
// the clock. Every test gets a program of its own, and nothing of it outlives the test.

#include "app/MainWindow.h"
#include "app/Program.h"
#include "model/Background.h"
#include "model/BackgroundRenderer.h"
#include "model/Document.h"
#include "model/PictureTarget.h"
#include "support/FakeClipboard.h"
#include "support/FakeDialogs.h"
#include "widgets/InfoDlg.h"
#include "windows/SettingsWindow.h"
#include "windows/VoltageWindow.h"

#include <QApplication>
#include <QLocale>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

// Readable failures for the voltage window's choices.
inline void PrintTo(const TVoltageChoice &choice, std::ostream *os) {
  *os << "{" << choice.Start << ", " << choice.End << ", " << choice.Value << "}";
}

class ProgramTest : public ::testing::Test {
protected:
  void SetUp() override {
    dialogs = &FakeDialogs::Install();
    previousLocale = QLocale();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    program = std::make_unique<TProgram>();
    Form1 = &program->Main();
    Form1->SetTraceLimits({.StepCap = 3000});
    auto fakeClipboard = std::make_unique<FakeClipboard>();
    clipboard = fakeClipboard.get();
    Form1->SetChargeClipboard(std::move(fakeClipboard));
    Form2 = &program->Settings();
    Form3 = &program->Voltage();
    Info = &program->About();
    Form1->show();
  }
  void TearDown() override {
    Form1 = nullptr;
    Form2 = nullptr;
    Form3 = nullptr;
    Info = nullptr;
    program.reset();
    for (const QWidget *left : QApplication::topLevelWidgets())
      ADD_FAILURE() << "left behind: " << left->metaObject()->className() << " "
                    << left->windowTitle().toStdString();
    QLocale::setDefault(previousLocale);
    FakeDialogs::Restore();
  }

public:
  TDocument &Doc() const { return program->Document(); }
  const TScene &Scene() const { return Doc().Scene(); }
  const TChargeList &Charges() const { return Doc().Charges(); }
  const TPointCharge &Charge(int index) const { return Charges()[index]; }
  TProject &Project() const { return program->Project(); }

  // The document with the scene as it stands, changed by edit: no step of the history, which
  // starts afresh (the windows take it as a loaded project).
  void SetUpScene(const std::function<void(TScene &)> &edit) const {
    TScene scene = Scene();
    edit(scene);
    Doc().Reset(scene);
  }
  // Gives the charge at index the values edit leaves in a copy of it: one step of the history.
  void ChangeCharge(int index, const std::function<void(TPointCharge &)> &edit) const {
    TPointCharge charge = Charge(index);
    edit(charge);
    Doc().ReplaceCharge(index, charge);
  }

  // Mouse on the drawing surface, in its pixels.
  void Press(int x, int y, Qt::MouseButton button = Qt::LeftButton) const {
    QTest::mousePress(Form1->DXDraw, button, {}, QPoint(x, y));
  }
  void Move(int x, int y) const { QTest::mouseMove(Form1->DXDraw, QPoint(x, y)); }
  // A left drag with the keys held, from (x1, y1) to (x2, y2).
  void DragWith(Qt::KeyboardModifiers keys, int x1, int y1, int x2, int y2) const {
    QTest::mousePress(Form1->DXDraw, Qt::LeftButton, keys, QPoint(x1, y1));
    Move((x1 + x2) / 2, (y1 + y2) / 2);
    Move(x2, y2);
    QTest::mouseRelease(Form1->DXDraw, Qt::LeftButton, keys, QPoint(x2, y2));
  }
  void Release(int x, int y, Qt::MouseButton button = Qt::LeftButton) const {
    QTest::mouseRelease(Form1->DXDraw, button, {}, QPoint(x, y));
  }
  // A left click on an empty spot: a new source of one elementary charge centred there.
  // Answers the index of the last charge.
  int Create(int x, int y) const {
    Press(x, y);
    Release(x, y);
    return Charges().Count() - 1;
  }
  // A click, then the charge made a test charge of that value (a step of its own).
  int CreateTestCharge(int x, int y, long double value = kElementaryCharge) const {
    const int index = Create(x, y);
    ChangeCharge(index, [value](TPointCharge &charge) {
      charge.IsTestCharge = true;
      charge.ChargeValue = value;
    });
    return index;
  }

  // The bitmap the frames copy their background from.
  TBitmap &Background() const { return *Form1->BackgroundRenderer()->Background(); }
  // A pixel no drawing of the program puts there; it survives until the background is
  // drawn again, which tells whether (and when) that happened.
  static constexpr TColor kMarker = 0x123456;
  void MarkBackground() const {
    TCanvas &canvas = Background().Canvas();
    canvas.Pen = TPen{kMarker, 0, TPenStyle::psSolid, TPenMode::pmCopy};
    canvas.MoveTo(1, 1);
    canvas.LineTo(2, 1);
  }
  bool BackgroundMarked() const { return FromQRgb(Background().Image().pixel(1, 1)) == kMarker; }
  bool FrameMarked() const {
    return FromQRgb(Form1->DXDraw->PresentedImage().pixel(1, 1)) == kMarker;
  }

  std::unique_ptr<TProgram> program;
  FakeClipboard *clipboard = nullptr; // owned by the main window
  TForm1 *Form1 = nullptr;
  TForm2 *Form2 = nullptr;
  TForm3 *Form3 = nullptr;
  TInfo *Info = nullptr;
  FakeDialogs *dialogs = nullptr;
  QLocale previousLocale;
};
