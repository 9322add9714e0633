#pragma once
// Charges on their way through the clipboard. They travel in metres, so that another
// program's view puts them at the same place, with a text form that a person can read.

#include "base/Geometry.h"
#include "model/PointCharge.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

struct TScene;

// Our own clipboard format; the readable form goes as text/plain beside it.
inline constexpr char kChargesMimeType[] = "application/x-kraftbild-charges";

// One charge as it travels: its centre in metres and what it carries.
struct TTransferredCharge {
  long double X = 0;     // m
  long double Y = 0;     // m, upwards
  long double Value = 0; // C
  uint8_t Unit = 0;      // as TPointCharge::ChargeUnit
  uint32_t FieldLines = 0;
  bool TestCharge = false;
  bool operator==(const TTransferredCharge &) const = default;
};

std::vector<TTransferredCharge> TransferredCharges(const TScene &scene,
                                                   const std::vector<int> &indices);
// The bytes of our format: a first line naming it and its version, then one line per charge
// with its numbers in C notation.
QByteArray EncodeCharges(const std::vector<TTransferredCharge> &charges);
// Null for bytes that are not our format's, or that hold a damaged line or no charge.
std::optional<std::vector<TTransferredCharge>> DecodeCharges(const QByteArray &bytes);
// One line per charge in the program's language and number format.
QString ChargesText(const std::vector<TTransferredCharge> &charges);

// The charges in the scene's view (px). With at, the centre of their box lies there;
// without, they keep their metres, moved right and down by offset px. Empty when one of
// them would lie beyond what the view can hold.
std::vector<TPointCharge> PlacedCharges(const TScene &scene,
                                        const std::vector<TTransferredCharge> &charges,
                                        std::optional<TPoint> at, long double offset);
