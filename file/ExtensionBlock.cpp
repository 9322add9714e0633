#include "file/ExtensionBlock.h"

#include "base/Errors.h"
#include "file/StreamFormat.h"
#include "file/ValueReader.h"
#include "file/ValueWriter.h"

#include <QBuffer>

void WriteExtensionBlock(TValueWriter &writer, int32_t version,
                         const std::function<void(TValueWriter &)> &fill) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TValueWriter block(buffer);
    block.WriteInteger(version);
    fill(block);
    block.Flush();
  }
  writer.WriteInteger(bytes.size());
  writer.WriteRawBytes(bytes);
}

bool ReadExtensionBlock(TValueReader &reader, int32_t version, int32_t maxBytes,
                        const std::function<void(TValueReader &)> &read) {
  QByteArray bytes;
  try {
    if (reader.AtEnd())
      return false;
    const int32_t length = reader.ReadInteger();
    if (length < 1 || length > maxBytes)
      return false;
    bytes = reader.ReadRawBytes(length);
  } catch (const EReadError &) {
    return false;
  } catch (const EPropertyError &) {
    return false;
  }
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  TValueReader block(buffer);
  try {
    if (block.ReadInteger() != version)
      return false;
  } catch (const EReadError &) {
    return false;
  } catch (const EPropertyError &) {
    return false;
  }
  try {
    read(block);
  } catch (const EReadError &) {
    // A block too short for its values would be misread.
    throw EPropertyError(PropertyErrorText());
  }
  return true;
}
