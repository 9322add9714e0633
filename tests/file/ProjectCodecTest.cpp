// The layout of project files: the worked example, cuts, tags and values a file must not
// hold, and round trips.

#include "ProjectBytes.h"
#include "model/Scene.h"
#include "model/ViewLimits.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>

namespace {

// The worked example with the bytes [offset, offset + length) replaced; length -1 replaces
// everything from offset on.
QByteArray ExampleWith(int offset, int length, const QByteArray &replacement) {
  QByteArray bytes = Hex(kWorkedExampleHex);
  return bytes.replace(offset, length < 0 ? bytes.size() - offset : length, replacement);
}

// Values no file sets, so that a field the reader did not reach is seen.
TProjectData Untouched() {
  TProjectData data;
  data.OriginX = data.OriginY = 7;
  data.ArrowScale = data.ZoomFactor = 5;
  data.Charges.resize(3);
  data.FirstChosen = data.SecondChosen = data.ValueIndex = 77;
  return data;
}

TEST(ProjectCodecTest, WorkedExampleAndEmptyProjectByteForByte) {
  const QByteArray example = Hex(kWorkedExampleHex);
  ASSERT_EQ(example.size(), 77);
  EXPECT_EQ(EncodeProject(WorkedExampleData()).toHex(' '), example.toHex(' '));
  TProjectData read = Untouched();
  EXPECT_EQ(DecodeOutcome(example, read), "ok");
  EXPECT_EQ(read, WorkedExampleData());

  TProjectData empty = WorkedExampleData();
  empty.Charges.clear();
  const QByteArray emptyBytes = example.left(31) + Hex("00 02 FF 02 FF 02 FF 08");
  EXPECT_EQ(EncodeProject(empty).toHex(' '), emptyBytes.toHex(' '));
  EXPECT_EQ(DecodeOutcome(emptyBytes, read), "ok");
  EXPECT_EQ(read, empty);

  // The example's zoom bytes are exactly 1.0 only if 100 % survives the model's arithmetic.
  TScene scene;
  scene.PixelsPerMetre = DefaultPixelsPerMetre();
  EXPECT_EQ(scene.ZoomFactor(), 1.0L);
}

TEST(ProjectCodecTest, ACutBeforeTheEndFailsAndKeepsTheCompleteRecords) {
  TProjectData data = WorkedExampleData();
  data.Charges = {{1, 2, 3e-9L, 16, true, 1},
                  {-4, 5.5, -1, 200, false, 0},
                  {1e300, -7, 0, 400, true, 0},
                  {8, 9, 1e-19L, 0, false, 1}};
  data.FirstChosen = 3;
  data.SecondChosen = 0;
  data.ValueIndex = 1;
  data.VoltageWindowVisible = true;
  // 31 bytes up to the list's begin, 38 per record (39 from 128 field lines on), 8 after.
  const int recordEnds[] = {31 + 38, 31 + 38 + 39, 31 + 38 + 39 + 39, 31 + 38 + 39 + 39 + 38};
  const QByteArray bytes = EncodeProject(data);
  ASSERT_EQ(bytes.size(), recordEnds[3] + 8);

  for (int length = 0; length < bytes.size(); ++length) {
    SCOPED_TRACE(length);
    TProjectData read = Untouched();
    ASSERT_EQ(DecodeOutcome(bytes.left(length), read), kReadError);
    const auto complete = std::count_if(std::begin(recordEnds), std::end(recordEnds),
                                        [&](int end) { return end <= length; });
    ASSERT_EQ(read.Charges, std::vector(data.Charges.begin(), data.Charges.begin() + complete));
    EXPECT_EQ(read.OriginY, length >= 8 ? data.OriginY : 7);
    EXPECT_EQ(read.ArrowScale, length >= 19 ? data.ArrowScale : 5);
    EXPECT_EQ(read.ZoomFactor, length >= 30 ? data.ZoomFactor : 5);
    EXPECT_EQ(read.FirstChosen, length >= recordEnds[3] + 3 ? 3 : 77);
  }
  TProjectData read;
  EXPECT_EQ(DecodeOutcome(bytes + Hex("DE AD 01 05"), read), "ok"); // the rest is not read
  EXPECT_EQ(read, data);
}

TEST(ProjectCodecTest, FloatFieldsTakeIntegerTags) {
  const struct {
    int offset;
    const char *hex;
    long double TProjectData::*header; // or, when null, the charge value
    long double expected;
  } table[] = {
      {8, "02 03", &TProjectData::ArrowScale, 3},
      {19, "13 01 00 00 00 00 00 00 00", &TProjectData::ZoomFactor, 1},
      {53, "02 F6", nullptr, -10},
      {53, "03 00 80", nullptr, -32768},
      {53, "04 FF FF FF 7F", nullptr, 2147483647},
      {53, "13 00 00 00 00 00 00 00 80", nullptr, -9223372036854775807.0L - 1},
  };
  for (const auto &row : table) {
    SCOPED_TRACE(row.hex);
    TProjectData read;
    ASSERT_EQ(DecodeOutcome(ExampleWith(row.offset, 11, Hex(row.hex)), read), "ok");
    TProjectData expected = WorkedExampleData();
    (row.header ? expected.*row.header : expected.Charges[0].ChargeValue) = row.expected;
    EXPECT_EQ(read, expected);
  }
  TProjectData read;
  ASSERT_EQ(DecodeOutcome(ExampleWith(31, 22, Hex("02 F6 03 00 80")), read), "ok");
  EXPECT_EQ(read.Charges[0].X, -10);
  EXPECT_EQ(read.Charges[0].Y, -32768);
}

TEST(ProjectCodecTest, BooleansWithAnotherTagReadFalse) {
  for (int tag = 0; tag < 256; ++tag) {
    TProjectData read;
    ASSERT_EQ(DecodeOutcome(ExampleWith(76, 1, QByteArray(1, char(tag))), read), "ok");
    ASSERT_EQ(DecodeOutcome(ExampleWith(66, 1, QByteArray(1, char(tag))), read), "ok");
    TProjectData expected = WorkedExampleData();
    expected.Charges[0].IsTestCharge = tag == 9;
    EXPECT_EQ(read, expected) << tag;
  }
}

TEST(ProjectCodecTest, WrongTagsAndValuesOutOfRangeAreRejected) {
  const QByteArray inf = Hex("05 00 00 00 00 00 00 00 80 FF 7F");
  const QByteArray nan = Hex("05 00 00 00 00 00 00 00 C0 FF 7F");
  const std::string ok = "ok";
  const struct {
    int offset, length;
    QByteArray replacement;
    std::string outcome;
  } table[] = {
      {8, 1, Hex("08"), kPropertyError}, // arrow scale: boolean tag
      {8, 11, nan, kPropertyError},
      {8, 11, Hex("05 00 00 00 00 00 00 00 00 00 80"), kPropertyError}, // -0
      {19, 11, Hex("02 00"), kPropertyError},                           // zoom 0
      {19, 11, Float80(-1), kPropertyError},
      {19, 11, inf, kPropertyError},
      {19, 11, Float80(LDBL_MAX / 2), kPropertyError}, // pixels per metre infinite
      {19, 11, Float80(1e290L), kPropertyError},       // arrow factor beyond a double
      {19, 11, Float80(1e280L), kPropertyError},       // the charge's field beyond a double
      {19, 11, Float80(1e150L), ok},
      {19, 11, Float80(1e-4700L), kPropertyError}, // metres of a far position infinite
      {19, 11, Float80(1e-4600L), ok},
      {8, 11, Float80(LDBL_TRUE_MIN), kPropertyError}, // arrow factor infinite
      {8, 11, Float80(1e-320L), kPropertyError},       // arrow factor beyond a double
      {8, 11, Float80(1e-300L), ok},
      {30, 1, Hex("02"), kPropertyError},                                // list begin: skips 1 byte
      {31, 11, inf, kPropertyError},                                     // X
      {31, 11, Float80(1e400L), kPropertyError},                         // X beyond a double
      {42, 11, nan, kPropertyError},                                     // Y
      {53, 11, inf, kPropertyError},                                     // charge value
      {53, 11, Hex("05 00 00 00 00 00 00 00 40 FF 3F"), kPropertyError}, // unnormal
      {64, 2, Float80(16), kPropertyError},                              // field-line count
      {64, 2, Hex("13 10 00 00 00 00 00 00 00"), kPropertyError},
      {64, 2, Hex("02 FF"), kPropertyError},
      {64, 2, Hex("03 91 01"), kPropertyError}, // 401
      {64, 2, Hex("03 90 01"), ok},             // 400
      {67, 2, Hex("02 02"), kPropertyError},    // unit
      {67, 2, Hex("03 00 01"), kPropertyError}, // 256, low byte 0
      {67, 2, Hex("02 01"), ok},
      {70, 2, Hex("08"), kPropertyError}, // first chosen
      {70, 2, Hex("02 01"), "EListError: Listenindex überschreitet das Maximum (1)"},
      {70, 2, Hex("02 FE"), "EListError: Listenindex überschreitet das Maximum (-2)"},
      {72, 2, Hex("04 FF FF FF 7F"),
       "EListError: Listenindex überschreitet das Maximum (2147483647)"},
      {70, 4, Hex("02 00 02 00"), ok},
      {74, 2, Hex("03 E8 03"), ok}, // value index kept as read
      {74, 2, Float80(1), kPropertyError},
  };
  for (const auto &row : table) {
    TProjectData read;
    EXPECT_EQ(DecodeOutcome(ExampleWith(row.offset, row.length, row.replacement), read),
              row.outcome)
        << row.offset << ": " << row.replacement.toHex(' ').toStdString();
  }
}

// A charge is refused when, at the nearest distance a source counts (0.001 px at the zoom),
// its field on 1 C, or its force on the largest charge, leaves 1/1024 of a double's range.
TEST(ProjectCodecTest, ChargesWhoseForcesOverflowAreRefusedAtEveryZoom) {
  const auto limit = [](long double zoom) { // C, for one source that is also the largest
    const long double nearest = 0.001L / (zoom * 96 / 0.0254L);        // m
    const long double room = static_cast<long double>(DBL_MAX) / 1024; // N
    const long double k = 8.9875517e9L;                                // N m^2 / C^2
    const long double belowOne = room * nearest * nearest / k;
    return belowOne < 1 ? belowOne : std::sqrt(room / k) * nearest;
  };
  for (const long double zoom : {1.0L, 1e100L, 1e150L, 1e-100L, 1e-250L}) {
    for (const auto &[factor, outcome] :
         {std::pair{0.999L, std::string("ok")}, std::pair{1.001L, kPropertyError}}) {
      for (const bool asTestCharge : {false, true}) {
        TProjectData data = WorkedExampleData();
        data.ZoomFactor = zoom;
        data.Charges.push_back({0, 0, -factor * limit(zoom), 0, asTestCharge, 1});
        // As a test charge it feels the field of a source of the same size.
        data.Charges[0].ChargeValue = asTestCharge ? factor * limit(zoom) : 0;
        SCOPED_TRACE(testing::Message() << "zoom " << static_cast<double>(zoom) << " charge "
                                        << static_cast<double>(data.Charges[1].ChargeValue)
                                        << (asTestCharge ? " test charge" : ""));
        TProjectData read;
        EXPECT_EQ(DecodeOutcome(EncodeProject(data), read), outcome);
        EXPECT_EQ(Outcome([&] { CheckProjectData(data); }), outcome);
      }
    }
  }
  // Classroom values stay at any zoom up to where 1 C meets the bound.
  for (const long double zoom : {1e-200L, 1e-3L, 1.0L, 1e3L, 1e100L, 1e139L}) {
    for (const long double charge : {1e-19L, 1e-9L, 1.0L}) {
      TProjectData data = WorkedExampleData();
      data.ZoomFactor = zoom;
      data.Charges = {{0, 0, charge, 16, false, 1},
                      {10, 0, -charge, 16, false, 1},
                      {20, 0, charge, 0, true, 1}};
      TProjectData read;
      EXPECT_EQ(DecodeOutcome(EncodeProject(data), read), "ok")
          << static_cast<double>(zoom) << " " << static_cast<double>(charge);
    }
  }
}

TEST(ProjectCodecTest, AChosenIndexOutOfRangeKeepsWhatWasRead) {
  TProjectData read = Untouched();
  EXPECT_EQ(DecodeOutcome(ExampleWith(70, 4, Hex("02 00 02 05")), read),
            "EListError: Listenindex überschreitet das Maximum (5)");
  EXPECT_EQ(read.Charges, WorkedExampleData().Charges);
  EXPECT_EQ(read.FirstChosen, 0);
  EXPECT_EQ(read.SecondChosen, 77);
}

TEST(ProjectCodecTest, RandomProjectsSurviveTheRoundTrip) {
  std::mt19937_64 random(20240531);
  auto between = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  auto finiteDouble = [&] {
    for (;;) {
      const double value = std::bit_cast<double>(random());
      if (std::isfinite(value))
        return value;
    }
  };
  int accepted = 0;
  for (int round = 0; round < 600; ++round) {
    TProjectData data;
    data.OriginX = static_cast<int32_t>(random());
    data.OriginY = static_cast<int32_t>(random()) >> between(0, 31);
    data.ArrowScale = std::ldexp(static_cast<long double>(random() | 1), between(-16000, 16000));
    data.ZoomFactor = std::ldexp(static_cast<long double>(random() | 1), between(-80, 20));
    const int count = between(0, 12);
    for (int i = 0; i < count; ++i)
      data.Charges.push_back({finiteDouble(), finiteDouble(),
                              std::ldexp(static_cast<long double>(static_cast<int64_t>(random())),
                                         between(-16440, 400)),
                              static_cast<uint32_t>(between(0, 400)), between(0, 1) == 1,
                              static_cast<uint8_t>(between(0, 1))});
    data.FirstChosen = between(-1, count - 1);
    data.SecondChosen = between(-1, count - 1);
    data.ValueIndex = static_cast<int32_t>(random()) >> between(0, 31);
    data.VoltageWindowVisible = between(0, 1) == 1;

    // The save's check and the reader agree on every value: what is refused is never
    // written, and what is written reads back bit for bit.
    const QByteArray bytes = EncodeProject(data);
    TProjectData read = Untouched();
    const std::string check = Outcome([&] { CheckProjectData(data); });
    ASSERT_EQ(DecodeOutcome(bytes, read), check) << round;
    if (check != "ok")
      continue;
    ++accepted;
    ASSERT_EQ(read, data) << round;
    ASSERT_EQ(EncodeProject(read), bytes) << round; // also the bits of -0 and denormals
  }
  EXPECT_GT(accepted, 200);
}

} // namespace
