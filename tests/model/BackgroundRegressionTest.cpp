// The background drawn with the fast tracer on all cores, with each force sum the processor
// has, must be pixel for pixel the one the literal algorithm draws, with a step cap in place
// of the clock.
#include "model/Background.h"

#include "DocumentFixture.h"
#include "model/ForceSum.h"
#include "support/FieldConfigurations.h"

#include <map>
#include <tuple>

namespace {

struct Case {
  char configuration;
  unsigned seed;
  uint32_t step;
  uint64_t cap;
};

struct Reference {
  QImage picture;
  TTraceStats stats;
};

class BackgroundRegression : public DocumentTest,
                             public ::testing::WithParamInterface<std::tuple<Case, TForcePath>> {
protected:
  void TearDown() override { SetForcePath(best); }
  // The literal picture is the same for every path: drawn once per case.
  static std::map<std::tuple<char, unsigned, uint32_t>, Reference> references;
  const TForcePath best = ForcePath();
  TBitmap background{surfaceSize.Width, surfaceSize.Height};
};
std::map<std::tuple<char, unsigned, uint32_t>, Reference> BackgroundRegression::references;

TEST_P(BackgroundRegression, FastPictureEqualsTheReference) {
  const auto [c, path] = GetParam();
  if (!SetForcePath(path))
    GTEST_SKIP() << "this processor cannot take the path";
  configurations::Load(scene, c.configuration, c.seed);
  scene.StepLength = c.step;
  TPictureTarget target(surfaceSize);
  target.Trace.StepCap = c.cap;
  const auto key = std::make_tuple(c.configuration, c.seed, c.step);
  if (!references.contains(key)) {
    const TTraceStats stats = DrawBackgroundReference(scene, background, target);
    references[key] = {background.Image().copy(), stats};
  }
  const auto &[expected, reference] = references.at(key);
  const TTraceStats fast = DrawBackgroundOn(scene, background, target);
  EXPECT_EQ(fast.Lines, reference.Lines);
  EXPECT_TRUE(background.Image() == expected);
  // Lines the fast tracer stopped in a cycle are cut by the cap in the reference; those it
  // stopped off the surface may be either cut or leave the box there.
  EXPECT_LE(fast.LinesCutByBudget + fast.LinesInCycle, reference.LinesCutByBudget);
  EXPECT_LE(reference.LinesCutByBudget,
            fast.LinesCutByBudget + fast.LinesInCycle + fast.LinesEscaped);
}

std::string CaseName(const ::testing::TestParamInfo<std::tuple<Case, TForcePath>> &info) {
  const Case &c = std::get<0>(info.param);
  const char *paths[] = {"scalar", "sse2", "avx2"};
  return std::string(1, c.configuration) + "_seed" + std::to_string(c.seed) + "_step" +
         std::to_string(c.step) + "_" + paths[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(
    Configurations, BackgroundRegression,
    ::testing::Combine(
        ::testing::Values(Case{'a', 0, 3, 4000}, Case{'a', 0, 1, 8000}, Case{'b', 0, 3, 3000},
                          Case{'b', 1, 1, 3000}, Case{'b', 2, 3, 3000}, Case{'c', 0, 3, 2000},
                          Case{'c', 3, 1, 2000}, Case{'d', 0, 3, 2000}, Case{'f', 0, 3, 3000},
                          Case{'f', 0, 1, 3000},
                          // Symmetric: lines along mirror lines meet saddles; seed turns them.
                          Case{'g', 0, 1, 3000}, Case{'g', 1, 3, 3000}, Case{'g', 2, 7, 3000},
                          Case{'h', 0, 3, 3000}, Case{'h', 1, 7, 3000}, Case{'h', 3, 1, 3000},
                          Case{'i', 0, 1, 3000}, Case{'i', 1, 3, 3000}, Case{'i', 2, 7, 3000},
                          Case{'j', 0, 7, 3000}, Case{'j', 1, 1, 3000}, Case{'j', 3, 3, 3000},
                          Case{'m', 1, 1, 3000}),
        ::testing::Values(TForcePath::Scalar, TForcePath::Sse2, TForcePath::Avx2)),
    CaseName);

} // namespace
