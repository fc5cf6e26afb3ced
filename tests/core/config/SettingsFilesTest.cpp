// Which Program.ini holds the user's settings, for each way the program's
// files can lie; and moving the store to the per-user copy before a change.

#include "core/config/SettingsFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>

#include "TempDir.h"
#include "core/config/IniStore.h"

namespace torvan {
namespace {

namespace fs = std::filesystem;

constexpr auto kReadOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
constexpr auto kReadOnlyDir = kReadOnly | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A tree as an installation or a portable copy leaves it: P/bin (the
// program's folder), P/share/torvan, and the user's folder P/config/torvan.
class Tree {
 public:
  fs::path Bin() const { return dir_.path() / "bin"; }
  fs::path Share() const { return dir_.path() / "share/torvan"; }
  fs::path User() const { return dir_.path() / "config/torvan"; }
  fs::path Root() const { return dir_.path(); }

  Tree() {
    fs::create_directories(Bin());
    fs::create_directories(Share());
  }
  ~Tree() {
    std::error_code ec;
    for (const fs::path& p : {Bin(), Bin() / kProgramIniName}) fs::permissions(p, fs::perms::owner_all, fs::perm_options::add, ec);
  }
  Tree(const Tree&) = delete;
  Tree& operator=(const Tree&) = delete;

  static void Write(const fs::path& p, const std::string& content) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << content;
  }

 private:
  test::TempDir dir_;
};

enum Where { kBin, kShare, kUser, kNone };
enum Lock { kUnlocked, kFileReadOnly, kFolderReadOnly };
struct ChoiceCase {
  const char* what;
  bool beside, shared, copy;
  Lock lock;
  bool userFolder;
  Where read, write;
  bool shareFolder;  // P/share/torvan exists
  const char* besideContent = "[Setup]\nLanguage=English\n";
};

void ExpectChoices(std::initializer_list<ChoiceCase> cases) {
  for (const ChoiceCase& c : cases) {
    SCOPED_TRACE(c.what);
    Tree t;
    if (!c.shareFolder) fs::remove_all(t.Root() / "share");
    if (c.beside) Tree::Write(t.Bin() / kProgramIniName, c.besideContent);
    if (c.shared) Tree::Write(t.Share() / kProgramIniName, "[Setup]\nLanguage=English\n");
    if (c.copy) Tree::Write(t.User() / kProgramIniName, "[Setup]\nLanguage=Chinese\n");
    if (c.lock == kFileReadOnly) fs::permissions(t.Bin() / kProgramIniName, kReadOnly);
    if (c.lock == kFolderReadOnly) fs::permissions(t.Bin(), kReadOnlyDir);

    const auto path = [&](Where w) {
      switch (w) {
        case kBin: return t.Bin() / kProgramIniName;
        case kShare: return t.Share() / kProgramIniName;
        case kUser: return t.User() / kProgramIniName;
        case kNone: break;
      }
      return fs::path();
    };
    const SettingsFiles chosen = ChooseSettingsFiles(ProgramFiles(t.Bin()), c.userFolder ? t.User() : fs::path());
    EXPECT_EQ(chosen.read, path(c.read));
    EXPECT_EQ(chosen.write, path(c.write));
    EXPECT_EQ(chosen.ChangesGoToCopy(), c.read != c.write);
  }
}

TEST(ChooseSettingsFiles, ReadsTheUsersCopyOnlyWhereTheShippedFileMayNotBeWritten) {
  ExpectChoices({
      {"portable copy: as ever, beside the program", true, false, false, kUnlocked, true, kBin, kBin, true},
      {"portable copy wins over a user's copy", true, true, true, kUnlocked, true, kBin, kBin, true},
      {"read-only Program.ini: read, changes to the copy", true, false, false, kFileReadOnly, true, kBin, kUser, true},
      {"read-only beside, the copy exists: the copy", true, false, true, kFileReadOnly, true, kUser, kUser, true},
      {"installed: share read, changes to the copy", false, true, false, kUnlocked, true, kShare, kUser, true},
      {"installed, the copy exists: the copy", false, true, true, kUnlocked, true, kUser, kUser, true},
      {"installed, no user folder: share as it is", false, true, false, kUnlocked, false, kShare, kShare, true},
      {"portable copy without Program.ini: beside, created there", false, false, false, kUnlocked, true, kBin, kBin,
       false},
      {"installed tree without Program.ini: share, never beside the program", false, false, false, kUnlocked, true,
       kShare, kShare, true},
      {"the same without a user folder", false, false, false, kUnlocked, false, kShare, kShare, true},
      {"an empty file beside an installed program does not hide the shipped one", true, true, false, kUnlocked,
       true, kShare, kUser, true, ""},
      {"an empty file beside a portable copy is its Program.ini", true, false, false, kUnlocked, true, kBin, kBin,
       true, ""},
  });
}

TEST(ChooseSettingsFiles, AReadOnlyFolderSendsChangesToTheCopy) {
#ifdef _WIN32
  GTEST_SKIP() << "a folder's read-only attribute does not keep new files out on Windows; what does (its access "
                  "list) shows when the write fails";
#endif
  ExpectChoices({
      {"read-only folder: read, changes to the copy", true, false, false, kFolderReadOnly, true, kBin, kUser, true},
  });
}

TEST(MoveStoreToWritableFile, CopiesTheShippedFileAndChangesGoToTheCopyOnly) {
  Tree t;
  const std::string shipped = "[Setup]\r\nLanguage=English\r\nShowLang=1\r\n[English]\r\nCompany=Kestrel Bay\r\n";
  Tree::Write(t.Share() / kProgramIniName, shipped);
  const SettingsFiles files = ChooseSettingsFiles(ProgramFiles(t.Bin()), t.User());
  ASSERT_TRUE(files.ChangesGoToCopy());
  {
    CIniStore store;
    ASSERT_TRUE(store.OpenPath(files.read, {}).ok());
    ASSERT_TRUE(MoveStoreToWritableFile(store, files).ok());
    EXPECT_EQ(fs::path(store.Path()), files.write);
    EXPECT_EQ(Slurp(files.write), shipped);  // the whole file, not only the changed key
    store.SetValue("Setup", "Language", "Chinese");
    // Moving again is nothing: the store holds the copy already.
    ASSERT_TRUE(MoveStoreToWritableFile(store, files).ok());
    EXPECT_EQ(store.GetValue("Setup", "Language"), "Chinese");
  }  // the store writes itself back when it goes
  EXPECT_NE(Slurp(files.write).find("Language=Chinese"), std::string::npos) << Slurp(files.write);
  EXPECT_NE(Slurp(files.write).find("Company=Kestrel Bay"), std::string::npos);
  EXPECT_EQ(Slurp(files.read), shipped);

  // From now on the copy is what the program reads.
  const SettingsFiles next = ChooseSettingsFiles(ProgramFiles(t.Bin()), t.User());
  EXPECT_EQ(next.read, files.write);
  EXPECT_FALSE(next.ChangesGoToCopy());
}

TEST(MoveStoreToWritableFile, ACopyThatCannotBeMadeLeavesTheStoreOnItsFile) {
  Tree t;
  Tree::Write(t.Share() / kProgramIniName, "[Setup]\nLanguage=English\n");
  // The user's folder cannot exist: a file stands where its parent would be.
  Tree::Write(t.Root() / "config", "not a folder");
  const SettingsFiles files = ChooseSettingsFiles(ProgramFiles(t.Bin()), t.User());
  CIniStore store;
  ASSERT_TRUE(store.OpenPath(files.read, {}).ok());
  const Status s = MoveStoreToWritableFile(store, files);
  ASSERT_FALSE(s.ok());
  EXPECT_NE(s.error().find(files.write.string()), std::string::npos) << s.error();
  EXPECT_EQ(fs::path(store.Path()), files.read);
  EXPECT_EQ(store.GetValue("Setup", "Language"), "English");
}

}  // namespace
}  // namespace torvan
