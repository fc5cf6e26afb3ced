#pragma once
// Channel lists in and out, in either format: our own CSV (CsvExchange.h) and
// the generic CSV of the common multi-radio programming tool, the "chirp"
// format (ChirpCsv.h). The format of a file is recognised by its header line.
//
// An import runs in two steps, so that a front end can show what a file would
// do before anything changes:
//   1. PlanChannelListImport reads the whole file against the grid as it
//      stands: every line becomes its channel's new texts, checked as if typed
//      into the grid, or a refused line with its reason ("line N: reason").
//   2. ApplyChannelListPlan writes the accepted lines into the grid. A front
//      end that refuses a file with bad lines simply does not apply it; one
//      that imports the rest applies the plan as it is: refused lines change
//      nothing, and their channels stay as they were.
// Lines are independent: each names one channel, and a channel named twice is
// refused on its second line.

#include <string>
#include <string_view>
#include <vector>

#include "core/channels/TextGrid.h"
#include "core/files/CsvReader.h"
#include "core/files/Status.h"
#include "core/radio/BandLimits.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/RadioImage.h"
#include "core/radio/ValueTexts.h"

namespace torvan {

enum class ChannelListFormat {
  Torvan,  // our own CSV: CH,Rx Frequency,...,Cha Name
  Chirp,   // Location,Name,Frequency,Duplex,Offset,Tone,...
};

// "torvan" or "chirp", as the command line names the formats.
std::string_view ChannelListFormatName(ChannelListFormat format);

// A line of the file and what is to be said about it.
struct LineRemark {
  int line = 0;
  std::string text;
  std::string Message() const { return "line " + std::to_string(line) + ": " + text; }
};

struct ChannelListPlan {
  ChannelListFormat format = ChannelListFormat::Torvan;
  int lines = 0;                   // channel lines read: the accepted and the refused
  std::vector<LineRemark> refused; // lines that cannot be stored, with the reason, in file order
  std::vector<LineRemark> notes;   // accepted lines stored with a change (a name shortened)
  // The texts of all 200 channels (index = channel) once the accepted lines
  // are applied; channels without an accepted line keep the grid's texts.
  std::vector<ChannelTexts> rows;
  // The channels whose texts the accepted lines change, ascending.
  std::vector<int> changed;
};

// The separator of a CSV text: ";" when its first line holds no comma but a
// semicolon (some spreadsheets save so where the comma is the decimal point),
// else ",".
char DetectCsvSeparator(std::string_view text);

// Reads a channel list of either format against `grid` (rows 1..200): `band` is
// the band the frequencies must lie in, `lang` the language of the words a new
// channel gets. The result fails (and `plan` is of no use) only when the file
// as a whole cannot be read: too large, not UTF-8, a broken quote, no header a
// format is recognised by. Bad lines are not failures: they are in
// plan.refused. Nothing is changed.
Status PlanChannelListImport(std::string_view text, const TextGrid& grid, const BandLimits& band,
                             DisplayLanguage lang, ChannelListPlan& plan);

// Writes the changed channels of the plan into rows 1..200 of `grid` (only the
// cells whose text changes) and returns how many channels changed.
int ApplyChannelListPlan(const ChannelListPlan& plan, TextGrid& grid);

// The channel list of the grid as text of the given format. `image` gives what
// a format takes from beyond the channels (the chirp format's step).
std::string ExportChannelList(ChannelListFormat format, const TextGrid& grid, const RadioImage& image);

// The header of each format; the line after which an export lists channels.
std::string_view ChannelListHeader(ChannelListFormat format);

namespace detail {
// The per-format readers behind PlanChannelListImport: `records` holds the
// header first; `plan.rows` holds the grid's texts on entry. They fail only on a header they
// cannot use.
Status PlanTorvanCsv(const std::vector<CsvRecord>& records, const BandLimits& band, DisplayLanguage lang,
                     ChannelListPlan& plan);
Status PlanChirpCsv(const std::vector<CsvRecord>& records, const BandLimits& band, DisplayLanguage lang,
                    ChannelListPlan& plan);
}  // namespace detail

}  // namespace torvan
