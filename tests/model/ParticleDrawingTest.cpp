// Particles in pictures: their start with the start velocity before the release, the trail
// with its dots after it, the goal and the note, on pixels and in the vector picture.
#include "BackgroundFixture.h"
#include "support/PixelTesting.h"
#include "support/VectorPictures.h"

#include "display/Sprite.h"
#include "model/ChargeDrawing.h"
#include "model/ChargeSprites.h"
#include "model/FrameComposer.h"
#include "model/ParticleDrawing.h"
#include "model/ParticleFlight.h"
#include "model/PictureExport.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <cmath>
#include <map>

namespace {

class ParticleDrawingTest : public BackgroundFixture {
protected:
  // The centre pixel of a world point (m).
  QPoint Pixel(long double x, long double y) const {
    long double px = 0;
    long double py = 0;
    scene.WorldToScreen({x, y}, px, py);
    return {static_cast<int>(std::lrint(px)), static_cast<int>(std::lrint(py))};
  }
  QImage Frame(const std::vector<TParticleTrail> *trails) {
    TBitmap frame(surfaceSize.Width, surfaceSize.Height);
    frame.Canvas().Brush.SetColor(0xFFFFFF);
    frame.Canvas().FillRect({0, 0, surfaceSize.Width, surfaceSize.Height});
    frame.Canvas().Brush.SetColor(0x00FFFF); // as a charge may leave it
    TFrameInputs inputs{&scene, nullptr, nullptr, Target(), nullptr};
    inputs.Particles = trails;
    ComposeFrame(frame.Canvas(), inputs);
    return frame.Image();
  }
  TParticle Particle(TParticleKind kind, long double x, long double y, long double vx,
                     long double vy) {
    TParticle p = ParticlePreset(kind);
    p.X = x;
    p.Y = y;
    p.VX = vx;
    p.VY = vy;
    if (kind == TParticleKind::Free)
      p.Charge = 0;
    return p;
  }
};

// Before the release each particle is a disc in its charge's colour at its start, and the
// fastest one's arrow is 60 px long; a slower one's in proportion, one at rest has none.
TEST_F(ParticleDrawingTest, ParticlesNotReleasedShowTheirStartAndStartVelocity) {
  scene.Particles = {Particle(TParticleKind::Proton, 0.02L, 0.01L, 4e5L, 0),
                     Particle(TParticleKind::Electron, -0.03L, 0, 0, 2e5L),
                     Particle(TParticleKind::Free, 0.01L, -0.04L, 0, 0)};
  scene.ParticleSetup.Goal = {true, 0.04L, 0.02L, 0.07L, 0.05L, 0};
  // A trail list shorter than the scene's list leaves the rest at their start.
  const std::vector<TParticleTrail> none;
  for (const std::vector<TParticleTrail> *trails : {&none, static_cast<decltype(&none)>(nullptr)}) {
    const QImage image = Frame(trails);
    // The goal's top edge: dashes, with the picture showing through their gaps.
    std::map<TColor, int> edge;
    const QPoint goalLeft = Pixel(0.04L, 0.05L);
    const QPoint goalRight = Pixel(0.07L, 0.05L);
    for (int x = goalLeft.x(); x < goalRight.x(); ++x)
      ++edge[PixelAt(image, x, goalLeft.y()).Value];
    EXPECT_EQ(edge.size(), 2u);
    EXPECT_GT(edge[kGoalColor], 2 * edge[0xFFFFFF]);
    EXPECT_GT(edge[0xFFFFFF], 0);
    struct Case {
      int Index;
      TColor Fill;
      int Dx, Dy; // px from the centre to the arrow's end
    };
    for (const Case &c : {Case{0, kPositiveFill, 60, 0}, Case{1, kNegativeFill, 0, -30},
                          Case{2, kNeutralFill, 0, 0}}) {
      SCOPED_TRACE(c.Index);
      const TParticle &p = scene.Particles[static_cast<size_t>(c.Index)];
      const QPoint centre = Pixel(p.X, p.Y);
      EXPECT_EQ(PixelAt(image, centre.x() - 2, centre.y() + 2), Rgb{c.Fill});
      EXPECT_EQ(PixelAt(image, centre.x() - kParticleRadius, centre.y()), Rgb{kParticleOutline});
      const Rgb arrow{ParticleTrailColor(c.Index)};
      if (c.Dx == 0 && c.Dy == 0) {
        EXPECT_EQ(CountColor(image, ParticleTrailColor(c.Index)), 0);
        continue;
      }
      // Along the shaft, out to a pixel short of the tip, and nothing beyond it.
      const QPoint along(c.Dx == 0 ? 0 : 1, c.Dy == 0 ? 0 : -1);
      for (const int step : {kParticleRadius + 2, std::abs(c.Dx + c.Dy) - 1})
        EXPECT_EQ(PixelAt(image, centre.x() + along.x() * step, centre.y() + along.y() * step),
                  arrow)
            << step;
      const int beyond = std::abs(c.Dx + c.Dy) + 2;
      EXPECT_EQ(PixelAt(image, centre.x() + along.x() * beyond, centre.y() + along.y() * beyond),
                Rgb{0xFFFFFF});
    }
  }
}

// The vector picture keeps the trail's points between pixels as one path, the goal as a
// green outline and the note as text.
TEST_F(ParticleDrawingTest, SvgHoldsTheTrailGoalAndNote) {
  AddCharge(396, 267, 1e-9L);
  scene.Particles = {Particle(TParticleKind::Alpha, -0.05L, 0.01L, 1e6L, 0)};
  scene.ParticleSetup.Goal = {true, 0.04L, 0.02L, 0.07L, 0.05L, 0};
  scene.ParticleSetup.Note = "Rutherford: tan(θ/2) = k q Q / (m v² b)\nb = 1 cm";
  TParticleTrail trail = StartTrail(scene.Particles[0]);
  trail.Started = true;
  for (int k = 0; k <= 50; ++k) {
    const long double x = -0.05L + 0.002L * k;
    trail.Path.push_back({x, 0.01L + 0.3L * x * x});
  }
  trail.Dots = {trail.Path[0], trail.Path[25], trail.Path[50]};
  trail.Position = trail.Path.back();
  const std::vector<TParticleTrail> trails{trail};

  TSpriteEngine engine;
  engine.VisibleRect = {0, 0, surfaceSize.Width, surfaceSize.Height};
  TChargeSprites sprites(engine);
  sprites.Rebuild(scene);
  TPicture picture{&scene, &sprites, Target(), false};
  picture.Particles = &trails;
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("bahn.svg"));
  WritePicture(picture, path, TPictureFormat::Svg);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  const SvgPicture svg = ParseSvg(bytes);

