// The main window's particles: "Einfügen > Teilchen", the "Teilchen" menu that plays their
// flights, Alt + left drag to place one with a start velocity, and a click to pick one.
#include "app/MainWindow.h"

#include "app/ParticlePlayer.h"
#include "model/Document.h"
#include "model/PointCharge.h"
#include "widgets/ErrorGuard.h"
#include "windows/ParticleTab.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include <cmath>

namespace {

// Speed (m/s) per px of an Alt+drag for this particle: 100 px give the speed it gains
// through kParticleDragVolts, q U = m v^2 / 2. An uncharged one moves as an electron would.
long double DragSpeedPerPixel(const TParticle &particle) {
  const bool charged = particle.Charge != 0;
  const long double charge = charged ? std::fabs(particle.Charge) : kElementaryCharge;
  const long double mass = charged ? particle.Mass : kElectronMass;
  return std::sqrt(2 * charge * kParticleDragVolts / mass) / 100;
}

// Half-length (px) of the two strokes of the drag arrow's head.
constexpr double kArrowHead = 8;

} // namespace

void TForm1::CreateParticleMenu() {
  MenuInsertParticle = Einfuegen1->addMenu(QString());
  for (int kind = 0; kind < kParticleKindCount; ++kind) {
    MenuItem_InsertParticle[kind] = MenuInsertParticle->addAction(QString());
    ConnectGuarded(MenuItem_InsertParticle[kind], &QAction::triggered, this,
                   [this, kind] { InsertParticleHere(static_cast<TParticleKind>(kind)); });
  }

  player_ = new TParticlePlayer(
      document_, [this] { return ViewBounds(); }, this);
  Teilchen1 = menuBar()->addMenu(QString());
  MenuItem_PlayStart = Teilchen1->addAction(QString());
  MenuItem_PlayPause = Teilchen1->addAction(QString());
  MenuItem_PlayStep = Teilchen1->addAction(QString());
  MenuItem_PlayReset = Teilchen1->addAction(QString());
  Teilchen1->setToolTipsVisible(true);
  // Function keys, so that a focused button or edit never takes them; F5 starts and pauses,
  // the one of the two that is enabled answers it.
  MenuItem_PlayStart->setShortcut(QKeySequence(Qt::Key_F5));
  MenuItem_PlayPause->setShortcut(QKeySequence(Qt::Key_F5));
  MenuItem_PlayStep->setShortcut(QKeySequence(Qt::Key_F6));
  MenuItem_PlayReset->setShortcut(QKeySequence(Qt::Key_F7));
  ConnectGuarded(MenuItem_PlayStart, &QAction::triggered, this, [this] { player_->Start(); });
  ConnectGuarded(MenuItem_PlayPause, &QAction::triggered, this, [this] { player_->Pause(); });
  ConnectGuarded(MenuItem_PlayStep, &QAction::triggered, this, [this] { player_->SingleStep(); });
  ConnectGuarded(MenuItem_PlayReset, &QAction::triggered, this, [this] { player_->Reset(); });
  // The play follows the particles there are: with none, there is nothing to start.
  ConnectGuarded(&document_, &TDocument::ParticlesChanged, this, [this] {
    ShowPlayState();
    RenderFrame(true);
  });
  ConnectGuarded(&document_, &TDocument::Replaced, this, [this] { ShowPlayState(); });

  StatusPlay = new QLabel(StatusBar);
  StatusBar->addPermanentWidget(StatusPlay);
  ConnectGuarded(player_, &TParticlePlayer::ModeChanged, this, [this] {
    // A play from the start has no flight that ended yet.
    if (player_->Mode() != TParticlePlayer::TMode::Paused && player_->Time() == 0)
      flightEndText_.clear();
    ShowPlayState();
  });
  ConnectGuarded(player_, &TParticlePlayer::FlightEnded, this, [this](const QString &text) {
    flightEndText_ = text;
    ShowPlayState();
  });
  // Frames only: the field picture stays as it is while particles fly.
  ConnectGuarded(player_, &TParticlePlayer::Moved, this, [this] { RenderFrame(true); });
  ShowPlayState();
}

void TForm1::RetranslateParticleUi() {
  MenuInsertParticle->setTitle(tr("Teilchen"));
  for (int kind = 0; kind < kParticleKindCount; ++kind)
    MenuItem_InsertParticle[kind]->setText(ParticleKindName(static_cast<TParticleKind>(kind)));
  MenuInsertParticle->menuAction()->setToolTip(
      tr("Ein ruhendes Teilchen an der Maus oder in der Mitte der Ansicht einfügen "
         "(Alt+Ziehen: mit Startgeschwindigkeit)"));
  Teilchen1->setTitle(tr("&Teilchen"));
  MenuItem_PlayStart->setText(tr("&Start"));
  MenuItem_PlayPause->setText(tr("&Pause"));
  MenuItem_PlayStep->setText(tr("&Einzelschritt"));
  MenuItem_PlayReset->setText(tr("&Zurücksetzen"));
  MenuItem_PlayStart->setToolTip(tr("Die Teilchen fliegen lassen (F5)"));
  MenuItem_PlayPause->setToolTip(tr("Den Flug anhalten (F5)"));
  MenuItem_PlayStep->setToolTip(tr("Einen Rechenschritt weiter (F6)"));
  MenuItem_PlayReset->setToolTip(tr("Alle Teilchen an ihren Start zurück (F7)"));
  ShowPlayState();
}

