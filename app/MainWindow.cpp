#include "app/MainWindow.h"

#include "app/ChargeClipboard.h"
#include "app/Examples.h"
#include "app/ParticlePlayer.h"
#include "app/PictureStyleWindow.h"
#include "app/ProjectCommands.h"
#include "base/PixelMath.h"
#include "base/ProgramInfo.h"
#include "base/Seams.h"
#include "model/Background.h"
#include "model/BackgroundRenderer.h"
#include "model/DeviceScene.h"
#include "model/Document.h"
#include "model/FieldLine.h"
#include "model/FrameComposer.h"
#include "model/Grid.h"
#include "model/NumberText.h"
#include "model/PointCharge.h"
#include "model/TestChargeFigures.h"
#include "widgets/ErrorGuard.h"
#include "widgets/StartPlacement.h"
#include "widgets/ToolWindows.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QWheelEvent>

#include <cmath>
#include <memory>
#include <utility>

namespace {

constexpr int kSurfaceWidth = 792;  // px at start
constexpr int kSurfaceHeight = 535; // px at start
constexpr int kStatusBarHeight = 19;
constexpr int kResizeDelayMs = 1000;
// A background that takes longer than this shows a busy indicator in the status bar.
constexpr int kProgressDelayMs = 500;

QPoint EventPixel(const QMouseEvent *event) {
  const QPointF p = event->position();
  return {static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

} // namespace

TForm1::TForm1(TDocument &document) : document_(document), clipboard_(SystemChargeClipboard()) {
  // An 8-point window: the about dialog gives it the message font's face at start-up, which
  // the axis labels then use.
  QFont font = this->font();
  font.setPointSize(8);
  setFont(font);

  DXDraw = new TDXDraw(this);
  DXDraw->resize(kSurfaceWidth, kSurfaceHeight);
  DXDraw->DeviceScale = true;
  DXDraw->setMouseTracking(true); // moves without a button show the status text and cursor line
  DXDraw->installEventFilter(this);
  setCentralWidget(DXDraw);
  DXSpriteEngine.SetDXDraw(DXDraw);

  StatusBar = new QStatusBar(this);
  StatusBar->setFixedHeight(kStatusBarHeight);
  setStatusBar(StatusBar);
  // A menu's status tip clears the message as the menu opens: the position comes back.
  connect(StatusBar, &QStatusBar::messageChanged, this, [this](const QString &message) {
    if (message.isEmpty() && !statusText_.isEmpty())
      StatusBar->showMessage(statusText_);
  });

  CreateMenus();
  CreateBackgroundRenderer();

  Timer_Resize = new QTimer(this);
  Timer_Resize->setInterval(kResizeDelayMs);
  Timer_Resize->setSingleShot(true);
  ConnectGuarded(Timer_Resize, &QTimer::timeout, this, [this] { Timer_ResizeTimer(); });
  ConnectDocument();

  setWindowTitle(kApplicationTitle + QStringLiteral("[*]"));
  // The client area holds the drawing surface at its start size above the status bar; on a
  // screen too small for that, the surface gets what is left of it.
  const int bars = menuBar()->sizeHint().height() + kStatusBarHeight;
  const QSize client(kSurfaceWidth, kSurfaceHeight + bars);
  const QMargins frame = FrameMargins(this);
  const QRect fitted = screen() != nullptr
                           ? MainFrameAtStart(client, frame, screen()->availableGeometry())
                           : QRect(QPoint(), client.grownBy(frame));
  resize(fitted.size().shrunkBy(frame));
  // Not laid out before it is shown: the document starts with the surface's size from here.
  DXDraw->resize(width(), height() - bars);
  move(fitted.topLeft());
}

TForm1::~TForm1() {
  // The worker stops before its pictures go.
  renderer_.reset();
}

TSize TForm1::SurfaceSize() const { return {DXDraw->width(), DXDraw->height()}; }

TPictureTarget TForm1::PictureTarget() const {
  return {SurfaceSize(), font().family(), traceLimits_, pictureStyle_};
}

void TForm1::SetPictureStyle(const TPictureStyle &style) {
  if (style == pictureStyle_)
    return;
  pictureStyle_ = style;
  if (pictureStyleWindow_ != nullptr)
    pictureStyleWindow_->ShowStyle(style);
  // Before FormCreate there is no picture yet.
  if (renderer_ != nullptr && renderer_->Background() != nullptr)
    RedrawAll();
}

const TScene &TForm1::DrawnScene() {
  const double ratio = DXDraw->DeviceRatio();
  if (ratio == 1)
    return document_.Scene();
  drawnScene_ = SceneOnDevice(document_.Scene(), ratio);
  return drawnScene_;
}

TSize TForm1::DrawnSize() const {
  if (DXDraw->Initialized())
    return {DXDraw->SurfaceWidth(), DXDraw->SurfaceHeight()};
  const double ratio = DXDraw->DeviceRatio();
  return {static_cast<int>(std::lround(DXDraw->width() * ratio)),
          static_cast<int>(std::lround(DXDraw->height() * ratio))};
}

TPictureTarget TForm1::DrawnTarget() const {
  TPictureTarget target = PictureTarget();
  target.Area = DrawnSize();
  return target;
}

double TForm1::DrawnPixelsPerInch() const {
  return seams::ScreenPixelsPerInch() * DXDraw->DeviceRatio();
}

TPoint TForm1::OnDevice(int x, int y) const {
  const double ratio = DXDraw->DeviceRatio();
  return {pixel::Round(x * ratio), pixel::Round(y * ratio)};
}

void TForm1::MarkTerminated() {
  terminated_ = true;
  emit Terminating();
}

void TForm1::CreateMenus() {
  Datei1 = menuBar()->addMenu(QString());
  MenuItem_New = Datei1->addAction(QString());
  MenuItem_New->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  MenuItem_Open = Datei1->addAction(QString());
  MenuItem_Open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  MenuItem_Save = Datei1->addAction(QString());
  MenuItem_Save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  MenuItem_SaveAs = Datei1->addAction(QString());
  MenuItem_SaveAs->setShortcut(QKeySequence(Qt::SHIFT | Qt::CTRL | Qt::Key_S));
  Datei1->addSeparator();
  MenuItem_End = Datei1->addAction(QString());
  MenuItem_End->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
  // The file commands answer their keys in every window of the program, the tool windows
  // included; one shortcut per action, so each key fires once.
  for (QAction *action : Datei1->actions())
    action->setShortcutContext(Qt::ApplicationShortcut);
  ConnectGuarded(MenuItem_New, &QAction::triggered, this, [this] { MenuItem_NewClick(); });
  ConnectGuarded(MenuItem_Open, &QAction::triggered, this, [this] { MenuItem_OpenClick(); });
  ConnectGuarded(MenuItem_Save, &QAction::triggered, this, [this] { MenuItem_SaveClick(); });
  ConnectGuarded(MenuItem_SaveAs, &QAction::triggered, this, [this] { MenuItem_SaveAsClick(); });
  ConnectGuarded(MenuItem_End, &QAction::triggered, this, [this] { MenuItem_EndClick(); });
  CreatePictureMenu();

  CreateEditMenu();
  CreateViewMenu();
  CreateInsertMenu();
  CreateParticleMenu();

  Beispiele1 = menuBar()->addMenu(QString());
  for (const TExample &example : Examples()) {
    QAction *action = Beispiele1->addAction(QString());
    ConnectGuarded(action, &QAction::triggered, this,
                   [this, resource = example.Resource] { OpenExample(resource); });
  }

  Extras1 = menuBar()->addMenu(QString());
  MenuItem_Potential = Extras1->addAction(QString());
  MenuItem_Potential->setCheckable(true);
  MenuItem_Snap = Extras1->addAction(QString());
  MenuItem_Snap->setCheckable(true);
  MenuItem_LiveLines = Extras1->addAction(QString());
  MenuItem_LiveLines->setCheckable(true);
  MenuItem_LiveLines->setChecked(true);
  Extras1->addSeparator();
  MenuItem_Equipotentials = Extras1->addAction(QString());
  MenuItem_TestChargeLine = Extras1->addAction(QString());
  MenuItem_PotentialMap = Extras1->addAction(QString());
  for (const auto &[action, flag] :
       {std::pair{MenuItem_Equipotentials, &TPotentialOptions::Lines},
        std::pair{MenuItem_TestChargeLine, &TPotentialOptions::TestChargeLine},
        std::pair{MenuItem_PotentialMap, &TPotentialOptions::Map}}) {
    action->setCheckable(true);
    ConnectGuarded(action, &QAction::triggered, this, [this, flag](bool on) {
      TPotentialOptions options = document_.Scene().Potential;
      options.*flag = on;
      document_.ApplyPotential(options);
    });
  }
  MenuItem_ZeroPoints = Extras1->addAction(QString());
  MenuItem_LineArrows = Extras1->addAction(QString());
  MenuItem_ProportionalLines = Extras1->addAction(QString());
  MenuItem_AccurateLines = Extras1->addAction(QString());
  for (const auto &[action, flag] :
       {std::pair{MenuItem_ZeroPoints, &TFieldLineOptions::ZeroPoints},
        std::pair{MenuItem_LineArrows, &TFieldLineOptions::Arrows},
        std::pair{MenuItem_ProportionalLines, &TFieldLineOptions::Proportional},
        std::pair{MenuItem_AccurateLines, &TFieldLineOptions::Accurate}}) {
    action->setCheckable(true);
    ConnectGuarded(action, &QAction::triggered, this, [this, flag](bool on) {
      TFieldLineOptions options = document_.Scene().FieldLines;
      options.*flag = on;
      document_.ApplyFieldLines(options);
    });
  }
  CreateLanguageMenu();
  ConnectGuarded(Extras1, &QMenu::aboutToShow, this, [this] {
    const TPotentialOptions &potential = document_.Scene().Potential;
    MenuItem_Equipotentials->setChecked(potential.Lines);
    MenuItem_TestChargeLine->setChecked(potential.TestChargeLine);
    MenuItem_PotentialMap->setChecked(potential.Map);
    MenuItem_ZeroPoints->setChecked(document_.Scene().FieldLines.ZeroPoints);
    MenuItem_LineArrows->setChecked(document_.Scene().FieldLines.Arrows);
    MenuItem_ProportionalLines->setChecked(document_.Scene().FieldLines.Proportional);
    MenuItem_AccurateLines->setChecked(document_.Scene().FieldLines.Accurate);
  });

  N2 = menuBar()->addMenu(QString());
  MenuItem_Handbook = N2->addAction(QString());
  MenuItem_Handbook->setShortcut(QKeySequence(Qt::Key_F1));
  // From a tool window too, where it opens that window's page.
  MenuItem_Handbook->setShortcutContext(Qt::ApplicationShortcut);
  MenuItem_Info = N2->addAction(QString());
  for (QMenu *menu : {Datei1, Bearbeiten1, Ansicht1, Extras1, N2})
    menu->setToolTipsVisible(true);
  RetranslateUi();
}

void TForm1::CreateEditMenu() {
  Bearbeiten1 = menuBar()->addMenu(QString());
  MenuItem_Undo = Bearbeiten1->addAction(QString());
  MenuItem_Undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  MenuItem_Redo = Bearbeiten1->addAction(QString());
  MenuItem_Redo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  Bearbeiten1->addSeparator();
  MenuItem_InsertCharge = Bearbeiten1->addAction(QString());
  MenuItem_InsertCharge->setShortcut(QKeySequence(Qt::Key_Insert));
  ConnectGuarded(MenuItem_InsertCharge, &QAction::triggered, this, [this] { InsertChargeHere(); });
  // A grab never outlives the step that took its charge.
  ConnectGuarded(MenuItem_Undo, &QAction::triggered, this, [this] {
    ReleaseGrab();
    document_.Undo();
  });
  ConnectGuarded(MenuItem_Redo, &QAction::triggered, this, [this] {
    ReleaseGrab();
    document_.Redo();
  });
  connect(&document_.History(), &THistory::Changed, this, [this] { ShowHistoryTexts(); });
  CreateSelectionMenu();
}

void TForm1::CreateBackgroundRenderer() {
  renderer_ = std::make_unique<TBackgroundRenderer>();
  BusyIndicator = new QProgressBar(StatusBar);
  BusyIndicator->setRange(0, 0); // no figure: it only shows that work goes on
  BusyIndicator->setMaximumWidth(120);
  BusyIndicator->setTextVisible(false);
  BusyIndicator->hide();
  StatusBar->addPermanentWidget(BusyIndicator);
  // Beside the position, not in the message: the message is the position alone.
  StatusHint = new QLabel(StatusBar);
  StatusBar->addPermanentWidget(StatusHint);
  Timer_Progress = new QTimer(this);
  Timer_Progress->setSingleShot(true);
  Timer_Progress->setInterval(kProgressDelayMs);
  connect(Timer_Progress, &QTimer::timeout, BusyIndicator, &QWidget::show);
  connect(renderer_.get(), &TBackgroundRenderer::BusyChanged, this, [this](bool busy) {
    if (busy) {
      if (!Timer_Progress->isActive() && BusyIndicator->isHidden())
        Timer_Progress->start();
    } else {
      Timer_Progress->stop();
      BusyIndicator->hide();
    }
  });
  ConnectGuarded(renderer_.get(), &TBackgroundRenderer::Finished, this, [this] {
    if (const std::exception_ptr error = renderer_->TakeError())
      std::rethrow_exception(error); // reported like the failure of a command
    RenderFrame(true);
  });
}

bool TForm1::BackgroundBusy() const { return renderer_ != nullptr && renderer_->Busy(); }

void TForm1::RequestBackground(bool follow) {
  const TBitmap *background = renderer_->Background();
  if (background == nullptr)
    return;
  const TPictureTarget picture = DrawnTarget();
  if (!seams::BackgroundOnWorker()) {
    const seams::ThreadPixelsPerInch ppi(DrawnPixelsPerInch());
    renderer_->DrawNow(DrawnScene(), picture);
    return;
  }
  const TBackgroundRenderer::TTarget target{
      {background->Width(), background->Height()}, DrawnPixelsPerInch(), picture};
  renderer_->Request(DrawnScene(), target, follow);
}

bool TForm1::LiveLines() const {
  return seams::BackgroundOnWorker() && MenuItem_LiveLines->isChecked();
}

void TForm1::ConnectDocument() {
  // The sprites follow every change of a charge's place before the frame that shows it.
  ConnectGuarded(&document_, &TDocument::ChargeChanged, this, [this](int index) {
    ChargeSprites.FollowOne(DrawnScene(), index);
    // Without live lines, frames during a drag copy the old background and mouse-up draws
    // the new one; with them, each finished picture replaces the last.
    if (index != DragCharge)
      RequestBackground(false);
    else if (LiveLines())
      RequestBackground(true);
    RenderFrame(true);
  });
  ConnectGuarded(&document_, &TDocument::ChargeInserted, this, [this](int index) {
    ChargeSprites.Insert(index);
    ChargeSprites.FollowOne(DrawnScene(), index);
    if (DragCharge >= index)
      ++DragCharge;
  });
  ConnectGuarded(&document_, &TDocument::ChargeRemoved, this, [this](int index) {
    ChargeSprites.Remove(index);
    if (index == DragCharge)
      ReleaseGrab();
    else if (DragCharge > index)
      --DragCharge;
  });
  // Charges brought back lie among the others as before, not on top of them all.
  ConnectGuarded(&document_, &TDocument::ChargesInsertedTogether, this,
                 [this] { ChargeSprites.Rebuild(document_.Scene()); });
  ConnectGuarded(&document_, &TDocument::SeveralChargesChanged, this, [this] {
    ChargeSprites.Follow(document_.Scene());
    // A dragged selection is drawn as a dragged charge is.
    if (DragCharge == -1)
      RequestBackground(false);
    else if (LiveLines())
      RequestBackground(true);
    RenderFrame(true);
  });
  ConnectGuarded(&document_, &TDocument::ChargesChanged, this, [this] { RedrawAll(); });
  ConnectGuarded(&document_, &TDocument::Replaced, this, [this] {
    // No grab outlives the charges; the figures belong to charges that were replaced.
    ReleaseGrab();
    ChargeSprites.Rebuild(DrawnScene());
    renderer_->ForgetFigures();
    RedrawAll();
  });
  // The title's "[*]" shows exactly while the document differs from its file.
  connect(&document_, &TDocument::ModifiedChanged, this, &QWidget::setWindowModified);
  ConnectGuarded(&document_, &TDocument::VoltageChanged, this, [this] { RenderFrame(true); });
  ConnectGuarded(&document_, &TDocument::ViewChanged, this, [this](bool linesMoved) {
    ChargeSprites.Follow(DrawnScene());
    // Frames during a pan copy the old background (or follow it with live lines); mouse-up
    // draws the new one.
    if (linesMoved && PanAnchor.X == -1)
      RequestBackground(false);
    else if (linesMoved && LiveLines())
      RequestBackground(true);
    RenderFrame(true);
  });
  ConnectGuarded(&document_, &TDocument::SelectionChanged, this, [this] {
    // The background holds the line through the selected test charge.
    if (document_.Scene().Potential.TestChargeLine)
      RequestBackground(false);
    // A drag shows its own frames.
    if (DragCharge == -1)
      RenderFrame(true);
  });
}

void TForm1::RedrawAll() {
  RequestBackground(false);
  RenderFrame(true);
}

void TForm1::ReleaseGrab() {
  band_.reset();
  pressedInSelection_ = -1;
  DragCharge = -1;
  DragStarted = false;
  PanAnchor = {-1, -1};
}

void TForm1::SetFileName(const QString &fileName) {
  fileName_ = fileName;
  // "[*]" is Qt's place for the mark of unsaved changes; it is shown only while modified.
  setWindowTitle((fileName.isEmpty() ? kApplicationTitle
                                     : kApplicationTitle + QStringLiteral(" - [") + fileName +
                                           QStringLiteral("]")) +
                 QStringLiteral("[*]"));
}

void TForm1::FormCreate() {
  SetFileName(QString());
  renderer_->SetSize(DrawnSize());
  ReleaseGrab();
  // Draws the background of the empty document.
  document_.New(SurfaceSize());
}

void TForm1::FormShow() {
  surfaceSeen_ = SurfaceSize();
  DXDraw->Initialize();
  RenderFrame(true);
}

void TForm1::RenderFrame(bool present) {
  TDirectDrawSurface *surface = DXDraw->Surface();
  if (surface == nullptr)
    return;
  TDirectDrawSurfaceCanvas &canvas = surface->Canvas();
  const TScene &scene = DrawnScene();
  renderer_->SetFiguresActive(seams::BackgroundOnWorker() && FiguresTooCostlyForFrames(scene));
  // An exported picture leaves the sprites at the scene's logical pixels.
  if (&scene != &document_.Scene())
    ChargeSprites.Follow(scene);
  const seams::ThreadPixelsPerInch ppi(DrawnPixelsPerInch());
  FrameCache.Compose(canvas, {&scene, renderer_->Background(), &ChargeSprites, DrawnTarget(),
                              &renderer_->Figures(), player_->Trails()});
  if (present) {
    canvas.Release();
    DXDraw->Flip();
  }
}

void TForm1::DXDrawMouseDown(Qt::MouseButton button, int x, int y) {
  if (button == Qt::LeftButton && RowDragMouse(TRowDragEvent::Press, x, y))
    return;
  if (button == Qt::LeftButton && ParticleDragMouse(TRowDragEvent::Press, x, y))
    return;
  if (const int particle = button == Qt::LeftButton ? ParticleAt(x, y) : -1; particle != -1) {
    document_.SelectParticle(particle);
    emit ParticleClicked(particle);
    return;
  }
  if (button == Qt::RightButton) {
    document_.BeginGesture();
    PanAnchor = {x, y};
    return;
  }
  if (button != Qt::LeftButton)
    return;
  document_.BeginGesture();

  const TPoint device = OnDevice(x, y);
  int charge = ChargeSprites.ChargeAt(DrawnScene(), device.X, device.Y);
  if (charge != -1 && (mouseModifiers_ & Qt::ShiftModifier)) {
    document_.ToggleSelected(charge);
    return;
  }
  if (charge != -1) {
    // Not grabbed yet, so the new selection is shown at once. A charge of several selected
    // keeps them, so that they can be dragged together.
    if (document_.IsSelected(charge) && document_.SelectedIndices().size() > 1) {
      document_.SelectMany(document_.SelectedIndices(), charge);
      pressedInSelection_ = charge;
    } else {
      document_.Select(charge);
    }
    emit ChargeClicked(charge);
  } else if (mouseModifiers_ & Qt::ControlModifier) {
    band_ = TPoint{x, y};
    return;
  } else {
    charge = document_.CreateCharge(x, y);
    if (MenuItem_Snap->isChecked())
      PlaceAtMouse(charge, x, y);
    DragStarted = true;
  }
  DragCharge = charge;
}

void TForm1::DXDrawMouseMove(int x, int y) {
  const TScene &scene = document_.Scene();
  const TWorldPoint mouse = scene.ScreenToWorld(x, y);
  statusText_ = StatusPositionText(mouse.X, mouse.Y);
  StatusBar->showMessage(statusText_);
  if (RowDragMouse(TRowDragEvent::Move, x, y) || ParticleDragMouse(TRowDragEvent::Move, x, y))
    return;

  if (band_) {
    ShowBandTo(x, y);
    return;
  }
  if (!DragStarted) {
    const TPointCharge *grabbed = scene.Charges.At(DragCharge);
    if (grabbed != nullptr && std::hypot(grabbed->X + kChargeHalfSize - x,
                                         grabbed->Y + kChargeHalfSize - y) > kGrabRadius) {
      DragStarted = true;
    } else if (PanAnchor.X != -1) {
      DragStarted = true;
    } else {
      ShowCursorLineAt(x, y);
      return;
    }
  }

  if (DragCharge == -1) {
    // In 64 bits, saturated: an origin from a file may lie at the ends of the 32-bit range.
    document_.Pan(pixel::Offset(scene.Origin.X, int64_t{x} - PanAnchor.X),
                  pixel::Offset(scene.Origin.Y, int64_t{y} - PanAnchor.Y));
    PanAnchor = {x, y};
  } else {
    PlaceAtMouse(DragCharge, x, y);
  }
}

void TForm1::PlaceAtMouse(int index, int x, int y) {
  const bool snap = MenuItem_Snap->isChecked() && !(mouseModifiers_ & Qt::ShiftModifier);
  const TPixelPoint point =
      snap ? NearestGridPoint(document_.Scene(), x, y)
           : TPixelPoint{static_cast<long double>(x), static_cast<long double>(y)};
  const TPointCharge *charge = document_.Charges().At(index);
  if (charge != nullptr && document_.IsSelected(index) && document_.SelectedIndices().size() > 1) {
    // The others keep their places relative to the grabbed one.
    document_.MoveSelection(point.X - charge->CenterX(), point.Y - charge->CenterY());
  } else {
    document_.PlaceCharge(index, point.X, point.Y);
  }
}

void TForm1::ShowBandTo(int x, int y) {
  TDirectDrawSurface *surface = DXDraw->Surface();
  if (surface == nullptr || !band_)
    return;
  RenderFrame(false);
  TDirectDrawSurfaceCanvas &canvas = surface->Canvas();
  canvas.Pen.Color = 0x000000;
  canvas.Pen.Width = 1;
  canvas.Pen.Style = TPenStyle::psDash;
  canvas.Pen.Mode = TPenMode::pmCopy;
  // The surface has the screen's device pixels.
  const TPoint a = OnDevice(band_->X, band_->Y);
  const TPoint b = OnDevice(x, y);
  const TPoint corners[] = {a, {b.X, a.Y}, b, {a.X, b.Y}, a};
  canvas.Polyline(corners);
  canvas.Pen.Style = TPenStyle::psSolid;
  canvas.Release();
  DXDraw->Flip();
}

void TForm1::SelectInBand(int x, int y) {
  const TPoint from = *std::exchange(band_, std::nullopt);
  const long double left = std::min(from.X, x);
  const long double right = std::max(from.X, x);
  const long double top = std::min(from.Y, y);
  const long double bottom = std::max(from.Y, y);
  std::vector<int> inside;
  if (mouseModifiers_ & Qt::ShiftModifier)
    inside = document_.SelectedIndices();
  const TChargeList &charges = document_.Charges();
  for (int i = 0; i < charges.Count(); ++i) {
    const TPointCharge &charge = charges[i];
    if (charge.CenterX() >= left && charge.CenterX() <= right && charge.CenterY() >= top &&
        charge.CenterY() <= bottom)
      inside.push_back(i);
  }
  document_.SelectMany(std::move(inside), document_.SelectedIndex());
  RenderFrame(true);
}

void TForm1::InsertChargeHere() {
  // A drag, pan or selection rectangle in progress keeps its gesture to itself.
  if (DragCharge != -1 || PanAnchor.X != -1 || band_)
    return;
  const TSize surface = SurfaceSize();
  const QPoint at = mouseOnSurface_.value_or(QPoint(surface.Width / 2, surface.Height / 2));
  document_.BeginGesture();
  const int charge = document_.CreateCharge(at.x(), at.y());
  if (MenuItem_Snap->isChecked()) {
    const TPixelPoint point = NearestGridPoint(document_.Scene(), at.x(), at.y());
    document_.PlaceCharge(charge, point.X, point.Y);
  }
  document_.EndGesture();
  RedrawAll();
}

void TForm1::ShowCursorLineAt(int x, int y) {
  const TScene &scene = document_.Scene();
  if (!scene.ShowCursorLine || scene.Charges.Empty())
    return;
  TDirectDrawSurface *surface = DXDraw->Surface();
  if (surface == nullptr)
    return;
  RenderFrame(false);
  TDirectDrawSurfaceCanvas &canvas = surface->Canvas();
  const TPoint device = OnDevice(x, y);
  const seams::ThreadPixelsPerInch ppi(DrawnPixelsPerInch());
  DrawFieldLine(DrawnScene(), canvas, 0x000000, DrawnTarget(), 0, device.X, device.Y);
  canvas.Release();
  DXDraw->Flip();
}

void TForm1::DXDrawMouseUp(Qt::MouseButton button, int x, int y) {
  if (button == Qt::LeftButton && (RowDragMouse(TRowDragEvent::Release, x, y) ||
                                   ParticleDragMouse(TRowDragEvent::Release, x, y)))
    return;
  document_.EndGesture();
  if (band_) {
    SelectInBand(x, y);
    return;
  }
  if (std::exchange(pressedInSelection_, -1) != -1 && !DragStarted && DragCharge != -1)
    document_.Select(DragCharge);
  if (DragCharge == -1 && PanAnchor.X == -1)
    return;
  PanAnchor = {-1, -1};
  RedrawAll();
  DragCharge = -1;
  DragStarted = false;
}

void TForm1::ShowClickHint(int x, int y) {
  if (PanAnchor.X != -1)
    return;
  const TPoint device = OnDevice(x, y);
  const bool onCharge =
      DragCharge != -1 || ChargeSprites.ChargeAt(DrawnScene(), device.X, device.Y) != -1;
  StatusHint->setText(
      tr("%1; Rechte Taste: Ansicht verschieben")
          .arg(onCharge ? tr("Ziehen: Ladung verschieben") : tr("Klicken: neue Ladung")));
}

void TForm1::FormResize() {
  if (terminated_)
    return;
  renderer_->SetSize({DXDraw->SurfaceWidth() + 1, DXDraw->SurfaceHeight() + 1});
  DXSpriteEngine.Engine()->AttachSurface(DXDraw->Surface());
  const TSize size = SurfaceSize();
  document_.FollowSurface(std::exchange(surfaceSeen_, size), size);
  RenderFrame(true);
  // A running timer is left alone: a series of resizes gets one redraw after the first.
  if (!Timer_Resize->isActive())
    Timer_Resize->start();
}

void TForm1::Timer_ResizeTimer() {
  // Stopped first, so that a failing redraw is not repeated every second.
  Timer_Resize->stop();
  if (terminated_)
    return;
  RedrawAll();
}

void TForm1::MenuItem_EndClick() { close(); }

bool TForm1::eventFilter(QObject *watched, QEvent *event) {
  if (watched != DXDraw)
    return QMainWindow::eventFilter(watched, event);
  if (const auto *mouse = dynamic_cast<QMouseEvent *>(event))
    mouseModifiers_ = mouse->modifiers();
  switch (event->type()) {
  case QEvent::ScreenChangeInternal: // maybe another scale factor: other device pixels
    if (shown_)
      Guarded([this] {
        DXDraw->FollowDeviceRatio();
        FormResize();
      });
    return false;
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonDblClick: { // the second press of a double click comes as this
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint p = EventPixel(mouse);
    Guarded([&] { DXDrawMouseDown(mouse->button(), p.x(), p.y()); });
    return true;
  }
  case QEvent::MouseMove: {
    const QPoint p = EventPixel(static_cast<QMouseEvent *>(event));
    if (DXDraw->rect().contains(p))
      mouseOnSurface_ = p;
    else
      mouseOnSurface_.reset();
    Guarded([&] {
      DXDrawMouseMove(p.x(), p.y());
      ShowClickHint(p.x(), p.y());
    });
    return true;
  }
  case QEvent::Wheel: {
    const auto *wheel = static_cast<QWheelEvent *>(event);
    const QPointF p = wheel->position();
    Guarded([&] {
      DXDrawMouseWheel(wheel->angleDelta().y(), static_cast<int>(std::floor(p.x())),
                       static_cast<int>(std::floor(p.y())));
    });
    return true;
  }
  case QEvent::MouseButtonRelease: {
    const auto *mouse = static_cast<QMouseEvent *>(event);
    const QPoint p = EventPixel(mouse);
    Guarded([&] {
      DXDrawMouseUp(mouse->button(), p.x(), p.y());
      ShowClickHint(p.x(), p.y());
    });
    return true;
  }
  case QEvent::Leave:
    mouseOnSurface_.reset();
    StatusHint->clear();
    return QMainWindow::eventFilter(watched, event);
  default:
    return QMainWindow::eventFilter(watched, event);
  }
}

void TForm1::showEvent(QShowEvent *event) {
  QMainWindow::showEvent(event);
  if (shown_ || event->spontaneous())
    return;
  shown_ = true;
  Guarded([this] { FormShow(); });
}

void TForm1::resizeEvent(QResizeEvent *event) {
  QMainWindow::resizeEvent(event);
  // The layout has already given the drawing surface its new size. Resizes before the
  // first show only lay the window out.
  if (shown_)
    Guarded([this] { FormResize(); });
}

void TForm1::keyPressEvent(QKeyEvent *event) {
  bool used = false;
  Guarded([&] { used = KeyOnSelection(event->key(), event->modifiers()); });
  if (!used)
    QMainWindow::keyPressEvent(event);
}

bool TForm1::KeyOnSelection(int key, Qt::KeyboardModifiers modifiers) {
  const TPointCharge *charge = document_.Selected();
  if (charge == nullptr || DragCharge != -1 || PanAnchor.X != -1 || band_)
    return false;
  const bool several = document_.SelectedIndices().size() > 1;
  if (key == Qt::Key_Delete) {
    if (several)
      document_.DeleteSelection();
    else
      document_.DeleteCharge(document_.SelectedIndex());
    return true;
  }
  int dx = 0;
  int dy = 0;
  switch (key) {
  case Qt::Key_Left:
    dx = -1;
    break;
  case Qt::Key_Right:
    dx = 1;
    break;
  case Qt::Key_Up:
    dy = -1;
    break;
  case Qt::Key_Down:
    dy = 1;
    break;
  default:
    return false;
  }
  const long double step =
      (modifiers & Qt::ShiftModifier) ? TickScale(document_.Scene()).Pixels : 1;
  if (several) {
    document_.MoveSelection(dx * step, dy * step);
    return true;
  }
  document_.PlaceCharge(document_.SelectedIndex(), charge->CenterX() + dx * step,
                        charge->CenterY() + dy * step);
  return true;
}

void TForm1::closeEvent(QCloseEvent *event) {
  // A failing save in the close query keeps the window open, as a cancel does.
  bool canClose = false;
  Guarded([&] { FormCloseQuery(canClose); });
  if (!canClose) {
    event->ignore();
    return;
  }
  event->accept();
  // Qt asks every other window to close once the loop ends.
  MarkTerminated();
  QCoreApplication::quit();
}
