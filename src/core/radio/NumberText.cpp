#include "core/radio/NumberText.h"

#include <charconv>
#include <cctype>
#include <cmath>
#include <limits>

namespace torvan {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view SkipBlanks(std::string_view t) {
  std::size_t i = 0;
  while (i < t.size() && IsBlank(t[i])) ++i;
  return t.substr(i);
}

}  // namespace

double AtoF(std::string_view text) {
  std::string_view t = SkipBlanks(text);
  bool negative = false;
  if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
    negative = t[0] == '-';
    t.remove_prefix(1);
  }
  // from_chars takes no sign of its own here, and no blanks after the sign.
  if (t.empty() || !(std::isdigit(static_cast<unsigned char>(t[0])) || t[0] == '.')) return 0.0;
  double v = 0.0;
  const auto r = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::general);
  if (r.ec == std::errc::result_out_of_range) {
    // Like strtod: too large gives infinity, too small gives zero.
    const std::string_view parsed(t.data(), static_cast<std::size_t>(r.ptr - t.data()));
    const auto e = parsed.find_first_of("eE");
    const bool tiny = e != std::string_view::npos && e + 1 < parsed.size() && parsed[e + 1] == '-';
    v = tiny ? 0.0 : std::numeric_limits<double>::infinity();
  } else if (r.ec != std::errc()) {
    v = 0.0;
  }
  return negative ? -v : v;
}

int AtoI(std::string_view text) {
  std::string_view t = SkipBlanks(text);
  bool negative = false;
  if (!t.empty() && (t[0] == '+' || t[0] == '-')) {
    negative = t[0] == '-';
    t.remove_prefix(1);
  }
  long long v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') break;
    if (v < 10000000000LL) v = v * 10 + (c - '0');
  }
  if (negative) v = -v;
  if (v > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (v < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

std::string FormatFixed(double value, int decimals) {
  char buf[400];
  const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (r.ec != std::errc()) return {};
  return std::string(buf, r.ptr);
}

}  // namespace torvan
