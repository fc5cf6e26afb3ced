#include "core/files/TemporaryName.h"

#include <algorithm>
#include <cstdio>
#include <mutex>
#include <random>
#include <string>

#include "core/files/PathText.h"

namespace torvan {

namespace {

constexpr std::string_view kTempMark = ".tmp";
constexpr std::size_t kTempDigits = 8;

// The first bytes of the target's name, cut before a UTF-8 sequence that would
// not fit whole.
std::string Stem(const std::filesystem::path& target) {
  std::string name = PathText(target.filename());
  if (name.size() <= kTemporaryStemBytes) return name;
  std::size_t cut = kTemporaryStemBytes;
  while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80) --cut;
  name.resize(cut);
  return name;
}

bool IsLowerHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

}  // namespace

std::filesystem::path TemporaryNameFor(const std::filesystem::path& target, std::uint32_t number) {
  char digits[kTempDigits + 1];
  std::snprintf(digits, sizeof digits, "%08lx", static_cast<unsigned long>(number));
  const std::string name = Stem(target) + std::string(kTempMark) + digits;
  return target.parent_path() / PathFromUtf8(name);
}

bool IsTemporaryNameOf(const std::filesystem::path& name, const std::filesystem::path& target) {
  const std::string prefix = Stem(target) + std::string(kTempMark);
  const std::string text = PathText(name);
  if (text.size() != prefix.size() + kTempDigits || text.compare(0, prefix.size(), prefix) != 0) return false;
  return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(prefix.size()), text.end(), IsLowerHex);
}

std::uint32_t RandomTemporaryNumber() {
  static std::mutex mutex;
  static std::mt19937 rng{std::random_device{}()};
  const std::lock_guard<std::mutex> lock(mutex);
  return static_cast<std::uint32_t>(rng());
}

}  // namespace torvan
