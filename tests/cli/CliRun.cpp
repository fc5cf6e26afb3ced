#include "CliRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace torvan::test {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

CliResult RunCli(const std::vector<std::string>& args, const std::string& workDir) {
  const std::string outPath = workDir + "/.cli-stdout";
  const std::string errPath = workDir + "/.cli-stderr";
  std::vector<std::string> argv = {TORVAN_CLI_PATH};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> cargv;
  for (auto& a : argv) cargv.push_back(a.data());
  cargv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  // The command runs in the work folder so that relative paths stay inside it.
  const std::string script = "cd \"$0\" && exec \"$@\"";
  std::vector<char*> shArgv = {const_cast<char*>("/bin/sh"), const_cast<char*>("-c"),
                               const_cast<char*>(script.c_str()), const_cast<char*>(workDir.c_str())};
  shArgv.insert(shArgv.end(), cargv.begin(), cargv.end());

  pid_t pid = 0;
  const int rc = posix_spawn(&pid, "/bin/sh", &actions, nullptr, shArgv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start torvan-cli: error " + std::to_string(rc));
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error("waitpid failed");
  }
  CliResult r;
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = ReadFile(outPath);
  r.err = ReadFile(errPath);
  unlink(outPath.c_str());
  unlink(errPath.c_str());
  return r;
}

CliResult RunCliBytes(const std::vector<std::string>& args, const std::string& workDir) {
  return RunCli(args, workDir);
}

}  // namespace torvan::test
