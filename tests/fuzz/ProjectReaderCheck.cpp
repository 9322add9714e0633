#include "ProjectReaderCheck.h"

#include "base/Errors.h"
#include "file/PotentialBlock.h"
#include "file/ProjectCodec.h"

#include <cmath>

namespace {

bool SoundCharges(const TProjectData &data, qsizetype inputSize) {
  // The shortest record is 11 bytes (integer tags in the float fields).
  if (data.Charges.size() * 11 > static_cast<size_t>(inputSize))
    return false;
  for (const TChargeRecord &c : data.Charges)
    if (!std::isfinite(c.X) || !std::isfinite(c.Y) || !std::isfinite(c.ChargeValue) ||
        c.FieldLineCount > 400 || c.ChargeUnit > 1)
      return false;
  return true;
}

bool SoundProject(const TProjectData &data) {
  const auto chosen = [&](int32_t index) {
    return index >= -1 && index < static_cast<int64_t>(data.Charges.size());
  };
  return std::isfinite(data.ArrowScale) && data.ArrowScale > 0 && std::isfinite(data.ZoomFactor) &&
         data.ZoomFactor > 0 && chosen(data.FirstChosen) && chosen(data.SecondChosen) &&
         PotentialOptionsValid(data.Potential);
}

// Whatever was accepted must write and read back to the same data and bytes, and bytes
// after the end must not matter.
std::string RoundTripFault(const TProjectData &data) {
  const QByteArray bytes = EncodeProject(data);
  TProjectData again;
  DecodeProject(bytes + QByteArray::fromHex("01 05 FF"), again);
  if (!(again == data))
    return "round trip changed the data";
  if (EncodeProject(again) != bytes)
    return "round trip changed the bytes";
  return {};
}

} // namespace

TReadCheck CheckProjectRead(const QByteArray &input) {
  TReadCheck check;
  std::string &fault = check.Fault;
  try {
    DecodeProject(input, check.Data);
    check.Outcome = EReadOutcome::Accepted;
    fault = SoundProject(check.Data) ? RoundTripFault(check.Data) : "unsound values accepted";
  } catch (const EReadError &e) {
    check.Outcome = EReadOutcome::ReadError;
    fault = e.Message() == QStringLiteral("Stream-Lesefehler") ? "" : "read error text";
  } catch (const EPropertyError &e) {
    check.Outcome = EReadOutcome::PropertyError;
    fault = e.Message() == QStringLiteral("Ungültiger Eigenschaftswert") ? "" : "property text";
  } catch (const EListError &e) {
    check.Outcome = EReadOutcome::ListError;
    fault = e.Message().startsWith(QStringLiteral("Listenindex überschreitet das Maximum ("))
                ? ""
                : "list error text";
  } catch (const std::exception &e) {
    fault = std::string("unexpected exception: ") + e.what();
  }
  if (fault.empty() && !SoundCharges(check.Data, input.size()))
    fault = "unsound charge records kept";
  return check;
}

std::vector<QByteArray> ProjectSeeds() {
  TProjectData data;
  data.OriginX = 396;
  data.OriginY = 267;
  std::vector<QByteArray> seeds{EncodeProject(data)};
  data.Charges = {{386, 257, 1.602177e-19L, 16, false, 0}};
  seeds.push_back(EncodeProject(data));
  data.Charges.push_back({-1e9, 0.5, -3e-6L, 400, true, 1});
  data.Charges.push_back({1e300, -1e-300, 0, 128, true, 0});
  data.FirstChosen = 2;
  data.SecondChosen = 0;
  data.ValueIndex = 1;
  data.VoltageWindowVisible = true;
  seeds.push_back(EncodeProject(data));
  data.Potential.Lines = data.Potential.Map = true;
  data.Potential.Levels = {-2, 0.5L};
  seeds.push_back(EncodeProject(data));
  seeds.push_back(
      QByteArray::fromHex("8C0100000B010000 0203 13010000000000000001"
                          "02F6 0300 80 04FFFFFF7F 0210 05 0201 00 0200 02FF 0301 00 09"));
  return seeds;
}
