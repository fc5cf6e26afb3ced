#include "core/files/OutputTarget.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cwchar>
#include <string>
#include <string_view>
#include <system_error>

#include "core/files/PathText.h"
#include "core/files/SystemError.h"

namespace torvan {

namespace fs = std::filesystem;

namespace {

constexpr int kMaxLinkHops = 40;

fs::path FolderOf(const fs::path& path) { return path.parent_path().empty() ? fs::path(".") : path.parent_path(); }

// 0 when files can be created in `folder`, else the error number.
int FolderDenied(const fs::path& folder) {
  std::error_code ec;
  const fs::file_status st = fs::status(folder, ec);
  if (!fs::exists(st)) return ENOENT;
  if (!fs::is_directory(st)) return ENOTDIR;
  return 0;
}

// A named pipe (\\.\pipe\name), told by its name: opening it to look would
// take the pipe's connection from the write that follows.
bool IsPipeName(const fs::path& path) {
  std::wstring text = path.wstring();
  std::replace(text.begin(), text.end(), L'/', L'\\');
  for (const std::wstring_view prefix : {std::wstring_view(L"\\\\.\\pipe\\"), std::wstring_view(L"\\\\?\\pipe\\")}) {
    if (text.size() > prefix.size() && _wcsnicmp(text.c_str(), prefix.data(), prefix.size()) == 0) return true;
  }
  return false;
}

// A device (NUL, CON, COM1) or a pipe, which is written where it is.
bool IsDeviceOrPipe(const fs::path& path) {
  if (IsPipeName(path)) return true;
  HANDLE h = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const DWORD type = GetFileType(h);
  CloseHandle(h);
  return type == FILE_TYPE_CHAR || type == FILE_TYPE_PIPE;
}

}  // namespace

Result<OutputTarget> ResolveOutputTarget(const fs::path& path) {
  const auto fail = [&](int errnum) {
    return Status::Error("cannot write " + PathText(path) + ": " + SystemErrorText(errnum));
  };
  if (path.empty()) return fail(ENOENT);
  fs::path p = path;
  for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
    if (IsDeviceOrPipe(p)) {
      OutputTarget t;
      t.kind = OutputKind::Direct;
      t.path = p;
      t.exists = true;
      return t;
    }
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(p, ec);
    if (!fs::exists(st)) {
      if (const int e = FolderDenied(FolderOf(p))) return fail(e);
      OutputTarget t;
      t.path = p;
      return t;
    }
    if (fs::is_symlink(st)) {
      const fs::path to = fs::read_symlink(p, ec);
      if (ec) return fail(ec.value());
      p = to.is_absolute() ? to : FolderOf(p) / to;
      continue;
    }
    if (fs::is_directory(st)) return fail(EISDIR);
    OutputTarget t;
    t.path = p;
    t.exists = true;
    if (fs::is_regular_file(st)) {
      // The read-only attribute is Windows' permission bit: the user set it.
      const DWORD attributes = GetFileAttributesW(p.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return fail(EACCES);
      if (const int e = FolderDenied(FolderOf(p))) return fail(e);
    } else {
      t.kind = OutputKind::Direct;  // NUL, CON, a named pipe
    }
    return t;
  }
  return fail(ELOOP);
}

}  // namespace torvan
