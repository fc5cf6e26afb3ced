// README's command reference against the program: a newcomer types what the
// README shows, so every command there must be the program's own usage line,
// in the order of its help.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "CliRun.h"
#include "TempDir.h"
#include "core/files/InputFile.h"

namespace torvan {
namespace {

constexpr std::string_view kRowStart = "| `torvan-cli ";

// The commands of README's table, "new OUT.dat" ..., with "\|" read as "|".
std::vector<std::string> ReadmeCommands(const std::string& readme) {
  std::vector<std::string> commands;
  std::istringstream in(readme);
  for (std::string line; std::getline(in, line);) {
    if (!line.starts_with(kRowStart)) continue;
    const auto end = line.find('`', kRowStart.size());
    if (end == std::string::npos) continue;
    std::string command = line.substr(kRowStart.size(), end - kRowStart.size());
    for (auto at = command.find("\\|"); at != std::string::npos; at = command.find("\\|", at + 1)) {
      command.erase(at, 1);
    }
    commands.push_back(command);
  }
  return commands;
}

// The usage lines of `torvan-cli --help`: indented by two blanks (summaries by six).
std::vector<std::string> HelpCommands(const std::string& help) {
  std::vector<std::string> commands;
  std::istringstream in(help);
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("  ") && !line.starts_with("   ")) commands.push_back(line.substr(2));
  }
  return commands;
}

TEST(CliReadme, CommandReferenceIsTheProgramsUsageInItsOrder) {
  const Result<std::string> file = ReadWholeFile(TORVAN_README_PATH);
  ASSERT_TRUE(file.ok()) << file.error();
  const std::string& readme = file.value();
  std::vector<std::string> documented = ReadmeCommands(readme);
  ASSERT_FALSE(documented.empty()) << "no command table in README.md";
  if (!TORVAN_CLI_HAS_QT_VERBS) {
    // A build without Qt has no port listing and no printing.
    std::erase_if(documented, [](const std::string& c) { return c.starts_with("ports") || c.starts_with("print "); });
  }
  test::TempDir dir;
  const test::CliResult help = test::RunCli({"--help"}, dir.path().string());
  ASSERT_EQ(help.exitCode, 0) << help.err;
  EXPECT_EQ(HelpCommands(help.out), documented);
}

}  // namespace
}  // namespace torvan
