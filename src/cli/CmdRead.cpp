// torvan-cli read --port PORT -o OUT.dat: reads the radio's whole memory;
// with several --port options each radio's memory into a folder, all at once.

#include <filesystem>
#include <iostream>
#include <system_error>

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "cli/CliTransfer.h"
#include "cli/PortFleet.h"
#include "core/files/PathText.h"
#include "core/link/PortFileName.h"
#include "core/link/ReadBackups.h"

namespace torvan::cli {
namespace {

constexpr const char* kVerb = "read";

std::span<const std::uint8_t> Bytes(const RadioImage& image) {
  return std::span<const std::uint8_t>(image.data(), kImageSize);
}

// Keeps the backup of a complete read when backups are on. The backup's
// file (empty when none) and its warning (empty when none).
KeptBackup Backup(const RadioImage& image, const std::string& port, bool backups) {
  if (!backups) return {};
  return KeepReadBackup(Bytes(image), port);
}

// What to add to the failure of an output when the memory is safe in a backup.
std::string KeptNote(const KeptBackup& kept) {
  return kept.file.empty() ? std::string() : "; the memory read is kept in " + PathText(kept.file);
}

int ReadOnePort(const TransferOptions& options, const NamedFile& out, bool backups) {
  std::vector<NamedFile> outputs = {out};
  if (options.trace) outputs.push_back(*options.trace);
  if (const std::string overlap = OverlapError(outputs, {}); !overlap.empty()) return UsageError(kVerb, overlap);
  // The radio's memory must have somewhere to go before it is read.
  for (const NamedFile& file : outputs) {
    if (const Status s = CheckOutput(file); !s.ok()) return Fail(s.error());
  }

  const std::string& port = options.ports.front();
  const InterruptGuard interrupts;
  TraceLog trace(options.trace);
  ProgressBar bar;
  RadioImage image;
  const CloneResult result = RunTransfer(CloneDirection::Read, image, {port, options.retries, &bar, trace.trace()});
  // The trace is most useful when something failed: it is written either way.
  trace.SaveOrWarn();
  if (!result.ok()) {
    // Nothing is written: a broken-off read is not a radio image.
    if (result.outcome == CloneOutcome::Cancelled) {
      return Fail("read cancelled; " + (out.standardOutput ? std::string("nothing was written") : out.text + " was not written"));
    }
    return Fail(FailureText(result));
  }
  // The backup first: should the output fail, the memory is still kept.
  const KeptBackup kept = Backup(image, port, backups);
  if (!kept.ok()) std::cerr << "torvan-cli: warning: " << OneLine(kept.warning) << '\n';
  if (const Status saved = WriteOutput(out, Bytes(image)); !saved.ok()) return Fail(saved.error() + KeptNote(kept));
  return kExitOk;
}

// Each port's memory goes to FOLDER/<port name>.dat.
int ReadSeveralPorts(const TransferOptions& options, const std::string& folderText, bool backups) {
  if (folderText == kStandardOutputName) {
    return UsageError(kVerb, "-o - takes the memory of one port; with several ports -o names a folder, and each "
                             "port's memory goes to FOLDER/<port name>.dat");
  }
  const std::filesystem::path folder = PathFromUtf8(folderText);
  std::error_code ec;
  if (std::filesystem::exists(folder, ec) && !std::filesystem::is_directory(folder, ec)) {
    return UsageError(kVerb, "-o " + folderText + " is not a folder; with several ports -o names a folder, and each "
                                                  "port's memory goes to FOLDER/<port name>.dat");
  }
  std::vector<NamedFile> images;
  std::vector<NamedFile> outputs;
  for (const std::string& port : options.ports) {
    images.push_back(OutputNamed("-o", PathText(folder / PathFromUtf8(PortImageFileName(port)))));
    outputs.push_back(images.back());
    if (options.trace) outputs.push_back(TraceOfPort(*options.trace, port));
  }
  if (const std::string overlap = OverlapError(outputs, {}); !overlap.empty()) return UsageError(kVerb, overlap);
  for (const NamedFile& file : outputs) {
    if (const Status s = CheckOutput(file); !s.ok()) return Fail(s.error());
  }

  const InterruptGuard interrupts;
  return RunFleet(options.ports, [&](std::size_t index, const std::string& port, ProgressDisplay& display) {
    const NamedFile& out = images[index];
    TraceLog trace(options.trace ? std::optional(TraceOfPort(*options.trace, port)) : std::nullopt);
    RadioImage image;
    const CloneResult result =
        RunTransfer(CloneDirection::Read, image, {port, options.retries, &display, trace.trace()});
    PortOutcome outcome;
    if (std::string warning = trace.SaveWarning(); !warning.empty()) outcome.warnings.push_back(std::move(warning));
    if (!result.ok()) {
      outcome.result = result.outcome == CloneOutcome::Cancelled ? "read cancelled; " + out.text + " was not written"
                                                                 : FailureText(result, port);
      return outcome;
    }
    const KeptBackup kept = Backup(image, port, backups);
    if (!kept.ok()) outcome.warnings.push_back("warning: " + port + ": " + kept.warning);
    if (const Status saved = WriteOutput(out, Bytes(image)); !saved.ok()) {
      outcome.result = saved.error() + KeptNote(kept);
      return outcome;
    }
    outcome.ok = true;
    outcome.result = "read into " + out.text;
    return outcome;
  });
}

int RunRead(const std::vector<std::string>& argv) {
  const Args args(argv, {"--port", "-o", "--trace", "--retries"}, {"--no-backup"}, {"--port"});
  if (!args.ok()) return UsageError(kVerb, args.error());
  if (!args.positionals().empty()) return UsageError(kVerb, "unexpected argument \"" + args.positionals()[0] + "\"");
  TransferOptions options;
  std::string error;
  if (!ReadTransferOptions(args, options, error)) return UsageError(kVerb, error);
  const auto outText = args.value("-o");
  if (!outText || outText->empty()) return UsageError(kVerb, "-o OUT.dat is required");
  const bool backups = !args.flag("--no-backup");
  if (options.ports.size() == 1) return ReadOnePort(options, OutputNamed("-o", *outText), backups);
  return ReadSeveralPorts(options, *outText, backups);
}

TORVAN_CLI_COMMAND(CommandInfo{kVerb,
                               "read --port PORT [--port PORT]... -o OUT.dat|FOLDER [--trace LOG] [--retries N] "
                               "[--no-backup]",
                               "read the radio's memory into OUT.dat (written only after a complete read; - for "
                               "standard output) and keep a backup of it; with several ports each radio at once into "
                               "FOLDER/<port name>.dat",
                               RunRead, 70});

}  // namespace
}  // namespace torvan::cli
