#include "core/radio/DatFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TempDir.h"
#include "core/files/AtomicFile.h"

namespace torvan {
namespace {

void WriteBytes(const std::string& path, std::size_t n, std::uint8_t fill) {
  std::ofstream out(path, std::ios::binary);
  for (std::size_t i = 0; i < n; ++i) out.put(static_cast<char>(fill ^ (i & 0xFF)));
}

TEST(DatFile, SaveThenLoadIsByteExact) {
  test::TempDir dir;
  RadioImage img = RadioImage::NewDocument();
  for (std::size_t i = 0; i < kImageSize; i += 7) img[i] = static_cast<std::uint8_t>(i * 31);
  ASSERT_TRUE(SaveDat(dir.file("a.dat"), img).ok());
  EXPECT_EQ(std::filesystem::file_size(dir.file("a.dat")), kImageSize);
  RadioImage back;
  ASSERT_TRUE(LoadDat(dir.file("a.dat"), back).ok());
  EXPECT_EQ(back, img);
}

TEST(DatFile, SizesOtherThan8192) {
  test::TempDir dir;
  const RadioImage before = RadioImage::NewDocument();
  for (std::size_t n : {0, 1, 8191}) {
    WriteBytes(dir.file("short.dat"), n, 0x5A);
    RadioImage img = before;
    const Status s = LoadDat(dir.file("short.dat"), img);
    EXPECT_FALSE(s.ok()) << n;
    EXPECT_NE(s.error().find("holds " + std::to_string(n) + " bytes"), std::string::npos) << s.error();
    EXPECT_EQ(img, before) << "a refused file changes nothing";
  }
  WriteBytes(dir.file("long.dat"), 20000, 0x5A);
  RadioImage img;
  ASSERT_TRUE(LoadDat(dir.file("long.dat"), img).ok());
  for (std::size_t i = 0; i < kImageSize; ++i) ASSERT_EQ(img[i], 0x5A ^ (i & 0xFF)) << i;
}

TEST(DatFile, MissingFileAndFolderAreNamedInTheError) {
  test::TempDir dir;
  RadioImage img;
  Status s = LoadDat(dir.file("nope.dat"), img);
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.error().find("nope.dat"), std::string::npos);
  s = LoadDat(dir.path().string(), img);
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.error().find("folder"), std::string::npos);
}

// A write killed half way leaves its temporary file; the next write of the
// same file removes it, and nothing that only looks like one.
TEST(AtomicFile, NextWriteRemovesTemporariesThatKilledWritesLeft) {
  test::TempDir dir;
  const std::vector<std::string> leftovers = {"f.dat.tmp0123abcd", "f.dat.tmpffffffff"};
  const std::vector<std::string> kept = {"f.dat.tmp0123ABCD", "f.dat.tmp0123abc",  "f.dat.tmp0123abcde",
                                         "g.dat.tmp0123abcd", "f.dat.tmp0123abcd.txt", "xf.dat.tmp0123abcd"};
  for (const auto& name : leftovers) WriteBytes(dir.file(name), 100, 0x11);
  for (const auto& name : kept) WriteBytes(dir.file(name), 100, 0x22);
  std::filesystem::create_directory(dir.file("f.dat.tmp00000000"));  // not a file: stays

  ASSERT_TRUE(WriteFileAtomically(dir.file("f.dat"), std::string_view("new")).ok());
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  std::vector<std::string> expected = kept;
  expected.push_back("f.dat");
  expected.push_back("f.dat.tmp00000000");
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names, expected);
}

TEST(AtomicFile, FailedWriteLeavesTheOldFileAndNoTemporary) {
  test::TempDir dir;
  ASSERT_TRUE(WriteFileAtomically(dir.file("f.txt"), std::string_view("old")).ok());
  ASSERT_TRUE(WriteFileAtomically(dir.file("f.txt"), std::string_view("new")).ok());
  std::string text;
  ASSERT_TRUE(ReadWholeFile(dir.file("f.txt"), text).ok());
  EXPECT_EQ(text, "new");
  // A target inside a missing folder fails and names the path.
  const Status s = WriteFileAtomically(dir.file("missing/f.txt"), std::string_view("x"));
  EXPECT_FALSE(s.ok());
  EXPECT_NE(s.error().find("missing/f.txt"), std::string::npos);
  // Replacing a folder fails; the folder and the old file remain, no .tmp is left.
  std::filesystem::create_directory(dir.file("d"));
  EXPECT_FALSE(WriteFileAtomically(dir.file("d"), std::string_view("x")).ok());
  EXPECT_TRUE(std::filesystem::is_directory(dir.file("d")));
  int entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
    EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << e.path();
    ++entries;
  }
  EXPECT_EQ(entries, 2);
}

}  // namespace
}  // namespace torvan
