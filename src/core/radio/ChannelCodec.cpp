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

// The name the stored codes decode to, into `buf`: the characters before
// the first code without one (0xFF and every code past the alphabet).
std::string_view StoredName(const std::uint8_t* codes, const NameTables& names, char (&buf)[map::kChannelNameSize]) {
  std::size_t length = 0;
  for (; length < map::kChannelNameSize; ++length) {
    const char c = names.charOfCode[codes[length]];
    if (c == 0) break;
    buf[length] = c;
  }
  return std::string_view(buf, length);
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
  out.cell[TextIndex(kColName)] = StoredName(image.data() + map::ChannelNameOffset(channel), names, out.name);
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

bool IsStoredEmpty(const RadioImage& image, int channel) {
  return IsEmptyMarker(image[map::ChannelRecordOffset(channel) + rec::kRxFrequency + 3]);
}

// Whether the tone text is the one the stored bytes decode to. A stored
// "no tone" has many byte forms (high byte 0x00 or 0xFF, any low byte) and a
// word in each language; the text of any of them keeps the bytes.
bool SameTone(std::string_view text, std::uint8_t high, std::uint8_t low) {
  if (high == kNoToneFF || high == kNoTone00) return IsTextInEitherLanguage(text, Text::None);
  char buf[kScaledTextCapacity];
  return text == ToneChars(buf, high, low, {});
}

// Encodes a used channel (non-empty Rx text) from its nine texts. Each field
// is written as its text encodes, except where the stored bytes of a used
// channel differ and yet decode to that very text: the text was not
// changed, and a value from damaged bytes (a frequency of 1000 MHz or more, a
// tone byte the decode reads loosely, codes after a name's end) may have no
// bytes that the encode could write for it. So those bytes stay exactly.
void EncodeRecord(const DataRowViews& t, int channel, const NameTables& names, RadioImage& image) {
  std::uint8_t* r = image.data() + map::ChannelRecordOffset(channel);
  const bool wasUsed = !IsStoredEmpty(image, channel);
  char buf[kScaledTextCapacity];

  std::uint8_t rx[map::record::kFrequencySize];
  EncodeFrequencyText(t[TextIndex(kColRxFrequency)], rx);
  if (!std::equal(rx, rx + map::record::kFrequencySize, r + rec::kRxFrequency)) {
    const bool same =
        wasUsed && t[TextIndex(kColRxFrequency)] == FormatScaledFixed<kFrequencyDecimals>(buf, BcdCount(r + rec::kRxFrequency));
    if (!same) {
      if (IsEmptyMarker(rx[3])) {
        // A new Rx text the record cannot hold would read back as an empty
        // channel: it is stored as one, the same on every save. (The cell
        // rules let no such text in.)
        FillEmptyRecord(image, channel);
        return;
      }
      std::copy_n(rx, map::record::kFrequencySize, r + rec::kRxFrequency);
    }
  }

  std::uint8_t tx[map::record::kFrequencySize];
  EncodeFrequencyText(t[TextIndex(kColTxFrequency)], tx);
  if (!std::equal(tx, tx + map::record::kFrequencySize, r + rec::kTxFrequency)) {
    const std::string_view storedTx =
        IsEmptyMarker(r[rec::kTxFrequency + 3])
            ? std::string_view()
            : FormatScaledFixed<kFrequencyDecimals>(buf, BcdCount(r + rec::kTxFrequency));
    if (!(wasUsed && t[TextIndex(kColTxFrequency)] == storedTx)) {
      std::copy_n(tx, map::record::kFrequencySize, r + rec::kTxFrequency);
    }
  }

  const struct {
    int col;
    std::size_t high, low;
  } tones[] = {{kColRxTone, rec::kRxToneHigh, rec::kRxToneLow}, {kColTxTone, rec::kTxToneHigh, rec::kTxToneLow}};
  for (const auto& tone : tones) {
    std::uint8_t high = 0, low = 0;
    EncodeToneText(t[TextIndex(tone.col)], high, low);
    if (high == r[tone.high] && low == r[tone.low]) continue;
    if (wasUsed && SameTone(t[TextIndex(tone.col)], r[tone.high], r[tone.low])) continue;
    r[tone.high] = high;
    r[tone.low] = low;
  }

  // Unchanged words set their bits as they were.
  r[rec::kFlags] = EncodeFlags(r[rec::kFlags], t);

  // Characters past the eighth are dropped; one without a code ends the name.
  const std::string_view name = t[TextIndex(kColName)];
  std::uint8_t codes[map::kChannelNameSize];
  const std::size_t given = name.size() < map::kChannelNameSize ? name.size() : map::kChannelNameSize;
  for (std::size_t k = 0; k < given; ++k) codes[k] = names.codeOfChar[static_cast<unsigned char>(name[k])];
  for (std::size_t k = given; k < map::kChannelNameSize; ++k) codes[k] = kNameEnd;
  std::uint8_t* n = image.data() + map::ChannelNameOffset(channel);
  if (!std::equal(codes, codes + map::kChannelNameSize, n)) {
    char stored[map::kChannelNameSize];
    if (!(wasUsed && name == StoredName(n, names, stored))) std::copy_n(codes, map::kChannelNameSize, n);
  }
}

// Encodes one channel from its texts: an empty Rx text empties a used
// channel; an empty channel that stays empty keeps its bytes, whatever they
// hold (the decode shows an empty row for all of them).
void EncodeRow(const DataRowViews& t, int channel, const NameTables& names, RadioImage& image) {
  if (!t[TextIndex(kColRxFrequency)].empty()) {
    EncodeRecord(t, channel, names, image);
  } else if (!IsStoredEmpty(image, channel)) {
    FillEmptyRecord(image, channel);
  }
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
  DataRowViews views;
  for (std::size_t i = 0; i < texts.size(); ++i) views[i] = texts[i];
  EncodeRow(views, channel, Names(), image);
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
  // Band bytes that decode to the band given stay as they are: bytes with
  // nibbles above 9 decode to edges that would not encode back to them.
  if (BandLimits::Decode(image) != band) band.Encode(image);
  const NameTables& names = Names();
  DataRowScratch scratch;
  DataRowViews texts;
  for (int n = 0; n < map::kChannelCount; ++n) {
    grid.ReadDataRow(RowOfChannel(n), texts, scratch);
    EncodeRow(texts, n, names, image);
  }
}

}  // namespace torvan
