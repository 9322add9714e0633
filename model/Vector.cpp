#include "model/Vector.h"

#include <cmath>

double TVector::Angle() const {
  if (X == 0)
    return static_cast<double>(Sign(Y) * kPi / 2);
  double a = static_cast<double>(std::atan(static_cast<long double>(Y) / X));
  if (X < 0)
    a = static_cast<double>(a + kPi);
  return a;
}

double TVector::Length() const {
  const long double x = X;
  const long double y = Y;
  return static_cast<double>(std::sqrt(x * x + y * y));
}

void TVector::Add(const TVector &other) {
  X += other.X;
  Y += other.Y;
}

void TVector::Scale(double factor) {
  X *= factor;
  Y *= factor;
}

void TVector::SetLength(double newLength) { SetPolar(Angle(), newLength); }

void TVector::SetPolar(double angle, double length) {
  // The x87 argument reduction gives up at 2^63; the result is then 0 for both.
  constexpr long double kReductionLimit = 9223372036854775808.0L;
  const long double a = angle;
  if (std::fabs(a) >= kReductionLimit) {
    X = 0;
    Y = 0;
    return;
  }
  X = static_cast<double>(std::cos(a) * length);
  Y = static_cast<double>(std::sin(a) * length);
}

long double PolarAngle(long double dx, long double dy) {
  if (dx != 0)
    return std::atan2(dy, dx);
  return Sign(static_cast<double>(dy)) * kPi / 2;
}
