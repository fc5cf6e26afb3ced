#include "core/channels/ChirpCsv.h"

#include <array>
#include <cstdio>
#include <optional>
#include <vector>

#include "core/channels/CellRules.h"
#include "core/channels/ChannelListImport.h"
#include "core/channels/FieldTexts.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/NameCodes.h"
#include "core/radio/NumberText.h"
#include "core/radio/OptionCodec.h"
#include "core/radio/ScaledDecimal.h"
#include "core/radio/TypedNumber.h"

namespace torvan {
namespace {

// The columns this radio reads, in the order of the header.
enum Column : int {
  kLocation, kName, kFrequency, kDuplex, kOffset, kTone, kRToneFreq, kCToneFreq, kDtcsCode, kDtcsPolarity,
  kRxDtcsCode, kCrossMode, kMode, kTStep, kSkip, kPower, kColumnCount
};
constexpr std::string_view kColumnNames[kColumnCount] = {
    "Location", "Name", "Frequency", "Duplex", "Offset", "Tone", "rToneFreq", "cToneFreq", "DtcsCode",
    "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode", "TStep", "Skip", "Power",
};
constexpr int kNoColumn = -1;
constexpr int kColumnsAfterPower = 5;  // Comment and the four digital-voice columns

// Placeholders of the columns a channel does not use.
constexpr std::string_view kPlaceholderToneFreq = "88.5";
constexpr std::string_view kPlaceholderDtcsCode = "023";
constexpr std::string_view kPlaceholderCrossMode = "Tone->Tone";
constexpr char kNormalLetter = 'N';
constexpr char kReverseLetter = 'R';

// Export power figures and the import's dividing line, in milliwatts.
constexpr std::string_view kHighPowerText = "5.0W";
constexpr std::string_view kLowPowerText = "1.0W";
constexpr std::uint64_t kLowPowerBelowMilliwatts = 2500;
constexpr int kMilliwattDecimals = 3;

// Duplex arithmetic runs in units of 10^-12 MHz: exact for every offset a
// file sensibly holds, and far from 64-bit overflow.
constexpr int kArithmeticDecimals = 12;
constexpr int kMaxLocationDigits = 3;

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

std::string Quote(std::string_view s) { return "\"" + std::string(s) + "\""; }

// A tone by meaning, whatever text shows it.
struct Tone {
  enum class Kind { None, Ctcss, Dcs };
  Kind kind = Kind::None;
  int value = 0;  // tenths of a hertz, or the DCS code
  bool inverted = false;
  bool operator==(const Tone&) const = default;
};

Tone Ctcss(int tenths) { return {Tone::Kind::Ctcss, tenths, false}; }
Tone Dcs(int code, bool inverted) { return {Tone::Kind::Dcs, code, inverted}; }

// A tone cell's meaning, read as the encoder reads it: a text with a "D" is
// DCS (normal when the rest holds an "N"), the no-tone words and empty text
// are no tone, anything else is a CTCSS tone in Hz.
Tone ToneOfCell(std::string_view text) {
  if (text.empty() || IsTextInEitherLanguage(text, Text::None)) return {};
  if (text.find('D') != std::string_view::npos) {
    const std::string_view rest = text.substr(1);
    return Dcs(AtoI(rest), rest.find('N') == std::string_view::npos);
  }
  const std::int32_t tenths = ParseScaled(text, kToneDecimals);
  return tenths > 0 ? Ctcss(tenths) : Tone{};
}

std::string ToneCellText(const Tone& t, DisplayLanguage lang) {
  switch (t.kind) {
    case Tone::Kind::Ctcss: return CtcssText(t.value);
    case Tone::Kind::Dcs: return DcsText(t.value, t.inverted);
    case Tone::Kind::None: break;
  }
  return std::string(TextFor(Text::None, lang));
}

// The frequency of a cell in 10 Hz (truncated), as the export writes it.
std::uint32_t CountOfCell(std::string_view text) { return ConvertFrequency(text).count; }

std::string Mhz6(std::uint32_t count10Hz) {
  constexpr int kExportDecimals = 6;
  constexpr std::uint32_t kTenthsOf10Hz = 10;
  return FormatScaled(count10Hz * kTenthsOf10Hz, kExportDecimals);
}

std::string DtcsCodeText(int code) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%03d", code);
  return buf;
}

std::string StepText(const RadioImage& image) {
  const int index = ReadOptions(image)[OptionField::Step];
  const int hundredths = kStepHundredthsOfKHz[static_cast<std::size_t>(
      index >= 0 && static_cast<std::size_t>(index) < kStepHundredthsOfKHz.size() ? index : 0)];
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d.%02d", hundredths / 100, hundredths % 100);
  return buf;
}

// --- Reading a line -----------------------------------------------------------------

using ColumnMap = std::array<int, kColumnCount>;

// The fields of one line, with the defaults of the columns a file lacks.
class LineFields {
 public:
  LineFields(const CsvRecord& rec, const ColumnMap& columns) : rec_(rec), columns_(columns) {}
  bool Has(Column c) const { return columns_[c] != kNoColumn; }
  std::string_view operator[](Column c) const {
    if (!Has(c)) return Default(c);
    return Trim(rec_.fields[static_cast<std::size_t>(columns_[c])]);
  }
  int line() const { return rec_.line; }

