// Frames from the kept layers against frames composed afresh, pixel for pixel, through a run
// of the changes a user makes: mouse moves, drags of a source and of a test charge, charges
// added and deleted, an undo, a new selection, a pan and a new background.
#include "BackgroundFixture.h"
#include "support/FieldConfigurations.h"

#include "display/Sprite.h"
#include "model/ChargeDrawing.h"
#include "model/ChargeSprites.h"
#include "model/FrameCache.h"
#include "model/FrameComposer.h"
#include "model/ParticleDrawing.h"
#include "model/TestChargeFigures.h"

#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

using TOutcome = TFrameCache::TOutcome;

class FrameCacheTest : public BackgroundFixture {
protected:
  void SetUp() override {
    BackgroundFixture::SetUp();
    engine.VisibleRect = {0, 0, surfaceSize.Width, surfaceSize.Height};
    // The test charges first, so that charges added and deleted later keep their indices,
    // by which their figures are found. Crowded, so that the discs overlap each other and
    // the test charges' lines.
    for (const auto &[x, y] : {std::pair{200, 150}, {520, 330}, {640, 120}}) {
      configurations::Add(scene, x, y, 1e-12L, 0);
      scene.Charges[scene.Charges.Count() - 1].IsTestCharge = true;
    }
    configurations::Random(scene, 600, 0, 7);
    scene.ArrowScale = 2e-6L; // N per metre: force arrows of tens of pixels
    sprites.Rebuild(scene);
    PaintBackground(0);
    TraceFigures();
  }
  // Bands and diagonals, so that a box copied from the wrong place shows.
  void PaintBackground(TColor tint) {
    TCanvas &canvas = background->Canvas();
    for (int y = 0; y < surfaceSize.Height; y += 7) {
      canvas.Brush.SetColor((0x102030u * static_cast<TColor>(y / 7) + tint) & 0xFFFFFFu);
      canvas.FillRect({0, y, surfaceSize.Width, y + 7});
    }
    canvas.Pen = {0x00FFFF, 0, TPenStyle::psSolid, TPenMode::pmCopy};
    for (int x = -600; x < surfaceSize.Width; x += 45) {
      canvas.MoveTo(x, 0);
      canvas.LineTo(x + 600, surfaceSize.Height);
    }
  }
  void TraceFigures() {
    figures.Active = true;
    figures.ByIndex = TraceTestChargeFigures(scene, Target(), nullptr);
  }
  TFrameInputs Inputs() { return {&scene, background.get(), &sprites, Target(), &figures}; }
  static constexpr int kTestCharge = 2;
  void MoveBy(int index, double dx, double dy) {
    scene.Charges[index].X += dx;
    scene.Charges[index].Y += dy;
  }

  TSpriteEngine engine;
  TChargeSprites sprites{engine};
  TTestChargeFigures figures;
};

