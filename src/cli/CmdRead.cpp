// torvan-cli read --port PORT -o OUT.dat: reads the radio's whole memory.

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "cli/CliTransfer.h"

namespace torvan::cli {
namespace {

constexpr const char* kVerb = "read";

int RunRead(const std::vector<std::string>& argv) {
  const Args args(argv, {"--port", "-o", "--trace", "--retries"}, {});
  if (!args.ok()) return UsageError(kVerb, args.error());
  if (!args.positionals().empty()) return UsageError(kVerb, "unexpected argument \"" + args.positionals()[0] + "\"");
  TransferOptions options;
  std::string error;
  if (!ReadTransferOptions(args, options, error)) return UsageError(kVerb, error);
  const auto outText = args.value("-o");
  if (!outText || outText->empty()) return UsageError(kVerb, "-o OUT.dat is required");
  const NamedFile out = OutputNamed("-o", *outText);
  std::vector<NamedFile> outputs = {out};
  if (options.trace) outputs.push_back(*options.trace);
  if (const std::string overlap = OverlapError(outputs, {}); !overlap.empty()) return UsageError(kVerb, overlap);
  // The radio's memory must have somewhere to go before it is read.
  for (const NamedFile& file : outputs) {
    if (const Status s = CheckOutput(file); !s.ok()) return Fail(s.error());
  }

  const InterruptGuard interrupts;
  TraceLog trace(options.trace);
  RadioImage image;
  const CloneResult result = RunTransfer(CloneDirection::Read, image, options, trace);
  // The trace is most useful when something failed: it is written either way.
  trace.SaveOrWarn();
  if (!result.ok()) {
    // Nothing is written: a broken-off read is not a radio image.
    if (result.outcome == CloneOutcome::Cancelled) {
      return Fail("read cancelled; " + (out.standardOutput ? std::string("nothing was written") : out.text + " was not written"));
    }
    return Fail(FailureText(result));
  }
  if (const Status saved = WriteOutput(out, std::span<const std::uint8_t>(image.data(), kImageSize)); !saved.ok()) {
    return Fail(saved.error());
  }
  return kExitOk;
}

TORVAN_CLI_COMMAND(CommandInfo{kVerb, "read --port PORT -o OUT.dat [--trace LOG] [--retries N]",
                               "read the radio's memory into OUT.dat (written only after a complete read; - for "
                               "standard output)",
                               RunRead, 70});

}  // namespace
}  // namespace torvan::cli
