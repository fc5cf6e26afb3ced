#include "core/link/SerialPort.h"

#include <cctype>
#include <string>

namespace torvan {

namespace {

// "COMn" / "comn" with n made of digits only: n, else -1.
long ComNumber(std::string_view name) {
  constexpr std::string_view kCom = "COM";
  constexpr std::size_t kMaxDigits = 6;
  if (name.size() <= kCom.size() || name.size() > kCom.size() + kMaxDigits) return -1;
  for (std::size_t i = 0; i < kCom.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(name[i])) != kCom[i]) return -1;
  }
  long n = 0;
  for (std::size_t i = kCom.size(); i < name.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return -1;
    n = n * 10 + (name[i] - '0');
  }
  return n;
}

}  // namespace

std::string PortDevicePath(std::string_view name) {
  if (name.empty()) return {};
  const long com = ComNumber(name);
#ifdef _WIN32
  // Windows opens COM1..COM9 by their plain names; from COM10 on only the
  // device namespace form works.
  constexpr long kFirstPrefixedCom = 10;
  if (com == 0) return {};
  if (com >= kFirstPrefixedCom) return "\\\\.\\COM" + std::to_string(com);
  if (com > 0) return "COM" + std::to_string(com);
  return std::string(name);
#else
  if (com == 0) return {};
  if (com > 0) return "/dev/ttyS" + std::to_string(com - 1);
  if (name.find('/') != std::string_view::npos) return std::string(name);
  return "/dev/" + std::string(name);
#endif
}

Status ProbePort(const std::string& name) {
  auto port = CreateSystemSerialPort();
  Status s = port->Open(name);
  port->Close();
  return s;
}

}  // namespace torvan