 private:
  std::string_view Default(Column c) const {
    switch (c) {
      case kOffset: return "0";
      case kRToneFreq:
      case kCToneFreq: return kPlaceholderToneFreq;
      case kDtcsCode: return kPlaceholderDtcsCode;
      case kRxDtcsCode: return (*this)[kDtcsCode];
      case kDtcsPolarity: return "NN";
      case kCrossMode: return kPlaceholderCrossMode;
      case kMode: return "FM";
      default: return {};
    }
  }
  const CsvRecord& rec_;
  const ColumnMap& columns_;
};

// A refusal while reading a line.
struct Refusal {
  std::string reason;
};

std::string NotOneOf(Column c, std::string_view value, std::string_view list) {
  return std::string(kColumnNames[c]) + " " + Quote(value) + " is not one of " + std::string(list);
}

// A number in MHz at the arithmetic scale, signed.
std::optional<std::int64_t> ReadMhz(std::string_view text) {
  const TypedNumber n = ReadTypedNumber(text);
  if (!n.plain) return std::nullopt;
  const ScaledMagnitude m = ScaleTypedNumber(n, kArithmeticDecimals);
  if (!m.exact || m.overflow || m.units > static_cast<std::uint64_t>(INT64_MAX)) return std::nullopt;
  return static_cast<std::int64_t>(m.units);
}

// MHz at the arithmetic scale back to text ("-1.5" stays negative).
std::string MhzText(std::int64_t units) {
  const bool negative = units < 0;
  const std::uint64_t magnitude = negative ? static_cast<std::uint64_t>(-(units + 1)) + 1 : static_cast<std::uint64_t>(units);
  std::string digits = std::to_string(magnitude);
  if (digits.size() <= static_cast<std::size_t>(kArithmeticDecimals)) {
    digits.insert(0, static_cast<std::size_t>(kArithmeticDecimals) + 1 - digits.size(), '0');
  }
  digits.insert(digits.size() - kArithmeticDecimals, ".");
  return negative ? "-" + digits : digits;
}

std::optional<int> ReadTenths(std::string_view text) {
  const TypedNumber n = ReadTypedNumber(text);
  if (!n.plain) return std::nullopt;
  const ScaledMagnitude m = ScaleTypedNumber(n, kToneDecimals);
  if (!m.exact || m.overflow || m.units > static_cast<std::uint64_t>(INT32_MAX)) return std::nullopt;
  return static_cast<int>(m.units);
}

std::optional<int> ReadDtcsCode(std::string_view text) {
  constexpr std::size_t kMaxCodeDigits = 4;
  if (text.empty() || text.size() > kMaxCodeDigits) return std::nullopt;
  int code = 0;
  for (char c : text) {
    if (!IsDigit(c)) return std::nullopt;
    code = code * 10 + (c - '0');
  }
  return code;
}

// One side of a tone setting: "Tone", "DTCS" or "" (no tone).
enum class Side { None, Tone, Dtcs, Bad };
Side SideOf(std::string_view s) {
  if (s.empty()) return Side::None;
  if (SameWord(s, "Tone")) return Side::Tone;
  if (SameWord(s, "DTCS")) return Side::Dtcs;
  return Side::Bad;
}

struct ToneSettings {
  Tone tx, rx;
};

// The tones of a line, or the reason they cannot be read.
std::optional<ToneSettings> ReadTones(const LineFields& f, Refusal& why) {
  const std::string_view polarity = f[kDtcsPolarity];
  auto polarityOf = [&](std::size_t k, bool& inverted) {
    if (polarity.size() != 2 || (Upper(polarity[0]) != kNormalLetter && Upper(polarity[0]) != kReverseLetter) ||
        (Upper(polarity[1]) != kNormalLetter && Upper(polarity[1]) != kReverseLetter)) {
      why.reason = "DtcsPolarity " + Quote(polarity) + " is not two letters N (normal) or R (reverse), such as NN";
      return false;
    }
    inverted = Upper(polarity[k]) == kReverseLetter;
    return true;
  };
  auto ctcss = [&](Column c, Tone& out) {
    const auto tenths = ReadTenths(f[c]);
    if (!tenths) {
      why.reason = std::string(kColumnNames[c]) + " " + Quote(f[c]) + " is not a tone in Hz (such as 88.5)";
      return false;
    }
    out = Ctcss(*tenths);
    return true;
  };
  auto dcs = [&](Column c, std::size_t polarityLetter, Tone& out) {
    // RxDtcsCode may be empty in a file that has the column: DtcsCode then.
    const Column source = c == kRxDtcsCode && f[kRxDtcsCode].empty() ? kDtcsCode : c;
    const auto code = ReadDtcsCode(f[source]);
    if (!code) {
      why.reason = std::string(kColumnNames[source]) + " " + Quote(f[source]) + " is not a DCS code (such as 023)";
      return false;
    }
    bool inverted = false;
    if (!polarityOf(polarityLetter, inverted)) return false;
    out = Dcs(*code, inverted);
    return true;
  };

  ToneSettings t;
  const std::string_view mode = f[kTone];
  if (mode.empty()) return t;
  if (SameWord(mode, "Tone")) {
    if (!ctcss(kRToneFreq, t.tx)) return std::nullopt;
    return t;
  }
  if (SameWord(mode, "TSQL")) {
    if (!ctcss(kCToneFreq, t.tx)) return std::nullopt;
    t.rx = t.tx;
    return t;
  }
  if (SameWord(mode, "DTCS")) {
    if (!dcs(kDtcsCode, 0, t.tx) || !dcs(kRxDtcsCode, 1, t.rx)) return std::nullopt;
    return t;
  }
  if (SameWord(mode, "Cross")) {
    const std::string_view cross = f[kCrossMode];
    const auto arrow = cross.find("->");
    const Side tx = arrow == std::string_view::npos ? Side::Bad : SideOf(Trim(cross.substr(0, arrow)));
    const Side rx = arrow == std::string_view::npos ? Side::Bad : SideOf(Trim(cross.substr(arrow + 2)));
    if (tx == Side::Bad || rx == Side::Bad || (tx == Side::None && rx == Side::None)) {
      why.reason = NotOneOf(kCrossMode, cross, "Tone->Tone, Tone->DTCS, DTCS->Tone, ->Tone, ->DTCS, DTCS->, Tone->, "
                                               "DTCS->DTCS");
      return std::nullopt;
    }
    if (tx == Side::Tone && !ctcss(kRToneFreq, t.tx)) return std::nullopt;
    if (tx == Side::Dtcs && !dcs(kDtcsCode, 0, t.tx)) return std::nullopt;
    if (rx == Side::Tone && !ctcss(kCToneFreq, t.rx)) return std::nullopt;
    if (rx == Side::Dtcs && !dcs(kRxDtcsCode, 1, t.rx)) return std::nullopt;
    return t;
  }
  why.reason = NotOneOf(kTone, mode, "\"\" (no tone), Tone, TSQL, DTCS, Cross");
  return std::nullopt;
}

// Whether a tone that is new to a channel can be stored.
bool ToneStorable(const Tone& t) {
  switch (t.kind) {
    case Tone::Kind::Ctcss: return t.value >= kMinCtcssTenths && t.value <= kMaxCtcssTenths;
    case Tone::Kind::Dcs: return t.value <= kMaxDcsCode;
    case Tone::Kind::None: break;
  }
  return true;
}

std::string ToneRefusal(std::string_view which, const Tone& t) {
  if (t.kind == Tone::Kind::Ctcss) {
    return std::string(which) + " " + CtcssText(t.value) + " Hz cannot be stored: CTCSS tones lie from " +
           CtcssText(kMinCtcssTenths) + " to " + CtcssText(kMaxCtcssTenths) + " Hz";
  }
  return std::string(which) + " DCS code " + std::to_string(t.value) + " cannot be stored: codes have three digits";
}

// Applies one line to its channel's texts. Fields whose value is the
// channel's already keep their texts unchecked.
std::optional<Refusal> ApplyLine(const LineFields& f, ChannelTexts& row, const BandLimits& band, DisplayLanguage lang,
                                 std::vector<LineRemark>& notes) {
  // Rx.
  const std::string_view frequency = f[kFrequency];
  const auto rx = ReadMhz(frequency);
  if (!rx) return Refusal{"Frequency " + Quote(frequency) + " is not a frequency in MHz (such as 146.520000)"};
  // Tx.
  std::optional<std::int64_t> tx;
  const std::string_view duplex = f[kDuplex];
  if (duplex.empty()) {
    tx = rx;
  } else if (duplex == "+" || duplex == "-" || SameWord(duplex, "split")) {
    const auto offset = ReadMhz(f[kOffset]);
    if (!offset) return Refusal{"Offset " + Quote(f[kOffset]) + " is not a frequency in MHz (such as 0.600000)"};
    tx = duplex == "+" ? *rx + *offset : duplex == "-" ? *rx - *offset : *offset;
  } else if (!SameWord(duplex, "off")) {
    return Refusal{NotOneOf(kDuplex, duplex, "\"\" (Tx = Rx), +, -, split, off")};
  }
  Refusal why;
  const auto tones = ReadTones(f, why);
  if (!tones) return why;
  // Mode, scan, power.
  const std::string_view mode = f[kMode];
  bool narrow = false;
  if (SameWord(mode, "NFM")) {
    narrow = true;
  } else if (!mode.empty() && !SameWord(mode, "FM")) {
    return Refusal{"Mode " + Quote(mode) + " cannot be stored: this radio has FM and NFM"};
  }
  const std::string_view skip = f[kSkip];
  if (!skip.empty() && !SameWord(skip, "P") && !SameWord(skip, "S")) {
    return Refusal{NotOneOf(kSkip, skip, "\"\" (scan), P, S (skip)")};
  }
  const bool scan = !SameWord(skip, "S");
  std::string_view power = f[kPower];
  bool high = true;
  if (SameWord(power, "Low")) {
    high = false;
  } else if (!power.empty() && !SameWord(power, "High")) {
    std::string_view figure = power;
    if (!figure.empty() && Upper(figure.back()) == 'W') figure = Trim(figure.substr(0, figure.size() - 1));
    const TypedNumber watts = ReadTypedNumber(figure);
    if (!watts.plain) return Refusal{"Power " + Quote(power) + " is not High, Low or a power in watts (such as 5.0W)"};
    const ScaledMagnitude mw = ScaleTypedNumber(watts, kMilliwattDecimals);
    high = mw.overflow || mw.units >= kLowPowerBelowMilliwatts;
  }
  // Name.
  const std::string_view written = f[kName];
  const bool used = !row[TextIndex(kColRxFrequency)].empty();
  NormalisedName name = NormaliseChannelName(written);
  // A name the channel holds already stays whole: a stored name may have
  // seven or eight characters, where the editor takes six.
  const bool sameName = used && name.text == row[TextIndex(kColName)];
  if (!sameName && name.text.size() > static_cast<std::size_t>(kMaxNameLength)) name.text.resize(kMaxNameLength);
  if (name.text != written) {
    notes.push_back({f.line(), "Name " + Quote(written) + " is stored as " + Quote(name.text)});
  }

  // The line's texts, field by field against the channel's.
  ChannelTexts out = used ? row : NewChannelTexts({}, lang);
  const ConvertedFrequency rxf = ConvertFrequency(MhzText(*rx));
  if (!used || rxf.text != ConvertFrequency(row[TextIndex(kColRxFrequency)]).text) {
    if (Status s = CheckFrequencyValue("Rx Frequency", rxf, band); !s) return Refusal{s.error()};
    out[TextIndex(kColRxFrequency)] = rxf.text;
  }
  std::string txText;
  ConvertedFrequency txf;
  if (tx) {
    txf = ConvertFrequency(MhzText(*tx));
    txText = txf.text;
  }
  const std::string& txCell = row[TextIndex(kColTxFrequency)];
  const bool txSame = used && (txCell.empty() ? txText.empty() : !txText.empty() && ConvertFrequency(txCell).text == txText);
  if (!txSame) {
    if (tx) {
      if (Status s = CheckFrequencyValue("Tx Frequency", txf, band); !s) return Refusal{s.error()};
    }
    out[TextIndex(kColTxFrequency)] = txText;
  }
  const std::pair<int, const Tone*> toneCells[] = {{kColRxTone, &tones->rx}, {kColTxTone, &tones->tx}};
  for (const auto& [col, tone] : toneCells) {
    if (used && ToneOfCell(row[TextIndex(col)]) == *tone) continue;
    if (!ToneStorable(*tone)) return Refusal{ToneRefusal(col == kColRxTone ? "Rx Tone" : "Tx Tone", *tone)};
    out[TextIndex(col)] = ToneCellText(*tone, lang);
  }
  // Each flag as the encoder reads its cell: only "High" sets the power bit,
  // only "No" clears scan add, only "Narrow" clears wide.
  auto isOn = [&](int col) {
    const std::string& cell = row[TextIndex(col)];
    if (col == kColPower) return IsTextInEitherLanguage(cell, Text::High);
    return !IsTextInEitherLanguage(cell, col == kColScanAdd ? Text::No : Text::Narrow);
  };
  const struct {
    int col;
    bool on;
    Text onWord, offWord;
  } flags[] = {
      {kColPower, high, Text::High, Text::Low},
      {kColScanAdd, scan, Text::Yes, Text::No},
      {kColBandwidth, !narrow, Text::Wide, Text::Narrow},
  };
  for (const auto& flag : flags) {
    if (used && isOn(flag.col) == flag.on) continue;
    out[TextIndex(flag.col)] = TextFor(flag.on ? flag.onWord : flag.offWord, lang);
  }
  if (!sameName) out[TextIndex(kColName)] = name.text;
  row = std::move(out);
  return std::nullopt;
}

// "0".."199" -> the channel; -1 for anything else.
int ChannelOfLocation(std::string_view location) {
  if (location.empty() || location.size() > static_cast<std::size_t>(kMaxLocationDigits)) return -1;
  int n = 0;
  for (char c : location) {
    if (!IsDigit(c)) return -1;
    n = n * 10 + (c - '0');
  }
  return n < map::kChannelCount ? n : -1;
}

}  // namespace

