// ProgramFiles: where the shipped files are found (beside the executable,
// then ../share/torvan), and MayReplaceFile's answer for files and folders of
// each permission.

#include "core/files/ProgramFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>

#include "TempDir.h"

namespace torvan {
namespace {

namespace fs = std::filesystem;

// Puts `mode` on `p` for the test's duration and gives the owner full rights
// back afterwards, so that the temporary folder can be removed.
class ModeFor {
 public:
  ModeFor(fs::path p, fs::perms mode) : path_(std::move(p)) { fs::permissions(path_, mode); }
  ~ModeFor() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  }
  ModeFor(const ModeFor&) = delete;
  ModeFor& operator=(const ModeFor&) = delete;

 private:
  fs::path path_;
};

TEST(ProgramFiles, FindsAFileBesideTheProgramFirstThenInShareTorvan) {
  struct Case {
    const char* what;
    bool beside;
    bool shared;
    const char* expected;  // relative to the tree
  };
  const Case cases[] = {
      {"beside only", true, false, "bin/Program.ini"},
      {"share only", false, true, "share/torvan/Program.ini"},
      {"both: beside wins", true, true, "bin/Program.ini"},
      {"none: beside, where it would be created", false, false, "bin/Program.ini"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempDir tree;
    fs::create_directories(tree.path() / "bin");
    fs::create_directories(tree.path() / "share/torvan");
    if (c.beside) std::ofstream(tree.path() / "bin/Program.ini") << "[Setup]\n";
    if (c.shared) std::ofstream(tree.path() / "share/torvan/Program.ini") << "[Setup]\n";
    const ProgramFiles files(tree.path() / "bin");
    EXPECT_EQ(files.Find("Program.ini"), tree.path() / c.expected);
  }
}

TEST(ProgramFiles, AFolderOfTheNameIsNoFile) {
  test::TempDir tree;
  fs::create_directories(tree.path() / "bin/English.rcc");
  fs::create_directories(tree.path() / "share/torvan");
  std::ofstream(tree.path() / "share/torvan/English.rcc") << "pack";
  EXPECT_EQ(ProgramFiles(tree.path() / "bin").Find("English.rcc"), tree.path() / "share/torvan/English.rcc");
}

TEST(ProgramFiles, ShareFolderIsBesideTheProgramsFolderWithoutDotDot) {
  const ProgramFiles files(fs::path("/opt/radio/bin"));
  EXPECT_EQ(files.ShareDir(), fs::path("/opt/radio/share/torvan"));
  ASSERT_EQ(files.Folders().size(), 2u);
  EXPECT_EQ(files.Folders()[0], fs::path("/opt/radio/bin"));
  EXPECT_EQ(files.Folders()[1], fs::path("/opt/radio/share/torvan"));
}

constexpr auto kReadOnlyFile = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
constexpr auto kReadOnlyDir = kReadOnlyFile | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
constexpr auto kWritableFile = kReadOnlyFile | fs::perms::owner_write;
constexpr auto kWritableDir = kReadOnlyDir | fs::perms::owner_write;

struct MayReplaceCase {
  const char* what;
  fs::perms folder;
  bool fileExists;
  fs::perms file;
  bool expected;
};

void ExpectMayReplace(std::initializer_list<MayReplaceCase> cases) {
  for (const MayReplaceCase& c : cases) {
    SCOPED_TRACE(c.what);
    test::TempDir dir;
    const fs::path folder = dir.path() / "program";
    fs::create_directory(folder);
    const fs::path file = folder / "Program.ini";
    if (c.fileExists) std::ofstream(file) << "[Setup]\n";
    const auto fileMode = c.fileExists ? std::make_unique<ModeFor>(file, c.file) : nullptr;
    const ModeFor folderMode(folder, c.folder);
    EXPECT_EQ(MayReplaceFile(file), c.expected);
  }
}

TEST(MayReplaceFile, DecidesByTheFilesPermissions) {
  ExpectMayReplace({
      {"writable file in a writable folder", kWritableDir, true, kWritableFile, true},
      {"new file in a writable folder", kWritableDir, false, {}, true},
      {"read-only file in a writable folder", kWritableDir, true, kReadOnlyFile, false},
  });
}

TEST(MayReplaceFile, AReadOnlyFolderHasNoRoomForTheTemporaryFile) {
#ifdef _WIN32
  GTEST_SKIP() << "a folder's read-only attribute does not keep new files out on Windows; what does (its access "
                  "list) shows when the write fails";
#endif
  ExpectMayReplace({
      {"writable file in a read-only folder", kReadOnlyDir, true, kWritableFile, false},
      {"new file in a read-only folder", kReadOnlyDir, false, {}, false},
  });
}

TEST(MayReplaceFile, NoFolderNoFile) {
  test::TempDir dir;
  EXPECT_FALSE(MayReplaceFile(dir.path() / "missing" / "Program.ini"));
}

}  // namespace
}  // namespace torvan
