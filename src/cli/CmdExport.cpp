// torvan-cli export IN.dat [-o OUT.csv] [--lang English|Chinese]: the channel
// table as CSV, on standard output or into a file.

#include <iostream>

#include "CliCommand.h"
#include "CliFiles.h"
#include "LanguageOption.h"
#include "core/channels/CsvExchange.h"
#include "core/radio/ChannelCodec.h"
#include "core/radio/DatFile.h"

namespace torvan::cli {
namespace {

constexpr const char* kVerb = "export";

int RunExport(const std::vector<std::string>& argv) {
  const Args args(argv, {"-o", kLanguageOption}, {});
  if (!args.ok()) return UsageError(kVerb, args.error());
  if (args.positionals().size() != 1) return UsageError(kVerb, "expected one image file (IN.dat)");
  DisplayLanguage lang;
  if (std::string error; !ReadLanguageOption(args, lang, error)) return UsageError(kVerb, error);

  const NamedFile in = InputNamed("IN.dat", args.positionals()[0]);
  std::optional<NamedFile> out;
  if (const auto o = args.value("-o")) out = OutputNamed("-o", *o);
  if (out) {
    if (const std::string overlap = OverlapError({*out}, {in}); !overlap.empty()) return UsageError(kVerb, overlap);
  }

  RadioImage image;
  if (const Status s = LoadDat(in.path, image); !s) return Fail(s.error());
  MemoryTextGrid grid;
  DecodeImage(image, grid, lang);
  const std::string csv = ExportCsv(grid);

  if (out) {
    const Status s = WriteOutput(*out, csv);
    return s.ok() ? kExitOk : Fail(s.error());
  }
  std::cout << csv;
  std::cout.flush();
  if (!std::cout) return Fail("cannot write the CSV to standard output");
  return kExitOk;
}

TORVAN_CLI_COMMAND(CommandInfo{kVerb, "export IN.dat [-o OUT.csv] [--lang English|Chinese]",
                               "write the channel table as CSV (standard output without -o; English words unless "
                               "--lang Chinese)",
                               RunExport, 30});

}  // namespace
}  // namespace torvan::cli
