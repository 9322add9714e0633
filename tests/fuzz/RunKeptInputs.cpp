// Reads every kept fuzzing input (the corpus and the inputs of past failures) through the
// checks of ProjectReaderCheck.h, so that the ordinary build and test run cover them without
// libFuzzer.
//
// Usage: kraftbild_fuzz_kept_inputs FOLDER...
//        kraftbild_fuzz_kept_inputs --write-corpus FOLDER
// The second form writes the small starting corpus: the valid seeds and a few files that
// each fail in another way.

#include "ProjectReaderCheck.h"

#include "file/ProjectCodec.h"

#include <QByteArray>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

QByteArray ReadBytes(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::vector<std::pair<std::string, QByteArray>> CorpusFiles() {
  std::vector<std::pair<std::string, QByteArray>> files;
  const std::vector<QByteArray> seeds = ProjectSeeds();
  for (size_t i = 0; i < seeds.size(); ++i)
    files.emplace_back("valid-" + std::to_string(i), seeds[i]);
  const QByteArray &one = seeds[1];
  files.emplace_back("empty", QByteArray());
  files.emplace_back("cut-in-record", one.left(one.size() - 12));
  TProjectData data;
  data.Charges = {{10, 20, -1, 401, false, 1}}; // one field line more than allowed
  files.emplace_back("too-many-lines", EncodeProject(data));
  data.Charges[0].FieldLineCount = 3;
  data.ZoomFactor = 0;
  files.emplace_back("zero-zoom", EncodeProject(data));
  data.ZoomFactor = 2;
  data.SecondChosen = 1; // one past the only record
  files.emplace_back("chosen-past-end", EncodeProject(data));
  QByteArray foreignTag = one;
  foreignTag[8] = 0x07; // the arrow scale's tag
  files.emplace_back("foreign-tag", foreignTag);
  return files;
}

int WriteCorpus(const fs::path &folder) {
  fs::create_directories(folder);
  for (const auto &[name, bytes] : CorpusFiles()) {
    std::ofstream out(folder / (name + ".kbf"), std::ios::binary);
    out.write(bytes.constData(), bytes.size());
    if (!out)
      return 1;
  }
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  if (argc == 3 && std::string(argv[1]) == "--write-corpus")
    return WriteCorpus(argv[2]);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s FOLDER... | --write-corpus FOLDER\n", argv[0]);
    return 2;
  }
  std::vector<fs::path> paths;
  for (int i = 1; i < argc; ++i)
    for (const fs::directory_entry &entry : fs::directory_iterator(argv[i]))
      if (entry.is_regular_file() && entry.path().filename().string().front() != '.')
        paths.push_back(entry.path());
  std::sort(paths.begin(), paths.end());
  int failures = 0;
  for (const fs::path &path : paths) {
    const TReadCheck check = CheckProjectRead(ReadBytes(path));
    if (!check.Fault.empty()) {
      std::fprintf(stderr, "%s: %s\n", path.c_str(), check.Fault.c_str());
      ++failures;
    }
  }
  std::printf("%zu inputs, %d failed\n", paths.size(), failures);
  return failures == 0 && !paths.empty() ? 0 : 1;
}
