#include "radio/ChannelCodec.h"

#include <string_view>

#include "radio/NameCodes.h"
#include "radio/NumberText.h"
#include "radio/ScaledDecimal.h"

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

constexpr unsigned kDigitPairs = 4;
constexpr std::uint32_t kTopPairDivisor = 1000000;  // the two most significant of eight digits

bool IsEmptyMarker(std::uint8_t b) { return b == map::kEmptyMarkerFF || b == map::kEmptyMarker00; }

std::uint32_t BcdCount(const std::uint8_t* bytes4) {
  std::uint32_t s = 0;
  for (int k = kDigitPairs - 1; k >= 0; --k) s = s * 100 + BcdValue(bytes4[k]);
  return s;
}

// Tone text into `buf`; the view points into `buf` or at a word of the table.
std::string_view ToneChars(char (&buf)[kScaledTextCapacity], std::uint8_t high, std::uint8_t low,
                           DisplayLanguage lang) {
  if (high == kNoToneFF || high == kNoTone00) return TextFor(Text::None, lang);
  if (high < kDcsNormalBase) return FormatScaledChars(buf, BcdValue(high) * 100u + BcdValue(low), kToneDecimals);
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

// The texts of one channel as views into its own buffers or the word table.
struct DecodedRow {
  std::string_view cell[kChannelTextCount];
  char rx[kScaledTextCapacity], tx[kScaledTextCapacity];
  char rxTone[kScaledTextCapacity], txTone[kScaledTextCapacity];
  char name[map::kChannelNameSize];
};

void DecodeRecord(const RadioImage& image, int channel, DisplayLanguage lang, DecodedRow& out) {
  const std::uint8_t* r = image.data() + map::ChannelRecordOffset(channel);
  if (IsEmptyMarker(r[rec::kRxFrequency + 3])) {
    for (auto& v : out.cell) v = {};
    return;
  }
  out.cell[TextIndex(kColRxFrequency)] = FormatScaledChars(out.rx, BcdCount(r + rec::kRxFrequency), kFrequencyDecimals);
  out.cell[TextIndex(kColTxFrequency)] =
      IsEmptyMarker(r[rec::kTxFrequency + 3])
          ? std::string_view()
          : FormatScaledChars(out.tx, BcdCount(r + rec::kTxFrequency), kFrequencyDecimals);
  out.cell[TextIndex(kColRxTone)] = ToneChars(out.rxTone, r[rec::kRxToneHigh], r[rec::kRxToneLow], lang);
  out.cell[TextIndex(kColTxTone)] = ToneChars(out.txTone, r[rec::kTxToneHigh], r[rec::kTxToneLow], lang);
  const std::uint8_t f = r[rec::kFlags];
  out.cell[TextIndex(kColPower)] = TextFor(TestBit(f, rec::kFlagHighPower) ? Text::High : Text::Low, lang);
  out.cell[TextIndex(kColBusyLock)] = TextFor(TestBit(f, rec::kFlagBusyLockOff) ? Text::Unlock : Text::Lock, lang);
  out.cell[TextIndex(kColScanAdd)] = TextFor(TestBit(f, rec::kFlagScanAdd) ? Text::Yes : Text::No, lang);
  out.cell[TextIndex(kColBandwidth)] = TextFor(TestBit(f, rec::kFlagWide) ? Text::Wide : Text::Narrow, lang);
  const std::uint8_t* codes = image.data() + map::ChannelNameOffset(channel);
  std::size_t length = 0;
  for (; length < map::kChannelNameSize; ++length) {
    const char c = NameCodeToChar(codes[length]);
    if (c == 0) break;  // 0xFF and every code without a character end the name
    out.name[length] = c;
  }
  out.cell[TextIndex(kColName)] = std::string_view(out.name, length);
}

// Flag byte changes, one bit each; the words of both languages count.
std::uint8_t EncodeFlags(std::uint8_t flags, const std::string_view* t) {
  // Only "High" sets the power bit; only "Unlock" sets the busy-lock-off bit.
  flags = WithBit(flags, rec::kFlagHighPower, IsTextInEitherLanguage(t[TextIndex(kColPower)], Text::High));
  flags = WithBit(flags, rec::kFlagBusyLockOff, IsTextInEitherLanguage(t[TextIndex(kColBusyLock)], Text::Unlock));
  // Only "No" clears scan add; only "Narrow" clears wide.
  flags = WithBit(flags, rec::kFlagScanAdd, !IsTextInEitherLanguage(t[TextIndex(kColScanAdd)], Text::No));
  flags = WithBit(flags, rec::kFlagWide, !IsTextInEitherLanguage(t[TextIndex(kColBandwidth)], Text::Narrow));
  return flags;
}

void FillEmptyRecord(RadioImage& image, int channel) {
  // The name bytes stay: the decode shows an empty row whatever they hold.
  std::uint8_t* r = image.data() + map::ChannelRecordOffset(channel);
  for (std::size_t k = 0; k < map::kChannelRecordSize; ++k) r[k] = 0xFF;
}

// Encodes a used channel (non-empty Rx text) from its nine texts.
void EncodeRecord(const std::string_view* t, int channel, RadioImage& image) {
  std::uint8_t* r = image.data() + map::ChannelRecordOffset(channel);
  EncodeFrequencyText(t[TextIndex(kColRxFrequency)], r + rec::kRxFrequency);
  EncodeFrequencyText(t[TextIndex(kColTxFrequency)], r + rec::kTxFrequency);
  EncodeToneText(t[TextIndex(kColRxTone)], r[rec::kRxToneHigh], r[rec::kRxToneLow]);
  EncodeToneText(t[TextIndex(kColTxTone)], r[rec::kTxToneHigh], r[rec::kTxToneLow]);
  r[rec::kFlags] = EncodeFlags(r[rec::kFlags], t);
  // Characters past the eighth are dropped; one without a code ends the name.
  const std::string_view name = t[TextIndex(kColName)];
  std::uint8_t* n = image.data() + map::ChannelNameOffset(channel);
  for (std::size_t k = 0; k < map::kChannelNameSize; ++k) n[k] = k < name.size() ? NameCharToCode(name[k]) : kNameEnd;
}

}  // namespace

