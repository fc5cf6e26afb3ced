// torvan-cli import IN.dat IN.csv -o OUT.dat: applies CSV rows to the channels
// of an image with the checks of typing them into the grid, then writes the
// encoded image. Any bad row: nothing is written.

#include <iostream>

#include "cli/CliCommand.h"
#include "core/channels/CsvExchange.h"
#include "core/files/AtomicFile.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/DatFile.h"

namespace torvan::cli {
namespace {

constexpr const char* kVerb = "import";

int RunImport(const std::vector<std::string>& argv) {
  const Args args(argv, {"-o"}, {});
  if (!args.ok()) return UsageError(kVerb, args.error());
  if (args.positionals().size() != 2) return UsageError(kVerb, "expected an image file and a CSV file");
  const auto out = args.value("-o");
  if (!out) return UsageError(kVerb, "the output image needs -o OUT.dat");
  const std::string& datPath = args.positionals()[0];
  const std::string& csvPath = args.positionals()[1];

  RadioImage image;
  if (const Status s = LoadDat(datPath, image); !s) return Fail(s.error());
  std::string csv;
  if (const Status s = ReadWholeFile(csvPath, csv, kMaxCsvBytes); !s) return Fail(s.error());

  // The words of new-channel defaults do not reach the image: the encode
  // reads both languages alike.
  MemoryTextGrid grid;
  const BandLimits band = DecodeImage(image, grid, DisplayLanguage::English);
  CsvImportSummary summary;
  if (const Status s = ImportCsv(csv, grid, band, DisplayLanguage::English, &summary); !s) {
    return Fail(csvPath + ": " + s.error());
  }
  EncodeImage(grid, band, image);
  if (const Status s = SaveDat(*out, image); !s) return Fail(s.error());
  std::cout << "read " << summary.rows << (summary.rows == 1 ? " channel line" : " channel lines") << ", changed "
            << summary.channelsChanged << (summary.channelsChanged == 1 ? " channel" : " channels") << ", wrote "
            << *out << '\n';
  return kExitOk;
}

TORVAN_CLI_COMMAND(CommandInfo{kVerb, "import IN.dat IN.csv -o OUT.dat",
                               "apply CSV rows to the channels (checked as if typed into the grid) and write the "
                               "image; any bad row: nothing is written",
                               RunImport, 40});

}  // namespace
}  // namespace torvan::cli