void TForm1::ShowPlayState() {
  const bool any = !document_.Scene().Particles.empty();
  const bool playing = player_->Mode() == TParticlePlayer::TMode::Playing;
  MenuItem_PlayStart->setEnabled(any && !playing);
  MenuItem_PlayPause->setEnabled(playing);
  MenuItem_PlayStep->setEnabled(any);
  MenuItem_PlayReset->setEnabled(player_->Mode() != TParticlePlayer::TMode::AtStart);
  const QString scale = player_->ScaleText();
  StatusPlay->setText(flightEndText_.isEmpty() || scale.isEmpty()
                          ? flightEndText_ + scale
                          : flightEndText_ + QStringLiteral("; ") + scale);
}

TWorldBounds TForm1::ViewBounds() const {
  const TScene &scene = document_.Scene();
  const TSize size = SurfaceSize();
  const TWorldPoint topLeft = scene.ScreenToWorld(0, 0);
  const TWorldPoint bottomRight = scene.ScreenToWorld(size.Width, size.Height);
  return {topLeft.X, bottomRight.Y, bottomRight.X, topLeft.Y};
}

void TForm1::InsertParticleHere(TParticleKind kind) {
  particleKind_ = kind;
  const TSize surface = SurfaceSize();
  const QPoint at = mouseOnSurface_.value_or(QPoint(surface.Width / 2, surface.Height / 2));
  TParticle particle = ParticlePreset(kind);
  const TWorldPoint world = document_.Scene().ScreenToWorld(at.x(), at.y());
  particle.X = world.X;
  particle.Y = world.Y;
  document_.AddParticle(particle);
}

int TForm1::ParticleAt(int x, int y) const {
  const TScene &scene = document_.Scene();
  const std::vector<TParticleFlight> &flights = player_->Flights();
  for (int i = static_cast<int>(scene.Particles.size()) - 1; i >= 0; --i) {
    const auto index = static_cast<size_t>(i);
    TWorldPoint world{scene.Particles[index].X, scene.Particles[index].Y};
    if (index < flights.size())
      world = {flights[index].Now().X, flights[index].Now().Y};
    long double px = 0;
    long double py = 0;
    scene.WorldToScreen(world, px, py);
    if (std::hypot(px - x, py - y) <= kParticlePickRadius)
      return i;
  }
  return -1;
}

bool TForm1::ParticleDragMouse(TRowDragEvent event, int x, int y) {
  switch (event) {
  case TRowDragEvent::Press:
    if (!(mouseModifiers_ & Qt::AltModifier))
      return false;
    particleDrag_ = std::pair{QPoint(x, y), QPoint(x, y)};
    break;
  case TRowDragEvent::Move:
    if (!particleDrag_)
      return false;
    particleDrag_->second = QPoint(x, y);
    break;
  case TRowDragEvent::Release: {
    if (!particleDrag_)
      return false;
    const QPoint from = particleDrag_->first;
    particleDrag_.reset();
    TParticle particle = ParticlePreset(particleKind_);
    const TWorldPoint world = document_.Scene().ScreenToWorld(from.x(), from.y());
    particle.X = world.X;
    particle.Y = world.Y;
    const long double perPixel = DragSpeedPerPixel(particle);
    // Screen y grows downwards, world y upwards.
    particle.VX = (x - from.x()) * perPixel;
    particle.VY = -(y - from.y()) * perPixel;
    document_.AddParticle(particle);
    RenderFrame(true);
    return true;
  }
  }
  // The velocity's arrow on top of the frame until the mouse is released.
  TDirectDrawSurface *surface = DXDraw->Surface();
  if (surface == nullptr)
    return true;
  RenderFrame(false);
  TDirectDrawSurfaceCanvas &canvas = surface->Canvas();
  canvas.Pen.Color = 0x000000;
  canvas.Pen.Width = 0;
  const TPoint from = OnDevice(particleDrag_->first.x(), particleDrag_->first.y());
  const TPoint to = OnDevice(x, y);
  canvas.MoveTo(from.X, from.Y);
  canvas.LineTo(to.X, to.Y);
  const double length = std::hypot(to.X - from.X, to.Y - from.Y);
  if (length > 0) {
    const double ux = (to.X - from.X) / length;
    const double uy = (to.Y - from.Y) / length;
    const double head = kArrowHead * DXDraw->DeviceRatio();
    for (const int side : {-1, 1}) {
      canvas.MoveTo(to.X, to.Y);
      canvas.LineTo(static_cast<int>(std::lround(to.X - head * (ux - side * uy * 0.5))),
                    static_cast<int>(std::lround(to.Y - head * (uy + side * ux * 0.5))));
    }
  }
  canvas.Release();
  DXDraw->Flip();
  return true;
}