  const auto strokeOf = [](TColor c) { return QColor::fromRgb(ToQRgb(c)).name(); };
  std::vector<QPointF> drawn;
  int goalPaths = 0;
  for (const SvgShape &shape : svg.Shapes) {
    if (shape.Kind != u"path")
      continue;
    goalPaths += shape.Stroke == strokeOf(kGoalColor);
    if (shape.Stroke != strokeOf(ParticleTrailColor(0)))
      continue;
    static const QRegularExpression pair(QStringLiteral("(-?[0-9.]+)[ ,](-?[0-9.]+)"));
    for (const QRegularExpressionMatch &m : pair.globalMatch(shape.Path))
      drawn.emplace_back(m.captured(1).toDouble(), m.captured(2).toDouble());
  }
  EXPECT_GE(goalPaths, 1);
  // Every point of the trail, at its place between pixels (pixel centres at +0.5).
  ASSERT_GE(drawn.size(), trail.Path.size());
  for (const TWorldPoint &w : trail.Path) {
    long double px = 0;
    long double py = 0;
    scene.WorldToScreen(w, px, py);
    const QPointF want(static_cast<double>(px) + 0.5, static_cast<double>(py) + 0.5);
    EXPECT_TRUE(std::any_of(
        drawn.begin(), drawn.end(),
        [&](const QPointF &p) { return std::hypot(p.x() - want.x(), p.y() - want.y()) < 0.01; }))
        << want.x() << ", " << want.y();
  }
  // A line of text may be cut into runs by script.
  QString text;
  QXmlStreamReader xml(bytes);
  while (!xml.atEnd())
    if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"text")
      text += xml.readElementText();
  EXPECT_TRUE(text.contains(QStringLiteral("Rutherford: tan(θ/2) = k q Q / (m v² b)b = 1 cm")))
      << text.toStdString();
}

