#include "file/ValueWriter.h"

#include "base/Errors.h"
#include "file/StreamFormat.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

void TValueWriter::WriteRaw32(int32_t value) { WriteLittleEndian(value); }

void TValueWriter::WriteInteger(int64_t value) {
  if (value >= INT8_MIN && value <= INT8_MAX) {
    WriteTag(static_cast<uint8_t>(EValueTag::Int8));
    WriteLittleEndian(static_cast<int8_t>(value));
  } else if (value >= INT16_MIN && value <= INT16_MAX) {
    WriteTag(static_cast<uint8_t>(EValueTag::Int16));
    WriteLittleEndian(static_cast<int16_t>(value));
  } else if (value >= INT32_MIN && value <= INT32_MAX) {
    WriteTag(static_cast<uint8_t>(EValueTag::Int32));
    WriteLittleEndian(static_cast<int32_t>(value));
  } else {
    WriteTag(static_cast<uint8_t>(EValueTag::Int64));
    WriteLittleEndian(value);
  }
}

void TValueWriter::WriteFloat(long double value) {
  // On x86-64 the first ten bytes of a long double are the 80-bit format itself.
  unsigned char bytes[sizeof(long double)];
  std::memcpy(bytes, &value, sizeof bytes);
  WriteTag(static_cast<uint8_t>(EValueTag::Extended));
  WriteBytes(bytes, kExtendedBytes);
}

void TValueWriter::WriteBoolean(bool value) {
  WriteTag(static_cast<uint8_t>(value ? EValueTag::True : EValueTag::False));
}

void TValueWriter::WriteListBegin() { WriteTag(static_cast<uint8_t>(EValueTag::ListBegin)); }

void TValueWriter::WriteListEnd() { WriteTag(static_cast<uint8_t>(EValueTag::ListEnd)); }

void TValueWriter::Flush() {
  if (used_ == 0)
    return;
  const int count = used_;
  used_ = 0;
  if (device_.write(buffer_.data(), count) != count)
    throw EWriteError(WriteErrorText());
}

void TValueWriter::WriteTag(uint8_t tag) { WriteBytes(&tag, 1); }

void TValueWriter::WriteBytes(const void *data, int count) {
  const auto *bytes = static_cast<const char *>(data);
  while (count > 0) {
    if (used_ == static_cast<int>(buffer_.size()))
      Flush();
    const int chunk = std::min(count, static_cast<int>(buffer_.size()) - used_);
    std::memcpy(buffer_.data() + used_, bytes, static_cast<size_t>(chunk));
    used_ += chunk;
    bytes += chunk;
    count -= chunk;
  }
}

template <typename T> void TValueWriter::WriteLittleEndian(T value) {
  static_assert(std::is_integral_v<T>);
  unsigned char bytes[sizeof(T)];
  auto bits = static_cast<std::make_unsigned_t<T>>(value);
  for (unsigned char &byte : bytes) {
    byte = static_cast<unsigned char>(bits & 0xFF);
    bits = static_cast<std::make_unsigned_t<T>>(bits >> 8);
  }
  WriteBytes(bytes, sizeof(T));
}
