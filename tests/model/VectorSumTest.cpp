// The hand-written vector sums against the plain loops on random sources and points, the
// points often right beside a source or on one's axis, where the careful sum takes over.
#include "model/ForceSum.h"
#include "model/PullSums.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <bit>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

using levelpull::TLocal;
using levelpull::TSumPath;

struct TScene {
  std::vector<double> X, Y, K; // padded to a multiple of four with far sources of no weight
  size_t Count = 0;
};

TScene RandomScene(std::mt19937 &random, double far) {
  std::uniform_int_distribution<int> count(1, 40);
  std::uniform_real_distribution<double> x(0, 800), y(0, 540), k(-5, 5);
  TScene s;
  s.Count = static_cast<size_t>(count(random));
  for (size_t i = 0; i < s.Count; ++i) {
    s.X.push_back(std::round(x(random)) + (i % 3 == 0 ? 0.5 : 0));
    s.Y.push_back(std::round(y(random)));
    s.K.push_back(k(random));
  }
  while (s.X.size() % 4 != 0) {
    s.X.push_back(far);
    s.Y.push_back(far);
    s.K.push_back(0);
  }
  return s;
}

// Anywhere, beside a source, or on a source's row or column.
void RandomPoint(std::mt19937 &random, const TScene &s, double &x, double &y) {
  std::uniform_real_distribution<double> anywhere(-50, 850), near(-3, 3);
  const size_t source = random() % s.Count;
  switch (random() % 4) {
  case 0:
    x = anywhere(random);
    y = anywhere(random);
    break;
  case 1:
    x = s.X[source] + near(random);
    y = s.Y[source] + near(random);
    break;
  case 2:
    x = anywhere(random);
    y = s.Y[source];
    break;
  default:
    x = s.X[source];
    y = anywhere(random);
  }
}

// Also where sources are left to the careful sum: the same sum of the others, the same list.
TEST(VectorSumTest, ForceSumsGiveThePlainLoopsBits) {
  std::mt19937 random(17);
  int careful = 0;
  const auto sameList = [](const TCarefulSources &a, const TCarefulSources &b) {
    if (a.Count != b.Count)
      return false;
    for (int g = 0; g < std::min(a.Count, TCarefulSources::kCapacity); ++g)
      if (a.Groups[g].First != b.Groups[g].First || a.Groups[g].Lanes != b.Groups[g].Lanes)
        return false;
    return true;
  };
  for (int scene = 0; scene < 200; ++scene) {
    const TScene s = RandomScene(random, 1e200);
    TForceSources sources;
    for (size_t i = 0; i < s.Count; ++i)
      sources.Add(s.X[i], s.Y[i], s.K[i]);
    sources.Pad();
    for (int point = 0; point < 50; ++point) {
      double x = 0;
      double y = 0;
      RandomPoint(random, s, x, y);
      double plainX = 0;
      double plainY = 0;
      TCarefulSources plainList;
      careful += !sources.Sum(TForcePath::Plain, x, y, 9, plainX, plainY, plainList);
      for (const TForcePath path : {TForcePath::Sse2, TForcePath::Avx2}) {
        if (!ForcePathSupported(path))
          continue;
        double fx = 0;
        double fy = 0;
        TCarefulSources list;
        sources.Sum(path, x, y, 9, fx, fy, list);
        ASSERT_TRUE(sameList(list, plainList)) << x << "," << y;
        ASSERT_EQ(std::bit_cast<uint64_t>(fx), std::bit_cast<uint64_t>(plainX)) << x << "," << y;
        ASSERT_EQ(std::bit_cast<uint64_t>(fy), std::bit_cast<uint64_t>(plainY)) << x << "," << y;
      }
    }
  }
  EXPECT_GT(careful, 1000); // the careful cases were met, not only the easy ones
}

void ExpectSameBits(const TLocal<double> &a, const TLocal<double> &b) {
  const double fieldsA[] = {a.V, a.Gx, a.Gy, a.Bend, a.Nearest, a.Magnitude, a.GradientSize};
  const double fieldsB[] = {b.V, b.Gx, b.Gy, b.Bend, b.Nearest, b.Magnitude, b.GradientSize};
  for (int i = 0; i < 7; ++i)
    ASSERT_EQ(std::bit_cast<uint64_t>(fieldsA[i]), std::bit_cast<uint64_t>(fieldsB[i])) << i;
}

// AVX gives the plain loops' bits; SSE2 adds in another order, so its sums differ from them
// by less than the rounding that the pull's proof allows each: (n + 8) epsilon of the sum
// of |terms| (Magnitude for V; GradientSize, which bounds each |w dx|, for the gradient).
TEST(VectorSumTest, PullSumsGiveThePlainLoopsBitsOrDifferWithinTheirRounding) {
  const bool avx = levelpull::SumPathSupported(TSumPath::Avx);
  std::mt19937 random(23);
  for (int scene = 0; scene < 200; ++scene) {
    const TScene s = RandomScene(random, 1e150);
    const double rounding =
        2 * (static_cast<double>(s.Count) + 8) * std::numeric_limits<double>::epsilon();
    for (int point = 0; point < 12; ++point) {
      double px[4];
      double py[4];
      for (int lane = 0; lane < 4; ++lane)
        RandomPoint(random, s, px[lane], py[lane]);
      TLocal<double> plain[4];
      TLocal<double> four[4];
      levelpull::SumAtFour(TSumPath::Plain, s.X.data(), s.Y.data(), s.K.data(), s.Count, px, py,
                           plain);
      levelpull::SumAtFour(avx ? TSumPath::Avx : TSumPath::Plain, s.X.data(), s.Y.data(),
                           s.K.data(), s.Count, px, py, four);
      for (int lane = 0; lane < 4; ++lane) {
        SCOPED_TRACE(testing::Message() << px[lane] << "," << py[lane]);
        ExpectSameBits(four[lane], plain[lane]);
        const auto at = [&](TSumPath path) {
          return levelpull::SumAt(path, s.X.data(), s.Y.data(), s.K.data(), s.X.size(), px[lane],
                                  py[lane]);
        };
        const TLocal<double> one = at(TSumPath::Plain);
        if (avx)
          ExpectSameBits(at(TSumPath::Avx), one);
        const TLocal<double> sse2 = at(TSumPath::Sse2);
        if (!std::isfinite(one.Magnitude))
          continue; // on a source
        EXPECT_EQ(sse2.Nearest, one.Nearest);
        EXPECT_LE(std::fabs(sse2.V - one.V), rounding * one.Magnitude);
        EXPECT_LE(std::fabs(sse2.Gx - one.Gx), rounding * one.GradientSize);
        EXPECT_LE(std::fabs(sse2.Gy - one.Gy), rounding * one.GradientSize);
        EXPECT_LE(std::fabs(sse2.Bend - one.Bend), rounding * one.Bend);
        EXPECT_LE(std::fabs(sse2.Magnitude - one.Magnitude), rounding * one.Magnitude);
        EXPECT_LE(std::fabs(sse2.GradientSize - one.GradientSize), rounding * one.GradientSize);
      }
    }
  }
}

} // namespace
