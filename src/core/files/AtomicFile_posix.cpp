#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <system_error>

#include "core/files/AtomicFile.h"
#include "core/files/OutputTarget.h"
#include "core/files/PathText.h"
#include "core/files/SystemError.h"
#include "core/files/TemporaryName.h"

namespace torvan {

namespace fs = std::filesystem;

namespace {

constexpr int kTemporaryAttempts = 100;
constexpr mode_t kNewFileMode = 0666;  // less the user's umask, as every program creates files
constexpr mode_t kPermissionBits = 07777;

// Writes all of `bytes` to `fd`; 0 or the error number.
int WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// Removes what killed writes of `target` left behind: files named as
// TemporaryNameFor names them that no running write holds (each write keeps
// its temporary file locked until the rename). Failures are ignored: a
// leftover costs only disk space, and the write itself decides success.
void RemoveStrayTemporaries(const fs::path& target) {
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const fs::path& candidate = it->path();
    if (!IsTemporaryNameOf(candidate.filename(), target)) continue;
    const int fd = ::open(candidate.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat held {};
    struct stat named {};
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        ::lstat(candidate.c_str(), &named) == 0 && SameFile(held, named)) {
      ::unlink(candidate.c_str());
    }
    ::close(fd);
  }
}

// A new temporary file beside `target`, created and locked by this write.
struct Temporary {
  int fd = -1;
  fs::path path;
};

int CreateTemporary(const fs::path& target, Temporary& out) {
  for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
    const fs::path name = TemporaryNameFor(target, RandomTemporaryNumber());
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, kNewFileMode);
    if (fd < 0) {
      if (errno == EEXIST) continue;
      return errno;
    }
    // Another write's clean-up may have taken the file in the moment between
    // creating and locking it: then it is no longer ours, try another name.
    struct stat held {};
    struct stat named {};
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && ::lstat(name.c_str(), &named) == 0 &&
        SameFile(held, named)) {
      out.fd = fd;
      out.path = name;
      return 0;
    }
    ::close(fd);
  }
  return EEXIST;
}

// Gives the new file the owner, group and permission bits of the file it
// replaces. Owner and group only where the system lets us (root, or a group
// the user is in); the bits are set after them, since a change of owner
// clears the set-user-ID bit.
void KeepOwnerAndMode(int fd, const fs::path& replaced) {
  struct stat st {};
  if (::stat(replaced.c_str(), &st) != 0) return;
  if (::fchown(fd, st.st_uid, st.st_gid) != 0) {
    [[maybe_unused]] const int groupOnly = ::fchown(fd, static_cast<uid_t>(-1), st.st_gid);
  }
  [[maybe_unused]] const int mode = ::fchmod(fd, st.st_mode & kPermissionBits);
}

// How the finished temporary file takes its name.
enum class Publish { Replace, CreateOnly };

// Renames `tmp` to `target` only when no `target` exists; EEXIST when one
// does. Where the file system has no such rename, a hard link does the same;
// where it has no hard links either, a check before the rename is the best
// there is.
int RenameNoReplace(const fs::path& tmp, const fs::path& target) {
#ifdef RENAME_NOREPLACE
  if (::renameat2(AT_FDCWD, tmp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
#endif
  if (::link(tmp.c_str(), target.c_str()) == 0) {
    ::unlink(tmp.c_str());
    return 0;
  }
  if (errno != EPERM && errno != ENOTSUP && errno != ENOSYS) return errno;
  struct stat st {};
  if (::lstat(target.c_str(), &st) == 0) return EEXIST;
  return ::rename(tmp.c_str(), target.c_str()) == 0 ? 0 : errno;
}

Status WriteThroughTemporary(const fs::path& shown, const fs::path& target, bool keepOwnerAndMode,
                             std::span<const std::uint8_t> bytes, Publish publish, bool* exists) {
  const auto fail = [&](int errnum) {
    return Status::Error("cannot write " + PathText(shown) + ": " + SystemErrorText(errnum));
  };
  RemoveStrayTemporaries(target);
  Temporary tmp;
  if (const int e = CreateTemporary(target, tmp)) return fail(e);
  const auto abandon = [&](int errnum) {
    ::unlink(tmp.path.c_str());
    ::close(tmp.fd);
    return fail(errnum);
  };
  if (keepOwnerAndMode) KeepOwnerAndMode(tmp.fd, target);
  if (const int e = WriteAll(tmp.fd, bytes)) return abandon(e);
  if (::fsync(tmp.fd) != 0) return abandon(errno);
  // Renamed while still locked, so no clean-up takes it first.
  if (publish == Publish::Replace) {
    if (::rename(tmp.path.c_str(), target.c_str()) != 0) return abandon(errno);
  } else if (const int e = RenameNoReplace(tmp.path, target)) {
    if (e == EEXIST && exists) *exists = true;
    return abandon(e);
  }
  if (::close(tmp.fd) != 0) return fail(errno);
  // Make the rename itself durable.
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return Status::Ok();
}

}  // namespace

Status WriteFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
  const Result<OutputTarget> resolved = ResolveOutputTarget(path);
  if (!resolved) return resolved.status();
  const OutputTarget& target = resolved.value();
  const auto fail = [&](int errnum) {
    return Status::Error("cannot write " + PathText(path) + ": " + SystemErrorText(errnum));
  };
  switch (target.kind) {
    case OutputKind::Replace:
      return WriteThroughTemporary(path, target.path, target.exists, bytes, Publish::Replace, nullptr);
    case OutputKind::Descriptor:
      if (const int e = WriteAll(target.descriptor, bytes)) return fail(e);
      return Status::Ok();
    case OutputKind::Direct: {
      const int fd = ::open(target.path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
      if (fd < 0) return fail(errno);
      const int e = WriteAll(fd, bytes);
      if (::close(fd) != 0 && e == 0) return fail(errno);
      if (e != 0) return fail(e);
      return Status::Ok();
    }
  }
  return fail(EINVAL);
}

Status CreateFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes, bool* exists) {
  if (exists) *exists = false;
  return WriteThroughTemporary(path, path, false, bytes, Publish::CreateOnly, exists);
}

}  // namespace torvan
