// The serial port on Linux and macOS: termios + poll.
//
// Works with built-in ports, USB serial adapters (/dev/ttyUSB*, /dev/ttyACM*)
// and pseudo-terminals (the virtual radio).

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <thread>

#include "core/files/SystemError.h"
#include "core/link/PortPermission.h"
#include "core/link/SerialPort.h"

namespace torvan {

namespace {

using Clock = std::chrono::steady_clock;

// poll() counts in whole milliseconds; round up so that a wait never ends
// before its deadline.
int PollMilliseconds(Clock::duration d) {
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(d).count();
  return static_cast<int>(std::clamp<long long>(ms, 0, 60'000));
}

bool BaudConstant(unsigned baud, speed_t& out) {
  struct Pair {
    unsigned baud;
    speed_t constant;
  };
  static constexpr Pair kRates[] = {{1200, B1200},   {2400, B2400},   {4800, B4800},
                                    {9600, B9600},   {19200, B19200}, {38400, B38400},
                                    {57600, B57600}, {115200, B115200}};
  for (const auto& r : kRates) {
    if (r.baud == baud) {
      out = r.constant;
      return true;
    }
  }
  return false;
}

class PosixSerialPort final : public SerialPort {
 public:
  ~PosixSerialPort() override { Close(); }

  Status Open(const std::string& name) override {
    Close();
    label_ = name;
    const std::string path = PortDevicePath(name);
    if (path.empty()) return Status::Error(name + ": no such port");
    if (path != name) label_ = name + " (" + path + ")";

    // Non-blocking so that the open does not wait for a carrier; reads and
    // writes wait in poll() by the port's own time-outs.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
      const int e = errno;
      std::string text = label_ + ": " + SystemErrorText(e);
      if (e == EACCES) text += PortPermissionHint(path);
      if (e == EBUSY) text = label_ + ": the port is in use by another program";
      return Status::Error(text);
    }
    auto fail = [&](const std::string& why) {
      ::close(fd);
      return Status::Error(label_ + ": " + why);
    };
    if (!::isatty(fd)) return fail("not a serial port");
    // Exclusive use: TIOCEXCL refuses further opens (except by root), the
    // lock refuses other programs that lock too (root included).
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int e = errno;
      if (e == EWOULDBLOCK) return fail("the port is in use by another program");
      return fail(SystemErrorText(e));
    }
    if (::ioctl(fd, TIOCEXCL) != 0) return fail(SystemErrorText(errno));
    // Programming cables often draw their power from DTR and RTS. A
    // pseudo-terminal has no modem lines and refuses the call: ignored.
    const int lines = TIOCM_DTR | TIOCM_RTS;
    if (::ioctl(fd, TIOCMBIS, &lines) != 0 && errno != ENOTTY && errno != EINVAL) {
      return fail(SystemErrorText(errno));
    }
    fd_ = fd;
    return Status::Ok();
  }

  bool IsOpen() const override { return fd_ >= 0; }

  Status SetBufferSizes(const PortBufferSizes&) override {
    // termios has no driver buffer sizes; the kernel's are larger than asked.
    return fd_ >= 0 ? Status::Ok() : NotOpen();
  }

  Status SetTimeouts(const PortTimeouts& timeouts) override {
    timeouts_ = timeouts;
    return fd_ >= 0 ? Status::Ok() : NotOpen();
  }

  Status SetLineSettings(const LineSettings& line) override {
    if (fd_ < 0) return NotOpen();
    speed_t speed{};
    if (!BaudConstant(line.baud, speed)) return Error("unsupported baud rate " + std::to_string(line.baud));
    if (line.dataBits != 8 || line.stopBits != 1 || line.parity != Parity::None) {
      return Error("only 8 data bits, no parity, 1 stop bit are supported");
    }
    termios t{};
    if (::tcgetattr(fd_, &t) != 0) return Error(SystemErrorText(errno));
    ::cfmakeraw(&t);  // binary: no echo, no character translation, no software flow control
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB);
#ifdef CRTSCTS
    // A cable without CTS would otherwise hold every write for ever.
    t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
#endif
    t.c_cflag |= CS8 | CLOCAL | CREAD;
    t.c_iflag &= ~static_cast<tcflag_t>(INPCK | IXON | IXOFF | IXANY);
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    if (::cfsetispeed(&t, speed) != 0 || ::cfsetospeed(&t, speed) != 0) return Error(SystemErrorText(errno));
    if (::tcsetattr(fd_, TCSANOW, &t) != 0) return Error(SystemErrorText(errno));
    return Status::Ok();
  }

