// The serial port on Windows: the Win32 communication calls.

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>

#include "core/files/PathText.h"
#include "core/files/SystemError.h"
#include "core/link/SerialPort.h"

namespace torvan {

namespace {

DWORD Milliseconds(std::chrono::milliseconds ms) { return static_cast<DWORD>(ms.count()); }

class Win32SerialPort final : public SerialPort {
 public:
  ~Win32SerialPort() override { Close(); }

  Status Open(const std::string& name) override {
    Close();
    label_ = name;
    const std::string path = PortDevicePath(name);
    if (path.empty()) return Status::Error(name + ": no such port");
    // Read and write, no sharing, the device must exist.
    HANDLE h = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
      const DWORD e = GetLastError();
      if (e == ERROR_ACCESS_DENIED || e == ERROR_SHARING_VIOLATION) {
        return Status::Error(label_ + ": the port is in use by another program");
      }
      return Status::Error(label_ + ": " + Win32ErrorText(e));
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(h, &dcb)) {
      const DWORD e = GetLastError();
      CloseHandle(h);
      return Status::Error(label_ + ": not a serial port (" + Win32ErrorText(e) + ")");
    }
    handle_ = h;
    return Status::Ok();
  }

  bool IsOpen() const override { return handle_ != INVALID_HANDLE_VALUE; }

  Status SetBufferSizes(const PortBufferSizes& sizes) override {
    if (!IsOpen()) return NotOpen();
    if (!SetupComm(handle_, static_cast<DWORD>(sizes.input), static_cast<DWORD>(sizes.output))) return LastError();
    return Status::Ok();
  }

  Status SetTimeouts(const PortTimeouts& t) override {
    if (!IsOpen()) return NotOpen();
    COMMTIMEOUTS ct{};
    ct.ReadIntervalTimeout = Milliseconds(t.readInterval);
    ct.ReadTotalTimeoutMultiplier = Milliseconds(t.readTotalPerByte);
    ct.ReadTotalTimeoutConstant = Milliseconds(t.readTotalConstant);
    ct.WriteTotalTimeoutMultiplier = Milliseconds(t.writeTotalPerByte);
    ct.WriteTotalTimeoutConstant = Milliseconds(t.writeTotalConstant);
    if (!SetCommTimeouts(handle_, &ct)) return LastError();
    return Status::Ok();
  }

  Status SetLineSettings(const LineSettings& line) override {
    if (!IsOpen()) return NotOpen();
    if (line.dataBits != 8 || line.stopBits != 1 || line.parity != Parity::None) {
      return Error("only 8 data bits, no parity, 1 stop bit are supported");
    }
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle_, &dcb)) return LastError();
    // Only these change; flow control and special characters stay as the
    // driver has them.
    dcb.BaudRate = line.baud;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    if (!SetCommState(handle_, &dcb)) return LastError();
    return Status::Ok();
  }

  Status PurgeAll() override {
    return Purge(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
  }
  Status Clear() override { return Purge(PURGE_TXCLEAR | PURGE_RXCLEAR); }

  Status Write(std::span<const std::uint8_t> bytes) override {
    if (!IsOpen()) return NotOpen();
    DWORD written = 0;
    if (!WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr)) return LastError();
    if (written < bytes.size()) {
      return Error("write time-out (" + std::to_string(written) + " of " + std::to_string(bytes.size()) +
                   " bytes taken)");
    }
    // Returns once the driver has sent everything, so that a purge right
    // after the write cannot discard the bytes.
    if (!FlushFileBuffers(handle_)) return LastError();
    return Status::Ok();
  }

  PortReadResult Read(std::span<std::uint8_t> buffer) override {
    PortReadResult result;
    if (!IsOpen()) {
      result.status = NotOpen();
      return result;
    }
    DWORD got = 0;
    // The COMMTIMEOUTS set above make ReadFile end by the port's time-out rules.
    const BOOL ok = ReadFile(handle_, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr);
    result.count = got;
    if (!ok) result.status = LastError();
    return result;
  }

  void Close() override {
    if (!IsOpen()) return;
    CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
  }

  void Pause(std::chrono::milliseconds ms) override { Sleep(Milliseconds(ms)); }

 private:
  Status Error(const std::string& what) const { return Status::Error(label_ + ": " + what); }
  Status LastError() const { return Error(Win32ErrorText(GetLastError())); }
  Status NotOpen() const { return Status::Error("the port is not open"); }
  Status Purge(DWORD flags) {
    if (!IsOpen()) return NotOpen();
    if (!PurgeComm(handle_, flags)) return LastError();
    return Status::Ok();
  }

  HANDLE handle_ = INVALID_HANDLE_VALUE;
  std::string label_;
};

}  // namespace

std::unique_ptr<SerialPort> CreateSystemSerialPort() { return std::make_unique<Win32SerialPort>(); }

}  // namespace torvan
