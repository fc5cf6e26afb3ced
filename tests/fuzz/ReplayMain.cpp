// Runs a fuzz target over saved inputs without libFuzzer: the seed corpus and
// every input that once found a fault. Built by every normal build, so that
// the targets keep compiling and their checks run in `make test`.
//
// Usage: torvan-fuzz-replay-NAME FILE|FOLDER...

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

bool RunFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot open %s\n", path.c_str());
    return false;
  }
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  // A failed check aborts inside; the name printed first tells which input.
  std::fprintf(stderr, "%s\n", path.c_str());
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  LLVMFuzzerTestOneInput(nullptr, 0);
  int runs = 1;
  for (int i = 1; i < argc; ++i) {
    const fs::path arg = argv[i];
    std::vector<fs::path> files;
    if (fs::is_directory(arg)) {
      for (const auto& e : fs::directory_iterator(arg)) {
        if (e.is_regular_file()) files.push_back(e.path());
      }
      std::sort(files.begin(), files.end());
    } else {
      files.push_back(arg);
    }
    for (const auto& f : files) {
      if (!RunFile(f)) return 1;
      ++runs;
    }
  }
  std::fprintf(stderr, "%d inputs, no finding\n", runs);
  return 0;
}