  Status PurgeAll() override { return Flush(); }
  Status Clear() override { return Flush(); }

  Status Write(std::span<const std::uint8_t> bytes) override {
    if (fd_ < 0) return NotOpen();
    const auto deadline = Clock::now() + timeouts_.WriteTotal(bytes.size());
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
      if (n > 0) {
        done += static_cast<std::size_t>(n);
        continue;
      }
      if (n < 0 && errno == EINTR) continue;
      if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return Error(SystemErrorText(errno));
      // The driver's buffer is full: wait until it takes more.
      const auto now = Clock::now();
      if (now >= deadline) return WriteTimeout(done, bytes.size());
      pollfd p{fd_, POLLOUT, 0};
      const int r = ::poll(&p, 1, PollMilliseconds(deadline - now));
      if (r < 0 && errno != EINTR) return Error(SystemErrorText(errno));
      if (r > 0 && (p.revents & (POLLERR | POLLHUP | POLLNVAL)) && !(p.revents & POLLOUT)) {
        return Error("the line was hung up");
      }
    }
    // Wait until the bytes have left: flushing a Linux pseudo-terminal right
    // after write() can otherwise discard them. Flow control is off, so the
    // wait ends after the bytes' time on the wire.
    while (::tcdrain(fd_) != 0) {
      if (errno != EINTR) return Error(SystemErrorText(errno));
    }
    return Status::Ok();
  }

  PortReadResult Read(std::span<std::uint8_t> buffer) override {
    PortReadResult result;
    if (fd_ < 0) {
      result.status = NotOpen();
      return result;
    }
    const auto totalDeadline = Clock::now() + timeouts_.ReadTotal(buffer.size());
    Clock::time_point lastByte{};
    while (result.count < buffer.size()) {
      auto deadline = totalDeadline;
      if (result.count > 0) deadline = std::min(deadline, lastByte + timeouts_.readInterval);
      const auto now = Clock::now();
      if (now >= deadline) break;  // a time-out, not an error
      pollfd p{fd_, POLLIN, 0};
      const int r = ::poll(&p, 1, PollMilliseconds(deadline - now));
      if (r < 0) {
        if (errno == EINTR) continue;
        result.status = Error(SystemErrorText(errno));
        return result;
      }
      if (r == 0) continue;  // the loop checks the deadline again
      if (p.revents & POLLIN) {
        const ssize_t n = ::read(fd_, buffer.data() + result.count, buffer.size() - result.count);
        if (n > 0) {
          result.count += static_cast<std::size_t>(n);
          lastByte = Clock::now();
          continue;
        }
        if (n == 0) {
          result.status = Error("the line was hung up (end of file)");
          return result;
        }
        if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK) continue;
        result.status = Error(SystemErrorText(errno));
        return result;
      }
      // POLLHUP / POLLERR without data: the far end has gone.
      result.status = Error((p.revents & POLLHUP) ? "the line was hung up" : "port error");
      return result;
    }
    return result;
  }

  void Close() override {
    if (fd_ < 0) return;
    // Give the exclusive use back: a pseudo-terminal whose other end stays
    // open keeps the flag after we close. Neither call can be retried if it
    // fails, and the handle is gone either way.
    [[maybe_unused]] const int released = ::ioctl(fd_, TIOCNXCL);
    [[maybe_unused]] const int closed = ::close(fd_);  // also releases the lock
    fd_ = -1;
  }

  void Pause(std::chrono::milliseconds ms) override { std::this_thread::sleep_for(ms); }

 private:
  Status Error(const std::string& what) const { return Status::Error(label_ + ": " + what); }
  Status NotOpen() const { return Status::Error("the port is not open"); }
  Status WriteTimeout(std::size_t done, std::size_t total) const {
    return Error("write time-out (" + std::to_string(done) + " of " + std::to_string(total) + " bytes taken)");
  }
  // Empties both buffers. The output side is empty already: every Write
  // waits until its bytes have left. Flushing it anyway is what loses data
  // on a Linux pseudo-terminal, where an output flush also discards the bytes
  // still on their way into the other end (tcdrain does not wait for those).
  // So only the input is flushed.
  Status Flush() {
    if (fd_ < 0) return NotOpen();
    if (::tcflush(fd_, TCIFLUSH) != 0) return Error(SystemErrorText(errno));
    return Status::Ok();
  }

  int fd_ = -1;
  std::string label_;
  PortTimeouts timeouts_{};
};

}  // namespace

std::unique_ptr<SerialPort> CreateSystemSerialPort() { return std::make_unique<PosixSerialPort>(); }

}  // namespace torvan
