#include "core/product/ProductChoice.h"

#include <climits>

#include "core/product/ProductCatalog.h"

namespace torvan {
namespace {

constexpr int kMaxTypeIndex = 0xFF;  // one byte in the image

bool IsCBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// One "%d" conversion at `pos`: blanks, optional sign, at least one digit.
bool ReadInt(std::string_view s, std::size_t& pos, int& out) {
  std::size_t p = pos;
  while (p < s.size() && IsCBlank(s[p])) ++p;
  bool negative = false;
  if (p < s.size() && (s[p] == '+' || s[p] == '-')) {
    negative = s[p] == '-';
    ++p;
  }
  if (p >= s.size() || !IsDigit(s[p])) return false;
  long long v = 0;
  for (; p < s.size() && IsDigit(s[p]); ++p) {
    if (v <= INT_MAX) v = v * 10 + (s[p] - '0');
  }
  if (negative) v = -v;
  out = v > INT_MAX ? INT_MAX : (v < INT_MIN ? INT_MIN : static_cast<int>(v));
  pos = p;
  return true;
}

bool EdgeFits(int mhz) { return mhz >= 0 && mhz <= kMaxBandEdgeMHz; }

}  // namespace

int ParseBandEntry(std::string_view text, int& lower, int& upper) {
  std::size_t pos = 0;
  int value = 0;
  if (!ReadInt(text, pos, value)) return 0;
  lower = value;
  if (pos >= text.size() || text[pos] != '-') return 1;
  ++pos;
  if (!ReadInt(text, pos, value)) return 1;
  upper = value;
  return 2;
}

bool IsCustomEntry(std::string_view fieldText) { return IsTextInEitherLanguage(fieldText, Text::Customize); }

std::vector<std::string> FieldListEntries(const CIniStore& ini, int typeIndex, DisplayLanguage lang) {
  std::vector<std::string> entries = BandEntries(ini, typeIndex);
  entries.emplace_back(TextFor(Text::Customize, lang));
  return entries;
}

int InitialTypeSelection(int typeCount, const RadioImage& image) {
  const int stored = image[map::kRadioType];
  return stored < typeCount ? stored : 0;
}

int FindBandEntry(const std::vector<std::string>& entries, const BandLimits& band) {
  const std::string wanted = band.ListText();
  auto begins = [&](const std::string& entry) {
    if (entry.size() < wanted.size()) return false;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
      if (FoldAscii(entry[i]) != FoldAscii(wanted[i])) return false;
    }
    return true;
  };
  const std::size_t n = entries.size();
  for (std::size_t k = 1; k <= n; ++k) {
    const std::size_t i = k % n;  // entries 1 .. n-1, then 0
    if (begins(entries[i])) return static_cast<int>(i);
  }
  return -1;
}

Status ApplyProductChoice(const ProductChoice& choice, DisplayLanguage lang, RadioImage& image, BandLimits& band) {
  if (choice.typeIndex > kMaxTypeIndex) {
    return Status::Error("radio type " + std::to_string(choice.typeIndex) + " does not fit the image's type byte");
  }
  int lower = static_cast<int>(band.lowerMHz);
  int upper = static_cast<int>(band.upperMHz);
  if (IsCustomEntry(choice.fieldText)) {
    // Checked before anything is stored, so a refused band changes nothing.
    if (choice.customUpper < choice.customLower) {
      return Status::Error(std::string(TextFor(Text::FrequencyInputError, lang)));
    }
    if (!EdgeFits(choice.customLower) || !EdgeFits(choice.customUpper)) {
      return Status::Error(std::string(TextFor(Text::FrequencyInputError, lang)) + ": " +
                           std::to_string(choice.customLower) + "-" + std::to_string(choice.customUpper) +
                           "MHz is outside 0-999MHz");
    }
    lower = choice.customLower;
    upper = choice.customUpper;
  } else {
    const int read = ParseBandEntry(choice.fieldText, lower, upper);
    if ((read >= 1 && !EdgeFits(lower)) || (read >= 2 && !EdgeFits(upper))) {
      return Status::Error("band \"" + choice.fieldText + "\" of Program.ini: edges must lie within 0-999MHz");
    }
  }
  image[map::kRadioType] = static_cast<std::uint8_t>(choice.typeIndex < 0 ? 0 : choice.typeIndex);
  band.lowerMHz = static_cast<unsigned>(lower);
  band.upperMHz = static_cast<unsigned>(upper);
  return Status::Ok();
}

}  // namespace torvan
