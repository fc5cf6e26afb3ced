#include "core/files/SystemError.h"

#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "core/files/PathText.h"
#endif

namespace torvan {

std::string SystemErrorText(int errnum) { return std::generic_category().message(errnum); }

#ifdef _WIN32
std::string Win32ErrorText(unsigned long code) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::string s = (n && text) ? Utf8FromWide(std::wstring(text, n)) : "error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ' || s.back() == '.')) s.pop_back();
  return s;
}
#endif

}  // namespace torvan
