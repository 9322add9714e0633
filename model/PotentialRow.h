#pragma once
// One row of the potential grid's nodes in double precision: the sum of k / d over the
// sources, with the sum of |k / d| that bounds its rounding.

#include <cstddef>

// A source in the grid's double precision: the top-left corner, as PotentialAt measures
// from it, and k in units of the grid.
struct TScaledSource {
  double X = 0; // px
  double Y = 0; // px
  double K = 0;
};

// Adds k / d of every source to sum and |k / d| to magnitude at the nodes 0..count-1 of a
// row at the screen height y px, node i at i * kPotentialGridStep px. Each node adds the
// sources in their order.
void AddSourcesToRow(const TScaledSource *sources, std::size_t sourceCount, double y, int count,
                     double *sum, double *magnitude);
