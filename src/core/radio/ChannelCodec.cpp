#include "core/radio/ChannelCodec.h"

#include <algorithm>
#include <string_view>

#include "core/radio/NameCodes.h"
#include "core/radio/NumberText.h"
#include "core/radio/ScaledDecimal.h"

namespace torvan {
namespace {

namespace rec = map::record;

// Tone high byte ranges.
constexpr std::uint8_t kNoToneFF = 0xFF;
constexpr std::uint8_t kNoTone00 = 0x00;
constexpr std::uint8_t kDcsNormalBase = 0x80;
constexpr std::uint8_t kDcsInvertedBase = 0xC0;
constexpr std::uint8_t kDcsNormalLast = 0xBF;
constexpr std::uint8_t kDcsInvertedLast = 0xFE;  // 0xFF means no tone
// The highest CTCSS value whose high byte stays below the DCS range (799.9 Hz).
constexpr std::int32_t kMaxCtcssTenths = 7999;
constexpr std::size_t kDcsTextLength = 5;  // "D023N"

constexpr unsigned kDigitPairs = 4;
constexpr std::uint32_t kTopPairDivisor = 1000000;  // the two most significant of eight digits

// ToBcd of 0..99 by table: six of them per channel.
struct BcdTable {
  std::uint8_t byte[100];
  constexpr BcdTable() : byte() {
    for (unsigned v = 0; v < 100; ++v) byte[v] = ToBcd(v);
  }
};
constexpr BcdTable kBcd;

// BcdValue of every byte by table.
struct BcdValueTable {
  std::uint8_t value[256];
  constexpr BcdValueTable() : value() {
    for (unsigned b = 0; b < 256; ++b) value[b] = static_cast<std::uint8_t>(BcdValue(static_cast<std::uint8_t>(b)));
  }
};
constexpr BcdValueTable kBcdValue;

bool IsEmptyMarker(std::uint8_t b) { return b == map::kEmptyMarkerFF || b == map::kEmptyMarker00; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Eight BCD digits, byte 3 the most significant pair.
std::uint32_t BcdCount(const std::uint8_t* bytes4) {
  return kBcdValue.value[bytes4[3]] * 1000000u + kBcdValue.value[bytes4[2]] * 10000u +
         kBcdValue.value[bytes4[1]] * 100u + kBcdValue.value[bytes4[0]];
}

// The name alphabet as two tables, filled once from NameCodes so that the
// alphabet stays defined in one place.
struct NameTables {
  char charOfCode[256];
  std::uint8_t codeOfChar[256];
  NameTables() {
    for (int i = 0; i < 256; ++i) {
      charOfCode[i] = NameCodeToChar(static_cast<std::uint8_t>(i));
      codeOfChar[i] = NameCharToCode(static_cast<char>(static_cast<unsigned char>(i)));
    }
  }
};
const NameTables& Names() {
  static const NameTables tables;
  return tables;
}

// The words of both languages that the encode looks for, looked up once.
struct EncodeWords {
  struct Pair {
    std::string_view english, chinese;
    bool Matches(std::string_view s) const { return s == english || s == chinese; }
  };
  Pair high, unlock, no, narrow;
  static Pair Of(Text t) { return {TextFor(t, DisplayLanguage::English), TextFor(t, DisplayLanguage::Chinese)}; }
  EncodeWords() : high(Of(Text::High)), unlock(Of(Text::Unlock)), no(Of(Text::No)), narrow(Of(Text::Narrow)) {}
};
const EncodeWords& Words() {
  static const EncodeWords words;
  return words;
}

// Tone text into `buf`; the view points into `buf` or at a word of the table.
std::string_view ToneChars(char (&buf)[kScaledTextCapacity], std::uint8_t high, std::uint8_t low,
                           std::string_view noneWord) {
  if (high == kNoToneFF || high == kNoTone00) return noneWord;
  if (high < kDcsNormalBase) return FormatScaledFixed<kToneDecimals>(buf, BcdValue(high) * 100u + BcdValue(low));
  const bool inverted = high >= kDcsInvertedBase;
  const unsigned d = high - (inverted ? kDcsInvertedBase : kDcsNormalBase);
  unsigned code = d * 100 + BcdValue(low);  // at most 62 * 100 + 165: four digits
  // "%s%dN" with the prefix "D0" when the hundreds digit is 0: "D023N".
  char* const end = buf + kScaledTextCapacity;
  char* p = end;
  *--p = inverted ? 'I' : 'N';
  do {
    *--p = static_cast<char>('0' + code % 10);
    code /= 10;
  } while (code > 0);
  if (d == 0) *--p = '0';
  *--p = 'D';
  return std::string_view(p, static_cast<std::size_t>(end - p));
}

// The words a decode writes, in its language, looked up once per decode.
struct DecodeWords {
  std::string_view none, high, low, lock, unlock, yes, no, wide, narrow;
  explicit DecodeWords(DisplayLanguage lang)
      : none(TextFor(Text::None, lang)),
        high(TextFor(Text::High, lang)),
        low(TextFor(Text::Low, lang)),
        lock(TextFor(Text::Lock, lang)),
        unlock(TextFor(Text::Unlock, lang)),
        yes(TextFor(Text::Yes, lang)),
        no(TextFor(Text::No, lang)),
        wide(TextFor(Text::Wide, lang)),
        narrow(TextFor(Text::Narrow, lang)) {}
};

// The texts of one channel as views into its own buffers or the word table.
struct DecodedRow {
  DataRowViews cell;
  char rx[kScaledTextCapacity], tx[kScaledTextCapacity];
  char rxTone[kScaledTextCapacity], txTone[kScaledTextCapacity];
  char name[map::kChannelNameSize];
};

void DecodeRecord(const RadioImage& image, int channel, const DecodeWords& words, const NameTables& names,
                  DecodedRow& out) {
  const std::uint8_t* r = image.data() + map::ChannelRecordOffset(channel);
  if (IsEmptyMarker(r[rec::kRxFrequency + 3])) {
    out.cell.fill({});
    return;
  }
  out.cell[TextIndex(kColRxFrequency)] = FormatScaledFixed<kFrequencyDecimals>(out.rx, BcdCount(r + rec::kRxFrequency));
  out.cell[TextIndex(kColTxFrequency)] =
      IsEmptyMarker(r[rec::kTxFrequency + 3])
          ? std::string_view()
          : FormatScaledFixed<kFrequencyDecimals>(out.tx, BcdCount(r + rec::kTxFrequency));
  out.cell[TextIndex(kColRxTone)] = ToneChars(out.rxTone, r[rec::kRxToneHigh], r[rec::kRxToneLow], words.none);
  out.cell[TextIndex(kColTxTone)] = ToneChars(out.txTone, r[rec::kTxToneHigh], r[rec::kTxToneLow], words.none);
  const std::uint8_t f = r[rec::kFlags];
  out.cell[TextIndex(kColPower)] = TestBit(f, rec::kFlagHighPower) ? words.high : words.low;
  out.cell[TextIndex(kColBusyLock)] = TestBit(f, rec::kFlagBusyLockOff) ? words.unlock : words.lock;
  out.cell[TextIndex(kColScanAdd)] = TestBit(f, rec::kFlagScanAdd) ? words.yes : words.no;
  out.cell[TextIndex(kColBandwidth)] = TestBit(f, rec::kFlagWide) ? words.wide : words.narrow;
  const std::uint8_t* codes = image.data() + map::ChannelNameOffset(channel);
  std::size_t length = 0;
  for (; length < map::kChannelNameSize; ++length) {
    const char c = names.charOfCode[codes[length]];
    if (c == 0) break;  // 0xFF and every code without a character end the name
    out.name[length] = c;
  }
  out.cell[TextIndex(kColName)] = std::string_view(out.name, length);
}

// Flag byte changes, one bit each; the words of both languages count.
std::uint8_t EncodeFlags(std::uint8_t flags, const DataRowViews& t) {
  const EncodeWords& w = Words();
  // Only "High" sets the power bit; only "Unlock" sets the busy-lock-off bit.
  flags = WithBit(flags, rec::kFlagHighPower, w.high.Matches(t[TextIndex(kColPower)]));
  flags = WithBit(flags, rec::kFlagBusyLockOff, w.unlock.Matches(t[TextIndex(kColBusyLock)]));
  // Only "No" clears scan add; only "Narrow" clears wide.
  flags = WithBit(flags, rec::kFlagScanAdd, !w.no.Matches(t[TextIndex(kColScanAdd)]));
  flags = WithBit(flags, rec::kFlagWide, !w.narrow.Matches(t[TextIndex(kColBandwidth)]));
  return flags;
}

void FillEmptyRecord(RadioImage& image, int channel) {
  // The name bytes stay: the decode shows an empty row whatever they hold.
  std::uint8_t* r = image.data() + map::ChannelRecordOffset(channel);
  for (std::size_t k = 0; k < map::kChannelRecordSize; ++k) r[k] = 0xFF;
}

// Encodes a used channel (non-empty Rx text) from its nine texts.
void EncodeRecord(const DataRowViews& t, int channel, const NameTables& names, RadioImage& image) {
  std::uint8_t* r = image.data() + map::ChannelRecordOffset(channel);
  std::uint8_t rx[map::record::kFrequencySize];
  EncodeFrequencyText(t[TextIndex(kColRxFrequency)], rx);
  if (IsEmptyMarker(rx[3])) {
    // An Rx text the record cannot hold (a frequency from 1000 MHz, decoded
    // from damaged bytes): the channel reads back empty, so it is stored as
    // an empty channel, the same on every save.
    FillEmptyRecord(image, channel);
    return;
  }
  std::copy_n(rx, map::record::kFrequencySize, r + rec::kRxFrequency);
  EncodeFrequencyText(t[TextIndex(kColTxFrequency)], r + rec::kTxFrequency);
  EncodeToneText(t[TextIndex(kColRxTone)], r[rec::kRxToneHigh], r[rec::kRxToneLow]);
  EncodeToneText(t[TextIndex(kColTxTone)], r[rec::kTxToneHigh], r[rec::kTxToneLow]);
  r[rec::kFlags] = EncodeFlags(r[rec::kFlags], t);
  // Characters past the eighth are dropped; one without a code ends the name.
  const std::string_view name = t[TextIndex(kColName)];
  std::uint8_t* n = image.data() + map::ChannelNameOffset(channel);
  const std::size_t stored = name.size() < map::kChannelNameSize ? name.size() : map::kChannelNameSize;
  for (std::size_t k = 0; k < stored; ++k) n[k] = names.codeOfChar[static_cast<unsigned char>(name[k])];
  for (std::size_t k = stored; k < map::kChannelNameSize; ++k) n[k] = kNameEnd;
}

}  // namespace

std::string FrequencyText(const std::uint8_t* bytes4) { return FormatScaled(BcdCount(bytes4), kFrequencyDecimals); }

void EncodeFrequencyText(std::string_view text, std::uint8_t* bytes4) {
  const std::int32_t count = ParseScaledFixed<kFrequencyDecimals>(text);
  if (count < static_cast<std::int32_t>(kMinStorableFrequency) ||
      static_cast<std::uint32_t>(count) > kMaxStorableFrequency) {
    for (unsigned k = 0; k < kDigitPairs; ++k) bytes4[k] = map::kEmptyMarkerFF;
    return;
  }
  // Two digits per byte from the most significant pair down; constant
  // divisors keep this free of hardware division.
  const std::uint32_t v = static_cast<std::uint32_t>(count);
  bytes4[3] = kBcd.byte[v / kTopPairDivisor];
  bytes4[2] = kBcd.byte[v / 10000 % 100];
  bytes4[1] = kBcd.byte[v / 100 % 100];
  bytes4[0] = kBcd.byte[v % 100];
}

std::string ToneText(std::uint8_t high, std::uint8_t low, DisplayLanguage lang) {
  char buf[kScaledTextCapacity];
  return std::string(ToneChars(buf, high, low, TextFor(Text::None, lang)));
}

void EncodeToneText(std::string_view text, std::uint8_t& high, std::uint8_t& low) {
  high = low = kNoToneFF;
  bool dcs = false;
  for (char c : text) {  // tone texts are short: no call to memchr
    if (c == 'D') {
      dcs = true;
      break;
    }
  }
  if (dcs) {
    // The first character goes (it is the "D" of every DCS text the list has),
    // the number of the rest is the code, an "N" anywhere makes it normal.
    const std::string_view rest = text.substr(1);
    int code = 0;
    bool normal = false;
    // Short path for "D023N": three digits and a letter (a fourth digit
    // would belong to the number).
    if (text.size() == kDcsTextLength && IsDigit(rest[0]) && IsDigit(rest[1]) && IsDigit(rest[2]) &&
        !IsDigit(rest[3])) {
      code = (rest[0] - '0') * 100 + (rest[1] - '0') * 10 + (rest[2] - '0');
      normal = rest[3] == 'N';
    } else {
      code = AtoI(rest);
      normal = rest.find('N') != std::string_view::npos;
    }
    const int base = normal ? kDcsNormalBase : kDcsInvertedBase;
    const int last = normal ? kDcsNormalLast : kDcsInvertedLast;
    if (code < 0 || base + code / 100 > last) return;
    high = static_cast<std::uint8_t>(base + code / 100);
    low = kBcd.byte[code % 100];
    return;
  }
  const std::int32_t tenths = ParseScaledFixed<kToneDecimals>(text);
  if (tenths <= 0 || tenths > kMaxCtcssTenths) return;
  high = kBcd.byte[tenths / 100];
  low = kBcd.byte[tenths % 100];
}

void DecodeChannelInto(const RadioImage& image, int channel, DisplayLanguage lang, ChannelTexts& out) {
  DecodedRow row;
  DecodeRecord(image, channel, DecodeWords(lang), Names(), row);
  for (std::size_t i = 0; i < out.size(); ++i) out[i].assign(row.cell[i]);
}

ChannelTexts DecodeChannel(const RadioImage& image, int channel, DisplayLanguage lang) {
  ChannelTexts t;
  DecodeChannelInto(image, channel, lang, t);
  return t;
}

void EncodeChannel(const ChannelTexts& texts, int channel, RadioImage& image) {
  if (texts[TextIndex(kColRxFrequency)].empty()) {
    FillEmptyRecord(image, channel);
    return;
  }
  DataRowViews views;
  for (std::size_t i = 0; i < texts.size(); ++i) views[i] = texts[i];
  EncodeRecord(views, channel, Names(), image);
}

BandLimits DecodeImage(const RadioImage& image, TextGrid& grid, DisplayLanguage lang) {
  const DecodeWords words(lang);
  const NameTables& names = Names();
  DecodedRow texts;
  for (int n = 0; n < map::kChannelCount; ++n) {
    DecodeRecord(image, n, words, names, texts);
    grid.SetDataRow(RowOfChannel(n), texts.cell);
  }
  return BandLimits::Decode(image);
}

void EncodeImage(const TextGrid& grid, const BandLimits& band, RadioImage& image) {
  band.Encode(image);
  const NameTables& names = Names();
  DataRowScratch scratch;
  DataRowViews texts;
  for (int n = 0; n < map::kChannelCount; ++n) {
    grid.ReadDataRow(RowOfChannel(n), texts, scratch);
    if (texts[TextIndex(kColRxFrequency)].empty()) {
      FillEmptyRecord(image, n);
    } else {
      EncodeRecord(texts, n, names, image);
    }
  }
}

}  // namespace torvan
