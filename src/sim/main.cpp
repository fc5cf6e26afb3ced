// torvan-radio-sim: a virtual radio on a pseudo-terminal. It prints the
// terminal's path on the first line of standard output, then answers clone
// sessions one after another until SIGINT or SIGTERM. The protocol itself is
// the core's RadioEmulator; this file owns the terminal, the timing and the
// files.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>
#if defined(__linux__)
#include <pty.h>
#include <sys/prctl.h>
#elif defined(__APPLE__)
#include <util.h>
#else
#include <libutil.h>
#endif

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "core/files/PathText.h"
#include "core/files/SystemError.h"
#include "core/files/WritableTarget.h"
#include "core/link/RadioEmulator.h"
#include "core/product/ProgramVersion.h"
#include "core/radio/DatFile.h"

namespace {

using torvan::RadioEmulator;
using torvan::RadioFaults;
using torvan::RadioImage;
using Clock = std::chrono::steady_clock;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

constexpr char kUsage[] =
    "usage: torvan-radio-sim [--image IN.dat] [--save OUT.dat] [--baud N] [--fault KIND[=ADDR]]...\n"
    "       torvan-radio-sim --help | --version\n"
    "A virtual radio on a pseudo-terminal. Prints the terminal's path as the first line of\n"
    "standard output, then serves clone sessions one after another until interrupted.\n"
    "  --image IN.dat       the radio's memory at start (default: the image of a new document)\n"
    "  --save OUT.dat       written (atomically) after each complete write session\n"
    "  --baud N             runs the line at N baud: every byte takes 10 bit-times, the bytes\n"
    "                       the radio receives and those it sends (default: no pacing)\n"
    "  --fault KIND[=ADDR]  stray-byte, silent, short-id, no-final-ack, ack-only, nak-block=ADDR,\n"
    "                       short-reply=ADDR, hangup-at=ADDR, stuck-block=ADDR, wrong-block=ADDR\n"
    "                       (repeatable); ADDR is a block address, hex (0x0C80) or decimal (3200)\n"
    "After a hangup-at fault the radio closes its terminal and exits (status 0).\n";

// A real radio needs a few milliseconds to turn the line around before it
// answers a handshake step; the program relies on that after its last ACK.
constexpr auto kTurnaround = std::chrono::milliseconds(3);
// A frame that stops half way for this long is dropped.
constexpr int kQuietMilliseconds = 500;
constexpr unsigned kBitTimesPerByte = 10;
constexpr unsigned long kMaxBaud = 4'000'000;

int g_signalPipe = -1;  // the write end of the self-pipe that wakes the loop on a signal

extern "C" void OnSignal(int) {
  const int saved = errno;
  const char c = 's';
  // Nothing useful can be done when the pipe is full: one byte is enough.
  [[maybe_unused]] const ssize_t n = ::write(g_signalPipe, &c, 1);
  errno = saved;
}

struct Options {
  std::optional<std::filesystem::path> image;
  std::optional<std::filesystem::path> save;
  unsigned long baud = 0;
  RadioFaults faults;
};

int UsageError(const std::string& message) {
  std::cerr << "torvan-radio-sim: " << message << "\n" << kUsage;
  return kExitUsage;
}

// Parses the arguments; returns an exit status when the program should stop.
std::optional<int> ParseArguments(int argc, char** argv, Options& o) {
  std::vector<std::string> seen;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "-h" || a == "--help") {
      std::cout << kUsage;
      return kExitOk;
    }
    if (a == "--version") {
      std::cout << torvan::VersionLine("torvan-radio-sim") << '\n';
      return kExitOk;
    }
    std::string value;
    const auto eq = a.find('=');
    bool inlineValue = false;
    if (a.rfind("--", 0) == 0 && eq != std::string::npos) {
      value = a.substr(eq + 1);
      a = a.substr(0, eq);
      inlineValue = true;
    }
    if (a != "--image" && a != "--save" && a != "--baud" && a != "--fault") {
      return UsageError("unknown argument \"" + std::string(argv[i]) + "\"");
    }
    // Only --fault adds up; a second value of the others would replace the first.
    if (a != "--fault" && std::find(seen.begin(), seen.end(), a) != seen.end()) {
      return UsageError("option " + a + " is given more than once");
    }
    seen.push_back(a);
    if (!inlineValue) {
      if (i + 1 >= argc) return UsageError("option " + a + " needs a value");
      value = argv[++i];
    }
    if (a == "--image") {
      o.image = torvan::PathFromUtf8(value);
    } else if (a == "--save") {
      o.save = torvan::PathFromUtf8(value);
    } else if (a == "--baud") {
      const bool digits = !value.empty() && value.size() <= 7 &&
                          std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
      o.baud = digits ? std::stoul(value) : 0;
      if (o.baud == 0 || o.baud > kMaxBaud) return UsageError("--baud \"" + value + "\" is not a baud rate (1 to 4000000)");
    } else {
      const torvan::Status s = torvan::ParseRadioFault(value, o.faults);
      if (!s.ok()) return UsageError(s.error());
    }
  }
  return std::nullopt;
}

