#pragma once
// Writes typed values of the project file's value stream to a device, through a buffer.

#include <QByteArray>
#include <QIODevice>

#include <array>
#include <cstdint>

class TValueWriter {
public:
  explicit TValueWriter(QIODevice &device) : device_(device) {}
  TValueWriter(const TValueWriter &) = delete;
  TValueWriter &operator=(const TValueWriter &) = delete;

  // Four raw little-endian bytes, no tag (the origin at the start of a file).
  void WriteRaw32(int32_t value);
  // Smallest of the tags 2, 3, 4 whose range holds the value; tag 19 beyond 32 bits.
  void WriteInteger(int64_t value);
  // Always tag 5; a double argument widens exactly.
  void WriteFloat(long double value);
  void WriteBoolean(bool value);
  void WriteListBegin();
  void WriteListEnd();
  // Bytes as they are, no tag.
  void WriteRawBytes(const QByteArray &bytes) {
    WriteBytes(bytes.constData(), static_cast<int>(bytes.size()));
  }
  // Hands the buffered bytes to the device. Throws EWriteError when the device refuses.
  void Flush();

private:
  void WriteTag(uint8_t tag);
  void WriteBytes(const void *data, int count);
  template <typename T> void WriteLittleEndian(T value);

  QIODevice &device_;
  std::array<char, 2048> buffer_{};
  int used_ = 0;
};
