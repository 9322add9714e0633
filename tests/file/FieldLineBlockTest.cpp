#include "file/FieldLineBlock.h"

#include "ProjectBytes.h"

#include <gtest/gtest.h>

namespace {

TFieldLineOptions ZeroPointsOnly() {
  TFieldLineOptions options;
  options.ZeroPoints = true;
  return options;
}

TProjectData WithOptions(const TFieldLineOptions &lines, bool potentialMap = false) {
  TProjectData data = WorkedExampleData();
  data.FieldLines = lines;
  data.Potential.Map = potentialMap;
  return data;
}

// The file of the zero-points option with its own block (length 6, version 1, flags 8,
// 16 lines) replaced by these bytes.
QByteArray ZeroPointsFileEndingIn(const char *blockHex) {
  const QByteArray bytes = EncodeProject(WithOptions(ZeroPointsOnly()));
  return bytes.left(bytes.size() - 8) + Hex(blockHex);
}

TFieldLineOptions ProportionalWith(uint32_t lines, bool on = true) {
  TFieldLineOptions options;
  options.Proportional = on;
  options.Lines = lines;
  return options;
}

TEST(FieldLineBlockTest, RoundTripsOldFilesAndDamage) {
  const TFieldLineOptions every{true, true, true, true};
  const struct {
    const char *name;
    QByteArray bytes;
    std::string outcome;
    TProjectData expected;
  } cases[] = {
      {"all off writes today's bytes", Hex(kWorkedExampleHex), "ok", WithOptions({})},
      {"zero points alone", EncodeProject(WithOptions(ZeroPointsOnly())), "ok",
       WithOptions(ZeroPointsOnly())},
      {"every flag beside a potential", EncodeProject(WithOptions(every, true)), "ok",
       WithOptions(every, true)},
      {"old file with the potential block only", EncodeProject(WithOptions({}, true)), "ok",
       WithOptions({}, true)},
      {"the block itself", ZeroPointsFileEndingIn("02 06  02 01  02 08  02 10"), "ok",
       WithOptions(ZeroPointsOnly())},
      {"the first files' block has no line count", ZeroPointsFileEndingIn("02 04  02 01  02 08"),
       "ok", WithOptions(ZeroPointsOnly())},
      {"a line count", EncodeProject(WithOptions(ProportionalWith(400))), "ok",
       WithOptions(ProportionalWith(400))},
      {"a line count kept while switched off",
       EncodeProject(WithOptions(ProportionalWith(3, false))), "ok",
       WithOptions(ProportionalWith(3, false))},
      {"no lines is damage", ZeroPointsFileEndingIn("02 06  02 01  02 08  02 00"), kPropertyError,
       WithOptions({})},
      {"too many lines is damage", ZeroPointsFileEndingIn("02 07  02 01  02 08  03 91 01"),
       kPropertyError, WithOptions({})},
      {"a later version is skipped", ZeroPointsFileEndingIn("02 04  02 02  02 08"), "ok",
       WithOptions({})},
      {"a block beyond the end is foreign", ZeroPointsFileEndingIn("02 04  02 01"), "ok",
       WithOptions({})},
      {"an unknown flag is damage", ZeroPointsFileEndingIn("02 04  02 01  02 10"), kPropertyError,
       WithOptions({})},
      {"flags cut off are damage", ZeroPointsFileEndingIn("02 02  02 01"), kPropertyError,
       WithOptions({})},
  };
  EXPECT_EQ(EncodeProject(WithOptions({})), Hex(kWorkedExampleHex));
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    TProjectData data;
    data.FieldLines.Arrows = true; // reading starts afresh
    ASSERT_EQ(DecodeOutcome(c.bytes, data), c.outcome) << c.bytes.toHex(' ').toStdString();
    if (c.outcome == "ok") {
      EXPECT_EQ(data, c.expected);
      // Written again, the file reads the same.
      TProjectData again;
      ASSERT_EQ(DecodeOutcome(EncodeProject(data), again), "ok");
      EXPECT_EQ(again, data);
    } else {
      EXPECT_EQ(data.FieldLines, TFieldLineOptions{});
    }
  }
}

} // namespace
