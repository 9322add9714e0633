#pragma once
// The second extension block of a project file: what is drawn with the field lines. It
// follows the potential block (file/PotentialBlock.h), which is then always written, even
// with its defaults, so that a reader knows which block it reads: the first block after the
// last item is always the potential's. Layout: an integer length n, then n bytes of value
// stream: an integer version, and for version 1 the flags (1 lines in proportion to charge,
// 2 arrows, 4 accurate lines, 8 zero points), then the lines of the largest charge in
// proportion (absent in the first files written: 16).

#include "model/FieldLineOptions.h"

#include <cstdint>

class TValueReader;
class TValueWriter;

inline constexpr int32_t kFieldLineBlockVersion = 1;

// Whether a file needs the block: only when some option is on, so that other files keep
// their bytes.
inline bool FieldLineBlockNeeded(const TFieldLineOptions &options) {
  return options.AnySet() || options.Lines != TFieldLineOptions{}.Lines;
}

// Writes the block when FieldLineBlockNeeded or always (a block after it follows); the
// potential block must be written before it.
void WriteFieldLineBlock(TValueWriter &writer, const TFieldLineOptions &options,
                         bool always = false);

// Reads the block that follows the potential block into options; options are off when the
// file ends there, when the bytes there are no block, and for a block of another version,
// which is skipped by its length. A version 1 block with flags it does not know or a line
// count beyond kMaxProportionalLines throws EPropertyError.
void ReadFieldLineBlock(TValueReader &reader, TFieldLineOptions &options);
