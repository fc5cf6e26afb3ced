#include "cli/Terminal.h"

#include <cstdio>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <io.h>
#include <windows.h>
#else
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace torvan::cli {

namespace {
constexpr std::size_t kDefaultTerminalColumns = 80;
}  // namespace

bool StderrIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return ::isatty(fileno(stderr)) != 0;
#endif
}

std::size_t TerminalColumns() {
#ifdef _WIN32
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) {
    const int columns = info.srWindow.Right - info.srWindow.Left + 1;
    if (columns > 0) return static_cast<std::size_t>(columns);
  }
#else
  winsize ws{};
  if (::ioctl(fileno(stderr), TIOCGWINSZ, &ws) == 0 && ws.ws_col > 0) return ws.ws_col;
#endif
  return kDefaultTerminalColumns;
}

std::size_t TerminalRows() {
#ifdef _WIN32
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) {
    const int rows = info.srWindow.Bottom - info.srWindow.Top + 1;
    if (rows > 0) return static_cast<std::size_t>(rows);
  }
#else
  winsize ws{};
  if (::ioctl(fileno(stderr), TIOCGWINSZ, &ws) == 0) return ws.ws_row;
#endif
  return 0;
}

bool EnableCursorControl() {
#ifdef _WIN32
  const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  DWORD mode = 0;
  if (!GetConsoleMode(err, &mode)) return false;
  return SetConsoleMode(err, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
#else
  return true;
#endif
}

}  // namespace torvan::cli
