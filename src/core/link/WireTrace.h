#pragma once
// WireTrace: every byte a clone session sends and receives, one line per
// wire event, with the time since the session began in milliseconds:
//
//      12.345 TX 52 00 08 08
//      14.001 RX 06
//     604.211 RX (time-out: 0 of 1 bytes)
//     700.020 RX 57 0C 80 08 FF FF (time-out: 6 of 12 bytes)
//     812.400 RX (port error: /dev/pts/3: the line was hung up)
//
// A TX line carries the time the write began, an RX line the time the read
// returned. Users paste these into bug reports.

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "core/files/Status.h"

namespace torvan {

class WireTrace {
 public:
  using Sink = std::function<void(std::string_view line)>;  // one line, without the newline
  using Clock = std::function<std::chrono::nanoseconds()>;  // a monotonic "now"

  // `clock` defaults to the steady clock; tests give a virtual one.
  explicit WireTrace(Sink sink, Clock clock = {});

  // Sets time zero: called by the session when it begins.
  void Start();
  // The current time, for stamping a write before it starts.
  std::chrono::nanoseconds Now() const;

  void Sent(std::chrono::nanoseconds at, std::span<const std::uint8_t> bytes, const Status& status);
  void Received(std::span<const std::uint8_t> bytes, std::size_t requested, const Status& status);

  // One line: "%9.3f" milliseconds, direction, bytes in upper-case hex, note.
  static std::string FormatLine(double milliseconds, std::string_view direction,
                                std::span<const std::uint8_t> bytes, std::string_view note);

 private:
  double MillisecondsSinceStart(std::chrono::nanoseconds at) const;

  Sink sink_;
  Clock clock_;
  std::chrono::nanoseconds start_{0};
};

}  // namespace torvan
