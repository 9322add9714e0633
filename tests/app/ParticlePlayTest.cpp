// Particles in the main window: placed from the insert menu or by Alt+drag (one step each),
// picked by a click, and played frame by frame on a tick counter the test moves, with the
// data tab's readouts checked against energies written out here.
#include "support/ProgramFixture.h"

#include "app/ParticlePlayer.h"
#include "base/Seams.h"
#include "model/History.h"
#include "model/NumberText.h"
#include "model/PlaybackScale.h"
#include "windows/EnergyPlot.h"

#include <QAction>
#include <QLabel>
#include <QTabWidget>
#include <QTreeWidget>

#include <cmath>

namespace {

constexpr long double kEpsilon0 = 8.854188e-12L; // F/m, as the field model's
constexpr long double kPi = 3.1415926535897932385L;
constexpr long double kElectronVolt = 1.602176634e-19L; // J

::testing::AssertionResult Near(long double actual, long double expected, long double relative) {
  if (std::fabs(actual - expected) <= relative * std::fabs(expected))
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << static_cast<double>(actual) << " is not within " << static_cast<double>(relative)
         << " of " << static_cast<double>(expected);
}

class ParticlePlayTest : public ProgramTest {
protected:
  void SetUp() override {
    ProgramTest::SetUp();
    seams::SetTickSource([this] { return ticks; });
  }
  void TearDown() override {
    seams::SetTickSource({});
    ProgramTest::TearDown();
  }
  TParticlePlayer &Player() const { return Form1->Player(); }
  // Time passes on screen, then the frame timer fires.
  void Frame(uint32_t milliseconds) {
    ticks += milliseconds;
    Player().AdvanceFrame();
  }
  const TParticle &Particle(int index) const {
    return Scene().Particles[static_cast<size_t>(index)];
  }
  QPoint OnScreen(long double x, long double y) const {
    long double px = 0;
    long double py = 0;
    Scene().WorldToScreen({x, y}, px, py);
    return {static_cast<int>(std::lround(px)), static_cast<int>(std::lround(py))};
  }

