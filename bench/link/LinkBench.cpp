// Full clone sessions against torvan-radio-sim over a pseudo-terminal: a read
// and a write, unpaced and with the radio running its line at 9600 baud.
//
// The wire limit is the time the bytes alone need at 9600 baud, 10 bit-times
// a byte:
//   read:  1024 blocks x (4 request + 12 reply + 1 ACK + 1 ACK) bytes, plus
//          the 20 bytes of the handshake;
//   write: 1022 x 13 + 8 bytes, plus the 1022 one-millisecond pauses between
//          a block's request and its data.
// Goals: a paced session within 1.02 x its limit; an unpaced read in 0.5 s.

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

#include "VirtualRadio.h"
#include "core/link/CloneSession.h"

namespace {

using torvan::CloneDirection;
using Clock = std::chrono::steady_clock;

constexpr double kWireBaud = 9600.0;
constexpr double kBitTimesPerByte = 10.0;
constexpr double kReadBytes = 1024.0 * (4 + 12 + 1 + 1) + 20.0;
constexpr double kWriteBytes = 1022.0 * 13 + 8;
constexpr double kWritePauses = 1022 * 0.001;

double WireLimitSeconds(CloneDirection d) {
  const double byteTime = kBitTimesPerByte / kWireBaud;
  return d == CloneDirection::Read ? kReadBytes * byteTime : kWriteBytes * byteTime + kWritePauses;
}

class QuietHost final : public torvan::CloneHost {
 public:
  explicit QuietHost(CloneDirection d) : direction_(d) {}
  CloneDirection Direction() const override { return direction_; }
  void SetProgressRange(int) override {}
  void SetProgress(int) override {}
  bool PumpStep() override { return false; }
  torvan::RetryAnswer AskRetryCancel(std::string_view) override { return torvan::RetryAnswer::Cancel; }
  void ShowMessage(torvan::MessageId, std::string_view) override {}

 private:
  CloneDirection direction_;
};

void FullSession(benchmark::State& state, CloneDirection direction, unsigned baud) {
  std::vector<std::string> args;
  if (baud > 0) args = {"--baud", std::to_string(baud)};
  const torvan::test::Radio sim(args, /*captureErr=*/false);
  const std::string& port = sim.path();
  if (port.empty()) {
    state.SkipWithError("torvan-radio-sim printed no terminal path");
    return;
  }
  torvan::RadioImage image = torvan::RadioImage::NewDocument();
  double total = 0;
  for (auto _ : state) {
    QuietHost host(direction);
    torvan::CloneSession session(host, image, port);
    const auto start = Clock::now();
    const torvan::CloneResult r = session.Run();
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!r.ok()) {
      state.SkipWithError(r.detail.c_str());
      return;
    }
    state.SetIterationTime(seconds);
    total += seconds;
  }
  const double limit = WireLimitSeconds(direction);
  state.counters["seconds"] = total / static_cast<double>(state.iterations());
  state.counters["wire_limit_s"] = limit;
  state.counters["ratio"] = total / static_cast<double>(state.iterations()) / limit;
}

BENCHMARK_CAPTURE(FullSession, read_unpaced, CloneDirection::Read, 0u)
    ->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullSession, write_unpaced, CloneDirection::Write, 0u)
    ->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullSession, read_9600_baud, CloneDirection::Read, 9600u)
    ->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FullSession, write_9600_baud, CloneDirection::Write, 9600u)
    ->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
