// The background drawn with the fast tracer on all cores must be pixel for pixel the one the
// literal algorithm draws, with a step cap in place of the clock. (The force sum's builds
// give the same bits: VectorSumTest.)
#include "model/Background.h"

#include "DocumentFixture.h"
#include "support/FieldConfigurations.h"

namespace {

struct Case {
  char configuration;
  unsigned seed;
  uint32_t step;
  uint64_t cap;
};

class BackgroundRegression : public DocumentTest, public ::testing::WithParamInterface<Case> {
protected:
  TBitmap background{surfaceSize.Width, surfaceSize.Height};
};

TEST_P(BackgroundRegression, FastPictureEqualsTheReference) {
  const Case &c = GetParam();
  configurations::Load(scene, c.configuration, c.seed);
  scene.StepLength = c.step;
  TPictureTarget target(surfaceSize);
  target.Trace.StepCap = c.cap;
  const TTraceStats reference = DrawBackgroundReference(scene, background, target);
  const QImage expected = background.Image().copy();
  const TTraceStats fast = DrawBackgroundOn(scene, background, target);
  EXPECT_EQ(fast.Lines, reference.Lines);
  EXPECT_TRUE(background.Image() == expected);
  // Lines the fast tracer stopped in a cycle are cut by the cap in the reference; those it
  // stopped off the surface may be either cut or leave the box there.
  EXPECT_LE(fast.LinesCutByBudget + fast.LinesInCycle, reference.LinesCutByBudget);
  EXPECT_LE(reference.LinesCutByBudget,
            fast.LinesCutByBudget + fast.LinesInCycle + fast.LinesEscaped);
}

std::string CaseName(const ::testing::TestParamInfo<Case> &info) {
  const Case &c = info.param;
  return std::string(1, c.configuration) + "_seed" + std::to_string(c.seed) + "_step" +
         std::to_string(c.step);
}

INSTANTIATE_TEST_SUITE_P(
    Configurations, BackgroundRegression,
    ::testing::Values(Case{'a', 0, 3, 4000}, Case{'a', 0, 1, 8000}, Case{'b', 0, 3, 3000},
                      Case{'b', 1, 1, 3000}, Case{'b', 2, 3, 3000}, Case{'c', 0, 3, 2000},
                      Case{'c', 3, 1, 2000}, Case{'d', 0, 3, 2000}, Case{'f', 0, 3, 3000},
                      Case{'f', 0, 1, 3000},
                      // Many sources, a small net charge: lines that run into cycles after
                      // stepping to and fro, and lines stopped off the surface.
                      Case{'e', 0, 3, 3000},
                      // Symmetric: lines along mirror lines meet saddles; seed turns them.
                      Case{'g', 0, 1, 3000}, Case{'g', 1, 3, 3000}, Case{'g', 2, 7, 3000},
                      Case{'h', 0, 3, 3000}, Case{'h', 1, 7, 3000}, Case{'h', 3, 1, 3000},
                      Case{'i', 0, 1, 3000}, Case{'i', 1, 3, 3000}, Case{'i', 2, 7, 3000},
                      Case{'j', 0, 7, 3000}, Case{'j', 1, 1, 3000}, Case{'j', 3, 3, 3000},
                      Case{'m', 1, 1, 3000}),
    CaseName);

} // namespace
