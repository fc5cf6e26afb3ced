// torvan-cli import IN.dat IN.csv -o OUT.dat [--skip-bad]: applies a channel
// list (our own CSV or the chirp format, recognised by its header) to the
// channels of an image with the checks of typing them into the grid, then
// writes the encoded image. Any bad line: nothing is written, unless
// --skip-bad, which names each bad line on stderr and imports the rest.

#include <iostream>

#include "cli/CliCommand.h"
#include "core/channels/ChannelListImport.h"
#include "core/channels/CsvExchange.h"
#include "core/channels/ImageDiff.h"
#include "core/files/AtomicFile.h"
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
  const auto out = args.value("-o");
  if (!out) return UsageError(kVerb, "the output image needs -o OUT.dat");
  const bool skipBad = args.flag(kSkipBad);
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
  if (const Status s = SaveDat(*out, image); !s) return Fail(s.error());
  // What changed is what the radio will see: channels whose bytes differ.
  const std::size_t changed = ChannelsWithChangedBytes(before, image).size();
  std::cout << "read " << Count(static_cast<std::size_t>(plan.lines), "channel line", "channel lines");
  if (!plan.refused.empty()) std::cout << ", skipped " << plan.refused.size();
  std::cout << ", changed " << Count(changed, "channel", "channels") << ", wrote " << *out << '\n';
  return kExitOk;
}

TORVAN_CLI_COMMAND(CommandInfo{kVerb, "import IN.dat IN.csv -o OUT.dat [--skip-bad]",
                               "apply a channel list (our CSV or the chirp format, told by its header) to the channels, "
                               "each line checked as if typed into the grid, and write the image; any bad line: "
                               "nothing is written, unless --skip-bad imports the rest",
                               RunImport, 40});

}  // namespace
}  // namespace torvan::cli
