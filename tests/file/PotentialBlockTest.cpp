#include "file/PotentialBlock.h"

#include "ProjectBytes.h"

#include <gtest/gtest.h>

namespace {

TPotentialOptions Shown() {
  TPotentialOptions options;
  options.Lines = true;
  options.FixedSpacing = true;
  options.Spacing = 2.5L;
  options.TestChargeLine = true;
  options.LineColor = 0x123456;
  options.Map = true;
  options.Levels = {-1.5L, 0, 1e-3L};
  return options;
}

// The worked example followed by a block of these bytes (after its length).
QByteArray WithBlock(const QByteArray &block) {
  return Hex(kWorkedExampleHex) + Hex("02") + QByteArray(1, static_cast<char>(block.size())) +
         block;
}

TEST(PotentialBlockTest, OptionsSurviveTheRoundTripAndOffWritesTodaysBytes) {
  TProjectData data = WorkedExampleData();
  EXPECT_EQ(EncodeProject(data), Hex(kWorkedExampleHex));
  for (TPotentialOptions options : {Shown(), TPotentialOptions{}}) {
    options.Lines = !options.Lines; // one switch on or off alone
    data.Potential = options;
    const QByteArray bytes = EncodeProject(data);
    EXPECT_TRUE(bytes.startsWith(Hex(kWorkedExampleHex)));
    TProjectData again;
    ASSERT_EQ(DecodeOutcome(bytes + Hex("01 05 FF"), again), "ok");
    EXPECT_EQ(again, data);
  }
  // Switched off, a colour or spacing set before comes back; only all defaults write nothing.
  data.Potential = Shown();
  data.Potential.Lines = data.Potential.TestChargeLine = data.Potential.Map = false;
  TProjectData again;
  ASSERT_EQ(DecodeOutcome(EncodeProject(data), again), "ok");
  EXPECT_EQ(again, data);
  data.Potential = {};
  EXPECT_EQ(EncodeProject(data), Hex(kWorkedExampleHex));
}

TEST(PotentialBlockTest, ForeignBytesAndOtherVersionsAreSkippedDamageIsRefused) {
  const QByteArray v1 = EncodeProject([] {
                          TProjectData d = WorkedExampleData();
                          d.Potential.Map = true;
                          return d;
                        }())
                            .mid(Hex(kWorkedExampleHex).size() + 2);
  const struct {
    QByteArray bytes;
    std::string outcome;
    bool map;
  } cases[] = {
      {Hex(kWorkedExampleHex), "ok", false},
      {Hex(kWorkedExampleHex) + Hex("01 05 FF"), "ok", false}, // bytes after the last item
      {Hex(kWorkedExampleHex) + Hex("02"), "ok", false},       // a cut length
      {Hex(kWorkedExampleHex) + Hex("02 30 02"), "ok", false}, // a block beyond the end
      {WithBlock(v1), "ok", true},
      {WithBlock(v1 + Hex("02 07")), "ok", true},                                // later additions
      {WithBlock(Hex("02 02") + v1.mid(2)), "ok", false},                        // version 2
      {WithBlock(v1.left(v1.size() - 2)), kPropertyError, false},                // cut inside
      {WithBlock(Hex("02 01 02 10") + v1.mid(4)), kPropertyError, false},        // unknown flag
      {WithBlock(Hex("02 01 02 08 02 00") + v1.mid(15)), kPropertyError, false}, // spacing 0
  };
  for (const auto &c : cases) {
    TProjectData data;
    data.Potential.Lines = true;
    EXPECT_EQ(DecodeOutcome(c.bytes, data), c.outcome) << c.bytes.toHex(' ').toStdString();
    EXPECT_EQ(data.Potential.Map, c.map) << c.bytes.toHex(' ').toStdString();
    EXPECT_FALSE(data.Potential.Lines);
  }
}

} // namespace
