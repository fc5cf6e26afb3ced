// RunCli on Windows: torvan-cli.exe started with CreateProcessW, so that its
// arguments reach it as the wide command line a user's shell gives it
// (Chinese file names included), with standard output and error in files.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include "CliRun.h"
#include "core/files/PathText.h"

namespace torvan::test {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The program under test: torvan-cli.exe of this build, in bin/ beside the
// test programs' folder.
fs::path CliProgram() {
  std::wstring self(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
    if (n == 0) throw std::runtime_error("GetModuleFileNameW failed");
    if (n < self.size()) {
      self.resize(n);
      break;
    }
    self.resize(self.size() * 2);
  }
  return fs::path(self).parent_path().parent_path() / L"bin" / L"torvan-cli.exe";
}

// One argument quoted so that CommandLineToArgvW gives it back unchanged:
// backslashes are literal except before a quote.
std::wstring Quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring q = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    q.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    q += c;
  }
  q.append(backslashes * 2, L'\\');
  return q + L"\"";
}

// A file that the child inherits as a standard handle.
HANDLE InheritedFile(const fs::path& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE h = CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa, disposition,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + PathText(path));
  return h;
}

}  // namespace

CliResult RunCliBytes(const std::vector<std::string>& args, const std::string& workDir) {
  const fs::path folder = PathFromUtf8(workDir);
  const fs::path outPath = folder / L".cli-stdout";
  const fs::path errPath = folder / L".cli-stderr";
  const fs::path program = CliProgram();

  std::wstring commandLine = Quoted(program.wstring());
  for (const std::string& a : args) commandLine += L" " + Quoted(WideFromUtf8(a));

  HANDLE in = InheritedFile(L"NUL", GENERIC_READ, OPEN_EXISTING);
  HANDLE out = InheritedFile(outPath, GENERIC_WRITE, CREATE_ALWAYS);
  HANDLE err = InheritedFile(errPath, GENERIC_WRITE, CREATE_ALWAYS);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = in;
  si.hStdOutput = out;
  si.hStdError = err;
  PROCESS_INFORMATION pi{};
  // The command runs in the work folder so that relative paths stay inside it.
  const BOOL started = CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                      folder.c_str(), &si, &pi);
  const DWORD startError = GetLastError();
  CloseHandle(in);
  CloseHandle(out);
  CloseHandle(err);
  if (!started) {
    throw std::runtime_error("cannot start " + PathText(program) + ": error " + std::to_string(startError));
  }
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 0;
  CliResult r;
  if (GetExitCodeProcess(pi.hProcess, &code)) r.exitCode = static_cast<int>(code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  r.out = ReadFile(outPath);
  r.err = ReadFile(errPath);
  fs::remove(outPath);
  fs::remove(errPath);
  return r;
}

// Windows programs end the lines of their messages and reports with CR LF;
// the tests compare lines.
CliResult RunCli(const std::vector<std::string>& args, const std::string& workDir) {
  CliResult r = RunCliBytes(args, workDir);
  for (std::string* text : {&r.out, &r.err}) {
    std::string lf;
    for (std::size_t i = 0; i < text->size(); ++i) {
      if ((*text)[i] == '\r' && i + 1 < text->size() && (*text)[i + 1] == '\n') continue;
      lf += (*text)[i];
    }
    *text = std::move(lf);
  }
  return r;
}

}  // namespace torvan::test
