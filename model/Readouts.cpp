#include "model/Readouts.h"

#include "model/Field.h"
#include "model/NumberText.h"
#include "model/Scene.h"
#include "model/ZeroFieldPoints.h"

#include <QCoreApplication>

#include <cmath>

namespace {

// A sum no larger than this fraction of the sum of its terms' magnitudes is rounding noise,
// the remainder of terms that cancel by symmetry: long double sums leave about 1e-19 of it
// per term, and the double vectors of ForceAt about 1e-16.
constexpr long double kSumNoise = 1e-12L;

long double ZeroIfNoise(long double sum, long double magnitudes) {
  return std::fabs(sum) <= kSumNoise * magnitudes ? 0 : sum;
}

// ForceAt with a force that is only noise made exactly zero.
TVector ForceWithoutNoise(const TScene &scene, long double x, long double y, long double q) {
  TVector force;
  ForceAt(scene, force, x, y, q);
  if (ZeroIfNoise(force.Length(), ForceMagnitudeSum(scene, x, y, q)) == 0)
    force = {};
  return force;
}

QString Translated(const QString &source) {
  return QCoreApplication::translate("Readouts", source.toUtf8().constData());
}

QString Scientific(long double value, const char *unit) {
  return FormatScientific(value) + QLatin1String(unit);
}

} // namespace

QString PositionText(const TScene &scene, const TPointCharge &charge) {
  const TWorldPoint w = scene.ChargeWorldPosition(charge);
  return QStringLiteral("X: ") + FormatFixed(w.X, 4) + QStringLiteral(" | Y: ") +
         FormatFixed(w.Y, 4);
}

QStringList ZeroPointTexts(const TScene &scene, TSize surface) {
  QStringList texts;
  if (!scene.FieldLines.ZeroPoints)
    return texts;
  for (const TWorldPoint &point : ZeroFieldPoints(scene, surface))
    texts.append(StatusPositionText(point.X, point.Y));
  return texts;
}

TDataRows DataRowsFor(const TScene &scene, const TPointCharge *selected) {
  if (selected == nullptr || !selected->IsTestCharge) {
    const QString none = Translated(kNoTestChargeText);
    return {none, none, none, none};
  }

  TDataRows rows;
  const long double q = selected->ChargeValue;
  const long double px = selected->CenterX();
  const long double py = selected->CenterY();
  if (q != 0) {
    const TVector work = ForceWithoutNoise(scene, px, py, q);
    rows.Force = Scientific(work.Length(), " N");
    // Screen y points down: the negated angle turns counter-clockwise, as in mathematics.
    long double a = -work.Angle();
    while (a < 0)
      a += kFullCircle;
    rows.Angle = FormatFixed(a * 180 / kPiDegrees, 2) + QChar(u'°');
    rows.FieldStrength = Scientific(std::fabs(work.Length() / q), " N/C");
  } else {
    rows.Force = Scientific(0, " N");
    rows.Angle = Translated(kNoChargeText);
    rows.FieldStrength = Scientific(ForceWithoutNoise(scene, px, py, 1).Length(), " N/C");
  }
  const long double v = PotentialAt(scene, selected->X, selected->Y);
  rows.Potential =
      std::isinf(static_cast<double>(v))
          ? Translated(kInfiniteText)
          : Scientific(ZeroIfNoise(v, PotentialMagnitudeSum(scene, selected->X, selected->Y)),
                       " V");
  return rows;
}

QString PanelCaption(const TScene &scene, const TPointCharge *charge) {
  return charge == nullptr ? Translated(kNoChargeChosenText) : PositionText(scene, *charge);
}

QString VoltageValueText(const TScene &scene, const TPointCharge *start, const TPointCharge *end,
                         int valueIndex) {
  if (start == nullptr || end == nullptr)
    return Translated(kClickHintText);
  if (valueIndex != kValueVoltage && valueIndex != kValueWork)
    return Translated(kChooseValueHintText);
  const long double v2 = PotentialAt(scene, end->X, end->Y);
  const long double v1 = PotentialAt(scene, start->X, start->Y);
  const long double difference = v2 - v1;
  if (!std::isfinite(difference))
    return Translated(kInfiniteText);
  // Both sums' terms add to the noise of their difference.
  const long double u =
      ZeroIfNoise(difference, PotentialMagnitudeSum(scene, end->X, end->Y) +
                                  PotentialMagnitudeSum(scene, start->X, start->Y));
  const long double value = valueIndex == kValueVoltage ? u : u * start->ChargeValue;
  if (!std::isfinite(static_cast<double>(value)))
    return Translated(kInfiniteText);
  return Scientific(value, valueIndex == kValueVoltage ? " V" : " J");
}
