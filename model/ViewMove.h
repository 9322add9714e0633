#pragma once
// A change of view (pan, zoom, centring) as the history keeps it: the view before and after,
// and only those charge positions that moving the charges by the view's own rule would not
// give back to the last bit. A pan among integer positions keeps none.

#include "base/Geometry.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class TChargeList;

using TPixelPosition = std::pair<double, double>; // X, Y (px) of a charge's corner

// The view without the charges.
struct TViewValues {
  TPoint Origin{0, 0};
  long double PixelsPerMetre = 0;
  long double ArrowScale = 0;
  uint32_t ArrowColor = 0;
  uint32_t StepLength = 0;
  bool ShowCursorLine = false;
  bool operator==(const TViewValues &) const = default;
};

// Where a charge's corner (px) goes when the view moves from one origin to another and the
// zoom changes by scale (about the first origin, then shifted): the rules of zooming and
// panning, in that order.
TPixelPosition MovedPosition(TPixelPosition corner, TPoint from, long double scale, TPoint to);

std::vector<TPixelPosition> PositionsOf(const TChargeList &charges);

// The positions that a move from a view to another misses.
class TPositionPatch {
public:
  TPositionPatch() = default;
  // Compares where every position of start goes with where it must go (both in charge order).
  static TPositionPatch Between(const std::vector<TPixelPosition> &start, TPoint from,
                                long double scale, TPoint to,
                                const std::vector<TPixelPosition> &wanted);
  // Moves every charge, then puts right what the move misses.
  void Apply(TChargeList &charges, TPoint from, long double scale, TPoint to) const;
  size_t Bytes() const;

private:
  // Empty indices with positions of every charge: all of them are kept.
  std::vector<uint32_t> indices_;
  std::vector<TPixelPosition> positions_;
};

// One change of view, undone and redone exactly.
class TViewMove {
public:
  // start: the charges' positions before; the charges are where the change put them now.
  TViewMove(const TViewValues &before, const std::vector<TPixelPosition> &start,
            const TViewValues &after, const TChargeList &charges);
  const TViewValues &Before() const { return before_; }
  const TViewValues &After() const { return after_; }
  // Puts the charges where they were before or after (the view values are the caller's).
  void MoveBack(TChargeList &charges) const;
  void MoveForth(TChargeList &charges) const;
  size_t Bytes() const { return back_.Bytes() + forth_.Bytes(); }

private:
  TViewValues before_;
  TViewValues after_;
  TPositionPatch back_;
  TPositionPatch forth_;
};
