#include "file/FieldLineBlock.h"

#include "base/Errors.h"
#include "file/StreamFormat.h"
#include "file/ValueReader.h"
#include "file/ValueWriter.h"

#include <QBuffer>

namespace {

enum : int32_t { kProportional = 1, kArrows = 2, kAccurate = 4, kZeroPoints = 8, kAllFlags = 15 };

// Longest block that is read at all; beyond it the bytes are taken for something else.
constexpr int32_t kMaxBlockBytes = 64;

int32_t Flags(const TFieldLineOptions &options) {
  return (options.Proportional ? kProportional : 0) | (options.Arrows ? kArrows : 0) |
         (options.Accurate ? kAccurate : 0) | (options.ZeroPoints ? kZeroPoints : 0);
}

} // namespace

void WriteFieldLineBlock(TValueWriter &writer, const TFieldLineOptions &options, bool always) {
  if (!always && !FieldLineBlockNeeded(options))
    return;
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TValueWriter block(buffer);
    block.WriteInteger(kFieldLineBlockVersion);
    block.WriteInteger(Flags(options));
    block.WriteInteger(static_cast<int32_t>(options.Lines));
    block.Flush();
  }
  writer.WriteInteger(bytes.size());
  writer.WriteRawBytes(bytes);
}

void ReadFieldLineBlock(TValueReader &reader, TFieldLineOptions &options) {
  options = {};
  int32_t version = 0;
  int32_t flags = 0;
  int32_t lines = static_cast<int32_t>(TFieldLineOptions{}.Lines);
  // Bytes that do not fit are something else after the last item, which readers have
  // always ignored.
  try {
    if (reader.AtEnd())
      return;
    const int32_t length = reader.ReadInteger();
    if (length < 1 || length > kMaxBlockBytes)
      return;
    QByteArray bytes = reader.ReadRawBytes(length);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    TValueReader block(buffer);
    version = block.ReadInteger();
    if (version != kFieldLineBlockVersion)
      return;
    flags = block.ReadInteger();
    if (!block.AtEnd())
      lines = block.ReadInteger();
  } catch (const EReadError &) {
    if (version == kFieldLineBlockVersion)
      throw EPropertyError(PropertyErrorText());
    return;
  } catch (const EPropertyError &) {
    if (version == kFieldLineBlockVersion)
      throw;
    return;
  }
  if (flags < 0 || flags > kAllFlags || lines < 1 ||
      lines > static_cast<int32_t>(kMaxProportionalLines))
    throw EPropertyError(PropertyErrorText());
  options.Lines = static_cast<uint32_t>(lines);
  options.Proportional = flags & kProportional;
  options.Arrows = flags & kArrows;
  options.Accurate = flags & kAccurate;
  options.ZeroPoints = flags & kZeroPoints;
}
