#include "core/link/PortFileName.h"

#include <algorithm>
#include <array>

namespace torvan {

namespace {

constexpr std::string_view kUnnamedPort = "port";
constexpr char kReplacement = '_';
constexpr std::string_view kNotInFileNames = "<>:\"|?*";
constexpr unsigned char kFirstPrintable = 0x20;
constexpr unsigned char kDelete = 0x7F;
constexpr std::string_view kImageExtension = ".dat";

// Names that Windows opens as devices whatever follows them after a dot.
constexpr std::array<std::string_view, 4> kDeviceNames = {"CON", "PRN", "AUX", "NUL"};
constexpr std::array<std::string_view, 2> kNumberedDeviceNames = {"COM", "LPT"};

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return UpperAscii(x) == UpperAscii(y); });
}

bool IsWindowsDeviceName(std::string_view name) {
  for (const std::string_view d : kDeviceNames) {
    if (EqualIgnoringAsciiCase(name, d)) return true;
  }
  for (const std::string_view d : kNumberedDeviceNames) {
    if (name.size() == d.size() + 1 && EqualIgnoringAsciiCase(name.substr(0, d.size()), d) &&
        name.back() >= '0' && name.back() <= '9') {
      return true;
    }
  }
  return false;
}

}  // namespace

std::string PortFileName(std::string_view port) {
  while (!port.empty() && IsSeparator(port.back())) port.remove_suffix(1);
  const auto cut = std::find_if(port.rbegin(), port.rend(), IsSeparator);
  std::string name(cut.base(), port.end());
  if (name.empty() || name == "." || name == "..") return std::string(kUnnamedPort);
  for (char& ch : name) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < kFirstPrintable || c == kDelete || kNotInFileNames.find(ch) != std::string_view::npos) ch = kReplacement;
  }
  // Windows drops a trailing dot or blank from a file name.
  if (name.back() == '.' || name.back() == ' ') name.back() = kReplacement;
  return name;
}

bool SamePortFileName(std::string_view a, std::string_view b) { return EqualIgnoringAsciiCase(a, b); }

std::string PortImageFileName(std::string_view port) {
  std::string name = PortFileName(port);
  // "COM5.x.dat" is the device too: the part before the first dot counts.
  const std::size_t base = std::min(name.find('.'), name.size());
  if (IsWindowsDeviceName(std::string_view(name).substr(0, base))) name.insert(base, 1, kReplacement);
  return name + std::string(kImageExtension);
}

}  // namespace torvan