std::string FrequencyText(const std::uint8_t* bytes4) { return FormatScaled(BcdCount(bytes4), kFrequencyDecimals); }

void EncodeFrequencyText(std::string_view text, std::uint8_t* bytes4) {
  const std::int32_t count = ParseScaled(text, kFrequencyDecimals);
  if (count <= 0 || static_cast<std::uint32_t>(count) > kMaxStorableFrequency) {
    for (unsigned k = 0; k < kDigitPairs; ++k) bytes4[k] = map::kEmptyMarkerFF;
    return;
  }
  // Two digits per byte from the most significant pair down; constant
  // divisors keep this free of hardware division.
  const std::uint32_t v = static_cast<std::uint32_t>(count);
  bytes4[3] = ToBcd(v / kTopPairDivisor);
  bytes4[2] = ToBcd(v / 10000 % 100);
  bytes4[1] = ToBcd(v / 100 % 100);
  bytes4[0] = ToBcd(v % 100);
}

std::string ToneText(std::uint8_t high, std::uint8_t low, DisplayLanguage lang) {
  char buf[kScaledTextCapacity];
  return std::string(ToneChars(buf, high, low, lang));
}

void EncodeToneText(std::string_view text, std::uint8_t& high, std::uint8_t& low) {
  high = low = kNoToneFF;
  if (text.find('D') != std::string_view::npos) {
    const std::string_view rest = text.substr(1);
    const int code = AtoI(rest);
    const bool normal = rest.find('N') != std::string_view::npos;
    const int base = normal ? kDcsNormalBase : kDcsInvertedBase;
    const int last = normal ? kDcsNormalLast : kDcsInvertedLast;
    if (code < 0 || base + code / 100 > last) return;
    high = static_cast<std::uint8_t>(base + code / 100);
    low = ToBcd(static_cast<unsigned>(code % 100));
    return;
  }
  const std::int32_t tenths = ParseScaled(text, kToneDecimals);
  if (tenths <= 0 || tenths > kMaxCtcssTenths) return;
  high = ToBcd(static_cast<unsigned>(tenths / 100));
  low = ToBcd(static_cast<unsigned>(tenths % 100));
}

void DecodeChannelInto(const RadioImage& image, int channel, DisplayLanguage lang, ChannelTexts& out) {
  DecodedRow row;
  DecodeRecord(image, channel, lang, row);
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
  std::string_view views[kChannelTextCount];
  for (std::size_t i = 0; i < texts.size(); ++i) views[i] = texts[i];
  EncodeRecord(views, channel, image);
}

BandLimits DecodeImage(const RadioImage& image, TextGrid& grid, DisplayLanguage lang) {
  DecodedRow texts;
  for (int n = 0; n < map::kChannelCount; ++n) {
    DecodeRecord(image, n, lang, texts);
    const int row = RowOfChannel(n);
    for (int col = kColRxFrequency; col <= kColName; ++col) grid.SetTextMatrix(row, col, texts.cell[TextIndex(col)]);
  }
  return BandLimits::Decode(image);
}

void EncodeImage(const TextGrid& grid, const BandLimits& band, RadioImage& image) {
  band.Encode(image);
  std::string scratch[kChannelTextCount];
  std::string_view texts[kChannelTextCount];
  for (int n = 0; n < map::kChannelCount; ++n) {
    const int row = RowOfChannel(n);
    texts[0] = grid.TextView(row, kColRxFrequency, scratch[0]);
    if (texts[0].empty()) {
      FillEmptyRecord(image, n);
      continue;
    }
    for (int col = kColTxFrequency; col <= kColName; ++col) {
      texts[TextIndex(col)] = grid.TextView(row, col, scratch[TextIndex(col)]);
    }
    EncodeRecord(texts, n, image);
  }
}

std::string MainWindowCaption(std::string_view appName, std::string_view model, const BandLimits& band,
                              DisplayLanguage lang) {
  std::string caption(appName);
  caption += TextFor(Text::CaptionType, lang);
  caption += model;
  caption += TextFor(Text::CaptionFre, lang);
  caption += band.CaptionText();
  caption += TextFor(Text::CaptionClose, lang);
  return caption;
}

}  // namespace torvan
