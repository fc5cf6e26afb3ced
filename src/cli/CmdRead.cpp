// torvan-cli read --port PORT -o OUT.dat: reads the radio's whole memory.

#include <iostream>

#include "cli/CliCommand.h"
#include "cli/CliTransfer.h"
#include "core/files/WritableTarget.h"
#include "core/radio/DatFile.h"

namespace torvan::cli {
namespace {

int RunRead(const std::vector<std::string>& argv) {
  const Args args(argv, {"--port", "-o", "--trace", "--retries"}, {});
  if (!args.ok()) return UsageError("read", args.error());
  if (!args.positionals().empty()) return UsageError("read", "unexpected argument \"" + args.positionals()[0] + "\"");
  TransferOptions options;
  std::string error;
  if (!ReadTransferOptions(args, options, error)) return UsageError("read", error);
  const auto out = args.value("-o");
  if (!out || out->empty()) return UsageError("read", "-o OUT.dat is required");
  // The radio's memory must have somewhere to go before it is read.
  for (const auto& file : {std::optional<std::string>(*out), options.tracePath}) {
    if (!file) continue;
    if (const Status s = CheckWritableTarget(*file); !s.ok()) return Fail(s.error());
  }

  TraceLog trace(options.tracePath);
  RadioImage image;
  const CloneResult result = RunTransfer(CloneDirection::Read, image, options, trace);
  // The trace is most useful when something failed: it is written either way.
  const std::string traceError = trace.Save();
  if (!result.ok() && !traceError.empty()) std::cerr << "torvan-cli: " << OneLine(traceError) << '\n';
  if (!result.ok()) {
    // Nothing is written: a broken-off read is not a radio image.
    if (result.outcome == CloneOutcome::Cancelled) return Fail("read cancelled; " + *out + " was not written");
    return Fail(FailureText(result));
  }
  const Status saved = SaveDat(*out, image);
  if (!saved.ok()) return Fail(saved.error());
  if (!traceError.empty()) return Fail(traceError);
  return kExitOk;
}

TORVAN_CLI_COMMAND(CommandInfo{"read", "read --port PORT -o OUT.dat [--trace LOG] [--retries N]",
                               "read the radio's memory into OUT.dat (written only after a complete read)", RunRead,
                               70});

}  // namespace
}  // namespace torvan::cli
