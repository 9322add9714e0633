#include "model/PotentialGrid.h"

#include "model/Field.h"
#include "model/ParallelFor.h"
#include "model/PotentialRow.h"
#include "model/Scene.h"

#include <algorithm>
#include <cmath>
#include <limits>

std::vector<TPotentialSource> PotentialSources(const TScene &scene) {
  std::vector<TPotentialSource> sources;
  for (const auto &c : scene.Charges)
    if (c.IsSource())
      sources.push_back(
          {c.CenterX(), c.CenterY(), c.ChargeValue * scene.PixelsPerMetre / kFourPiEpsilon0});
  return sources;
}

long double PotentialOf(const std::vector<TPotentialSource> &sources, long double x,
                        long double y) {
  long double sum = 0;
  for (const TPotentialSource &s : sources) {
    const long double dx = x - s.X;
    const long double dy = y - s.Y;
    const long double d = std::sqrt(dx * dx + dy * dy);
    if (d == 0)
      return std::numeric_limits<long double>::infinity();
    sum += s.K / d;
  }
  return sum;
}

TPotentialGrid::TPotentialGrid(const TScene &scene, TSize area)
    : size_(area), sources_(PotentialSources(scene)) {
  size_.Width = std::max(size_.Width, 0);
  size_.Height = std::max(size_.Height, 0);
  constexpr int step = kPotentialGridStep;
  columns_ = size_.Width > 0 ? (size_.Width - 1 + step - 1) / step + 1 : 0;
  rows_ = size_.Height > 0 ? (size_.Height - 1 + step - 1) / step + 1 : 0;
  const size_t count = static_cast<size_t>(columns_) * rows_;
  values_.assign(count, 0);
  slack_.assign(count, 0);
  disc_.assign(count, 0);

  // k scaled by a power of two (exactly) so that the largest is below 1: any charge the
  // scene holds stays in the range of doubles.
  long double largest = 0;
  for (const TPotentialSource &s : sources_)
    largest = std::max(largest, std::fabs(s.K));
  if (largest > 0 && std::isfinite(largest))
    unit_ = std::ldexp(1.0L, std::ilogb(largest) + 1);
  std::vector<TScaledSource> scaled;
  for (const TPotentialSource &s : sources_)
    if (s.K != 0)
      scaled.push_back({static_cast<double>(s.X - kChargeHalfSize),
                        static_cast<double>(s.Y - kChargeHalfSize),
                        static_cast<double>(s.K / unit_)});
  // Each term k / d is within 8 ulp of its exact value (one rounding each in k, dx, dy,
  // their squares, their sum, the root and the quotient), the sum of n terms adds n - 1 ulp
  // of the sum of |terms|: twice that bound, plus what underflow may lose.
  const double relative =
      (2.0 * static_cast<double>(scaled.size()) + 16) * std::numeric_limits<double>::epsilon() / 2;
  const double absolute = static_cast<double>(scaled.size()) * std::ldexp(1.0, -1000);
  // The discs are marked alongside the rows, by the first task.
  ParallelFor(static_cast<size_t>(rows_) + 1, [&](size_t task) {
    if (task == 0) {
      MarkDiscs();
      return;
    }
    const int j = static_cast<int>(task - 1);
    double *sum = &values_[Index(0, j)];
    std::vector<double> magnitude(static_cast<size_t>(columns_), 0.0);
    AddSourcesToRow(scaled.data(), scaled.size(), j * kPotentialGridStep, columns_, sum,
                    magnitude.data());
    for (int i = 0; i < columns_; ++i)
      slack_[Index(i, j)] = relative * magnitude[static_cast<size_t>(i)] + absolute;
  });
  // PotentialAt is infinite on a centre, whatever the charges.
  for (const TPotentialSource &s : sources_) {
    const long double i = s.X / step;
    const long double j = s.Y / step;
    if (i == std::floor(i) && j == std::floor(j) && i >= 0 && j >= 0 && i < columns_ && j < rows_)
      values_[Index(static_cast<int>(i), static_cast<int>(j))] =
          std::numeric_limits<double>::infinity();
  }

  // Least, greatest and the magnitudes that give the scale, row by row on all cores.
  struct TRowStatistics {
    double Low = std::numeric_limits<double>::infinity();
    double High = -std::numeric_limits<double>::infinity();
    std::vector<double> Magnitudes;
  };
  std::vector<TRowStatistics> statistics(static_cast<size_t>(rows_));
  ParallelFor(statistics.size(), [&](size_t row) {
    const int j = static_cast<int>(row);
    TRowStatistics &own = statistics[row];
    for (int i = 0; i < columns_; ++i) {
      const size_t k = Index(i, j);
      if (disc_[k] || !std::isfinite(values_[k]))
        continue;
      own.Low = std::min(own.Low, values_[k]);
      own.High = std::max(own.High, values_[k]);
      // The scale from every other node each way: a quarter of the sorting, as typical.
      if ((i | j) % 2 == 0)
        own.Magnitudes.push_back(std::fabs(values_[k]));
    }
  });
  std::vector<double> magnitudes;
  magnitudes.reserve(count / 4 + columns_ + rows_);
  double low = std::numeric_limits<double>::infinity();
  double high = -low;
  for (const TRowStatistics &row : statistics) {
    low = std::min(low, row.Low);
    high = std::max(high, row.High);
    magnitudes.insert(magnitudes.end(), row.Magnitudes.begin(), row.Magnitudes.end());
  }
  if (low <= high) {
    min_ = low * unit_;
    max_ = high * unit_;
  }
  if (!magnitudes.empty()) {
    auto at = magnitudes.begin() + static_cast<std::ptrdiff_t>(magnitudes.size() * 95 / 100);
    std::nth_element(magnitudes.begin(), at, magnitudes.end());
    typical_ = *at * unit_;
  }
}

