#include "file/ProjectCodec.h"

#include "base/Errors.h"
#include "file/FieldLineBlock.h"
#include "file/ParticleBlock.h"
#include "file/PotentialBlock.h"
#include "file/StreamFormat.h"
#include "file/ValueReader.h"
#include "file/ValueWriter.h"
#include "model/ViewLimits.h"

#include <QBuffer>

#include <cmath>

namespace {

// Files the program never writes may hold values the rest of the program cannot live with
// (every pixel-to-metre conversion divides by the zoom, the unit indexes a two-entry
// table); such a file is rejected like one with a wrong tag. Saving applies the same rules,
// so the program never writes a file it would refuse.
void Require(bool valid) {
  if (!valid)
    throw EPropertyError(PropertyErrorText());
}

bool ArrowScaleValid(long double arrowScale) { return std::isfinite(arrowScale) && arrowScale > 0; }

// The zoom is judged by what it becomes on this screen, together with the arrow scale.
bool ZoomValid(long double zoom, long double arrowScale) {
  const long double pixelsPerMetre = zoom * DefaultPixelsPerMetre();
  return std::isfinite(zoom) && zoom > 0 && PixelsPerMetreUsable(pixelsPerMetre) &&
         ArrowScaleUsable(arrowScale, pixelsPerMetre);
}

bool LineCountValid(int64_t lines) { return lines >= 0 && lines <= kMaxFieldLineCount; }

bool UnitValid(int64_t unit) { return unit == 0 || unit == 1; }

void RequireChosenIndex(int32_t index, size_t count) {
  if (index != -1 && (index < 0 || static_cast<size_t>(index) >= count))
    throw EListError(ListIndexErrorText(index));
}

// A position is kept as a double; a value beyond its range could not be stored finite.
double ReadPosition(TValueReader &reader) {
  const long double value = reader.ReadFloat();
  Require(PixelPositionUsable(value));
  return static_cast<double>(value);
}

TChargeRecord ReadChargeRecord(TValueReader &reader) {
  TChargeRecord record;
  record.X = ReadPosition(reader);
  record.Y = ReadPosition(reader);
  record.ChargeValue = reader.ReadFloat();
  Require(std::isfinite(record.ChargeValue));
  const int32_t lines = reader.ReadInteger();
  Require(LineCountValid(lines));
  record.FieldLineCount = static_cast<uint32_t>(lines);
  record.IsTestCharge = reader.ReadBoolean();
  const int32_t unit = reader.ReadInteger();
  Require(UnitValid(unit));
  record.ChargeUnit = static_cast<uint8_t>(unit);
  return record;
}

int32_t ReadChosenIndex(TValueReader &reader, const std::vector<TChargeRecord> &charges) {
  const int32_t index = reader.ReadInteger();
  RequireChosenIndex(index, charges.size());
  return index;
}

} // namespace

void CheckProjectData(const TProjectData &data) {
  Require(ArrowScaleValid(data.ArrowScale) && ZoomValid(data.ZoomFactor, data.ArrowScale));
  TChargeExtent extent;
  for (const TChargeRecord &charge : data.Charges) {
    Require(PixelPositionUsable(charge.X) && PixelPositionUsable(charge.Y) &&
            std::isfinite(charge.ChargeValue) && LineCountValid(charge.FieldLineCount) &&
            UnitValid(charge.ChargeUnit));
    extent.Include(charge.ChargeValue, !charge.IsTestCharge);
  }
  Require(ChargesUsable(extent, data.ZoomFactor * DefaultPixelsPerMetre()));
  RequireChosenIndex(data.FirstChosen, data.Charges.size());
  RequireChosenIndex(data.SecondChosen, data.Charges.size());
  Require(PotentialOptionsValid(data.Potential));
}

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
  const bool particles = !data.Particles.Empty();
  WritePotentialBlock(writer, data.Potential, particles || FieldLineBlockNeeded(data.FieldLines));
  WriteFieldLineBlock(writer, data.FieldLines, particles);
  WriteParticleBlock(writer, data.Particles);
  writer.Flush();
}

void ReadProjectData(QIODevice &device, TProjectData &data) {
  TValueReader reader(device);
  data.Charges.clear();
  reader.ReadRaw32Pair(data.OriginX, data.OriginY);
  const long double arrowScale = reader.ReadFloat();
  Require(ArrowScaleValid(arrowScale));
  data.ArrowScale = arrowScale;
  const long double zoom = reader.ReadFloat();
  Require(ZoomValid(zoom, data.ArrowScale));
  data.ZoomFactor = zoom;
  reader.ReadListBegin();
  // The list grows by complete records only; nothing is reserved ahead of the bytes. A
  // charge whose forces overflow is refused before it joins the others.
  TChargeExtent extent;
  while (!reader.EndOfList()) {
    const TChargeRecord record = ReadChargeRecord(reader);
    extent.Include(record.ChargeValue, !record.IsTestCharge);
    Require(ChargesUsable(extent, zoom * DefaultPixelsPerMetre()));
    data.Charges.push_back(record);
  }
  reader.ReadListEnd();
  data.FirstChosen = ReadChosenIndex(reader, data.Charges);
  data.SecondChosen = ReadChosenIndex(reader, data.Charges);
  data.ValueIndex = reader.ReadInteger();
  data.VoltageWindowVisible = reader.ReadBoolean();
  ReadPotentialBlock(reader, data.Potential);
  ReadFieldLineBlock(reader, data.FieldLines);
  ReadParticleBlock(reader, data.Particles);
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
