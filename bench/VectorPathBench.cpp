// Each hand-written vector path against the plain loop that the compiler vectorises, on the
// same inputs, turn about in every iteration: hand_speedup is the plain loop's processor
// time over the hand-written one's (1.3 and more earns the hand-written code its place).
// Where the two must give the same bits, a difference stops the benchmark with an error.
// Run with --benchmark_repetitions=5 --benchmark_report_aggregates_only=true for medians.
// The plain loops are built for AVX2 here; the SSE2 paths compete on processors without it
// against the baseline build, which a build with -DKRAFTBILD_NO_CLONES measures alone.
// Paths still in the model are called through it, those it dropped from HandVectorPaths.
#include "HandVectorPaths.h"

#include "model/ForceSum.h"
#include "model/PotentialGrid.h"
#include "model/PotentialRow.h"
#include "model/PotentialTint.h"
#include "model/PullSums.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <ctime>
#include <random>
#include <vector>

namespace {

using levelpull::TLocal;

double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

// Times hand() and plain() alternately; each returns a checksum of its results.
template <typename Hand, typename Plain>
void Compare(benchmark::State &state, bool sameBits, Hand hand, Plain plain) {
  if (!__builtin_cpu_supports("avx2")) {
    state.SkipWithError("the hand-written paths here need AVX2");
    return;
  }
  double handSeconds = 0;
  double plainSeconds = 0;
  for (auto _ : state) {
    const double start = ThreadSeconds();
    const double handSum = hand();
    const double middle = ThreadSeconds();
    const double plainSum = plain();
    const double end = ThreadSeconds();
    handSeconds += middle - start;
    plainSeconds += end - middle;
    if (sameBits && std::memcmp(&handSum, &plainSum, sizeof(double)) != 0) {
      state.SkipWithError("the hand-written path gives other bits");
      return;
    }
  }
  state.counters["hand_speedup"] = plainSeconds / handSeconds;
}

// Sources at whole pixels of a 792 by 535 surface with weights of either sign, padded to a
// multiple of four with far away ones of no weight; points between them.
struct TInputs {
  std::vector<double> X, Y, K;
  std::vector<double> Px, Py;
  size_t Count = 0; // without padding
};

TInputs Inputs(int sources, int points, double far) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> x(20, 772), y(20, 515), k(-1, 1);
  TInputs in;
  for (int i = 0; i < sources; ++i) {
    in.X.push_back(std::round(x(random)));
    in.Y.push_back(std::round(y(random)));
    in.K.push_back(k(random));
  }
  in.Count = in.X.size();
  while (in.X.size() % 4 != 0) {
    in.X.push_back(far);
    in.Y.push_back(far);
    in.K.push_back(0);
  }
  for (int i = 0; i < points; ++i) {
    in.Px.push_back(x(random) + 0.3);
    in.Py.push_back(y(random) + 0.7);
  }
  return in;
}

// The tracer's force sum; range(0) sources, range(1) 0 for SSE2, 1 for AVX2.
void BM_ForceSum(benchmark::State &state) {
  const TInputs in = Inputs(static_cast<int>(state.range(0)), 2048, 1e200);
  TForceSources sources;
  for (size_t i = 0; i < in.Count; ++i)
    sources.Add(in.X[i], in.Y[i], in.K[i]);
  sources.Pad();
  constexpr double stop = 9;
  const auto sums = [&](TForcePath path) {
    return [&, path] {
      double total = 0;
      for (size_t i = 0; i < in.Px.size(); ++i) {
        double fx = 0;
        double fy = 0;
        sources.Sum(path, in.Px[i], in.Py[i], stop, fx, fy);
        total += fx + fy;
      }
      return total;
    };
  };
  Compare(state, true, sums(state.range(1) == 0 ? TForcePath::Sse2 : TForcePath::Avx2),
          sums(TForcePath::Plain));
}
BENCHMARK(BM_ForceSum)->ArgsProduct({{1, 10, 20, 100}, {0, 1}});

double Checksum(const TLocal<double> &l) {
  return l.V + l.Gx + l.Gy + l.Bend + l.Nearest + l.Magnitude + l.GradientSize;
}

// The level pull's sums at one point; range(1) 0 for SSE2 (two lanes: other bits), 1 for AVX.
void BM_PullSum(benchmark::State &state) {
  const TInputs in = Inputs(static_cast<int>(state.range(0)), 2048, 1e150);
  const auto sums = [&](levelpull::TSumPath path) {
    return [&, path] {
      double total = 0;
      for (size_t i = 0; i < in.Px.size(); ++i)
        total += Checksum(levelpull::SumAt(path, in.X.data(), in.Y.data(), in.K.data(), in.X.size(),
                                           in.Px[i], in.Py[i]));
      return total;
    };
  };
  using levelpull::TSumPath;
  Compare(state, state.range(1) != 0, sums(state.range(1) == 0 ? TSumPath::Sse2 : TSumPath::Avx),
          sums(TSumPath::Plain));
}
BENCHMARK(BM_PullSum)->ArgsProduct({{2, 20, 100}, {0, 1}});

