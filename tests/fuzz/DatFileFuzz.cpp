// A .dat file of any 0..20000 bytes: opened as the program opens it, decoded
// into the grid in both languages, exported as CSV, saved again.
//
// Promises checked:
//  - a file shorter than 8192 bytes is refused and the image stays as it
//    was; a longer one gives its first 8192 bytes;
//  - decoding never fails, and the window caption can be made from any band;
//  - the CSV export is UTF-8 with the header and 200 lines, and imports back
//    into the same grid without an error and without changing a cell;
//  - a file saved by the program, opened and saved again, is byte for byte
//    the same (encode after decode is stable from the second round on).

#include <algorithm>
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "core/channels/CsvExchange.h"
#include "core/files/AtomicFile.h"
#include "core/files/CsvReader.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/DatFile.h"
#include "core/product/MainWindowCaption.h"

namespace {

using namespace torvan;

constexpr std::size_t kMaxFileBytes = 20000;
constexpr std::uint8_t kUntouched = 0xA5;  // the image's bytes before a refused load

torvan::fuzz::ScratchFolder& Folder() {
  static torvan::fuzz::ScratchFolder folder;
  return folder;
}

std::string FirstDifference(const RadioImage& a, const RadioImage& b) {
  for (std::size_t i = 0; i < kImageSize; ++i) {
    if (a[i] != b[i]) return "first difference at " + std::to_string(i);
  }
  return "no difference";
}

void CheckCsv(const RadioImage& image, DisplayLanguage lang) {
  MemoryTextGrid grid;
  const BandLimits band = DecodeImage(image, grid, lang);
  (void)MainWindowCaption("Torvan", "type", band, lang);

  const std::string csv = ExportCsv(grid);
  FUZZ_CHECK(FindInvalidUtf8(csv) == std::string::npos, "the export is not UTF-8");
  std::vector<CsvRecord> records;
  const Status read = ReadCsvRecords(csv, records, kMaxCsvLineBytes);
  FUZZ_CHECK(read.ok(), read.error());
  FUZZ_CHECK(records.size() == 1 + map::kChannelCount, std::to_string(records.size()) + " records");

  MemoryTextGrid same;
  DecodeImage(image, same, lang);
  CsvImportSummary summary;
  const Status imported = ImportCsv(csv, same, band, lang, &summary);
  FUZZ_CHECK(imported.ok(), "the export does not import back: " + imported.error());
  FUZZ_CHECK(summary.channelsChanged == 0, std::to_string(summary.channelsChanged) + " channels changed");
  for (int r = 1; r < kGridRows; ++r) {
    for (int c = 1; c < kGridCols; ++c) {
      FUZZ_CHECK(same.TextMatrix(r, c) == grid.TextMatrix(r, c), "cell " + std::to_string(r) + "/" + std::to_string(c));
    }
  }
}

// Open, decode, encode: what a save after an open writes.
RadioImage OpenAndSave(const RadioImage& opened, DisplayLanguage lang) {
  MemoryTextGrid grid;
  const BandLimits band = DecodeImage(opened, grid, lang);
  RadioImage saved = opened;
  EncodeImage(grid, band, saved);
  return saved;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > kMaxFileBytes) return -1;  // not worth keeping: outside the range
  const std::string path = Folder().file("in.dat");
  const Status written = WriteFileAtomically(path, std::span<const std::uint8_t>(data, size));
  FUZZ_CHECK(written.ok(), written.error());

  RadioImage::Bytes untouched;
  untouched.fill(kUntouched);
  RadioImage image(untouched);
  const DatLoad loaded = LoadDat(path, image);
  const DatFileKind kind =
      size < kImageSize ? DatFileKind::TooShort : size > kImageSize ? DatFileKind::TooLong : DatFileKind::Complete;
  FUZZ_CHECK(loaded.kind == kind && loaded.bytes == size && loaded.bytesExact,
             "a file of " + std::to_string(size) + " bytes loaded as kind " +
                 std::to_string(static_cast<int>(loaded.kind)) + " of " + std::to_string(loaded.bytes) + " bytes");
  if (size < kImageSize) {
    FUZZ_CHECK(!loaded.ok(), "a file of " + std::to_string(size) + " bytes was accepted");
    FUZZ_CHECK(image == RadioImage(untouched), "a refused file changed the image");
    return 0;
  }
  FUZZ_CHECK(loaded.ok(), loaded.error());
  FUZZ_CHECK(std::equal(image.data(), image.data() + kImageSize, data), "the image is not the file's first 8192 bytes");

  for (const DisplayLanguage lang : {DisplayLanguage::English, DisplayLanguage::Chinese}) {
    CheckCsv(image, lang);
    const RadioImage first = OpenAndSave(image, lang);
    const RadioImage second = OpenAndSave(first, lang);
    FUZZ_CHECK(second == first, "saved, opened and saved again: " + FirstDifference(first, second));
  }
  // The grid's language does not reach the file.
  const RadioImage english = OpenAndSave(image, DisplayLanguage::English);
  const RadioImage chinese = OpenAndSave(image, DisplayLanguage::Chinese);
  FUZZ_CHECK(english == chinese, "saved from an English and a Chinese grid: " + FirstDifference(english, chinese));

  // Saved through the program's own path and opened again: the same bytes.
  const std::string out = Folder().file("out.dat");
  FUZZ_CHECK(SaveDat(out, image).ok(), out);
  RadioImage reopened;
  FUZZ_CHECK(LoadDat(out, reopened).ok(), out);
  FUZZ_CHECK(reopened == image, FirstDifference(image, reopened));
  return 0;
}
