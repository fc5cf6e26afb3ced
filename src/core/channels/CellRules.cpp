#include "core/channels/CellRules.h"

#include "core/radio/ScaledDecimal.h"
#include "core/radio/TypedNumber.h"

namespace torvan {

ConvertedFrequency ConvertFrequency(std::string_view typed) {
  // A count past 32 bits is taken as INT32_MIN, which lies above every band
  // taken unsigned.
  constexpr std::uint32_t kBeyondEveryBand = 0x80000000u;
  constexpr std::uint64_t kInt32Max = 0x7FFFFFFFu;
  ConvertedFrequency f;
  const TypedNumber n = ReadTypedNumber(typed);
  f.text = TypedNumberText(n, kFrequencyDecimals);
  const ScaledMagnitude m = ScaleTypedNumber(n, kFrequencyDecimals);
  f.whole = m.exact;
  if (m.overflow || m.units > kInt32Max) {
    f.count = kBeyondEveryBand;
  } else if (n.negative) {
    f.count = static_cast<std::uint32_t>(-static_cast<std::int64_t>(m.units));
  } else {
    f.count = static_cast<std::uint32_t>(m.units);
  }
  return f;
}

bool IsInBand(std::uint32_t count, const BandLimits& band) {
  if (count < kMinStorableFrequency || count > kMaxStorableFrequency) return false;
  return count >= band.Lower10Hz() && count <= band.Upper10Hz();
}

bool IsOnRaster(std::uint32_t count) { return count % kRaster2500Hz == 0 || count % kRaster6250Hz == 0; }

std::optional<MessageId> CheckFrequency(std::uint32_t count, const BandLimits& band) {
  if (!IsInBand(count, band)) return MessageId::OutOfRange;
  if (!IsOnRaster(count)) return MessageId::ErrorDataValue;
  return std::nullopt;
}

std::optional<MessageId> CheckFrequency(const ConvertedFrequency& f, const BandLimits& band) {
  if (!f.whole && (f.count == band.Upper10Hz() || f.count == kMaxStorableFrequency)) {
    return MessageId::OutOfRange;  // just above the upper edge
  }
  if (const auto message = CheckFrequency(f.count, band)) return message;
  if (!f.whole) return MessageId::ErrorDataValue;
  return std::nullopt;
}

ChannelTexts NewChannelTexts(std::string_view frequencyText, DisplayLanguage lang) {
  ChannelTexts t;
  t[TextIndex(kColRxFrequency)] = frequencyText;
  t[TextIndex(kColTxFrequency)] = frequencyText;
  t[TextIndex(kColRxTone)] = TextFor(Text::None, lang);
  t[TextIndex(kColTxTone)] = TextFor(Text::None, lang);
  t[TextIndex(kColPower)] = TextFor(Text::High, lang);
  t[TextIndex(kColBusyLock)] = TextFor(Text::Unlock, lang);
  t[TextIndex(kColScanAdd)] = TextFor(Text::Yes, lang);
  t[TextIndex(kColBandwidth)] = TextFor(Text::Wide, lang);
  return t;
}

CommitResult CommitCell(ChannelTexts& row, int col, std::string_view editorText, const BandLimits& band,
                        DisplayLanguage lang) {
  if (col < kColRxFrequency || col > kColName) return {};
  // Both frequencies as they were before this commit decide what happens.
  const bool hadRx = !row[TextIndex(kColRxFrequency)].empty();
  const bool hadTx = !row[TextIndex(kColTxFrequency)].empty();
  std::string& cell = row[TextIndex(col)];

  if (col == kColRxFrequency || col == kColTxFrequency) {
    if (editorText.empty()) {
      if (col == kColRxFrequency) {
        for (auto& s : row) s.clear();  // a channel exists only with an Rx frequency
      } else {
        cell.clear();  // a channel may have no Tx frequency
      }
      return {};
    }
    ConvertedFrequency f = ConvertFrequency(editorText);
    if (const auto message = CheckFrequency(f, band)) {
      // A refused frequency changes nothing: the row keeps its channel (or
      // stays empty) and the cell its old text, so a typo loses no data.
      return {message, true};
    }
    if (col == kColRxFrequency) {
      if (hadRx) {
        cell = std::move(f.text);
      } else {
        row = NewChannelTexts(f.text, lang);
      }
    } else {
      // No Tx frequency without an Rx frequency.
      if (hadRx) {
        cell = std::move(f.text);
      } else {
        cell.clear();
      }
    }
    return {};
  }

  // An empty channel takes no attribute.
  if (!hadRx && !hadTx) {
    cell.clear();
  } else {
    cell = editorText;
  }
  return {};
}

CommitResult CommitCell(TextGrid& grid, int gridRow, int col, std::string_view editorText, const BandLimits& band,
                        DisplayLanguage lang) {
  ChannelTexts before;
  for (int c = kColRxFrequency; c <= kColName; ++c) before[TextIndex(c)] = grid.TextMatrix(gridRow, c);
  ChannelTexts after = before;
  const CommitResult result = CommitCell(after, col, editorText, band, lang);
  for (int c = kColRxFrequency; c <= kColName; ++c) {
    if (after[TextIndex(c)] != before[TextIndex(c)]) grid.SetTextMatrix(gridRow, c, after[TextIndex(c)]);
  }
  return result;
}

}  // namespace torvan