void TPotentialGrid::MarkDiscs() {
  constexpr long double step = kPotentialGridStep;
  constexpr long double disc = kEquipotentialDiscRadius;
  // A corner this close to a centre puts the whole cell, its diagonal away, in the disc; a
  // point of a cell in a disc has every corner within the diagonal of it.
  const long double core = disc - step * std::sqrt(2.0L);
  const long double reach = disc + step * std::sqrt(2.0L);
  std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs; // node, source
  for (size_t n = 0; n < sources_.size(); ++n) {
    const TPotentialSource &s = sources_[n];
    const long double i0 = std::max<long double>(std::ceil((s.X - reach) / step), 0);
    const long double i1 = std::min<long double>(std::floor((s.X + reach) / step), columns_ - 1);
    const long double j0 = std::max<long double>(std::ceil((s.Y - reach) / step), 0);
    const long double j1 = std::min<long double>(std::floor((s.Y + reach) / step), rows_ - 1);
    for (long double j = j0; j <= j1; ++j)
      for (long double i = i0; i <= i1; ++i) {
        const long double d2 =
            (i * step - s.X) * (i * step - s.X) + (j * step - s.Y) * (j * step - s.Y);
        if (!(d2 < reach * reach))
          continue;
        const size_t k = Index(static_cast<int>(i), static_cast<int>(j));
        disc_[k] |= (d2 < disc * disc ? kDisc : 0) | (d2 < core * core ? kCore : 0);
        pairs.emplace_back(static_cast<std::uint32_t>(k), static_cast<std::uint32_t>(n));
      }
  }
  std::sort(pairs.begin(), pairs.end());
  nearStart_.assign(disc_.size() + 1, 0);
  near_.reserve(pairs.size());
  for (const auto &[node, source] : pairs) {
    ++nearStart_[node + 1];
    near_.push_back(source);
  }
  for (size_t k = 0; k < disc_.size(); ++k)
    nearStart_[k + 1] += nearStart_[k];
}

bool TPotentialGrid::InAnyDisc(int i, int j, double x, double y) const {
  const size_t k = Index(i, j);
  constexpr long double r = kEquipotentialDiscRadius;
  for (std::uint32_t n = nearStart_[k]; n < nearStart_[k + 1]; ++n) {
    const TPotentialSource &s = sources_[near_[n]];
    if ((x - s.X) * (x - s.X) + (y - s.Y) * (y - s.Y) < r * r)
      return true;
  }
  return false;
}

bool TPotentialGrid::ExactlyAtOrAbove(int i, int j, long double level) const {
  return PotentialOf(sources_, static_cast<long double>(i) * kPotentialGridStep,
                     static_cast<long double>(j) * kPotentialGridStep) >= level;
}
