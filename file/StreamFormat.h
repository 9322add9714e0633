#pragma once
// The tags of the value stream that project files are made of, and the messages of its
// failures. Every value but the leading origin is one tag byte and its payload,
// little-endian.

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <limits>

static_assert(std::numeric_limits<long double>::digits == 64,
              "project files store floats in the 80-bit extended format of long double");

enum class EValueTag : uint8_t {
  ListEnd = 0,
  ListBegin = 1,
  Int8 = 2,
  Int16 = 3,
  Int32 = 4,
  Extended =
      5, // 80-bit float: 8 bytes significand with explicit integer bit, 2 bytes sign+exponent
  False = 8,
  True = 9,
  Int64 = 19,
};

// Bytes of the 80-bit float in the stream (the rest of a long double is padding).
inline constexpr int kExtendedBytes = 10;

inline QString ReadErrorText() {
  return QCoreApplication::translate("StreamFormat", "Stream-Lesefehler");
}
inline QString WriteErrorText() {
  return QCoreApplication::translate("StreamFormat", "Stream-Schreibfehler");
}
inline QString PropertyErrorText() {
  return QCoreApplication::translate("StreamFormat", "Ungültiger Eigenschaftswert");
}
