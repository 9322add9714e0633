#include "model/ChargeRow.h"

std::vector<TPointCharge> RowCharges(const TScene &scene, const TChargeRow &row) {
  std::vector<TPointCharge> charges;
  for (int i = 0; i < row.Count; ++i) {
    const long double t = row.Count == 1 ? 0.5L : static_cast<long double>(i) / (row.Count - 1);
    long double x = 0;
    long double y = 0;
    scene.WorldToScreen(
        {row.From.X + t * (row.To.X - row.From.X), row.From.Y + t * (row.To.Y - row.From.Y)}, x, y);
    TPointCharge charge;
    charge.X = static_cast<double>(x - kChargeHalfSize);
    charge.Y = static_cast<double>(y - kChargeHalfSize);
    charge.ChargeValue = row.Each;
    charge.ChargeUnit = row.Unit;
    charge.FieldLineCount = row.FieldLines;
    charges.push_back(charge);
  }
  return charges;
}
