// Writing files the user named: what is replaced and what is written in
// place, links, permission bits, long names, writers at the same time, and
// the early check that tells the same as the write.

#include "core/files/AtomicFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "FileNodes.h"
#endif

#include "TempDir.h"
#include "core/files/InputFile.h"
#include "core/files/PathText.h"
#include "core/files/TemporaryName.h"
#include "core/files/WritableTarget.h"

namespace torvan {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

void WriteRaw(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  ASSERT_TRUE(out.good()) << PathText(path);
}

std::string ReadRaw(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The names in a folder, sorted.
std::vector<std::string> Names(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(PathText(e.path().filename()));
  std::sort(names.begin(), names.end());
  return names;
}

bool IsSymlink(const std::string& path) {
  std::error_code ec;
  return fs::is_symlink(fs::symlink_status(path, ec));
}

// Whether this system lets the test make symbolic links (Windows asks for a
// privilege or developer mode); the reason when not.
std::string SymlinksRefused(const TempDir& dir) {
  std::error_code ec;
  fs::create_symlink("target", dir.path() / "probe-link", ec);
  if (ec) return "symbolic links cannot be made here: " + ec.message();
  fs::remove(dir.path() / "probe-link");
  return {};
}

#ifndef _WIN32
mode_t ModeOf(const std::string& path) {
  struct stat st {};
  EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
  return st.st_mode & 07777;
}

// Sets the process's umask for one test and puts the old one back.
class Umask {
 public:
  explicit Umask(mode_t mask) : old_(::umask(mask)) {}
  ~Umask() { ::umask(old_); }

 private:
  mode_t old_;
};

// A file that is replaced keeps its permission bits whatever the umask, and
// its owner and group where the process may set them (root here).
TEST(AtomicFile, ReplacedFileKeepsItsModeAndOwner) {
  const Umask mask(022);
  TempDir dir;
  for (const mode_t mode : {0600, 0640, 0664, 0666, 0755, 02770}) {
    const std::string path = dir.file("f.dat");
    fs::remove(path);
    WriteRaw(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    ASSERT_TRUE(WriteFileAtomically(path, std::string_view("new")).ok());
    EXPECT_EQ(ReadRaw(path), "new");
    EXPECT_EQ(ModeOf(path), mode) << std::oct << mode;
  }
  // A new file gets what the umask leaves of rw for everyone.
  ASSERT_TRUE(WriteFileAtomically(dir.file("fresh.dat"), std::string_view("x")).ok());
  EXPECT_EQ(ModeOf(dir.file("fresh.dat")), 0644u);

  if (!test::IsRoot()) GTEST_SKIP() << "only root may give a file to another user";
  constexpr uid_t kNobody = 65534;
  const std::string owned = dir.file("owned.dat");
  WriteRaw(owned, "old");
  ASSERT_EQ(::chown(owned.c_str(), kNobody, kNobody), 0);
  ASSERT_TRUE(WriteFileAtomically(owned, std::string_view("new")).ok());
  struct stat st {};
  ASSERT_EQ(::stat(owned.c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, kNobody);
  EXPECT_EQ(st.st_gid, kNobody);
}
#else
TEST(AtomicFile, ReplacedFileKeepsItsModeAndOwner) {
  GTEST_SKIP() << "Windows files have no permission bits, owner or group; ReplacedFileKeepsItsAttributes "
                  "holds what a replaced file keeps there";
}

// A replaced file keeps the attributes its user set (hidden, system, archive),
// and the new bytes are the file's.
TEST(AtomicFile, ReplacedFileKeepsItsAttributes) {
  TempDir dir;
  for (const DWORD kept : {DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM},
                           DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM}}) {
    SCOPED_TRACE(kept);
    const fs::path path = dir.path() / "f.dat";
    fs::remove(path);
    WriteRaw(path.string(), "old");
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), kept));
    const Status s = WriteFileAtomically(path, std::string_view("new"));
    ASSERT_TRUE(s.ok()) << s.error();
    EXPECT_EQ(ReadRaw(path.string()), "new");
    const DWORD now = GetFileAttributesW(path.c_str());
    ASSERT_NE(now, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(now & kept, kept);
    EXPECT_EQ(now & FILE_ATTRIBUTE_READONLY, 0u);
  }
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"f.dat"})) << "no temporary file is left";
}
#endif

