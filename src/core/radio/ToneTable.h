#pragma once
// The 261 tone choices offered for Rx Tone and Tx Tone, in list order:
// index 0 no tone, 1-50 CTCSS, 51-155 DCS normal ("D023N"), 156-260 DCS
// inverted ("D023I"). The codec does not consult the list: it converts texts
// and bytes arithmetically.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/radio/ValueTexts.h"

namespace torvan {

inline constexpr int kToneCount = 261;
inline constexpr int kCtcssCount = 50;
inline constexpr int kDcsCount = 105;
inline constexpr int kFirstCtcssIndex = 1;
inline constexpr int kFirstDcsNormalIndex = 51;
inline constexpr int kFirstDcsInvertedIndex = 156;

// CTCSS tones in tenths of a hertz, ascending (670 = 67.0 Hz).
extern const std::array<std::uint16_t, kCtcssCount> kCtcssTenthsHz;
// DCS codes as their three decimal digits, ascending (23 = "023").
extern const std::array<std::uint16_t, kDcsCount> kDcsCodes;

// The 261 texts; entry 0 is "None" in the given language.
std::vector<std::string> LoadToneTexts(DisplayLanguage lang);

}  // namespace torvan
