// torvan-cli export IN.dat [-o OUT.csv] [--lang English|Chinese]: the channel
// table as CSV, on standard output or into a file.

#include <iostream>

#include "cli/CliCommand.h"
#include "cli/LanguageOption.h"
#include "core/channels/CsvExchange.h"
#include "core/files/AtomicFile.h"
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

  RadioImage image;
  if (const Status s = LoadDat(args.positionals()[0], image); !s) return Fail(s.error());
  MemoryTextGrid grid;
  DecodeImage(image, grid, lang);
  const std::string csv = ExportCsv(grid);

  if (const auto out = args.value("-o")) {
    const Status s = WriteFileAtomically(*out, csv);
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
