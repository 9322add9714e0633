#pragma once
// One row of the potential map's pixels from the tints of the nodes across it.

#include <cstdint>

// Pixel x of the row (0 <= x < width) gets the tint t linear between across[x / 4] and
// across[x / 4 + 1] (the nodes are kPotentialGridStep = 4 px apart; across holds
// (width - 1) / 4 + 2 values), as 0xFFRRGGBB: white at 0, fading to red for t > 0 and to
// blue for t < 0, the fade 255 (1 - |t|) rounded by adding a half. |t| <= 1.
void TintRow(const float *across, int width, std::uint32_t *row);
