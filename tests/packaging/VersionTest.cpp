// --version of every program: its own name and the project's version, on
// standard output, exit status 0, without a display for the desktop program.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "e2e/ChildProcess.h"

namespace torvan::test {
namespace {

using namespace std::chrono_literals;

struct VersionCase {
  const char* name;
  const char* path;
};

TEST(Version, EveryProgramPrintsItsNameAndTheProjectVersion) {
  const VersionCase cases[] = {
      {"torvan-cli", TORVAN_CLI_PATH},
#ifdef TORVAN_SIM_PATH
      {"torvan-radio-sim", TORVAN_SIM_PATH},
#endif
#ifdef TORVAN_APP_PATH
      {"torvan", TORVAN_APP_PATH},
#endif
  };
  // The desktop program answers before it looks for a display.
  ASSERT_EQ(::unsetenv("QT_QPA_PLATFORM"), 0);
  ASSERT_EQ(::unsetenv("DISPLAY"), 0);
  ASSERT_EQ(::unsetenv("WAYLAND_DISPLAY"), 0);
  for (const VersionCase& c : cases) {
    const ProcessResult r = RunProcess({c.path, "--version"}, 20s);
    EXPECT_EQ(r.exitCode, 0) << c.name << ": " << r.err;
    EXPECT_EQ(r.out, std::string(c.name) + " " + TORVAN_EXPECTED_VERSION + "\n") << c.name;
    EXPECT_EQ(r.err, "") << c.name;
  }
}

}  // namespace
}  // namespace torvan::test
