// The value stream: tag choice and payloads of the writer, the reading rules of the reader.

#include "ProjectBytes.h"

#include "file/ValueReader.h"
#include "file/ValueWriter.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>

namespace {

QByteArray Written(const std::function<void(TValueWriter &)> &write) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  TValueWriter writer(buffer);
  write(writer);
  writer.Flush();
  return bytes;
}

// Reads from the bytes with read, and reports the outcome; the reader stays alive so that
// what follows can be read from it.
struct TReading {
  explicit TReading(const QByteArray &bytes) : data(bytes) {
    buffer.setBuffer(&data);
    buffer.open(QIODevice::ReadOnly);
  }
  QByteArray data;
  QBuffer buffer;
  TValueReader reader{buffer};
};

// Hands out at most three bytes per read, so that values straddle every refill, and
// refuses every write.
class TTrickleDevice : public QIODevice {
public:
  explicit TTrickleDevice(QByteArray bytes) : bytes_(std::move(bytes)) { open(ReadWrite); }

protected:
  qint64 readData(char *data, qint64 max) override {
    const qint64 count = std::min<qint64>({max, 3, bytes_.size() - position_});
    std::memcpy(data, bytes_.constData() + position_, static_cast<size_t>(count));
    position_ += count;
    return count;
  }
  qint64 writeData(const char *, qint64) override { return -1; }

private:
  QByteArray bytes_;
  qint64 position_ = 0;
};

TEST(ValueStreamTest, IntegersTakeTheSmallestTagAndReadBackSignExtended) {
  const struct {
    int64_t value;
    const char *hex;
  } table[] = {
      {0, "02 00"},
      {127, "02 7F"},
      {128, "03 80 00"},
      {-128, "02 80"},
      {-129, "03 7F FF"},
      {32767, "03 FF 7F"},
      {32768, "04 00 80 00 00"},
      {-32768, "03 00 80"},
      {-32769, "04 FF 7F FF FF"},
      {-1, "02 FF"},
      {INT32_MAX, "04 FF FF FF 7F"},
      {INT32_MIN, "04 00 00 00 80"},
      {int64_t{INT32_MAX} + 1, "13 00 00 00 80 00 00 00 00"},
      {INT64_MIN, "13 00 00 00 00 00 00 00 80"},
  };
  for (const auto &row : table) {
    SCOPED_TRACE(row.value);
    const QByteArray bytes = Written([&](TValueWriter &w) { w.WriteInteger(row.value); });
    EXPECT_EQ(bytes.toHex(' '), Hex(row.hex).toHex(' '));
    // A float field takes every integer tag; an integer field only the 32-bit ones.
    EXPECT_EQ(TReading(bytes).reader.ReadFloat(), static_cast<long double>(row.value));
    if (row.value >= INT32_MIN && row.value <= INT32_MAX)
      EXPECT_EQ(TReading(bytes).reader.ReadInteger(), row.value);
    else
      EXPECT_EQ(Outcome([&] { TReading(bytes).reader.ReadInteger(); }), kPropertyError);
  }
}

TEST(ValueStreamTest, FloatsAreTagFiveAndTheirTenBytesBitForBit) {
  EXPECT_EQ(Written([](TValueWriter &w) { w.WriteFloat(-0.0L); }).toHex(' '),
            Hex("05 00 00 00 00 00 00 00 00 00 80").toHex(' '));
  EXPECT_EQ(Written([](TValueWriter &w) { w.WriteFloat(3.0L); }).toHex(' '),
            Hex("05 00 00 00 00 00 00 00 C0 00 40").toHex(' '));
  // Doubles widen exactly; extended values beyond a double's precision and range survive.
  const long double values[] = {
      0.1, DBL_TRUE_MIN, 1.0L / 3, LDBL_MAX, -LDBL_TRUE_MIN, std::nextafter(1.0L, 2.0L), 1e-4000L};
  for (const long double value : values) {
    const QByteArray bytes = Written([&](TValueWriter &w) { w.WriteFloat(value); });
    ASSERT_EQ(bytes.size(), 11);
    EXPECT_EQ(bytes.mid(1), Float80(value).mid(1));
    EXPECT_EQ(TReading(bytes).reader.ReadFloat(), value);
  }
  // Unnormals are not numbers to the FPU; they must read as a NaN by their bits too, so
  // that no finiteness test, however it looks at the value, takes them for a number.
  const long double unnormal = TReading(Hex("05 00 00 00 00 00 00 00 40 FF 3F")).reader.ReadFloat();
  EXPECT_EQ(Float80(unnormal).mid(8).toHex(' '), "c0 ff 7f"); // a quiet NaN
  EXPECT_EQ(Outcome([] { TReading(Hex("08")).reader.ReadFloat(); }), kPropertyError);
  EXPECT_EQ(Outcome([] { TReading(Hex("06 00")).reader.ReadFloat(); }), kPropertyError);
}

TEST(ValueStreamTest, AWrongListTagSkipsItsValueThenFails) {
  const struct {
    const char *hex;
    bool begin;
    std::string outcome;
  } table[] = {
      {"01", true, "ok"},
      {"00", false, "ok"},
      {"00", true, kPropertyError},
      {"02 7F", true, kPropertyError},
      {"05 00 00 00 00 00 00 00 00 00 00", true, kPropertyError},
      {"05 00 00 00 00 00 00 00 00 00", true, kReadError}, // the skip runs out
      {"13 00 00 00 00 00 00 00", true, kReadError},
      {"01 02 05 01 00 00", false, kPropertyError}, // nested lists are skipped whole
      {"01 02 05 01 00", false, kReadError},
  };
  for (const auto &row : table) {
    TReading reading(Hex(row.hex));
    EXPECT_EQ(
        Outcome([&] { row.begin ? reading.reader.ReadListBegin() : reading.reader.ReadListEnd(); }),
        row.outcome)
        << row.hex;
  }
  // Deep nesting must not exhaust the stack.
  TReading deep(QByteArray(1'000'000, '\x01'));
  EXPECT_EQ(Outcome([&] { deep.reader.ReadListEnd(); }), kReadError);
}

TEST(ValueStreamTest, ValuesSurviveBufferBoundariesAndShortReads) {
  const QByteArray bytes = Written([](TValueWriter &w) {
    for (int i = 0; i < 1000; ++i) {
      w.WriteFloat(i / 7.0L);
      w.WriteInteger(i * 100000 + 40000);
      w.WriteBoolean(i % 3 == 0);
    }
  });
  ASSERT_EQ(bytes.size(), 1000 * (11 + 5 + 1));
  TReading whole(bytes);
  TTrickleDevice trickle(bytes);
  TValueReader trickled(trickle);
  for (TValueReader *reader : {&whole.reader, &trickled}) {
    for (int i = 0; i < 1000; ++i) {
      ASSERT_EQ(reader->ReadFloat(), i / 7.0L);
      ASSERT_EQ(reader->ReadInteger(), i * 100000 + 40000);
      ASSERT_EQ(reader->ReadBoolean(), i % 3 == 0);
    }
    EXPECT_EQ(Outcome([&] { reader->EndOfList(); }), kReadError);
  }
}

TEST(ValueStreamTest, ARefusedWriteIsAStreamWriteError) {
  TTrickleDevice refusing({});
  TValueWriter writer(refusing);
  writer.WriteInteger(1);
  EXPECT_EQ(Outcome([&] { writer.Flush(); }), "EWriteError: Stream-Schreibfehler");
}

} // namespace
