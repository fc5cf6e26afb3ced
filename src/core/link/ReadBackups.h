#pragma once
// Backups of every read: each complete read of a radio's memory is also kept
// in a folder of the user's, named by the local time of the read and the port
// it came through: "20261210-143005-ttyUSB0.dat". What a radio held before it
// was written cannot be read again afterwards; these files are how the user
// gets it back. Backups older than a year are removed at a later read; nothing
// else in the folder is ever touched.
//
// Every front end keeps its backups with the one call KeepReadBackup, after a
// read has completed, and shows its warning when it has one: a backup that
// cannot be kept never fails the read.

#include <chrono>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/files/Environment.h"
#include "core/files/Status.h"

namespace torvan {

// Names the backup folder in place of the user's own (tests, a shared folder).
inline constexpr const char* kBackupFolderVariable = "TORVAN_BACKUP_DIR";
// A backup is removed once it is older than this.
inline constexpr std::chrono::hours kBackupLifetime{24 * 365};

// The backup folder:
//  - $TORVAN_BACKUP_DIR when it is set and not empty;
//  - on Windows %LOCALAPPDATA%\Torvan\backups;
//  - elsewhere $XDG_DATA_HOME/Torvan/backups (when XDG_DATA_HOME is an
//    absolute path, as the XDG rules ask), else ~/.local/share/Torvan/backups.
// An error when the variables it needs are not set (no home folder).
Result<std::filesystem::path> BackupFolder(const EnvironmentLookup& environment = EnvironmentVariable);

// The file name of a backup of a read through `port` at the local time
// `when`: "YYYYMMDD-HHMMSS-<port name>.dat" (see PortFileName), and for the
// second and later reads in the same second "-2", "-3" ... before ".dat".
std::string BackupFileName(std::string_view port, const std::tm& when, int copy = 1);

// Whether `name` has the form of a backup's file name: 8 digits, '-',
// 6 digits, '-', at least one more character, ".dat".
bool IsBackupFileName(std::string_view name);

struct BackupSettings {
  std::filesystem::path folder;  // empty: BackupFolder()
  std::chrono::system_clock::time_point now = std::chrono::system_clock::now();
};

struct KeptBackup {
  std::filesystem::path file;  // the new backup; empty when none was kept
  // Why no backup was kept, as one line for the user: "no backup of the read
  // was kept: cannot write /x/20261210-143005-ttyUSB0.dat: No space left on
  // device". Empty when it was kept.
  std::string warning;
  std::vector<std::filesystem::path> removed;  // backups removed for their age

  bool ok() const { return warning.empty(); }
};

// Keeps `image`, read completely through `port`, as a new backup: creates the
// folder when it is missing, writes the file atomically and never over another
// file (a second read in the same second gets the next copy number), then
// removes the backups that have grown too old (RemoveOldBackups). Does not
// fail: what went wrong is the warning.
KeptBackup KeepReadBackup(std::span<const std::uint8_t> image, std::string_view port,
                          const BackupSettings& settings = {});

// Removes from `folder` the backups older than kBackupLifetime at `now`:
// regular files with a backup's name whose name's time and whose modification
// time both lie more than kBackupLifetime before `now`. A file of another
// name, a link, a folder, or a backup that only one of the two times calls old
// stays. Returns what was removed; a file that cannot be removed stays for the
// next time.
std::vector<std::filesystem::path> RemoveOldBackups(const std::filesystem::path& folder,
                                                    std::chrono::system_clock::time_point now);

}  // namespace torvan
