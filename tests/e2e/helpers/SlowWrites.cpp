// A test-only shim that a crash-safety test loads into the program under test
// with LD_PRELOAD: writes to regular files go in small pieces, each after a
// short sleep, and fsync waits too, so that a kill can land while a file is
// half written. Writes to terminals, pipes and sockets are left alone.
//   TORVAN_SLOW_WRITE_BYTES  largest piece per write() call (default 512)
//   TORVAN_SLOW_WRITE_US     sleep before each piece and each fsync (default 1000)

#include <dlfcn.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>

namespace {

using WriteFn = ssize_t (*)(int, const void*, size_t);
using FsyncFn = int (*)(int);

constexpr long kDefaultPieceBytes = 512;
constexpr long kDefaultSleepMicros = 1000;

long Setting(const char* name, long fallback) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == '\0') return fallback;
  const long v = std::strtol(text, nullptr, 10);
  return v > 0 ? v : fallback;
}

bool IsRegularFile(int fd) {
  struct stat st {};
  return ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

void Nap() {
  const long micros = Setting("TORVAN_SLOW_WRITE_US", kDefaultSleepMicros);
  timespec t{micros / 1000000, (micros % 1000000) * 1000};
  while (::nanosleep(&t, &t) != 0) {
  }
}

template <typename Fn>
Fn Next(const char* name) {
  return reinterpret_cast<Fn>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" ssize_t write(int fd, const void* buf, size_t n) {
  static const WriteFn real = Next<WriteFn>("write");
  if (!IsRegularFile(fd)) return real(fd, buf, n);
  Nap();
  const auto piece = static_cast<size_t>(Setting("TORVAN_SLOW_WRITE_BYTES", kDefaultPieceBytes));
  return real(fd, buf, n < piece ? n : piece);  // a short write: the caller loops for the rest
}

extern "C" int fsync(int fd) {
  static const FsyncFn real = Next<FsyncFn>("fsync");
  Nap();
  return real(fd);
}
