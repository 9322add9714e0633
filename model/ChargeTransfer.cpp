#include "model/ChargeTransfer.h"

#include "model/NumberText.h"
#include "model/Scene.h"
#include "model/ViewLimits.h"

#include <QCoreApplication>
#include <QList>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr char kHeader[] = "Kraftbild-Ladungen 1";

void AppendNumber(QByteArray &bytes, long double value) {
  // Round trip exact in the C form, whatever the user's locale.
  char text[64];
  const auto end = std::to_chars(std::begin(text), std::end(text), value).ptr;
  bytes.append(text, end - text);
}

template <typename T> std::optional<T> ParseField(const QByteArray &field) {
  T value{};
  const char *end = field.constData() + field.size();
  const auto [at, error] = std::from_chars(field.constData(), end, value);
  if (error != std::errc() || at != end)
    return std::nullopt;
  return value;
}

std::optional<TTransferredCharge> ParseLine(const QByteArray &line) {
  const QList<QByteArray> fields = line.split(' ');
  if (fields.size() != 6)
    return std::nullopt;
  const auto x = ParseField<long double>(fields[0]);
  const auto y = ParseField<long double>(fields[1]);
  const auto value = ParseField<long double>(fields[2]);
  const auto unit = ParseField<unsigned>(fields[3]);
  const auto lines = ParseField<uint32_t>(fields[4]);
  const auto test = ParseField<unsigned>(fields[5]);
  if (!x || !y || !value || !unit || !lines || !test || !std::isfinite(*x) || !std::isfinite(*y) ||
      !std::isfinite(*value) || *unit >= std::size(UnitFactor) || *test > 1)
    return std::nullopt;
  return TTransferredCharge{*x, *y, *value, static_cast<uint8_t>(*unit), *lines, *test == 1};
}

} // namespace

std::vector<TTransferredCharge> TransferredCharges(const TScene &scene,
                                                   const std::vector<int> &indices) {
  std::vector<TTransferredCharge> charges;
  charges.reserve(indices.size());
  for (const int index : indices) {
    const TPointCharge *charge = scene.Charges.At(index);
    if (charge == nullptr)
      continue;
    const TWorldPoint at = scene.ChargeWorldPosition(*charge);
    charges.push_back({at.X, at.Y, charge->ChargeValue, charge->ChargeUnit, charge->FieldLineCount,
                       charge->IsTestCharge});
  }
  return charges;
}

QByteArray EncodeCharges(const std::vector<TTransferredCharge> &charges) {
  QByteArray bytes(kHeader);
  bytes.append('\n');
  for (const TTransferredCharge &charge : charges) {
    for (const long double number : {charge.X, charge.Y, charge.Value}) {
      AppendNumber(bytes, number);
      bytes.append(' ');
    }
    bytes.append(QByteArray::number(charge.Unit)).append(' ');
    bytes.append(QByteArray::number(charge.FieldLines)).append(' ');
    bytes.append(charge.TestCharge ? "1\n" : "0\n");
  }
  return bytes;
}

std::optional<std::vector<TTransferredCharge>> DecodeCharges(const QByteArray &bytes) {
  QList<QByteArray> lines = bytes.split('\n');
  if (lines.size() < 3 || lines.front() != kHeader || !lines.back().isEmpty())
    return std::nullopt;
  std::vector<TTransferredCharge> charges;
  charges.reserve(static_cast<size_t>(lines.size() - 2));
  for (qsizetype i = 1; i + 1 < lines.size(); ++i) {
    const std::optional<TTransferredCharge> charge = ParseLine(lines[i]);
    if (!charge)
      return std::nullopt;
    charges.push_back(*charge);
  }
  return charges;
}

QString ChargesText(const std::vector<TTransferredCharge> &charges) {
  QString text;
  for (const TTransferredCharge &charge : charges) {
    const long double number = charge.Value / UnitFactorOf(charge.Unit);
    text += QCoreApplication::translate("TChargeTransfer", "x = %1 m; y = %2 m; Q = %3 %4; "
                                                           "%5 Feldlinien")
                .arg(FormatFixed(charge.X, 4), FormatFixed(charge.Y, 4), FormatShortest(number),
                     charge.Unit == 0 ? QStringLiteral("e") : QStringLiteral("C"))
                .arg(charge.FieldLines);
    if (charge.TestCharge)
      text += QCoreApplication::translate("TChargeTransfer", "; Probeladung");
    text += QLatin1Char('\n');
  }
  return text;
}

std::vector<TPointCharge> PlacedCharges(const TScene &scene,
                                        const std::vector<TTransferredCharge> &charges,
                                        std::optional<TPoint> at, long double offset) {
  std::vector<TPointCharge> placed;
  placed.reserve(charges.size());
  long double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
  for (const TTransferredCharge &charge : charges) {
    long double px = 0;
    long double py = 0;
    scene.WorldToScreen({charge.X, charge.Y}, px, py);
    left = std::min(left, px);
    right = std::max(right, px);
    top = std::min(top, py);
    bottom = std::max(bottom, py);
    TPointCharge point;
    point.X = static_cast<double>(px);
    point.Y = static_cast<double>(py);
    point.ChargeValue = charge.Value;
    point.ChargeUnit = charge.Unit;
    point.FieldLineCount = charge.FieldLines;
    point.IsTestCharge = charge.TestCharge;
    placed.push_back(point);
  }
  const long double dx = at ? at->X - (left + right) / 2 : offset;
  const long double dy = at ? at->Y - (top + bottom) / 2 : offset;
  for (TPointCharge &charge : placed) {
    // X and Y held the centre until here.
    const long double cx = charge.X + dx;
    const long double cy = charge.Y + dy;
    if (!PixelOffsetCentrable(cx - scene.Origin.X) || !PixelOffsetCentrable(cy - scene.Origin.Y))
      return {};
    charge.X = static_cast<double>(cx - kChargeHalfSize);
    charge.Y = static_cast<double>(cy - kChargeHalfSize);
  }
  return placed;
}
