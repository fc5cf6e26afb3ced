#pragma once
// Runs the real torvan-cli with arguments and collects its exit status and
// output, for the command-line tests.

#include <string>
#include <vector>

namespace torvan::test {

struct CliResult {
  int exitCode = -1;  // -1: did not exit normally
  std::string out;    // standard output
  std::string err;    // standard error
};

// Runs torvan-cli (the binary of this build) with `args`, standard input from
// /dev/null, in the folder `workDir`; output goes through files in `workDir`.
CliResult RunCli(const std::vector<std::string>& args, const std::string& workDir);

// The same with the output exactly as the program wrote it. On Windows, RunCli
// gives LF where the program ended a line of text with CR LF, as Windows
// programs do; elsewhere the two are the same.
CliResult RunCliBytes(const std::vector<std::string>& args, const std::string& workDir);

}  // namespace torvan::test