  uint32_t ticks = 0xFFFFFF00u; // wraps during a test: elapsed time is taken modulo 2^32
};

TEST_F(ParticlePlayTest, InsertMenuAndAltDragPlaceOneParticleEachThatAClickPicks) {
  // "Einfügen > Teilchen > Proton", the mouse elsewhere: at the view's middle, at rest.
  const int steps = Doc().History().Count();
  Form1->MenuItem_InsertParticle[static_cast<int>(TParticleKind::Proton)]->trigger();
  ASSERT_EQ(Scene().Particles.size(), 1u);
  TParticle proton = ParticlePreset(TParticleKind::Proton);
  const TWorldPoint middle =
      Scene().ScreenToWorld(Form1->SurfaceSize().Width / 2, Form1->SurfaceSize().Height / 2);
  proton.X = middle.X;
  proton.Y = middle.Y;
  EXPECT_EQ(Particle(0), proton);
  EXPECT_EQ(Doc().History().Count(), steps + 1);

  // Alt+drag places the kind last chosen: 100 px give the speed a proton gains through
  // 100 V, e U = m v^2 / 2; up on the screen is up in the world.
  DragWith(Qt::AltModifier, 100, 200, 160, 120);
  ASSERT_EQ(Scene().Particles.size(), 2u);
  EXPECT_EQ(Charges().Count(), 0) << "an Alt press makes no charge";
  EXPECT_EQ(Doc().History().Count(), steps + 2);
  const TParticle &dragged = Particle(1);
  EXPECT_EQ(dragged.Kind, TParticleKind::Proton);
  const long double v100 = std::sqrt(2 * kElementaryCharge * 100 / kProtonMass);
  EXPECT_TRUE(Near(dragged.VX, 0.6L * v100, 1e-15L));
  EXPECT_TRUE(Near(dragged.VY, 0.8L * v100, 1e-15L));
  EXPECT_EQ(OnScreen(dragged.X, dragged.Y), QPoint(100, 200));

  Form1->MenuItem_Undo->trigger();
  EXPECT_EQ(Scene().Particles.size(), 1u) << "the drag is one step";

  // A click on the particle picks it and shows its page; it makes no charge.
  Doc().SelectParticle(-1);
  Form2->PageControl->setCurrentIndex(0);
  const QPoint at = OnScreen(proton.X, proton.Y) + QPoint(3, -2);
  Press(at.x(), at.y());
  Release(at.x(), at.y());
  EXPECT_EQ(Scene().SelectedParticle, 0);
  EXPECT_EQ(Form2->PageControl->currentWidget(), Form2->TabSheet_Particle);
  EXPECT_EQ(Charges().Count(), 0);
}

TEST_F(ParticlePlayTest, StartStepPauseAndResetFollowTheScreensTime) {
  Create(300, 260);
  TScene scene = Scene();
  TParticle electron = ParticlePreset(TParticleKind::Electron);
  const TWorldPoint start = Scene().ScreenToWorld(500, 260);
  electron.X = start.X;
  electron.Y = start.Y;
  electron.VY = 1e4L;
  Doc().AddParticle(electron);
  MarkBackground();

  // F5 starts and, while playing, pauses: only one of the two actions is enabled at a time.
  EXPECT_FALSE(Form1->MenuItem_PlayPause->isEnabled());
  Form1->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form1));
  QTest::keyClick(Form1, Qt::Key_F5);
  ASSERT_EQ(Player().Mode(), TParticlePlayer::TMode::Playing);
  const long double scale = PlaybackScale(Scene(), Form1->ViewBounds());
  EXPECT_EQ(Player().Scale(), scale);
  EXPECT_TRUE(Form1->StatusPlay->text().contains(PlaybackScaleText(scale)));
  EXPECT_TRUE(Form1->MenuItem_PlayPause->isEnabled());
  EXPECT_FALSE(Form1->MenuItem_PlayStart->isEnabled());

  Frame(200); // across the counter's wrap
  Frame(300);
  EXPECT_TRUE(Near(Player().Time(), 0.5L * scale, 1e-15L));
  ASSERT_EQ(Player().Flights().size(), 1u);
  EXPECT_EQ(Player().Flights()[0].Now().T, Player().Time());
  EXPECT_TRUE(BackgroundMarked()) << "frames only: the field is not traced while playing";
  // What the frame shows is the flight's trail so far.
  ASSERT_NE(Player().Trails(), nullptr);
  EXPECT_TRUE((*Player().Trails())[0].Started);
  EXPECT_EQ((*Player().Trails())[0].Position.Y, Player().Flights()[0].Now().Y);

  QTest::keyClick(Form1, Qt::Key_F5);
  EXPECT_EQ(Player().Mode(), TParticlePlayer::TMode::Paused);
  Frame(1000);
  EXPECT_TRUE(Near(Player().Time(), 0.5L * scale, 1e-15L)) << "paused";

  const size_t steps = Player().Flights()[0].Track().size();
  Form1->MenuItem_PlayStep->trigger();
  EXPECT_EQ(Player().Mode(), TParticlePlayer::TMode::Paused);
  EXPECT_EQ(Player().Flights()[0].Track().size(), steps + 1);
  EXPECT_GT(Player().Time(), 0.5L * scale);
  EXPECT_EQ(Player().Time(), Player().Flights()[0].Now().T);

  // Playing on goes on from the paused time; the time spent paused does not count.
  const long double stepped = Player().Time();
  Form1->MenuItem_PlayStart->trigger();
  Frame(100);
  EXPECT_TRUE(Near(Player().Time(), stepped + 0.1L * scale, 1e-15L));

  // An edit of the charges puts the play back to the start.
  ChangeCharge(0, [](TPointCharge &charge) { charge.ChargeValue *= 2; });
  EXPECT_EQ(Player().Mode(), TParticlePlayer::TMode::AtStart);
  EXPECT_TRUE(Player().Flights().empty());
  EXPECT_EQ(Player().Time(), 0);
  EXPECT_EQ(Player().Trails(), nullptr) << "pictures show the particles at their starts";
  EXPECT_TRUE(Form1->StatusPlay->text().isEmpty());

  Form1->MenuItem_PlayStart->trigger();
  Frame(16);
  Form1->MenuItem_PlayReset->trigger();
  EXPECT_EQ(Player().Mode(), TParticlePlayer::TMode::AtStart);
  EXPECT_FALSE(Form1->MenuItem_PlayReset->isEnabled());
}

TEST_F(ParticlePlayTest, AFlightIntoASourceEndsWithItsNumberInTheStatusBar) {
  Create(100, 100);
  const int target = Create(300, 260);
  TParticle electron = ParticlePreset(TParticleKind::Electron);
  const TWorldPoint start = Scene().ScreenToWorld(360, 260);
  electron.X = start.X;
  electron.Y = start.Y;
  Doc().AddParticle(electron);
  Form1->MenuItem_PlayStart->trigger();
  for (int frame = 0; frame < 2000 && Player().Mode() == TParticlePlayer::TMode::Playing; ++frame)
    Frame(16);
  ASSERT_EQ(Player().Flights()[0].End(), TFlightEnd::HitCharge);
  EXPECT_EQ(Player().Flights()[0].HitSource(), target);
  EXPECT_EQ(Player().Mode(), TParticlePlayer::TMode::Paused) << "nothing flies any more";
  EXPECT_TRUE(Form1->StatusPlay->text().startsWith(QStringLiteral("Teilchen trifft Ladung 2")));
}

