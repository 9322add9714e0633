#pragma once
// The extension block after the last item of a project file: what the picture shows of the
// potential. Readers of the original layout never read past that item, so the block costs
// them nothing. Layout: an integer length n, then n bytes of value stream: an integer
// version, and for version 1 the flags (1 lines, 2 fixed spacing, 4 the test charge's line,
// 8 the map), the spacing (V), the line colour ($00BBGGRR), the number of levels and the
// levels (V).

#include "model/PotentialOptions.h"

class TValueReader;
class TValueWriter;

inline constexpr int32_t kPotentialBlockVersion = 1;
inline constexpr int32_t kMaxSavedLevels = 1000;

// Values that can be saved and read back.
bool PotentialOptionsValid(const TPotentialOptions &options);

// Writes the block only when some option differs from its default or a block follows it
// (always), so that other files keep their bytes; a colour or spacing set while everything
// is off comes back too.
void WritePotentialBlock(TValueWriter &writer, const TPotentialOptions &options,
                         bool always = false);

// Reads the block that follows the last item into options; options are off when the file
// ends there, when the bytes there are no block, and for a block of another version, which
// is skipped by its length. A version 1 block whose values are not what it says throws
// EPropertyError.
void ReadPotentialBlock(TValueReader &reader, TPotentialOptions &options);
