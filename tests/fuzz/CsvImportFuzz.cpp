// CSV import with any text, into a grid decoded from a new-document image
// with a few channels and a few damaged bytes.
//
// Input: the band, the grid's language, a few channels and byte patches of
// the image, then the CSV text (the rest).
// Promises checked:
//  - a refused import leaves every cell as it was;
//  - an accepted import changes only rows 1..200, columns 1..9, and every
//    cell it changed holds a value the image keeps: encoded into the image
//    and decoded again it means the same (same frequency, tone, word, name);
//  - the grid after an import exports to CSV that imports back changing nothing.

#include <array>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "core/channels/CellRules.h"
#include "core/channels/CsvExchange.h"
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

  CsvImportSummary summary;
  const Status s = ImportCsv(csv, grid, decodedBand, lang, &summary);
  const Grid after = Snapshot(grid);
  if (!s.ok()) {
    FUZZ_CHECK(after == before, "a refused import changed the grid: " + s.error());
    FUZZ_CHECK(s.error().size() < 1000, "an error longer than a line: " + s.error().substr(0, 200));
    return 0;
  }
  FUZZ_CHECK(summary.rows >= 0 && summary.rows <= map::kChannelCount, std::to_string(summary.rows));

  // What the import put into cells survives the image.
  RadioImage stored = image;
  EncodeImage(grid, decodedBand, stored);
  MemoryTextGrid reread;
  DecodeImage(stored, reread, lang);
  int changedChannels = 0;
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
    if (rowChanged) ++changedChannels;
  }
  FUZZ_CHECK(changedChannels == summary.channelsChanged,
             std::to_string(changedChannels) + " rows changed, the summary says " +
                 std::to_string(summary.channelsChanged));

  // The grid as it now stands exports and imports back unchanged.
  const std::string exported = ExportCsv(grid);
  CsvImportSummary again;
  const Status back = ImportCsv(exported, grid, decodedBand, lang, &again);
  FUZZ_CHECK(back.ok(), "the export of an imported grid does not import: " + back.error());
  FUZZ_CHECK(again.channelsChanged == 0 && Snapshot(grid) == after, "the export of an imported grid changes it");
  return 0;
}
