// torvan-cli import IN.dat IN.csv -o OUT.dat: applies CSV rows to the channels
// of an image with the checks of typing them into the grid, then writes the
// encoded image. Any bad row: nothing is written.

#include <iostream>

#include "CliCommand.h"
#include "CliFiles.h"
#include "core/channels/CsvExchange.h"
#include "core/files/InputFile.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/DatFile.h"

namespace torvan::cli {
namespace {

constexpr const char* kVerb = "import";

int RunImport(const std::vector<std::string>& argv) {
  const Args args(argv, {"-o"}, {});
  if (!args.ok()) return UsageError(kVerb, args.error());
  if (args.positionals().size() != 2) return UsageError(kVerb, "expected an image file and a CSV file");
  const auto outText = args.value("-o");
  if (!outText) return UsageError(kVerb, "the output image needs -o OUT.dat");
  const NamedFile dat = InputNamed("IN.dat", args.positionals()[0]);
  const NamedFile csvFile = InputNamed("IN.csv", args.positionals()[1]);
  const NamedFile out = OutputNamed("-o", *outText);
  // Writing the result over IN.dat updates an image in place (it is read
  // whole first); over the CSV it would destroy the rows being applied.
  if (const std::string overlap = OverlapError({out}, {csvFile}); !overlap.empty()) return UsageError(kVerb, overlap);
  const std::string& csvPath = csvFile.text;

  RadioImage image;
  if (const Status s = LoadDat(dat.path, image); !s) return Fail(s.error());
  const Result<std::string> csvText = ReadWholeFile(csvFile.path, kMaxCsvBytes);
  if (!csvText) return Fail(csvText.error());
  const std::string& csv = csvText.value();

  // The words of new-channel defaults do not reach the image: the encode
  // reads both languages alike.
  MemoryTextGrid grid;
  const BandLimits band = DecodeImage(image, grid, DisplayLanguage::English);
  CsvImportSummary summary;
  if (const Status s = ImportCsv(csv, grid, band, DisplayLanguage::English, &summary); !s) {
    return Fail(csvPath + ": " + s.error());
  }
  EncodeImage(grid, band, image);
  if (const Status s = WriteOutput(out, std::span<const std::uint8_t>(image.data(), kImageSize)); !s) {
    return Fail(s.error());
  }
  // With the image on standard output the summary goes to stderr.
  std::ostream& report = out.standardOutput ? std::cerr : std::cout;
  report << "read " << summary.rows << (summary.rows == 1 ? " channel line" : " channel lines") << ", changed "
            << summary.channelsChanged << (summary.channelsChanged == 1 ? " channel" : " channels") << ", wrote "
            << (out.standardOutput ? std::string("standard output") : out.text) << '\n';
  return kExitOk;
}

TORVAN_CLI_COMMAND(CommandInfo{kVerb, "import IN.dat IN.csv -o OUT.dat",
                               "apply CSV rows to the channels (checked as if typed into the grid) and write the "
                               "image; any bad row: nothing is written",
                               RunImport, 40});

}  // namespace
}  // namespace torvan::cli
