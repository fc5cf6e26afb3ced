#pragma once
// The words of the summaries of an image that the command line prints (show,
// diff), in both languages. Labels of option fields and codes are the option
// dialog's own (OptionCodec.h); channel columns are the grid's headers.

#include <string>
#include <string_view>

#include "core/radio/ValueTexts.h"

namespace torvan {

enum class SummaryText {
  RadioTypeIndex,     // "Radio type index"
  Band,               // "Band"
  OptionalFeatures,   // "Optional features"
  ChannelsUsed,       // "Channels used"
  NoCode,             // "(none)": an empty ANI or Stun code
  NotStunned,         // Remove Stun checked
  Stunned,            // Remove Stun unchecked
  ChannelAdded,       // "added"
  ChannelRemoved,     // "removed"
  Count_
};

std::string_view SummaryWord(SummaryText t, DisplayLanguage lang);

// "3 of 200" ("3 / 200" in Chinese).
std::string CountOfTotal(int count, int total, DisplayLanguage lang);

// An ANI or Stun code as printable text: the no-code word when empty; bytes
// that are not printable ASCII as \xNN, so that a damaged image cannot garble
// a terminal.
std::string PrintableCode(std::string_view code, DisplayLanguage lang);

}  // namespace torvan
