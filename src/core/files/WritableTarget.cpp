#include "core/files/WritableTarget.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "core/files/AtomicFile.h"

namespace torvan {

Status CheckWritableTarget(const std::string& path) {
  namespace fs = std::filesystem;
  const auto because = [&](int errnum) { return Status::Error("cannot write " + path + ": " + SystemErrorText(errnum)); };
  std::error_code ec;
  if (fs::is_directory(path, ec)) return because(EISDIR);
  fs::path folder = fs::path(path).parent_path();
  if (folder.empty()) folder = ".";
  const fs::file_status st = fs::status(folder, ec);
  if (!fs::exists(st)) return because(ENOENT);
  if (!fs::is_directory(st)) return because(ENOTDIR);
#ifndef _WIN32
  // Creating the temporary file needs write and search rights on the folder.
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return because(errno);
#endif
  return Status::Ok();
}

}  // namespace torvan
