// Channel list import with any text (our own CSV or the chirp format, told by
// the header), into a grid decoded from a new-document image with a few
// channels and a few damaged bytes.
//
// Input: the band, the grid's language, a few channels and byte patches of
// the image, then the CSV text (the rest).
// Promises checked:
//  - the grid as decoded, unchanged, encodes back to the image's own bytes;
//  - a refused import leaves every cell as it was;
//  - an accepted import changes only rows 1..200, columns 1..9, and every
//    cell it changed holds a value the image keeps: encoded into the image
//    and decoded again it means the same (same frequency, tone, word, name);
//  - the plan agrees with the import: no refused line exactly when the import
//    is accepted; its accepted lines alone (what --skip-bad applies) keep the
//    same promises;
//  - the grid after an import exports, in either format, to a list that
//    imports back changing nothing.

#include <array>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "core/channels/CellRules.h"
#include "core/channels/ChannelListImport.h"
#include "core/channels/CsvExchange.h"
#include "core/channels/ImageDiff.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/RadioImage.h"

namespace {

using namespace torvan;
using torvan::fuzz::ByteReader;
using torvan::fuzz::Escaped;

constexpr unsigned kMaxChannels = 8;
constexpr unsigned kMaxPatches = 4;

constexpr BandLimits kBands[] = {{400, 420}, {400, 470}, {136, 174}, {0, 999}, {145, 146}, {999, 999}};
// Frequencies for the channels the input asks for (some outside a band on purpose).
constexpr const char* kFrequencies[] = {"400.00000", "410.12500", "145.50000", "136.00625", "174.00000",
                                        "999.00000", "0.00250",   "470.00000"};

using Grid = std::array<std::array<std::string, kGridCols>, kGridRows>;

Grid Snapshot(const TextGrid& grid) {
  Grid g;
  for (int r = 0; r < kGridRows; ++r) {
    for (int c = 0; c < kGridCols; ++c) g[r][c] = grid.TextMatrix(r, c);
  }
  return g;
}

// What a cell means for the image: equal meanings encode to equal bytes.
std::string Meaning(int col, const std::string& text) {
  std::uint8_t b[4] = {};
  switch (col) {
    case kColRxFrequency:
    case kColTxFrequency:
      EncodeFrequencyText(text, b);
      return std::string(reinterpret_cast<const char*>(b), 4);
    case kColRxTone:
    case kColTxTone:
      EncodeToneText(text, b[0], b[1]);
      return std::string(reinterpret_cast<const char*>(b), 2);
    case kColName:
      return text;
    default:
      for (const Text t : {Text::High, Text::Low, Text::Lock, Text::Unlock, Text::Yes, Text::No, Text::Wide,
                           Text::Narrow}) {
        if (IsTextInEitherLanguage(text, t)) return "word " + std::to_string(static_cast<int>(t));
      }
      return "not a word: " + text;
  }
}

// An import left `grid` (decoded from `image` as `before`): every cell it
// changed survives the image, `changedChannels` rows changed, and the grid
// exports in either format to a list that imports back changing nothing.
void CheckImported(const RadioImage& image, const BandLimits& band, DisplayLanguage lang, const Grid& before,
                   MemoryTextGrid& grid, int changedChannels) {
  const Grid after = Snapshot(grid);
  RadioImage stored = image;
  EncodeImage(grid, band, stored);
  MemoryTextGrid reread;
  DecodeImage(stored, reread, lang);
  int rowsChanged = 0;
  for (int r = 0; r < kGridRows; ++r) {
    bool rowChanged = false;
    for (int c = 0; c < kGridCols; ++c) {
      if (after[r][c] == before[r][c]) continue;
      rowChanged = true;
      FUZZ_CHECK(r >= 1 && c >= 1, "the import changed a header or label cell");
      const std::string back = reread.TextMatrix(r, c);
      FUZZ_CHECK(Meaning(c, after[r][c]) == Meaning(c, back),
                 "row " + std::to_string(r) + " column " + std::to_string(c) + ": imported \"" + Escaped(after[r][c]) +
                     "\", the image gives back \"" + Escaped(back) + "\"");
    }
    if (rowChanged) ++rowsChanged;
  }
  FUZZ_CHECK(rowsChanged == changedChannels,
             std::to_string(rowsChanged) + " rows changed, the summary says " + std::to_string(changedChannels));
  // Channels whose texts did not change keep their bytes.
  for (int n : ChannelsWithChangedBytes(image, stored)) {
    FUZZ_CHECK(after[static_cast<std::size_t>(RowOfChannel(n))] != before[static_cast<std::size_t>(RowOfChannel(n))],
               "channel " + std::to_string(n) + " changed its bytes though no text of it changed");
  }

  for (const ChannelListFormat format : {ChannelListFormat::Torvan, ChannelListFormat::Chirp}) {
    const std::string exported = ExportChannelList(format, grid, stored);
    ChannelListPlan again;
    const Status back = PlanChannelListImport(exported, grid, band, lang, again);
    const std::string name(ChannelListFormatName(format));
    FUZZ_CHECK(back.ok(), "the " + name + " export of an imported grid does not import: " + back.error());
    FUZZ_CHECK(again.format == format, "the " + name + " export is not recognised as such");
    FUZZ_CHECK(again.refused.empty(), "the " + name + " export of an imported grid is refused: " +
                                          (again.refused.empty() ? "" : again.refused[0].Message()));
    FUZZ_CHECK(again.changed.empty(), "the " + name + " export of an imported grid changes channel " +
                                          (again.changed.empty() ? "" : std::to_string(again.changed[0])));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  ByteReader in(data, size);
  const BandLimits band = kBands[in.Below(std::size(kBands) - 1)];
  const DisplayLanguage lang = in.Bit() ? DisplayLanguage::Chinese : DisplayLanguage::English;

  RadioImage image = RadioImage::NewDocument();
  band.Encode(image);
  const unsigned channels = in.Below(kMaxChannels);
  for (unsigned i = 0; i < channels; ++i) {
    const int channel = in.Byte() % map::kChannelCount;
    ChannelTexts texts = NewChannelTexts(kFrequencies[in.Below(std::size(kFrequencies) - 1)], lang);
    texts[TextIndex(kColName)] = in.Bit() ? "CH" + std::to_string(channel % 100) : "";
    EncodeChannel(texts, channel, image);
  }
  const unsigned patches = in.Below(kMaxPatches);
  for (unsigned i = 0; i < patches; ++i) {
    const std::size_t offset = in.Word() % kImageSize;
    image[offset] = in.Byte();
  }

  MemoryTextGrid grid;
  const BandLimits decodedBand = DecodeImage(image, grid, lang);
  const Grid before = Snapshot(grid);
  const std::string_view csv = in.Rest();

  RadioImage untouched = image;
  EncodeImage(grid, decodedBand, untouched);
  FUZZ_CHECK(untouched == image, "a grid nobody changed changed the image's bytes");

  ChannelListPlan plan;
  const Status planned = PlanChannelListImport(csv, grid, decodedBand, lang, plan);
  FUZZ_CHECK(Snapshot(grid) == before, "planning an import changed the grid");

  CsvImportSummary summary;
  const Status s = ImportCsv(csv, grid, decodedBand, lang, &summary);
  const Grid after = Snapshot(grid);
  FUZZ_CHECK(s.ok() == (planned.ok() && plan.refused.empty()),
             "the import and its plan disagree: " + s.error() + " / " + planned.error());
  if (planned.ok()) {
    for (const LineRemark& r : plan.refused) {
      FUZZ_CHECK(r.Message().size() < 1000, "a reason longer than a line: " + r.Message().substr(0, 200));
    }
    // What --skip-bad does: the accepted lines alone.
    MemoryTextGrid skipping;
    DecodeImage(image, skipping, lang);
    FUZZ_CHECK(ApplyChannelListPlan(plan, skipping) == static_cast<int>(plan.changed.size()), "plan count");
    CheckImported(image, decodedBand, lang, before, skipping, static_cast<int>(plan.changed.size()));
  }
  if (!s.ok()) {
    FUZZ_CHECK(after == before, "a refused import changed the grid: " + s.error());
    FUZZ_CHECK(s.error().size() < 1000, "an error longer than a line: " + s.error().substr(0, 200));
    return 0;
  }
  FUZZ_CHECK(summary.rows >= 0, std::to_string(summary.rows));
  CheckImported(image, decodedBand, lang, before, grid, summary.channelsChanged);
  return 0;
}