// A symbolic link stays a link: the file it points to is replaced.
TEST(AtomicFile, LinksAreFollowedAndKept) {
  TempDir dir;
  if (const std::string why = SymlinksRefused(dir); !why.empty()) GTEST_SKIP() << why;
  fs::create_directory(dir.path() / "real");
  fs::create_directory(dir.path() / "links");
  const struct {
    const char* what;
    std::string link;    // the name written to
    std::string target;  // the file that must receive the bytes
    std::function<void()> make;
  } cases[] = {
      {"absolute link", dir.file("links/abs.dat"), dir.file("real/a.dat"),
       [&] {
         WriteRaw(dir.file("real/a.dat"), "old");
         fs::create_symlink(dir.file("real/a.dat"), dir.file("links/abs.dat"));
       }},
      {"relative link to another folder", dir.file("links/rel.dat"), dir.file("real/r.dat"),
       [&] {
         WriteRaw(dir.file("real/r.dat"), "old");
         fs::create_symlink("../real/r.dat", dir.file("links/rel.dat"));
       }},
      {"link to a link", dir.file("links/twice.dat"), dir.file("real/t.dat"),
       [&] {
         WriteRaw(dir.file("real/t.dat"), "old");
         fs::create_symlink("../real/t.dat", dir.file("links/once.dat"));
         fs::create_symlink("once.dat", dir.file("links/twice.dat"));
       }},
      {"link to a file not there yet", dir.file("links/dangling.dat"), dir.file("real/new.dat"),
       [&] { fs::create_symlink("../real/new.dat", dir.file("links/dangling.dat")); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    c.make();
    EXPECT_TRUE(CheckWritableTarget(c.link).ok());
    const Status s = WriteFileAtomically(c.link, std::string_view("new"));
    ASSERT_TRUE(s.ok()) << s.error();
    EXPECT_TRUE(IsSymlink(c.link));
    EXPECT_EQ(ReadRaw(c.target), "new");
  }
  EXPECT_EQ(Names(dir.path() / "real"), (std::vector<std::string>{"a.dat", "new.dat", "r.dat", "t.dat"}))
      << "no temporary file is left";
}

// A node that is not a regular file is written where it is, never replaced.
#ifndef _WIN32
TEST(AtomicFile, NodesThatAreNotFilesAreWrittenInPlace) {
  TempDir dir;
  const std::string bytes(8192, '\x5A');

  const std::string null = test::DeviceNode(dir, test::MemoryDevice::Null);
  ASSERT_TRUE(CheckWritableTarget(null).ok());
  const Status toNull = WriteFileAtomically(null, std::string_view(bytes));
  EXPECT_TRUE(toNull.ok()) << toNull.error();
  EXPECT_TRUE(test::IsCharacterDevice(null));

  // A FIFO: the bytes reach the program that reads it.
  const std::string fifo = dir.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  std::future<std::string> reader = std::async(std::launch::async, [&] { return test::ReadFifo(fifo); });
  const Status toFifo = WriteFileAtomically(fifo, std::string_view(bytes));
  EXPECT_TRUE(toFifo.ok()) << toFifo.error();
  EXPECT_EQ(reader.get(), bytes);
  EXPECT_TRUE(test::IsFifo(fifo));

  // A name of a descriptor the program has open (/dev/stdout is one): the
  // bytes go through that descriptor, here into a pipe.
  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  std::future<std::string> drained = std::async(std::launch::async, [&] {
    std::string got;
    char buf[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buf, sizeof buf)) > 0;) got.append(buf, static_cast<std::size_t>(n));
    return got;
  });
  const std::string fdName = "/dev/fd/" + std::to_string(pipeFds[1]);
  const Status toPipe = WriteFileAtomically(fdName, std::string_view(bytes));
  ::close(pipeFds[1]);
  EXPECT_TRUE(toPipe.ok()) << toPipe.error();
  EXPECT_EQ(drained.get(), bytes);
  ::close(pipeFds[0]);
}
#else
TEST(AtomicFile, NodesThatAreNotFilesAreWrittenInPlace) {
  const std::string bytes(8192, '\x5A');
  // The null device takes everything.
  for (const char* nul : {"NUL", "nul", "\\\\.\\NUL"}) {
    SCOPED_TRACE(nul);
    EXPECT_TRUE(CheckWritableTarget(nul).ok());
    const Status toNul = WriteFileAtomically(nul, std::string_view(bytes));
    EXPECT_TRUE(toNul.ok()) << toNul.error();
  }

  // A named pipe: the bytes reach the program that reads it, through the one
  // connection the pipe takes.
  const std::wstring name = L"\\\\.\\pipe\\torvan-test-" + std::to_wstring(GetCurrentProcessId());
  HANDLE pipe = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 1 << 16, 0,
                                 nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  std::future<std::string> reader = std::async(std::launch::async, [&] {
    std::string got;
    // The writer may have come, written and gone before this thread asks:
    // what it wrote is still in the pipe.
    if (!ConnectNamedPipe(pipe, nullptr) && GetLastError() != ERROR_PIPE_CONNECTED && GetLastError() != ERROR_NO_DATA) {
      return got;
    }
    char buf[4096];
    for (DWORD n = 0; ReadFile(pipe, buf, sizeof buf, &n, nullptr) && n > 0;) got.append(buf, n);
    return got;
  });
  const Status toPipe = WriteFileAtomically(fs::path(name), std::string_view(bytes));
  EXPECT_TRUE(toPipe.ok()) << toPipe.error();
  if (!toPipe.ok()) {
    // Lets the reader go: it waits for a writer that never came.
    HANDLE h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  }
  EXPECT_EQ(reader.get(), bytes);
  CloseHandle(pipe);
}
#endif

