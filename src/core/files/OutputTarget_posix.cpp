#include "core/files/OutputTarget.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string>
#include <system_error>

#include "core/files/PathText.h"
#include "core/files/SystemError.h"

namespace torvan {

namespace fs = std::filesystem;

namespace {

// As many links as the system itself follows before it gives up (ELOOP).
constexpr int kMaxLinkHops = 40;
constexpr mode_t kAnyWriteBit = S_IWUSR | S_IWGRP | S_IWOTH;

// The descriptor that `path` names when it is an entry of this process's own
// descriptor folder (/dev/stdout -> /proc/self/fd/1, /dev/fd/2): writing
// through the descriptor keeps what the shell set up (a pipe, ">>").
std::optional<int> DescriptorNamed(const fs::path& path) {
#ifdef __linux__
  const std::string name = path.filename().string();
  constexpr std::size_t kMaxDigits = 9;
  if (name.empty() || name.size() > kMaxDigits || !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  std::error_code ec;
  const fs::path folder = fs::canonical(path.parent_path().empty() ? fs::path(".") : path.parent_path(), ec);
  if (ec || folder != fs::path("/proc") / std::to_string(::getpid()) / "fd") return std::nullopt;
  const int fd = std::stoi(name);
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags < 0 || (flags & O_ACCMODE) == O_RDONLY) return std::nullopt;  // opened as a file instead
  return fd;
#else
  static_cast<void>(path);
  return std::nullopt;
#endif
}

// 0 when the permission bits of the existing `path` let this user write it,
// else the error number.
int WriteDenied(const fs::path& path, const struct stat& st) {
  if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) return errno;
  if (::geteuid() == 0 && (st.st_mode & kAnyWriteBit) == 0) return EACCES;
  return 0;
}

// 0 when files can be created and renamed in `folder`, else the error number.
int FolderDenied(const fs::path& folder) {
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) return errno;
  if (!S_ISDIR(st.st_mode)) return ENOTDIR;
  if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) return errno;
  return 0;
}

fs::path FolderOf(const fs::path& path) { return path.parent_path().empty() ? fs::path(".") : path.parent_path(); }

}  // namespace

Result<OutputTarget> ResolveOutputTarget(const fs::path& path) {
  const auto fail = [&](int errnum) {
    return Status::Error("cannot write " + PathText(path) + ": " + SystemErrorText(errnum));
  };
  if (path.empty()) return fail(ENOENT);
  fs::path p = path;
  for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
    if (const auto fd = DescriptorNamed(p)) {
      OutputTarget t;
      t.kind = OutputKind::Descriptor;
      t.path = p;
      t.exists = true;
      t.descriptor = *fd;
      return t;
    }
    struct stat st {};
    if (::lstat(p.c_str(), &st) != 0) {
      if (errno != ENOENT) return fail(errno);
      if (const int e = FolderDenied(FolderOf(p))) return fail(e);
      OutputTarget t;
      t.path = p;
      return t;
    }
    if (S_ISLNK(st.st_mode)) {
      std::error_code ec;
      const fs::path to = fs::read_symlink(p, ec);
      if (ec) return fail(ec.value());
      p = to.is_absolute() ? to : FolderOf(p) / to;
      continue;
    }
    if (S_ISDIR(st.st_mode)) return fail(EISDIR);
    if (const int e = WriteDenied(p, st)) return fail(e);
    OutputTarget t;
    t.path = p;
    t.exists = true;
    if (S_ISREG(st.st_mode)) {
      if (const int e = FolderDenied(FolderOf(p))) return fail(e);
    } else {
      t.kind = OutputKind::Direct;
    }
    return t;
  }
  return fail(ELOOP);
}

}  // namespace torvan
