#include "file/ValueReader.h"

#include "base/Errors.h"
#include "file/StreamFormat.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Assembles count little-endian bytes into an unsigned 64-bit value.
uint64_t LittleEndian(const unsigned char *bytes, int count) {
  uint64_t value = 0;
  for (int i = count - 1; i >= 0; --i)
    value = (value << 8) | bytes[i];
  return value;
}

long double DecodeExtended(const unsigned char *bytes) {
  const uint64_t significand = LittleEndian(bytes, 8);
  const unsigned exponent = LittleEndian(bytes + 8, 2) & 0x7FFF;
  // A non-zero exponent needs the explicit integer bit; without it the pattern is not a
  // number the FPU accepts, and the checks of the callers must see it as one that is not.
  if (exponent != 0 && (significand >> 63) == 0)
    return std::numeric_limits<long double>::quiet_NaN();
  long double value = 0;
  std::memcpy(&value, bytes, kExtendedBytes);
  return value;
}

// Payload bytes of a value that is skipped; unknown tags are taken as the tag alone.
int PayloadSize(uint8_t tag) {
  switch (static_cast<EValueTag>(tag)) {
  case EValueTag::Int8:
    return 1;
  case EValueTag::Int16:
    return 2;
  case EValueTag::Int32:
    return 4;
  case EValueTag::Extended:
    return kExtendedBytes;
  case EValueTag::Int64:
    return 8;
  default:
    return 0;
  }
}

} // namespace

void TValueReader::ReadRaw32Pair(int32_t &first, int32_t &second) {
  unsigned char bytes[8];
  ReadBytes(bytes, 8);
  first = static_cast<int32_t>(static_cast<uint32_t>(LittleEndian(bytes, 4)));
  second = static_cast<int32_t>(static_cast<uint32_t>(LittleEndian(bytes + 4, 4)));
}

int32_t TValueReader::ReadInteger() { return ReadIntegerPayload(ReadByte()); }

int32_t TValueReader::ReadIntegerPayload(uint8_t tag) {
  unsigned char bytes[4];
  switch (static_cast<EValueTag>(tag)) {
  case EValueTag::Int8:
    ReadBytes(bytes, 1);
    return static_cast<int8_t>(bytes[0]);
  case EValueTag::Int16:
    ReadBytes(bytes, 2);
    return static_cast<int16_t>(static_cast<uint16_t>(LittleEndian(bytes, 2)));
  case EValueTag::Int32:
    ReadBytes(bytes, 4);
    return static_cast<int32_t>(static_cast<uint32_t>(LittleEndian(bytes, 4)));
  default:
    FailProperty();
  }
}

long double TValueReader::ReadFloat() {
  const uint8_t tag = ReadByte();
  unsigned char bytes[kExtendedBytes];
  switch (static_cast<EValueTag>(tag)) {
  case EValueTag::Extended:
    ReadBytes(bytes, kExtendedBytes);
    return DecodeExtended(bytes);
  case EValueTag::Int64:
    ReadBytes(bytes, 8);
    // Every 64-bit integer is exact in the 64-bit significand.
    return static_cast<long double>(static_cast<int64_t>(LittleEndian(bytes, 8)));
  default:
    return ReadIntegerPayload(tag);
  }
}

bool TValueReader::ReadBoolean() { return ReadByte() == static_cast<uint8_t>(EValueTag::True); }

void TValueReader::ReadListBegin() {
  const uint8_t tag = ReadByte();
  if (tag != static_cast<uint8_t>(EValueTag::ListBegin)) {
    SkipValue(tag);
    FailProperty();
  }
}

void TValueReader::ReadListEnd() {
  const uint8_t tag = ReadByte();
  if (tag != static_cast<uint8_t>(EValueTag::ListEnd)) {
    SkipValue(tag);
    FailProperty();
  }
}

QByteArray TValueReader::ReadRawBytes(int count) {
  QByteArray bytes;
  // Grown as the bytes arrive, so that a length field cannot make us reserve gigabytes.
  while (count > 0) {
    unsigned char chunk[256];
    const int n = std::min(count, static_cast<int>(sizeof chunk));
    ReadBytes(chunk, n);
    bytes.append(reinterpret_cast<const char *>(chunk), n);
    count -= n;
  }
  return bytes;
}

bool TValueReader::EndOfList() { return PeekByte() == static_cast<uint8_t>(EValueTag::ListEnd); }

void TValueReader::SkipValue(uint8_t tag) {
  // Lists nest; a counter instead of recursion keeps a file of nothing but list-begin tags
  // from exhausting the stack.
  uint64_t depth = 0;
  for (;;) {
    if (tag == static_cast<uint8_t>(EValueTag::ListBegin))
      ++depth;
    else if (tag == static_cast<uint8_t>(EValueTag::ListEnd) && depth > 0)
      --depth;
    else
      SkipBytes(PayloadSize(tag));
    if (depth == 0)
      return;
    tag = ReadByte();
  }
}

void TValueReader::FailProperty() const { throw EPropertyError(PropertyErrorText()); }

uint8_t TValueReader::ReadByte() {
  const uint8_t byte = PeekByte();
  ++position_;
  return byte;
}

uint8_t TValueReader::PeekByte() {
  if (!Fill())
    throw EReadError(ReadErrorText());
  return static_cast<uint8_t>(buffer_[static_cast<size_t>(position_)]);
}

void TValueReader::ReadBytes(unsigned char *target, int count) {
  while (count > 0) {
    if (!Fill())
      throw EReadError(ReadErrorText());
    const int chunk = std::min(count, end_ - position_);
    std::memcpy(target, buffer_.data() + position_, static_cast<size_t>(chunk));
    position_ += chunk;
    target += chunk;
    count -= chunk;
  }
}

void TValueReader::SkipBytes(int count) {
  while (count > 0) {
    if (!Fill())
      throw EReadError(ReadErrorText());
    const int chunk = std::min(count, end_ - position_);
    position_ += chunk;
    count -= chunk;
  }
}

bool TValueReader::Fill() {
  if (position_ < end_)
    return true;
  const qint64 got = device_.read(buffer_.data(), static_cast<qint64>(buffer_.size()));
  if (got < 0)
    throw EReadError(ReadErrorText());
  position_ = 0;
  end_ = static_cast<int>(got);
  return end_ > 0;
}
