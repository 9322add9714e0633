// The history of view changes: a pan, a zoom (about the origin or another point) or a centring
// taken back and repeated puts every charge on exactly the pixel it had, while the history keeps
// far less than a copy of the positions, and never more than its bound.
#include "DocumentFixture.h"

#include "model/Document.h"
#include "model/Zoom.h"

#include <random>
#include <vector>

namespace {

class ViewHistoryTest : public DocumentTest {
protected:
  // Charges on whole pixels and between them, near the origin and far from it, as clicks,
  // typed metres and earlier zooms leave them.
  void AddSpreadCharges(int count, uint32_t seed) {
    std::mt19937_64 random(seed);
    std::uniform_real_distribution<double> near(-800, 800);
    std::uniform_real_distribution<double> far(-4e7, 4e7);
    for (int i = 0; i < count; ++i) {
      switch (i % 4) {
      case 0:
        AddCharge(std::nearbyint(near(random)), std::nearbyint(near(random)), 1e-19L);
        break;
      case 1:
        AddCharge(near(random), near(random), -1e-19L);
        break;
      case 2:
        AddCharge(far(random), near(random) / 1024, 2e-19L);
        break;
      default:
        AddCharge(near(random) * 1e-9, far(random), -2e-19L);
      }
    }
  }
  TDocument document;
};

TEST_F(ViewHistoryTest, EveryViewChangeIsTakenBackAndRepeatedToTheLastBit) {
  for (uint32_t seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    scene.Charges.Clear();
    AddSpreadCharges(400, seed);
    document.Reset(scene);
    const TScene &now = document.Scene();
    std::mt19937 random(seed);
    std::uniform_int_distribution<int32_t> offset(-5000, 5000);
    std::uniform_int_distribution<int> kind(0, 4);
    std::uniform_int_distribution<int32_t> pivot(-100, 900);
    const std::vector<long double> zooms = {0.5L, 1, 1.5L, 2, 3.7L, 10, 0.013L};
    std::vector<TViewState> states = {document.CaptureView()};
    for (int step = 0; step < 60; ++step) {
      switch (kind(random)) {
      case 0:
        document.Pan(now.Origin.X + offset(random), now.Origin.Y + offset(random));
        break;
      case 1: // a drag: many small pans, one step
        document.BeginGesture();
        for (int i = 0; i < 25; ++i)
          document.Pan(now.Origin.X + offset(random) / 100, now.Origin.Y + offset(random) / 100);
        document.EndGesture();
        break;
      case 2:
        document.CenterOn(static_cast<int>(random() % 400), surfaceSize);
        break;
      case 3: // a wheel notch or a zoom key, about the mouse or the middle
        document.ZoomAbout(ZoomStepFactor(kZoomStepPercents[random() % kZoomStepPercents.size()]),
                           {pivot(random), pivot(random)});
        break;
      default:
        document.ApplyView({now.ArrowScale * 2, zooms[random() % zooms.size()], now.ArrowColor,
                            now.StepLength, now.ShowCursorLine});
      }
      if (document.CaptureView() != states.back())
        states.push_back(document.CaptureView());
    }
    ASSERT_EQ(document.History().Count(), static_cast<int>(states.size()) - 1);
    for (size_t i = states.size() - 1; i > 0; --i) {
      document.Undo();
      ASSERT_EQ(document.CaptureView(), states[i - 1]) << "undo to state " << i - 1;
    }
    for (size_t i = 1; i < states.size(); ++i) {
      document.Redo();
      ASSERT_EQ(document.CaptureView(), states[i]) << "redo to state " << i;
    }
  }
}

// Pans and centrings keep the view and the few positions a shift rounds differently; zooms,
// which rescale every position, are what the bound is for.
TEST_F(ViewHistoryTest, PansKeepFarLessThanACopyAndTheBoundDropsTheOldestSteps) {
  AddSpreadCharges(20000, 7);
  document.Reset(scene);
  const TScene &now = document.Scene();
  const size_t copy = 2 * sizeof(double) * 20000;
  std::mt19937 random(7);
  std::uniform_int_distribution<int32_t> offset(-300, 300);
  for (int i = 0; i < 300; ++i)
    document.Pan(now.Origin.X + offset(random), now.Origin.Y + offset(random));
  EXPECT_LT(document.History().Bytes(), 300 * copy / 8);

  document.MarkSaved();
  document.SetHistoryByteLimit(10 * copy);
  EXPECT_LE(document.History().Bytes(), 10 * copy);
  for (int i = 0; i < 40; ++i)
    document.ApplyView(
        {now.ArrowScale, i % 2 == 0 ? 1.5L : 1, now.ArrowColor, now.StepLength, true});
  EXPECT_LE(document.History().Bytes(), 10 * copy);
  EXPECT_GT(document.History().Count(), 2);
  const TViewState last = document.CaptureView();
  while (document.History().CanUndo())
    document.Undo();
  // The saved state went with the oldest steps: no undo may claim to have reached it.
  EXPECT_TRUE(document.Modified());
  while (document.History().CanRedo())
    document.Redo();
  EXPECT_EQ(document.CaptureView(), last);
  EXPECT_TRUE(document.Modified());
}

} // namespace

