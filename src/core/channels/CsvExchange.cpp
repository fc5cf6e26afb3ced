#include "core/channels/CsvExchange.h"

#include <array>
#include <vector>

#include "core/channels/CellRules.h"
#include "core/files/CsvReader.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/MessageTexts.h"
#include "core/radio/NameCodes.h"
#include "core/radio/ScaledDecimal.h"

namespace torvan {
namespace {

constexpr int kNoColumn = -1;
constexpr DisplayLanguage kCsvNames = DisplayLanguage::English;  // header names and error texts

// CTCSS texts the tone bytes hold as CTCSS: 10.0 .. 799.9 Hz (below 10 Hz the
// high byte would be 0x00, which reads back as no tone; from 800 Hz it would
// read back as DCS).
constexpr int kMinCtcssTenths = 100;
constexpr int kMaxCtcssTenths = 7999;
constexpr std::size_t kDcsTextLength = 5;  // "D023N"
constexpr int kMaxChannelLabelDigits = 3;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string Quote(std::string_view s) { return "\"" + std::string(s) + "\""; }

std::string LinePrefix(int line) { return "line " + std::to_string(line) + ": "; }

std::string ColumnName(int col) { return std::string(ColumnHeader(col, kCsvNames)); }

// Digits, optionally a point and more digits: "145", "145.125", ".5".
bool IsFrequencyText(std::string_view s) {
  bool anyDigit = false;
  bool point = false;
  for (char c : s) {
    if (IsDigit(c)) {
      anyDigit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return anyDigit;
}

// One to three digits, a point, one digit, within the CTCSS range.
bool IsCtcssText(std::string_view s) {
  const std::size_t point = s.find('.');
  if (point == std::string_view::npos || point == 0 || point > 3 || point + 2 != s.size()) return false;
  int tenths = 0;
  for (char c : s) {
    if (c == '.') continue;
    if (!IsDigit(c)) return false;
    tenths = tenths * 10 + (c - '0');
  }
  return tenths >= kMinCtcssTenths && tenths <= kMaxCtcssTenths;
}

// "D", three digits, "N" or "I".
bool IsDcsText(std::string_view s) {
  return s.size() == kDcsTextLength && s[0] == 'D' && IsDigit(s[1]) && IsDigit(s[2]) && IsDigit(s[3]) &&
         (s[4] == 'N' || s[4] == 'I');
}

bool IsToneText(std::string_view s) { return IsTextInEitherLanguage(s, Text::None) || IsCtcssText(s) || IsDcsText(s); }

// The two words of a flag column (5..8).
std::array<Text, 2> WordsOfColumn(int col) {
  switch (col) {
    case kColPower: return {Text::High, Text::Low};
    case kColBusyLock: return {Text::Lock, Text::Unlock};
    case kColScanAdd: return {Text::Yes, Text::No};
    default: return {Text::Wide, Text::Narrow};
  }
}

Status FieldError(int line, int col, std::string_view text, std::string_view reason) {
  return Status::Error(LinePrefix(line) + ColumnName(col) + " " + Quote(text) + " " + std::string(reason));
}

// The checks of a typed frequency, with the system's message first.
Status CheckFrequencyField(int line, int col, std::string_view text, const BandLimits& band) {
  if (!IsFrequencyText(text)) return FieldError(line, col, text, "is not a frequency in MHz (such as 145.12500)");
  const ConvertedFrequency f = ConvertFrequency(text);
  const auto message = CheckFrequency(f, band);
  if (!message) return Status::Ok();
  std::string detail;
  if (f.count < kMinStorableFrequency || f.count > kMaxStorableFrequency ||
      (!f.whole && f.count == kMaxStorableFrequency)) {
    detail = f.text + " cannot be stored: a channel holds " + FormatScaled(kMinStorableFrequency, kFrequencyDecimals) +
             " to " + FormatScaled(kMaxStorableFrequency, kFrequencyDecimals) + " MHz";
  } else if (*message == MessageId::OutOfRange) {
    detail = f.text + " is outside the band " + band.CaptionText();
  } else {
    detail = f.text + " is not on the 2.5 kHz or 6.25 kHz raster";
  }
  return Status::Error(LinePrefix(line) + std::string(MessageText(*message, kCsvNames)) + " " + ColumnName(col) +
                       " " + detail);
}

Status CheckAttributeField(int line, int col, std::string_view text) {
  if (col == kColRxTone || col == kColTxTone) {
    if (IsToneText(text)) return Status::Ok();
    return FieldError(line, col, text,
                      "is not a tone: use " + std::string(TextFor(Text::None, DisplayLanguage::English)) + " (" +
                          std::string(TextFor(Text::None, DisplayLanguage::Chinese)) +
                          "), a CTCSS tone in Hz with one decimal such as 88.5, or a DCS code such as D023N or D023I");
  }
  if (col == kColName) {
    if (text.size() > static_cast<std::size_t>(kMaxNameLength)) {
      return FieldError(line, col, text, "is longer than " + std::to_string(kMaxNameLength) + " characters");
    }
    for (char c : text) {
      if (NameCharToCode(c) == kNameEnd) return FieldError(line, col, text, "may hold only 0-9, A-Z, - and _");
    }
    return Status::Ok();
  }
  const auto words = WordsOfColumn(col);
  if (IsTextInEitherLanguage(text, words[0]) || IsTextInEitherLanguage(text, words[1])) return Status::Ok();
  std::string list;
  for (auto lang : {DisplayLanguage::English, DisplayLanguage::Chinese}) {
    for (Text w : words) {
      if (!list.empty()) list += ", ";
      list += TextFor(w, lang);
    }
  }
  return FieldError(line, col, text, "is not one of " + list);
}

// Column positions in the CSV of grid columns 0..9, kNoColumn when absent.
using ColumnMap = std::array<int, kGridCols>;

Status ReadHeader(const CsvRecord& header, ColumnMap& columns) {
  columns.fill(kNoColumn);
  for (std::size_t i = 0; i < header.fields.size(); ++i) {
    const std::string_view name = TrimBlanks(header.fields[i]);
    for (int col = kColLabel; col <= kColName; ++col) {
      if (name != ColumnHeader(col, kCsvNames)) continue;
      if (columns[col] != kNoColumn) {
        return Status::Error(LinePrefix(header.line) + "column " + Quote(name) + " appears twice");
      }
      columns[col] = static_cast<int>(i);
    }
  }
  if (columns[kColLabel] == kNoColumn) {
    return Status::Error(LinePrefix(header.line) + "no CH column; the header names the columns: " +
                         std::string(kCsvHeader));
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
    if (!rx->empty()) {
      if (Status s = CheckFrequencyField(rec.line, kColRxFrequency, *rx, band); !s) return s;
    }
    CommitCell(row, kColRxFrequency, *rx, band, lang);
  }
  const bool hasRx = !row[TextIndex(kColRxFrequency)].empty();
  if (const std::string* tx = given(kColTxFrequency); tx && *tx != row[TextIndex(kColTxFrequency)]) {
    if (!tx->empty()) {
      if (!hasRx) {
        return FieldError(rec.line, kColTxFrequency, *tx, "is given for a channel without Rx Frequency");
      }
      if (Status s = CheckFrequencyField(rec.line, kColTxFrequency, *tx, band); !s) return s;
    }
    CommitCell(row, kColTxFrequency, *tx, band, lang);
  }
  if (!hasRx) return Status::Ok();  // an empty channel takes no attributes
  for (int col = kColRxTone; col <= kColName; ++col) {
    const std::string* text = given(col);
    if (!text || *text == row[TextIndex(col)]) continue;
    // A blank tone or flag field gives no value: the cell keeps its text (the
    // defaults, for a new channel). A blank name is a value: no name.
    if (text->empty() && col != kColName) continue;
    if (Status s = CheckAttributeField(rec.line, col, *text); !s) return s;
    CommitCell(row, col, *text, band, lang);
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

Status ImportCsv(std::string_view csv, TextGrid& grid, const BandLimits& band, DisplayLanguage lang,
                 CsvImportSummary* summary) {
  if (csv.size() > kMaxCsvBytes) {
    return Status::Error("the CSV text is larger than " + std::to_string(kMaxCsvBytes) + " bytes");
  }
  std::vector<CsvRecord> records;
  if (Status s = ReadCsvRecords(csv, records, kMaxCsvLineBytes); !s) return s;
  if (records.empty()) return Status::Error("the CSV text is empty: it needs the header line " + std::string(kCsvHeader));

  ColumnMap columns;
  if (Status s = ReadHeader(records.front(), columns); !s) return s;
  const std::size_t fieldCount = records.front().fields.size();

  std::vector<ChannelTexts> rows(map::kChannelCount);
  for (int n = 0; n < map::kChannelCount; ++n) {
    for (int col = kColRxFrequency; col <= kColName; ++col) rows[n][TextIndex(col)] = grid.TextMatrix(RowOfChannel(n), col);
  }
  const std::vector<ChannelTexts> before = rows;

  std::vector<int> lineOfChannel(map::kChannelCount, 0);
  for (std::size_t i = 1; i < records.size(); ++i) {
    const CsvRecord& rec = records[i];
    if (rec.fields.size() != fieldCount) {
      return Status::Error(LinePrefix(rec.line) + std::to_string(rec.fields.size()) + " fields where the header has " +
                           std::to_string(fieldCount));
    }
    const std::string& label = rec.fields[static_cast<std::size_t>(columns[kColLabel])];
    const int channel = ChannelOfLabel(label);
    if (channel < 0) {
      return Status::Error(LinePrefix(rec.line) + "CH " + Quote(label) + " is not a channel (Pr or 1 to 199)");
    }
    if (lineOfChannel[channel] != 0) {
      return Status::Error(LinePrefix(rec.line) + "channel " + CsvChannelLabel(channel) + " appears twice (also on line " +
                           std::to_string(lineOfChannel[channel]) + ")");
    }
    lineOfChannel[channel] = rec.line;
    if (Status s = ApplyRow(rec, columns, rows[channel], band, lang); !s) return s;
  }

  int changed = 0;
  for (int n = 0; n < map::kChannelCount; ++n) {
    if (rows[n] == before[n]) continue;
    ++changed;
    for (int col = kColRxFrequency; col <= kColName; ++col) {
      if (rows[n][TextIndex(col)] != before[n][TextIndex(col)]) {
        grid.SetTextMatrix(RowOfChannel(n), col, rows[n][TextIndex(col)]);
      }
    }
  }
  if (summary) {
    summary->rows = static_cast<int>(records.size()) - 1;
    summary->channelsChanged = changed;
  }
  return Status::Ok();
}

}  // namespace torvan
