// Backups of every read: where they go, what they are called, that none
// replaces another, that a backup that cannot be kept is a warning, and that
// only backups older than a year are removed, and nothing else.

#include "core/link/ReadBackups.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "TempDir.h"

namespace torvan {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono;
using namespace std::chrono_literals;
using test::TempDir;

// Runs a test in a time zone of its own and puts the old one back.
class TimeZone {
 public:
  explicit TimeZone(const char* zone) {
    if (const char* old = std::getenv("TZ")) old_ = old;
    Set(zone);
  }
  ~TimeZone() { Set(old_ ? old_->c_str() : nullptr); }

 private:
  static void Set(const char* zone) {
#ifdef _WIN32
    _putenv_s("TZ", zone ? zone : "");
    _tzset();
#else
    if (zone) {
      ::setenv("TZ", zone, 1);
    } else {
      ::unsetenv("TZ");
    }
    ::tzset();
#endif
  }

  std::optional<std::string> old_;
};

std::string ReadRaw(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteRaw(const fs::path& path, const std::string& bytes, system_clock::time_point modified) {
  std::ofstream(path, std::ios::binary) << bytes;
  fs::last_write_time(path, file_clock::from_sys(modified));
}

std::vector<std::string> Names(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::uint8_t> Image(std::uint8_t salt) {
  std::vector<std::uint8_t> image(8192);
  for (std::size_t i = 0; i < image.size(); ++i) image[i] = static_cast<std::uint8_t>(i * 7 + salt);
  return image;
}

std::string Text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// 2026-12-10 06:30:05 UTC: 14:30:05 in China (UTC+8).
const system_clock::time_point kReadTime = sys_days{year{2026} / 12 / 10} + 6h + 30min + 5s;

TEST(ReadBackups, FolderFromTheEnvironment) {
  using Env = std::map<std::string, std::string>;
  const struct {
    const char* what;
    Env env;
    std::string folder;  // empty: an error
  } cases[] = {
      {"the override wins", {{"TORVAN_BACKUP_DIR", "/srv/radios"}, {"XDG_DATA_HOME", "/x"}, {"HOME", "/home/u"}},
       "/srv/radios"},
#ifdef _WIN32
      {"local application data", {{"LOCALAPPDATA", "C:\\Users\\u\\AppData\\Local"}},
       "C:\\Users\\u\\AppData\\Local\\Torvan\\backups"},
      {"an empty override counts as none", {{"TORVAN_BACKUP_DIR", ""}, {"LOCALAPPDATA", "C:\\L"}},
       "C:\\L\\Torvan\\backups"},
      {"nothing to go by", {}, ""},
#else
      {"XDG data home", {{"XDG_DATA_HOME", "/data/u"}, {"HOME", "/home/u"}}, "/data/u/Torvan/backups"},
      {"home", {{"HOME", "/home/u"}}, "/home/u/.local/share/Torvan/backups"},
      {"an empty override counts as none", {{"TORVAN_BACKUP_DIR", ""}, {"HOME", "/home/u"}},
       "/home/u/.local/share/Torvan/backups"},
      {"a relative XDG data home is ignored", {{"XDG_DATA_HOME", "data"}, {"HOME", "/home/u"}},
       "/home/u/.local/share/Torvan/backups"},
      {"an empty XDG data home is ignored", {{"XDG_DATA_HOME", ""}, {"HOME", "/home/u"}},
       "/home/u/.local/share/Torvan/backups"},
      {"nothing to go by", {{"XDG_DATA_HOME", "data"}}, ""},
#endif
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Result<fs::path> folder = BackupFolder([&](const std::string& name) -> std::optional<std::string> {
      const auto it = c.env.find(name);
      if (it == c.env.end()) return std::nullopt;
      return it->second;
    });
    if (c.folder.empty()) {
      ASSERT_FALSE(folder.ok());
      EXPECT_NE(folder.error().find("no backup folder"), std::string::npos) << folder.error();
    } else {
      ASSERT_TRUE(folder.ok()) << folder.error();
      EXPECT_EQ(folder.value(), fs::path(c.folder));
    }
  }
}

TEST(ReadBackups, NamesCarryTheLocalTimeAndThePort) {
  const TimeZone china("CST-8");
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 0;
  t.tm_mday = 2;
  t.tm_hour = 3;
  t.tm_min = 4;
  t.tm_sec = 5;
  EXPECT_EQ(BackupFileName("/dev/ttyUSB0", t), "20260102-030405-ttyUSB0.dat");
  EXPECT_EQ(BackupFileName("/dev/ttyUSB0", t, 2), "20260102-030405-ttyUSB0-2.dat");
  EXPECT_EQ(BackupFileName("COM5", t), "20260102-030405-COM5.dat");
  EXPECT_EQ(BackupFileName("/dev/a:b", t, 12), "20260102-030405-a_b-12.dat");

  TempDir dir;
  const KeptBackup kept = KeepReadBackup(Image(1), "/dev/ttyUSB0", {dir.path(), kReadTime});
  ASSERT_TRUE(kept.ok()) << kept.warning;
  EXPECT_EQ(kept.file, dir.path() / "20261210-143005-ttyUSB0.dat") << "local time, not UTC";

  const struct {
    const char* name;
    bool ours;
  } names[] = {
      {"20261210-143005-ttyUSB0.dat", true},
      {"20261210-143005-ttyUSB0-2.dat", true},
      {"20261210-143005-x.dat", true},
      {"20261210-143005-.dat", false},
      {"20261210-143005.dat", false},
      {"20261210-143005-ttyUSB0.csv", false},
      {"2026121-143005-ttyUSB0.dat", false},
      {"20261210_143005-ttyUSB0.dat", false},
      {"2026121x-143005-ttyUSB0.dat", false},
      {"20261210-14300x-ttyUSB0.dat", false},
      {"notes.dat", false},
      {"", false},
  };
  for (const auto& n : names) EXPECT_EQ(IsBackupFileName(n.name), n.ours) << n.name;
}

// The folder is made when it is missing; each read is a file of its own, also
// several in one second; the bytes are the image's.
TEST(ReadBackups, EveryReadIsKeptAndNoneReplacesAnother) {
  const TimeZone china("CST-8");
  TempDir dir;
  const fs::path folder = dir.path() / "data" / "Torvan" / "backups";
  std::vector<fs::path> files;
  for (std::uint8_t read = 0; read < 3; ++read) {
    const KeptBackup kept = KeepReadBackup(Image(read), "/dev/ttyUSB0", {folder, kReadTime});
    ASSERT_TRUE(kept.ok()) << kept.warning;
    files.push_back(kept.file);
  }
  // Another port in the same second has a name of its own.
  const KeptBackup other = KeepReadBackup(Image(9), "/dev/ttyUSB1", {folder, kReadTime});
  ASSERT_TRUE(other.ok()) << other.warning;
  EXPECT_EQ(other.file, folder / "20261210-143005-ttyUSB1.dat");

  EXPECT_EQ(files, (std::vector<fs::path>{folder / "20261210-143005-ttyUSB0.dat",
                                          folder / "20261210-143005-ttyUSB0-2.dat",
                                          folder / "20261210-143005-ttyUSB0-3.dat"}));
  for (std::uint8_t read = 0; read < 3; ++read) EXPECT_EQ(ReadRaw(files[read]), Text(Image(read)));
  EXPECT_EQ(Names(folder).size(), 4u) << "no temporary file is left";
}

TEST(ReadBackups, ABackupThatCannotBeKeptIsAWarning) {
  TempDir dir;
  const fs::path file = dir.path() / "file";
  std::ofstream(file) << "not a folder";
  const struct {
    fs::path folder;
    std::string warning;
  } cases[] = {
      {file, "no backup of the read was kept: cannot create the folder " + file.string() + ": "},
      {file / "backups", "no backup of the read was kept: cannot create the folder " + (file / "backups").string() +
                             ": "},
  };
  for (const auto& c : cases) {
    const KeptBackup kept = KeepReadBackup(Image(1), "/dev/ttyUSB0", {c.folder, kReadTime});
    EXPECT_FALSE(kept.ok());
    EXPECT_TRUE(kept.file.empty());
    EXPECT_TRUE(kept.warning.starts_with(c.warning)) << kept.warning;
    EXPECT_GT(kept.warning.size(), c.warning.size()) << "the system's reason follows";
  }
  EXPECT_EQ(ReadRaw(file), "not a folder");
}

// Only our own backups, and only when both their name and their file say they
// are more than a year old; never a file of another name, a link, a folder.
TEST(ReadBackups, OnlyBackupsOlderThanAYearAreRemoved) {
  const TimeZone china("CST-8");
  TempDir dir;
  const fs::path folder = dir.path();
  const auto old = kReadTime - 366 * 24h;
  const auto young = kReadTime - 364 * 24h;
  const struct {
    const char* name;
    system_clock::time_point modified;
    bool removed;
  } files[] = {
      // kReadTime - 366 days is 2025-12-09 14:30:05 in China.
      {"20251209-143005-ttyUSB0.dat", old, true},
      {"20251209-143005-ttyUSB0-2.dat", old, true},
      {"20200101-000000-COM5.dat", sys_days{year{2020} / 1 / 1}, true},
      // A year and a second: still old; a year less a second: young.
      {"20251210-143004-ttyUSB0.dat", kReadTime - kBackupLifetime - 1s, true},
      {"20251210-143006-ttyUSB0.dat", kReadTime - kBackupLifetime + 1s, false},
      {"20251211-143005-ttyUSB0.dat", young, false},
      // One of the two times says young.
      {"20200101-000000-copied.dat", young, false},
      {"20261201-000000-touched.dat", old, false},
      // Not ours.
      {"notes.txt", old, false},
      {"20200101-000000-ttyUSB0.csv", old, false},
      {"radio.dat", old, false},
      {"20200101-000000.dat", old, false},
  };
  for (const auto& f : files) WriteRaw(folder / f.name, f.name, f.modified);
  fs::create_directory(folder / "20200101-000000-folder.dat");
#ifndef _WIN32
  fs::create_symlink(folder / "radio.dat", folder / "20200101-000000-link.dat");
#endif
  // The MinGW runtime cannot set a folder's time (it opens folders as files):
  // there the folder stays young by its time and old by its name only.
  std::error_code timeNotSet;
  fs::last_write_time(folder / "20200101-000000-folder.dat", file_clock::from_sys(old), timeNotSet);
#ifndef _WIN32
  ASSERT_FALSE(timeNotSet) << timeNotSet.message();
#endif

  const KeptBackup kept = KeepReadBackup(Image(1), "/dev/ttyUSB0", {folder, kReadTime});
  ASSERT_TRUE(kept.ok()) << kept.warning;
  std::vector<fs::path> expectedRemoved;
  for (const auto& f : files) {
    EXPECT_EQ(fs::exists(folder / f.name), !f.removed) << f.name;
    if (f.removed) expectedRemoved.push_back(folder / f.name);
  }
  std::sort(expectedRemoved.begin(), expectedRemoved.end());
  EXPECT_EQ(kept.removed, expectedRemoved);
  EXPECT_TRUE(fs::is_directory(folder / "20200101-000000-folder.dat"));
#ifndef _WIN32
  EXPECT_TRUE(fs::is_symlink(folder / "20200101-000000-link.dat"));
#endif
  EXPECT_TRUE(fs::exists(kept.file)) << "the new backup stays";
}

}  // namespace
}  // namespace torvan
