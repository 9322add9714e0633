#include "model/FieldLine.h"

#include "DocumentFixture.h"
#include "base/Seams.h"
#include "support/FieldConfigurations.h"

#include <atomic>
#include <memory>
#include <random>

namespace {

// A tick counter that moves on by itself at every reading, so that a line that would never
// end still ends, and always after the same number of readings.
class FakeTicks {
public:
  explicit FakeTicks(uint32_t perRead, uint32_t start = 0) : now_(start), perRead_(perRead) {
    seams::SetTickSource([this] { return now_.fetch_add(perRead_); });
  }
  ~FakeTicks() { seams::SetTickSource({}); }

private:
  std::atomic<uint32_t> now_;
  uint32_t perRead_;
};

class FieldLineTest : public DocumentTest {
protected:
  void SetUp() override {
    image = std::make_unique<TBitmap>(surfaceSize.Width, surfaceSize.Height);
    image->Canvas().Brush.SetColor(0xFFFFFF);
    image->Canvas().FillRect({0, 0, surfaceSize.Width, surfaceSize.Height});
  }
  // The surface, with the tracer's limits.
  TPictureTarget Target() const {
    TPictureTarget target(surfaceSize);
    target.Trace = trace;
    return target;
  }
  TColor Pixel(int x, int y) const { return FromQRgb(image->Image().pixel(x, y)); }
  int CountPixels(TColor color) const {
    int n = 0;
    for (int y = 0; y < image->Height(); ++y)
      for (int x = 0; x < image->Width(); ++x)
        n += Pixel(x, y) == color;
    return n;
  }
  std::unique_ptr<TBitmap> image;
  TTraceLimits trace;
};

using TraceFn = TTraceStats (*)(const TScene &, TCanvas &, TColor, const TPictureTarget &, int32_t,
                                long double, long double);

class BothTracers : public FieldLineTest, public ::testing::WithParamInterface<TraceFn> {};

TEST_P(BothTracers, WithoutSourcesBothHalvesRunRightUntilTheBox) {
  const FakeTicks ticks(0); // the clock stands still: only the box ends the line
  AddCharge(300, 100, 5e-9L, /*testCharge=*/true); // test charges neither stop nor push
  AddCharge(500, 100, 0);                          // nor do charges of value 0
  const TTraceStats stats = GetParam()(scene, image->Canvas(), 0x000000, Target(), 0, 100, 100);
  EXPECT_EQ(stats.Lines, 2u);
  EXPECT_EQ(stats.LinesCutByBudget, 0u);
  // From x = 100 in steps of 3 until x > 792 + 5000: 1898 steps per half.
  EXPECT_EQ(stats.Steps, 2u * 1898u);
  for (int x = 100; x < surfaceSize.Width; ++x)
    ASSERT_EQ(Pixel(x, 100), 0x000000u) << x;
  EXPECT_EQ(Pixel(99, 100), 0xFFFFFFu);
  EXPECT_EQ(CountPixels(0x000000), surfaceSize.Width - 100);
}

TEST_P(BothTracers, StartNextToASourceDrawsNothingButMovesThePen) {
  AddCharge(200, 200, 1e-9L);
  TCanvas &canvas = image->Canvas();
  canvas.MoveTo(0, 0);
  const TTraceStats stats = GetParam()(scene, canvas, 0x000000, Target(), 1, 203, 200);
  EXPECT_EQ(stats.Steps, 0u);
  EXPECT_EQ(canvas.PenPos(), (TPoint{203, 200}));
  EXPECT_EQ(CountPixels(0x000000), 0);
}

TEST_P(BothTracers, StartOutsideTheBoxDrawsNothing) {
  AddCharge(200, 200, 1e-9L);
  const TTraceStats stats = GetParam()(scene, image->Canvas(), 0x000000, Target(), 0, -6000, 200);
  EXPECT_EQ(stats.Steps, 0u);
  EXPECT_EQ(CountPixels(0x000000), 0);
}

TEST_P(BothTracers, LineFromAPositiveSourceRunsStraightOut) {
  AddCharge(200, 200, 1e-9L);
  const TTraceStats stats = GetParam()(scene, image->Canvas(), 0x000000, Target(), 1, 200, 190);
  EXPECT_EQ(stats.LinesCutByBudget, 0u);
  for (int y = 0; y <= 190; ++y)
    ASSERT_EQ(Pixel(200, y), 0x000000u) << y;
  EXPECT_EQ(CountPixels(0x000000), 191);
}

TEST_P(BothTracers, LineBetweenUnlikeChargesEndsWithinOneStepOfTheOther) {
  AddCharge(200, 300, 1e-9L);
  AddCharge(400, 300, -1e-9L);
  const TTraceStats stats = GetParam()(scene, image->Canvas(), 0x000000, Target(), 1, 210, 300);
  EXPECT_EQ(stats.LinesCutByBudget, 0u);
  EXPECT_EQ(stats.Steps, 63u); // to x = 399, within 3 px of the sink
  EXPECT_EQ(Pixel(398, 300), 0x000000u);
  EXPECT_EQ(Pixel(399, 300), 0xFFFFFFu);
}

TEST_P(BothTracers, ALineThatNeverEndsIsCutByTheBudget) {
  surfaceSize = {2000000000, 535}; // a box no line ever leaves
  const FakeTicks ticks(1);
  const TTraceStats stats = GetParam()(scene, image->Canvas(), 0x000000, Target(), 1, 10, 10);
  EXPECT_EQ(stats.LinesCutByBudget, 1u);
  EXPECT_GE(stats.Steps, 29u); // the literal tracer reads the clock before every step
  EXPECT_LE(stats.Steps, 30u * 32u);
}

TEST_P(BothTracers, TheBudgetSurvivesTheWrapOfTheTickCounter) {
  surfaceSize = {2000000000, 535};
  const FakeTicks ticks(1, 0xFFFFFFF0u);
  const TTraceStats stats = GetParam()(scene, image->Canvas(), 0x000000, Target(), -1, 10, 10);
  EXPECT_EQ(stats.LinesCutByBudget, 1u);
  EXPECT_LE(stats.Steps, 30u * 32u);
}

INSTANTIATE_TEST_SUITE_P(Tracers, BothTracers,
                         ::testing::Values(&DrawFieldLine, &DrawFieldLineReference));

// The fast tracer must draw exactly the literal algorithm's picture.
class SamePicture : public FieldLineTest {
protected:
  QImage Trace(TraceFn fn, long double x, long double y) {
    image->Canvas().Brush.SetColor(0xFFFFFF);
    image->Canvas().FillRect({0, 0, surfaceSize.Width, surfaceSize.Height});
    fn(scene, image->Canvas(), 0x000000, Target(), 0, x, y);
    return image->Image().copy();
  }
  void ExpectSame(long double x, long double y) {
    const QImage fast = Trace(&DrawFieldLine, x, y);
    const QImage reference = Trace(&DrawFieldLineReference, x, y);
    EXPECT_TRUE(fast == reference)
        << "start " << static_cast<double>(x) << ", " << static_cast<double>(y);
  }
};

// Lines along a mirror line of the sources run into a saddle or the field-free centre, where
// the rounding of the literal sum decides which way they leave.
TEST_F(SamePicture, LinesIntoSaddlesLeaveThemAsTheReferenceDoes) {
  struct Start {
    char configuration;
    unsigned eighths;   // turned by 45 degrees each
    long double dx, dy; // from the centre, turned with the charges
  };
  const Start starts[] = {
      {'k', 0, -66, 0},   // two on a row: heads for the saddle at x = 400
      {'k', 0, 4, 0},     // on the saddle itself
      {'l', 0, 0, -137},  // the same in a column
      {'g', 0, -30, -30}, // two on a 45-degree line: towards the saddle
      {'g', 0, 0, 0},     // the saddle
      {'g', 1, 20, -20},  // on the perpendicular bisector, turned upright
      {'h', 0, -35, -35}, // quadrupole: along a diagonal into the centre
      {'h', 1, 0, -20},   // turned: across the line between unlike charges
      {'i', 0, -70, 0},   // three on a row: between two of them
      {'i', 1, 0, 30},    // turned to a diagonal: beside the middle one
      {'i', 2, -50, 0},   // turned to a column
      {'j', 0, 0, -70},   // four on a square standing on a corner
      {'j', 0, 30, 30},
      {'m', 0, -110, 0}, // eight on a circle: into the centre, where it steps to and fro
      {'m', 1, -110, 0},
  };
  trace.StepCap = 4000;
  for (const Start &s : starts) {
    configurations::Load(scene, s.configuration, s.eighths);
    const configurations::Point p = configurations::TurnedPoint(s.dx, s.dy, s.eighths);
    for (uint32_t step : {1u, 3u, 7u}) {
      scene.StepLength = step;
      SCOPED_TRACE(testing::Message() << s.configuration << s.eighths << " step " << step);
      ExpectSame(p.x, p.y);
    }
  }
}

TEST_F(SamePicture, RandomConfigurations) {
  trace.StepCap = 3000;
  std::mt19937 random(20261207);
  std::uniform_real_distribution<double> px(0, 792), py(0, 535), q(-5e-9, 5e-9);
  for (int round = 0; round < 6; ++round) {
    scene.Charges.Clear();
    scene.StepLength = round % 2 == 0 ? 3 : 1;
    const int n = 2 + round * 3;
    for (int i = 0; i < n; ++i)
      AddCharge(std::nearbyint(px(random)), std::nearbyint(py(random)), q(random));
    for (int i = 0; i < 4; ++i)
      ExpectSame(px(random), py(random));
  }
}

TEST_F(FieldLineTest, ExactCyclesStopAtOnce) {
  // Four like charges on a square: lines into the centre sit on an equilibrium point.
  AddCharge(300, 200, 1e-9L);
  AddCharge(400, 200, 1e-9L);
  AddCharge(300, 300, 1e-9L);
  AddCharge(400, 300, 1e-9L);
  trace.StepCap = 1000000; // a safety net: only a cycle should end this line
  const TTraceStats stats = DrawFieldLine(scene, image->Canvas(), 0x000000, Target(), 1, 330, 250);
  EXPECT_EQ(stats.LinesInCycle, 1u);
  EXPECT_LT(stats.Steps, 5000u);
}

} // namespace
