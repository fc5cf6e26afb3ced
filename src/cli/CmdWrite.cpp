// torvan-cli write --port PORT IN.dat [--verify] [--force]: writes an image to
// the radio; with several --port options to each of the radios, all at once.

#include <cstdio>

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "cli/CliTransfer.h"
#include "cli/PortFleet.h"
#include "core/radio/DatFile.h"
#include "core/radio/RadioWriteCheck.h"

namespace torvan::cli {
namespace {

constexpr const char* kVerb = "write";
constexpr int kBlocksOfAWrite = static_cast<int>(map::kWriteBlocksEnd / map::kBlockSize) + 1;

std::string Hex(unsigned v, int digits) {
  char buf[12];
  std::snprintf(buf, sizeof buf, "0x%0*X", digits, v);
  return buf;
}

// What the radio holds after a write that was cancelled.
std::string CancelledWriteText(const CloneResult& result) {
  if (result.blocksSent == 0) return "write cancelled before any block was sent; the radio's memory was not changed";
  return "write cancelled after block " + Hex(result.lastBlockSent, 4) + " (" + std::to_string(result.blocksSent) +
         " of " + std::to_string(kBlocksOfAWrite) +
         " blocks sent); the radio holds a partly written memory: write again";
}

// The write session, then the read-back when asked for. What failed, or
// empty on success. `shownPort`: the port the line will begin with, left out
// of the failure's detail.
std::string WriteAndVerify(RadioImage& image, const RadioImage& sent, const std::string& in, bool verify,
                           const SessionSetup& setup, std::string_view shownPort) {
  const CloneResult result = RunTransfer(CloneDirection::Write, image, setup);
  if (!result.ok()) {
    return result.outcome == CloneOutcome::Cancelled ? CancelledWriteText(result) : FailureText(result, shownPort);
  }
  if (!verify) return {};

  RadioImage back;
  const CloneResult check = RunTransfer(CloneDirection::Read, back, setup);
  if (!check.ok()) {
    return check.outcome == CloneOutcome::Cancelled ? "write done, verify cancelled"
                                                    : "verify: " + FailureText(check, shownPort);
  }
  // The radio keeps its own bytes after 0x1FF2: they are never written.
  for (std::size_t a = 0; a < map::kFinalWriteBlock + map::kFinalWriteSize; ++a) {
    if (back[a] != sent[a]) {
      return "verify failed at " + Hex(static_cast<unsigned>(a), 4) + ": the radio holds " + Hex(back[a], 2) + ", " +
             in + " has " + Hex(sent[a], 2);
    }
  }
  return {};
}

// Writes `sent` to each port at once; one result line per port.
int WriteSeveralPorts(const TransferOptions& options, const RadioImage& sent, const NamedFile& in, bool verify) {
  std::vector<NamedFile> traces;
  if (options.trace) {
    for (const std::string& port : options.ports) traces.push_back(TraceOfPort(*options.trace, port));
  }
  if (const std::string overlap = OverlapError(traces, {in}); !overlap.empty()) return UsageError(kVerb, overlap);
  for (const NamedFile& file : traces) {
    if (const Status s = CheckOutput(file); !s.ok()) return Fail(s.error());
  }

  const InterruptGuard interrupts;
  return RunFleet(options.ports, [&](std::size_t index, const std::string& port, ProgressDisplay& display) {
    TraceLog trace(options.trace ? std::optional(traces[index]) : std::nullopt);
    RadioImage image = sent;
    const std::string failure =
        WriteAndVerify(image, sent, in.text, verify, {port, options.retries, &display, trace.trace()}, port);
    PortOutcome outcome;
    if (std::string warning = trace.SaveWarning(); !warning.empty()) outcome.warnings.push_back(std::move(warning));
    outcome.ok = failure.empty();
    outcome.result = outcome.ok ? (verify ? "written and verified" : "written") : failure;
    return outcome;
  });
}

int RunWrite(const std::vector<std::string>& argv) {
  const Args args(argv, {"--port", "--trace", "--retries"}, {"--verify", "--force"}, {"--port"});
  if (!args.ok()) return UsageError(kVerb, args.error());
  TransferOptions options;
  std::string error;
  if (!ReadTransferOptions(args, options, error)) return UsageError(kVerb, error);
  if (args.positionals().size() != 1) return UsageError(kVerb, "expected one input file");
  const NamedFile in = InputNamed("IN.dat", args.positionals()[0]);
  const bool oneTrace = options.trace && options.ports.size() == 1;
  if (oneTrace) {
    if (const std::string overlap = OverlapError({*options.trace}, {in}); !overlap.empty()) {
      return UsageError(kVerb, overlap);
    }
  }

  // Only a radio image goes to the radio: anything else would leave it with
  // a garbage band, type and channels. Refused before the port is opened.
  RadioImage image;
  const DatLoad loaded = LoadDat(in.path, image);
  if (!loaded.ok()) return Fail(loaded.error());
  if (const Status s = CheckImageForRadio(image, loaded, BandCheck::Skipped); !s.ok()) {
    return Fail(in.text + " is not written to the radio: " + s.error());
  }
  if (!args.flag("--force")) {
    if (const Status s = CheckImageForRadio(image, BandCheck::Required); !s.ok()) {
      return Fail(in.text + " is not written to the radio: " + s.error() + " (--force writes it all the same)");
    }
  }
  // The image goes out as it is: the command line has no grid to encode.
  const RadioImage sent = image;
  const bool verify = args.flag("--verify");
  if (options.ports.size() > 1) return WriteSeveralPorts(options, sent, in, verify);

  // A trace that cannot be kept: find out before the radio is touched.
  if (oneTrace) {
    if (const Status s = CheckOutput(*options.trace); !s.ok()) return Fail(s.error());
  }
  const InterruptGuard interrupts;
  TraceLog trace(options.trace);
  ProgressBar bar;
  const std::string failure = WriteAndVerify(image, sent, in.text, verify,
                                             {options.ports.front(), options.retries, &bar, trace.trace()}, {});
  // The trace is most useful when something failed: it is written either
  // way, and before the outcome, which stays the last line.
  trace.SaveOrWarn();
  return failure.empty() ? kExitOk : Fail(failure);
}

TORVAN_CLI_COMMAND(CommandInfo{kVerb,
                               "write --port PORT [--port PORT]... IN.dat [--trace LOG] [--retries N] [--verify] "
                               "[--force]",
                               "write IN.dat (an image of exactly 8192 bytes with a valid band) to the radio, or to "
                               "each radio at once; --verify reads it back and compares 0x0000-0x1FF2; --force "
                               "writes an image whose band bytes are not a band",
                               RunWrite, 71});

}  // namespace
}  // namespace torvan::cli