// A particle that starts in the goal has reached it; with more charge than the budget allows,
// the status bar says so.
TEST_F(ParticlePlayTest, TheGoalCountsOnlyWithinTheChargeBudget) {
  Create(100, 100);
  Create(140, 100);
  TParticleSetup setup;
  setup.Goal = {true, -0.01L, -0.01L, 0.01L, 0.01L, 2 * kElementaryCharge};
  Doc().ApplyParticleSetup(setup);
  Doc().AddParticle(ParticlePreset(TParticleKind::Proton));
  Form1->MenuItem_PlayStart->trigger();
  Frame(16);
  ASSERT_EQ(Player().Flights()[0].End(), TFlightEnd::ReachedGoal);
  EXPECT_EQ(Form1->StatusPlay->text().section(QLatin1Char(';'), 0, 0).toStdString(),
            "Teilchen hat das Ziel erreicht");
  Create(180, 100);
  Form1->MenuItem_PlayStart->trigger();
  Frame(16);
  EXPECT_EQ(Form1->StatusPlay->text().section(QLatin1Char(';'), 0, 0).toStdString(),
            "Teilchen hat das Ziel erreicht, aber mit zu viel Ladung (3 e von 2 e)");
}

TEST_F(ParticlePlayTest, ReadoutsAgreeWithEnergiesWrittenOut) {
  const int source = Create(300, 260);
  ChangeCharge(source, [](TPointCharge &charge) { charge.ChargeValue = 1e-12L; });
  TParticle proton = ParticlePreset(TParticleKind::Proton);
  const TWorldPoint start = Scene().ScreenToWorld(450, 200);
  proton.X = start.X;
  proton.Y = start.Y;
  proton.VX = -3e3L;
  Doc().AddParticle(proton);
  Form2->PageControl->setCurrentIndex(1);
  TDataTab &data = *Form2->TabSheet_Data;
  ASSERT_TRUE(data.ListView_Particle->isVisibleTo(Form2)) << "at the start: the start values";

  Form1->MenuItem_PlayStart->trigger();
  for (int frame = 0; frame < 20; ++frame)
    Frame(16);
  const TParticleFlight &flight = Player().Flights()[0];
  ASSERT_EQ(flight.End(), TFlightEnd::Flying);
  const TParticleState now = flight.Now();
  const TWorldPoint at = Scene().ChargeWorldPosition(Charge(source));
  const long double kinetic = kProtonMass * (now.VX * now.VX + now.VY * now.VY) / 2;
  const long double potential =
      kElementaryCharge * 1e-12L / (4 * kPi * kEpsilon0 * std::hypot(now.X - at.X, now.Y - at.Y));
  const long double startKinetic = kProtonMass * 3e3L * 3e3L / 2;
  const long double startPotential =
      kElementaryCharge * 1e-12L /
      (4 * kPi * kEpsilon0 * std::hypot(start.X - at.X, start.Y - at.Y));
  const TEnergySample &last = data.Plot_Energy->Samples().back();
  EXPECT_TRUE(Near(last.Kinetic, kinetic, 1e-6L));
  EXPECT_TRUE(Near(last.Potential, potential, 1e-6L));
  EXPECT_EQ(data.Plot_Energy->Samples().size(), flight.Track().size());
  EXPECT_TRUE(kinetic < startKinetic) << "the proton runs uphill towards the source";

  const auto eV = [](long double joules) { return FormatGeneral(joules / kElectronVolt, 4); };
  EXPECT_EQ(data.ParticleValue(0), FormatGeneral(now.T, 4) + QStringLiteral(" s"));
  EXPECT_TRUE(data.ParticleValue(3).startsWith(eV(kinetic) + QStringLiteral(" eV (")));
  EXPECT_TRUE(data.ParticleValue(4).startsWith(eV(potential) + QStringLiteral(" eV (")));
  EXPECT_TRUE(data.ParticleValue(5).startsWith(eV(kinetic + potential) + QStringLiteral(" eV (")));
  // The drift is the integrator's error: small against the energies at the start.
  const long double drift = (kinetic + potential - startKinetic - startPotential) /
                            std::max(startKinetic, startPotential);
  EXPECT_LT(std::fabs(drift), 1e-6L);

  Doc().SelectParticle(-1);
  EXPECT_FALSE(data.ListView_Particle->isVisibleTo(Form2));
}

} // namespace
