#pragma once
// The channel codec: 200 channel records and names of the image <-> the texts
// of grid rows 1..200, columns 1..9. Nothing else converts channel data.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "channels/TextGrid.h"
#include "radio/BandLimits.h"
#include "radio/RadioImage.h"
#include "radio/ValueTexts.h"

namespace torvan {

// The nine texts of one channel row, columns 1..9 at index 0..8.
using ChannelTexts = std::array<std::string, 9>;

// The texts of channel n (0..199) as the decode writes them; all empty for an
// empty channel.
ChannelTexts DecodeChannel(const RadioImage& image, int channel, DisplayLanguage lang);

// Writes channel n's record and name from its texts (words accepted in either
// language). An empty Rx text writes sixteen 0xFF bytes and keeps the name.
void EncodeChannel(const ChannelTexts& texts, int channel, RadioImage& image);

// Fills rows 1..200, columns 1..9 of `grid` from the image and returns the
// band limits decoded from it (the caller makes them the program's).
BandLimits DecodeImage(const RadioImage& image, TextGrid& grid, DisplayLanguage lang);

// Writes `band` and rows 1..200 of `grid` into the image. The caller commits an
// open cell editor first.
void EncodeImage(const TextGrid& grid, const BandLimits& band, RadioImage& image);

// Tone bytes (high, low) -> text: "None" form, "88.5", "D023N", "D754I".
std::string ToneText(std::uint8_t high, std::uint8_t low, DisplayLanguage lang);
// Tone text -> bytes by the radio's rule (a DCS text without "N" is inverted).
void EncodeToneText(std::string_view text, std::uint8_t& high, std::uint8_t& low);

// Frequency bytes (4, least significant pair first) -> "%3.5f" MHz text.
std::string FrequencyText(const std::uint8_t* bytes4);

// The main window caption after a read or an open:
// name + "  [ Type:" + model + "  Fre:" + "L - UMHz" + " ]" (Chinese fragments under Chinese).
std::string MainWindowCaption(std::string_view appName, std::string_view model, const BandLimits& band,
                              DisplayLanguage lang);

}  // namespace torvan
