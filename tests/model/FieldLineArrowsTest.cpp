// Arrowheads on the background's field lines: which way they point, how far apart they sit,
// and that they are drawn into the picture and nowhere else.
#include "BackgroundFixture.h"
#include "support/PixelTesting.h"

#include "model/FieldLineArrows.h"

#include <QLineF>

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

using FieldLineArrowsTest = BackgroundFixture;

struct TracedArrow {
  TLineArrow Head;
  size_t Line; // index in the traced lines
};

std::vector<TracedArrow> ArrowsOf(const TBackgroundScene &traced, TSize surface) {
  std::vector<TracedArrow> all;
  for (size_t i = 0; i < traced.Lines.size(); ++i)
    for (const TLineArrow &head : FieldLineArrows(traced.Lines[i], surface))
      all.push_back({head, i});
  return all;
}

double DistanceTo(QPointF p, QPointF charge) { return QLineF(p, charge).length(); }

// Along the field: away from a positive charge, towards a negative one, from + to - between
// two of them, whichever side each is on; on stepped and exact lines, and on lines in
// proportion to charge, which are traced from one end only.
TEST_F(FieldLineArrowsTest, PointAlongTheField) {
  struct Case {
    const char *name;
    long double left, right; // C at (300, 267) and (500, 267); 0: no charge there
  };
  const Case cases[] = {
      {"lone positive", 1e-9L, 0},
      {"lone negative", -1e-9L, 0},
      {"dipole, + left", 1e-9L, -1e-9L},
      {"dipole, + right", -1e-9L, 1e-9L},
  };
  const TFieldLineOptions modes[] = {{}, {false, false, true, false}, {true, false, true, false}};
  for (const auto &[c, mode] : [&] {
         std::vector<std::pair<Case, TFieldLineOptions>> all;
         for (const Case &c : cases)
           for (const TFieldLineOptions &mode : modes)
             all.emplace_back(c, mode);
         return all;
       }()) {
    SCOPED_TRACE(std::string(c.name) + (mode.Accurate ? " accurate" : "") +
                 (mode.Proportional ? " proportional" : ""));
    scene = {};
    scene.FieldLines = mode;
    scene.Origin = {396, 267};
    scene.PixelsPerMetre = DefaultPixelsPerMetre();
    AddCharge(300, 267, c.left);
    if (c.right != 0)
      AddCharge(500, 267, c.right);
    const std::vector<TracedArrow> arrows = ArrowsOf(TraceBackground(scene, Target()), surfaceSize);
    ASSERT_GE(arrows.size(), 16u);
    if (c.right == 0) {
      const QPointF charge(300, 267);
      for (const TracedArrow &a : arrows) {
        const QPointF base = a.Head.Tip - kLineArrowLength * a.Head.Direction;
        const double outwards = DistanceTo(a.Head.Tip, charge) - DistanceTo(base, charge);
        EXPECT_GT(outwards * (c.left > 0 ? 1 : -1), 6) << a.Head.Tip.x() << " " << a.Head.Tip.y();
      }
      continue;
    }
    // On the axis between the charges the field runs straight from + to -.
    const double towardsNegative = c.left > 0 ? 1 : -1;
    int between = 0;
    for (const TracedArrow &a : arrows) {
      if (std::abs(a.Head.Tip.y() - 267) > 0.5 || a.Head.Tip.x() <= 310 || a.Head.Tip.x() >= 490)
        continue;
      ++between;
      EXPECT_NEAR(a.Head.Direction.x(), towardsNegative, 1e-9) << a.Head.Tip.x();
    }
    EXPECT_GE(between, mode.Proportional ? 1 : 2); // the line traced from either end or once
  }
}

// A straight line from a charge near the left edge to the right edge: heads every 175 px of
// its length, one at its middle, and none farther than that from either end.
TEST_F(FieldLineArrowsTest, SitEveryArrowSpacingFromTheMiddle) {
  AddCharge(20, 267, 1e-9L);
  const TBackgroundScene traced = TraceBackground(scene, Target());
  const TPolyline &rightwards = traced.Lines.front().Line; // the line at angle 0
  const double start = rightwards.Ops().front().X;
  const double end = surfaceSize.Width - 1;
  std::vector<double> tips;
  for (const TLineArrow &head : FieldLineArrows(rightwards, 1, surfaceSize)) {
    EXPECT_EQ(head.Tip.y(), 267);
    EXPECT_EQ(head.Direction, QPointF(1, 0));
    tips.push_back(head.Tip.x());
  }
  ASSERT_GE(tips.size(), 4u);
  std::sort(tips.begin(), tips.end());
  for (size_t i = 1; i < tips.size(); ++i)
    EXPECT_NEAR(tips[i] - tips[i - 1], kLineArrowSpacing, 1e-9);
  EXPECT_LT(tips.front() - start, kLineArrowSpacing);
  EXPECT_LT(end - tips.back(), kLineArrowSpacing);
  ASSERT_EQ(tips.size() % 2, 1u); // the middle one and as many on either side
  EXPECT_NEAR(tips[tips.size() / 2], (start + end) / 2, 1e-9);
}

// With the option on, the only pixels that change are the heads', in the line colour; each
// head shows. Off, the picture is the one without heads.
TEST_F(FieldLineArrowsTest, AreDrawnInTheLineColourAndNowhereElse) {
  AddCharge(396, 267, 1e-9L);
  DrawBackground();
  const QImage plain = background->Image().copy();
  scene.FieldLines.Arrows = true;
  DrawBackground();
  const QImage arrowed = background->Image().copy();
  std::vector<TLineArrow> heads;
  for (const TracedArrow &a : ArrowsOf(TraceBackground(scene, Target()), surfaceSize))
    heads.push_back(a.Head);
  ASSERT_FALSE(heads.empty());

  std::vector<int> changedIn(heads.size(), 0);
  for (int y = 0; y < plain.height(); ++y)
    for (int x = 0; x < plain.width(); ++x) {
      if (plain.pixel(x, y) == arrowed.pixel(x, y))
        continue;
      EXPECT_EQ(PixelAt(arrowed, x, y), Rgb{kBackgroundLineColor}) << x << " " << y;
      bool inHead = false;
      for (size_t i = 0; i < heads.size(); ++i)
        if (DistanceTo(QPointF(x, y), heads[i].Tip) <= kLineArrowLength + 1) {
          inHead = true;
          ++changedIn[i];
        }
      EXPECT_TRUE(inHead) << x << " " << y;
    }
  for (size_t i = 0; i < heads.size(); ++i)
    EXPECT_GE(changedIn[i], 5) << heads[i].Tip.x() << " " << heads[i].Tip.y();

  scene.FieldLines.Arrows = false;
  DrawBackground();
  EXPECT_EQ(background->Image(), plain);
}

} // namespace
