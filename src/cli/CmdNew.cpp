// torvan-cli new OUT.dat: writes the image of a new document.

#include "cli/CliCommand.h"
#include "core/radio/DatFile.h"

namespace torvan::cli {
namespace {

int RunNew(const std::vector<std::string>& argv) {
  const Args args(argv, {}, {});
  if (!args.ok()) return UsageError("new", args.error());
  if (args.positionals().size() != 1) return UsageError("new", "expected one output file");
  const Status s = SaveDat(args.positionals()[0], RadioImage::NewDocument());
  return s.ok() ? kExitOk : Fail(s.error());
}

TORVAN_CLI_COMMAND(CommandInfo{"new", "new OUT.dat", "write the image of a new document (8192 bytes)", RunNew, 10});

}  // namespace
}  // namespace torvan::cli
