#include "radio/ChannelCodec.h"

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

void ToneTextInto(std::string& out, std::uint8_t high, std::uint8_t low, DisplayLanguage lang) {
  if (high == kNoToneFF || high == kNoTone00) {
    out.assign(TextFor(Text::None, lang));
    return;
  }
  if (high >= kDcsNormalBase) {
    const bool inverted = high >= kDcsInvertedBase;
    const unsigned d = high - (inverted ? kDcsInvertedBase : kDcsNormalBase);
    const unsigned code = d * 100 + BcdValue(low);
    // "%s%dN" with the prefix "D0" when the hundreds digit is 0: "D023N".
    out.assign(d == 0 ? "D0" : "D");
    out += std::to_string(code);
    out += inverted ? 'I' : 'N';
    return;
  }
  FormatScaledInto(out, BcdValue(high) * 100u + BcdValue(low), kToneDecimals);
}

void NameTextInto(std::string& out, const RadioImage& image, int channel) {
  out.clear();
  const std::size_t base = map::ChannelNameOffset(channel);
  for (std::size_t k = 0; k < map::kChannelNameSize; ++k) {
    const char c = NameCodeToChar(image[base + k]);
    if (c == 0) break;
    out += c;
  }
}

// Flag byte changes, one bit each; the words of both languages count.
std::uint8_t EncodeFlags(std::uint8_t flags, const ChannelTexts& t) {
  const std::string_view power = t[TextIndex(kColPower)];
  const std::string_view busy = t[TextIndex(kColBusyLock)];
  const std::string_view scan = t[TextIndex(kColScanAdd)];
  const std::string_view width = t[TextIndex(kColBandwidth)];
  // Only "High" sets the power bit; only "Unlock" sets the busy-lock-off bit.
  flags = WithBit(flags, rec::kFlagHighPower, IsTextInEitherLanguage(power, Text::High));
  flags = WithBit(flags, rec::kFlagBusyLockOff, IsTextInEitherLanguage(busy, Text::Unlock));
  // Only "No" clears scan add; only "Narrow" clears wide.
  flags = WithBit(flags, rec::kFlagScanAdd, !IsTextInEitherLanguage(scan, Text::No));
  flags = WithBit(flags, rec::kFlagWide, !IsTextInEitherLanguage(width, Text::Narrow));
  return flags;
}

}  // namespace

std::string FrequencyText(const std::uint8_t* bytes4) { return FormatScaled(BcdCount(bytes4), kFrequencyDecimals); }

void EncodeFrequencyText(std::string_view text, std::uint8_t* bytes4) {
  const std::int32_t count = ParseScaled(text, kFrequencyDecimals);
  if (count <= 0 || static_cast<std::uint32_t>(count) > kMaxStorableFrequency) {
    for (unsigned k = 0; k < kDigitPairs; ++k) bytes4[k] = map::kEmptyMarkerFF;
    return;
  }
  std::uint32_t v = static_cast<std::uint32_t>(count);
  std::uint32_t d = kTopPairDivisor;
  for (int k = kDigitPairs - 1; k >= 0; --k) {
    bytes4[k] = ToBcd(v / d);
    v %= d;
    d /= 100;
  }
}

std::string ToneText(std::uint8_t high, std::uint8_t low, DisplayLanguage lang) {
  std::string s;
  ToneTextInto(s, high, low, lang);
  return s;
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
  const std::uint8_t* r = image.data() + map::ChannelRecordOffset(channel);
  if (IsEmptyMarker(r[rec::kRxFrequency + 3])) {
    for (auto& s : out) s.clear();
    return;
  }
  FormatScaledInto(out[TextIndex(kColRxFrequency)], BcdCount(r + rec::kRxFrequency), kFrequencyDecimals);
  if (IsEmptyMarker(r[rec::kTxFrequency + 3])) {
    out[TextIndex(kColTxFrequency)].clear();
  } else {
    FormatScaledInto(out[TextIndex(kColTxFrequency)], BcdCount(r + rec::kTxFrequency), kFrequencyDecimals);
  }
  ToneTextInto(out[TextIndex(kColRxTone)], r[rec::kRxToneHigh], r[rec::kRxToneLow], lang);
  ToneTextInto(out[TextIndex(kColTxTone)], r[rec::kTxToneHigh], r[rec::kTxToneLow], lang);
  const std::uint8_t f = r[rec::kFlags];
  out[TextIndex(kColPower)].assign(TextFor(TestBit(f, rec::kFlagHighPower) ? Text::High : Text::Low, lang));
  out[TextIndex(kColBusyLock)].assign(TextFor(TestBit(f, rec::kFlagBusyLockOff) ? Text::Unlock : Text::Lock, lang));
  out[TextIndex(kColScanAdd)].assign(TextFor(TestBit(f, rec::kFlagScanAdd) ? Text::Yes : Text::No, lang));
  out[TextIndex(kColBandwidth)].assign(TextFor(TestBit(f, rec::kFlagWide) ? Text::Wide : Text::Narrow, lang));
  NameTextInto(out[TextIndex(kColName)], image, channel);
}

ChannelTexts DecodeChannel(const RadioImage& image, int channel, DisplayLanguage lang) {
  ChannelTexts t;
  DecodeChannelInto(image, channel, lang, t);
  return t;
}

void EncodeChannel(const ChannelTexts& texts, int channel, RadioImage& image) {
  std::uint8_t* r = image.data() + map::ChannelRecordOffset(channel);
  if (texts[TextIndex(kColRxFrequency)].empty()) {
    // The name bytes stay: the decode shows an empty row whatever they hold.
    for (std::size_t k = 0; k < map::kChannelRecordSize; ++k) r[k] = 0xFF;
    return;
  }
  EncodeFrequencyText(texts[TextIndex(kColRxFrequency)], r + rec::kRxFrequency);
  EncodeFrequencyText(texts[TextIndex(kColTxFrequency)], r + rec::kTxFrequency);
  EncodeToneText(texts[TextIndex(kColRxTone)], r[rec::kRxToneHigh], r[rec::kRxToneLow]);
  EncodeToneText(texts[TextIndex(kColTxTone)], r[rec::kTxToneHigh], r[rec::kTxToneLow]);
  r[rec::kFlags] = EncodeFlags(r[rec::kFlags], texts);
  // Characters past the eighth are dropped; one without a code ends the name.
  const std::string& name = texts[TextIndex(kColName)];
  std::uint8_t* n = image.data() + map::ChannelNameOffset(channel);
  for (std::size_t k = 0; k < map::kChannelNameSize; ++k) n[k] = k < name.size() ? NameCharToCode(name[k]) : kNameEnd;
}

BandLimits DecodeImage(const RadioImage& image, TextGrid& grid, DisplayLanguage lang) {
  ChannelTexts texts;
  for (int n = 0; n < map::kChannelCount; ++n) {
    DecodeChannelInto(image, n, lang, texts);
    const int row = RowOfChannel(n);
    for (int col = kColRxFrequency; col <= kColName; ++col) grid.SetTextMatrix(row, col, texts[TextIndex(col)]);
  }
  return BandLimits::Decode(image);
}

void EncodeImage(const TextGrid& grid, const BandLimits& band, RadioImage& image) {
  band.Encode(image);
  ChannelTexts texts;
  for (int n = 0; n < map::kChannelCount; ++n) {
    const int row = RowOfChannel(n);
    for (int col = kColRxFrequency; col <= kColName; ++col) texts[TextIndex(col)] = grid.TextMatrix(row, col);
    EncodeChannel(texts, n, image);
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