bool IsChirpHeader(const CsvRecord& header) {
  bool location = false, frequency = false;
  for (const std::string& field : header.fields) {
    location = location || SameWord(Trim(field), kColumnNames[kLocation]);
    frequency = frequency || SameWord(Trim(field), kColumnNames[kFrequency]);
  }
  return location && frequency;
}

namespace detail {

Status PlanChirpCsv(const std::vector<CsvRecord>& records, const BandLimits& band, DisplayLanguage lang,
                    ChannelListPlan& plan) {
  const CsvRecord& header = records.front();
  ColumnMap columns;
  columns.fill(kNoColumn);
  for (std::size_t i = 0; i < header.fields.size(); ++i) {
    for (int c = 0; c < kColumnCount; ++c) {
      if (!SameWord(Trim(header.fields[i]), kColumnNames[c])) continue;
      if (columns[c] != kNoColumn) {
        return Status::Error("line " + std::to_string(header.line) + ": column " + Quote(kColumnNames[c]) +
                             " appears twice");
      }
      columns[c] = static_cast<int>(i);
    }
  }
  const std::size_t fieldCount = header.fields.size();
  std::vector<int> lineOfChannel(map::kChannelCount, 0);
  for (std::size_t i = 1; i < records.size(); ++i) {
    const CsvRecord& rec = records[i];
    ++plan.lines;
    auto refuse = [&](std::string reason) { plan.refused.push_back({rec.line, std::move(reason)}); };
    if (rec.fields.size() != fieldCount) {
      refuse(std::to_string(rec.fields.size()) + " fields where the header has " + std::to_string(fieldCount));
      continue;
    }
    const LineFields f(rec, columns);
    const int channel = ChannelOfLocation(f[kLocation]);
    if (channel < 0) {
      refuse("Location " + Quote(f[kLocation]) + " is not a channel (0 for Pr, 1 to 199)");
      continue;
    }
    if (lineOfChannel[channel] != 0) {
      refuse("Location " + std::to_string(channel) + " appears twice (also on line " +
             std::to_string(lineOfChannel[channel]) + ")");
      continue;
    }
    lineOfChannel[channel] = rec.line;
    ChannelTexts row = plan.rows[static_cast<std::size_t>(channel)];
    std::vector<LineRemark> notes;
    if (auto refusal = ApplyLine(f, row, band, lang, notes)) {
      refuse(std::move(refusal->reason));
      continue;
    }
    plan.rows[static_cast<std::size_t>(channel)] = std::move(row);
    plan.notes.insert(plan.notes.end(), notes.begin(), notes.end());
  }
  return Status::Ok();
}

}  // namespace detail

