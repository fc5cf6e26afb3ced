// Files and folders named in Chinese: every kind of file the core writes is
// created, replaced and read back under 频道.dat in a folder 电台, and the names on
// disk are those characters (on Windows the UTF-16 name, which the ANSI code
// page of a Western system could not hold).

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TempDir.h"
#include "core/config/IniStore.h"
#include "core/files/AtomicFile.h"
#include "core/files/InputFile.h"
#include "core/files/PathText.h"
#include "core/radio/DatFile.h"
#include "core/radio/RadioImage.h"

namespace torvan {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFolder = "\xE7\x94\xB5\xE5\x8F\xB0";                  // 电台
constexpr std::string_view kDatName = "\xE9\xA2\x91\xE9\x81\x93.dat";             // 频道.dat
constexpr std::string_view kIniName = "\xE9\xA2\x91\xE9\x81\x93.ini";             // 频道.ini
constexpr std::string_view kCsvName = "\xE9\xA2\x91\xE9\x81\x93 \xE8\xA1\xA8.csv";  // 频道 表.csv

// The names in `folder` as UTF-8, sorted.
std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(PathText(e.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

class ChineseFileNameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = dir_.path() / PathFromUtf8(kFolder);
    ASSERT_TRUE(fs::create_directory(folder_));
  }

  test::TempDir dir_;
  fs::path folder_;
};

TEST_F(ChineseFileNameTest, RadioImageIsSavedReplacedAndReopened) {
  const fs::path path = folder_ / PathFromUtf8(kDatName);
  RadioImage first = RadioImage::NewDocument();
  first[0x0010] = 0x12;
  ASSERT_TRUE(SaveDat(path, first).ok());
  RadioImage second = first;
  second[0x0010] = 0x34;
  const Status replaced = SaveDat(path, second);
  ASSERT_TRUE(replaced.ok()) << replaced.error();

  RadioImage back;
  const DatLoad load = LoadDat(path, back);
  ASSERT_TRUE(load.ok()) << load.error();
  EXPECT_EQ(load.kind, DatFileKind::Complete);
  EXPECT_EQ(back, second);
  EXPECT_EQ(Names(folder_), std::vector<std::string>{std::string(kDatName)}) << "no temporary file is left";
#ifdef _WIN32
  EXPECT_TRUE(fs::exists(dir_.path() / L"\u7535\u53F0" / L"\u9891\u9053.dat")) << "the UTF-16 name on disk";
#endif
}

TEST_F(ChineseFileNameTest, TextFileIsWrittenAndReadBack) {
  const fs::path path = folder_ / PathFromUtf8(kCsvName);
  const std::string csv = "CH,Rx Frequency\nPr,430.12500\n";
  ASSERT_TRUE(WriteFileAtomically(path, std::string_view(csv)).ok());
  const Result<std::string> back = ReadWholeFile(path);
  ASSERT_TRUE(back.ok()) << back.error();
  EXPECT_EQ(back.value(), csv);
  EXPECT_EQ(Names(folder_), std::vector<std::string>{std::string(kCsvName)});
}

TEST_F(ChineseFileNameTest, SettingsFileIsCreatedWrittenBackAndBackedUp) {
  const fs::path path = folder_ / PathFromUtf8(kIniName);
  {
    CIniStore store;
    const Status opened = store.OpenPath(path, {});
    ASSERT_TRUE(opened.ok()) << opened.error();
    store.SetValue("Setup", "Language", "Chinese");
    const Result<fs::path> first = store.WriteBack(false);
    ASSERT_TRUE(first.ok()) << first.error();
    store.SetValue("Setup", "Language", "English");
    const Result<fs::path> backup = store.WriteBack(true);
    ASSERT_TRUE(backup.ok()) << backup.error();
    EXPECT_EQ(PathText(backup.value().filename()), std::string(kIniName) + ".001");
  }
  CIniStore reopened;
  ASSERT_TRUE(reopened.OpenPath(path, {}).ok());
  EXPECT_EQ(reopened.GetValue("Setup", "Language"), "English");
  EXPECT_EQ(Names(folder_), (std::vector<std::string>{std::string(kIniName), std::string(kIniName) + ".001"}));
}

// A file that is not there is named in the error as the user wrote it.
TEST_F(ChineseFileNameTest, ErrorsNameTheFileInUtf8) {
  const fs::path missing = folder_ / PathFromUtf8(kDatName);
  RadioImage image;
  const DatLoad load = LoadDat(missing, image);
  EXPECT_EQ(load.kind, DatFileKind::NotFound);
  EXPECT_NE(load.error().find(PathText(missing)), std::string::npos) << load.error();
  EXPECT_NE(load.error().find(std::string(kDatName)), std::string::npos) << load.error();
}

}  // namespace
}  // namespace torvan
