#pragma once
// A number as a person types it into a cell or a spreadsheet writes it into a
// file, read exactly: digit by digit, never through binary floating point, so
// that "410.1249999999" stays 410.1249999999 and is not taken for 410.125.
// Either "." or "," is the decimal point: many of our users type "410,125".

#include <cstdint>
#include <string>
#include <string_view>

namespace torvan {

// The number at the start of a text, read the way atof reads it: leading
// blanks, an optional sign, digits with an optional decimal point and
// fraction, an optional exponent ("1.45e2"); reading stops at the first other
// character. The first "." or "," after the whole digits is the decimal point.
struct TypedNumber {
  bool found = false;     // a number was read (atof would read 0 otherwise)
  bool negative = false;  // a minus sign before a number other than zero
  // The whole text is nothing but digits with at most one decimal point: no
  // blanks, sign, exponent or other characters ("145", "145.125", "410,125").
  bool plain = false;
  // The value is digits x 10^exponent; `digits` has no leading or trailing
  // zeros and is empty for zero.
  std::string digits;
  std::int64_t exponent = 0;
  std::string_view typed;  // the characters that made the number

  bool IsZero() const { return digits.empty(); }
};
TypedNumber ReadTypedNumber(std::string_view text);

// The magnitude of a number in whole units of 10^-decimals.
struct ScaledMagnitude {
  std::uint64_t units = 0;  // truncated toward zero; meaningless when `overflow`
  bool exact = true;        // false: nonzero digits lie below the unit
  bool overflow = false;    // the magnitude does not fit into 64 bits
};
ScaledMagnitude ScaleTypedNumber(const TypedNumber& n, int decimals);

// The value as plain decimal text with at least `minDecimals` decimals and
// every digit it has ("145.10000", "410.1249999999", "-145.00000", "0.00000").
// A number too long to spell out that way (an exponent of hundreds) gives
// the characters as typed.
std::string TypedNumberText(const TypedNumber& n, int minDecimals);

}  // namespace torvan