TEST_F(FrameCacheTest, KeptFramesAreTheFramesComposedAfresh) {
  // The window's surface: it keeps its pixels and pen between frames, and the cursor's line
  // is drawn on it after a frame.
  TBitmap surface(surfaceSize.Width, surfaceSize.Height);
  TCanvas &canvas = surface.Canvas();
  TFrameCache cache(0);
  int removed = -1;
  TPointCharge removedCharge;

  struct Step {
    std::string What;
    std::function<void()> Change;
    std::optional<TOutcome> Expected; // none: either way is right
  };
  const std::vector<Step> steps = {
      {"first frame", [] {}, TOutcome::Composed},
      {"mouse move", [] {}, TOutcome::Copied},
      {"source selected", [&] { scene.Selected = 300; }, TOutcome::Patched},
      {"source dragged", [&] { MoveBy(300, 7, 3); }, TOutcome::Patched},
      {"source dragged a pixel", [&] { MoveBy(300, 1, 0); }, TOutcome::Patched},
      {"source dragged between pixels", [&] { MoveBy(300, 0.5, -0.25); }, TOutcome::Patched},
      {"newest source dragged", [&] { MoveBy(602, -12, 9); }, TOutcome::Patched},
      {"oldest source dragged", [&] { MoveBy(3, 5, 5); }, TOutcome::Patched},
      {"mouse move during a drag", [] {}, TOutcome::Copied},
      {"source dragged off the surface", [&] { MoveBy(300, -2000, 0); }, std::nullopt},
      // Its outline comes with its line, across much of the picture.
      {"test charge selected", [&] { scene.Selected = kTestCharge; }, std::nullopt},
      {"test charge dragged off its figure", [&] { MoveBy(kTestCharge, 9, -4); }, std::nullopt},
      {"test charge dragged", [&] { MoveBy(kTestCharge, 3, 3); }, TOutcome::Patched},
      {"source dragged across a test charge's line", [&] { MoveBy(5, 20, -15); },
       TOutcome::Patched},
      {"source added",
       [&] {
         configurations::Add(scene, 410, 250, -3e-9L, 0);
         sprites.Insert(scene.Charges.Count() - 1);
       },
       TOutcome::Patched},
      {"frame after the add", [] {}, TOutcome::Copied},
      {"source deleted",
       [&] {
         removed = 120;
         removedCharge = scene.Charges[removed];
         scene.Charges.Delete(removed);
         sprites.Remove(removed);
       },
       TOutcome::Patched},
      {"delete undone",
       [&] {
         scene.Charges.Insert(removed, removedCharge);
         sprites.Insert(removed);
       },
       TOutcome::Patched},
      {"selection cleared", [&] { scene.Selected = -1; }, TOutcome::Patched},
      {"figures traced for the new places", [&] { TraceFigures(); }, std::nullopt},
      // A picture with the same background and one new figure, the others kept.
      {"test charge dragged and its figure traced",
       [&] {
         MoveBy(kTestCharge, -6, 2);
         const TTracedFigures before{TFigureField::Of(scene, Target()), figures.ByIndex};
         figures.ByIndex = TraceTestChargeFigures(scene, Target(), nullptr, &before);
       },
       std::nullopt},
      // Every figure new, for the same test charges, on the same background.
      {"a source's value changed and every figure traced again",
       [&] {
         scene.Charges[200].ChargeValue *= 1.5L;
         TraceFigures();
       },
       std::nullopt},
      {"view panned", [&] { scene.ShiftView(scene.Origin.X + 25, scene.Origin.Y - 10); },
       TOutcome::Composed},
      {"background replaced", [&] { PaintBackground(0x050505); }, TOutcome::Composed},
      {"voltage path chosen",
       [&] {
         scene.Voltage = {3, 400, 0};
       },
       TOutcome::Composed},
      {"path's charge dragged", [&] { MoveBy(400, 4, 4); }, TOutcome::Composed},
      {"arrows scaled", [&] { scene.ArrowScale /= 2; }, TOutcome::Composed},
  };

  std::vector<TOutcome> outcomes;
  for (const Step &step : steps) {
    SCOPED_TRACE(step.What);
    step.Change();
    cache.Compose(canvas, Inputs());
    const TOutcome outcome = cache.LastOutcome();
    if (step.Expected) {
      EXPECT_EQ(static_cast<int>(outcome), static_cast<int>(*step.Expected));
    }

    TBitmap fresh(surfaceSize.Width, surfaceSize.Height);
    ComposeFrame(fresh.Canvas(), Inputs());
    ASSERT_TRUE(surface.Image() == fresh.Image());
    EXPECT_EQ(canvas.Pen.Color, fresh.Canvas().Pen.Color);
    EXPECT_EQ(canvas.Pen.Width, fresh.Canvas().Pen.Width);
    EXPECT_EQ(canvas.Pen.Style, fresh.Canvas().Pen.Style);
    EXPECT_EQ(canvas.Brush.Color(), fresh.Canvas().Brush.Color());
    EXPECT_EQ(canvas.Brush.Style, fresh.Canvas().Brush.Style);

    // The cursor's line, with a pen of its own, as after each frame in the window.
    canvas.Pen = {0x00FF00, 3, TPenStyle::psDash, TPenMode::pmCopy};
    canvas.Brush.Style = TBrushStyle::bsClear;
    canvas.MoveTo(10, 10);
    canvas.LineTo(700, 500);
  }
}

