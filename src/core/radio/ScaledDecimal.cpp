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

namespace {

// With the decimals known at compile time the divisions become multiplications.
template <int kDecimals>
std::string_view FormatScaledFixed(char (&buf)[kScaledTextCapacity], std::uint32_t count) {
  constexpr std::uint32_t kScale = kPow10[kDecimals];
  std::uint32_t whole = count / kScale;
  std::uint32_t frac = count % kScale;
  // Written from the end: at most 10 whole digits, the point and 9 decimals.
  char* const end = buf + kScaledTextCapacity;
  char* p = end;
  for (int i = 0; i < kDecimals; ++i) {
    *--p = static_cast<char>('0' + frac % 10);
    frac /= 10;
  }
  *--p = '.';
  do {
    *--p = static_cast<char>('0' + whole % 10);
    whole /= 10;
  } while (whole > 0);
  return std::string_view(p, static_cast<std::size_t>(end - p));
}

}  // namespace

std::string_view FormatScaledChars(char (&buf)[kScaledTextCapacity], std::uint32_t count, int decimals) {
  switch (ClampDecimals(decimals)) {
    case 1: return FormatScaledFixed<1>(buf, count);
    case 2: return FormatScaledFixed<2>(buf, count);
    case 3: return FormatScaledFixed<3>(buf, count);
    case 4: return FormatScaledFixed<4>(buf, count);
    case 5: return FormatScaledFixed<5>(buf, count);
    case 6: return FormatScaledFixed<6>(buf, count);
    case 7: return FormatScaledFixed<7>(buf, count);
    case 8: return FormatScaledFixed<8>(buf, count);
    default: return FormatScaledFixed<9>(buf, count);
  }
}

void FormatScaledInto(std::string& out, std::uint32_t count, int decimals) {
  char buf[kScaledTextCapacity];
  out.assign(FormatScaledChars(buf, count, decimals));
}

std::string FormatScaled(std::uint32_t count, int decimals) {
  std::string s;
  FormatScaledInto(s, count, decimals);
  return s;
}

namespace {

template <int kDecimals>
std::int32_t ParseScaledFixed(std::string_view text) {
  // Short path: plain digits with at most kDecimals decimals and nothing else.
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
      shortPath = ++digits <= kExactDigits && ++fraction <= kDecimals;
    }
  }
  if (shortPath && i == text.size()) {
    for (; fraction < kDecimals && value <= kInt32Max; ++fraction) value *= 10;
    if (value > kInt32Max) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
  }
  // The long way. A text without a number (a word such as "None") reads 0,
  // and zero times anything is zero.
  const double v = AtoF(text);
  if (v == 0.0) return 0;
  return TruncateToInt32(DecimalMultiply(v, static_cast<double>(kPow10[kDecimals])));
}

}  // namespace

std::int32_t ParseScaled(std::string_view text, int decimals) {
  switch (ClampDecimals(decimals)) {
    case 1: return ParseScaledFixed<1>(text);
    case 2: return ParseScaledFixed<2>(text);
    case 3: return ParseScaledFixed<3>(text);
    case 4: return ParseScaledFixed<4>(text);
    case 5: return ParseScaledFixed<5>(text);
    case 6: return ParseScaledFixed<6>(text);
    case 7: return ParseScaledFixed<7>(text);
    case 8: return ParseScaledFixed<8>(text);
    default: return ParseScaledFixed<9>(text);
  }
}

}  // namespace torvan