// What cannot be written is refused with the system's words, and the early
// check says so before any work where it can know.
TEST(AtomicFile, RefusedTargetsKeepWhatTheyHold) {
  TempDir dir;
  WriteRaw(dir.file("readonly.dat"), "old");
  // No write permission for anyone; on Windows, the read-only attribute.
  constexpr fs::perms kReadOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  fs::permissions(dir.file("readonly.dat"), kReadOnly);
  WriteRaw(dir.file("file"), "old");
  fs::create_directory(dir.file("folder"));
  struct Case {
    std::string path;
    const char* because;
    bool checkKnows;  // the early check finds it too
  };
  std::vector<Case> cases = {
      // Root may write any file, but a file nobody may write is refused as well.
      {dir.file("readonly.dat"), "Permission denied", true},
      {dir.file("folder"), "Is a directory", true},
      {dir.file("missing/f.dat"), "No such file or directory", true},
      {dir.file("file/f.dat"), "Not a directory", true},
  };
  if (SymlinksRefused(dir).empty()) {
    fs::create_symlink("loop-b", dir.file("loop-a"));
    fs::create_symlink("loop-a", dir.file("loop-b"));
    cases.push_back({dir.file("loop-a"), "Too many levels of symbolic links", true});
  }
#ifndef _WIN32
  const std::string full = test::DeviceNode(dir, test::MemoryDevice::Full);
  cases.push_back({full, "No space left on device", false});
#endif
  const std::vector<std::string> before = Names(dir.path());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const std::string expected = "cannot write " + c.path + ": " + c.because;
    const Status s = WriteFileAtomically(c.path, std::string_view("new"));
    EXPECT_EQ(s.error(), expected);
    const Status check = CheckWritableTarget(c.path);
    EXPECT_EQ(check.ok() ? std::string() : check.error(), c.checkKnows ? expected : std::string());
  }
  EXPECT_EQ(ReadRaw(dir.file("readonly.dat")), "old");
  EXPECT_EQ(fs::status(dir.file("readonly.dat")).permissions() & fs::perms::all, kReadOnly);
  EXPECT_TRUE(fs::is_directory(dir.file("folder")));
#ifndef _WIN32
  EXPECT_TRUE(test::IsCharacterDevice(full));
#endif
  EXPECT_EQ(Names(dir.path()), before) << "nothing is left behind";
}

// The temporary name does not grow with the target's: every legal name, up
// to 255 bytes (in any script), can be written.
TEST(AtomicFile, NamesOfEveryLegalLengthAreWritten) {
  TempDir dir;
  std::string chinese;
  for (int i = 0; i < 85; ++i) chinese += "\xE9\xA2\x91";  // 频, 255 bytes in all
  for (const std::string& name : {std::string(243, 'a'), std::string(244, 'b'), std::string(255, 'c'), chinese}) {
    SCOPED_TRACE(name.size());
    const fs::path path = dir.path() / PathFromUtf8(name);
    const Status s = WriteFileAtomically(path, std::string_view("bytes"));
    ASSERT_TRUE(s.ok()) << s.error();
    EXPECT_EQ(ReadRaw(path), "bytes");
    ASSERT_TRUE(WriteFileAtomically(path, std::string_view("again")).ok()) << "replaced too";
    EXPECT_EQ(ReadRaw(path), "again");
    const fs::path tmp = TemporaryNameFor(path, 0xFFFFFFFFu);
    EXPECT_LE(PathText(tmp.filename()).size(), 255u);
    EXPECT_TRUE(IsTemporaryNameOf(tmp.filename(), path));
  }
  EXPECT_EQ(Names(dir.path()).size(), 4u) << "no temporary file is left";
}

