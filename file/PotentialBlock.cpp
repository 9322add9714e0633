#include "file/PotentialBlock.h"

#include "base/Errors.h"
#include "file/ExtensionBlock.h"
#include "file/StreamFormat.h"
#include "file/ValueReader.h"
#include "file/ValueWriter.h"

#include <cmath>

namespace {

enum : int32_t { kLines = 1, kFixedSpacing = 2, kTestChargeLine = 4, kMap = 8, kAllFlags = 15 };

// Longest block that is read at all; beyond it the bytes are taken for something else.
constexpr int32_t kMaxBlockBytes = 64 + kMaxSavedLevels * 11;

void ReadVersion1(TValueReader &reader, TPotentialOptions &options) {
  const int32_t flags = reader.ReadInteger();
  if (flags < 0 || flags > kAllFlags)
    throw EPropertyError(PropertyErrorText());
  options.Lines = flags & kLines;
  options.FixedSpacing = flags & kFixedSpacing;
  options.TestChargeLine = flags & kTestChargeLine;
  options.Map = flags & kMap;
  options.Spacing = reader.ReadFloat();
  const int32_t color = reader.ReadInteger();
  options.LineColor = static_cast<uint32_t>(color);
  const int32_t count = reader.ReadInteger();
  if (color < 0 || color > 0xFFFFFF || count < 0 || count > kMaxSavedLevels)
    throw EPropertyError(PropertyErrorText());
  for (int32_t i = 0; i < count; ++i)
    options.Levels.push_back(reader.ReadFloat());
  if (!PotentialOptionsValid(options))
    throw EPropertyError(PropertyErrorText());
}

} // namespace

bool PotentialOptionsValid(const TPotentialOptions &options) {
  if (!(std::isfinite(options.Spacing) && options.Spacing > 0) || options.LineColor > 0xFFFFFF ||
      options.Levels.size() > static_cast<size_t>(kMaxSavedLevels))
    return false;
  for (const long double level : options.Levels)
    if (!std::isfinite(level))
      return false;
  return true;
}

void WritePotentialBlock(TValueWriter &writer, const TPotentialOptions &options, bool always) {
  if (!always && options == TPotentialOptions{})
    return;
  WriteExtensionBlock(writer, kPotentialBlockVersion, [&](TValueWriter &block) {
    block.WriteInteger((options.Lines ? kLines : 0) | (options.FixedSpacing ? kFixedSpacing : 0) |
                       (options.TestChargeLine ? kTestChargeLine : 0) | (options.Map ? kMap : 0));
    block.WriteFloat(options.Spacing);
    block.WriteInteger(options.LineColor);
    block.WriteInteger(static_cast<int64_t>(options.Levels.size()));
    for (const long double level : options.Levels)
      block.WriteFloat(level);
  });
}

void ReadPotentialBlock(TValueReader &reader, TPotentialOptions &options) {
  options = {};
  TPotentialOptions read;
  if (ReadExtensionBlock(reader, kPotentialBlockVersion, kMaxBlockBytes,
                         [&read](TValueReader &block) { ReadVersion1(block, read); }))
    options = std::move(read);
}
