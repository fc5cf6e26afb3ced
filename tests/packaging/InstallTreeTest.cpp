// The install tree (`cmake --install build --prefix P`) of this build: every
// file in its place, and the programs run from it after the whole tree has
// been moved elsewhere, as an unpacked package runs from any folder.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "TempDir.h"
#include "e2e/ChildProcess.h"

namespace torvan::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// One tree for every test of the suite: installing it takes a few seconds.
class InstallTree : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    const fs::path installed = dir_->path() / "installed";
    const ProcessResult r =
        RunProcess({TORVAN_CMAKE_COMMAND, "--install", TORVAN_BINARY_DIR, "--prefix", installed.string()}, 300s);
    installError_ = r.exitCode == 0 ? "" : "cmake --install failed: " + r.out + r.err;
    // Moved after installing: nothing may depend on the prefix it was installed to.
    tree_ = dir_->path() / "moved" / "elsewhere";
    fs::create_directories(tree_.parent_path());
    if (installError_.empty()) fs::rename(installed, tree_);
  }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }
  void SetUp() override { ASSERT_EQ(installError_, "") << installError_; }

  static fs::path Tree() { return tree_; }
  static fs::path Work() { return dir_->path(); }

 private:
  static inline TempDir* dir_ = nullptr;
  static inline fs::path tree_;
  static inline std::string installError_;
};

TEST_F(InstallTree, PutsEveryFileInItsPlace) {
  const std::string id = TORVAN_DESKTOP_ID;
  std::vector<std::string> expected = {
      "bin/torvan-cli",
      "share/man/man1/torvan-cli.1.gz",
  };
#ifdef TORVAN_SIM_PATH
  expected.insert(expected.end(), {"bin/torvan-radio-sim", "share/man/man1/torvan-radio-sim.1.gz"});
#endif
#ifdef TORVAN_APP_PATH
  expected.insert(expected.end(), {"bin/torvan", "share/man/man1/torvan.1.gz", "share/applications/" + id + ".desktop",
                                   "share/metainfo/" + id + ".metainfo.xml",
                                   "share/icons/hicolor/scalable/apps/" + id + ".svg"});
  for (const char* size : {"16x16", "32x32", "48x48", "64x64", "128x128", "256x256"}) {
    expected.push_back(std::string("share/icons/hicolor/") + size + "/apps/" + id + ".png");
  }
#endif
  for (const auto& file : expected) {
    EXPECT_TRUE(fs::is_regular_file(Tree() / file)) << file << " is missing from the install tree";
  }
  for (const char* program : {"bin/torvan-cli", "bin/torvan-radio-sim", "bin/torvan"}) {
    if (!fs::exists(Tree() / program)) continue;
    EXPECT_NE(fs::status(Tree() / program).permissions() & fs::perms::others_exec, fs::perms::none) << program;
  }

#ifdef TORVAN_APP_PATH
  // share/torvan holds exactly the files the programs look for.
  std::set<std::string> shipped;
  for (const auto& e : fs::directory_iterator(Tree() / "share/torvan")) shipped.insert(e.path().filename().string());
  EXPECT_EQ(shipped, (std::set<std::string>{"Chinese.rcc", "English.rcc", "Program.ini", "chHelp.html",
                                            "enHelp.html"}));
  // The shipped Program.ini is the source's, whatever language the build folder's copy was switched to.
  std::ifstream ini(Tree() / "share/torvan/Program.ini");
  std::string first;
  std::getline(ini, first);
  EXPECT_EQ(first.substr(0, 7), "[Setup]");
#endif
}

TEST_F(InstallTree, ProgramsRunFromTheMovedTree) {
  std::vector<std::string> programs = {"torvan-cli"};
#ifdef TORVAN_SIM_PATH
  programs.push_back("torvan-radio-sim");
#endif
#ifdef TORVAN_APP_PATH
  programs.push_back("torvan");
#endif
  for (const auto& p : programs) {
    const ProcessResult r = RunProcess({(Tree() / "bin" / p).string(), "--version"}, 20s);
    EXPECT_EQ(r.exitCode, 0) << p << ": " << r.err;
    EXPECT_EQ(r.out, p + " " + TORVAN_EXPECTED_VERSION + "\n");
  }
  // A command that does real work: a new image, then its summary.
  const std::string dat = (Work() / "new.dat").string();
  ProcessResult r = RunProcess({(Tree() / "bin/torvan-cli").string(), "new", dat}, 20s);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(fs::file_size(dat), 8192u);
  r = RunProcess({(Tree() / "bin/torvan-cli").string(), "show", dat}, 20s);
  EXPECT_EQ(r.exitCode, 0) << r.err;
}

#if defined(TORVAN_APP_PATH) && defined(TORVAN_PDFTOTEXT_PATH)
// torvan-cli print takes its language and owner line from the program's
// Program.ini: the user's copy when there is one, else the shipped one in
// share/torvan (nothing lies beside the installed program).
TEST_F(InstallTree, PrintReadsTheUsersCopyElseTheShippedProgramIni) {
  const fs::path shared = Tree() / "share/torvan/Program.ini";
  const fs::path config = Work() / "config";
  const fs::path copy = config / "torvan/Program.ini";
  const fs::path original = Work() / "Program.ini.orig";
  fs::copy_file(shared, original, fs::copy_options::overwrite_existing);
  ASSERT_EQ(::setenv("XDG_CONFIG_HOME", config.c_str(), 1), 0);

  const std::string dat = (Work() / "report.dat").string();
  const std::string pdf = (Work() / "report.pdf").string();
  ASSERT_EQ(RunProcess({(Tree() / "bin/torvan-cli").string(), "new", dat}, 20s).exitCode, 0);
  const auto printedText = [&] {
    const ProcessResult p = RunProcess({(Tree() / "bin/torvan-cli").string(), "print", dat, "-o", pdf}, 60s);
    EXPECT_EQ(p.exitCode, 0) << p.err;
    return RunProcess({TORVAN_PDFTOTEXT_PATH, "-enc", "UTF-8", pdf, "-"}, 60s).out;
  };

  struct Case {
    const char* what;
    const char* shipped;        // the content of share/torvan/Program.ini
    const char* usersCopy;      // nullptr: none
    const char* printedOwner;   // the owner line the report shows
  };
  const Case cases[] = {
      {"shipped only", "[Setup]\nLanguage=Chinese\n[Chinese]\nCopyrights Owner=共享所有者\n", nullptr, "共享所有者"},
      {"the user's copy wins", "[Setup]\nLanguage=Chinese\n[Chinese]\nCopyrights Owner=共享所有者\n",
       "[Setup]\nLanguage=English\n[English]\nCopyrights Owner=Own Copy Owner\n", "Own Copy Owner"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::ofstream(shared) << c.shipped;
    fs::remove_all(config);
    if (c.usersCopy) {
      fs::create_directories(copy.parent_path());
      std::ofstream(copy) << c.usersCopy;
    }
    const std::string text = printedText();
    EXPECT_NE(text.find(c.printedOwner), std::string::npos) << text;
  }
  fs::copy_file(original, shared, fs::copy_options::overwrite_existing);
}
#endif

}  // namespace
}  // namespace torvan::test
