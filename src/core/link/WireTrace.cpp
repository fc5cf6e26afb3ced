#include "core/link/WireTrace.h"

#include <utility>

#include "core/radio/NumberText.h"

namespace torvan {

namespace {

constexpr std::size_t kTimeWidth = 9;  // "%9.3f"
constexpr int kTimeDecimals = 3;

std::chrono::nanoseconds SteadyNow() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch());
}

}  // namespace

WireTrace::WireTrace(Sink sink, Clock clock) : sink_(std::move(sink)), clock_(std::move(clock)) {
  if (!clock_) clock_ = SteadyNow;
  start_ = clock_();
}

void WireTrace::Start() { start_ = clock_(); }

std::chrono::nanoseconds WireTrace::Now() const { return clock_(); }

double WireTrace::MillisecondsSinceStart(std::chrono::nanoseconds at) const {
  return std::chrono::duration<double, std::milli>(at - start_).count();
}

std::string WireTrace::FormatLine(double milliseconds, std::string_view direction,
                                  std::span<const std::uint8_t> bytes, std::string_view note) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string time = FormatFixed(milliseconds, kTimeDecimals);
  std::string line;
  line.reserve(kTimeWidth + 4 + bytes.size() * 3 + note.size() + 2);
  if (time.size() < kTimeWidth) line.append(kTimeWidth - time.size(), ' ');
  line += time;
  line += ' ';
  line += direction;
  for (const std::uint8_t b : bytes) {
    line += ' ';
    line += kHex[b >> 4];
    line += kHex[b & 0x0F];
  }
  if (!note.empty()) {
    line += " (";
    line += note;
    line += ')';
  }
  return line;
}

void WireTrace::Sent(std::chrono::nanoseconds at, std::span<const std::uint8_t> bytes, const Status& status) {
  const std::string note = status.ok() ? std::string() : "port error: " + status.error();
  sink_(FormatLine(MillisecondsSinceStart(at), "TX", bytes, note));
}

void WireTrace::Received(std::span<const std::uint8_t> bytes, std::size_t requested, const Status& status) {
  std::string note;
  if (!status.ok()) {
    note = "port error: " + status.error();
  } else if (bytes.size() < requested) {
    note = "time-out: " + std::to_string(bytes.size()) + " of " + std::to_string(requested) + " bytes";
  }
  sink_(FormatLine(MillisecondsSinceStart(clock_()), "RX", bytes, note));
}

}  // namespace torvan
