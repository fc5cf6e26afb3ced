// The manual pages against the programs: every command, option, fault kind,
// exit status and shipped file that a program or the install tree has is
// described, and nothing else. A failure names each missing or extra item, so
// a page can be completed from the report alone.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ManPage.h"
#include "e2e/ChildProcess.h"
#include "core/link/RadioEmulator.h"

namespace torvan::test {
namespace {

using namespace std::chrono_literals;

struct Program {
  const char* name;
  const char* path;
};

constexpr Program kPrograms[] = {
    {"torvan-cli", TORVAN_CLI_PATH},
#ifdef TORVAN_SIM_PATH
    {"torvan-radio-sim", TORVAN_SIM_PATH},
#endif
#ifdef TORVAN_APP_PATH
    {"torvan", TORVAN_APP_PATH},
#endif
};

std::string HelpOf(const Program& p) {
  const ProcessResult r = RunProcess({p.path, "--help"}, 20s);
  EXPECT_EQ(r.exitCode, 0) << p.name << " --help: " << r.err;
  return r.out;
}

ManPage PageOf(const Program& p) {
  ManPage page;
  std::string error;
  EXPECT_TRUE(page.Load(std::string(TORVAN_MAN_DIR) + "/" + p.name + ".1", error)) << error;
  return page;
}

// The usage lines at the top of a help text, without "usage: " and the indent.
std::vector<std::string> UsageLines(const std::string& help, const std::string& program) {
  std::vector<std::string> lines;
  std::istringstream in(help);
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("usage: ")) {
      line.erase(0, 7);
    } else if (!lines.empty()) {
      line.erase(0, line.find_first_not_of(' '));
    }
    if (!line.starts_with(program + " ") && line != program) break;
    lines.push_back(line);
  }
  return lines;
}

// "what: a, b" for each item of `want` missing from `have` and each of `have`
// missing from `want`.
std::string Differences(const std::string& where, const std::vector<std::string>& want,
                        const std::vector<std::string>& have, const std::string& wantName,
                        const std::string& haveName) {
  const std::set<std::string> w(want.begin(), want.end());
  const std::set<std::string> h(have.begin(), have.end());
  std::string report;
  for (const auto& x : w) {
    if (!h.count(x)) report += where + ": " + x + " is in " + wantName + " but not in " + haveName + "\n";
  }
  for (const auto& x : h) {
    if (!w.count(x)) report += where + ": " + x + " is in " + haveName + " but not in " + wantName + "\n";
  }
  return report;
}

std::vector<std::string> TagWords(const std::vector<std::string>& tags, bool optionsOnly) {
  std::vector<std::string> words;
  for (const auto& t : tags) {
    const std::string w = FirstWord(t);
    if (!optionsOnly || w.starts_with("-")) words.push_back(w);
  }
  return words;
}

TEST(ManPages, SynopsisAndOptionsAreEachProgramsUsage) {
  for (const Program& p : kPrograms) {
    SCOPED_TRACE(p.name);
    const ManPage page = PageOf(p);
    const std::vector<std::string> usage = UsageLines(HelpOf(p), p.name);
    ASSERT_FALSE(usage.empty()) << p.name << " --help has no usage line";
    EXPECT_EQ(page.Part("SYNOPSIS").FirstBlock(), usage) << p.name << ".1: SYNOPSIS is not the usage of --help";

    std::vector<std::string> options;
    for (const auto& line : usage) {
      for (const auto& o : OptionsIn(line)) options.push_back(o);
    }
    EXPECT_EQ(Differences(std::string(p.name) + ".1 OPTIONS", options, TagWords(page.Part("OPTIONS").tags, true),
                          "the usage", "the page"),
              "");
  }
}

