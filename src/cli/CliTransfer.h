#pragma once
// What `read` and `write` share: running one clone session from the command
// line. Nobody is there to answer the Retry/Cancel question, so it is
// answered Retry `retries` times, then Cancel. Ctrl-C cancels at the next
// pump step. A progress bar goes to stderr when stderr is a terminal.

#include <optional>
#include <string>
#include <vector>

#include "cli/CliCommand.h"
#include "core/link/CloneSession.h"

namespace torvan::cli {

struct TransferOptions {
  std::string port;
  std::optional<std::string> tracePath;
  int retries = 0;
};

// Reads --port, --trace and --retries; false with `error` set when one is
// missing or malformed.
bool ReadTransferOptions(const Args& args, TransferOptions& out, std::string& error);

// Collects the wire trace of one command (one or more sessions) and writes it
// atomically at the end, whatever the outcome.
class TraceLog {
 public:
  explicit TraceLog(std::optional<std::string> path);
  WireTrace* trace() { return trace_ ? &*trace_ : nullptr; }
  // Writes the file; an error text when that failed, else empty.
  std::string Save() const;

 private:
  std::optional<std::string> path_;
  std::string text_;
  std::optional<WireTrace> trace_;
};

// Runs one session on `image` in `direction`.
CloneResult RunTransfer(CloneDirection direction, RadioImage& image, const TransferOptions& options, TraceLog& trace);

// The line to print for a session that did not complete: the system's
// message first, then the port and what failed.
std::string FailureText(const CloneResult& result);

}  // namespace torvan::cli