std::string Hex16(unsigned v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "0x%04X", v & 0xFFFFu);
  return buf;
}

// The radio's end of the line: bytes in, answers out, on the wire's timing.
class VirtualLine {
 public:
  VirtualLine(int master, RadioEmulator& radio, unsigned long baud, std::optional<std::filesystem::path> save)
      : master_(master), radio_(radio), save_(std::move(save)) {
    if (baud > 0) {
      byteTime_ = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
          static_cast<double>(kBitTimesPerByte) / static_cast<double>(baud)));
    }
  }

  // Feeds bytes that have just arrived; false when the radio hung up.
  bool Received(const std::uint8_t* data, std::size_t n) {
    const auto now = Clock::now();
    for (std::size_t i = 0; i < n; ++i) {
      // On a paced line a byte is in only after its 10 bit-times.
      rxEnd_ = Paced() ? std::max(now, rxEnd_) + byteTime_ : now;
      const RadioEmulator::Answer a = radio_.Receive(data[i]);
      if (a.hangUp) {
        std::cerr << "torvan-radio-sim: hanging up at block " << Hex16(a.block.value_or(0)) << " (fault hangup-at)\n";
        return false;
      }
      if (!a.bytes.empty()) {
        Send(a.bytes, rxEnd_ + (a.afterTurnaround ? Clock::duration(kTurnaround) : Clock::duration::zero()));
      }
      if (a.writeCompleted) Saved();
    }
    return true;
  }

 private:
  bool Paced() const { return byteTime_ > Clock::duration::zero(); }

  void Send(const std::vector<std::uint8_t>& bytes, Clock::time_point earliest) {
    if (!Paced()) {
      if (earliest > Clock::now()) WaitUntil(earliest);
      WriteAll(bytes.data(), bytes.size());
      return;
    }
    // Each byte reaches the program at the end of its bit-times; deadlines
    // are absolute so that sleeping late once does not add up.
    auto t = std::max(earliest, txFree_);
    for (const std::uint8_t b : bytes) {
      t += byteTime_;
      WaitUntil(t);
      WriteAll(&b, 1);
    }
    txFree_ = t;
  }

  // A sleep wakes late by tens of microseconds, which a byte time at 9600
  // baud (1.04 ms) would feel over a thousand blocks: sleep most of the way,
  // then spin to the deadline.
  static void WaitUntil(Clock::time_point t) {
    constexpr auto kSpinWindow = std::chrono::microseconds(150);
    if (t - Clock::now() > kSpinWindow) std::this_thread::sleep_until(t - kSpinWindow);
    while (Clock::now() < t) {
    }
  }

  void WriteAll(const std::uint8_t* data, std::size_t n) {
    while (n > 0) {
      const ssize_t w = ::write(master_, data, n);
      if (w > 0) {
        data += w;
        n -= static_cast<std::size_t>(w);
        continue;
      }
      if (w < 0 && errno == EINTR) continue;
      // Nobody reads the terminal and its buffer is full, or it is gone: the
      // bytes are lost, as on a wire with no listener.
      if (w < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
        std::cerr << "torvan-radio-sim: cannot send: " << torvan::SystemErrorText(errno) << "\n";
      }
      return;
    }
  }

  void Saved() {
    if (!save_) return;
    const torvan::Status s = torvan::SaveDat(*save_, radio_.Memory());
    if (!s.ok()) std::cerr << "torvan-radio-sim: " << s.error() << "\n";
  }

  int master_;
  RadioEmulator& radio_;
  std::optional<std::filesystem::path> save_;
  Clock::duration byteTime_{0};
  Clock::time_point rxEnd_{};
  Clock::time_point txFree_{};
};

