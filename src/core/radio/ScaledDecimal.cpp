#include "core/radio/ScaledDecimal.h"

#include <limits>
#include <utility>

#include "core/radio/DecimalMultiply.h"
#include "core/radio/NumberText.h"

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

// "00" "01" ... "99": two digits at a time halve the divisions.
struct DigitPairTable {
  char text[200];
  constexpr DigitPairTable() : text() {
    for (int i = 0; i < 100; ++i) {
      text[2 * i] = static_cast<char>('0' + i / 10);
      text[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
  }
};
constexpr DigitPairTable kPairs;

// Writes the last kDigits digits of v (with leading zeros) before `p`.
template <int kDigits>
inline char* PutDigits(char* p, std::uint32_t v) {
  for (int digits = kDigits; digits >= 2; digits -= 2) {
    const std::uint32_t pair = v % 100;
    v /= 100;
    p -= 2;
    p[0] = kPairs.text[2 * pair];
    p[1] = kPairs.text[2 * pair + 1];
  }
  if constexpr (kDigits % 2 == 1) *--p = static_cast<char>('0' + v % 10);
  return p;
}

}  // namespace

// With the decimals known at compile time the divisions become multiplications.
template <int kDecimals>
std::string_view FormatScaledFixed(char (&buf)[kScaledTextCapacity], std::uint32_t count) {
  constexpr std::uint32_t kScale = kPow10[kDecimals];
  std::uint32_t whole = count / kScale;
  // Written from the end: at most 10 whole digits, the point and 9 decimals.
  char* const end = buf + kScaledTextCapacity;
  char* p = PutDigits<kDecimals>(end, count % kScale);
  *--p = '.';
  while (whole >= 100) {
    p = PutDigits<2>(p, whole % 100);
    whole /= 100;
  }
  p = whole >= 10 ? PutDigits<2>(p, whole) : PutDigits<1>(p, whole);
  return std::string_view(p, static_cast<std::size_t>(end - p));
}

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

// Appends the digits from `p` on to `value`; returns the first non-digit.
inline const char* AccumulateDigits(const char* p, const char* end, std::uint64_t& value) {
  std::uint64_t v = value;
  for (; p != end; ++p) {
    const unsigned d = static_cast<unsigned char>(*p) - static_cast<unsigned>('0');
    if (d > 9) break;
    v = v * 10 + d;
  }
  value = v;
  return p;
}

// Appends the digits s[0], s[1], ... (one per index) to `value`; `bad` is set
// when one of them is not a digit.
template <std::size_t... kIndex>
inline void AddFixedDigits(const char* s, std::uint32_t& value, bool& bad, std::index_sequence<kIndex...>) {
  (
      [&] {
        const unsigned d = static_cast<unsigned char>(s[kIndex]) - static_cast<unsigned>('0');
        bad |= d > 9;
        value = value * 10 + d;
      }(),
      ...);
}

}  // namespace

template <int kDecimals>
std::int32_t ParseScaledFixed(std::string_view text) {
  // Short path: plain digits with at most kDecimals decimals and nothing else,
  // at most kExactDigits digits in all.
  const char* p = text.data();
  const char* const end = p + text.size();
  // The texts the grid holds have exactly kDecimals decimals after 1 to 4
  // whole digits ("430.12500"): read those without branching on each digit.
  // At most 4 + kDecimals digits: no overflow for the 1 and 5 decimals in use.
  if constexpr (kDecimals <= 5) {
    constexpr std::size_t kMinLength = kDecimals + 2;  // "0.00000"
    constexpr std::size_t kMaxLength = kDecimals + 5;  // "9999.99999"
    if (text.size() >= kMinLength && text.size() <= kMaxLength && end[-kDecimals - 1] == '.') {
      const char* const point = end - kDecimals - 1;
      std::uint32_t value = 0;
      bool bad = false;
      for (const char* q = p; q != point; ++q) {
        const unsigned d = static_cast<unsigned char>(*q) - static_cast<unsigned>('0');
        bad |= d > 9;
        value = value * 10 + d;
      }
      AddFixedDigits(point + 1, value, bad, std::make_index_sequence<kDecimals>{});
      if (!bad) return static_cast<std::int32_t>(value);
    }
  }
  if (p != end && IsDigit(*p)) {
    std::uint64_t value = 0;  // may wrap on absurdly long texts; those take the long way below
    const char* q = AccumulateDigits(p, end, value);
    const auto wholeDigits = q - p;
    std::ptrdiff_t fraction = 0;
    if (q != end && *q == '.') {
      const char* f = ++q;
      q = AccumulateDigits(q, end, value);
      fraction = q - f;
    }
    if (q == end && fraction <= kDecimals && wholeDigits + fraction <= kExactDigits) {
      for (; fraction < kDecimals && value <= kInt32Max; ++fraction) value *= 10;
      if (value > kInt32Max) return std::numeric_limits<std::int32_t>::min();
      return static_cast<std::int32_t>(value);
    }
  }
  // The long way. A text without a number (a word such as "None") reads 0,
  // and zero times anything is zero.
  const double v = AtoF(text);
  if (v == 0.0) return 0;
  return TruncateToInt32(DecimalMultiply(v, static_cast<double>(kPow10[kDecimals])));
}

template std::string_view FormatScaledFixed<kToneDecimals>(char (&)[kScaledTextCapacity], std::uint32_t);
template std::string_view FormatScaledFixed<kFrequencyDecimals>(char (&)[kScaledTextCapacity], std::uint32_t);
template std::int32_t ParseScaledFixed<kToneDecimals>(std::string_view);
template std::int32_t ParseScaledFixed<kFrequencyDecimals>(std::string_view);

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
