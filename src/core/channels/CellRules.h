#pragma once
// The rules that put an editor's text into a channel row: the frequency
// conversion, the band test, the 2.5 kHz / 6.25 kHz raster test, new-channel
// defaults, emptying a row, and attributes that an empty channel does not take.
// The desktop grid commits every cell through CommitCell; the CSV import
// applies every field through it too, so both keep the same rows.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/channels/TextGrid.h"
#include "core/radio/BandLimits.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/MessageTexts.h"
#include "core/radio/ValueTexts.h"

namespace torvan {

// Channel rasters in units of 10 Hz: 2.5 kHz (which covers 5 and 12.5 kHz)
// and 6.25 kHz.
inline constexpr std::uint32_t kRaster2500Hz = 250;
inline constexpr std::uint32_t kRaster6250Hz = 625;

// A typed frequency, converted. The text is read exactly (core/radio/
// TypedNumber.h: the way atof reads it, "." or "," as the decimal point, every
// digit kept); `text` is that value as the cell shows it, with at least five
// decimals ("145.10000", and "410.1249999999" with all its digits, so that
// what is shown is what was checked); `count` is the value in whole 10 Hz,
// truncated and taken unsigned (so a negative number lies above every band);
// `whole` is false when the value has digits below 10 Hz, which no channel
// can hold.
struct ConvertedFrequency {
  std::string text;
  std::uint32_t count = 0;
  bool whole = true;
};
ConvertedFrequency ConvertFrequency(std::string_view typed);

// True when lower <= count <= upper (both edges allowed) and the count is one
// a channel record can hold (10 MHz up to below 1000 MHz: a band decoded from
// damaged bytes can reach past 999 MHz, and a band may start below 10 MHz,
// where the record's top digit pair would read back as an empty channel).
bool IsInBand(std::uint32_t count, const BandLimits& band);
// True when the count is a multiple of 2.5 kHz or of 6.25 kHz.
bool IsOnRaster(std::uint32_t count);
// The band test, then the raster test: nothing when both pass, else the
// message to show (OutOfRange 61448 or ErrorDataValue 61456).
std::optional<MessageId> CheckFrequency(std::uint32_t count, const BandLimits& band);
// The same for a converted frequency, on its exact value: a value with digits
// below 10 Hz lies between two counts, so it is outside a band that ends at
// the lower one, and it is never on the raster.
std::optional<MessageId> CheckFrequency(const ConvertedFrequency& f, const BandLimits& band);

// The outcome of a commit. `message` is the warning to show (caption Caution,
// 61458) before the editor is hidden; `testFailed` is true exactly when the
// band or raster test failed, in which case Enter does not move on: the
// current cell stays.
struct CommitResult {
  std::optional<MessageId> message;
  bool testFailed = false;
};

// Commits `editorText` into column `col` (1..9) of `row`:
// - column 1: "" empties the whole row. Otherwise the converted frequency must
//   pass the band and raster tests; if it fails, the row stays as it was.
//   A used row changes only its Rx cell; an empty row becomes a new channel:
//   Rx and Tx := the converted text, then "None", "None", "High", "Unlock",
//   "Yes", "Wide" and an empty name, in `lang`.
// - column 2: "" empties the Tx cell. Otherwise the tests as above; if they
//   fail, the Tx cell keeps its old text. A row without Rx keeps an empty Tx.
// - columns 3..9: a row with neither Rx nor Tx takes no attribute (the cell
//   stays empty); otherwise the cell := editorText as it is. The editors see
//   to the form: a list item, or a name in upper case of at most 6 characters.
// Columns outside 1..9 change nothing.
CommitResult CommitCell(ChannelTexts& row, int col, std::string_view editorText, const BandLimits& band,
                        DisplayLanguage lang);

// The same on grid row `gridRow` (1..200): reads its nine texts, commits, and
// writes back the cells that changed.
CommitResult CommitCell(TextGrid& grid, int gridRow, int col, std::string_view editorText, const BandLimits& band,
                        DisplayLanguage lang);

// The texts of a new channel with Rx (and Tx) `frequencyText`, in `lang`.
ChannelTexts NewChannelTexts(std::string_view frequencyText, DisplayLanguage lang);

}  // namespace torvan