TEST(ManPages, TorvanCliDescribesEveryCommandWithItsOptions) {
  const Program cli = kPrograms[0];
  const ManPage page = PageOf(cli);
  // The commands of --help: indented by two blanks, their summaries by six.
  std::vector<std::string> verbs;
  std::vector<std::string> usages;
  std::istringstream in(HelpOf(cli));
  for (std::string line; std::getline(in, line);) {
    if (!line.starts_with("  ") || line.starts_with("   ")) continue;
    usages.push_back(line.substr(2));
    verbs.push_back(FirstWord(usages.back()));
  }
  ASSERT_FALSE(verbs.empty()) << "torvan-cli --help lists no command";

  std::vector<std::string> documented = page.Subsections("COMMANDS");
  if (!TORVAN_CLI_HAS_QT_VERBS) {
    // A build without Qt has no port listing and no printing; the page is the installed program's.
    std::erase_if(documented, [](const std::string& c) { return c == "ports" || c == "print"; });
  }
  const std::string missingOrExtra = Differences("torvan-cli.1 COMMANDS", verbs, documented, "--help", "the page");
  EXPECT_EQ(missingOrExtra, "");
  if (missingOrExtra.empty()) {
    EXPECT_EQ(documented, verbs) << "torvan-cli.1: the commands are not in the order of --help";
  }

  for (std::size_t i = 0; i < verbs.size(); ++i) {
    const ManPart& part = page.Part("COMMANDS", verbs[i]);
    if (std::find(documented.begin(), documented.end(), verbs[i]) == documented.end()) continue;  // reported above
    const std::string where = "torvan-cli.1 command " + verbs[i];
    EXPECT_EQ(part.FirstBlock(), std::vector<std::string>{"torvan-cli " + usages[i]}) << where << ": not the usage line";
    EXPECT_EQ(Differences(where, OptionsIn(usages[i]), TagWords(part.tags, true), "the usage line", "the page"), "");
  }
}

TEST(ManPages, ExitStatusesAreTheProgramsOwn) {
  // torvan-cli says its exit statuses in --help.
  const std::string help = HelpOf(kPrograms[0]);
  const auto at = help.find("Exit status:");
  ASSERT_NE(at, std::string::npos) << "torvan-cli --help names no exit status";
  std::vector<std::string> statuses;
  std::istringstream in(help.substr(at, help.find('\n', at) - at));
  for (std::string word; in >> word;) {
    if (!word.empty() && std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      statuses.push_back(word);
    }
  }
  const ManPage page = PageOf(kPrograms[0]);
  EXPECT_EQ(Differences("torvan-cli.1 EXIT STATUS", statuses, TagWords(page.Part("EXIT STATUS").tags, false),
                        "--help", "the page"),
            "");
}

#ifdef TORVAN_SIM_PATH
TEST(ManPages, RadioSimDescribesEveryFaultKind) {
  std::vector<std::string> kinds;
  std::istringstream in{std::string(kRadioFaultKinds)};
  for (std::string kind; std::getline(in, kind, ',');) kinds.push_back(FirstWord(kind));
  const ManPage page = PageOf({"torvan-radio-sim", TORVAN_SIM_PATH});
  EXPECT_EQ(Differences("torvan-radio-sim.1 FAULTS", kinds, TagWords(page.Part("FAULTS").tags, false),
                        "the program", "the page"),
            "");
}
#endif

#ifdef TORVAN_APP_PATH
TEST(ManPages, TorvanNamesEveryShippedFile) {
  std::vector<std::string> shipped;
  std::istringstream in{std::string(TORVAN_SHARE_FILE_NAMES)};
  for (std::string name; std::getline(in, name, ';');) shipped.push_back(name);
  ASSERT_FALSE(shipped.empty());
  const ManPage page = PageOf({"torvan", TORVAN_APP_PATH});
  const std::vector<std::string> described = TagWords(page.Part("FILES").tags, false);
  for (const auto& name : shipped) {
    EXPECT_NE(std::find(described.begin(), described.end(), name), described.end())
        << "torvan.1 FILES: " << name << " is shipped in share/torvan but not described";
  }
}
#endif

// groff's own warnings (a misspelt macro, a bad escape) show as a garbled page.
TEST(ManPages, RenderWithoutWarnings) {
  const std::string groff = "/usr/bin/groff";
  if (!std::filesystem::exists(groff)) GTEST_SKIP() << "groff is not installed";
  for (const Program& p : kPrograms) {
    const std::string file = std::string(TORVAN_MAN_DIR) + "/" + p.name + ".1";
    const ProcessResult r = RunProcess({groff, "-man", "-Tutf8", "-ww", "-z", file}, 20s);
    EXPECT_EQ(r.exitCode, 0) << file;
    EXPECT_EQ(r.err, "") << file;
  }
}

}  // namespace
}  // namespace torvan::test
