#pragma once
// Running a program with its stderr on a terminal of its own (POSIX), as a
// person at a terminal runs it: for the progress displays, which are drawn
// only there.

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "ChildProcess.h"

namespace torvan::test {

// Runs `argv` (a path, not searched) with stderr on a new terminal of
// `columns` columns and `rows` lines (columns 0: the terminal reports no
// size) and returns what the terminal was sent, with its line ends made "\n"
// again, in `err`.
inline ProcessResult RunWithStderrOnTerminal(std::vector<std::string> argv, std::chrono::milliseconds limit,
                                             unsigned short columns = 0, unsigned short rows = 24) {
  int master = -1;
  int slave = -1;
  ProcessResult r;
  winsize size{};
  size.ws_row = rows;
  size.ws_col = columns;
  if (::openpty(&master, &slave, nullptr, nullptr, columns ? &size : nullptr) != 0) return r;
  ::fcntl(master, F_SETFD, FD_CLOEXEC);
  std::vector<char*> cargv;
  for (auto& a : argv) cargv.push_back(a.data());
  cargv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, slave, STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int rc = ::posix_spawn(&pid, cargv[0], &actions, nullptr, cargv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(slave);
  if (rc != 0) {
    ::close(master);
    return r;
  }
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    pollfd p{master, POLLIN, 0};
    if (::poll(&p, 1, 100) > 0) {
      char buf[4096];
      const ssize_t n = ::read(master, buf, sizeof buf);
      if (n <= 0) break;  // EIO: the program and its terminal are gone
      r.err.append(buf, static_cast<std::size_t>(n));
    } else if (std::chrono::steady_clock::now() > deadline) {
      r.timedOut = true;
      ::kill(pid, SIGKILL);
      break;
    }
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  ::close(master);
  if (WIFEXITED(status)) r.exitCode = WEXITSTATUS(status);
  for (auto at = r.err.find("\r\n"); at != std::string::npos; at = r.err.find("\r\n", at)) r.err.erase(at, 1);
  return r;
}

}  // namespace torvan::test
