#pragma once
// Several radios at once: one clone session per port, each on a thread of its
// own (a session is single-port and shares nothing with another), with a
// progress line per port and one result line per port at the end, in the
// order the ports were given. A port that fails does not stop the others;
// Ctrl+C stops them all at their next block (InterruptGuard).

#include <functional>
#include <string>
#include <vector>

#include "cli/CliTransfer.h"

namespace torvan::cli {

// How one port's job ended.
struct PortOutcome {
  bool ok = false;
  // What happened, without the port: "written and verified", "Program
  // Interrupt, ...: no ACK after write of block 0x0C80 (received 0x15)".
  std::string result;
  // Warning lines (without the program's name): a trace or a backup that
  // could not be written.
  std::vector<std::string> warnings;
};

// One port's whole job: its sessions, files and outcome. Called on the
// port's own thread with the port's place among the ports and its progress
// display.
using PortJob = std::function<PortOutcome(std::size_t index, const std::string& port, ProgressDisplay& display)>;

// Runs `job` for every port at once and waits for all. Then prints on
// stderr every warning ("torvan-cli: warning: ..."), then one line per port,
// "<port>: <result>". Returns kExitOk when every port succeeded, else
// kExitFailure.
int RunFleet(const std::vector<std::string>& ports, const PortJob& job);

}  // namespace torvan::cli
