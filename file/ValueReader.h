#pragma once
// Reads typed values of the project file's value stream from a device, through a buffer.
// It never trusts the device's size: bytes are pulled in chunks, and running out of them
// raises EReadError ("Stream-Lesefehler"); a tag the read does not accept raises
// EPropertyError ("Ungültiger Eigenschaftswert").

#include <QByteArray>
#include <QIODevice>

#include <array>
#include <cstdint>

class TValueReader {
public:
  explicit TValueReader(QIODevice &device) : device_(device) {}
  TValueReader(const TValueReader &) = delete;
  TValueReader &operator=(const TValueReader &) = delete;

  // Eight raw little-endian bytes as two signed 32-bit values, no tag, read as one unit.
  void ReadRaw32Pair(int32_t &first, int32_t &second);
  // Tags 2, 3, 4 sign-extended; any other tag fails.
  int32_t ReadInteger();
  // Tag 5, or the integer tags 2, 3, 4 and 19 converted. An 80-bit pattern that the FPU
  // does not accept as a number (unnormal, pseudo-infinity, pseudo-NaN) reads as a NaN.
  long double ReadFloat();
  // Tag 9 is true, any other tag false; no payload is read.
  bool ReadBoolean();
  // A wrong tag here skips the value that stands there, then fails.
  void ReadListBegin();
  void ReadListEnd();
  // Whether the next tag ends a list, without consuming it.
  bool EndOfList();
  // Whether every byte of the device has been read.
  bool AtEnd() { return !Fill(); }
  // The next count raw bytes, no tag.
  QByteArray ReadRawBytes(int count);

private:
  uint8_t ReadByte();
  uint8_t PeekByte();
  void ReadBytes(unsigned char *target, int count);
  void SkipBytes(int count);
  void SkipValue(uint8_t tag);
  [[noreturn]] void FailProperty() const;
  int32_t ReadIntegerPayload(uint8_t tag);
  // Ensures at least one unread byte in the buffer; false at the end of the device.
  bool Fill();

  QIODevice &device_;
  std::array<char, 2048> buffer_{};
  int position_ = 0;
  int end_ = 0;
};
