#include "cli/CliTransfer.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#define TORVAN_ISATTY _isatty
#define TORVAN_FILENO _fileno
#else
#include <unistd.h>
#define TORVAN_ISATTY isatty
#define TORVAN_FILENO fileno
#endif

#include "core/files/AtomicFile.h"
#include "core/radio/ValueTexts.h"

namespace torvan::cli {

namespace {

constexpr std::size_t kMaxRetryDigits = 6;
constexpr int kBarWidth = 32;

volatile std::sig_atomic_t g_interrupted = 0;  // set by Ctrl-C during a session

extern "C" void OnInterrupt(int) { g_interrupted = 1; }

// Ctrl-C cancels the session (at its next pump step) instead of killing the
// program with the port half way through a transfer.
class InterruptGuard {
 public:
  InterruptGuard() {
    g_interrupted = 0;
    previous_ = std::signal(SIGINT, OnInterrupt);
  }
  ~InterruptGuard() { std::signal(SIGINT, previous_ == SIG_ERR ? SIG_DFL : previous_); }
  InterruptGuard(const InterruptGuard&) = delete;
  InterruptGuard& operator=(const InterruptGuard&) = delete;

 private:
  void (*previous_)(int) = SIG_DFL;
};

class CliHost final : public CloneHost {
 public:
  CliHost(CloneDirection direction, int retries)
      : direction_(direction), retriesLeft_(retries), bar_(TORVAN_ISATTY(TORVAN_FILENO(stderr)) != 0) {}

  CloneDirection Direction() const override { return direction_; }

  void SetProgressRange(int maximum) override {
    maximum_ = std::max(1, maximum);
    label_ = std::string(TextFor(direction_ == CloneDirection::Write ? Text::WriteData : Text::ReadData,
                                 DisplayLanguage::English));
  }

  void SetProgress(int position) override {
    if (!bar_) return;
    const int filled = std::clamp(position * kBarWidth / maximum_, 0, kBarWidth);
    std::fprintf(stderr, "\r%s [%s%s] %d/%d", label_.c_str(), std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 std::string(static_cast<std::size_t>(kBarWidth - filled), '.').c_str(), position, maximum_);
    std::fflush(stderr);
    drawn_ = true;
  }

  bool PumpStep() override { return g_interrupted != 0; }

  RetryAnswer AskRetryCancel(std::string_view detail) override {
    if (retriesLeft_ <= 0) return RetryAnswer::Cancel;
    --retriesLeft_;
    EndLine();
    std::cerr << "torvan-cli: " << MessageText(MessageId::CommunicationError, DisplayLanguage::English) << ": "
              << detail << " (retrying, " << retriesLeft_ << (retriesLeft_ == 1 ? " retry" : " retries")
              << " left)\n";
    return RetryAnswer::Retry;
  }

  // The command prints the session's outcome itself, once, at the end.
  void ShowMessage(MessageId, std::string_view) override {}

  void EndProgress() override { EndLine(); }

 private:
  void EndLine() {
    if (!drawn_) return;
    std::fputc('\n', stderr);
    drawn_ = false;
  }

  CloneDirection direction_;
  int retriesLeft_;
  bool bar_;
  bool drawn_ = false;
  int maximum_ = 1;
  std::string label_;
};

}  // namespace

bool ReadTransferOptions(const Args& args, TransferOptions& out, std::string& error) {
  const auto port = args.value("--port");
  if (!port || port->empty()) {
    error = "--port PORT is required (e.g. /dev/ttyUSB0, COM3, or the path torvan-radio-sim printed)";
    return false;
  }
  out.port = *port;
  out.tracePath = args.value("--trace");
  if (out.tracePath && out.tracePath->empty()) {
    error = "--trace needs a file name";
    return false;
  }
  if (const auto r = args.value("--retries")) {
    const bool digits = !r->empty() && r->size() <= kMaxRetryDigits &&
                        std::all_of(r->begin(), r->end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits) {
      error = "--retries \"" + *r + "\" is not a count (0 or more)";
      return false;
    }
    out.retries = std::stoi(*r);
  }
  return true;
}

TraceLog::TraceLog(std::optional<std::string> path) : path_(std::move(path)) {
  if (path_) {
    trace_.emplace([this](std::string_view line) {
      text_ += line;
      text_ += '\n';
    });
  }
}

std::string TraceLog::Save() const {
  if (!path_) return {};
  const Status s = WriteFileAtomically(*path_, std::string_view(text_));
  return s.ok() ? std::string() : "trace not written: " + s.error();
}

CloneResult RunTransfer(CloneDirection direction, RadioImage& image, const TransferOptions& options, TraceLog& trace) {
  CliHost host(direction, options.retries);
  const InterruptGuard interrupts;
  CloneSession session(host, image, options.port);
  session.SetTrace(trace.trace());
  return session.Run();
}

std::string FailureText(const CloneResult& result) {
  if (result.outcome == CloneOutcome::Cancelled) return result.detail;
  std::string text;
  if (result.message) text = std::string(MessageText(*result.message, DisplayLanguage::English)) + ": ";
  return text + result.detail;
}

}  // namespace torvan::cli