namespace {

// Particles live in world metres: pans and zooms leave them, and each change of theirs is one
// step that undo and redo take back and repeat exactly, with the selected particle.
TEST_F(ViewHistoryTest, ParticleChangesAreStepsAndViewChangesLeaveThem) {
  document.Reset(scene);
  TParticle alpha = ParticlePreset(TParticleKind::Alpha);
  alpha.X = 0.01L / 3;
  alpha.VY = -1.5e6L;
  TParticleSetup setup;
  setup.Goal = {true, -0.01L, -0.01L, 0.01L, 0.01L, 0};
  setup.Note = "Ziel";
  using TState = std::tuple<std::vector<TParticle>, TParticleSetup, int>;
  const auto state = [&] {
    const TScene &s = document.Scene();
    return TState{s.Particles, s.ParticleSetup, s.SelectedParticle};
  };
  std::vector<TState> states = {state()};
  const auto changed = [&] {
    ASSERT_NE(state(), states.back());
    states.push_back(state());
  };
  EXPECT_EQ(document.AddParticle(ParticlePreset(TParticleKind::Electron)), 0);
  changed();
  EXPECT_EQ(document.AddParticle(alpha), 1);
  changed();
  document.Pan(document.Scene().Origin.X + 37, document.Scene().Origin.Y - 11);
  document.ZoomAbout(2.5L, {100, 40});
  EXPECT_EQ(document.Scene().Particles, std::get<0>(states.back()));
  alpha.Charge = -alpha.Charge;
  document.ReplaceParticle(1, alpha);
  changed();
  document.ApplyParticleSetup(setup);
  changed();
  document.SelectParticle(0);
  document.DeleteParticle(0);
  changed();
  EXPECT_EQ(document.Scene().SelectedParticle, -1);
  document.ReplaceParticle(5, alpha); // none there: nothing to record
  document.DeleteParticle(-1);
  // Five particle steps and two view steps, undone past the view steps too.
  ASSERT_EQ(document.History().Count(), 7);
  for (size_t i = states.size() - 1; i > 0; --i) {
    document.Undo();
    if (i == 2) { // the zoom and the pan
      document.Undo();
      document.Undo();
    }
    const TState now = state();
    EXPECT_EQ(std::get<0>(now), std::get<0>(states[i - 1])) << "undo to state " << i - 1;
    EXPECT_EQ(std::get<1>(now), std::get<1>(states[i - 1]));
  }
  for (int i = 0; i < 7; ++i)
    document.Redo();
  EXPECT_EQ(state(), states.back());
  document.New(surfaceSize);
  EXPECT_TRUE(document.Scene().Particles.empty());
  EXPECT_EQ(document.Scene().ParticleSetup, TParticleSetup{});
}

} // namespace
