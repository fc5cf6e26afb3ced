#include "cli/CliTransfer.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#define TORVAN_ISATTY _isatty
#define TORVAN_FILENO _fileno
#else
#include <sys/ioctl.h>
#include <unistd.h>
#define TORVAN_ISATTY isatty
#define TORVAN_FILENO fileno
#endif

#include "core/radio/ValueTexts.h"

namespace torvan::cli {

namespace {

constexpr std::size_t kMaxRetryDigits = 6;
constexpr int kBarWidth = 32;
constexpr std::size_t kDefaultTerminalColumns = 80;

volatile std::sig_atomic_t g_interrupted = 0;  // set by a signal while an InterruptGuard lives

extern "C" void OnInterrupt(int) { g_interrupted = 1; }

#ifdef _WIN32
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGBREAK};
#else
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
#endif

// The columns of the terminal on stderr: a line longer than that would wrap,
// and the next redraw with \r would no longer cover it.
std::size_t TerminalColumns() {
#ifndef _WIN32
  winsize ws{};
  if (::ioctl(TORVAN_FILENO(stderr), TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0) return ws.ws_col;
#endif
  return kDefaultTerminalColumns;
}

class CliHost final : public CloneHost {
 public:
  CliHost(CloneDirection direction, int retries)
      : direction_(direction), retriesLeft_(retries), terminal_(TORVAN_ISATTY(TORVAN_FILENO(stderr)) != 0) {}

  CloneDirection Direction() const override { return direction_; }

  void SetProgressRange(int maximum) override {
    maximum_ = std::max(1, maximum);
    label_ = std::string(TextFor(direction_ == CloneDirection::Write ? Text::WriteData : Text::ReadData,
                                 DisplayLanguage::English));
  }

  void SetProgress(int position) override {
    const int filled = std::clamp(position * kBarWidth / maximum_, 0, kBarWidth);
    Draw(label_ + " [" + std::string(static_cast<std::size_t>(filled), '#') +
         std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "] " + std::to_string(position) + "/" +
         std::to_string(maximum_));
  }

  bool PumpStep() override { return g_interrupted != 0; }

  RetryAnswer AskRetryCancel(std::string_view detail) override {
    if (retriesLeft_ <= 0) return RetryAnswer::Cancel;
    --retriesLeft_;
    Draw(label_ + ": retrying (" + std::to_string(retriesLeft_) + (retriesLeft_ == 1 ? " retry" : " retries") +
         " left): " + OneLine(detail));
    return RetryAnswer::Retry;
  }

  // The command prints the session's outcome itself, once, at the end.
  void ShowMessage(MessageId, std::string_view) override {}

  void EndProgress() override {
    if (!drawn_) return;
    std::fputc('\n', stderr);
    drawn_ = false;
    drawnWidth_ = 0;
  }

 private:
  // Redraws the one line of the progress display, on a terminal only.
  void Draw(std::string line) {
    if (!terminal_) return;
    const std::size_t columns = TerminalColumns();
    if (line.size() >= columns) line.resize(columns - 1);
    const std::size_t width = line.size();
    if (width < drawnWidth_) line.append(drawnWidth_ - width, ' ');
    std::fprintf(stderr, "\r%s", line.c_str());
    std::fflush(stderr);
    drawn_ = true;
    drawnWidth_ = width;
  }

  CloneDirection direction_;
  int retriesLeft_;
  bool terminal_;
  bool drawn_ = false;
  std::size_t drawnWidth_ = 0;
  int maximum_ = 1;
  std::string label_;
};

}  // namespace

InterruptGuard::InterruptGuard() {
  g_interrupted = 0;
#ifdef _WIN32
  for (const int sig : kStopSignals) std::signal(sig, OnInterrupt);
#else
  struct sigaction sa {};
  sa.sa_handler = OnInterrupt;
  sigemptyset(&sa.sa_mask);
  for (const int sig : kStopSignals) ::sigaction(sig, &sa, nullptr);
#endif
}

InterruptGuard::~InterruptGuard() {
  for (const int sig : kStopSignals) std::signal(sig, SIG_DFL);
}

bool InterruptGuard::Interrupted() { return g_interrupted != 0; }

bool ReadTransferOptions(const Args& args, TransferOptions& out, std::string& error) {
  const auto port = args.value("--port");
  if (!port || port->empty()) {
    error = "--port PORT is required (e.g. /dev/ttyUSB0, COM3, or the path torvan-radio-sim printed)";
    return false;
  }
  out.port = *port;
  if (const auto trace = args.value("--trace")) {
    if (trace->empty()) {
      error = "--trace needs a file name";
      return false;
    }
    out.trace = OutputNamed("--trace", *trace);
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

TraceLog::TraceLog(std::optional<NamedFile> file) : file_(std::move(file)) {
  if (file_) {
    trace_.emplace([this](std::string_view line) {
      text_ += line;
      text_ += '\n';
    });
  }
}

void TraceLog::SaveOrWarn() const {
  if (!file_) return;
  if (const Status s = WriteOutput(*file_, std::string_view(text_)); !s.ok()) {
    std::cerr << "torvan-cli: warning: the trace was not written: " << OneLine(s.error()) << '\n';
  }
}

CloneResult RunTransfer(CloneDirection direction, RadioImage& image, const TransferOptions& options, TraceLog& trace) {
  CliHost host(direction, options.retries);
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
