// Every complete read keeps a backup: torvan-cli read against a virtual radio,
// with the backup folder named by TORVAN_BACKUP_DIR.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "BackupFolder.h"
#include "ChildProcess.h"
#include "CliRun.h"
#include "TempDir.h"
#include "VirtualRadio.h"
#include "core/radio/DatFile.h"

namespace torvan::test {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::vector<std::string> FilesIn(const fs::path& dir) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(dir, ec)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class ReadBackupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SaveDat(dir_.file("memory.dat"), memory_).ok());
    radio_ = std::make_unique<Radio>(std::vector<std::string>{"--image", dir_.file("memory.dat")});
    ASSERT_FALSE(radio_->path().empty());
  }
  ProcessResult Read(std::vector<std::string> extra) {
    std::vector<std::string> args = {TORVAN_CLI_PATH, "read", "--port", radio_->path(), "-o", out_};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunProcess(args, kCommandLimit);
  }
  // The port name of the radio's port: the last component of its path.
  std::string PortName() const { return fs::path(radio_->path()).filename().string(); }

  TempDir dir_;
  const RadioImage memory_ = Pattern(11);
  std::unique_ptr<Radio> radio_;
  const std::string out_ = dir_.file("out.dat");
  const fs::path backups_ = dir_.path() / "backups";
};

// A read leaves OUT.dat and one backup of the same bytes, named by the time
// and the port; a second read in the same second keeps its own, never
// replacing the first; --no-backup keeps none and creates no folder.
TEST_F(ReadBackupTest, EveryReadIsKeptUnlessTurnedOff) {
  {
    const ScopedBackupFolder folder((dir_.path() / "off").string());
    const ProcessResult r = Read({"--no-backup"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(Load(out_), memory_);
    EXPECT_FALSE(fs::exists(dir_.path() / "off")) << "--no-backup touches no backup folder";
  }
  const ScopedBackupFolder folder(backups_.string());
  const ProcessResult first = Read({});
  ASSERT_EQ(first.exitCode, 0) << first.err;
  EXPECT_EQ(first.err, "") << "a kept backup is silent";
  const std::vector<std::string> one = FilesIn(backups_);
  ASSERT_EQ(one.size(), 1u);
  const std::regex name("[0-9]{8}-[0-9]{6}-" + PortName() + "(-[0-9]+)?\\.dat");
  EXPECT_TRUE(std::regex_match(one[0], name)) << one[0];
  EXPECT_EQ(Load(backups_ / one[0]), Load(out_));

  // Reads a quarter of a second apart, mostly within one second: each keeps a file of its own.
  for (int i = 0; i < 3; ++i) ASSERT_EQ(Read({}).exitCode, 0);
  const std::vector<std::string> all = FilesIn(backups_);
  ASSERT_EQ(all.size(), 4u) << "one backup per read, none replaced";
  for (const std::string& file : all) {
    EXPECT_TRUE(std::regex_match(file, name)) << file;
    EXPECT_EQ(Load(backups_ / file), memory_) << file;
  }
}

// A backup that cannot be written is one warning line; the read itself
// succeeds and its output is written.
TEST_F(ReadBackupTest, ABackupThatCannotBeWrittenIsAWarning) {
  const std::string blocker = dir_.file("a-file");
  ASSERT_TRUE(SaveDat(blocker, Pattern(1)).ok());
  const std::string folder = blocker + "/backups";  // below a regular file: never a folder
  const ScopedBackupFolder backupFolder(folder);
  const ProcessResult r = Read({});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "torvan-cli: warning: no backup of the read was kept: cannot create the folder " + folder +
                       ": Not a directory\n");
  EXPECT_EQ(Load(out_), memory_);
  EXPECT_EQ(Load(blocker), Pattern(1));
}

// At a read, backups older than a year go: files of a backup's name whose
// name and modification time both lie more than 365 days back. Nothing else
// in the folder is touched: other names, a backup only one of the two times
// calls old, a folder or a link of a backup's name.
TEST_F(ReadBackupTest, OldBackupsAreRemovedAtTheNextRead) {
  fs::create_directories(backups_);
  const auto now = fs::file_time_type::clock::now();
  const auto old = now - std::chrono::hours(24 * 400);
  const auto recent = now - std::chrono::hours(24 * 300);
  const struct {
    std::string name;
    fs::file_time_type modified;
    bool removed;
  } files[] = {
      {"20000101-120000-ttyUSB0.dat", old, true},
      {"20000102-000000-COM5-2.dat", old, true},
      {"20000101-120000-ttyUSB1.dat", recent, false},  // copied here lately: its time says it is not old
      {"29991231-235959-ttyUSB0.dat", old, false},      // its name says it is not old
      {"20000101-120000-ttyUSB0.DAT", old, false},
      {"20000101-120000.dat", old, false},
      {"2000-01-01-ttyUSB0.dat", old, false},
      {"notes.txt", old, false},
      {"radio.dat", old, false},
  };
  for (const auto& f : files) {
    ASSERT_TRUE(SaveDat(backups_ / f.name, Pattern(2)).ok()) << f.name;
    fs::last_write_time(backups_ / f.name, f.modified);
  }
  fs::create_directory(backups_ / "20000103-000000-folder.dat");
  fs::create_symlink(backups_ / "notes.txt", backups_ / "20000104-000000-link.dat");

  const ScopedBackupFolder folder(backups_.string());
  const ProcessResult r = Read({});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  for (const auto& f : files) EXPECT_EQ(fs::exists(backups_ / f.name), !f.removed) << f.name;
  EXPECT_TRUE(fs::is_directory(backups_ / "20000103-000000-folder.dat"));
  EXPECT_TRUE(fs::is_symlink(backups_ / "20000104-000000-link.dat"));
  EXPECT_TRUE(fs::exists(backups_ / "notes.txt"));
  // The 9 files less the 2 old backups, the folder, the link and the new backup.
  EXPECT_EQ(FilesIn(backups_).size(), std::size(files) - 2 + 2 + 1);

  // --no-backup also leaves the folder alone: nothing is pruned.
  for (const auto& f : files) {
    if (!f.removed) continue;
    ASSERT_TRUE(SaveDat(backups_ / f.name, Pattern(2)).ok());
    fs::last_write_time(backups_ / f.name, f.modified);
  }
  ASSERT_EQ(Read({"--no-backup"}).exitCode, 0);
  for (const auto& f : files) EXPECT_TRUE(fs::exists(backups_ / f.name)) << f.name;
}

}  // namespace
}  // namespace torvan::test
