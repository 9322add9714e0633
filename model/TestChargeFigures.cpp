#include "model/TestChargeFigures.h"

#include "base/PixelMath.h"
#include "model/Field.h"

#include <algorithm>
#include <thread>

bool FiguresTooCostlyForFrames(const TScene &scene) {
  uint64_t sources = 0;
  uint64_t tests = 0;
  for (const auto &charge : scene.Charges)
    ++(charge.IsSource() ? sources : tests);
  return sources * tests > kFramePairBudget;
}

std::vector<std::optional<TTestChargeFigure>>
TraceTestChargeFigures(const TScene &scene, const TPictureTarget &target,
                       const std::atomic<bool> *cancel) {
  const int count = scene.Charges.Count();
  std::vector<std::optional<TTestChargeFigure>> figures(static_cast<size_t>(count));
  const TFieldLineTracer tracer(scene, target);
  std::atomic<int> next{0};
  auto work = [&] {
    for (int i = next.fetch_add(1); i < count; i = next.fetch_add(1)) {
      if (cancel != nullptr && cancel->load(std::memory_order_relaxed))
        return;
      const TPointCharge &charge = scene.Charges[i];
      if (charge.IsSource())
        continue;
      // The same centre, halves and force as a frame's own drawing of the charge.
      const int32_t x = pixel::Round(charge.X + kChargeHalfSize);
      const int32_t y = pixel::Round(charge.Y + kChargeHalfSize);
      TTestChargeFigure &figure = figures[static_cast<size_t>(i)].emplace();
      figure.State = charge;
      uint64_t steps = 0;
      tracer.TraceHalf(-1, x, y, figure.Halves[0], steps);
      tracer.TraceHalf(+1, x, y, figure.Halves[1], steps);
      if (charge.ChargeValue != 0)
        ForceAt(scene, figure.Force, x, y, charge.ChargeValue);
    }
  };
  const unsigned workers = std::max(1u, std::thread::hardware_concurrency());
  {
    std::vector<std::jthread> pool;
    for (unsigned w = 1; w < workers; ++w)
      pool.emplace_back(work);
    work();
  }
  return figures;
}

const TTestChargeFigure *TTestChargeFigures::Find(int index, const TPointCharge &charge) const {
  if (index < 0 || static_cast<size_t>(index) >= ByIndex.size())
    return nullptr;
  const std::optional<TTestChargeFigure> &figure = ByIndex[static_cast<size_t>(index)];
  // Another charge at that index, or the charge since moved: no figure of it.
  return figure && figure->State == charge ? &*figure : nullptr;
}
