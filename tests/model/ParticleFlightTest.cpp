#include "model/ParticleFlight.h"
#include "model/PlaybackScale.h"

#include "model/Scene.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Written out here, independently of the model's constants.
const long double kK = 1 / (4 * 3.14159265358979323846L * 8.854188e-12L);
const long double kE = 1.602177e-19L;
const long double kMe = 9.1093837015e-31L;
const long double kMp = 1.67262192369e-27L;
const long double kPi = 3.14159265358979323846L;

// One micrometre per pixel: a charge's disc has a radius of 10 um, small against orbits of a
// millimetre.
constexpr long double kPixelsPerMetre = 1e6L;

class ParticleFlightTest : public ::testing::Test {
protected:
  ParticleFlightTest() {
    scene.Origin = {400, 300};
    scene.PixelsPerMetre = kPixelsPerMetre;
  }

  // A charge whose centre is at (x, y) m; answers its index.
  int AddCharge(long double x, long double y, long double value, bool testCharge = false) {
    long double px = 0, py = 0;
    scene.WorldToScreen({x, y}, px, py);
    TPointCharge charge;
    charge.X = static_cast<double>(px - kChargeHalfSize);
    charge.Y = static_cast<double>(py - kChargeHalfSize);
    charge.ChargeValue = value;
    charge.IsTestCharge = testCharge;
    scene.Charges.Add(charge);
    return scene.Charges.Count() - 1;
  }

  TParticleFlight Release(long double mass, long double q, long double x, long double y,
                          long double vx, long double vy) {
    TParticle p;
    p.Mass = mass;
    p.Charge = q;
    p.X = x;
    p.Y = y;
    p.VX = vx;
    p.VY = vy;
    scene.Particles = {p};
    return TParticleFlight(scene, 0, view);
  }

  TScene scene;
  TWorldBounds view{-0.05L, -0.05L, 0.05L, 0.05L};
};

long double Radius() { return kChargeHalfSize / kPixelsPerMetre; }

// The invariants of motion about a fixed charge at the origin, U = -kappa / r.
struct TInvariants {
  long double Energy, AngularMomentum, LenzAngle;
};

TInvariants InvariantsOf(const TParticleState &s, long double m, long double kappa) {
  const long double r = std::hypot(s.X, s.Y);
  const long double l = m * (s.X * s.VY - s.Y * s.VX);
  const long double px = m * s.VX, py = m * s.VY;
  // A = p x L - m kappa r / |r|
  const long double ax = py * l - m * kappa * s.X / r;
  const long double ay = -px * l - m * kappa * s.Y / r;
  return {m * (s.VX * s.VX + s.VY * s.VY) / 2 - kappa / r, l, std::atan2(ay, ax)};
}

// An electron about +1 nC: semi-major axis a, eccentricity e, released at the periapsis on
// the +x axis moving towards +y.
struct TOrbit {
  long double A = 1e-3L, Eccentricity = 0.5L;
  long double Mu() const { return kK * kE * 1e-9L / kMe; }
  long double Periapsis() const { return A * (1 - Eccentricity); }
  long double PeriapsisSpeed() const {
    return std::sqrt(Mu() * (1 + Eccentricity) / (A * (1 - Eccentricity)));
  }
  long double Period() const { return 2 * kPi * std::sqrt(kMe * A * A * A / (kK * kE * 1e-9L)); }
};

