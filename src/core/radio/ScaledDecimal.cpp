#include "radio/ScaledDecimal.h"

#include <limits>

#include "radio/DecimalMultiply.h"
#include "radio/NumberText.h"

namespace torvan {
namespace {

constexpr int kMaxDecimals = 9;
constexpr std::uint32_t kPow10[kMaxDecimals + 1] = {1,      10,      100,      1000,      10000,
                                                    100000, 1000000, 10000000, 100000000, 1000000000};
// A double holds every decimal of up to 15 significant digits exactly enough
// that rounding it back to 15 digits (what DecimalMultiply does first) gives
// the same decimal. Texts within that bound can be scaled digit by digit.
constexpr int kExactDigits = 15;
constexpr std::uint64_t kInt32Max = static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max());

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int ClampDecimals(int decimals) { return decimals < 1 ? 1 : (decimals > kMaxDecimals ? kMaxDecimals : decimals); }

}  // namespace

void FormatScaledInto(std::string& out, std::uint32_t count, int decimals) {
  decimals = ClampDecimals(decimals);
  const std::uint32_t scale = kPow10[decimals];
  std::uint32_t whole = count / scale;
  std::uint32_t frac = count % scale;
  char buf[24];
  char* end = buf + sizeof buf;
  char* p = end;
  for (int i = 0; i < decimals; ++i) {
    *--p = static_cast<char>('0' + frac % 10);
    frac /= 10;
  }
  *--p = '.';
  do {
    *--p = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole > 0);
  out.assign(p, end);
}

std::string FormatScaled(std::uint32_t count, int decimals) {
  std::string s;
  FormatScaledInto(s, count, decimals);
  return s;
}

std::int32_t ParseScaled(std::string_view text, int decimals) {
  decimals = ClampDecimals(decimals);
  // Short path: plain digits with at most `decimals` decimals and nothing else.
  std::uint64_t value = 0;
  int digits = 0;
  int fraction = 0;
  std::size_t i = 0;
  bool shortPath = !text.empty() && IsDigit(text[0]);
  for (; shortPath && i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + static_cast<unsigned>(text[i] - '0');
    shortPath = ++digits <= kExactDigits;
  }
  if (shortPath && i < text.size() && text[i] == '.') {
    for (++i; shortPath && i < text.size() && IsDigit(text[i]); ++i) {
      value = value * 10 + static_cast<unsigned>(text[i] - '0');
      shortPath = ++digits <= kExactDigits && ++fraction <= decimals;
    }
  }
  if (shortPath && i == text.size()) {
    for (; fraction < decimals && value <= kInt32Max; ++fraction) value *= 10;
    if (value > kInt32Max) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
  }
  return TruncateToInt32(DecimalMultiply(AtoF(text), static_cast<double>(kPow10[decimals])));
}

}  // namespace torvan
