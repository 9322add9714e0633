#include "model/PotentialTint.h"

#include "model/PotentialGrid.h"
#include "model/VectorClones.h"

#include <cmath>

namespace {

std::uint32_t Tinted(float t) {
  const auto fade = static_cast<std::uint32_t>(static_cast<int>(255 * (1 - std::fabs(t)) + 0.5f));
  const std::uint32_t full = 255;
  return t < 0 ? 0xFF000000u | fade << 16 | fade << 8 | full
               : 0xFF000000u | full << 16 | fade << 8 | fade;
}

} // namespace

// A cell's four pixels at a time, the same steps for each: the compiler takes them side by
// side.
KRAFTBILD_VECTOR_CLONES void TintRow(const float *__restrict across, int width,
                                     std::uint32_t *__restrict row) {
  constexpr int step = kPotentialGridStep;
  static_assert(step == 4);
  int x = 0;
  for (; x + step <= width; x += step) {
    const float start = across[x / step];
    const float rise = across[x / step + 1] - start;
    for (int k = 0; k < step; ++k)
      row[x + k] = Tinted(start + static_cast<float>(k) / step * rise);
  }
  for (; x < width; ++x) {
    const int i = x / step;
    row[x] =
        Tinted(across[i] + static_cast<float>(x - i * step) / step * (across[i + 1] - across[i]));
  }
}
