#pragma once
// What the picture shows of the potential: equipotential lines and the colour map.

#include <cstdint>
#include <vector>

inline constexpr uint32_t kDefaultEquipotentialColor = 0x00FF8000; // RGB (0, 128, 255)

struct TPotentialOptions {
  bool Lines = false;                              // equipotential lines
  bool FixedSpacing = false;                       // Spacing instead of the automatic one
  long double Spacing = 10;                        // V, > 0
  bool TestChargeLine = false;                     // the line through the selected test charge
  uint32_t LineColor = kDefaultEquipotentialColor; // $00BBGGRR
  bool Map = false;                                // the potential map and its legend
  // Exactly these levels (V) instead of a spacing, when not empty.
  std::vector<long double> Levels;

  bool AnyShown() const { return Lines || TestChargeLine || Map; }
  friend bool operator==(const TPotentialOptions &, const TPotentialOptions &) = default;
};
