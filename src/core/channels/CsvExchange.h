#pragma once
// The channel table as CSV, for spreadsheets and scripts.
//
// Export: UTF-8, RFC 4180 quoting, lines ending in "\n". The header line
//   CH,Rx Frequency,Tx Frequency,Rx Tone,Tx Tone,Power,Busy Lock,Scan Add,Bandwidth,Cha Name
// then 200 lines in grid row order, CH "Pr" for the first and "1".."199" for
// the others, the nine grid texts exactly as the grid holds them (an empty
// channel has nine empty fields).
//
// Import: columns are found by their header name (any order, any letter case;
// unknown columns are ignored; CH is required), rows by CH; channels without a
// row stay as they are. Every field that differs from the grid's text is
// applied through the cell rules, as if typed: a frequency must lie in the
// band and on the raster, an Rx frequency on an empty channel makes a new
// channel with the defaults, the row's other fields then win; an empty Rx
// Frequency empties the channel (its other fields are ignored, as the grid
// ignores attributes of an empty channel, but a Tx Frequency there is an
// error); an empty Tx Frequency means no Tx frequency, an empty Cha Name no
// name, and an empty tone or flag field leaves its cell as it is. Words are
// accepted in either language.
//
// What a spreadsheet makes of an export is read too: a UTF-8 byte order mark,
// CRLF line ends, ";" between the fields when the header line has no comma,
// words in any letter case ("high", "NONE"), names in lower case (upper-cased
// as the grid does), a whole-number CTCSS tone ("100" is 100.0), and "," as
// the decimal point of a frequency or tone ("410,125" in quotes or between
// semicolons).
//
// A bad line is refused with "line N: reason" (ChannelListImport.h).

#include <cstddef>
#include <string>
#include <string_view>

#include "core/channels/TextGrid.h"
#include "core/files/Status.h"
#include "core/radio/BandLimits.h"
#include "core/radio/ValueTexts.h"

namespace torvan {

inline constexpr std::string_view kCsvHeader =
    "CH,Rx Frequency,Tx Frequency,Rx Tone,Tx Tone,Power,Busy Lock,Scan Add,Bandwidth,Cha Name";

// Bounds on what an import reads: 200 lines of ten short fields need a few
// kilobytes; these leave room for long unknown columns and stop runaway input.
inline constexpr std::size_t kMaxCsvBytes = 1u << 20;
inline constexpr std::size_t kMaxCsvLineBytes = 4096;

// CH of channel n (0..199): "Pr", then "1".."199".
std::string CsvChannelLabel(int channel);

// Header line and 200 channel lines, each ending in "\n".
std::string ExportCsv(const TextGrid& grid);

struct CsvImportSummary {
  int rows = 0;             // channel lines read
  int channelsChanged = 0;  // channels whose texts changed
};

// Applies a channel list of either format (ChannelListImport.h) to rows
// 1..200 of `grid`, all or nothing: `band` is the band of the image the grid
// was decoded from; `lang` chooses the words of new-channel defaults. Any bad
// line fails with the first one's "line N: reason", and the grid is unchanged.
Status ImportCsv(std::string_view csv, TextGrid& grid, const BandLimits& band, DisplayLanguage lang,
                 CsvImportSummary* summary = nullptr);

}  // namespace torvan
