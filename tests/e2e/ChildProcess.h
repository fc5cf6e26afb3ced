#pragma once
// Starting the real programs from tests and benchmarks (POSIX): run a command
// to its end with a hard deadline, or keep the virtual radio running and read
// its first line.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

extern char** environ;

namespace torvan::test {

struct ProcessResult {
  int exitCode = -1;  // -1 when killed by a signal
  int signal = 0;
  bool timedOut = false;
  std::string out;
  std::string err;
};

class ChildProcess {
 public:
  using Clock = std::chrono::steady_clock;

  // Starts `argv` (a path, not searched). stdout is captured; stderr too
  // when `captureErr` is set, else it goes to the test's own stderr.
  explicit ChildProcess(const std::vector<std::string>& argv, bool captureErr = true) {
    int out[2];
    int err[2] = {-1, -1};
    Pipe(out);
    if (captureErr) Pipe(err);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    if (captureErr) posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const int rc = ::posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    if (captureErr) ::close(err[1]);
    out_ = out[0];
    err_ = err[0];
    if (rc != 0) {
      pid_ = -1;
      throw std::runtime_error("cannot start " + argv[0]);
    }
  }

  ~ChildProcess() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      int status = 0;
      ::waitpid(pid_, &status, 0);
    }
    if (out_ >= 0) ::close(out_);
    if (err_ >= 0) ::close(err_);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  pid_t pid() const { return pid_; }

  // The first line of stdout, without its newline; empty on time-out or EOF.
  std::string ReadLine(std::chrono::milliseconds limit) {
    const auto deadline = Clock::now() + limit;
    std::string line;
    while (Clock::now() < deadline) {
      pollfd p{out_, POLLIN, 0};
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (::poll(&p, 1, static_cast<int>(left.count()) + 1) <= 0) continue;
      char c = 0;
      if (::read(out_, &c, 1) != 1) break;
      if (c == '\n') return line;
      line += c;
    }
    return {};
  }

  void Signal(int sig) {
    if (pid_ > 0) ::kill(pid_, sig);
  }

  // Collects the rest of stdout/stderr until both close and waits for the
  // end; after `limit` the process is killed and `timedOut` set.
  ProcessResult Wait(std::chrono::milliseconds limit) {
    ProcessResult r;
    const auto deadline = Clock::now() + limit;
    while (out_ >= 0 || err_ >= 0) {
      const auto now = Clock::now();
      if (now >= deadline) {
        r.timedOut = true;
        ::kill(pid_, SIGKILL);
        break;
      }
      pollfd p[2] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}};
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now);
      if (::poll(p, 2, static_cast<int>(left.count()) + 1) <= 0) continue;
      Drain(out_, p[0].revents, r.out);
      Drain(err_, p[1].revents, r.err);
    }
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    if (WIFEXITED(status)) r.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) r.signal = WTERMSIG(status);
    return r;
  }

 private:
  static void Pipe(int fds[2]) {
    if (::pipe(fds) != 0) throw std::runtime_error("pipe failed");
    for (int i = 0; i < 2; ++i) {
      if (::fcntl(fds[i], F_SETFD, FD_CLOEXEC) != 0) throw std::runtime_error("fcntl failed");
    }
  }

  static void Drain(int& fd, short revents, std::string& into) {
    if (fd < 0 || revents == 0) return;
    char buf[4096];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) {
      into.append(buf, static_cast<std::size_t>(n));
    } else {
      ::close(fd);
      fd = -1;
    }
  }

  pid_t pid_ = -1;
  int out_ = -1;
  int err_ = -1;
};

// Whether process `pid` has `path` open, waiting up to `limit` for it.
inline bool HoldsFile(pid_t pid, const std::string& path, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  const std::filesystem::path fds = "/proc/" + std::to_string(pid) + "/fd";
  while (std::chrono::steady_clock::now() < deadline) {
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(fds, ec)) {
      std::error_code linkError;
      if (std::filesystem::read_symlink(e.path(), linkError) == path) return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

// Runs a command to its end.
inline ProcessResult RunProcess(const std::vector<std::string>& argv, std::chrono::milliseconds limit) {
  ChildProcess p(argv);
  return p.Wait(limit);
}

}  // namespace torvan::test
