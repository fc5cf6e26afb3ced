#pragma once
// Number <-> text conversions that never depend on the process locale: the
// grid, the files and the radio always use "." as the decimal point, even in a
// program whose locale says ",".

#include <string>
#include <string_view>

namespace torvan {

// Reads a number the way C's atof does: leading blanks, an optional sign,
// digits with an optional fraction and exponent; reading stops at the first
// other character; a text without a number reads 0.
double AtoF(std::string_view text);

// Reads an integer the way C's atoi does (leading blanks, optional sign,
// digits; 0 when there are none). Saturates instead of overflowing.
int AtoI(std::string_view text);

// The value with exactly `decimals` decimals, like printf("%.*f"): "145.12500".
std::string FormatFixed(double value, int decimals);

}  // namespace torvan