TEST_F(ParticleFlightTest, EnergyAngularMomentumAndLenzVectorStayOnFlybyAndOrbit) {
  AddCharge(0, 0, 1e-9L);
  const long double kappa = kK * kE * 1e-9L; // the electron is drawn in
  const TOrbit orbit;
  struct Case {
    const char *name;
    long double x, y, vx, vy, until;
  } cases[] = {
      // Aimed 1 mm beside the charge from 20 mm away, on a hyperbola that turns it by nearly
      // a right angle (2 atan(kappa / (m v^2 b)) = 89.3 degrees).
      {"flyby", -0.02L, 1e-3L, 4e7L, 0, 1e-9L},
      {"ten periods", orbit.Periapsis(), 0, 0, orbit.PeriapsisSpeed(), 10 * orbit.Period()},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TParticleFlight flight = Release(kMe, -kE, c.x, c.y, c.vx, c.vy);
    flight.AdvanceTo(c.until);
    ASSERT_EQ(flight.End(), TFlightEnd::Flying);
    const TInvariants start = InvariantsOf(flight.Track().front(), kMe, kappa);
    long double worstEnergy = 0, worstMomentum = 0, worstAngle = 0;
    for (const TParticleState &s : flight.Track()) {
      const TInvariants now = InvariantsOf(s, kMe, kappa);
      worstEnergy = std::max(worstEnergy, std::fabs(now.Energy / start.Energy - 1));
      worstMomentum =
          std::max(worstMomentum, std::fabs(now.AngularMomentum / start.AngularMomentum - 1));
      worstAngle = std::max(worstAngle, std::fabs(now.LenzAngle - start.LenzAngle));
      EXPECT_NEAR(static_cast<double>(flight.TotalEnergy(s) / start.Energy), 1, 1e-8);
    }
    EXPECT_LT(worstEnergy, 1e-8L);
    EXPECT_LT(worstMomentum, 1e-8L);
    EXPECT_LT(worstAngle, 1e-8L);
  }
}

// The first time after `after` at which y crosses zero upwards, from the dense output.
long double NextUpwardCrossing(const TParticleFlight &flight, long double after) {
  const auto &track = flight.Track();
  for (size_t i = 1; i < track.size(); ++i) {
    if (track[i - 1].T < after || !(track[i - 1].Y < 0 && track[i].Y >= 0))
      continue;
    long double low = track[i - 1].T, high = track[i].T;
    for (int n = 0; n < 200 && high - low > 0; ++n) {
      const long double middle = (low + high) / 2;
      (flight.StateAt(middle).Y < 0 ? low : high) = middle;
    }
    return high;
  }
  return -1;
}

TEST_F(ParticleFlightTest, BoundOrbitKeepsKeplersPeriod) {
  AddCharge(0, 0, 1e-9L);
  const TOrbit orbit;
  TParticleFlight flight = Release(kMe, -kE, orbit.Periapsis(), 0, 0, orbit.PeriapsisSpeed());
  flight.AdvanceTo(10.5L * orbit.Period());
  const long double first = NextUpwardCrossing(flight, 0);
  const long double tenth = [&] {
    long double t = 0;
    for (int i = 0; i < 10; ++i)
      t = NextUpwardCrossing(flight, t);
    return t;
  }();
  EXPECT_NEAR(static_cast<double>(first / orbit.Period()), 1, 1e-6);
  EXPECT_NEAR(static_cast<double>(tenth / (10 * orbit.Period())), 1, 1e-6);
}

TEST_F(ParticleFlightTest, HeadOnAgainstALikeChargeTurnsBackWhereTheEnergyIsAllPotential) {
  AddCharge(0, 0, 1e-9L);
  const long double kqQ = kK * kE * 1e-9L;
  const long double x0 = -0.01L, v0 = 1.3e6L;
  TParticleFlight flight = Release(kMp, kE, x0, 0, v0, 0);
  const long double energy = kMp * v0 * v0 / 2 + kqQ / -x0;
  while (flight.End() == TFlightEnd::Flying && flight.Now().VX > 0)
    flight.Step();
  ASSERT_EQ(flight.End(), TFlightEnd::Flying);
  const auto &track = flight.Track();
  long double low = track[track.size() - 2].T, high = track.back().T;
  for (int n = 0; n < 200 && high - low > 0; ++n) {
    const long double middle = (low + high) / 2;
    (flight.StateAt(middle).VX > 0 ? low : high) = middle;
  }
  const long double turn = -flight.StateAt(high).X;
  EXPECT_NEAR(static_cast<double>(turn / (kqQ / energy)), 1, 1e-8);
  EXPECT_GT(turn, 10 * Radius());
  EXPECT_NEAR(static_cast<double>(flight.StateAt(high).Y), 0, 1e-15);
}

