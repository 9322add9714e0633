#include "file/FieldLineBlock.h"

#include "base/Errors.h"
#include "file/ExtensionBlock.h"
#include "file/StreamFormat.h"
#include "file/ValueReader.h"
#include "file/ValueWriter.h"

namespace {

enum : int32_t { kProportional = 1, kArrows = 2, kAccurate = 4, kZeroPoints = 8, kAllFlags = 15 };

// Longest block that is read at all; beyond it the bytes are taken for something else.
constexpr int32_t kMaxBlockBytes = 64;

int32_t Flags(const TFieldLineOptions &options) {
  return (options.Proportional ? kProportional : 0) | (options.Arrows ? kArrows : 0) |
         (options.Accurate ? kAccurate : 0) | (options.ZeroPoints ? kZeroPoints : 0);
}

void ReadVersion1(TValueReader &block, TFieldLineOptions &options) {
  const int32_t flags = block.ReadInteger();
  // The first files written have no line count.
  const int32_t lines =
      block.AtEnd() ? static_cast<int32_t>(TFieldLineOptions{}.Lines) : block.ReadInteger();
  if (flags < 0 || flags > kAllFlags || lines < 1 ||
      lines > static_cast<int32_t>(kMaxProportionalLines))
    throw EPropertyError(PropertyErrorText());
  options.Lines = static_cast<uint32_t>(lines);
  options.Proportional = flags & kProportional;
  options.Arrows = flags & kArrows;
  options.Accurate = flags & kAccurate;
  options.ZeroPoints = flags & kZeroPoints;
}

} // namespace

void WriteFieldLineBlock(TValueWriter &writer, const TFieldLineOptions &options, bool always) {
  if (!always && !FieldLineBlockNeeded(options))
    return;
  WriteExtensionBlock(writer, kFieldLineBlockVersion, [&](TValueWriter &block) {
    block.WriteInteger(Flags(options));
    block.WriteInteger(static_cast<int32_t>(options.Lines));
  });
}

void ReadFieldLineBlock(TValueReader &reader, TFieldLineOptions &options) {
  options = {};
  TFieldLineOptions read;
  if (ReadExtensionBlock(reader, kFieldLineBlockVersion, kMaxBlockBytes,
                         [&read](TValueReader &block) { ReadVersion1(block, read); }))
    options = read;
}
