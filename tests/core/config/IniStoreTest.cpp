// CIniStore: reading, lookups, changes, write-back format, backups, failures.

#include "core/config/IniStore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "TempDir.h"

namespace torvan {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

void WriteRaw(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  ASSERT_TRUE(out.good()) << path;
}

std::string ReadRaw(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// What a write-back gave: the backup's name ("" when none was made), or
// "error: " and the message.
std::string WriteBack(CIniStore& store, bool keepBackup) {
  const Result<fs::path> r = store.WriteBack(keepBackup);
  return r.ok() ? r.value().string() : "error: " + r.error();
}

class IniStoreTest : public ::testing::Test {
 protected:
  // A store over `ini` holding `content`, opened as the program opens it
  // (names without regard to case, no write-back on destruction).
  void Load(CIniStore& store, const std::string& content, bool caseInsensitive = true) {
    WriteRaw(ini, content);
    const Status opened = store.OpenPath(ini, {.caseInsensitive = caseInsensitive});
    ASSERT_TRUE(opened.ok()) << opened.error();
  }

  test::TempDir dir;
  const std::string ini = dir.file("Program.ini");
};

struct LookupCase {
  const char* what;
  std::string content;
  std::string section, key;
  std::string expected;  // "<def>" when the default comes back
  bool caseInsensitive = true;
};

TEST_F(IniStoreTest, Lookups) {
  const LookupCase cases[] = {
      {"plain", "[Setup]\nLanguage=English\n", "Setup", "Language", "English"},
      {"keys before the first header", "Lead=1\n[Setup]\nLead=2\n", "", "Lead", "1"},
      {"names without regard to case", "[SETUP]\nlanguage = English\n", "Setup", "Language", "English"},
      {"exact names when asked", "[SETUP]\nLanguage=English\n", "Setup", "Language", "<def>", false},
      {"exact key when asked", "[Setup]\nlanguage=English\n", "Setup", "Language", "<def>", false},
      {"first section of a name", "[Setup]\nA=1\n[setup]\nA=2\nB=3\n", "Setup", "A", "1"},
      {"second section's keys unseen", "[Setup]\nA=1\n[Setup]\nB=3\n", "Setup", "B", "<def>"},
      {"last key of a name", "[S]\nA=1\nA=2\n", "S", "A", "2"},
      {"blanks around = and ends", "[S]\n \t A  =  b c \t\n", "S", "A", "b c"},
      {"first = splits", "[S]\nA=b=c\n", "S", "A", "b=c"},
      {"line without =", "[S]\nFlag\n", "S", "Flag", ""},
      {"// cut keeps the blank before", "[S]\nA=value // note\n", "S", "A", "value "},
      {"tab ; cut", "[S]\nA=value\t; note\n", "S", "A", "value"},
      {"blank ; is no comment", "[S]\nA=value ; note\n", "S", "A", "value ; note"},
      {"/* cut", "[S]\nA=a/*b*/\n", "S", "A", "a"},
      {"earliest mark wins", "[S]\nA=x/*y//z\n", "S", "A", "x"},
      {"value that is a comment", "[S]\nA=//x\n", "S", "A", ""},
      {"comment ;", "[S]\n;A=1\n", "S", ";A", "<def>"},
      {"comment /", "[S]\n/A=1\n", "S", "/A", "<def>"},
      {"comment \\", "[S]\n\\A=1\n", "S", "\\A", "<def>"},
      {"comment *", "[S]\n*A=1\n", "S", "*A", "<def>"},
      {"indented comment", "[S]\n   ; A=1\n", "S", "; A", "<def>"},
      {"line starting with =", "[S]\n=A\n", "S", "", "<def>"},
      {"blanks inside brackets", "[ Setup ]\nA=1\n", "Setup", "A", "<def>"},
      {"blanks inside brackets name", "[ Setup ]\nA=1\n", " Setup ", "A", "1"},
      {"header with a comment is a key", "[S] ;x\nA=1\n", "", "[S] ;x", ""},
      {"lone bracket is a key", "[S]\n[\n", "S", "[", ""},
      {"empty header", "Lead=0\n[]\nA=1\n", "", "A", "<def>"},
      {"missing section", "[S]\nA=1\n", "T", "A", "<def>"},
      {"CR LF line ends", "[S]\r\nA=1\r\nB=2\r\n", "S", "B", "2"},
      {"CR line ends", "[S]\rA=1\rB=2\r", "S", "B", "2"},
      {"no line end at the end", "[S]\nA=1", "S", "A", "1"},
      {"NUL bytes are text", "[S]\nA=x\0y\n"s, "S", "A", "x\0y"s},
      {"bytes that are not UTF-8", "[S]\n\xFF\xFE=\x80\x81\n", "S", "\xFF\xFE", "\x80\x81"},
      {"UTF-8 compares exactly", "[S]\n\xC3\x84=1\n", "S", "\xC3\xA4", "<def>"},
      {"Chinese names", "[Chinese]\nAppName=\xE5\xAF\xB9\xE8\xAE\xB2\xE6\x9C\xBA\n", "chinese", "appname",
       "\xE5\xAF\xB9\xE8\xAE\xB2\xE6\x9C\xBA"},
  };
  for (const auto& c : cases) {
    CIniStore store;
    Load(store, c.content, c.caseInsensitive);
    EXPECT_EQ(store.GetValue(c.section, c.key, "<def>"), c.expected) << c.what;
  }
}

// Loads `content`, applies one change, and writes the store back.
struct WriteCase {
  const char* what;
  std::string content;
  std::string section, key, value;
  std::string written;
};

TEST_F(IniStoreTest, WriteBackFormat) {
  const WriteCase cases[] = {
      {"empty file", "", "Setup", "Language", "English", "[Setup]\r\nLanguage=English\r\n"},
      {"comments, blanks and empty keys are dropped; raw values kept",
       "Lead=1\n; comment\n\n[Setup]\n  Flag  \n Language = English // note\n=x\n*y\n", "Setup", "Language",
       "Chinese", "Lead=1\r\n[Setup]\r\nFlag=\r\nLanguage=Chinese\r\n"},
      {"duplicate sections: the first changes, both are written",
       "[Setup]\nA=1\n[Setup]\nA=2\n", "setup", "a", "9", "[Setup]\r\nA=9\r\n[Setup]\r\nA=2\r\n"},
      {"duplicate keys: the last changes", "[S]\nA=1\nA=2\n", "S", "A", "3", "[S]\r\nA=1\r\nA=3\r\n"},
      {"new key at the end of its section", "[S]\nA=1\n[T]\nB=2\n", "S", "C", "3",
       "[S]\r\nA=1\r\nC=3\r\n[T]\r\nB=2\r\n"},
      {"new section at the end", "Lead=1\n[S]\nA=1\n", "New", "K", "v", "Lead=1\r\n[S]\r\nA=1\r\n[New]\r\nK=v\r\n"},
      {"key in the leading section", "[S]\nA=1\n", "", "Top", "1", "Top=1\r\n[S]\r\nA=1\r\n"},
      {"an empty key is written without =", "[S]\nA=1\n", "S", "", "loose", "[S]\r\nA=1\r\nloose\r\n"},
      {"empty and blank section names keep their headers", "[]\nA=1\n[ S ]\nB=2\n", "X", "C", "3",
       "[]\r\nA=1\r\n[ S ]\r\nB=2\r\n[X]\r\nC=3\r\n"},
      {"CR line ends come back as CR LF", "[S]\rA=1\r", "S", "B", "2", "[S]\r\nA=1\r\nB=2\r\n"},
      {"odd bytes survive", "[S]\nA=x\0y\xFF\n"s, "S", "B", "\xE4\xB8\xAD", "[S]\r\nA=x\0y\xFF\r\nB=\xE4\xB8\xAD\r\n"s},
  };
  for (const auto& c : cases) {
    {
      CIniStore store;
      Load(store, c.content);
      store.SetValue(c.section, c.key, c.value);
      EXPECT_TRUE(store.IsDirty()) << c.what;
      EXPECT_EQ(WriteBack(store, false), "") << c.what;
    }
    EXPECT_EQ(ReadRaw(ini), c.written) << c.what;
    // What was written reads back (a key-less value comes back as a key).
    CIniStore again;
    ASSERT_TRUE(again.OpenPath(ini, {}).ok());
    if (!c.key.empty()) {
      EXPECT_EQ(again.GetValue(c.section, c.key), c.value) << c.what;
    }
  }
}

struct DirtyCase {
  const char* what;
  bool caseInsensitive;
  std::string section, key, value;
  bool dirty;
};

TEST_F(IniStoreTest, DirtyOnlyWhenSomethingChanged) {
  const DirtyCase cases[] = {
      {"same value", true, "Setup", "Language", "English", false},
      {"same value, names in other case", true, "SETUP", "LANGUAGE", "English", false},
      {"only the letter case of the value", true, "Setup", "Language", "english", false},
      {"letter case counts when asked", false, "Setup", "Language", "english", true},
      {"other value", true, "Setup", "Language", "Chinese", true},
      {"new key", true, "Setup", "ShowLang", "1", true},
      {"new section", true, "Other", "Language", "English", true},
  };
  const std::string content = "; product settings\n[Setup]\nLanguage=English\n";
  for (const auto& c : cases) {
    CIniStore store;
    Load(store, content, c.caseInsensitive);
    store.SetValue(c.section, c.key, c.value);
    EXPECT_EQ(store.IsDirty(), c.dirty) << c.what;
    EXPECT_EQ(store.GetValue(c.section, c.key), c.value) << c.what << ": the value is replaced in memory";
    WriteBack(store, false);
    EXPECT_EQ(ReadRaw(ini) == content, !c.dirty) << c.what << ": written only when dirty";
  }
}

TEST_F(IniStoreTest, NothingHappensWithoutAFile) {
  CIniStore store;
  store.SetValue("Setup", "Language", "Chinese");
  EXPECT_FALSE(store.IsDirty());
  EXPECT_EQ(store.GetValue("Setup", "Language", "none"), "none");
  EXPECT_EQ(WriteBack(store, true), "");
  EXPECT_EQ(store.Path().string(), "");
}

TEST_F(IniStoreTest, DestructionWritesBackOnlyWhenAsked) {
  for (bool writeBack : {false, true}) {
    WriteRaw(ini, "[Setup]\nLanguage=English\n");
    {
      CIniStore store;
      ASSERT_TRUE(store.OpenPath(ini, {.writeBackOnDestroy = writeBack}).ok());
      store.SetValue("Setup", "Language", "Chinese");
    }
    EXPECT_EQ(ReadRaw(ini), writeBack ? "[Setup]\r\nLanguage=Chinese\r\n" : "[Setup]\nLanguage=English\n");
  }
}

TEST_F(IniStoreTest, OpenOnALoadedStoreWritesBackWithoutBackupAndClears) {
  const std::string other = dir.file("Other.ini");
  WriteRaw(ini, "[Setup]\nLanguage=English\n");
  WriteRaw(other, "[Other]\nK=v\n");
  CIniStore store;
  ASSERT_TRUE(store.OpenPath(ini, {.keepBackup = true}).ok());
  store.SetValue("Setup", "Language", "Chinese");
  ASSERT_TRUE(store.OpenPath(other, {.keepBackup = true}).ok());
  EXPECT_EQ(ReadRaw(ini), "[Setup]\r\nLanguage=Chinese\r\n");
  EXPECT_FALSE(fs::exists(ini + ".001")) << "no backup on the way";
  EXPECT_FALSE(store.IsDirty());
  EXPECT_EQ(store.Path().string(), other);
  EXPECT_EQ(store.GetValue("Setup", "Language", "gone"), "gone");
  EXPECT_EQ(store.GetValue("Other", "K"), "v");
}

TEST_F(IniStoreTest, MissingFileIsCreatedEmpty) {
  CIniStore::SetProgramStartPath(dir.file("torvan"));
  EXPECT_EQ(CIniStore::ProgramDirectory().string(), dir.path().string());
  {
    CIniStore store;
    const Status opened = store.Open("Program.ini", {.writeBackOnDestroy = true});
    ASSERT_TRUE(opened.ok()) << opened.error();
    EXPECT_EQ(store.Path().string(), ini);
    EXPECT_EQ(store.GetValue("Setup", "Language"), "");
  }
  EXPECT_TRUE(fs::is_regular_file(ini));
  EXPECT_EQ(fs::file_size(ini), 0u) << "a clean store writes nothing at the end";
  CIniStore::SetProgramStartPath("");
}

TEST_F(IniStoreTest, ProgramDirectoryFromTheStartPath) {
  const std::pair<std::string, std::string> cases[] = {
      {"/opt/torvan/bin/torvan", "/opt/torvan/bin"},
      {"C:\\Program Files\\Torvan\\torvan.exe", "C:\\Program Files\\Torvan"},
      {"tools/mixed\\torvan", "tools/mixed"},
      {"/torvan", ""},
      {"torvan", fs::current_path().string()},
      {"", fs::current_path().string()},
  };
  for (const auto& [start, expected] : cases) {
    CIniStore::SetProgramStartPath(start);
    EXPECT_EQ(CIniStore::ProgramDirectory().string(), expected) << start;
  }
  CIniStore::SetProgramStartPath("");
}

TEST_F(IniStoreTest, FileThatCannotBeOpenedLoadsNothing) {
  fs::create_directory(ini);  // a folder where the file should be
  CIniStore store;
  const Status opened = store.OpenPath(ini, {.writeBackOnDestroy = true});
  EXPECT_EQ(opened.error(), "cannot open " + ini + ": Is a directory");
  EXPECT_EQ(store.Path().string(), "");
  store.SetValue("Setup", "Language", "Chinese");
  EXPECT_FALSE(store.IsDirty());
  EXPECT_EQ(store.GetValue("Setup", "Language"), "");

  CIniStore inMissingFolder;
  EXPECT_FALSE(inMissingFolder.OpenPath(dir.file("no-such-folder/Program.ini"), {}).ok());
  EXPECT_FALSE(fs::exists(dir.file("no-such-folder")));
}

struct BackupCase {
  const char* what;
  std::vector<std::string> existing;  // files already in the folder
  std::string suffix;                 // of the backup that is chosen
};

TEST_F(IniStoreTest, BackupNames) {
  const BackupCase cases[] = {
      {"first backup", {}, ".001"},
      {"after the highest number", {"Program.ini.001", "Program.ini.007", "Program.ini.abc"}, ".008"},
      {"names that end in letters count 0", {"Program.ini.bak", "Program.txt"}, ".001"},
      {"any name that starts like the file", {"Program.012"}, ".013"},
      {"other files do not count", {"Other.ini.050"}, ".001"},
  };
  for (const auto& c : cases) {
    test::TempDir folder;
    const std::string path = folder.file("Program.ini");
    WriteRaw(path, "[Setup]\nLanguage=English\n");
    for (const auto& name : c.existing) WriteRaw(folder.file(name), "old");
    CIniStore store;
    ASSERT_TRUE(store.OpenPath(path, {.keepBackup = true}).ok());
    store.SetValue("Setup", "Language", "Chinese");
    EXPECT_EQ(WriteBack(store, true), path + c.suffix) << c.what;
    EXPECT_EQ(ReadRaw(path + c.suffix), "[Setup]\nLanguage=English\n") << c.what << ": the old file";
    EXPECT_EQ(ReadRaw(path), "[Setup]\r\nLanguage=Chinese\r\n") << c.what;
  }
}

TEST_F(IniStoreTest, BackupNameIsKeptForTheStoresLife) {
  WriteRaw(ini, "[Setup]\nLanguage=English\n");
  CIniStore store;
  ASSERT_TRUE(store.OpenPath(ini, {.writeBackOnDestroy = true, .keepBackup = true}).ok());
  store.SetValue("Setup", "Language", "Chinese");
  EXPECT_EQ(WriteBack(store, true), ini + ".001");
  store.SetValue("Setup", "Language", "Deutsch");
  EXPECT_EQ(WriteBack(store, true), ini + ".001") << "not .002";
  EXPECT_EQ(ReadRaw(ini + ".001"), "[Setup]\r\nLanguage=Chinese\r\n");
  EXPECT_FALSE(fs::exists(ini + ".002"));
  EXPECT_EQ(WriteBack(store, false), "") << "no backup asked";
}

TEST_F(IniStoreTest, FailedWriteBackLeavesTheOldFile) {
  // A file that nobody may write, whoever runs the test (root included).
  const std::string old = "[Setup]\nLanguage=English\n";
  WriteRaw(ini, old);
  fs::permissions(ini, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  CIniStore store;
  ASSERT_TRUE(store.OpenPath(ini, {}).ok());
  store.SetValue("Setup", "Language", "Chinese");
  EXPECT_EQ(WriteBack(store, false), "error: cannot write " + ini + ": Permission denied");
  EXPECT_EQ(ReadRaw(ini), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator{}), 1)
      << "no temporary file is left";
}

// The temporary file of a write does not grow with the file's name: a name
// of the longest legal length is written like any other.
TEST_F(IniStoreTest, FileWithTheLongestLegalNameIsWrittenBack) {
  const std::string longPath = dir.file(std::string(251, 'p') + ".ini");
  WriteRaw(longPath, "[Setup]\nLanguage=English\n");
  CIniStore store;
  ASSERT_TRUE(store.OpenPath(longPath, {.keepBackup = true}).ok());
  store.SetValue("Setup", "Language", "Chinese");
  EXPECT_EQ(WriteBack(store, false), "");
  EXPECT_EQ(ReadRaw(longPath), "[Setup]\r\nLanguage=Chinese\r\n");
}

TEST_F(IniStoreTest, FailedBackupWritesNothing) {
  WriteRaw(ini, "[Setup]\nLanguage=English\n");
  CIniStore store;
  ASSERT_TRUE(store.OpenPath(ini, {.keepBackup = true}).ok());
  store.SetValue("Setup", "Language", "Chinese");
  ASSERT_EQ(WriteBack(store, true), ini + ".001");
  // The remembered backup name is now taken by a folder.
  fs::remove(ini + ".001");
  fs::create_directory(ini + ".001");
  store.SetValue("Setup", "Language", "Deutsch");
  EXPECT_EQ(WriteBack(store, true), "error: cannot write " + ini + ".001: Is a directory");
  EXPECT_EQ(ReadRaw(ini), "[Setup]\r\nLanguage=Chinese\r\n") << "the file stays as the last good write";
}

TEST_F(IniStoreTest, LargeFilesLoadWhole) {
  constexpr int kSections = 20000;
  std::string content;
  for (int i = 0; i < kSections; ++i) content += "[S" + std::to_string(i) + "]\nK=" + std::to_string(i) + "\n";
  const std::string huge(4 << 20, 'x');
  content += "[Big]\nLine=" + huge;  // a 4 MB line without line end
  CIniStore store;
  Load(store, content);
  EXPECT_EQ(store.GetValue("S0", "K"), "0");
  EXPECT_EQ(store.GetValue("s19999", "k"), "19999");
  EXPECT_EQ(store.GetValue("Big", "Line"), huge);
  store.SetValue("Big", "Extra", "1");
  EXPECT_EQ(WriteBack(store, false), "");
  std::string expected;
  for (char c : content) {
    if (c == '\n') expected += '\r';
    expected += c;
  }
  expected += "\r\nExtra=1\r\n";
  EXPECT_TRUE(ReadRaw(ini) == expected);
}

// Any bytes load; what is written reads back to the same store, so a second
// write-back gives the same bytes.
TEST_F(IniStoreTest, AnyContentLoadsAndWritesBackStably) {
  const std::string alphabet = "[]=;/\\*\t \r\n\v\fab\xFF\x80"s + '\0';
  std::mt19937 rng(7);  // fixed seed: the same files every run
  for (int n = 0; n < 200; ++n) {
    std::string content(rng() % 300, ' ');
    for (char& c : content) c = alphabet[rng() % alphabet.size()];
    std::string first;
    {
      CIniStore store;
      Load(store, content);
      store.SetValue("Setup", "Language", "English");
      WriteBack(store, false);
      first = ReadRaw(ini);
    }
    CIniStore again;
    ASSERT_TRUE(again.OpenPath(ini, {}).ok());
    again.SetValue("Setup", "Language", "Chinese");
    again.SetValue("Setup", "Language", "English");
    WriteBack(again, false);
    ASSERT_EQ(ReadRaw(ini), first) << "file " << n;
  }
}

}  // namespace
}  // namespace torvan
