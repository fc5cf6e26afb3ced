#pragma once
// The channel table as CSV, for spreadsheets and scripts.
//
// Export: UTF-8, RFC 4180 quoting, lines ending in "\n". The header line
//   CH,Rx Frequency,Tx Frequency,Rx Tone,Tx Tone,Power,Busy Lock,Scan Add,Bandwidth,Cha Name
// then 200 lines in grid row order, CH "Pr" for the first and "1".."199" for
// the others, the nine grid texts exactly as the grid holds them (an empty
// channel has nine empty fields).
//
// Import: columns are found by their header name (any order; unknown columns
// are ignored; CH is required), rows by CH; channels without a row stay as
// they are. Every field that differs from the grid's text is applied through
// the cell rules, as if typed: a frequency must lie in the band and on the
// raster, an Rx frequency on an empty channel makes a new channel with the
// defaults, the row's other fields then win; an empty Rx Frequency empties the
// channel (its other fields are ignored, as the grid ignores attributes of an
// empty channel, but a Tx Frequency there is an error); an empty Tx Frequency
// means no Tx frequency, an empty Cha Name no name, and an empty tone or flag
// field leaves its cell as it is. Words are accepted in either language. Any bad line: the grid is left untouched and the error
// says "line N: reason".

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

// Applies the CSV to rows 1..200 of `grid`. `band` is the band of the image
// the grid was decoded from; `lang` chooses the words of new-channel defaults.
// On error the grid is unchanged.
Status ImportCsv(std::string_view csv, TextGrid& grid, const BandLimits& band, DisplayLanguage lang,
                 CsvImportSummary* summary = nullptr);

}  // namespace torvan
