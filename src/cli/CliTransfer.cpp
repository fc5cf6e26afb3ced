#include "cli/CliTransfer.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "cli/Terminal.h"
#include "core/files/PathText.h"
#include "core/link/PortFileName.h"
#include "core/link/SerialPort.h"
#include "core/radio/ValueTexts.h"

namespace torvan::cli {

namespace {

constexpr std::size_t kMaxRetryDigits = 6;
constexpr int kBarWidth = 32;

// Set by a signal while an InterruptGuard lives; read by every session's
// thread. A lock-free atomic is safe to set from a signal handler.
std::atomic<int> g_interrupted{0};
static_assert(std::atomic<int>::is_always_lock_free);

extern "C" void OnInterrupt(int) { g_interrupted.store(1); }

#ifdef _WIN32
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGBREAK};
#else
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};
#endif

class CliHost final : public CloneHost {
 public:
  CliHost(CloneDirection direction, int retries, ProgressDisplay& display)
      : direction_(direction), retriesLeft_(retries), display_(display) {}

  CloneDirection Direction() const override { return direction_; }

  void SetProgressRange(int maximum) override {
    maximum_ = std::max(1, maximum);
    label_ = std::string(TextFor(direction_ == CloneDirection::Write ? Text::WriteData : Text::ReadData,
                                 DisplayLanguage::English));
  }

  void SetProgress(int position) override { display_.Progress(label_, position, maximum_); }

  bool PumpStep() override { return g_interrupted.load() != 0; }

  RetryAnswer AskRetryCancel(std::string_view detail) override {
    if (retriesLeft_ <= 0) return RetryAnswer::Cancel;
    --retriesLeft_;
    display_.Notice(label_ + ": retrying (" + std::to_string(retriesLeft_) +
                    (retriesLeft_ == 1 ? " retry" : " retries") + " left): " + OneLine(detail));
    return RetryAnswer::Retry;
  }

  // The command prints the session's outcome itself, once, at the end.
  void ShowMessage(MessageId, std::string_view) override {}

  void EndProgress() override { display_.End(); }

 private:
  CloneDirection direction_;
  int retriesLeft_;
  ProgressDisplay& display_;
  int maximum_ = 1;
  std::string label_;
};

// Whether two ports open the same device: the same name, or names of one
// device file (through links, COM1 and /dev/ttyS0).
bool SameDevice(const std::string& a, const std::string& b) {
  const std::string deviceA = PortDevicePath(a);
  const std::string deviceB = PortDevicePath(b);
  if (deviceA.empty() || deviceB.empty()) return a == b;
  if (deviceA == deviceB) return true;
  // equivalent() reports "not supported" for two device nodes (libstdc++):
  // the links are resolved first, and it is asked only when that fails.
  const std::filesystem::path pathA = PathFromUtf8(deviceA);
  const std::filesystem::path pathB = PathFromUtf8(deviceB);
  std::error_code ecA;
  std::error_code ecB;
  const std::filesystem::path realA = std::filesystem::canonical(pathA, ecA);
  const std::filesystem::path realB = std::filesystem::canonical(pathB, ecB);
  if (!ecA && !ecB && realA == realB) return true;
  std::error_code ec;
  return std::filesystem::equivalent(pathA, pathB, ec) && !ec;
}

// Empty when the ports can run side by side; else the usage error.
std::string PortsError(const std::vector<std::string>& ports) {
  for (std::size_t i = 0; i < ports.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (SameDevice(ports[j], ports[i])) {
        return "--port " + ports[j] + " and --port " + ports[i] + " are the same port: give each port once";
      }
      const std::string name = PortFileName(ports[i]);
      if (SamePortFileName(PortFileName(ports[j]), name)) {
        return "--port " + ports[j] + " and --port " + ports[i] + " have the same name " + name +
               ", which names the files of each port: use a link of another name for one of them";
      }
    }
  }
  return {};
}

}  // namespace

InterruptGuard::InterruptGuard() {
  g_interrupted.store(0);
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

bool InterruptGuard::Interrupted() { return g_interrupted.load() != 0; }

bool ReadTransferOptions(const Args& args, TransferOptions& out, std::string& error) {
  out.ports = args.values("--port");
  if (out.ports.empty() || std::any_of(out.ports.begin(), out.ports.end(), [](const auto& p) { return p.empty(); })) {
    error = "--port PORT is required (e.g. /dev/ttyUSB0, COM3, or the path torvan-radio-sim printed)";
    return false;
  }
  if (error = PortsError(out.ports); !error.empty()) return false;
  if (const auto trace = args.value("--trace")) {
    if (trace->empty()) {
      error = "--trace needs a file name";
      return false;
    }
    out.trace = OutputNamed("--trace", *trace);
    if (out.ports.size() > 1 && out.trace->standardOutput) {
      error = "--trace - (standard output) takes the trace of one port; with several ports give a file name: each "
              "port's trace goes to NAME.<port name>";
      return false;
    }
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

NamedFile TraceOfPort(const NamedFile& trace, const std::string& port) {
  return OutputNamed(trace.option, trace.text + "." + PortFileName(port));
}

std::string ProgressText(std::string_view label, int position, int maximum) {
  maximum = std::max(1, maximum);
  const int filled = std::clamp(position * kBarWidth / maximum, 0, kBarWidth);
  return std::string(label) + " [" + std::string(static_cast<std::size_t>(filled), '#') +
         std::string(static_cast<std::size_t>(kBarWidth - filled), '.') + "] " + std::to_string(position) + "/" +
         std::to_string(maximum);
}

ProgressBar::ProgressBar() : terminal_(StderrIsTerminal()) {}

void ProgressBar::Progress(std::string_view label, int position, int maximum) {
  Draw(ProgressText(label, position, maximum));
}

void ProgressBar::Notice(std::string_view text) { Draw(std::string(text)); }

void ProgressBar::End() {
  if (!drawn_) return;
  std::fputc('\n', stderr);
  drawn_ = false;
  drawnWidth_ = 0;
}

// Redraws the one line of the progress display, on a terminal only.
void ProgressBar::Draw(std::string line) {
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

TraceLog::TraceLog(std::optional<NamedFile> file) : file_(std::move(file)) {
  if (file_) {
    trace_.emplace([this](std::string_view line) {
      text_ += line;
      text_ += '\n';
    });
  }
}

Status TraceLog::Save() const {
  if (!file_) return Status::Ok();
  return WriteOutput(*file_, std::string_view(text_));
}

std::string TraceLog::SaveWarning() const {
  const Status s = Save();
  return s.ok() ? std::string() : "warning: the trace was not written: " + OneLine(s.error());
}

void TraceLog::SaveOrWarn() const {
  if (const std::string warning = SaveWarning(); !warning.empty()) std::cerr << "torvan-cli: " << warning << '\n';
}

CloneResult RunTransfer(CloneDirection direction, RadioImage& image, const SessionSetup& setup) {
  CliHost host(direction, setup.retries, *setup.display);
  CloneSession session(host, image, setup.port);
  session.SetTrace(setup.trace);
  return session.Run();
}

std::string FailureText(const CloneResult& result, std::string_view port) {
  std::string_view detail = result.detail;
  if (!port.empty() && detail.size() > port.size() + 2 && detail.starts_with(port) &&
      detail.substr(port.size(), 2) == ": ") {
    detail.remove_prefix(port.size() + 2);
  }
  if (result.outcome == CloneOutcome::Cancelled) return std::string(detail);
  std::string text;
  if (result.message) text = std::string(MessageText(*result.message, DisplayLanguage::English)) + ": ";
  return text + std::string(detail);
}

}  // namespace torvan::cli