TEST_F(ParticleFlightTest, FastParticlesEndOnTheEdgeOfTheDiscTheyReach) {
  // A test charge and a far source around the target, so that the index is the scene's.
  AddCharge(-0.004L, 0, 1e-9L, /*testCharge=*/true);
  const int target = AddCharge(0, 0, 1e-12L);
  AddCharge(0.03L, 0.03L, -1e-12L);
  struct Case {
    const char *name;
    long double y, speed;
  } cases[] = {
      {"head on", 0, 5e7L},
      {"grazing", 0.999L * Radius(), 2e8L},
      {"grazing slowly", 0.9L * Radius(), 1e5L},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TParticleFlight flight = Release(kMe, -kE, -0.01L, c.y, c.speed, 0);
    flight.AdvanceTo(1);
    EXPECT_EQ(flight.End(), TFlightEnd::HitCharge);
    EXPECT_EQ(flight.HitSource(), target);
    for (const TParticleState &s : flight.Track())
      EXPECT_GE(std::hypot(s.X, s.Y), Radius());
    EXPECT_NEAR(static_cast<double>(std::hypot(flight.Now().X, flight.Now().Y) / Radius()), 1,
                1e-12);
  }
}

TEST_F(ParticleFlightTest, FromRestAnElectronFallsOntoTheDiscInTheFreeFallTime) {
  AddCharge(0, 0, 1e-9L);
  const long double r0 = 1e-3L, mu = kK * kE * 1e-9L / kMe;
  TParticleFlight flight = Release(kMe, -kE, 0, r0, 0, 0);
  flight.AdvanceTo(1);
  ASSERT_EQ(flight.End(), TFlightEnd::HitCharge);
  // Radial Kepler fall from rest at r0 to r = x r0.
  const long double x = Radius() / r0;
  const long double fallTime =
      std::sqrt(r0 * r0 * r0 / (2 * mu)) * (std::sqrt(x * (1 - x)) + std::acos(std::sqrt(x)));
  const long double speed = std::sqrt(2 * mu * (1 / Radius() - 1 / r0));
  EXPECT_NEAR(static_cast<double>(flight.Now().T / fallTime), 1, 1e-8);
  EXPECT_NEAR(static_cast<double>(-flight.Now().VY / speed), 1, 1e-8);
  EXPECT_NEAR(static_cast<double>(flight.Now().X), 0, 1e-18);
}

TEST_F(ParticleFlightTest, FlightsEndWhereTheyLeaveTheViewReachTheGoalOrStart) {
  scene.ParticleSetup.Goal = {true, 0.02L, -0.01L, 0.03L, 0.01L, 0};
  AddCharge(-0.04L, 0.04L, 1e-12L);
  struct Case {
    const char *name;
    long double x, y, vx, vy;
    TFlightEnd end;
    long double endX; // m, where the flight ends along x, NAN: not checked
  } cases[] = {
      {"into the goal", 0, 0, 1e5L, 0, TFlightEnd::ReachedGoal, 0.02L},
      {"over the goal", 0, 0.02L, 1e5L, 0, TFlightEnd::LeftView, NAN},
      {"away to the right", 0, -0.02L, 1e5L, 0, TFlightEnd::LeftView, NAN},
      {"starting in the goal", 0.025L, 0, 0, 0, TFlightEnd::ReachedGoal, 0.025L},
      {"starting on a disc", -0.04L + 0.5L * Radius(), 0.04L, 1e6, 0, TFlightEnd::HitCharge,
       -0.04L + 0.5L * Radius()},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    TParticleFlight flight = Release(kMp, kE, c.x, c.y, c.vx, c.vy);
    flight.AdvanceTo(1);
    EXPECT_EQ(flight.End(), c.end);
    if (!std::isnan(c.endX)) {
      EXPECT_NEAR(static_cast<double>(flight.Now().X), static_cast<double>(c.endX), 1e-12);
    }
    if (c.end == TFlightEnd::LeftView) {
      const TParticleState &last = flight.Now();
      EXPECT_TRUE(last.X > 1.05L || last.X < -1.05L || last.Y > 1.05L || last.Y < -1.05L);
      const TParticleState &before = flight.Track()[flight.Track().size() - 2];
      EXPECT_TRUE(std::fabs(before.X) <= 1.05L && std::fabs(before.Y) <= 1.05L);
    }
  }
}

