#include "app/Program.h"

#include "app/Handbook.h"
#include "app/MainWindow.h"
#include "app/ParticlePlayer.h"
#include "app/ProjectCommands.h"
#include "app/TrueSize.h"
#include "model/BackgroundRenderer.h"
#include "model/Document.h"
#include "widgets/Artwork.h"
#include "widgets/ErrorGuard.h"
#include "widgets/HandbookWindow.h"
#include "widgets/InfoDlg.h"
#include "widgets/StartPlacement.h"
#include "widgets/ToolWindows.h"
#include "windows/SettingsWindow.h"
#include "windows/VoltageWindow.h"

#include <QAction>
#include <QApplication>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include <array>
#include <future>
#include <memory>
#include <vector>

void TProgram::ConnectWindows() {
  ConnectGuarded(main_.get(), &TForm1::LanguageChosen, main_.get(),
                 [this](TLanguage language) { SwitchLanguage(language); });
  ConnectGuarded(main_.get(), &TForm1::ChargeClicked, voltage_.get(),
                 [this](int index) { voltage_->ChargeClicked(index); });
  ConnectGuarded(settings_.get(), &TForm2::CenterClicked, main_.get(),
                 [this] { document_->CenterOn(document_->SelectedIndex(), main_->SurfaceSize()); });
  ConnectGuarded(main_.get(), &TForm1::Terminating, settings_.get(),
                 [this] { settings_->AllowClose(); });
  ConnectGuarded(main_->MenuItem_Potential, &QAction::triggered, main_.get(),
                 [this] { voltage_->setVisible(!voltage_->isVisible()); });
  ConnectGuarded(main_->Extras1, &QMenu::aboutToShow, main_.get(),
                 [this] { main_->MenuItem_Potential->setChecked(voltage_->isVisible()); });
  ConnectGuarded(main_->MenuItem_Info, &QAction::triggered, main_.get(), [this] {
    about_->ShowInfo(kApplicationTitle, QStringLiteral("2005"), QApplication::windowIcon());
  });
  ConnectGuarded(main_->MenuItem_Handbook, &QAction::triggered, main_.get(),
                 [this] { ShowHandbook(); });
  ConnectGuarded(main_->MenuItem_Calibrate, &QAction::triggered, main_.get(),
                 [this] { trueSize_->Calibrate(); });
  ConnectGuarded(main_.get(), &TForm1::ParticleClicked, settings_.get(),
                 [this] { settings_->ShowParticlePage(); });
  // The data tab shows the flight of the selected particle; it knows nothing of the play.
  ConnectGuarded(&main_->Player(), &TParticlePlayer::ParticleData, settings_.get(),
                 [this](const TParticleReadout *readout, const std::vector<TEnergySample> &curve) {
                   settings_->TabSheet_Data->ShowParticle(readout, curve);
                 });
}

void TProgram::ShowHandbook() {
  const QWidget *active = QApplication::activeWindow();
  // F1 in the handbook itself keeps its page.
  if (handbook_ != nullptr && active == handbook_.get()) {
    handbook_->ShowPage(handbook_->CurrentPage());
    return;
  }
  const THandbookPage page = active == settings_.get()  ? THandbookPage::Settings
                             : active == voltage_.get() ? THandbookPage::Voltage
                                                        : THandbookPage::Start;
  if (handbook_ == nullptr)
    handbook_ = std::make_unique<THandbookWindow>(HandbookUrl(THandbookPage::Start));
  handbook_->ShowPage(HandbookUrl(page));
}

