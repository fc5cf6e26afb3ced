#pragma once
// One virtual radio (torvan-radio-sim) on its own pseudo-terminal for one
// test or benchmark: started with the given arguments, its terminal's path
// read from its first line. Needs TORVAN_SIM_PATH.

#include <signal.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"

namespace torvan::test {

class Radio {
 public:
  // `captureErr`: keep the radio's stderr for the test (else it goes to ours).
  explicit Radio(std::vector<std::string> args, bool captureErr = true) {
    args.insert(args.begin(), TORVAN_SIM_PATH);
    process_ = std::make_unique<ChildProcess>(args, captureErr);
    path_ = process_->ReadLine(std::chrono::seconds(5));
  }
  // The terminal to open; empty when the radio did not start.
  const std::string& path() const { return path_; }
  // Stops the radio the way a user does (Ctrl-C) and returns how it ended.
  ProcessResult Stop(int sig = SIGINT) {
    process_->Signal(sig);
    return process_->Wait(std::chrono::seconds(10));
  }
  ProcessResult WaitForExit() { return process_->Wait(std::chrono::seconds(10)); }

 private:
  std::unique_ptr<ChildProcess> process_;
  std::string path_;
};

}  // namespace torvan::test
