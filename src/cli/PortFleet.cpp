#include "cli/PortFleet.h"

#include <exception>
#include <system_error>
#include <iostream>
#include <thread>

#include "cli/FleetDisplay.h"

namespace torvan::cli {

int RunFleet(const std::vector<std::string>& ports, const PortJob& job) {
  std::vector<PortOutcome> outcomes(ports.size());
  {
    FleetDisplay display(ports);
    std::vector<std::thread> threads;
    threads.reserve(ports.size());
    for (std::size_t i = 0; i < ports.size(); ++i) {
      const auto run = [&, i] {
        PortOutcome& outcome = outcomes[i];
        try {
          outcome = job(i, ports[i], display.Port(i));
        } catch (const std::exception& e) {
          outcome = PortOutcome{false, std::string("internal error: ") + e.what(), {}};
        }
        display.Finished(i, outcome.result);
      };
      try {
        threads.emplace_back(run);
      } catch (const std::system_error& e) {
        // The port is never opened; the ports already running finish.
        outcomes[i] = PortOutcome{false, std::string("not started: cannot start a thread: ") + e.what(), {}};
      }
    }
    for (std::thread& t : threads) t.join();
    display.Close();
  }
  bool allOk = true;
  for (const PortOutcome& o : outcomes) {
    for (const std::string& w : o.warnings) std::cerr << "torvan-cli: " << OneLine(w) << '\n';
  }
  for (std::size_t i = 0; i < ports.size(); ++i) {
    std::cerr << OneLine(ports[i]) << ": " << OneLine(outcomes[i].result) << '\n';
    allOk = allOk && outcomes[i].ok;
  }
  std::cerr.flush();
  return allOk ? kExitOk : kExitFailure;
}

}  // namespace torvan::cli
