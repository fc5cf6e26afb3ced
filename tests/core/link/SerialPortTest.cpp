// Port names, and the system serial port against a real pseudo-terminal.

#include "core/link/SerialPort.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>
#if defined(__linux__)
#include <pty.h>
#elif defined(__APPLE__)
#include <util.h>
#else
#include <libutil.h>
#endif
#endif

#include "core/link/CloneSession.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "core/files/SystemError.h"
#endif

namespace torvan::test {
namespace {

struct NameCase {
  const char* name;
  const char* device;
};
void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

class PortDevicePathTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(PortDevicePathTest, MapsNames) { EXPECT_EQ(PortDevicePath(GetParam().name), GetParam().device); }

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(Names, PortDevicePathTest,
                         ::testing::Values(NameCase{"COM1", "COM1"}, NameCase{"com4", "COM4"},
                                           NameCase{"COM10", "\\\\.\\COM10"}, NameCase{"COM0", ""},
                                           NameCase{"\\\\.\\COM3", "\\\\.\\COM3"}, NameCase{"", ""}));
#else
INSTANTIATE_TEST_SUITE_P(Names, PortDevicePathTest,
                         ::testing::Values(NameCase{"COM1", "/dev/ttyS0"}, NameCase{"com4", "/dev/ttyS3"},
                                           NameCase{"COM258", "/dev/ttyS257"}, NameCase{"COM0", ""},
                                           NameCase{"/dev/ttyUSB0", "/dev/ttyUSB0"}, NameCase{"ttyACM1", "/dev/ttyACM1"},
                                           NameCase{"COMX", "/dev/COMX"}, NameCase{"", ""}));

// A pseudo-terminal whose far end the test holds, like the virtual radio.
class PtyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::openpty(&master_, &slave_, nullptr, nullptr, nullptr), 0);
    termios t{};
    ASSERT_EQ(::tcgetattr(slave_, &t), 0);
    ::cfmakeraw(&t);
    ASSERT_EQ(::tcsetattr(slave_, TCSANOW, &t), 0);
    path_ = ::ttyname(slave_);
  }
  void TearDown() override {
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
  }

  std::unique_ptr<SerialPort> OpenPort(const PortTimeouts& timeouts = clone::kTimeouts) {
    auto port = CreateSystemSerialPort();
    const Status s = port->Open(path_);
    EXPECT_TRUE(s.ok()) << s.error();
    EXPECT_TRUE(port->SetBufferSizes(clone::kBufferSizes).ok());
    EXPECT_TRUE(port->SetTimeouts(timeouts).ok());
    const Status line = port->SetLineSettings(clone::kLineSettings);
    EXPECT_TRUE(line.ok()) << line.error();
    return port;
  }

  void FarEndSends(const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
  }

  // Reads what the port sent, waiting at most a second for the first byte.
  std::vector<std::uint8_t> FarEndReceives(std::size_t n) {
    std::vector<std::uint8_t> got;
    while (got.size() < n) {
      pollfd p{master_, POLLIN, 0};
      if (::poll(&p, 1, 1000) <= 0) break;
      std::uint8_t buf[64];
      const ssize_t r = ::read(master_, buf, std::min(sizeof buf, n - got.size()));
      if (r <= 0) break;
      got.insert(got.end(), buf, buf + r);
    }
    return got;
  }

  int master_ = -1;
  int slave_ = -1;
  std::string path_;
};

// Short time-outs: the rules are the same, the test does not wait 590 ms.
constexpr PortTimeouts kQuick{std::chrono::milliseconds(20), std::chrono::milliseconds(5),
                              std::chrono::milliseconds(20), std::chrono::milliseconds(50),
                              std::chrono::milliseconds(50)};

TEST_F(PtyTest, ReadsTheRequestedBytesOrWhatCameBeforeTheTimeOut) {
  auto port = OpenPort(kQuick);
  FarEndSends({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13});
  std::uint8_t buf[12];
  PortReadResult r = port->Read(buf);
  ASSERT_TRUE(r.status.ok()) << r.status.error();
  EXPECT_EQ(r.count, 12u);
  EXPECT_EQ(buf[0], 1);
  EXPECT_EQ(buf[11], 12);

  r = port->Read(buf);  // one byte left: the interval time-out ends the read
  EXPECT_TRUE(r.status.ok());
  EXPECT_EQ(r.count, 1u);
  EXPECT_EQ(buf[0], 13);

  r = port->Read(std::span(buf, 1));  // nothing: a time-out is not an error
  EXPECT_TRUE(r.status.ok());
  EXPECT_EQ(r.count, 0u);
}

TEST_F(PtyTest, WriteThenClearLosesNothing) {
  auto port = OpenPort();
  constexpr int kRounds = 300;
  for (int i = 0; i < kRounds; ++i) {
    const std::uint8_t b = static_cast<std::uint8_t>(i);
    ASSERT_TRUE(port->Write(std::span(&b, 1)).ok());
    ASSERT_TRUE(port->Clear().ok());
    ASSERT_EQ(FarEndReceives(1), std::vector<std::uint8_t>{b}) << "round " << i;
  }
}

