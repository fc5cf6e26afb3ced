// torvan-cli write --port PORT IN.dat [--verify]: writes an image to the radio.

#include <cstdio>
#include <iostream>

#include "cli/CliCommand.h"
#include "cli/CliTransfer.h"
#include "core/files/WritableTarget.h"
#include "core/radio/DatFile.h"

namespace torvan::cli {
namespace {

std::string Hex(unsigned v, int digits) {
  char buf[12];
  std::snprintf(buf, sizeof buf, "0x%0*X", digits, v);
  return buf;
}

// The write session, then the read-back when asked for.
int WriteAndVerify(RadioImage& image, const RadioImage& sent, const std::string& in, bool verify,
                   const TransferOptions& options, TraceLog& trace) {
  const CloneResult result = RunTransfer(CloneDirection::Write, image, options, trace);
  if (!result.ok()) {
    if (result.outcome == CloneOutcome::Cancelled) {
      return Fail("write cancelled; the radio may hold a partly written memory: write again");
    }
    return Fail(FailureText(result));
  }
  if (!verify) return kExitOk;

  RadioImage back;
  const CloneResult check = RunTransfer(CloneDirection::Read, back, options, trace);
  if (!check.ok()) {
    if (check.outcome == CloneOutcome::Cancelled) return Fail("write done, verify cancelled");
    return Fail("verify: " + FailureText(check));
  }
  // The radio keeps its own bytes after 0x1FF2: they are never written.
  for (std::size_t a = 0; a < map::kFinalWriteBlock + map::kFinalWriteSize; ++a) {
    if (back[a] != sent[a]) {
      return Fail("verify failed at " + Hex(static_cast<unsigned>(a), 4) + ": the radio holds " + Hex(back[a], 2) +
                  ", " + in + " has " + Hex(sent[a], 2));
    }
  }
  return kExitOk;
}

int RunWrite(const std::vector<std::string>& argv) {
  const Args args(argv, {"--port", "--trace", "--retries"}, {"--verify"});
  if (!args.ok()) return UsageError("write", args.error());
  TransferOptions options;
  std::string error;
  if (!ReadTransferOptions(args, options, error)) return UsageError("write", error);
  if (args.positionals().size() != 1) return UsageError("write", "expected one input file");
  const std::string& in = args.positionals()[0];

  RadioImage image;
  if (const Status s = LoadDat(in, image); !s.ok()) return Fail(s.error());
  // A trace that cannot be kept fails the command: find out before the radio is touched.
  if (options.tracePath) {
    if (const Status s = CheckWritableTarget(*options.tracePath); !s.ok()) return Fail(s.error());
  }
  // The image goes out as it is: the command line has no grid to encode.
  const RadioImage sent = image;

  TraceLog trace(options.tracePath);
  const int status = WriteAndVerify(image, sent, in, args.flag("--verify"), options, trace);
  // The trace is most useful when something failed: it is written either way.
  const std::string traceError = trace.Save();
  if (traceError.empty()) return status;
  if (status == kExitOk) return Fail(traceError);
  std::cerr << "torvan-cli: " << OneLine(traceError) << '\n';
  return status;
}

TORVAN_CLI_COMMAND(CommandInfo{"write", "write --port PORT IN.dat [--trace LOG] [--retries N] [--verify]",
                               "write IN.dat to the radio; --verify reads it back and compares 0x0000-0x1FF2",
                               RunWrite, 71});

}  // namespace
}  // namespace torvan::cli
