#include "core/files/ProgramFiles.h"

#include <system_error>
#include <utility>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace torvan {
namespace fs = std::filesystem;

namespace {

#ifndef _WIN32
// access() tells for the process as it is (groups, ACLs, read-only mounts);
// root passes it for everything, so its answer is the mode bits.
bool MayWrite(const fs::path& p, int extraMode) {
  struct stat st {};
  if (::stat(p.c_str(), &st) != 0) return false;
  if (::access(p.c_str(), W_OK | extraMode) != 0) return false;
  if (::geteuid() == 0 && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return true;
}
#endif

}  // namespace

ProgramFiles::ProgramFiles(fs::path programDir) : programDir_(std::move(programDir)) {}

fs::path ProgramFiles::ShareDir() const {
  return (programDir_ / ".." / "share" / kProgramFolderName).lexically_normal();
}

std::vector<fs::path> ProgramFiles::Folders() const { return {programDir_, ShareDir()}; }

fs::path ProgramFiles::Find(std::string_view name) const {
  for (const fs::path& folder : Folders()) {
    std::error_code ec;
    const fs::path candidate = folder / name;
    if (fs::is_regular_file(candidate, ec)) return candidate;
  }
  return programDir_ / name;
}

bool MayReplaceFile(const fs::path& file) {
  fs::path folder = file.parent_path();
  if (folder.empty()) folder = ".";
  std::error_code ec;
  const bool exists = fs::exists(file, ec);
#ifndef _WIN32
  return MayWrite(folder, X_OK) && (!exists || MayWrite(file, 0));
#else
  // Windows: the read-only attribute. A folder the user may not write to
  // (Program Files) shows only when the write itself fails.
  if (!fs::is_directory(folder, ec)) return false;
  if (!exists) return true;
  const fs::perms perms = fs::status(file, ec).permissions();
  return !ec && (perms & fs::perms::owner_write) != fs::perms::none;
#endif
}

}  // namespace torvan
