// Several radios at once: `torvan-cli write --port A --port B ... IN.dat
// --verify` against as many virtual radios, timed against the same command
// with one of them alone. Each iteration times both, one after the other, so
// that both see the same load on the machine.
//
// The ports are independent, so N radios should take about the time of one:
// goals 4 radios at 9600 baud within 1.10 x one, 8 unpaced within 1.5 x one
// (unpaced, the sessions share the processor instead of waiting on the wire).
// The counters: one_s (one radio), fleet_s (all of them), ratio, goal.

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "TempDir.h"
#include "VirtualRadio.h"
#include "core/radio/DatFile.h"

namespace {

using Clock = std::chrono::steady_clock;
using torvan::test::Radio;

constexpr auto kCommandLimit = std::chrono::minutes(5);

// Runs `torvan-cli write --verify` on `ports`; its time in seconds, or a
// negative number with `error` set when it failed.
double TimedWrite(const std::string& image, const std::vector<std::string>& ports, std::string& error) {
  std::vector<std::string> argv = {TORVAN_CLI_PATH, "write"};
  for (const std::string& port : ports) argv.insert(argv.end(), {"--port", port});
  argv.insert(argv.end(), {image, "--verify"});
  const auto start = Clock::now();
  const torvan::test::ProcessResult r = torvan::test::RunProcess(argv, kCommandLimit);
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  if (r.exitCode != 0) {
    error = "torvan-cli write failed: " + r.err;
    return -1;
  }
  return seconds;
}

void Fleet(benchmark::State& state, unsigned radios, unsigned baud, double goal) {
  const torvan::test::TempDir dir;
  const std::string image = dir.file("in.dat");
  if (!torvan::SaveDat(image, torvan::RadioImage::NewDocument()).ok()) {
    state.SkipWithError("cannot write the image");
    return;
  }
  std::vector<std::string> args;
  if (baud > 0) args = {"--baud", std::to_string(baud)};
  std::vector<std::unique_ptr<Radio>> sims;
  std::vector<std::string> ports;
  for (unsigned i = 0; i < radios; ++i) {
    sims.push_back(std::make_unique<Radio>(args, /*captureErr=*/false));
    if (sims.back()->path().empty()) {
      state.SkipWithError("torvan-radio-sim printed no terminal path");
      return;
    }
    ports.push_back(sims.back()->path());
  }
  double one = 0;
  double fleet = 0;
  for (auto _ : state) {
    std::string error;
    const double single = TimedWrite(image, {ports.front()}, error);
    const double all = single < 0 ? -1 : TimedWrite(image, ports, error);
    if (all < 0) {
      state.SkipWithError(error.c_str());
      return;
    }
    one += single;
    fleet += all;
    state.SetIterationTime(all);
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["radios"] = radios;
  state.counters["one_s"] = one / n;
  state.counters["fleet_s"] = fleet / n;
  state.counters["ratio"] = fleet / one;
  state.counters["goal"] = goal;
}

BENCHMARK_CAPTURE(Fleet, write_verify_4_at_9600_baud, 4u, 9600u, 1.10)
    ->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Fleet, write_verify_8_unpaced, 8u, 0u, 1.5)
    ->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
