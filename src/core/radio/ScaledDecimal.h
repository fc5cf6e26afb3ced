#pragma once
// Whole counts of a decimal unit (10 Hz for frequencies, 0.1 Hz for CTCSS
// tones) <-> their texts. The results are exactly those of the long way round
// (DecimalMultiply by the power of ten, then FormatFixed or truncation), but
// the common texts take a short path without floating point: the codec turns
// 1800 cells a time and must stay fast.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace torvan {

// Decimals of the grid texts.
inline constexpr int kFrequencyDecimals = 5;  // MHz with five decimals: 10 Hz units
inline constexpr int kToneDecimals = 1;       // Hz with one decimal: tenths of a hertz

// count x 10^-decimals with exactly `decimals` decimals ("%3.5f" of the value
// DecimalMultiply(count, 0.00001) for decimals = 5): 43012500 -> "430.12500".
// `decimals` is 1..9.
std::string FormatScaled(std::uint32_t count, int decimals);
// The same, written into `out` (its storage is reused).
void FormatScaledInto(std::string& out, std::uint32_t count, int decimals);
// The same, written into a caller's buffer; the view points into `buf`.
inline constexpr std::size_t kScaledTextCapacity = 24;
std::string_view FormatScaledChars(char (&buf)[kScaledTextCapacity], std::uint32_t count, int decimals);

// TruncateToInt32(DecimalMultiply(AtoF(text), 10^decimals)): the text read as
// a number the way atof reads it, scaled in decimal and truncated toward zero.
// "128.0125" -> 12801250 for decimals = 5. A text without a number gives 0;
// values beyond the 32-bit range (and infinities) give INT32_MIN.
std::int32_t ParseScaled(std::string_view text, int decimals);

// The same two with the decimals fixed at compile time, for the codec's hot
// loops. Instantiated for kToneDecimals and kFrequencyDecimals.
template <int kDecimals>
std::string_view FormatScaledFixed(char (&buf)[kScaledTextCapacity], std::uint32_t count);
template <int kDecimals>
std::int32_t ParseScaledFixed(std::string_view text);

extern template std::string_view FormatScaledFixed<kToneDecimals>(char (&)[kScaledTextCapacity], std::uint32_t);
extern template std::string_view FormatScaledFixed<kFrequencyDecimals>(char (&)[kScaledTextCapacity], std::uint32_t);
extern template std::int32_t ParseScaledFixed<kToneDecimals>(std::string_view);
extern template std::int32_t ParseScaledFixed<kFrequencyDecimals>(std::string_view);

}  // namespace torvan
