#include "core/files/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace torvan {
namespace fs = std::filesystem;

std::string SystemErrorText(int errnum) { return std::generic_category().message(errnum); }

namespace {

constexpr std::string_view kTempMark = ".tmp";
constexpr std::size_t kTempDigits = 8;

std::string TempNameBeside(const fs::path& target) {
  static std::mt19937_64 rng{std::random_device{}()};
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".tmp%08llx", static_cast<unsigned long long>(rng() & 0xFFFFFFFFull));
  fs::path tmp = target;
  tmp += suffix;
  return tmp.string();
}

bool IsLowerHex(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }

// Removes what killed writes of `target` left behind: files named exactly as
// TempNameBeside names them. Failures are ignored: a leftover costs only
// disk space, and the write itself decides success.
void RemoveStrayTemporaries(const fs::path& target) {
  const std::string prefix = target.filename().string() + std::string(kTempMark);
  fs::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  std::error_code ec;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.size() != prefix.size() + kTempDigits || name.compare(0, prefix.size(), prefix) != 0) continue;
    if (!std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(), IsLowerHex)) continue;
    std::error_code ignored;
    if (it->is_regular_file(ignored)) fs::remove(it->path(), ignored);
  }
}

}  // namespace

#ifndef _WIN32
Status WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  const fs::path target(path);
  RemoveStrayTemporaries(target);
  const std::string tmp = TempNameBeside(target);
  // Keep the permissions of a file that is being replaced.
  mode_t mode = 0644;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) mode = st.st_mode & 07777;

  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) return Status::Error("cannot write " + path + ": " + SystemErrorText(errno));

  auto fail = [&]() {
    const int e = errno;
    ::close(fd);
    ::unlink(tmp.c_str());
    return Status::Error("cannot write " + path + ": " + SystemErrorText(e));
  };

  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail();
    }
    done += static_cast<std::size_t>(n);
  }
  if (::fsync(fd) != 0) return fail();
  if (::close(fd) != 0) {
    const int e = errno;
    ::unlink(tmp.c_str());
    return Status::Error("cannot write " + path + ": " + SystemErrorText(e));
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    const int e = errno;
    ::unlink(tmp.c_str());
    return Status::Error("cannot write " + path + ": " + SystemErrorText(e));
  }
  // Make the rename itself durable.
  fs::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return Status::Ok();
}
#else
Status WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
  RemoveStrayTemporaries(fs::path(path));
  const std::string tmp = TempNameBeside(fs::path(path));
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return Status::Error("cannot write " + path + ": cannot create a temporary file");
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::remove(tmp.c_str());
      return Status::Error("cannot write " + path + ": write failed");
    }
  }
  if (!MoveFileExA(tmp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    std::remove(tmp.c_str());
    return Status::Error("cannot write " + path + ": cannot replace the file");
  }
  return Status::Ok();
}
#endif

Status WriteFileAtomically(const std::string& path, std::string_view text) {
  return WriteFileAtomically(
      path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

Status ReadWholeFile(const std::string& path, std::string& out, std::size_t maxBytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    const int e = errno;
    return Status::Error("cannot open " + path + ": " + SystemErrorText(e ? e : ENOENT));
  }
  std::string data;
  char buf[65536];
  while (in) {
    in.read(buf, sizeof buf);
    data.append(buf, static_cast<std::size_t>(in.gcount()));
    if (data.size() > maxBytes) return Status::Error("cannot read " + path + ": the file is too large");
  }
  if (in.bad()) return Status::Error("cannot read " + path + ": read error");
  out = std::move(data);
  return Status::Ok();
}

}  // namespace torvan
