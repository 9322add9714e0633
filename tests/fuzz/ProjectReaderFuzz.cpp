// Mutation fuzzing of the project file reader. Valid files are mutated (bit flips, byte
// changes, inserts, deletes, cuts, tag swaps, splices, repeated chunks) and read under the
// checks of ProjectReaderCheck.h. Mutants that read cleanly join the pool, so that later
// rounds go deeper into the charge list.
//
// Usage: kraftbild_fuzz_project_reader <inputs> [seed]
// Deterministic for a given count and seed (every random draw happens in a fixed order,
// never two in one expression); the first failure prints the input and exits
// with 1. Build with -DKRAFTBILD_SANITIZE=ON to let the sanitizers watch as well.

#include "ProjectReaderCheck.h"

#include "base/Errors.h"
#include "file/ProjectCodec.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kMaxInputSize = 1 << 16;
constexpr size_t kPoolSize = 512;
// Seconds one input may take before the run counts as hung.
constexpr unsigned kHangSeconds = 10;
const unsigned char kTags[] = {0, 1, 2, 3, 4, 5, 8, 9, 19, 6, 7, 0x7F, 0x80, 0xFF};

struct TCounts {
  long ok = 0, readErrors = 0, propertyErrors = 0, listErrors = 0;
  size_t mostCharges = 0;
};

class TFuzzer {
public:
  explicit TFuzzer(uint64_t seed) : random_(seed), pool_(ProjectSeeds()) {}

  bool Run(long inputs) {
    for (const QByteArray &seed : pool_) {
      TProjectData data;
      try {
        DecodeProject(seed, data);
      } catch (const EKraftbildError &e) {
        std::fprintf(stderr, "a seed does not read: %s\n", e.what());
        return false;
      }
    }
    for (long i = 0; i < inputs; ++i) {
      QByteArray input = Mutant();
      alarm(kHangSeconds);
      if (!Check(input, i))
        return false;
    }
    alarm(0);
    return true;
  }
  const TCounts &Counts() const { return counts_; }

private:
  size_t Below(size_t n) { return n == 0 ? 0 : static_cast<size_t>(random_() % n); }

  QByteArray Mutant() {
    QByteArray bytes = pool_[Below(pool_.size())];
    const size_t steps = 1 + Below(4);
    for (size_t step = 0; step < steps; ++step)
      Mutate(bytes);
    if (bytes.size() > kMaxInputSize)
      bytes.truncate(kMaxInputSize);
    return bytes;
  }

  void Mutate(QByteArray &bytes) {
    const auto size = static_cast<size_t>(bytes.size());
    const auto at = [&](size_t limit) { return static_cast<qsizetype>(Below(limit)); };
    switch (Below(10)) {
    case 0: // bit flip
      if (size > 0) {
        const qsizetype pos = at(size);
        bytes[pos] = static_cast<char>(bytes[pos] ^ (1 << Below(8)));
      }
      break;
    case 1: // byte set, often to a tag
      if (size > 0) {
        const qsizetype pos = at(size);
        bytes[pos] = static_cast<char>(Below(2) ? kTags[Below(std::size(kTags))] : Below(256));
      }
      break;
    case 2: { // insert random bytes
      QByteArray insert;
      for (size_t n = 1 + Below(16); n > 0; --n)
        insert.append(static_cast<char>(Below(256)));
      bytes.insert(at(size + 1), insert);
      break;
    }
    case 3: // delete a range
      if (size > 0) {
        const qsizetype pos = at(size);
        bytes.remove(pos, static_cast<qsizetype>(1 + Below(16)));
      }
      break;
    case 4: // cut
      bytes.truncate(at(size + 1));
      break;
    case 5: { // swap a tag for another: find a byte that is one and replace it
      for (int tries = 0; tries < 8 && size > 0; ++tries) {
        const qsizetype pos = at(size);
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (byte <= 9 || byte == 19) {
          bytes[pos] = static_cast<char>(kTags[Below(9)]);
          break;
        }
      }
      break;
    }
    case 6: { // splice with another input of the pool
      const QByteArray &other = pool_[Below(pool_.size())];
      const qsizetype cut = at(size + 1); // one draw after the other, in a fixed order
      bytes = bytes.left(cut) + other.mid(at(static_cast<size_t>(other.size()) + 1));
      break;
    }
    case 7: // repeat a chunk in place (grows lists of records)
      if (size > 0) {
        const qsizetype from = at(size);
        const QByteArray chunk = bytes.mid(from, static_cast<qsizetype>(1 + Below(80)));
        for (size_t n = 1 + Below(8); n > 0; --n)
          bytes.insert(from, chunk);
      }
      break;
    case 8: // through the data: more records, chosen indices near the edge
      Restructure(bytes);
      break;
    default: // copy a chunk elsewhere
      if (size > 0) {
        const qsizetype from = at(size);
        const QByteArray chunk = bytes.mid(from, static_cast<qsizetype>(1 + Below(40)));
        bytes.insert(at(size + 1), chunk);
      }
      break;
    }
  }

  void Restructure(QByteArray &bytes) {
    TProjectData data;
    try {
      DecodeProject(bytes, data);
    } catch (const EKraftbildError &) {
      return;
    }
    if (!data.Charges.empty())
      for (size_t n = Below(64); n > 0 && data.Charges.size() < 1500; --n)
        data.Charges.push_back(data.Charges[Below(data.Charges.size())]);
    const auto count = static_cast<int32_t>(data.Charges.size());
    data.FirstChosen = static_cast<int32_t>(Below(static_cast<size_t>(count) + 3)) - 2;
    data.SecondChosen = count - 1 + static_cast<int32_t>(Below(3));
    data.ValueIndex = static_cast<int32_t>(random_());
    bytes = EncodeProject(data);
  }

  bool Check(const QByteArray &input, long index) {
    const TReadCheck check = CheckProjectRead(input);
    switch (check.Outcome) {
    case EReadOutcome::Accepted:
      ++counts_.ok;
      if (check.Fault.empty() && pool_.size() < kPoolSize)
        pool_.push_back(input);
      else if (check.Fault.empty() && Below(8) == 0)
        pool_[Below(pool_.size())] = input;
      break;
    case EReadOutcome::ReadError:
      ++counts_.readErrors;
      break;
    case EReadOutcome::PropertyError:
      ++counts_.propertyErrors;
      break;
    case EReadOutcome::ListError:
      ++counts_.listErrors;
      break;
    case EReadOutcome::Foreign:
      break;
    }
    counts_.mostCharges = std::max(counts_.mostCharges, check.Data.Charges.size());
    if (check.Fault.empty())
      return true;
    std::fprintf(stderr, "input %ld: %s\n%s\n", index, check.Fault.c_str(),
                 input.toHex(' ').constData());
    return false;
  }

  std::mt19937_64 random_;
  std::vector<QByteArray> pool_;
  TCounts counts_;
};

} // namespace

int main(int argc, char **argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: %s <inputs> [seed]\n", argv[0]);
    return 2;
  }
  const long inputs = std::strtol(argv[1], nullptr, 10);
  const uint64_t seed = argc == 3 ? std::strtoull(argv[2], nullptr, 10) : 1;
  TFuzzer fuzzer(seed);
  const bool passed = fuzzer.Run(inputs);
  const TCounts &c = fuzzer.Counts();
  std::printf("seed %llu: %ld inputs, %ld read, %ld read errors, %ld property errors, "
              "%ld list errors, at most %zu charges\n",
              static_cast<unsigned long long>(seed), inputs, c.ok, c.readErrors, c.propertyErrors,
              c.listErrors, c.mostCharges);
  return passed ? 0 : 1;
}
