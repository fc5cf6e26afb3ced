#pragma once
// Two images compared the way a person reads them: one line per difference,
// in the words of the program (grid texts, option words, band), and then
// every byte that differs where no decoded field shows it.
//
//   Radio type index: 0 -> 1
//   Band: 400 - 420MHz -> 136 - 174MHz
//   Squelch Level: 5 -> 3
//   ANI Code: (none) -> 12AB
//   CH 5 Rx Frequency: 146.52000 -> 146.55000
//   CH 12: added 147.33000 147.93000 88.5 None High Unlock Yes Wide RPT1
//   CH 7: removed
//   0x1FF5: 00 -> 01
//
// An empty text shows as "". Labels and words are in the given language.

#include <string>
#include <vector>

#include "core/radio/RadioImage.h"
#include "core/radio/ValueTexts.h"

namespace torvan {

// The differences from `a` to `b`; empty when the images are equal.
std::vector<std::string> DiffImages(const RadioImage& a, const RadioImage& b, DisplayLanguage lang);

// The channels (0..199) whose 16 record bytes or 8 name bytes differ, ascending.
std::vector<int> ChannelsWithChangedBytes(const RadioImage& a, const RadioImage& b);

}  // namespace torvan
