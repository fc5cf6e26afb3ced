#pragma once
// What `read` and `write` share: running one clone session from the command
// line. Nobody is there to answer the Retry/Cancel question, so it is
// answered Retry `retries` times, then Cancel. A progress bar goes to stderr
// when stderr is a terminal, and so do the notices of the retries; without a
// terminal stderr gets only the one line of the outcome (the trace has every
// attempt).

#include <optional>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "core/link/CloneSession.h"

namespace torvan::cli {

struct TransferOptions {
  std::string port;
  std::optional<NamedFile> trace;
  int retries = 0;
};

// Reads --port, --trace and --retries; false with `error` set when one is
// missing or malformed.
bool ReadTransferOptions(const Args& args, TransferOptions& out, std::string& error);

// While it lives, Ctrl+C, SIGTERM and SIGHUP do not end the program: they
// cancel the running session at its next pump step (between blocks), so that
// the port is closed and the command can say what the radio now holds. A
// signal between sessions is remembered and stops the next one at once.
class InterruptGuard {
 public:
  InterruptGuard();
  ~InterruptGuard();
  InterruptGuard(const InterruptGuard&) = delete;
  InterruptGuard& operator=(const InterruptGuard&) = delete;

  static bool Interrupted();
};

// Collects the wire trace of one command (one or more sessions) and writes it
// at the end, whatever the outcome.
class TraceLog {
 public:
  explicit TraceLog(std::optional<NamedFile> file);
  WireTrace* trace() { return trace_ ? &*trace_ : nullptr; }
  // Writes the trace. A trace that cannot be written is a warning line on
  // stderr: the transfer's own outcome decides the exit status.
  void SaveOrWarn() const;

 private:
  std::optional<NamedFile> file_;
  std::string text_;
  std::optional<WireTrace> trace_;
};

// Runs one session on `image` in `direction`.
CloneResult RunTransfer(CloneDirection direction, RadioImage& image, const TransferOptions& options, TraceLog& trace);

// The line to print for a session that did not complete: the system's
// message first, then the port and what failed.
std::string FailureText(const CloneResult& result);

}  // namespace torvan::cli
