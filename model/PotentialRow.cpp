#include "model/PotentialRow.h"

#include "model/PointCharge.h"
#include "model/PotentialGrid.h"
#include "model/VectorClones.h"

#include <cmath>

// Sources outside, nodes inside: the nodes of a row are independent, so the compiler takes
// them a vector at a time.
KRAFTBILD_VECTOR_CLONES void AddSourcesToRow(const TScaledSource *sources, std::size_t sourceCount,
                                             double y, int count, double *__restrict sum,
                                             double *__restrict magnitude) {
  constexpr double half = kChargeHalfSize;
  constexpr double step = kPotentialGridStep;
  for (std::size_t n = 0; n < sourceCount; ++n) {
    const TScaledSource s = sources[n];
    const double dy = (y - half) - s.Y;
    const double dy2 = dy * dy;
    for (int i = 0; i < count; ++i) {
      const double dx = (i * step - half) - s.X;
      const double t = s.K / std::sqrt(dx * dx + dy2);
      sum[i] += t;
      magnitude[i] += std::fabs(t);
    }
  }
}
