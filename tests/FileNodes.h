#pragma once
// Files that are not plain files, for the tests of writing and reading them:
// FIFOs, device nodes, names of open descriptors. As root the devices are
// private nodes made in the test's folder, so that a fault in the code under
// test cannot replace the system's /dev/null; other users get the system's,
// which they cannot replace.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/types.h>
#include <unistd.h>

#include <string>

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

}  // namespace torvan::test
