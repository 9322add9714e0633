#pragma once

#include <cstdint>

// How the picture shows the field besides its lines: switches a project keeps, all off by
// default, so that a picture without them is the plain one.

// Most lines the largest charge may get in proportion: as many as one charge may have.
inline constexpr uint32_t kMaxProportionalLines = 400;

struct TFieldLineOptions {
  // Field lines per source in proportion to its charge instead of each source's own count.
  bool Proportional = false;
  // An arrow on each field line that shows the field's direction.
  bool Arrows = false;
  // Field lines traced with an adaptive step to a set accuracy instead of a fixed step.
  bool Accurate = false;
  // A cross at each point of the surface where the field vanishes.
  bool ZeroPoints = false;

  // Lines of the source of the largest magnitude when they are in proportion to charge.
  uint32_t Lines = 16;

  bool AnySet() const { return Proportional || Arrows || Accurate || ZeroPoints; }
  friend bool operator==(const TFieldLineOptions &, const TFieldLineOptions &) = default;
};
