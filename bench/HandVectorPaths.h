#pragma once
// The hand-written vector code that plain loops replaced in the model (intrinsics, for x86
// processors with SSE2, and AVX where named), for the benchmarks only.

#include "model/PotentialRow.h"
#include "model/PullSums.h"

#include <cstddef>
#include <cstdint>

namespace hand {

// As levelpull::SettleFour (AVX).
int SettleFourAvx(const levelpull::TLocal<double> *l, const double *px, const double *py,
                  const levelpull::TSettleBounds &bounds, double *x, double *y, double *nx,
                  double *ny);

// As AddSourcesToRow.
void AddSourcesToRowSse2(const TScaledSource *sources, std::size_t sourceCount, double y, int count,
                         double *sum, double *magnitude);
void AddSourcesToRowAvx(const TScaledSource *sources, std::size_t sourceCount, double y, int count,
                        double *sum, double *magnitude);

// As TintRow.
void TintRowSse2(const float *across, int width, std::uint32_t *row);

} // namespace hand
