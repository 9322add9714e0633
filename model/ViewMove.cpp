#include "model/ViewMove.h"

#include "model/Scene.h"
#include "model/Zoom.h"

#include <bit>

namespace {

bool SameBits(const TPixelPosition &a, const TPixelPosition &b) {
  return std::bit_cast<uint64_t>(a.first) == std::bit_cast<uint64_t>(b.first) &&
         std::bit_cast<uint64_t>(a.second) == std::bit_cast<uint64_t>(b.second);
}

double Shifted(double corner, int32_t from, int32_t to) {
  // As TScene::ShiftView computes it.
  return static_cast<double>((static_cast<long double>(to) + corner) - from);
}

} // namespace

TPixelPosition MovedPosition(TPixelPosition corner, TPoint from, long double scale, TPoint to) {
  if (scale != 1) {
    corner.first = ScaledAbout(corner.first, from.X, scale);
    corner.second = ScaledAbout(corner.second, from.Y, scale);
  }
  if (from.X != to.X || from.Y != to.Y) {
    corner.first = Shifted(corner.first, from.X, to.X);
    corner.second = Shifted(corner.second, from.Y, to.Y);
  }
  return corner;
}

std::vector<TPixelPosition> PositionsOf(const TChargeList &charges) {
  std::vector<TPixelPosition> positions;
  positions.reserve(static_cast<size_t>(charges.Count()));
  for (const auto &charge : charges)
    positions.emplace_back(charge.X, charge.Y);
  return positions;
}

TPositionPatch TPositionPatch::Between(const std::vector<TPixelPosition> &start, TPoint from,
                                       long double scale, TPoint to,
                                       const std::vector<TPixelPosition> &wanted) {
  TPositionPatch patch;
  for (size_t i = 0; i < start.size() && i < wanted.size(); ++i)
    if (!SameBits(MovedPosition(start[i], from, scale, to), wanted[i])) {
      patch.indices_.push_back(static_cast<uint32_t>(i));
      patch.positions_.push_back(wanted[i]);
    }
  // An index costs more than listing every position once most of them are missed.
  if (patch.indices_.size() * (sizeof(uint32_t) + sizeof(TPixelPosition)) >=
      wanted.size() * sizeof(TPixelPosition)) {
    patch.indices_.clear();
    patch.positions_ = wanted;
  }
  patch.indices_.shrink_to_fit();
  patch.positions_.shrink_to_fit();
  return patch;
}

void TPositionPatch::Apply(TChargeList &charges, TPoint from, long double scale, TPoint to) const {
  const bool all = indices_.empty() && !positions_.empty();
  for (int i = 0; i < charges.Count(); ++i) {
    TPointCharge &charge = charges[i];
    const TPixelPosition moved = all && static_cast<size_t>(i) < positions_.size()
                                     ? positions_[static_cast<size_t>(i)]
                                     : MovedPosition({charge.X, charge.Y}, from, scale, to);
    charge.X = moved.first;
    charge.Y = moved.second;
  }
  if (all)
    return;
  for (size_t k = 0; k < indices_.size(); ++k) {
    TPointCharge *charge = charges.At(static_cast<int>(indices_[k]));
    if (charge != nullptr) {
      charge->X = positions_[k].first;
      charge->Y = positions_[k].second;
    }
  }
}

size_t TPositionPatch::Bytes() const {
  return indices_.capacity() * sizeof(uint32_t) + positions_.capacity() * sizeof(TPixelPosition);
}

namespace {

long double ScaleBetween(const TViewValues &from, const TViewValues &to) {
  return from.PixelsPerMetre == to.PixelsPerMetre ? 1 : to.PixelsPerMetre / from.PixelsPerMetre;
}

} // namespace

TViewMove::TViewMove(const TViewValues &before, const std::vector<TPixelPosition> &start,
                     const TViewValues &after, const TChargeList &charges)
    : before_(before), after_(after) {
  const std::vector<TPixelPosition> end = PositionsOf(charges);
  back_ =
      TPositionPatch::Between(end, after.Origin, ScaleBetween(after, before), before.Origin, start);
  forth_ =
      TPositionPatch::Between(start, before.Origin, ScaleBetween(before, after), after.Origin, end);
}

void TViewMove::MoveBack(TChargeList &charges) const {
  back_.Apply(charges, after_.Origin, ScaleBetween(after_, before_), before_.Origin);
}

void TViewMove::MoveForth(TChargeList &charges) const {
  forth_.Apply(charges, before_.Origin, ScaleBetween(before_, after_), after_.Origin);
}
