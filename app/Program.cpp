#include "app/Program.h"

#include "app/MainWindow.h"
#include "model/Document.h"
#include "model/ModelHooks.h"
#include "widgets/Artwork.h"
#include "widgets/ErrorGuard.h"
#include "widgets/InfoDlg.h"
#include "widgets/ToolWindows.h"
#include "windows/SettingsWindow.h"
#include "windows/VoltageWindow.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QScreen>

#include <memory>

TForm1 *Form1 = nullptr;
TForm2 *Form2 = nullptr;
TForm3 *Form3 = nullptr;
TInfo *Info = nullptr;

namespace {

struct TProgramWindows {
  std::unique_ptr<TForm1> Main;
  std::unique_ptr<TForm2> Settings;
  std::unique_ptr<TForm3> Voltage;
  std::unique_ptr<TInfo> About;
};

TProgramWindows &Windows() {
  static TProgramWindows windows;
  return windows;
}

bool terminated = false;

// The model reaches the windows only through these; each reads the globals at call time,
// so a hook asked before its window exists gives the safe answer.
void InstallProgramHooks() {
  TModelHooks hooks;
  hooks.Engine = Form1->DXSpriteEngine.Engine();
  hooks.SurfaceCanvas = []() -> TCanvas * {
    TDirectDrawSurface *surface = Form1 != nullptr ? Form1->DXDraw->Surface() : nullptr;
    return surface != nullptr ? &surface->Canvas() : nullptr;
  };
  hooks.SurfaceSize = [] {
    return Form1 != nullptr ? TSize{Form1->DXDraw->width(), Form1->DXDraw->height()} : TSize{};
  };
  hooks.LabelFontName = [] { return Form1 != nullptr ? Form1->font().family() : QString(); };
  InstallModelHooks(std::move(hooks));
}

// The windows never call each other: what one does for another is wired here.
void ConnectWindows() {
  ConnectGuarded(Form1, &TForm1::ChargeClicked, Form3,
                 [](TPointCharge *charge) { Form3->ChargeClicked(charge); });
  ConnectGuarded(Form3, &TForm3::PathChanged, Form1,
                 [](const TPointCharge *start, const TPointCharge *end) {
                   Form1->SetVoltagePath(start, end);
                 });
  ConnectGuarded(Form1->MenuItem_Potential, &QAction::triggered, Form1,
                 [] { Form3->setVisible(!Form3->isVisible()); });
  ConnectGuarded(Form1->Extras1, &QMenu::aboutToShow, Form1,
                 [] { Form1->MenuItem_Potential->setChecked(Form3->isVisible()); });
  ConnectGuarded(Form1->MenuItem_Info, &QAction::triggered, Form1, [] {
    Info->ShowInfo(kApplicationTitle, QStringLiteral("2005"), QApplication::windowIcon());
  });
}

// The tool windows beside the main window at start: the settings window on the right, the
// voltage window on the left, where the screen has room, else over the main window's edge.
void PlaceToolWindows() {
  const QScreen *screen = Form1->screen();
  if (screen == nullptr)
    return;
  // Not framed yet: a window's position is its frame's.
  const QRect mainFrame(Form1->pos(), Form1->size().grownBy(FrameMargins(Form1)));
  // The origin starts at the drawing surface's centre, on the window's vertical centre line.
  const QPoint origin = mainFrame.center();
  const QRect available = screen->availableGeometry();
  QRect taken;
  for (QWidget *tool : {static_cast<QWidget *>(Form2), static_cast<QWidget *>(Form3)}) {
    const QSize frame = tool->frameSize().grownBy(FrameMargins(tool));
    QRect placed(ToolWindowPosition(mainFrame, origin, frame, available, tool == Form2), frame);
    // Both on one side: the second below the first where the screen has room.
    if (placed.intersects(taken) && taken.bottom() + placed.height() <= available.bottom())
      placed.moveTop(taken.bottom() + 1);
    tool->move(placed.topLeft());
    taken = placed;
  }
}

} // namespace

void CreateProgramWindows() {
  terminated = false;
  // No display name: Qt would append it to every window title, and the main window's
  // caption must read exactly "Das Kraftbild - [path]".
  QApplication::setApplicationName(kApplicationTitle);
  QApplication::setWindowIcon(KraftbildIcon());

  TProgramWindows &w = Windows();
  TDocument &document = TheDocument();
  w.Main = std::make_unique<TForm1>(document);
  Form1 = w.Main.get();
  InstallProgramHooks();
  Form1->FormCreate();

  // Children of the main window, but deleted before it (DestroyProgramWindows).
  w.Settings = std::make_unique<TForm2>(document);
  Form2 = w.Settings.get();
  MakeToolWindow(Form2, Form1, Form2->size());

  w.Voltage = std::make_unique<TForm3>(document);
  Form3 = w.Voltage.get();
  MakeToolWindow(Form3, Form1, Form3->size());
  PlaceToolWindows();
  // The main window is mapped first: a window manager keeps the settings window above the
  // main window only if that one is already there when the settings window appears.
  Form1->show();
  Form2->show();

  w.About = std::make_unique<TInfo>();
  Info = w.About.get();
  ConnectWindows();
}

void DestroyProgramWindows() {
  TProgramWindows &w = Windows();
  Info = nullptr;
  w.About.reset();
  Form3 = nullptr;
  w.Voltage.reset();
  Form2 = nullptr;
  w.Settings.reset();
  // The main window frees the charges, which leave the sprite engine it owns.
  Form1 = nullptr;
  w.Main.reset();
  InstallModelHooks({});
}

bool ApplicationTerminated() { return terminated; }

void TerminateApplication() {
  terminated = true;
  if (Form2 != nullptr)
    Form2->AllowClose();
  QCoreApplication::quit();
}

void TerminateApplicationUnasked() {
  terminated = true;
  if (Form2 != nullptr)
    Form2->AllowClose();
  // Unlike quit(), exit() sends no close event that a window could refuse.
  QCoreApplication::exit(0);
}