// A write that is running holds its temporary file; another write of the
// same target leaves it alone and removes it only once nobody holds it (its
// writer was killed).
TEST(AtomicFile, AnotherWritersTemporaryIsLeftAloneWhileItRuns) {
  TempDir dir;
  const std::string target = dir.file("victim.dat");
  const fs::path running = TemporaryNameFor(target, 0x0123abcdu);
  // Held as a running write holds it: locked here, opened without sharing on Windows.
#ifdef _WIN32
  HANDLE held = CreateFileW(running.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                            nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
#else
  const int fd = ::open(running.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::flock(fd, LOCK_EX), 0);
#endif

  ASSERT_TRUE(WriteFileAtomically(target, std::string_view("second")).ok());
  EXPECT_TRUE(fs::exists(running)) << "the running write's temporary file was taken";
  // The writer ends without finishing (killed).
#ifdef _WIN32
  CloseHandle(held);
#else
  ::close(fd);
#endif
  ASSERT_TRUE(WriteFileAtomically(target, std::string_view("third")).ok());
  EXPECT_FALSE(fs::exists(running)) << "a temporary file nobody holds is removed";
  EXPECT_EQ(ReadRaw(target), "third");
}

// A file made under a name of the program's choosing never replaces what is
// there: not a file, a link (not even one that points nowhere), a folder, nor
// a file another writer makes at the same moment.
TEST(AtomicFile, CreateOnlyNeverReplacesAnything) {
  TempDir dir;
  WriteRaw(dir.file("file.dat"), "old");
  // Where the system refuses links (Windows without the privilege), the
  // links' part is left out and the rest still runs.
  const bool links = SymlinksRefused(dir).empty();
  if (links) {
    fs::create_symlink(dir.file("elsewhere.dat"), dir.file("dangling.dat"));
    fs::create_symlink(dir.file("file.dat"), dir.file("link.dat"));
  }
  fs::create_directory(dir.file("folder.dat"));
  for (const char* name : {"file.dat", "dangling.dat", "link.dat", "folder.dat"}) {
    if (!links && std::string_view(name).find("link") != std::string_view::npos) continue;
    if (!links && std::string_view(name) == "dangling.dat") continue;
    SCOPED_TRACE(name);
    bool exists = false;
    const Status s = CreateFileAtomically(dir.file(name), std::span<const std::uint8_t>(), &exists);
    EXPECT_FALSE(s.ok());
    EXPECT_TRUE(exists);
  }
  EXPECT_EQ(ReadRaw(dir.file("file.dat")), "old");
  if (links) {
    EXPECT_FALSE(fs::exists(dir.file("elsewhere.dat"))) << "a link is not followed";
    EXPECT_TRUE(IsSymlink(dir.file("dangling.dat")));
  }

  const std::string fresh = dir.file("fresh.dat");
  bool exists = true;
  const std::uint8_t bytes[] = {1, 2, 3};
  ASSERT_TRUE(CreateFileAtomically(fresh, bytes, &exists).ok());
  EXPECT_FALSE(exists);
  EXPECT_EQ(ReadRaw(fresh), std::string("\x01\x02\x03"));

  // A missing folder is a failure of its own, not a name taken.
  const Status missing = CreateFileAtomically(dir.file("no-such-folder/x.dat"), bytes, &exists);
  const std::string named = "cannot write " + dir.file("no-such-folder/x.dat") + ": ";
  EXPECT_EQ(missing.error().substr(0, named.size()), named);
#ifndef _WIN32
  EXPECT_EQ(missing.error(), named + "No such file or directory");  // Windows says "Path not found"
#endif
  EXPECT_FALSE(exists);

  // Writers racing for one name: exactly one gets it, whole.
  constexpr int kWriters = 8;
  for (int round = 0; round < 20; ++round) {
    const std::string contested = dir.file("contested" + std::to_string(round) + ".dat");
    std::vector<std::future<std::pair<bool, bool>>> writers;
    for (int w = 0; w < kWriters; ++w) {
      writers.push_back(std::async(std::launch::async, [&, w] {
        const std::string text(4096, static_cast<char>('a' + w));
        bool taken = false;
        const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
        const bool ok = CreateFileAtomically(contested, std::span(data, text.size()), &taken).ok();
        return std::make_pair(ok, taken);
      }));
    }
    int winners = 0;
    for (auto& w : writers) {
      const auto [ok, taken] = w.get();
      winners += ok ? 1 : 0;
      EXPECT_NE(ok, taken) << "a writer that lost was told the name is taken";
    }
    EXPECT_EQ(winners, 1);
    const std::string got = ReadRaw(contested);
    ASSERT_EQ(got.size(), 4096u);
    EXPECT_EQ(std::count(got.begin(), got.end(), got[0]), 4096) << "one writer's bytes, whole";
  }
  // file, folder, fresh and the contested files, and the two links.
  EXPECT_EQ(Names(dir.path()).size(), links ? 25u : 23u) << "no temporary file is left";
}

}  // namespace
}  // namespace torvan
