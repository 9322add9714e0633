#pragma once
// One point charge as a plain value: the corner (X, Y) of its square, whose centre lies
// kChargeHalfSize further right and down, and what it carries.

#include <cstdint>
#include <iterator>

// Half the side of a charge's square (px): its centre lies this far from X and Y.
inline constexpr int kChargeHalfSize = 10;

// Coulombs of one elementary charge, to seven significant digits.
inline constexpr long double kElementaryCharge = 1.602177e-19L;
// Coulombs per display unit, indexed by ChargeUnit: 0 elementary charge, 1 coulomb.
inline constexpr long double UnitFactor[2] = {kElementaryCharge, 1.0L};

// Coulombs per unit. A unit the list does not know (only a damaged project file holds one)
// counts as coulombs, so that showing and applying such a charge never changes its value.
inline long double UnitFactorOf(int unit) {
  return unit >= 0 && unit < static_cast<int>(std::size(UnitFactor)) ? UnitFactor[unit] : 1.0L;
}

struct TPointCharge {
  double X = 0;                // px, the square's left edge
  double Y = 0;                // px, the square's top edge
  long double ChargeValue = 0; // C
  uint32_t FieldLineCount = 0;
  bool IsTestCharge = false;
  uint8_t ChargeUnit = 0;

  long double CenterX() const { return static_cast<long double>(X) + kChargeHalfSize; } // px
  long double CenterY() const { return static_cast<long double>(Y) + kChargeHalfSize; } // px
  // A source creates the field; a test charge only feels it.
  bool IsSource() const { return !IsTestCharge; }
  bool operator==(const TPointCharge &) const = default;
};
