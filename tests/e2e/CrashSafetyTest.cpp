// Killing a program with SIGKILL while it writes a file, many times at
// different moments: torvan-cli new, import and read writing their output,
// and the write-back of a large Program.ini through CIniStore (with its
// numbered backup). The file is always the old one or the new one, whole:
// never a mix, never empty. A killed write leaves at most its one temporary
// file beside the target, and the next write removes it.
//
// The writes are slowed down by a preloaded shim (helpers/SlowWrites.cpp:
// small pieces, a millisecond before each), and each kill waits until the
// write's temporary file has appeared, so that most kills land mid-write.

#include <gtest/gtest.h>

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "ChildProcess.h"
#include "TempDir.h"
#include "VirtualRadio.h"
#include "core/files/InputFile.h"
#include "core/radio/DatFile.h"

namespace torvan::test {
namespace {

#ifndef TORVAN_SLOW_WRITES_PATH

TEST(CrashSafety, NeedsTheWriteShim) { GTEST_SKIP() << "the slow-write shim is built on Linux only"; }

#else

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr auto kLimit = 20s;

std::string ReadFile(const std::string& path) {
  const Result<std::string> text = ReadWholeFile(path);
  EXPECT_TRUE(text.ok()) << text.error();
  return text.ok() ? text.value() : std::string();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  ASSERT_TRUE(out.good()) << path;
}

std::string ImageBytes(const RadioImage& image) { return std::string(image.data(), image.data() + kImageSize); }

RadioImage Pattern(unsigned salt) {
  RadioImage img;
  for (std::size_t i = 0; i < kImageSize; ++i) img[i] = static_cast<std::uint8_t>((i * 31 + salt) & 0xFF);
  return img;
}

// The temporary files of writes of `target` now in its folder.
std::set<std::string> Temporaries(const fs::path& target) {
  std::set<std::string> names;
  const std::string prefix = target.filename().string() + ".tmp";
  for (const auto& e : fs::directory_iterator(target.parent_path())) {
    const std::string name = e.path().filename().string();
    if (name.rfind(prefix, 0) == 0) names.insert(name);
  }
  return names;
}

// Sets environment variables for the processes started in its scope.
class ScopedEnvironment {
 public:
  void Set(const char* name, const std::string& value) {
    const char* old = ::getenv(name);
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    ::setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->second) {
        ::setenv(it->first.c_str(), it->second->c_str(), 1);
      } else {
        ::unsetenv(it->first.c_str());
      }
    }
  }