TEST_F(PtyTest, ClearDiscardsWhatHasArrived) {
  auto port = OpenPort(kQuick);
  FarEndSends({0x55, 0x66});
  // Wait until the bytes are in the port's input, then clear them.
  pollfd p{slave_, POLLIN, 0};
  ASSERT_EQ(::poll(&p, 1, 1000), 1);
  ASSERT_TRUE(port->Clear().ok());
  std::uint8_t b = 0;
  const PortReadResult r = port->Read(std::span(&b, 1));
  EXPECT_TRUE(r.status.ok());
  EXPECT_EQ(r.count, 0u);
}

TEST_F(PtyTest, FarEndGoingAwayIsAPortErrorNotATimeOut) {
  // Long time-outs: a port that missed the hang-up would return a clean
  // time-out, which the checks below reject.
  const PortTimeouts longWait{std::chrono::milliseconds(30), std::chrono::milliseconds(5000),
                              std::chrono::milliseconds(0), std::chrono::milliseconds(50),
                              std::chrono::milliseconds(50)};
  auto port = OpenPort(longWait);
  ::close(master_);
  master_ = -1;
  ::close(slave_);
  slave_ = -1;
  std::uint8_t buf[12];
  for (int i = 0; i < 3; ++i) {
    const PortReadResult r = port->Read(buf);
    EXPECT_FALSE(r.status.ok());
    EXPECT_EQ(r.count, 0u);
    EXPECT_NE(r.status.error().find(path_ + ": "), std::string::npos) << r.status.error();
  }
  const std::uint8_t ack = 0x06;
  EXPECT_FALSE(port->Write(std::span(&ack, 1)).ok());
}

TEST_F(PtyTest, OpenIsExclusiveAndThePortIsFreeAgainAfterClose) {
  auto first = OpenPort();
  auto second = CreateSystemSerialPort();
  const Status s = second->Open(path_);
  EXPECT_EQ(s.error(), path_ + ": the port is in use by another program");
  EXPECT_FALSE(ProbePort(path_).ok());
  first->Close();
  EXPECT_TRUE(ProbePort(path_).ok());
  EXPECT_TRUE(second->Open(path_).ok());
}

TEST(SerialPortOpenTest, ErrorsNameThePortAndTheReason) {
  struct Case {
    const char* name;
    const char* error;
  };
  const Case cases[] = {
      {"/dev/torvan-no-such-port", "/dev/torvan-no-such-port: No such file or directory"},
      {"/dev/null", "/dev/null: not a serial port"},
      {"COM0", "COM0: no such port"},
      {"COM200", "COM200 (/dev/ttyS199): No such file or directory"},
  };
  for (const auto& c : cases) {
    auto port = CreateSystemSerialPort();
    EXPECT_EQ(port->Open(c.name).error(), c.error);
    EXPECT_FALSE(port->IsOpen());
  }
}
#endif

#ifdef _WIN32
// The port's reads, time-outs, clears and exclusive opening are tested
// against a pseudo-terminal whose far end the test holds, which Windows does
// not have. There the Win32 port reads and writes the virtual radio through a
// COM port instead (the Windows check of the command line).
#define TORVAN_NEEDS_A_PSEUDO_TERMINAL(name) \
  TEST(PtyTest, name) { GTEST_SKIP() << "needs a pseudo-terminal whose far end the test holds (POSIX)"; }
TORVAN_NEEDS_A_PSEUDO_TERMINAL(ReadsTheRequestedBytesOrWhatCameBeforeTheTimeOut)
TORVAN_NEEDS_A_PSEUDO_TERMINAL(WriteThenClearLosesNothing)
TORVAN_NEEDS_A_PSEUDO_TERMINAL(ClearDiscardsWhatHasArrived)
TORVAN_NEEDS_A_PSEUDO_TERMINAL(FarEndGoingAwayIsAPortErrorNotATimeOut)
TORVAN_NEEDS_A_PSEUDO_TERMINAL(OpenIsExclusiveAndThePortIsFreeAgainAfterClose)

TEST(SerialPortOpenTest, ErrorsNameThePortAndTheReason) {
  struct Case {
    const char* name;
    std::string error;
  };
  const Case cases[] = {
      {"COM0", "COM0: no such port"},
      {"COM200", "COM200: " + Win32ErrorText(ERROR_FILE_NOT_FOUND)},
      {"NUL", "NUL: not a serial port (" + Win32ErrorText(ERROR_INVALID_HANDLE) + ")"},
  };
  for (const auto& c : cases) {
    auto port = CreateSystemSerialPort();
    EXPECT_EQ(port->Open(c.name).error(), c.error);
    EXPECT_FALSE(port->IsOpen());
  }
}
#endif

}  // namespace
}  // namespace torvan::test
