#pragma once
// Files that are not plain files, for the tests of writing and reading them:
// FIFOs, device nodes, names of open descriptors. As root the devices are
// private nodes made in the test's folder, so that a fault in the code under
// test cannot replace the system's /dev/null; other users get the system's,
// which they cannot replace.

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/types.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "TempDir.h"

namespace torvan::test {

inline bool IsRoot() { return ::geteuid() == 0; }

// Linux's memory devices: 1,3 is null (takes everything), 1,5 zero (gives
// zeros), 1,7 full (every write fails with ENOSPC).
enum class MemoryDevice : unsigned { Null = 3, Zero = 5, Full = 7 };

inline std::string DeviceNode(const TempDir& dir, MemoryDevice device) {
  const char* name = device == MemoryDevice::Null ? "null" : device == MemoryDevice::Zero ? "zero" : "full";
  if (!IsRoot()) return std::string("/dev/") + name;
  const std::string path = dir.file(std::string("dev-") + name);
  if (::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, static_cast<unsigned>(device))) != 0) {
    return std::string("/dev/") + name;  // a system that does not let even root make nodes
  }
  return path;
}

// A name of this process's standard output, as /dev/stdout is one: a link to
// its descriptor 1. As root a private link in the test's folder, so that a
// fault that replaces the name instead of writing through it cannot take the
// system's /dev/stdout away.
inline std::string StandardOutputName(const TempDir& dir) {
  if (!IsRoot()) return "/dev/stdout";
  const std::string path = dir.file("stdout");
  if (::symlink("/proc/self/fd/1", path.c_str()) != 0) return {};
  return path;
}

inline bool IsCharacterDevice(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

inline bool IsFifo(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
}

inline bool IsSymlink(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// What a writer puts into the FIFO at `path`, read until the writer closes
// it. Gives up after `limit`, so that a writer that replaced the FIFO instead
// of writing it fails a test instead of hanging it.
inline std::string ReadFifo(const std::string& path, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);  // does not wait for a writer
  if (fd < 0) return {};
  const auto deadline = std::chrono::steady_clock::now() + limit;
  std::string got;
  bool writerSeen = false;
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd p{fd, POLLIN, 0};
    ::poll(&p, 1, 50);
    char buf[4096];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) {
      got.append(buf, static_cast<std::size_t>(n));
      writerSeen = true;
    } else if (n == 0 && writerSeen) {
      break;  // the writer closed its end
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(2));  // no writer yet
    }
  }
  ::close(fd);
  return got;
}

}  // namespace torvan::test
