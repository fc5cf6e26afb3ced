#include "core/channels/FieldTexts.h"

#include "core/radio/ChannelCodec.h"
#include "core/radio/MessageTexts.h"
#include "core/radio/ScaledDecimal.h"
#include "core/radio/TypedNumber.h"

namespace torvan {
namespace {

constexpr DisplayLanguage kMessageLanguage = DisplayLanguage::English;
constexpr std::size_t kShortDcsLength = 4;  // "D05N": the decode's form of codes below 10, "D0" and one digit
constexpr std::size_t kDcsLength = 5;       // "D023N"
constexpr int kCodesWithoutHundreds = 100;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Upper(a[i]) != Upper(b[i])) return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> MatchWord(std::string_view text, std::initializer_list<Text> words) {
  for (Text t : words) {
    const std::string_view english = TextFor(t, DisplayLanguage::English);
    if (EqualsIgnoringCase(text, english)) return std::string(english);
    const std::string_view chinese = TextFor(t, DisplayLanguage::Chinese);
    if (text == chinese) return std::string(chinese);
  }
  return std::nullopt;
}

std::string CtcssText(int tenths) {
  return FormatScaled(static_cast<std::uint32_t>(tenths < 0 ? 0 : tenths), kToneDecimals);
}

std::string DcsText(int code, bool inverted) {
  // As the decode writes it: "D0" before a code without a hundreds digit.
  std::string text = code < kCodesWithoutHundreds ? "D0" : "D";
  text += std::to_string(code);
  text += inverted ? 'I' : 'N';
  return text;
}

std::optional<std::string> ToneTextOf(std::string_view text) {
  if (auto none = MatchWord(text, {Text::None})) return none;
  if (!text.empty() && Upper(text.front()) == 'D') {
    // "D023N", or "D05N" as the decode writes a code below 10.
    if (text.size() != kDcsLength && !(text.size() == kShortDcsLength && text[1] == '0')) return std::nullopt;
    const std::string_view digits = text.substr(1, text.size() - 2);
    int code = 0;
    for (char c : digits) {
      if (!IsDigit(c)) return std::nullopt;
      code = code * 10 + (c - '0');
    }
    const char polarity = Upper(text.back());
    if (polarity != 'N' && polarity != 'I') return std::nullopt;
    return DcsText(code, polarity == 'I');
  }
  const TypedNumber n = ReadTypedNumber(text);
  if (!n.plain) return std::nullopt;
  const ScaledMagnitude tenths = ScaleTypedNumber(n, kToneDecimals);
  if (!tenths.exact || tenths.overflow || tenths.units < static_cast<std::uint64_t>(kMinCtcssTenths) ||
      tenths.units > static_cast<std::uint64_t>(kMaxCtcssTenths)) {
    return std::nullopt;
  }
  return CtcssText(static_cast<int>(tenths.units));
}

bool IsPlainFrequencyText(std::string_view text) { return ReadTypedNumber(text).plain; }

Status CheckFrequencyValue(std::string_view label, const ConvertedFrequency& f, const BandLimits& band) {
  const auto message = CheckFrequency(f, band);
  if (!message) return Status::Ok();
  std::string detail = f.text;
  const bool storable = f.count >= kMinStorableFrequency && f.count <= kMaxStorableFrequency &&
                        (f.whole || f.count != kMaxStorableFrequency);
  if (!storable) {
    detail += " cannot be stored: a channel holds " + FormatScaled(kMinStorableFrequency, kFrequencyDecimals) +
              " to " + FormatScaled(kMaxStorableFrequency, kFrequencyDecimals) + " MHz";
  } else if (*message == MessageId::OutOfRange) {
    detail += " is outside the band " + band.CaptionText();
  } else {
    detail += " is not on the 2.5 kHz or 6.25 kHz raster";
  }
  return Status::Error(std::string(MessageText(*message, kMessageLanguage)) + " " + std::string(label) + " " + detail);
}

}  // namespace torvan
