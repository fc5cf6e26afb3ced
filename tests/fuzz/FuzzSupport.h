#pragma once
// What the fuzz targets share: taking values from the fuzzer's bytes, a check
// that stops the run with a message (libFuzzer saves the input that did it),
// and a scratch folder per process.

#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace torvan::fuzz {

// A broken promise of the code under test: print what and where, then abort
// so that the fuzzer keeps the input.
[[noreturn]] inline void Broken(const char* what, const char* file, int line, const std::string& detail) {
  std::fprintf(stderr, "%s:%d: broken: %s\n%s\n", file, line, what, detail.c_str());
  std::abort();
}

#define FUZZ_CHECK(cond, detail)                                             \
  do {                                                                       \
    if (!(cond)) ::torvan::fuzz::Broken(#cond, __FILE__, __LINE__, (detail)); \
  } while (0)

// Reads values from the front of the fuzzer's bytes. Once the bytes are used
// up every value is zero or empty, so a short input is still a whole run.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool empty() const { return pos_ >= size_; }
  std::size_t left() const { return size_ - pos_; }

  std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
  // Two bytes, the first the high one.
  unsigned Word() {
    const unsigned high = Byte();
    return high << 8 | Byte();
  }
  bool Bit() { return (Byte() & 1) != 0; }
  // 0 .. max (inclusive).
  unsigned Below(unsigned max) { return max == 0 ? 0 : Byte() % (max + 1); }

  // Up to `max` bytes: a length byte, then the text.
  std::string ShortText(std::size_t max) {
    const std::size_t want = Byte() % (max + 1);
    return Take(want);
  }
  std::string Take(std::size_t n) {
    n = std::min(n, left());
    std::string s(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return s;
  }
  // Everything that is left.
  std::string_view Rest() {
    const std::string_view s(reinterpret_cast<const char*>(data_ + pos_), left());
    pos_ = size_;
    return s;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

// A folder of this process, emptied between runs: in memory (/dev/shm) where
// there is one, so that the atomic writes' fsync costs nothing.
class ScratchFolder {
 public:
  ScratchFolder() {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path base = "/dev/shm";
    if (!fs::is_directory(base, ec)) base = fs::temp_directory_path();
    path_ = base / ("torvan-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(path_, ec);
    if (ec) Broken("scratch folder", __FILE__, __LINE__, path_.string() + ": " + ec.message());
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // Removes everything inside.
  void Empty() const {
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(path_, ec)) std::filesystem::remove_all(e.path(), ec);
  }
  std::string file(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Printable form of bytes, for failure details.
inline std::string Escaped(std::string_view s) {
  std::string out;
  for (const char c : s) {
    const auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F && c != '\\') {
      out += c;
    } else {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\x%02X", u);
      out += buf;
    }
  }
  return out;
}

}  // namespace torvan::fuzz
