// Figures kept from the last picture: a test charge that did not move, in a field that did
// not change, keeps its figure; every figure equals one traced afresh.
#include "BackgroundFixture.h"
#include "support/FieldConfigurations.h"

#include "model/TestChargeFigures.h"

#include <functional>
#include <string>
#include <vector>

namespace {

class TestChargeFiguresTest : public BackgroundFixture {
protected:
  void SetUp() override {
    BackgroundFixture::SetUp();
    configurations::Random(scene, 40, 0, 11);
    for (int i = 0; i < 12; ++i) {
      configurations::Add(scene, 60 + 55 * i, 90 + 31 * (i % 5), (i % 3 - 1) * 1e-12L, 0);
      scene.Charges[scene.Charges.Count() - 1].IsTestCharge = true;
    }
  }
};

bool SamePolyline(const TPolyline &a, const TPolyline &b) {
  return a.Pen() == b.Pen() &&
         std::equal(a.Ops().begin(), a.Ops().end(), b.Ops().begin(), b.Ops().end(),
                    [](const TPolyline::Op &p, const TPolyline::Op &q) {
                      return p.X == q.X && p.Y == q.Y && p.Move == q.Move;
                    });
}

TEST_F(TestChargeFiguresTest, UnchangedTestChargesKeepTheirFiguresInAnUnchangedField) {
  const int firstTest = 40;
  struct Case {
    std::string change;
    std::function<void(TScene &, TTraceLimits &)> apply;
    int kept; // figures taken over from the last picture
  };
  const std::vector<Case> cases{
      {"nothing", [](TScene &, TTraceLimits &) {}, 12},
      {"a test charge dragged", [](TScene &s, TTraceLimits &) { s.Charges[firstTest + 4].X += 7; },
       11},
      {"a test charge inserted before the others",
       [](TScene &s, TTraceLimits &) {
         TPointCharge c = s.Charges[firstTest];
         c.Y += 40;
         s.Charges.Insert(0, c);
       },
       12},
      {"a test charge's value changed",
       [](TScene &s, TTraceLimits &) { s.Charges[firstTest + 2].ChargeValue *= 3; }, 11},
      {"a source moved", [](TScene &s, TTraceLimits &) { s.Charges[3].Y += 1; }, 0},
      {"a source's value changed",
       [](TScene &s, TTraceLimits &) { s.Charges[5].ChargeValue *= -1; }, 0},
      {"another step length", [](TScene &s, TTraceLimits &) { s.StepLength += 1; }, 0},
      {"another zoom", [](TScene &s, TTraceLimits &) { s.PixelsPerMetre *= 2; }, 0},
      {"another step cap", [](TScene &, TTraceLimits &t) { t.StepCap += 1; }, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.change);
    const TScene before = scene;
    const TTraceLimits limitsBefore = trace;
    const TTracedFigures traced{TFigureField::Of(scene, Target()),
                                TraceTestChargeFigures(scene, Target(), nullptr)};
    c.apply(scene, trace);
    const TFigureList kept = TraceTestChargeFigures(scene, Target(), nullptr, &traced);
    const TFigureList fresh = TraceTestChargeFigures(scene, Target(), nullptr);
    ASSERT_EQ(kept.size(), static_cast<size_t>(scene.Charges.Count()));
    int taken = 0;
    for (size_t i = 0; i < kept.size(); ++i) {
      ASSERT_EQ(kept[i] != nullptr, !scene.Charges[static_cast<int>(i)].IsSource());
      if (!kept[i])
        continue;
      taken += std::count(traced.ByIndex.begin(), traced.ByIndex.end(), kept[i]) > 0;
      EXPECT_EQ(kept[i]->State, scene.Charges[static_cast<int>(i)]);
      EXPECT_TRUE(kept[i]->Force.X == fresh[i]->Force.X && kept[i]->Force.Y == fresh[i]->Force.Y);
      for (int half = 0; half < 2; ++half)
        EXPECT_TRUE(SamePolyline(kept[i]->Halves[half], fresh[i]->Halves[half])) << i;
    }
    EXPECT_EQ(taken, c.kept);
    scene = before;
    trace = limitsBefore;
  }
}

} // namespace
