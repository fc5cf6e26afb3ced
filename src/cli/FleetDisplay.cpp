#include "cli/FleetDisplay.h"

#include <chrono>
#include <cstdio>

#include "cli/Terminal.h"

namespace torvan::cli {

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kRedrawInterval = std::chrono::milliseconds(50);
constexpr int kPlainSteps = 4;  // a plain line at each quarter
constexpr int kPercent = 100;
constexpr unsigned char kUtf8ContinuationMask = 0xC0;
constexpr unsigned char kUtf8Continuation = 0x80;
constexpr char kClearToEndOfLine[] = "\x1b[K";
constexpr char kClearToEndOfScreen[] = "\x1b[J";

std::string CursorUp(std::size_t lines) { return "\x1b[" + std::to_string(lines) + "A"; }
std::string CursorDown(std::size_t lines) { return "\x1b[" + std::to_string(lines) + "B"; }

void Put(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

}  // namespace

class FleetDisplay::PortLine final : public ProgressDisplay {
 public:
  PortLine(FleetDisplay& display, std::size_t index) : display_(display), index_(index) {}

  void Progress(std::string_view label, int position, int maximum) override {
    if (display_.inPlace_) {
      // Several bars at once on an unpaced line would be thousands of
      // redraws a second: a bar is redrawn at most every kRedrawInterval,
      // and always when it is full.
      const auto now = Clock::now();
      if (position < maximum && now - lastDraw_ < kRedrawInterval) return;
      lastDraw_ = now;
      display_.Redraw(index_, ProgressText(label, position, maximum));
      return;
    }
    // A new session (the read-back of a write) starts at its first quarter again.
    if (label != label_ || position < lastPosition_) step_ = 0;
    label_ = std::string(label);
    lastPosition_ = position;
    const int step = maximum > 0 ? position * kPlainSteps / maximum : 0;
    if (step <= step_) return;
    step_ = step;
    display_.Plain(index_, label_ + " " + std::to_string(step * kPercent / kPlainSteps) + "%");
  }

  void Notice(std::string_view text) override {
    if (display_.inPlace_) {
      display_.Redraw(index_, std::string(text));
    } else {
      display_.Plain(index_, text);
    }
  }

  void End() override {}

 private:
  FleetDisplay& display_;
  std::size_t index_;
  std::string label_;
  Clock::time_point lastDraw_{};
  int lastPosition_ = 0;
  int step_ = 0;
};

namespace {

// Whether a block of `lines` lines can be redrawn in place: the cursor cannot
// move above the top of the terminal, so a block taller than the terminal
// would be drawn over the wrong lines.
bool FitsTheTerminal(std::size_t lines) {
  const std::size_t rows = TerminalRows();
  return rows == 0 || lines < rows;
}

}  // namespace

FleetDisplay::FleetDisplay(const std::vector<std::string>& ports)
    : inPlace_(StderrIsTerminal() && FitsTheTerminal(ports.size()) && EnableCursorControl()), ports_(ports) {
  for (std::size_t i = 0; i < ports_.size(); ++i) lines_.push_back(std::make_unique<PortLine>(*this, i));
  if (!inPlace_) return;
  std::string block;
  for (const std::string& port : ports_) block += OneLine(port) + ":\n";
  Put(block);
}

FleetDisplay::~FleetDisplay() { Close(); }

ProgressDisplay& FleetDisplay::Port(std::size_t index) { return *lines_.at(index); }

void FleetDisplay::Finished(std::size_t index, std::string_view text) {
  if (inPlace_) Redraw(index, std::string(text));
}

void FleetDisplay::Close() {
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!open_) return;
  open_ = false;
  if (inPlace_ && !ports_.empty()) Put(CursorUp(ports_.size()) + "\r" + kClearToEndOfScreen);
}

void FleetDisplay::Redraw(std::size_t index, std::string text) {
  std::string line = OneLine(ports_[index]) + ": " + text;
  const std::size_t columns = TerminalColumns();
  if (line.size() >= columns) {
    std::size_t cut = columns - 1;
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & kUtf8ContinuationMask) == kUtf8Continuation) --cut;
    line.resize(cut);
  }
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!open_) return;
  // The cursor waits below the block; line `index` is this many lines up.
  const std::size_t up = ports_.size() - index;
  Put(CursorUp(up) + "\r" + line + kClearToEndOfLine + CursorDown(up) + "\r");
}

void FleetDisplay::Plain(std::size_t index, std::string_view text) {
  const std::string line = OneLine(ports_[index]) + ": " + std::string(text) + "\n";
  const std::lock_guard<std::mutex> lock(mutex_);
  if (!open_) return;
  Put(line);
}

}  // namespace torvan::cli
