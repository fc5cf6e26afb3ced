#include "core/channels/ImageDiff.h"

#include <array>
#include <cstdio>

#include "core/channels/CsvExchange.h"
#include "core/channels/SummaryTexts.h"
#include "core/radio/BandLimits.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/OptionCodec.h"

namespace torvan {
namespace {

namespace rec = map::record;

constexpr std::uint8_t kWholeByte = 0xFF;

// The bits of each byte that a reported difference already shows.
using Shown = std::array<std::uint8_t, kImageSize>;

void MarkBytes(Shown& shown, std::size_t offset, std::size_t count) {
  for (std::size_t k = 0; k < count; ++k) shown[offset + k] = kWholeByte;
}

std::string ShownText(std::string_view text) { return text.empty() ? "\"\"" : std::string(text); }

std::string Change(std::string_view label, std::string_view before, std::string_view after) {
  return std::string(label) + ": " + ShownText(before) + " -> " + ShownText(after);
}

// The record bytes and flag bits behind each data column (1..9); the name
// column's bytes are the channel's name field.
struct ColumnBytes {
  std::size_t offset;
  std::size_t count;
  std::uint8_t mask;  // for a single flag byte
};
ColumnBytes BytesOfColumn(int col) {
  switch (col) {
    case kColRxFrequency: return {rec::kRxFrequency, rec::kFrequencySize, kWholeByte};
    case kColTxFrequency: return {rec::kTxFrequency, rec::kFrequencySize, kWholeByte};
    case kColRxTone: return {rec::kRxToneLow, 2, kWholeByte};
    case kColTxTone: return {rec::kTxToneLow, 2, kWholeByte};
    case kColPower: return {rec::kFlags, 1, static_cast<std::uint8_t>(1u << rec::kFlagHighPower)};
    case kColBusyLock: return {rec::kFlags, 1, static_cast<std::uint8_t>(1u << rec::kFlagBusyLockOff)};
    case kColScanAdd: return {rec::kFlags, 1, static_cast<std::uint8_t>(1u << rec::kFlagScanAdd)};
    default: return {rec::kFlags, 1, static_cast<std::uint8_t>(1u << rec::kFlagWide)};
  }
}

void DiffChannels(const RadioImage& a, const RadioImage& b, DisplayLanguage lang, std::vector<std::string>& out,
                  Shown& shown) {
  const std::string ch(ColumnHeader(kColLabel, lang));
  for (int n = 0; n < map::kChannelCount; ++n) {
    const ChannelTexts before = DecodeChannel(a, n, lang);
    const ChannelTexts after = DecodeChannel(b, n, lang);
    if (before == after) continue;
    const std::string label = ch + " " + CsvChannelLabel(n);
    const std::size_t record = map::ChannelRecordOffset(n);
    const bool wasUsed = !before[TextIndex(kColRxFrequency)].empty();
    const bool isUsed = !after[TextIndex(kColRxFrequency)].empty();
    if (!wasUsed || !isUsed) {
      if (isUsed) {
        std::string line = label + ": " + std::string(SummaryWord(SummaryText::ChannelAdded, lang));
        for (const std::string& text : after) line += " " + ShownText(text);
        out.push_back(std::move(line));
        MarkBytes(shown, map::ChannelNameOffset(n), map::kChannelNameSize);
      } else {
        out.push_back(label + ": " + std::string(SummaryWord(SummaryText::ChannelRemoved, lang)));
      }
      MarkBytes(shown, record, map::kChannelRecordSize);
      continue;
    }
    for (int col = kColRxFrequency; col <= kColName; ++col) {
      const std::string& x = before[TextIndex(col)];
      const std::string& y = after[TextIndex(col)];
      if (x == y) continue;
      out.push_back(Change(label + " " + std::string(ColumnHeader(col, lang)), x, y));
      if (col == kColName) {
        MarkBytes(shown, map::ChannelNameOffset(n), map::kChannelNameSize);
      } else {
        const ColumnBytes bytes = BytesOfColumn(col);
        for (std::size_t k = 0; k < bytes.count; ++k) shown[record + bytes.offset + k] |= bytes.mask;
      }
    }
  }
}

void DiffOptions(const RadioImage& a, const RadioImage& b, DisplayLanguage lang, std::vector<std::string>& out,
                 Shown& shown) {
  for (OptionField f : kAllOptionFields) {
    const std::string x = OptionWord(a, f, lang);
    const std::string y = OptionWord(b, f, lang);
    if (x == y) continue;
    out.push_back(Change(OptionLabel(f, lang), x, y));
    const ImageField& field = OptionInfo(f).imageField;
    shown[field.offset] |= field.Mask();
  }
  const OptionValues x = ReadOptions(a);
  const OptionValues y = ReadOptions(b);
  const struct {
    OptionCodeControl control;
    const std::string& before;
    const std::string& after;
    std::uint16_t offset;
  } codes[] = {
      {OptionCodeControl::AniCode, x.aniCode, y.aniCode, map::kAniCode},
      {OptionCodeControl::StunCode, x.stunCode, y.stunCode, map::kStunCode},
  };
  for (const auto& c : codes) {
    if (c.before == c.after) continue;
    out.push_back(Change(OptionLabel(c.control, lang), PrintableCode(c.before, lang), PrintableCode(c.after, lang)));
    MarkBytes(shown, c.offset, map::kCodeSize);
  }
  if (x.removeStun != y.removeStun) {
    auto word = [lang](bool removeStun) {
      return SummaryWord(removeStun ? SummaryText::NotStunned : SummaryText::Stunned, lang);
    };
    out.push_back(Change(OptionLabel(OptionCodeControl::RemoveStun, lang), word(x.removeStun), word(y.removeStun)));
    MarkBytes(shown, map::kStunMarker, 1);
  }
}

}  // namespace

std::vector<std::string> DiffImages(const RadioImage& a, const RadioImage& b, DisplayLanguage lang) {
  std::vector<std::string> out;
  if (a == b) return out;
  Shown shown{};
  if (a[map::kRadioType] != b[map::kRadioType]) {
    out.push_back(Change(SummaryWord(SummaryText::RadioTypeIndex, lang), std::to_string(a[map::kRadioType]),
                         std::to_string(b[map::kRadioType])));
    MarkBytes(shown, map::kRadioType, 1);
  }
  const BandLimits bandA = BandLimits::Decode(a);
  const BandLimits bandB = BandLimits::Decode(b);
  if (bandA != bandB) {
    out.push_back(Change(SummaryWord(SummaryText::Band, lang), bandA.CaptionText(), bandB.CaptionText()));
    MarkBytes(shown, map::kBandLimits, map::kBandLimitsSize);
  }
  DiffOptions(a, b, lang, out, shown);
  DiffChannels(a, b, lang, out, shown);
  for (std::size_t i = 0; i < kImageSize; ++i) {
    if (((a[i] ^ b[i]) & ~shown[i]) == 0) continue;
    char line[32];
    std::snprintf(line, sizeof line, "0x%04zX: %02X -> %02X", i, static_cast<unsigned>(a[i]), static_cast<unsigned>(b[i]));
    out.emplace_back(line);
  }
  return out;
}

std::vector<int> ChannelsWithChangedBytes(const RadioImage& a, const RadioImage& b) {
  std::vector<int> changed;
  for (int n = 0; n < map::kChannelCount; ++n) {
    const auto differ = [&](std::size_t offset, std::size_t count) {
      for (std::size_t k = 0; k < count; ++k) {
        if (a[offset + k] != b[offset + k]) return true;
      }
      return false;
    };
    if (differ(map::ChannelRecordOffset(n), map::kChannelRecordSize) ||
        differ(map::ChannelNameOffset(n), map::kChannelNameSize)) {
      changed.push_back(n);
    }
  }
  return changed;
}

}  // namespace torvan