// The same at four points at once (AVX).
void BM_PullSumFour(benchmark::State &state) {
  const TInputs in = Inputs(static_cast<int>(state.range(0)), 2048, 1e150);
  const auto sums = [&](levelpull::TSumPath path) {
    return [&, path] {
      double total = 0;
      TLocal<double> out[4];
      for (size_t i = 0; i + 4 <= in.Px.size(); i += 4) {
        levelpull::SumAtFour(path, in.X.data(), in.Y.data(), in.K.data(), in.Count, &in.Px[i],
                             &in.Py[i], out);
        for (const TLocal<double> &l : out)
          total += Checksum(l);
      }
      return total;
    };
  };
  Compare(state, true, sums(levelpull::TSumPath::Avx), sums(levelpull::TSumPath::Plain));
}
BENCHMARK(BM_PullSumFour)->Arg(2)->Arg(20)->Arg(100);

// Newton's first step at four starts (AVX), on starts half a pixel off a level's curve.
void BM_SettleFour(benchmark::State &state) {
  const TInputs in = Inputs(20, 2048, 1e150);
  std::vector<TLocal<double>> sums(in.Px.size());
  std::vector<double> px(in.Px.size());
  std::vector<double> py(in.Px.size());
  for (size_t i = 0; i + 4 <= in.Px.size(); i += 4) {
    for (size_t lane = 0; lane < 4; ++lane) {
      px[i + lane] = in.Px[i] + 0.5 * static_cast<double>(lane);
      py[i + lane] = in.Py[i] - 0.25 * static_cast<double>(lane);
    }
    levelpull::SumAtFour(levelpull::TSumPath::Plain, in.X.data(), in.Y.data(), in.K.data(),
                         in.Count, &px[i], &py[i], &sums[i]);
  }
  levelpull::TSettleBounds bounds;
  bounds.Rounding = 28 * 0x1p-52;
  bounds.Shift = 0x1p-52 * 1300;
  const auto settle = [&](auto settleFour) {
    return [&, settleFour] {
      double total = 0;
      double x[4], y[4], nx[4], ny[4];
      for (size_t i = 0; i + 4 <= px.size(); i += 4) {
        bounds.Level = sums[i].V;
        bounds.LevelError = 0x1p-52 * std::fabs(bounds.Level);
        const int settled = settleFour(&sums[i], &px[i], &py[i], bounds, x, y, nx, ny);
        total += settled + x[0] + y[1] + nx[2] + ny[3];
      }
      return total;
    };
  };
  Compare(state, true, settle(hand::SettleFourAvx), settle(levelpull::SettleFour));
}
BENCHMARK(BM_SettleFour);

// A potential grid's rows (199 nodes, as 792 px wide); range(1) 0 for SSE2, 1 for AVX.
void BM_PotentialRow(benchmark::State &state) {
  const TInputs in = Inputs(static_cast<int>(state.range(0)), 0, 0);
  std::vector<TScaledSource> sources;
  for (size_t i = 0; i < in.Count; ++i)
    sources.push_back({in.X[i], in.Y[i], in.K[i]});
  constexpr int columns = 199;
  std::vector<double> sum(columns);
  std::vector<double> magnitude(columns);
  const auto hand = state.range(1) == 0 ? hand::AddSourcesToRowSse2 : hand::AddSourcesToRowAvx;
  const auto rows = [&](auto addRow) {
    return [&, addRow] {
      double total = 0;
      for (int j = 0; j < 134; j += 4) {
        std::fill(sum.begin(), sum.end(), 0.0);
        std::fill(magnitude.begin(), magnitude.end(), 0.0);
        addRow(sources.data(), sources.size(), j * kPotentialGridStep, columns, sum.data(),
               magnitude.data());
        for (int i = 0; i < columns; ++i)
          total += sum[i] + magnitude[i];
      }
      return total;
    };
  };
  Compare(state, true, rows(hand), rows(AddSourcesToRow));
}
BENCHMARK(BM_PotentialRow)->ArgsProduct({{2, 20}, {0, 1}});

// The potential map's pixel rows, 792 px wide (SSE2).
void BM_TintRow(benchmark::State &state) {
  std::mt19937 random(3);
  std::uniform_real_distribution<float> tint(-0.75f, 0.75f);
  constexpr int width = 792;
  std::vector<float> across((width - 1) / kPotentialGridStep + 2);
  for (float &t : across)
    t = tint(random);
  std::vector<std::uint32_t> row(width);
  const auto rows = [&](auto tintRow) {
    return [&, tintRow] {
      double total = 0;
      for (int k = 0; k < 64; ++k) {
        tintRow(across.data(), width - k % 4, row.data());
        for (const std::uint32_t pixel : row)
          total += pixel;
      }
      return total;
    };
  };
  Compare(state, true, rows(hand::TintRowSse2), rows(TintRow));
}
BENCHMARK(BM_TintRow);

} // namespace

BENCHMARK_MAIN();
