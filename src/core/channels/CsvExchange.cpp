#include "core/channels/CsvExchange.h"

#include <array>
#include <vector>

#include "core/channels/CellRules.h"
#include "core/channels/ChannelListImport.h"
#include "core/channels/FieldTexts.h"
#include "core/files/CsvReader.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/NameCodes.h"

namespace torvan {
namespace {

constexpr int kNoColumn = -1;
constexpr DisplayLanguage kCsvNames = DisplayLanguage::English;  // header names and error texts
constexpr int kMaxChannelLabelDigits = 3;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

std::string Quote(std::string_view s) { return "\"" + std::string(s) + "\""; }

std::string ColumnName(int col) { return std::string(ColumnHeader(col, kCsvNames)); }

// The two words of a flag column (5..8).
std::array<Text, 2> WordsOfColumn(int col) {
  switch (col) {
    case kColPower: return {Text::High, Text::Low};
    case kColBusyLock: return {Text::Lock, Text::Unlock};
    case kColScanAdd: return {Text::Yes, Text::No};
    default: return {Text::Wide, Text::Narrow};
  }
}

Status FieldError(int col, std::string_view text, std::string_view reason) {
  return Status::Error(ColumnName(col) + " " + Quote(text) + " " + std::string(reason));
}

// The grid's text of an attribute field (columns 3..9), or the reason it is
// refused.
Status AttributeText(int col, std::string_view text, std::string& out) {
  if (col == kColRxTone || col == kColTxTone) {
    if (auto tone = ToneTextOf(text)) {
      out = std::move(*tone);
      return Status::Ok();
    }
    return FieldError(col, text,
                      "is not a tone: use " + std::string(TextFor(Text::None, DisplayLanguage::English)) + " (" +
                          std::string(TextFor(Text::None, DisplayLanguage::Chinese)) +
                          "), a CTCSS tone in Hz with one decimal such as 88.5, or a DCS code such as D023N or D023I");
  }
  if (col == kColName) {
    // Lower case is taken as the grid's name editor takes it; anything else
    // the radio cannot store is refused rather than silently dropped.
    const NormalisedName name = NormaliseChannelName(text);
    if (name.dropped) return FieldError(col, text, "may hold only 0-9, A-Z, - and _");
    if (name.text.size() > static_cast<std::size_t>(kMaxNameLength)) {
      return FieldError(col, text, "is longer than " + std::to_string(kMaxNameLength) + " characters");
    }
    out = name.text;
    return Status::Ok();
  }
  const auto words = WordsOfColumn(col);
  if (auto word = MatchWord(text, {words[0], words[1]})) {
    out = std::move(*word);
    return Status::Ok();
  }
  std::string list;
  for (auto lang : {DisplayLanguage::English, DisplayLanguage::Chinese}) {
    for (Text w : words) {
      if (!list.empty()) list += ", ";
      list += TextFor(w, lang);
    }
  }
  return FieldError(col, text, "is not one of " + list);
}

// Column positions in the CSV of grid columns 0..9, kNoColumn when absent.
using ColumnMap = std::array<int, kGridCols>;

Status ReadHeader(const CsvRecord& header, ColumnMap& columns) {
  columns.fill(kNoColumn);
  const std::string prefix = "line " + std::to_string(header.line) + ": ";
  for (std::size_t i = 0; i < header.fields.size(); ++i) {
    const std::string_view name = TrimBlanks(header.fields[i]);
    for (int col = kColLabel; col <= kColName; ++col) {
      if (!SameName(name, ColumnHeader(col, kCsvNames))) continue;
      if (columns[col] != kNoColumn) return Status::Error(prefix + "column " + Quote(name) + " appears twice");
      columns[col] = static_cast<int>(i);
    }
  }
  if (columns[kColLabel] == kNoColumn) {
    return Status::Error(prefix + "no CH column; the header names the columns: " + std::string(kCsvHeader) +
                         " (or, in the chirp format, Location,Name,Frequency,...)");
  }
  return Status::Ok();
}

// "Pr" -> 0, "1".."199" -> 1..199; -1 for anything else.
int ChannelOfLabel(std::string_view label) {
  label = TrimBlanks(label);
  if (label == CsvChannelLabel(0)) return 0;
  if (label.empty() || label.size() > static_cast<std::size_t>(kMaxChannelLabelDigits)) return -1;
  int n = 0;
  for (char c : label) {
    if (!IsDigit(c)) return -1;
    n = n * 10 + (c - '0');
  }
  return (n >= 1 && n < map::kChannelCount) ? n : -1;
}

// A frequency field typed into `row`: checked, then committed. A text whose
// value is the cell's already ("145,5" for 145.50000) is not typed again.
Status ApplyFrequency(int col, const std::string& text, ChannelTexts& row, const BandLimits& band,
                      DisplayLanguage lang) {
  if (!text.empty()) {
    if (!IsPlainFrequencyText(text)) return FieldError(col, text, "is not a frequency in MHz (such as 145.12500)");
    const ConvertedFrequency f = ConvertFrequency(text);
    if (f.text == row[TextIndex(col)]) return Status::Ok();
    if (Status s = CheckFrequencyValue(ColumnName(col), f, band); !s) return s;
  }
  CommitCell(row, col, text, band, lang);
  return Status::Ok();
}

// Applies one CSV line to its channel's texts, field by field as if typed.
Status ApplyRow(const CsvRecord& rec, const ColumnMap& columns, ChannelTexts& row, const BandLimits& band,
                DisplayLanguage lang) {
  auto given = [&](int col) -> const std::string* {
    return columns[col] == kNoColumn ? nullptr : &rec.fields[static_cast<std::size_t>(columns[col])];
  };
  // A field equal to the grid's text is not typed again: it changes nothing,
  // and an export of any image imports back even where the image holds values
  // that the rules would not let anyone type (a channel outside today's band).
  if (const std::string* rx = given(kColRxFrequency); rx && *rx != row[TextIndex(kColRxFrequency)]) {
    if (Status s = ApplyFrequency(kColRxFrequency, *rx, row, band, lang); !s) return s;
  }
  const bool hasRx = !row[TextIndex(kColRxFrequency)].empty();
  if (const std::string* tx = given(kColTxFrequency); tx && *tx != row[TextIndex(kColTxFrequency)]) {
    if (!tx->empty() && !hasRx) {
      return FieldError(kColTxFrequency, *tx, "is given for a channel without Rx Frequency");
    }
    if (Status s = ApplyFrequency(kColTxFrequency, *tx, row, band, lang); !s) return s;
  }
  if (!hasRx) return Status::Ok();  // an empty channel takes no attributes
  for (int col = kColRxTone; col <= kColName; ++col) {
    const std::string* text = given(col);
    if (!text || *text == row[TextIndex(col)]) continue;
    // A blank tone or flag field gives no value: the cell keeps its text (the
    // defaults, for a new channel). A blank name is a value: no name.
    if (text->empty() && col != kColName) continue;
    std::string value;
    if (Status s = AttributeText(col, *text, value); !s) return s;
    if (value != row[TextIndex(col)]) CommitCell(row, col, value, band, lang);
  }
  return Status::Ok();
}

}  // namespace

std::string CsvChannelLabel(int channel) { return channel == 0 ? "Pr" : std::to_string(channel); }

std::string ExportCsv(const TextGrid& grid) {
  std::string out(kCsvHeader);
  out += '\n';
  for (int n = 0; n < map::kChannelCount; ++n) {
    out += CsvChannelLabel(n);
    const int row = RowOfChannel(n);
    for (int col = kColRxFrequency; col <= kColName; ++col) {
      out += ',';
      out += CsvField(grid.TextMatrix(row, col));
    }
    out += '\n';
  }
  return out;
}

namespace detail {

Status PlanTorvanCsv(const std::vector<CsvRecord>& records, const BandLimits& band, DisplayLanguage lang,
                     ChannelListPlan& plan) {
  ColumnMap columns;
  if (Status s = ReadHeader(records.front(), columns); !s) return s;
  const std::size_t fieldCount = records.front().fields.size();

  std::vector<int> lineOfChannel(map::kChannelCount, 0);
  for (std::size_t i = 1; i < records.size(); ++i) {
    const CsvRecord& rec = records[i];
    ++plan.lines;
    auto refuse = [&](std::string reason) { plan.refused.push_back({rec.line, std::move(reason)}); };
    if (rec.fields.size() != fieldCount) {
      refuse(std::to_string(rec.fields.size()) + " fields where the header has " + std::to_string(fieldCount));
      continue;
    }
    const std::string& label = rec.fields[static_cast<std::size_t>(columns[kColLabel])];
    const int channel = ChannelOfLabel(label);
    if (channel < 0) {
      refuse("CH " + Quote(label) + " is not a channel (Pr or 1 to 199)");
      continue;
    }
    if (lineOfChannel[channel] != 0) {
      refuse("channel " + CsvChannelLabel(channel) + " appears twice (also on line " +
             std::to_string(lineOfChannel[channel]) + ")");
      continue;
    }
    lineOfChannel[channel] = rec.line;
    ChannelTexts row = plan.rows[static_cast<std::size_t>(channel)];
    if (Status s = ApplyRow(rec, columns, row, band, lang); !s) {
      refuse(s.error());
      continue;
    }
    plan.rows[static_cast<std::size_t>(channel)] = std::move(row);
  }
  return Status::Ok();
}

}  // namespace detail

Status ImportCsv(std::string_view csv, TextGrid& grid, const BandLimits& band, DisplayLanguage lang,
                 CsvImportSummary* summary) {
  ChannelListPlan plan;
  if (Status s = PlanChannelListImport(csv, grid, band, lang, plan); !s) return s;
  if (!plan.refused.empty()) return Status::Error(plan.refused.front().Message());
  const int changed = ApplyChannelListPlan(plan, grid);
  if (summary) {
    summary->rows = plan.lines;
    summary->channelsChanged = changed;
  }
  return Status::Ok();
}

}  // namespace torvan
