#pragma once
// The channel codec: 200 channel records and names of the image <-> the texts
// of grid rows 1..200, columns 1..9. Nothing else converts channel data.
//
// Decoding never fails: odd bytes (nibbles above 9, unknown tone bytes) turn
// into whatever texts the arithmetic gives. Encoding never fails either: a text
// that is not a value the record can hold is stored as "no value" (0xFF bytes).
// Keeping the texts valid is the job of the cell rules (channels/CellRules.h).
// Encoding never loses what nobody changed: a field whose text is still the
// one its stored bytes decode to keeps those bytes exactly, so an image with
// damaged channels saves back byte for byte.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/channels/TextGrid.h"
#include "core/radio/BandLimits.h"
#include "core/radio/RadioImage.h"
#include "core/radio/ValueTexts.h"

namespace torvan {

// The nine texts of one channel row, columns 1..9 at index 0..8.
inline constexpr int kChannelTextCount = 9;
using ChannelTexts = std::array<std::string, kChannelTextCount>;

// Index into ChannelTexts of grid column 1..9.
constexpr std::size_t TextIndex(int col) { return static_cast<std::size_t>(col - 1); }

// Frequencies the record can hold: 1000000 .. 99999999 units of 10 Hz, that
// is 10 MHz up to below 1000 MHz. The eight BCD digits have no room for more,
// and below 10 MHz the most significant pair (byte 3, byte 7) would be 0x00,
// which marks an empty channel or no Tx frequency.
inline constexpr std::uint32_t kMinStorableFrequency = 1000000;
inline constexpr std::uint32_t kMaxStorableFrequency = 99999999;

// The texts of channel n (0..199) as the decode writes them; all empty for an
// empty channel (byte 3 of the record 0xFF or 0x00).
ChannelTexts DecodeChannel(const RadioImage& image, int channel, DisplayLanguage lang);
// The same into `out`, reusing its storage.
void DecodeChannelInto(const RadioImage& image, int channel, DisplayLanguage lang, ChannelTexts& out);

// Writes channel n's record and name from its texts (words accepted in either
// language, whatever `lang` the grid was filled in).
// - A used channel (stored Rx byte 3 neither 0x00 nor 0xFF) keeps the bytes of
//   every field whose text is the one they decode to: Rx bytes 0-3, Tx bytes
//   4-7, each tone's two bytes (the no-tone word of either language keeps any
//   stored no-tone form), and all eight name bytes. Changed fields are encoded.
// - An empty Rx text empties a used channel: sixteen 0xFF bytes, the name
//   bytes kept. A channel stored empty that stays empty keeps all its bytes.
// - A changed Rx text that holds no frequency the record can store writes
//   sixteen 0xFF bytes too (it would read back as an empty channel).
// Bytes 13..15 and flag bits 7, 6, 4, 3 are always kept.
void EncodeChannel(const ChannelTexts& texts, int channel, RadioImage& image);

// Fills rows 1..200, columns 1..9 of `grid` from the image and returns the
// band limits decoded from it (the caller makes them the program's).
BandLimits DecodeImage(const RadioImage& image, TextGrid& grid, DisplayLanguage lang);

// Writes `band` and rows 1..200 of `grid` into the image, each row as
// EncodeChannel does. Band bytes that already decode to `band` are kept. The
// caller commits an open cell editor first.
void EncodeImage(const TextGrid& grid, const BandLimits& band, RadioImage& image);

// Tone bytes (high, low) -> text: the no-tone word of `lang`, "88.5", "D023N",
// "D754I". High byte 0x00 or 0xFF: no tone; 0x01-0x7F: CTCSS in BCD tenths of
// a hertz; 0x80-0xBF: DCS normal; 0xC0-0xFE: DCS inverted.
std::string ToneText(std::uint8_t high, std::uint8_t low, DisplayLanguage lang);
// Tone text -> bytes by the radio's rule: a text with a "D" anywhere is DCS (its
// first character dropped, the number of the rest is the code, normal when the
// rest holds an "N", inverted otherwise); any other text is read as Hz. No
// tone, zero, and values the bytes cannot hold (negative, CTCSS of 800 Hz or
// more, which would read back as DCS, DCS codes past 0xBF/0xFE in the high
// byte) give 0xFF, 0xFF.
void EncodeToneText(std::string_view text, std::uint8_t& high, std::uint8_t& low);

// Frequency bytes (4, least significant pair first) -> "%3.5f" MHz text.
std::string FrequencyText(const std::uint8_t* bytes4);
// Frequency text -> 4 bytes (least significant pair first). The text is read
// as atof reads it and scaled to 10 Hz in decimal; values that cannot be
// stored (non-numbers, negative, below 10 MHz, 1000 MHz or more) give four
// 0xFF bytes.
void EncodeFrequencyText(std::string_view text, std::uint8_t* bytes4);

}  // namespace torvan
