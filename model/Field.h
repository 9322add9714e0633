#pragma once
// Coulomb force and electric potential of the sources (charges that are not test charges).

#include "model/Vector.h"

struct TScene;

// 4 pi epsilon0 and k = 1 / (4 pi epsilon0), from epsilon0 = 8.854188e-12 F/m, in extended
// precision.
inline constexpr long double kFourPiEpsilon0 = 4 * kPi * 8.854188e-12L; // F/m
inline constexpr long double kCoulomb = 1 / kFourPiEpsilon0;            // N m^2 / C^2

// Sources closer than this to the point (px) exert no force.
inline constexpr long double kForceExclusionRadius = 0.001L;

// Force (N, screen axes, y down) of the scene's sources on a charge q (C) at the screen
// point (x, y) (px).
// With q = +1 this is the field strength in N/C.
void ForceAt(const TScene &scene, TVector &force, long double x, long double y, long double q);

// The sum of the magnitudes of the forces ForceAt adds up (N): the scale of the rounding
// noise in its result.
long double ForceMagnitudeSum(const TScene &scene, long double x, long double y, long double q);

// Potential (V) at the centre of the 20 by 20 square whose top-left corner is (x, y) (px);
// +infinity when a source sits exactly there.
long double PotentialAt(const TScene &scene, long double x, long double y);

// The sum of |term| of PotentialAt's sum (V) at the same point: the scale of its rounding
// noise. +infinity where PotentialAt is.
long double PotentialMagnitudeSum(const TScene &scene, long double x, long double y);
