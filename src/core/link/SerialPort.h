#pragma once
// SerialPort: the serial line that a clone session talks through.
//
// The session needs only the operations below. They are abstract so that the
// real port (termios on Linux/macOS, the Win32 communication calls on Windows)
// and a scripted port in the tests can stand behind the same session code.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "core/files/Status.h"

namespace torvan {

// Driver buffer sizes in bytes. Only Windows lets a program choose them; the
// POSIX port accepts and ignores them (its kernel buffers are larger).
struct PortBufferSizes {
  std::size_t input = 0;
  std::size_t output = 0;
};

// Time-outs of the port.
//  - A read returns when the requested bytes have arrived, when the total
//    time-out (readTotalPerByte x requested + readTotalConstant) has passed,
//    or when more than readInterval passes between two bytes after the first.
//    A time-out is not an error: the read reports how many bytes came.
//  - A write must be taken within writeTotalPerByte x bytes + writeTotalConstant.
struct PortTimeouts {
  std::chrono::milliseconds readInterval{0};
  std::chrono::milliseconds readTotalPerByte{0};
  std::chrono::milliseconds readTotalConstant{0};
  std::chrono::milliseconds writeTotalPerByte{0};
  std::chrono::milliseconds writeTotalConstant{0};

  std::chrono::milliseconds ReadTotal(std::size_t bytes) const {
    return readTotalPerByte * static_cast<long long>(bytes) + readTotalConstant;
  }
  std::chrono::milliseconds WriteTotal(std::size_t bytes) const {
    return writeTotalPerByte * static_cast<long long>(bytes) + writeTotalConstant;
  }
};

enum class Parity { None };

// Line settings: binary (raw) mode, no parity checking. Everything not named
// here is left as the driver has it, except that the POSIX port turns flow
// control off so that a write always finishes (see SerialPort_posix.cpp).
struct LineSettings {
  unsigned baud = 0;
  unsigned dataBits = 0;
  Parity parity = Parity::None;
  unsigned stopBits = 0;
};

// The outcome of one read: the bytes that arrived (at the front of the
// caller's buffer) and whether the port failed. A time-out is not a failure.
struct PortReadResult {
  std::size_t count = 0;
  Status status;
};

class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens the port for reading and writing, exclusively, as an existing
  // device. `name` is what the user chose: "COM1", "/dev/ttyUSB0" ... (see
  // PortDevicePath). The error starts with the name: "/dev/ttyUSB9: No such
  // file or directory".
  virtual Status Open(const std::string& name) = 0;
  virtual bool IsOpen() const = 0;

  virtual Status SetBufferSizes(const PortBufferSizes& sizes) = 0;
  virtual Status SetTimeouts(const PortTimeouts& timeouts) = 0;
  virtual Status SetLineSettings(const LineSettings& line) = 0;

  // Abandons pending transfers and empties both driver buffers.
  virtual Status PurgeAll() = 0;
  // Empties both driver buffers.
  virtual Status Clear() = 0;

  // Returns when the bytes have left the port (or the write time-out passed),
  // so that a Clear right after it cannot discard them.
  virtual Status Write(std::span<const std::uint8_t> bytes) = 0;

  // Reads up to buffer.size() bytes by the time-out rules of PortTimeouts.
  // A far end that went away (hang-up, EOF, unplugged adapter) is an error at
  // once, never a stream of empty reads.
  virtual PortReadResult Read(std::span<std::uint8_t> buffer) = 0;

  // Closes the port; harmless when it is not open.
  virtual void Close() = 0;

  // Waits `ms` milliseconds (a real sleep on the real port).
  virtual void Pause(std::chrono::milliseconds ms) = 0;
};

// The serial port of this operating system.
std::unique_ptr<SerialPort> CreateSystemSerialPort();

// The device that a port name opens; empty when the name names no port.
//  - "COMn" (any case, n >= 1): on Windows "COMn", with the "\\.\" prefix for
//    n >= 10; on Linux and other POSIX systems /dev/ttyS(n-1) (COM1 is the
//    first built-in port, /dev/ttyS0). "COM0" names no port.
//  - A name with a path separator ("/dev/ttyUSB0", "\\.\COM12") as given.
//  - Any other name: on POSIX systems below /dev ("ttyUSB0" -> "/dev/ttyUSB0"),
//    on Windows as given.
std::string PortDevicePath(std::string_view name);

// Opens the port exclusively and closes it at once: Ok when it could be
// opened, otherwise the reason (missing, in use, not a serial port ...).
Status ProbePort(const std::string& name);

}  // namespace torvan