// An electron on an ellipse about +1 nC, cut between two of the integrator's steps: the trail
// holds every step's place, pieces of at most two pixels between them, a dot every interval
// where the flight was then, and ends where the flight is at that time. The picture shows
// the trail through every step's place.
TEST_F(ParticleDrawingTest, TrailFollowsTheFlightsStepsInShortPieces) {
  AddCharge(396, 267, 1e-9L);
  scene.Particles = {Particle(TParticleKind::Electron, 0.02L, 0, 0, 1.1e7L)};
  const TWorldBounds view{-0.1L, -0.07L, 0.1L, 0.07L};
  TParticleFlight flight(scene, 0, view);
  flight.AdvanceTo(2e-8L);
  ASSERT_EQ(flight.End(), TFlightEnd::Flying);
  const std::vector<TParticleState> &track = flight.Track();
  ASSERT_GT(track.size(), 10u);
  const long double upTo = (track[track.size() - 4].T + track[track.size() - 3].T) / 2;
  const long double interval = 1e-9L;
  const TParticleTrail trail = TrailOf(flight, scene, 0, upTo, interval);
  // Extended frame by frame, within steps and across them, it is the same trail.
  TParticleTrail extended;
  for (const long double part : {0.0L, 0.1L, 0.1L, 0.37L, 0.5L, 0.99L, 1.0L}) {
    ExtendTrail(extended, flight, scene, 0, upTo * part, interval);
    EXPECT_EQ(extended.Started, part > 0);
  }
  EXPECT_TRUE(extended.Path == trail.Path && extended.Dots == trail.Dots);
  EXPECT_EQ(extended.WholeSteps, trail.WholeSteps);

  ASSERT_TRUE(trail.Started);
  EXPECT_EQ(trail.Charge, flight.Charge());
  const auto same = [](const TWorldPoint &a, const TParticleState &b) {
    return a.X == b.X && a.Y == b.Y;
  };
  const TParticleState now = flight.StateAt(upTo);
  EXPECT_TRUE(same(trail.Position, now));
  EXPECT_TRUE(same(trail.Path.back(), now));
  size_t at = 0; // the steps' places in order, among the trail's
  for (const TParticleState &step : track) {
    if (step.T > upTo)
      break;
    while (at < trail.Path.size() && !same(trail.Path[at], step))
      ++at;
    ASSERT_LT(at, trail.Path.size()) << "the step at " << static_cast<double>(step.T);
  }
  for (size_t i = 1; i < trail.Path.size(); ++i) {
    const long double chord =
        std::hypot(trail.Path[i].X - trail.Path[i - 1].X, trail.Path[i].Y - trail.Path[i - 1].Y);
    ASSERT_LE(chord * scene.PixelsPerMetre, 2.05L) << i;
  }
  ASSERT_EQ(trail.Dots.size(), static_cast<size_t>(std::floor(upTo / interval)) + 1);
  for (size_t k = 0; k < trail.Dots.size(); ++k)
    EXPECT_TRUE(same(trail.Dots[k], flight.StateAt(interval * static_cast<long double>(k)))) << k;

  const std::vector<TParticleTrail> trails{trail};
  const QImage image = Frame(&trails);
  const Rgb color{ParticleTrailColor(0)};
  const QPoint end = Pixel(now.X, now.Y);
  for (const TParticleState &step : track) {
    if (step.T > upTo)
      break;
    const QPoint p = Pixel(step.X, step.Y);
    if (std::hypot(p.x() - end.x(), p.y() - end.y()) <= kParticleRadius + 1)
      continue; // under the disc
    bool found = false;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        found = found || PixelAt(image, p.x() + dx, p.y() + dy) == color;
    EXPECT_TRUE(found) << p.x() << ", " << p.y();
  }
  EXPECT_EQ(PixelAt(image, end.x(), end.y()), Rgb{kNegativeFill});
}

} // namespace
