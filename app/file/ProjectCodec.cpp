#include "app/file/ProjectCodec.h"

#include "app/file/StreamFormat.h"
#include "app/file/ValueReader.h"
#include "app/file/ValueWriter.h"
#include "display/Errors.h"

#include <QBuffer>

#include <cfloat>
#include <cmath>

namespace {

// Files the program never writes may hold values the rest of the program cannot live with
// (every pixel-to-metre conversion divides by the zoom, the unit indexes a two-entry
// table); such a file is rejected like one with a wrong tag.
void Require(bool valid) {
  if (!valid)
    throw EPropertyError(PropertyErrorText());
}

long double ReadPositiveFloat(TValueReader &reader) {
  const long double value = reader.ReadFloat();
  Require(std::isfinite(value) && value > 0);
  return value;
}

// A position is kept as a double; a value beyond its range could not be stored finite.
double ReadPosition(TValueReader &reader) {
  const long double value = reader.ReadFloat();
  Require(std::fabs(value) <= DBL_MAX);
  return static_cast<double>(value);
}

TChargeRecord ReadChargeRecord(TValueReader &reader) {
  TChargeRecord record;
  record.X = ReadPosition(reader);
  record.Y = ReadPosition(reader);
  record.ChargeValue = reader.ReadFloat();
  Require(std::isfinite(record.ChargeValue));
  const int32_t lines = reader.ReadInteger();
  Require(lines >= 0 && lines <= kMaxFieldLineCount);
  record.FieldLineCount = static_cast<uint32_t>(lines);
  record.IsTestCharge = reader.ReadBoolean();
  const int32_t unit = reader.ReadInteger();
  Require(unit == 0 || unit == 1);
  record.ChargeUnit = static_cast<uint8_t>(unit);
  return record;
}

int32_t ReadChosenIndex(TValueReader &reader, const std::vector<TChargeRecord> &charges) {
  const int32_t index = reader.ReadInteger();
  if (index != -1 && (index < 0 || static_cast<size_t>(index) >= charges.size()))
    throw EListError(ListIndexErrorText(index));
  return index;
}

} // namespace

void WriteProjectData(QIODevice &device, const TProjectData &data) {
  TValueWriter writer(device);
  writer.WriteRaw32(data.OriginX);
  writer.WriteRaw32(data.OriginY);
  writer.WriteFloat(data.ArrowScale);
  writer.WriteFloat(data.ZoomFactor);
  writer.WriteListBegin();
  for (const TChargeRecord &charge : data.Charges) {
    writer.WriteFloat(charge.X);
    writer.WriteFloat(charge.Y);
    writer.WriteFloat(charge.ChargeValue);
    writer.WriteInteger(charge.FieldLineCount);
    writer.WriteBoolean(charge.IsTestCharge);
    writer.WriteInteger(charge.ChargeUnit);
  }
  writer.WriteListEnd();
  writer.WriteInteger(data.FirstChosen);
  writer.WriteInteger(data.SecondChosen);
  writer.WriteInteger(data.ValueIndex);
  writer.WriteBoolean(data.VoltageWindowVisible);
  writer.Flush();
}

void ReadProjectData(QIODevice &device, TProjectData &data) {
  TValueReader reader(device);
  data.Charges.clear();
  reader.ReadRaw32Pair(data.OriginX, data.OriginY);
  data.ArrowScale = ReadPositiveFloat(reader);
  data.ZoomFactor = ReadPositiveFloat(reader);
  reader.ReadListBegin();
  // The list grows by complete records only; nothing is reserved ahead of the bytes.
  while (!reader.EndOfList())
    data.Charges.push_back(ReadChargeRecord(reader));
  reader.ReadListEnd();
  data.FirstChosen = ReadChosenIndex(reader, data.Charges);
  data.SecondChosen = ReadChosenIndex(reader, data.Charges);
  data.ValueIndex = reader.ReadInteger();
  data.VoltageWindowVisible = reader.ReadBoolean();
}

QByteArray EncodeProject(const TProjectData &data) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  WriteProjectData(buffer, data);
  return bytes;
}

void DecodeProject(const QByteArray &bytes, TProjectData &data) {
  QBuffer buffer;
  buffer.setData(bytes); // shares the bytes, no copy
  buffer.open(QIODevice::ReadOnly);
  ReadProjectData(buffer, data);
}
