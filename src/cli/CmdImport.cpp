// torvan-cli import IN.dat IN.csv -o OUT.dat [--skip-bad]: applies a channel
// list (our own CSV or the chirp format, recognised by its header) to the
// channels of an image with the checks of typing them into the grid, then
// writes the encoded image. Any bad line: nothing is written, unless
// --skip-bad, which names each bad line on stderr and imports the rest.

#include <iostream>

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "core/channels/ChannelListImport.h"
#include "core/channels/CsvExchange.h"
#include "core/channels/ImageDiff.h"
#include "core/files/InputFile.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/DatFile.h"

namespace torvan::cli {
namespace {

constexpr const char* kVerb = "import";
constexpr const char* kSkipBad = "--skip-bad";

std::string Count(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

int RunImport(const std::vector<std::string>& argv) {
  const Args args(argv, {"-o"}, {kSkipBad});
  if (!args.ok()) return UsageError(kVerb, args.error());
  if (args.positionals().size() != 2) return UsageError(kVerb, "expected an image file and a CSV file");
  const auto outText = args.value("-o");
  if (!outText) return UsageError(kVerb, "the output image needs -o OUT.dat");
  const bool skipBad = args.flag(kSkipBad);
  const NamedFile dat = InputNamed("IN.dat", args.positionals()[0]);
  const NamedFile csvFile = InputNamed("IN.csv", args.positionals()[1]);
  const NamedFile out = OutputNamed("-o", *outText);
  // Writing the result over IN.dat updates an image in place (it is read
  // whole first); over the CSV it would destroy the lines being applied.
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
  ChannelListPlan plan;
  if (const Status s = PlanChannelListImport(csv, grid, band, DisplayLanguage::English, plan); !s) {
    return Fail(csvPath + ": " + s.error());
  }
  if (!plan.refused.empty() && !skipBad) {
    const std::size_t more = plan.refused.size() - 1;
    return Fail(csvPath + ": " + plan.refused.front().Message() + " (" +
                (more ? "and " + Count(more, "more line", "more lines") + "; " : std::string()) + kSkipBad +
                " imports the rest)");
  }
  for (const LineRemark& r : plan.refused) std::cerr << "torvan-cli: " << OneLine(csvPath + ": " + r.Message()) << " (skipped)\n";
  for (const LineRemark& n : plan.notes) std::cerr << "torvan-cli: " << OneLine(csvPath + ": " + n.Message()) << '\n';

  ApplyChannelListPlan(plan, grid);
  const RadioImage before = image;
  EncodeImage(grid, band, image);
  if (const Status s = WriteOutput(out, std::span<const std::uint8_t>(image.data(), kImageSize)); !s) {
    return Fail(s.error());
  }
  // What changed is what the radio will see: channels whose bytes differ.
  const std::size_t changed = ChannelsWithChangedBytes(before, image).size();
  // With the image on standard output the summary goes to stderr.
  std::ostream& report = out.standardOutput ? std::cerr : std::cout;
  report << "read " << Count(static_cast<std::size_t>(plan.lines), "channel line", "channel lines");
  if (!plan.refused.empty()) report << ", skipped " << plan.refused.size();
  report << ", changed " << Count(changed, "channel", "channels") << ", wrote "
         << (out.standardOutput ? std::string("standard output") : out.text) << '\n';
  return kExitOk;
}

TORVAN_CLI_COMMAND(CommandInfo{kVerb, "import IN.dat IN.csv -o OUT.dat [--skip-bad]",
                               "apply a channel list (our CSV or the chirp format, told by its header) to the channels, "
                               "each line checked as if typed into the grid, and write the image; any bad line: "
                               "nothing is written, unless --skip-bad imports the rest",
                               RunImport, 40});

}  // namespace
}  // namespace torvan::cli
