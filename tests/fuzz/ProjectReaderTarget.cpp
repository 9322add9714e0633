// libFuzzer entry point over the project file reader: every input goes through the checks
// of ProjectReaderCheck.h, and a failed check aborts, so that libFuzzer keeps the input.

#include "ProjectReaderCheck.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
  const TReadCheck check = CheckProjectRead(input);
  if (!check.Fault.empty()) {
    std::fprintf(stderr, "project reader: %s\n", check.Fault.c_str());
    std::abort();
  }
  return 0;
}
