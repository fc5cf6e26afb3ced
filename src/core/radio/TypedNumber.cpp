#include "core/radio/TypedNumber.h"

namespace torvan {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsDecimalPoint(char c) { return c == '.' || c == ','; }

// Beyond this an exponent only says "huge" or "tiny"; it is not added up further.
constexpr std::int64_t kExponentLimit = 1000000;
// A 64-bit count holds every number of up to 19 digits.
constexpr std::size_t kMaxUnitDigits = 19;
// Numbers whose point lies further out than this are not spelled out.
constexpr std::int64_t kMaxSpelledShift = 60;

}  // namespace

TypedNumber ReadTypedNumber(std::string_view text) {
  TypedNumber n;
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  const std::size_t start = i;
  bool sign = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    n.negative = text[i] == '-';
    sign = true;
    ++i;
  }
  std::string whole, fraction;
  while (i < text.size() && IsDigit(text[i])) whole += text[i++];
  if (i < text.size() && IsDecimalPoint(text[i])) {
    std::size_t j = i + 1;
    while (j < text.size() && IsDigit(text[j])) fraction += text[j++];
    // A point with no digit on either side is no number ("." or "-,").
    if (!whole.empty() || !fraction.empty()) i = j;
  }
  if (whole.empty() && fraction.empty()) {
    n.negative = false;
    return n;
  }
  n.found = true;
  std::int64_t exponent = 0;
  bool hasExponent = false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) negativeExponent = text[j++] == '-';
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) {
        if (exponent < kExponentLimit) exponent = exponent * 10 + (text[j] - '0');
        ++j;
      }
      if (negativeExponent) exponent = -exponent;
      hasExponent = true;
      i = j;
    }
  }
  n.typed = text.substr(start, i - start);
  n.plain = start == 0 && !sign && !hasExponent && i == text.size();

  std::string digits = whole + fraction;
  exponent -= static_cast<std::int64_t>(fraction.size());
  const std::size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) {
    n.negative = false;  // "-0" is zero
    return n;
  }
  const std::size_t last = digits.find_last_not_of('0');
  exponent += static_cast<std::int64_t>(digits.size() - 1 - last);
  n.digits = digits.substr(first, last - first + 1);
  n.exponent = exponent;
  return n;
}

ScaledMagnitude ScaleTypedNumber(const TypedNumber& n, int decimals) {
  ScaledMagnitude m;
  if (n.IsZero()) return m;
  const std::int64_t shift = n.exponent + decimals;
  const auto size = static_cast<std::int64_t>(n.digits.size());
  std::size_t keep = n.digits.size();
  std::int64_t zeros = 0;
  if (shift >= 0) {
    zeros = shift;
  } else if (-shift >= size) {
    m.exact = false;  // every digit lies below the unit
    return m;
  } else {
    keep = static_cast<std::size_t>(size + shift);
    m.exact = false;  // the digits dropped are not all zero: `digits` ends in a nonzero one
  }
  if (static_cast<std::int64_t>(keep) + zeros > static_cast<std::int64_t>(kMaxUnitDigits)) {
    m.overflow = true;
    return m;
  }
  for (std::size_t k = 0; k < keep; ++k) m.units = m.units * 10 + static_cast<std::uint64_t>(n.digits[k] - '0');
  for (std::int64_t k = 0; k < zeros; ++k) m.units *= 10;
  return m;
}

std::string TypedNumberText(const TypedNumber& n, int minDecimals) {
  const std::size_t minFraction = minDecimals > 0 ? static_cast<std::size_t>(minDecimals) : 0;
  if (n.IsZero()) return minFraction ? "0." + std::string(minFraction, '0') : "0";
  if (n.exponent > kMaxSpelledShift || n.exponent < -kMaxSpelledShift) return std::string(n.typed);
  // The point stands `point` digits from the left end of `digits`.
  const std::int64_t point = static_cast<std::int64_t>(n.digits.size()) + n.exponent;
  std::string whole, fraction;
  if (point <= 0) {
    whole = "0";
    fraction = std::string(static_cast<std::size_t>(-point), '0') + n.digits;
  } else if (point >= static_cast<std::int64_t>(n.digits.size())) {
    whole = n.digits + std::string(static_cast<std::size_t>(point) - n.digits.size(), '0');
  } else {
    whole = n.digits.substr(0, static_cast<std::size_t>(point));
    fraction = n.digits.substr(static_cast<std::size_t>(point));
  }
  if (fraction.size() < minFraction) fraction.append(minFraction - fraction.size(), '0');
  std::string text = n.negative ? "-" + whole : whole;
  if (!fraction.empty()) text += "." + fraction;
  return text;
}

}  // namespace torvan
