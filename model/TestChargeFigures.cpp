#include "model/TestChargeFigures.h"

#include "base/PixelMath.h"
#include "model/Field.h"

#include <algorithm>
#include <bit>
#include <thread>
#include <unordered_map>

namespace {

// Where a test charge lies, for finding the figure kept for it.
uint64_t PlaceKey(const TPointCharge &charge) {
  return std::bit_cast<uint64_t>(charge.X) ^ std::rotl(std::bit_cast<uint64_t>(charge.Y), 32);
}

} // namespace

bool FiguresTooCostlyForFrames(const TScene &scene) {
  uint64_t sources = 0;
  uint64_t tests = 0;
  for (const auto &charge : scene.Charges)
    ++(charge.IsSource() ? sources : tests);
  return sources * tests > kFramePairBudget;
}

TFigureField TFigureField::Of(const TScene &scene, const TPictureTarget &target) {
  TFigureField field;
  for (const auto &charge : scene.Charges)
    if (charge.IsSource())
      field.Sources.push_back(charge);
  field.PixelsPerMetre = scene.PixelsPerMetre;
  field.StepLength = scene.StepLength;
  field.Area = target.Area;
  field.Trace = target.Trace;
  return field;
}

namespace {

using TKeptFigures =
    std::unordered_map<uint64_t, std::vector<std::shared_ptr<const TTestChargeFigure>>>;

// The figures of before that may serve in the field of scene and target, by place.
TKeptFigures KeptFigures(const TScene &scene, const TPictureTarget &target,
                         const TTracedFigures *before) {
  TKeptFigures kept;
  if (before == nullptr || !(before->Field == TFigureField::Of(scene, target)))
    return kept;
  for (const auto &figure : before->ByIndex)
    if (figure)
      kept[PlaceKey(figure->State)].push_back(figure);
  return kept;
}

} // namespace

TFigureList TraceTestChargeFigures(const TScene &scene, const TPictureTarget &target,
                                   const std::atomic<bool> *cancel, const TTracedFigures *before) {
  const int count = scene.Charges.Count();
  TFigureList figures(static_cast<size_t>(count));
  const TKeptFigures kept = KeptFigures(scene, target, before);
  const auto keptFor = [&kept](const TPointCharge &charge) {
    const auto found = kept.find(PlaceKey(charge));
    if (found != kept.end())
      for (const auto &figure : found->second)
        if (figure->State == charge)
          return figure;
    return std::shared_ptr<const TTestChargeFigure>();
  };
  const TFieldLineTracer tracer(scene, target);
  std::atomic<int> next{0};
  auto work = [&] {
    for (int i = next.fetch_add(1); i < count; i = next.fetch_add(1)) {
      if (cancel != nullptr && cancel->load(std::memory_order_relaxed))
        return;
      const TPointCharge &charge = scene.Charges[i];
      if (charge.IsSource())
        continue;
      std::shared_ptr<const TTestChargeFigure> &slot = figures[static_cast<size_t>(i)];
      slot = keptFor(charge);
      if (slot)
        continue;
      // The same centre, halves and force as a frame's own drawing of the charge.
      const int32_t x = pixel::Round(charge.X + kChargeHalfSize);
      const int32_t y = pixel::Round(charge.Y + kChargeHalfSize);
      auto figure = std::make_shared<TTestChargeFigure>();
      figure->State = charge;
      uint64_t steps = 0;
      tracer.TraceHalf(-1, x, y, figure->Halves[0], steps);
      tracer.TraceHalf(+1, x, y, figure->Halves[1], steps);
      if (charge.ChargeValue != 0)
        ForceAt(scene, figure->Force, x, y, charge.ChargeValue);
      slot = std::move(figure);
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

std::shared_ptr<const TTestChargeFigure>
TTestChargeFigures::FindShared(int index, const TPointCharge &charge) const {
  if (index < 0 || static_cast<size_t>(index) >= ByIndex.size())
    return nullptr;
  const std::shared_ptr<const TTestChargeFigure> &figure = ByIndex[static_cast<size_t>(index)];
  // Another charge at that index, or the charge since moved: no figure of it.
  return figure && figure->State == charge ? figure : nullptr;
}
