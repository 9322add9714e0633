#pragma once
// The settings and voltage windows around a document of their own, as the program builds
// them on a new project: the settings window shown, the voltage window hidden, scripted
// dialogs and a German locale. What the main window does for these windows (a click on a
// charge, the centre of its surface) the tests do directly.

#include "model/Document.h"
#include "support/FakeDialogs.h"
#include "widgets/ErrorGuard.h"
#include "windows/SettingsWindow.h"
#include "windows/VoltageWindow.h"

#include <QLocale>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

class WindowsTest : public ::testing::Test {
protected:
  // The main window's drawing surface at start, px.
  static constexpr TSize kSurface{792, 535};

  void SetUp() override {
    dialogs = &FakeDialogs::Install();
    previousLocale = QLocale();
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    document.New(kSurface);
    settings = std::make_unique<TForm2>(document);
    voltage = std::make_unique<TForm3>(document);
    // "Zentrieren" centres on the main window's surface, as the program wires it.
    ConnectGuarded(settings.get(), &TForm2::CenterClicked, settings.get(),
                   [this] { document.CenterOn(document.SelectedIndex(), kSurface); });
    settings->show();
  }
  void TearDown() override {
    voltage.reset();
    settings.reset();
    QLocale::setDefault(previousLocale);
    FakeDialogs::Restore();
  }

  const TPointCharge &Charge(int index) const { return document.Charges()[index]; }
  // A new source of one elementary charge centred at (x, y) px, selected, as a click on an
  // empty spot makes it. Answers its index.
  int Create(int x, int y) { return document.CreateCharge(x, y); }
  int CreateTestCharge(int x, int y, long double value = kElementaryCharge) {
    const int index = Create(x, y);
    Change(index, [value](TPointCharge &charge) {
      charge.IsTestCharge = true;
      charge.ChargeValue = value;
    });
    return index;
  }
  // Any values for the charge at index, as one step of the history ("Ladung ändern").
  void Change(int index, const std::function<void(TPointCharge &)> &edit) {
    TPointCharge charge = Charge(index);
    edit(charge);
    document.ReplaceCharge(index, charge);
  }
  // The document's scene with edits that no window makes (a view set up directly), without
  // a step of the history; the windows hear of it as of a loaded project (the settings
  // window shows its charge page, the voltage window hides).
  void Prepare(const std::function<void(TScene &)> &edit) {
    TScene scene = document.Scene();
    edit(scene);
    document.Reset(scene);
  }
  // A left click on the charge in the main window: selected, then offered to the voltage
  // window.
  void ClickCharge(int index) {
    document.Select(index);
    voltage->ChargeClicked(index);
  }

  TDocument document;
  std::unique_ptr<TForm2> settings;
  std::unique_ptr<TForm3> voltage;
  FakeDialogs *dialogs = nullptr;
  QLocale previousLocale;
};