TEST_F(ParticleFlightTest, DenseOutputAgreesWithAFlightCutExactlyThere) {
  AddCharge(0, 0, 1e-9L);
  const TOrbit orbit;
  TParticleFlight stepped = Release(kMe, -kE, orbit.Periapsis(), 0, 0, orbit.PeriapsisSpeed());
  for (int i = 0; i < 60; ++i)
    stepped.Step();
  const auto &track = stepped.Track();
  for (size_t i : {5u, 23u, 47u}) {
    const long double t = track[i].T + (track[i + 1].T - track[i].T) / 3;
    TParticleFlight cut = Release(kMe, -kE, orbit.Periapsis(), 0, 0, orbit.PeriapsisSpeed());
    // A bound on the steps holds the flight short of t, and the rest brings it there.
    ASSERT_FALSE(cut.AdvanceTo(t, 2));
    EXPECT_EQ(cut.Track().size(), 3u);
    ASSERT_TRUE(cut.AdvanceTo(t));
    ASSERT_EQ(cut.Now().T, t);
    const TParticleState dense = stepped.StateAt(t);
    EXPECT_EQ(dense.T, t);
    EXPECT_NEAR(
        static_cast<double>(std::hypot(dense.X - cut.Now().X, dense.Y - cut.Now().Y) / orbit.A), 0,
        1e-9);
    EXPECT_NEAR(static_cast<double>(std::hypot(dense.VX - cut.Now().VX, dense.VY - cut.Now().VY) /
                                    orbit.PeriapsisSpeed()),
                0, 1e-9);
    // At a step's end the dense output is that step's end.
    const TParticleState end = stepped.StateAt(track[i + 1].T - 1e-30L);
    EXPECT_NEAR(static_cast<double>((end.X - track[i + 1].X) / orbit.A), 0, 1e-15);
  }
}

TEST_F(ParticleFlightTest, PlaybackLetsTheFastestParticleCrossTheViewInAFewSeconds) {
  view = {-0.1L, -0.1L, 0.1L, 0.1L};
  EXPECT_EQ(PlaybackScale(scene, view), 1);
  TParticle moving;
  moving.Mass = kMe;
  moving.Charge = -kE;
  moving.VX = 1e7L; // 0.2 m / (3 * 1e7 m/s) = 6.7 ns
  scene.Particles = {moving};
  EXPECT_NEAR(static_cast<double>(PlaybackScale(scene, view) / 5e-9L), 1, 1e-12);
  // At rest at the right edge, with +10 nC 0.05 m left of the view: the largest drop is to
  // the nearest point of the left edge.
  AddCharge(-0.15L, 0, 1e-8L);
  TParticle resting = moving;
  resting.VX = 0;
  resting.X = 0.1L;
  scene.Particles = {resting};
  const long double drop = kK * 1e-8L * (1 / 0.05L - 1 / 0.25L);
  const long double speed = std::sqrt(2 * kE * drop / kMe); // 2.2e7 m/s: 3.0 ns
  ASSERT_GT(0.2L / (3 * speed), 2e-9L);
  ASSERT_LT(0.2L / (3 * speed), 5e-9L);
  EXPECT_NEAR(static_cast<double>(PlaybackScale(scene, view) / 2e-9L), 1, 1e-12);
}

TEST(PlaybackScaleText, NamesTheSimulatedTimeOfOneSecond) {
  const QLocale saved;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  const struct {
    long double scale;
    const char *text;
  } cases[] = {
      {2e-9L, "1 s ≙ 2 ns"},  {5e-6L, "1 s ≙ 5 µs"},     {1, "1 s ≙ 1 s"},
      {0.2L, "1 s ≙ 200 ms"}, {20, "1 s ≙ 20 s"},        {1e-12L, "1 s ≙ 1 ps"},
      {1e-15L, "1 s ≙ 1 fs"}, {5e-17L, "1 s ≙ 0,05 fs"}, {1e-3L, "1 s ≙ 1 ms"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(PlaybackScaleText(c.scale).toStdString(), c.text) << static_cast<double>(c.scale);
  QLocale::setDefault(saved);
}

} // namespace
