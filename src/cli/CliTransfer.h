#pragma once
// What `read` and `write` share: running clone sessions from the command
// line. Nobody is there to answer the Retry/Cancel question, so it is
// answered Retry `retries` times, then Cancel. A progress bar goes to stderr
// when stderr is a terminal, and so do the notices of the retries; without a
// terminal stderr gets only the one line of the outcome (the trace has every
// attempt).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/CliCommand.h"
#include "cli/CliFiles.h"
#include "core/files/Status.h"
#include "core/link/CloneSession.h"

namespace torvan::cli {

struct TransferOptions {
  std::vector<std::string> ports;  // as given, one or more
  std::optional<NamedFile> trace;
  int retries = 0;
};

// Reads --port (repeatable), --trace and --retries; false with `error` set
// when one is missing or malformed, or when two ports are the same device or
// have the same name (their files would be the same).
bool ReadTransferOptions(const Args& args, TransferOptions& out, std::string& error);

// The trace file of `port` when several ports run at once: LOG.<port name>.
NamedFile TraceOfPort(const NamedFile& trace, const std::string& port);

// While it lives, Ctrl+C, SIGTERM and SIGHUP do not end the program: they
// cancel every running session at its next pump step (between blocks), so
// that the ports are closed and the command can say what each radio now
// holds. A signal between sessions is remembered and stops the next one at
// once.
class InterruptGuard {
 public:
  InterruptGuard();
  ~InterruptGuard();
  InterruptGuard(const InterruptGuard&) = delete;
  InterruptGuard& operator=(const InterruptGuard&) = delete;

  static bool Interrupted();
};

// Where one session shows how far it is and what it retries.
class ProgressDisplay {
 public:
  virtual ~ProgressDisplay() = default;
  // `label` is the progress window's text ("Write Data"); position 0..maximum.
  virtual void Progress(std::string_view label, int position, int maximum) = 0;
  // A retry, as one line: "Write Data: retrying (2 retries left): ...".
  virtual void Notice(std::string_view text) = 0;
  // The session has ended.
  virtual void End() = 0;
};

// The display of a single session: one line redrawn in place on a terminal,
// ended with a line feed; nothing at all when stderr is not a terminal.
class ProgressBar final : public ProgressDisplay {
 public:
  ProgressBar();
  void Progress(std::string_view label, int position, int maximum) override;
  void Notice(std::string_view text) override;
  void End() override;

 private:
  void Draw(std::string line);

  bool terminal_;
  bool drawn_ = false;
  std::size_t drawnWidth_ = 0;
};

// The text of a progress bar: "Write Data [####....] 128/511".
std::string ProgressText(std::string_view label, int position, int maximum);

// Collects the wire trace of one port (one or more sessions) and writes it
// at the end, whatever the outcome.
class TraceLog {
 public:
  explicit TraceLog(std::optional<NamedFile> file);
  WireTrace* trace() { return trace_ ? &*trace_ : nullptr; }
  // Writes the trace; Ok when there is none to write.
  Status Save() const;
  // The warning line for a trace that could not be written (without the
  // program's name), or empty: the transfer's own outcome decides the exit
  // status.
  std::string SaveWarning() const;
  // Writes the trace; a trace that cannot be written is a warning on stderr.
  void SaveOrWarn() const;

 private:
  std::optional<NamedFile> file_;
  std::string text_;
  std::optional<WireTrace> trace_;
};

// One session's surroundings on the command line.
struct SessionSetup {
  std::string port;
  int retries = 0;
  ProgressDisplay* display = nullptr;  // not owned
  WireTrace* trace = nullptr;          // not owned; may be null
};

// Runs one session on `image` in `direction`.
CloneResult RunTransfer(CloneDirection direction, RadioImage& image, const SessionSetup& setup);

// The line to print for a session that did not complete: the system's
// message first, then the port and what failed. With `port` given, the
// detail's leading "<port>: " is left out (the line names the port first).
std::string FailureText(const CloneResult& result, std::string_view port = {});

}  // namespace torvan::cli
