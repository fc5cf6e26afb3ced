#include "core/radio/DatFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include "FileNodes.h"
#endif
#include "TempDir.h"
#include "core/files/AtomicFile.h"
#include "core/files/InputFile.h"

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

// What a load found, for a front end to word: the kind, the size, the
// system's text; only Complete and TooLong load the image.
TEST(DatFile, LoadTellsWhatItFound) {
  test::TempDir dir;
  WriteBytes(dir.file("empty.dat"), 0, 0x5A);
  WriteBytes(dir.file("short.dat"), 8191, 0x5A);
  WriteBytes(dir.file("exact.dat"), 8192, 0x5A);
  WriteBytes(dir.file("long.dat"), 9408, 0x5A);
  std::filesystem::create_directory(dir.file("folder.dat"));
  struct Case {
    std::string path;
    DatFileKind kind;
    std::uintmax_t bytes;
    bool bytesExact;
    std::string systemText;
    std::string error;  // "" when the image was loaded
  };
  std::vector<Case> cases = {
      {dir.file("nope.dat"), DatFileKind::NotFound, 0, true, "No such file or directory",
       "cannot open " + dir.file("nope.dat") + ": No such file or directory"},
      {dir.file("folder.dat"), DatFileKind::NotRegularFile, 0, true, "",
       "cannot open " + dir.file("folder.dat") + ": it is a folder"},
      {dir.file("empty.dat"), DatFileKind::TooShort, 0, true, "",
       dir.file("empty.dat") + " is not a radio image: it holds 0 bytes, a radio image has 8192"},
      {dir.file("short.dat"), DatFileKind::TooShort, 8191, true, "",
       dir.file("short.dat") + " is not a radio image: it holds 8191 bytes, a radio image has 8192"},
      {dir.file("exact.dat"), DatFileKind::Complete, 8192, true, "", ""},
      {dir.file("long.dat"), DatFileKind::TooLong, 9408, true, "", ""},
  };
#ifndef _WIN32
  // A stream that goes on: only one byte more than an image is read.
  cases.push_back({test::DeviceNode(dir, test::MemoryDevice::Zero), DatFileKind::TooLong, 8193, false, "", ""});
#endif
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    RadioImage img = RadioImage::NewDocument();
    const DatLoad load = LoadDat(c.path, img);
    EXPECT_EQ(load.kind, c.kind);
    EXPECT_EQ(load.bytes, c.bytes);
    EXPECT_EQ(load.bytesExact, c.bytesExact);
    EXPECT_EQ(load.systemText, c.systemText);
    EXPECT_EQ(load.ok() ? std::string() : load.error(), c.error);
    EXPECT_EQ(img == RadioImage::NewDocument(), !load.ok()) << "loaded exactly when ok";
  }
}

// A pipe is read like a file: exactly 8192 bytes are a complete image, more
// are too long.
TEST(DatFile, PipesAreReadLikeFiles) {
  test::TempDir dir;
  for (const std::size_t size : {std::size_t{8192}, std::size_t{9000}}) {
#ifdef _WIN32
    // A named pipe that one writer fills, as a program piping an image in does.
    const std::wstring name =
        L"\\\\.\\pipe\\torvan-dat-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(size);
    HANDLE pipe = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 1 << 16, 0, 0,
                                   nullptr);
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    const std::string fifo = std::filesystem::path(name).string();
    std::future<void> writer = std::async(std::launch::async, [&] {
      if (ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED) {
        std::string bytes(size, '\0');
        for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(0x33 ^ (i & 0xFF));
        DWORD written = 0;
        WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
      }
      CloseHandle(pipe);  // the end of the stream, as a writer that is done closes its end
    });
#else
    const std::string fifo = dir.file("fifo" + std::to_string(size));
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    std::future<void> writer = std::async(std::launch::async, [&] { WriteBytes(fifo, size, 0x33); });
#endif
    RadioImage img;
    const DatLoad load = LoadDat(fifo, img);
    writer.get();
    ASSERT_TRUE(load.ok()) << load.error();
    EXPECT_EQ(load.kind, size == kImageSize ? DatFileKind::Complete : DatFileKind::TooLong);
    EXPECT_EQ(load.bytesExact, size == kImageSize);
    for (std::size_t i = 0; i < kImageSize; ++i) ASSERT_EQ(img[i], 0x33 ^ (i & 0xFF)) << i;
  }
}

TEST(DatFile, UnreadableFileSaysWhy) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no permission bits that keep a file's owner from reading it";
#else
  if (test::IsRoot()) GTEST_SKIP() << "root reads every file";
  test::TempDir dir;
  WriteBytes(dir.file("locked.dat"), 8192, 0);
  ::chmod(dir.file("locked.dat").c_str(), 0);
  RadioImage img;
  const DatLoad load = LoadDat(dir.file("locked.dat"), img);
  EXPECT_EQ(load.kind, DatFileKind::Unreadable);
  EXPECT_EQ(load.systemText, "Permission denied");
#endif
}

// A write killed half way leaves its temporary file; the next write of the
// same file removes it, and nothing that only looks like one.
TEST(AtomicFile, NextWriteRemovesTemporariesThatKilledWritesLeft) {
  test::TempDir dir;
  const std::vector<std::string> leftovers = {"f.dat.tmp0123abcd", "f.dat.tmpffffffff"};
  // Upper-case digits are not ours. (A name that differed from a leftover only
  // in case would be the same file on Windows.)
  const std::vector<std::string> kept = {"f.dat.tmp4567ABCD", "f.dat.tmp0123abc",  "f.dat.tmp0123abcde",
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
  const Result<std::string> text = ReadWholeFile(dir.file("f.txt"));
  ASSERT_TRUE(text.ok()) << text.error();
  EXPECT_EQ(text.value(), "new");
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
