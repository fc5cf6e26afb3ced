#pragma once
// Channel values as channel lists in files write them (our own CSV and the
// chirp format, often by way of a spreadsheet): the grid's words in any letter
// case, tones, frequencies, and the reasons a value is refused. Both imports
// read their fields through these, so that they accept and refuse alike.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "core/channels/CellRules.h"
#include "core/files/Status.h"
#include "core/radio/BandLimits.h"
#include "core/radio/ValueTexts.h"

namespace torvan {

// CTCSS tones the tone bytes hold as CTCSS: 10.0 .. 799.9 Hz (below 10 Hz the
// high byte would be 0x00, which reads back as no tone; from 800 Hz it would
// read back as DCS).
inline constexpr int kMinCtcssTenths = 100;
inline constexpr int kMaxCtcssTenths = 7999;
// DCS codes are three decimal digits.
inline constexpr int kMaxDcsCode = 999;

// The word `text` names among `words`, compared without regard to letter case
// for English (Chinese has none): the word's own spelling in the language the
// text is written in ("high" -> "High", "高" -> "高"); nothing when it names none.
std::optional<std::string> MatchWord(std::string_view text, std::initializer_list<Text> words);

// A tone as the grid shows it, from a file's text: the no-tone word of either
// language in any case ("None", "none", "无"), a CTCSS tone in Hz with at most
// one decimal, the point "." or "," ("88.5", "88,5", "100"), or a DCS code of
// "D", three digits and "N" or "I" in any case ("d023n"). The result is the
// grid's text: "None" / "无", "88.5", "100.0", "D023N". Nothing when the text is
// no tone the radio can hold.
std::optional<std::string> ToneTextOf(std::string_view text);

// The grid's text of a CTCSS tone in tenths of a hertz ("88.5") and of a DCS
// code with its polarity ("D023N", "D754I"; codes below 100 as the decode
// writes them).
std::string CtcssText(int tenths);
std::string DcsText(int code, bool inverted);

// Whether the text is a frequency as a file may write it: digits with at most
// one decimal point, "." or "," ("145.125", "145,125", "145").
bool IsPlainFrequencyText(std::string_view text);

// The band and raster tests of a frequency, as the grid runs them, with the
// reason of a refusal: the system's own message first, then `label` (such as
// "Rx Frequency") and what is wrong ("... Rx Frequency 145.00100 is not on the
// 2.5 kHz or 6.25 kHz raster").
Status CheckFrequencyValue(std::string_view label, const ConvertedFrequency& f, const BandLimits& band);

}  // namespace torvan
