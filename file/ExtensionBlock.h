#pragma once
// The framing the extension blocks after a project file's last item share: an integer length
// n, then n bytes of value stream that begin with an integer version. Readers of the format
// have always ignored what follows the last item, so bytes that do not make a block of this
// program are taken for something else and skipped.

#include <cstdint>
#include <functional>

class TValueReader;
class TValueWriter;

// Writes the version and what fill writes as one block.
void WriteExtensionBlock(TValueWriter &writer, int32_t version,
                         const std::function<void(TValueWriter &)> &fill);

// Reads the block at the reader. Answers false when no block of this version is there: the
// file ends, the length is outside 1..maxBytes or runs beyond the end, or the version cannot
// be read or is another (that block is skipped by its length). Else read gets the block's
// values after the version, and the answer is true; a block too short for what read reads,
// or a value read refuses with EPropertyError, throws EPropertyError.
bool ReadExtensionBlock(TValueReader &reader, int32_t version, int32_t maxBytes,
                        const std::function<void(TValueReader &)> &read);