// The tool windows beside the main window at start: the settings window on the right, the
// voltage window on the left, where the screen has room, else over the main window's edge,
// below its menu bar.
void TProgram::PlaceToolWindows() {
  const QScreen *screen = main_->screen();
  if (screen == nullptr)
    return;
  // Not framed yet: a window's position is its frame's.
  const QMargins mainMargins = FrameMargins(main_.get());
  const QRect mainFrame(main_->pos(), main_->size().grownBy(mainMargins));
  const QRect menuBar(mainFrame.topLeft() + QPoint(mainMargins.left(), mainMargins.top()),
                      QSize(main_->width(), main_->menuBar()->sizeHint().height()));
  // The origin starts at the drawing surface's centre, on the window's vertical centre line.
  const QPoint origin = mainFrame.center();
  const std::array<QWidget *, 2> tools{settings_.get(), voltage_.get()};
  std::vector<QSize> frames;
  for (const QWidget *tool : tools)
    frames.push_back(tool->frameSize().grownBy(FrameMargins(tool)));
  const std::vector<QRect> placed =
      ToolFramesAtStart(mainFrame, menuBar, origin, frames, screen->availableGeometry());
  for (std::size_t i = 0; i < tools.size(); ++i)
    tools[i]->move(placed[i].topLeft());
}

TProgram::TProgram(TLanguage language) {
  // The icon's field lines are traced while the windows are built: a window needs its icon
  // only when it appears.
  std::future<std::vector<QImage>> iconImages = std::async(std::launch::async, KraftbildIconImages);
  // Before any window: each is built in its language.
  SwitchLanguage(language);
  // No display name: Qt would append it to every window title, and the main window's
  // caption must read exactly "Das Kraftbild - [path]".
  QApplication::setApplicationName(kApplicationTitle);

  document_ = std::make_unique<TDocument>();
  main_ = std::make_unique<TForm1>(*document_);
  main_->FormCreate();

  // Children of the main window, but deleted before it.
  settings_ = std::make_unique<TForm2>(*document_);
  settings_->SetSurfaceSource([this] { return main_->SurfaceSize(); });
  MakeToolWindow(settings_.get(), main_.get(), settings_->size());
  voltage_ = std::make_unique<TForm3>(*document_);
  MakeToolWindow(voltage_.get(), main_.get(), voltage_->size());
  project_ = std::make_unique<TProject>(*document_, *main_, *voltage_);
  main_->SetProject(project_.get());
  PlaceToolWindows();
  QApplication::setWindowIcon(KraftbildIcon(iconImages.get()));
  // The main window is mapped first: a window manager keeps the settings window above the
  // main window only if that one is already there when the settings window appears.
  main_->show();
  settings_->show();

  about_ = std::make_unique<TInfo>();
  trueSize_ = std::make_unique<TTrueSize>(*main_, *document_);
  ConnectWindows();
  main_->ShowLanguage(language_.Current());
}

TProgram::~TProgram() {
  trueSize_.reset();
  handbook_.reset();
  about_.reset();
  main_->SetProject(nullptr);
  project_.reset();
  voltage_.reset();
  settings_.reset();
  main_.reset();
  document_.reset();
}

void TProgram::SwitchLanguage(TLanguage language) {
  const QLocale numbers = NumberLocale(language, QLocale(), QLocale::system());
  // The worker formats the picture's numbers with the default locale, which has no lock.
  if (main_ != nullptr && main_->BackgroundRenderer() != nullptr)
    main_->BackgroundRenderer()->WhileIdle([&] { QLocale::setDefault(numbers); });
  else
    QLocale::setDefault(numbers);
  language_.Apply(language);
  // The handbook's pages are files per language: an open handbook shows its page anew.
  if (handbook_ != nullptr) {
    const bool shown = handbook_->isVisible();
    const QUrl page = HandbookPageInProgramLanguage(handbook_->CurrentPage());
    handbook_ = std::make_unique<THandbookWindow>(HandbookUrl(THandbookPage::Start));
    if (shown)
      handbook_->ShowPage(page);
  }
  if (main_ != nullptr)
    main_->ShowLanguage(language);
  if (LanguageSwitched)
    LanguageSwitched(language);
}

void TProgram::TerminateUnasked() {
  main_->MarkTerminated();
  // Unlike quit(), exit() sends no close event that a window could refuse.
  QCoreApplication::exit(0);
}