bool MakeRaw(int fd) {
  termios t{};
  if (::tcgetattr(fd, &t) != 0) return false;
  ::cfmakeraw(&t);
  t.c_cflag |= CLOCAL | CREAD;
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
  return ::tcsetattr(fd, TCSANOW, &t) == 0;
}

int Fail(const std::string& message) {
  std::cerr << "torvan-radio-sim: " << message << "\n";
  return kExitFailure;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (const auto stop = ParseArguments(argc, argv, options)) return *stop;

  RadioImage memory = RadioImage::NewDocument();
  if (options.image) {
    const torvan::Status s = torvan::LoadDat(*options.image, memory);
    if (!s.ok()) return Fail(s.error());
  }
  // Found out now, not after a write session that the program took for a success.
  if (options.save) {
    const torvan::Status s = torvan::CheckWritableTarget(*options.save);
    if (!s.ok()) return Fail(s.error());
  }

  int master = -1;
  int slave = -1;
  if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
    return Fail("cannot open a pseudo-terminal: " + torvan::SystemErrorText(errno));
  }
  // Raw before anyone can send: making a terminal raw later would flush input.
  // The radio keeps its own handle on the program's end, so that the
  // terminal survives between sessions while no program has it open.
  if (!MakeRaw(slave)) return Fail("cannot set up the pseudo-terminal: " + torvan::SystemErrorText(errno));
  if (::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK) != 0 ||
      ::fcntl(master, F_SETFD, FD_CLOEXEC) != 0 || ::fcntl(slave, F_SETFD, FD_CLOEXEC) != 0) {
    return Fail("cannot set up the pseudo-terminal: " + torvan::SystemErrorText(errno));
  }
  const char* path = ::ttyname(slave);
  if (path == nullptr) return Fail("the pseudo-terminal has no name: " + torvan::SystemErrorText(errno));

  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return Fail("cannot create a pipe: " + torvan::SystemErrorText(errno));
  for (const int fd : pipeFds) {
    if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK) != 0 || ::fcntl(fd, F_SETFD, FD_CLOEXEC) != 0) {
      return Fail("cannot set up a pipe: " + torvan::SystemErrorText(errno));
    }
  }
  g_signalPipe = pipeFds[1];
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  ::sigaction(SIGINT, &sa, nullptr);
  ::sigaction(SIGTERM, &sa, nullptr);
  ::signal(SIGPIPE, SIG_IGN);
#if defined(__linux__)
  // Wake to the microsecond when pacing bytes (the default slack is 50 us).
  // A failure only costs precision.
  [[maybe_unused]] const int slack = ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
#endif

  std::cout << path << std::endl;  // the first line, flushed: scripts wait for it

  RadioEmulator radio(memory, options.faults);
  VirtualLine line(master, radio, options.baud, options.save);
  std::uint8_t buffer[256];
  int status = kExitOk;
  for (;;) {
    pollfd fds[2] = {{master, POLLIN, 0}, {pipeFds[0], POLLIN, 0}};
    const int r = ::poll(fds, 2, kQuietMilliseconds);
    if (r < 0) {
      if (errno == EINTR) continue;
      status = Fail("poll: " + torvan::SystemErrorText(errno));
      break;
    }
    if (fds[1].revents != 0) break;  // SIGINT or SIGTERM
    if (r == 0) {
      radio.LineQuiet();
      continue;
    }
    if (fds[0].revents & POLLIN) {
      const ssize_t n = ::read(master, buffer, sizeof buffer);
      if (n > 0) {
        if (!line.Received(buffer, static_cast<std::size_t>(n))) break;  // hung up as asked
        continue;
      }
      if (n < 0 && (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)) continue;
    }
    // A hang-up or read error cannot happen while the radio holds the
    // program's end itself; do not spin if it does.
    constexpr auto kBackOff = std::chrono::milliseconds(10);
    std::this_thread::sleep_for(kBackOff);
  }
  ::close(master);
  ::close(slave);
  return status;
}
