#pragma once
// A row of equal charges, evenly spaced on a segment: a plate of a capacitor in one step.

#include "model/PointCharge.h"
#include "model/Scene.h"

#include <cstdint>
#include <vector>

inline constexpr int kMaxRowCharges = 400;

struct TChargeRow {
  TWorldPoint From, To; // m, the ends of the segment
  int Count = 11;       // charges, 1 .. kMaxRowCharges
  long double Each = 0; // C of every charge
  uint8_t Unit = 0;     // the unit the charge tab shows them in
  uint32_t FieldLines = 16;
};

// The row's charges in the scene's pixels, from From to To; a single charge sits midway.
std::vector<TPointCharge> RowCharges(const TScene &scene, const TChargeRow &row);