 private:
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

// Slow writes for the next programs started: `pieceBytes` per write() call,
// a millisecond before each piece and each fsync.
void SlowWrites(ScopedEnvironment& env, int pieceBytes) {
  env.Set("LD_PRELOAD", TORVAN_SLOW_WRITES_PATH);
  env.Set("TORVAN_SLOW_WRITE_BYTES", std::to_string(pieceBytes));
  env.Set("TORVAN_SLOW_WRITE_US", "1000");
  // A sanitizer build wants its runtime first in the list of libraries; the
  // shim brings none, so the order does not matter here.
  const char* asan = ::getenv("ASAN_OPTIONS");
  env.Set("ASAN_OPTIONS", std::string(asan ? asan : "") + (asan && *asan ? ":" : "") + "verify_asan_link_order=0");
}

struct Scenario {
  std::string target;                      // the file being written
  std::string oldContent;                  // what it holds before each run
  std::vector<std::string> argv;           // the program and its arguments
  int rounds = 0;                          // runs that are killed
  std::chrono::milliseconds maxDelay{0};   // kills come 0..maxDelay after the write began
  std::function<void()> checkAfterKill;    // further checks after each kill (may be empty)
};

struct Outcome {
  int killedMidWrite = 0;  // kills sent while the run's temporary file existed
  int oldKept = 0;
  int newWritten = 0;
};

// Runs `s` to its end once, without a kill, and returns what it writes.
std::string ReferenceRun(const Scenario& s) {
  WriteFile(s.target, s.oldContent);
  const ProcessResult r = RunProcess(s.argv, kLimit);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  return ReadFile(s.target);
}

// Whether process `pid` has ended, leaving it to be waited for.
bool Ended(pid_t pid) {
  siginfo_t info{};
  return ::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid != 0;
}

void KillRepeatedly(const Scenario& s, const std::string& newContent, Outcome& o) {
  const fs::path target(s.target);
  for (int round = 0; round < s.rounds; ++round) {
    WriteFile(s.target, s.oldContent);
    const std::set<std::string> before = Temporaries(target);
    ASSERT_LE(before.size(), 1u) << "temporary files pile up: round " << round;

    ChildProcess p(s.argv);
    // Wait until this run's temporary file appears (or the run ends).
    const auto deadline = std::chrono::steady_clock::now() + kLimit;
    bool writing = false;
    while (!writing && std::chrono::steady_clock::now() < deadline) {
      for (const auto& name : Temporaries(target)) writing = writing || !before.count(name);
      if (!writing) std::this_thread::sleep_for(200us);
      if (!writing && Ended(p.pid())) break;  // ended before its write began
    }
    // Spread the kills over the write: round k of n waits k/n of maxDelay.
    std::this_thread::sleep_for(s.maxDelay * ((round * 7) % s.rounds) / s.rounds);
    bool stillWriting = false;
    for (const auto& name : Temporaries(target)) stillWriting = stillWriting || !before.count(name);
    p.Signal(SIGKILL);
    const ProcessResult r = p.Wait(kLimit);
    if (r.signal == SIGKILL && stillWriting) ++o.killedMidWrite;

    const std::string now = ReadFile(s.target);
    ASSERT_TRUE(now == s.oldContent || now == newContent)
        << "round " << round << ": the file is neither the old nor the new one (" << now.size() << " bytes)";
    ++(now == s.oldContent ? o.oldKept : o.newWritten);
    EXPECT_LE(Temporaries(target).size(), 1u) << "a killed write leaves at most its own temporary file";
    if (s.checkAfterKill) s.checkAfterKill();
  }
  // A run to its end writes the new file and leaves no temporary file.
  WriteFile(s.target, s.oldContent);
  const ProcessResult r = RunProcess(s.argv, kLimit);
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(s.target), newContent);
  EXPECT_TRUE(Temporaries(target).empty()) << "the next write removes what killed writes left";
}

// Kills `s` repeatedly; most kills must have landed mid-write, or the test
// proved little.
void KillAndCount(const Scenario& s, const std::string& newContent) {
  Outcome o;
  KillRepeatedly(s, newContent, o);
  std::cout << "[ KILLS    ] " << s.rounds << " kills, " << o.killedMidWrite << " mid-write; old file kept "
            << o.oldKept << " times, new file whole " << o.newWritten << " times\n";
  EXPECT_GE(o.killedMidWrite * 2, s.rounds);
}

class CrashSafety : public ::testing::Test {
 protected:
  TempDir dir_;
};

constexpr int kRounds = 24;
constexpr auto kDatWrite = 20ms;  // 16 pieces of 512 bytes and an fsync take 17 ms or more

TEST_F(CrashSafety, NewWritesTheOldFileOrTheNewOne) {
  const std::string out = dir_.file("out.dat");
  Scenario s{out, ImageBytes(Pattern(1)), {TORVAN_CLI_PATH, "new", out}, kRounds, kDatWrite, {}};
  ScopedEnvironment env;
  SlowWrites(env, 512);
  const std::string newContent = ImageBytes(RadioImage::NewDocument());
  ASSERT_EQ(ReferenceRun(s), newContent);
  KillAndCount(s, newContent);
}

TEST_F(CrashSafety, ImportWritesTheOldFileOrTheNewOne) {
  const std::string in = dir_.file("in.dat");
  const std::string csv = dir_.file("in.csv");
  const std::string out = dir_.file("out.dat");
  ASSERT_TRUE(SaveDat(in, RadioImage::NewDocument()).ok());
  WriteFile(csv,
            "CH,Rx Frequency,Tx Frequency,Rx Tone,Cha Name\n"
            "Pr,401.12500,402.00000,88.5,HOME\n"
            "7,410.00000,,D023N,\n");
  Scenario s{out, ImageBytes(Pattern(2)), {TORVAN_CLI_PATH, "import", in, csv, "-o", out}, kRounds, kDatWrite, {}};
  ScopedEnvironment env;
  SlowWrites(env, 512);
  const std::string newContent = ReferenceRun(s);
  ASSERT_NE(newContent, ImageBytes(RadioImage::NewDocument())) << "the import changes the image";
  KillAndCount(s, newContent);
}