std::string ExportChirpCsv(const TextGrid& grid, const RadioImage& image) {
  std::string out(kChirpHeader);
  out += '\n';
  const std::string step = StepText(image);
  for (int n = 0; n < map::kChannelCount; ++n) {
    const int r = RowOfChannel(n);
    const std::string rxText = grid.TextMatrix(r, kColRxFrequency);
    if (rxText.empty()) continue;
    const std::string txText = grid.TextMatrix(r, kColTxFrequency);
    const std::uint32_t rx = CountOfCell(rxText);
    std::string duplex, offset = Mhz6(0);
    if (txText.empty()) {
      duplex = "off";
    } else if (const std::uint32_t tx = CountOfCell(txText); tx > rx) {
      duplex = "+";
      offset = Mhz6(tx - rx);
    } else if (tx < rx) {
      duplex = "-";
      offset = Mhz6(rx - tx);
    }
    const Tone txTone = ToneOfCell(grid.TextMatrix(r, kColTxTone));
    const Tone rxTone = ToneOfCell(grid.TextMatrix(r, kColRxTone));
    std::string tone, rToneFreq(kPlaceholderToneFreq), cToneFreq(kPlaceholderToneFreq);
    std::string dtcsCode(kPlaceholderDtcsCode), rxDtcsCode(kPlaceholderDtcsCode), crossMode(kPlaceholderCrossMode);
    std::string polarity = {kNormalLetter, kNormalLetter};
    using K = Tone::Kind;
    if (txTone.kind == K::Ctcss) rToneFreq = CtcssText(txTone.value);
    if (rxTone.kind == K::Ctcss) cToneFreq = CtcssText(rxTone.value);
    if (txTone.kind == K::Dcs) {
      dtcsCode = DtcsCodeText(txTone.value);
      polarity[0] = txTone.inverted ? kReverseLetter : kNormalLetter;
    }
    if (rxTone.kind == K::Dcs) {
      rxDtcsCode = DtcsCodeText(rxTone.value);
      polarity[1] = rxTone.inverted ? kReverseLetter : kNormalLetter;
    }
    if (txTone.kind == K::None && rxTone.kind == K::None) {
      tone.clear();
    } else if (txTone.kind == K::Ctcss && rxTone.kind == K::None) {
      tone = "Tone";
    } else if (txTone.kind == K::Ctcss && rxTone == txTone) {
      tone = "TSQL";
    } else if (txTone.kind == K::Dcs && rxTone.kind == K::Dcs && txTone.value == rxTone.value) {
      tone = "DTCS";
    } else {
      tone = "Cross";
      auto side = [](const Tone& t) -> std::string {
        return t.kind == K::Ctcss ? "Tone" : t.kind == K::Dcs ? "DTCS" : "";
      };
      crossMode = side(txTone) + "->" + side(rxTone);
    }
    const bool narrow = IsTextInEitherLanguage(grid.TextMatrix(r, kColBandwidth), Text::Narrow);
    const bool skip = IsTextInEitherLanguage(grid.TextMatrix(r, kColScanAdd), Text::No);
    const bool high = IsTextInEitherLanguage(grid.TextMatrix(r, kColPower), Text::High);
    const std::string fields[] = {
        std::to_string(n), CsvField(grid.TextMatrix(r, kColName)), Mhz6(rx), duplex, offset, tone, rToneFreq,
        cToneFreq, dtcsCode, polarity, rxDtcsCode, crossMode, narrow ? "NFM" : "FM", step, skip ? "S" : "",
        std::string(high ? kHighPowerText : kLowPowerText),
    };
    for (const std::string& field : fields) {
      if (&field != &fields[0]) out += ',';
      out += field;
    }
    out.append(kColumnsAfterPower, ',');
    out += '\n';
  }
  return out;
}

}  // namespace torvan
