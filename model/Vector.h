#pragma once
// The 2-D vector of the field model. Angles are radians in screen axes: 0 points to +x
// (right), pi/2 to +y (down on the screen).

#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64 &&
                  std::numeric_limits<long double>::max_exponent == 16384,
              "long double must be the 80-bit extended type");

// pi as an 80-bit extended constant.
inline constexpr long double kPi = 3.14159265358979323851L;

struct TVector {
  double X = 0;
  double Y = 0;

  // Direction in (-pi/2, 3pi/2); the zero vector has angle 0.
  double Angle() const;
  // Euclidean length, computed in extended precision.
  double Length() const;
  void Add(const TVector &other);
  void Scale(double factor);
  // Keeps the direction given by Angle(); the zero vector becomes (newLength, 0).
  void SetLength(double newLength);
  // Components from a direction (rad) and a length, cosine and sine in extended precision.
  void SetPolar(double angle, double length);

  friend bool operator==(const TVector &, const TVector &) = default;
};

// Direction of the difference (dx, dy) in (-pi, pi]; (0, 0) gives 0.
long double PolarAngle(long double dx, long double dy);

// Sign as -1, 0 or +1.
template <typename T> constexpr int Sign(T v) { return (v > T(0)) - (v < T(0)); }
