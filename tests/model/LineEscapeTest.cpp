// A line said to be unable to come back must never again come near the surface: traced on
// to the box, step by step as the tracer steps, for random and symmetric sources.
#include "model/LineEscape.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

namespace {

using Sources = std::vector<TLineEscape::Source>;

constexpr TSize kSurface{792, 535};

// Follows the line from (x, y) to the box and returns whether it was ever said to be unable
// to come back; fails when it comes within a step of the surface after that.
bool CheckLine(const Sources &sources, const TLineEscape &escape, double step, int direction,
               double x, double y) {
  bool gone = false;
  for (int n = 0; n < 20000; ++n) {
    if (x < -5000 || x > kSurface.Width + 5000 || y < -5000 || y > kSurface.Height + 5000)
      break;
    if (gone) {
      const bool near =
          x > -step && x < kSurface.Width + step && y > -step && y < kSurface.Height + step;
      EXPECT_FALSE(near) << "back at " << x << ", " << y;
      if (near)
        return gone;
    } else {
      gone = escape.CannotReturn(direction, x, y);
    }
    double fx = 0, fy = 0;
    for (const auto &s : sources) {
      const double dx = x - s.X, dy = y - s.Y;
      const double r2 = dx * dx + dy * dy;
      if (r2 <= step * step)
        return gone;
      const double scale = direction * s.Weight / (r2 * std::sqrt(r2));
      fx += dx * scale;
      fy += dy * scale;
    }
    const double norm = step / std::hypot(fx, fy);
    x += fx * norm;
    y += fy * norm;
  }
  return gone;
}

TEST(LineEscape, AStoppedLineNeverComesBack) {
  std::mt19937 random(20261207);
  std::uniform_real_distribution<double> px(20, 772), py(20, 515), magnitude(1, 5);
  int stopped = 0, lines = 0;
  for (int round = 0; round < 24; ++round) {
    Sources sources;
    const int n = 1 + round % 8;
    if (round % 3 == 2) {
      // Like charges on a circle, with one of the other sign in the middle.
      for (int i = 0; i < n; ++i) {
        const double angle = 2 * std::numbers::pi * i / n + round;
        sources.push_back({396 + 150 * std::cos(angle), 267 + 150 * std::sin(angle), 2});
      }
      sources.push_back({396, 267, -1.5 * n / 2});
    } else {
      // Random, most of them positive in every other round.
      std::bernoulli_distribution positive(round % 2 == 0 ? 0.8 : 0.5);
      for (int i = 0; i < n; ++i)
        sources.push_back(
            {px(random), py(random), (positive(random) ? 1 : -1) * magnitude(random)});
    }
    const double step = round % 3 == 0 ? 1 : round % 3 == 1 ? 3 : 7;
    const TLineEscape escape(sources, kSurface, step);
    for (const auto &s : sources) {
      for (int i = 0; i < 16; ++i) {
        const double angle = 2 * std::numbers::pi * i / 16;
        const int direction = s.Weight > 0 ? 1 : -1;
        ++lines;
        stopped += CheckLine(sources, escape, step, direction, s.X + 10 * std::cos(angle),
                             s.Y + 10 * std::sin(angle));
      }
    }
  }
  // Not vacuous: many lines are stopped, and not all.
  EXPECT_GT(stopped, lines / 4);
  EXPECT_LT(stopped, lines);
}

// A group of many sources with a small net charge: its centre of charge lies far away, and
// only the bound about the middle of the sources stops lines; none of them comes back.
TEST(LineEscape, NearlyNeutralGroupsStopLinesAboutTheirMiddle) {
  std::mt19937 random(20261208);
  std::uniform_real_distribution<double> px(20, 772), py(20, 515), magnitude(1, 5);
  int stopped = 0, stoppedAboutCharge = 0;
  for (int round = 0; round < 6; ++round) {
    Sources sources;
    double net = 0, absolute = 0;
    for (int i = 0; i < 20; ++i) {
      sources.push_back({px(random), py(random), (i % 2 == 0 ? 1 : -1) * magnitude(random)});
      net += sources.back().Weight;
      absolute += std::fabs(sources.back().Weight);
    }
    // Net charge 3 % of all, either sign.
    sources.push_back({px(random), py(random), (round % 2 == 0 ? 1 : -1) * 0.03 * absolute - net});
    const double step = round % 3 == 0 ? 1 : 3;
    const TLineEscape escape(sources, kSurface, step);
    const TLineEscape aboutCharge(sources, kSurface, step, false);
    for (const auto &s : sources) {
      const int direction = s.Weight > 0 ? 1 : -1;
      for (int i = 0; i < 16; ++i) {
        const double angle = 2 * std::numbers::pi * i / 16;
        const double x = s.X + 10 * std::cos(angle), y = s.Y + 10 * std::sin(angle);
        stopped += CheckLine(sources, escape, step, direction, x, y);
        stoppedAboutCharge += CheckLine(sources, aboutCharge, step, direction, x, y);
      }
    }
  }
  EXPECT_GT(stopped, 0);

  EXPECT_EQ(stoppedAboutCharge, 0);
}

} // namespace
