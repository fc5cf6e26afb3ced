#include "core/radio/DecimalMultiply.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace torvan {
namespace {

// A decimal number: sign * mantissa * 10^exponent with at most 15 digits.
struct Decimal15 {
  bool negative = false;
  std::uint64_t mantissa = 0;
  int exponent = 0;
};

Decimal15 ToDecimal15(double v) {
  Decimal15 d;
  if (v == 0.0) return d;
  // "%.14e" rounds to exactly 15 significant digits, correctly rounded.
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.14e", v);
  const char* p = buf;
  if (*p == '-') {
    d.negative = true;
    ++p;
  }
  int digits = 0;
  for (; *p && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') {
      d.mantissa = d.mantissa * 10 + static_cast<unsigned>(*p - '0');
      ++digits;
    }
  }
  const int exp10 = (*p == 'e') ? std::atoi(p + 1) : 0;
  // buf holds d.ddddddddddddddd x 10^exp10: the mantissa has 14 decimals.
  d.exponent = exp10 - (digits - 1);
  return d;
}

}  // namespace

double DecimalMultiply(double a, double b) {
  if (!std::isfinite(a) || !std::isfinite(b)) return a * b;
  const Decimal15 x = ToDecimal15(a);
  const Decimal15 y = ToDecimal15(b);
  if (x.mantissa == 0 || y.mantissa == 0) return 0.0;

  // Schoolbook multiplication on decimal digits (least significant first):
  // two 15-digit mantissas give at most 30 digits.
  int xs[15] = {}, ys[15] = {};
  int nx = 0, ny = 0;
  for (std::uint64_t v = x.mantissa; v > 0; v /= 10) xs[nx++] = static_cast<int>(v % 10);
  for (std::uint64_t v = y.mantissa; v > 0; v /= 10) ys[ny++] = static_cast<int>(v % 10);
  int prod[32] = {};
  for (int i = 0; i < nx; ++i) {
    for (int j = 0; j < ny; ++j) prod[i + j] += xs[i] * ys[j];
  }
  int n = nx + ny;
  for (int i = 0; i + 1 < n; ++i) {
    prod[i + 1] += prod[i] / 10;
    prod[i] %= 10;
  }
  while (n > 1 && prod[n - 1] == 0) --n;
  char digits[48];
  for (int i = 0; i < n; ++i) digits[i] = static_cast<char>('0' + prod[i]);
  char text[64];
  int k = 0;
  if (x.negative != y.negative) text[k++] = '-';
  while (n > 0) text[k++] = digits[--n];
  std::snprintf(text + k, sizeof text - static_cast<std::size_t>(k), "e%d", x.exponent + y.exponent);
  // strtod rounds the exact decimal text to the nearest double.
  return std::strtod(text, nullptr);
}

int TruncateToInt32(double v) {
  if (!(v > -2147483649.0 && v < 2147483648.0)) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

}  // namespace torvan
