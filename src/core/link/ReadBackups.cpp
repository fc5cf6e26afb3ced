#include "core/link/ReadBackups.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "core/files/AtomicFile.h"
#include "core/files/LocalTime.h"
#include "core/files/PathText.h"
#include "core/link/PortFileName.h"

namespace torvan {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kAppFolder = "Torvan";
constexpr std::string_view kBackupsFolder = "backups";
constexpr std::string_view kExtension = ".dat";
constexpr std::size_t kDateDigits = 8;  // YYYYMMDD
constexpr std::size_t kTimeDigits = 6;  // HHMMSS
constexpr std::size_t kStampSize = kDateDigits + 1 + kTimeDigits;
// Reads in one second of one port beyond this many are not kept: something
// is reading in a loop, and the folder should not fill up with it.
constexpr int kMaxCopiesPerSecond = 1000;
constexpr int kFirstYear = 1900;

// "YYYYMMDD-HHMMSS".
std::string Stamp(const std::tm& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02d-%02d%02d%02d", t.tm_year + kFirstYear, t.tm_mon + 1, t.tm_mday,
                t.tm_hour, t.tm_min, t.tm_sec);
  return text;
}

bool AllDigits(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<std::string> NonEmpty(const EnvironmentLookup& environment, const std::string& name) {
  std::optional<std::string> value = environment(name);
  if (value && value->empty()) value.reset();
  return value;
}

std::chrono::system_clock::time_point ModificationTime(const fs::directory_entry& entry, std::error_code& ec) {
  const fs::file_time_type t = entry.last_write_time(ec);
  if (ec) return {};
  return std::chrono::time_point_cast<std::chrono::system_clock::duration>(std::chrono::file_clock::to_sys(t));
}

}  // namespace

Result<fs::path> BackupFolder(const EnvironmentLookup& environment) {
  if (const auto chosen = NonEmpty(environment, kBackupFolderVariable)) return PathFromUtf8(*chosen);
#ifdef _WIN32
  const auto base = NonEmpty(environment, "LOCALAPPDATA");
  if (!base) return Status::Error("no backup folder: neither TORVAN_BACKUP_DIR nor LOCALAPPDATA is set");
  return PathFromUtf8(*base) / PathFromUtf8(kAppFolder) / PathFromUtf8(kBackupsFolder);
#else
  fs::path data;
  if (const auto xdg = NonEmpty(environment, "XDG_DATA_HOME"); xdg && PathFromUtf8(*xdg).is_absolute()) {
    data = PathFromUtf8(*xdg);
  } else if (const auto home = NonEmpty(environment, "HOME")) {
    data = PathFromUtf8(*home) / ".local" / "share";
  } else {
    return Status::Error("no backup folder: neither TORVAN_BACKUP_DIR, XDG_DATA_HOME nor HOME is set");
  }
  return data / PathFromUtf8(kAppFolder) / PathFromUtf8(kBackupsFolder);
#endif
}

std::string BackupFileName(std::string_view port, const std::tm& when, int copy) {
  std::string name = Stamp(when) + "-" + PortFileName(port);
  if (copy > 1) name += "-" + std::to_string(copy);
  return name + std::string(kExtension);
}

bool IsBackupFileName(std::string_view name) {
  if (name.size() <= kStampSize + 1 + kExtension.size()) return false;
  return AllDigits(name.substr(0, kDateDigits)) && name[kDateDigits] == '-' &&
         AllDigits(name.substr(kDateDigits + 1, kTimeDigits)) && name[kStampSize] == '-' && name.ends_with(kExtension);
}

KeptBackup KeepReadBackup(std::span<const std::uint8_t> image, std::string_view port, const BackupSettings& settings) {
  KeptBackup kept;
  const auto warn = [&](const std::string& why) { kept.warning = "no backup of the read was kept: " + why; };
  fs::path folder = settings.folder;
  if (folder.empty()) {
    const Result<fs::path> found = BackupFolder();
    if (!found) {
      warn(found.error());
      return kept;
    }
    folder = found.value();
  }
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec) {
    warn("cannot create the folder " + PathText(folder) + ": " + ec.message());
    return kept;
  }

  const std::tm when = LocalTime(settings.now);
  for (int copy = 1; copy <= kMaxCopiesPerSecond; ++copy) {
    const fs::path file = folder / PathFromUtf8(BackupFileName(port, when, copy));
    bool exists = false;
    const Status written = CreateFileAtomically(file, image, &exists);
    if (written.ok()) {
      kept.file = file;
      break;
    }
    if (!exists) {
      warn(written.error());
      break;
    }
  }
  if (kept.file.empty() && kept.warning.empty()) {
    warn(std::to_string(kMaxCopiesPerSecond) + " backups of " + PortFileName(port) + " in " + PathText(folder) +
         " have this second's time already");
  }
  kept.removed = RemoveOldBackups(folder, settings.now);
  return kept;
}

std::vector<fs::path> RemoveOldBackups(const fs::path& folder, std::chrono::system_clock::time_point now) {
  const auto cutoff = now - kBackupLifetime;
  // Names carry local time: the cut-off as a name's first characters
  // compares with them as text.
  const std::string cutoffStamp = Stamp(LocalTime(cutoff));
  std::vector<fs::path> removed;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::directory_entry& entry = *it;
    const std::string name = PathText(entry.path().filename());
    if (!IsBackupFileName(name) || name.compare(0, kStampSize, cutoffStamp) >= 0) continue;
    std::error_code statError;
    if (!entry.is_regular_file(statError) || entry.is_symlink(statError) || statError) continue;
    const auto modified = ModificationTime(entry, statError);
    if (statError || modified >= cutoff) continue;
    std::error_code removeError;
    if (fs::remove(entry.path(), removeError) && !removeError) removed.push_back(entry.path());
  }
  std::sort(removed.begin(), removed.end());
  return removed;
}

}  // namespace torvan