// Particles move in every frame of a flight: the kept frame never holds them, so that each
// frame shows the particles it is given and none of an earlier frame.
TEST_F(FrameCacheTest, ParticlesAreDrawnOverEveryFrameAndNeverKept) {
  TBitmap surface(surfaceSize.Width, surfaceSize.Height);
  TCanvas &canvas = surface.Canvas();
  TFrameCache cache(0);
  TParticle proton = ParticlePreset(TParticleKind::Proton);
  proton.X = 0.03L;
  proton.VY = 2e5L;
  TParticle electron = ParticlePreset(TParticleKind::Electron);
  electron.X = -0.05L;
  electron.Y = 0.02L;
  electron.VX = 1e6L;
  scene.Particles = {proton, electron};
  scene.ParticleSetup.Goal = {true, -0.06L, -0.04L, -0.02L, 0.01L, 0};
  scene.ParticleSetup.Note = "Kreisbahn: r = m v / (q B)\nzweite Zeile";
  // Each particle on a circle about the origin, a quarter turn in all.
  std::vector<TParticleTrail> trails(2);
  const auto flownTo = [&](double fraction) {
    for (size_t i = 0; i < trails.size(); ++i) {
      const TParticle &p = scene.Particles[i];
      const long double radius = std::hypot(p.X, p.Y);
      const long double start = std::atan2(p.Y, p.X);
      TParticleTrail &trail = trails[i];
      trail = StartTrail(p);
      trail.Started = true;
      trail.Path.clear();
      for (int k = 0; k <= 40; ++k) {
        const long double a = start + fraction * k / 40 * 1.5707963L;
        trail.Path.push_back({radius * std::cos(a), radius * std::sin(a)});
        if (k % 10 == 0)
          trail.Dots.push_back(trail.Path.back());
      }
      trail.Position = trail.Path.back();
    }
  };

  struct Step {
    std::string What;
    std::function<void()> Change;
    const std::vector<TParticleTrail> *Trails;
    TOutcome Expected;
  };
  const std::vector<Step> steps = {
      {"particles at their start", [] {}, nullptr, TOutcome::Composed},
      {"flown a little", [&] { flownTo(0.3); }, &trails, TOutcome::Copied},
      {"flown on", [&] { flownTo(0.8); }, &trails, TOutcome::Copied},
      {"source dragged during the flight", [&] { MoveBy(300, 7, 3); }, &trails, TOutcome::Patched},
      {"particles, goal and note deleted",
       [&] {
         scene.Particles.clear();
         scene.ParticleSetup = {};
       },
       nullptr, TOutcome::Copied},
  };
  QImage previous;
  for (const Step &step : steps) {
    SCOPED_TRACE(step.What);
    step.Change();
    TFrameInputs inputs = Inputs();
    inputs.Particles = step.Trails;
    cache.Compose(canvas, inputs);
    EXPECT_EQ(static_cast<int>(cache.LastOutcome()), static_cast<int>(step.Expected));
    TBitmap fresh(surfaceSize.Width, surfaceSize.Height);
    ComposeFrame(fresh.Canvas(), inputs);
    ASSERT_TRUE(surface.Image() == fresh.Image());
    EXPECT_EQ(canvas.Pen.Color, fresh.Canvas().Pen.Color);
    EXPECT_EQ(canvas.Brush.Color(), fresh.Canvas().Brush.Color());
    EXPECT_FALSE(surface.Image() == previous) << "the frame shows what changed";
    previous = surface.Image();
  }
}

// Every pixel a charge draws lies in its footprint: the test charges with their figures and
// without, and every 16th source, selected and not.
TEST_F(FrameCacheTest, ChargesDrawOnlyInsideTheirFootprints) {
  scene.Charges[3].X += 0.5; // between pixels
  scene.Charges[19].Y -= 0.25;
  const QImage blank = background->Image();
  TBitmap drawn(surfaceSize.Width, surfaceSize.Height);
  for (int index = 0; index < scene.Charges.Count(); index += index < 3 ? 1 : 16)
    for (const bool selected : {false, true})
      for (const bool withFigure : {true, false}) {
        scene.Selected = selected ? index : -1;
        const TTestChargeFigure *figure =
            withFigure ? figures.Find(index, scene.Charges[index]) : nullptr;
        TTestChargeFigures only;
        only.Active = true;
        only.ByIndex.resize(static_cast<size_t>(scene.Charges.Count()));
        if (figure != nullptr)
          only.ByIndex[static_cast<size_t>(index)] =
              std::make_shared<const TTestChargeFigure>(*figure);
        drawn.Canvas().Draw(0, 0, blank);
        DrawCharge(drawn.Canvas(), scene, index, Target(), &only);
        const TChargeFootprint footprint = ChargeFootprintOf(scene, index, figure);
        int outside = 0;
        for (int y = 0; y < surfaceSize.Height; ++y) {
          const auto *row = reinterpret_cast<const QRgb *>(drawn.Image().constScanLine(y));
          const auto *before = reinterpret_cast<const QRgb *>(blank.constScanLine(y));
          for (int x = 0; x < surfaceSize.Width; ++x)
            if (row[x] != before[x] && !footprint.Overlaps({x, y, x + 1, y + 1}))
              ++outside;
        }
        EXPECT_EQ(outside, 0) << "charge " << index << (selected ? ", selected" : "")
                              << (figure != nullptr ? ", with its figure" : "");
        if (!scene.Charges[index].IsTestCharge && withFigure)
          break;
      }
}

// A test charge drawn in the frame follows every source: such frames are not kept.
TEST_F(FrameCacheTest, FramesWithTracedTestChargesAreComposedEveryTime) {
  TBitmap surface(surfaceSize.Width, surfaceSize.Height);
  TFrameCache cache(0);
  figures.Active = false;
  for (int i = 0; i < 2; ++i) {
    cache.Compose(surface.Canvas(), Inputs());
    EXPECT_EQ(static_cast<int>(cache.LastOutcome()), static_cast<int>(TOutcome::Composed));
  }
  MoveBy(0, 30, 0);
  cache.Compose(surface.Canvas(), Inputs());
  TBitmap fresh(surfaceSize.Width, surfaceSize.Height);
  ComposeFrame(fresh.Canvas(), Inputs());
  EXPECT_TRUE(surface.Image() == fresh.Image());
}

} // namespace
