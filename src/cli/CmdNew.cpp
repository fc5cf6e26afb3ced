// torvan-cli new OUT.dat: writes the image of a new document.

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "core/radio/RadioImage.h"

namespace torvan::cli {
namespace {

int RunNew(const std::vector<std::string>& argv) {
  const Args args(argv, {}, {});
  if (!args.ok()) return UsageError("new", args.error());
  if (args.positionals().size() != 1) return UsageError("new", "expected one output file");
  const RadioImage image = RadioImage::NewDocument();
  const Status s = WriteOutput(OutputNamed("OUT.dat", args.positionals()[0]),
                               std::span<const std::uint8_t>(image.data(), kImageSize));
  return s.ok() ? kExitOk : Fail(s.error());
}

TORVAN_CLI_COMMAND(CommandInfo{"new", "new OUT.dat",
                               "write the image of a new document (8192 bytes; - for standard output)", RunNew, 10});

}  // namespace
}  // namespace torvan::cli