TEST_F(CrashSafety, ReadWritesTheOldFileOrTheRadiosMemory) {
  const RadioImage memory = Pattern(3);
  const std::string image = dir_.file("radio.dat");
  ASSERT_TRUE(SaveDat(image, memory).ok());
  Radio radio({"--image", image});
  ASSERT_FALSE(radio.path().empty());
  const std::string out = dir_.file("out.dat");
  // A read takes a few hundred milliseconds on the wire: fewer rounds.
  Scenario s{out, ImageBytes(Pattern(4)), {TORVAN_CLI_PATH, "read", "--port", radio.path(), "-o", out}, 8, kDatWrite,
             {}};
  ScopedEnvironment env;
  SlowWrites(env, 512);
  ASSERT_EQ(ReferenceRun(s), ImageBytes(memory));
  KillAndCount(s, ImageBytes(memory));
}

TEST_F(CrashSafety, ProgramIniWriteBackWritesTheOldFileOrTheNewOne) {
  // A large Program.ini: the product sections of many radio types.
  std::string ini = "[Setup]\r\nLanguage=English\r\nShowLang=1\r\nAppName=Torvan\r\n";
  for (int n = 1; n <= 1500; ++n) {
    ini += "[Model" + std::to_string(n) + "]\r\nCompany=Torvan Radio Company " + std::to_string(n) +
           "\r\nAppName=Torvan\r\n";
  }
  const std::string path = dir_.file("Program.ini");
  // Every numbered backup that a run made holds the old file, whole.
  auto backupsHoldTheOldFile = [&] {
    for (const auto& e : fs::directory_iterator(dir_.path())) {
      const std::string name = e.path().filename().string();
      if (name.size() == std::string("Program.ini.001").size() && name.rfind("Program.ini.", 0) == 0) {
        EXPECT_EQ(ReadFile(e.path().string()), ini) << name;
      }
    }
  };
  Scenario s{path, ini, {TORVAN_INI_REWRITE_PATH, path, "--backup"}, kRounds, 40ms, backupsHoldTheOldFile};
  ScopedEnvironment env;
  SlowWrites(env, 4096);
  const std::string newContent = ReferenceRun(s);
  ASSERT_NE(newContent.find("Language=Chinese\r\n"), std::string::npos);
  ASSERT_GT(newContent.size(), 60000u);
  KillAndCount(s, newContent);
  backupsHoldTheOldFile();
}

// Two commands write the same file at once: each has its own temporary file
// and neither removes the other's, so both finish and the file is one of the
// two, whole.
TEST_F(CrashSafety, TwoWritersOfOneFileBothFinish) {
  const std::string in = dir_.file("in.dat");
  const std::string csv = dir_.file("in.csv");
  const std::string victim = dir_.file("victim.dat");
  ASSERT_TRUE(SaveDat(in, RadioImage::NewDocument()).ok());
  WriteFile(csv, "CH,Rx Frequency\nPr,401.12500\n");
  const std::vector<std::string> first = {TORVAN_CLI_PATH, "new", victim};
  const std::vector<std::string> second = {TORVAN_CLI_PATH, "import", in, csv, "-o", victim};
  ScopedEnvironment env;
  SlowWrites(env, 256);
  env.Set("TORVAN_SLOW_WRITE_US", "3000");  // each write takes about a tenth of a second
  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE(round);
    fs::remove(victim);
    ChildProcess a(first);
    // The second starts while the first one's temporary file is there.
    const auto deadline = std::chrono::steady_clock::now() + kLimit;
    while (Temporaries(victim).empty() && std::chrono::steady_clock::now() < deadline && !Ended(a.pid())) {
      std::this_thread::sleep_for(200us);
    }
    ChildProcess b(second);
    const ProcessResult ra = a.Wait(kLimit);
    const ProcessResult rb = b.Wait(kLimit);
    EXPECT_EQ(ra.exitCode, 0) << ra.err;
    EXPECT_EQ(rb.exitCode, 0) << rb.err;
    const std::string now = ReadFile(victim);
    EXPECT_EQ(now.size(), kImageSize);
    EXPECT_TRUE(Temporaries(victim).empty()) << "each removed its own temporary file";
  }
}

#endif

}  // namespace
}  // namespace torvan::test
