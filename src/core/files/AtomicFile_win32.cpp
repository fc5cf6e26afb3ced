#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstring>
#include <string>
#include <system_error>
#include <vector>

#include "core/files/AtomicFile.h"
#include "core/files/OutputTarget.h"
#include "core/files/PathText.h"
#include "core/files/SystemError.h"
#include "core/files/TemporaryName.h"

namespace torvan {

namespace fs = std::filesystem;

namespace {

constexpr int kTemporaryAttempts = 100;
// Attributes a replaced file keeps; the rest belong to the new file.
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// Writes all of `bytes`; 0 or the Win32 error code.
DWORD WriteAll(HANDLE h, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(h, bytes.data() + done, chunk, &written, nullptr)) return GetLastError();
    done += written;
  }
  return 0;
}

// Removes what killed writes of `target` left behind. A running write opened
// its temporary file without sharing, so the system refuses to delete it.
void RemoveStrayTemporaries(const fs::path& target) {
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code ignored;
    if (!IsTemporaryNameOf(it->path().filename(), target) || !it->is_regular_file(ignored)) continue;
    DeleteFileW(it->path().c_str());
  }
}

// Gives the open temporary file the name `target`, keeping it open (and so
// safe from clean-ups) to the end; falls back to a rename after closing where
// the file system cannot rename an open file. `replace`: a file of that name
// is replaced; otherwise the rename fails with ERROR_ALREADY_EXISTS.
DWORD RenameTo(HANDLE& h, const fs::path& tmp, const fs::path& target, bool replace) {
  const std::wstring name = fs::absolute(target).wstring();
  std::vector<std::uint8_t> buffer(sizeof(FILE_RENAME_INFO) + (name.size() + 1) * sizeof(wchar_t));
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = replace ? TRUE : FALSE;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(name.size() * sizeof(wchar_t));
  std::memcpy(info->FileName, name.c_str(), (name.size() + 1) * sizeof(wchar_t));
  if (SetFileInformationByHandle(h, FileRenameInfo, info, static_cast<DWORD>(buffer.size()))) return 0;
  const DWORD refused = GetLastError();
  if (refused == ERROR_ALREADY_EXISTS || refused == ERROR_FILE_EXISTS) return ERROR_ALREADY_EXISTS;
  CloseHandle(h);
  h = INVALID_HANDLE_VALUE;
  const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
  if (MoveFileExW(tmp.c_str(), target.c_str(), flags)) return 0;
  const DWORD e = GetLastError();
  return e == ERROR_FILE_EXISTS ? ERROR_ALREADY_EXISTS : e;
}

Status WriteThroughTemporary(const fs::path& shown, const fs::path& target, bool exists,
                             std::span<const std::uint8_t> bytes, bool replace, bool* existed) {
  const auto fail = [&](DWORD code) {
    return Status::Error("cannot write " + PathText(shown) + ": " + Win32ErrorText(code));
  };
  const DWORD keptAttributes = exists ? GetFileAttributesW(target.c_str()) : INVALID_FILE_ATTRIBUTES;
  RemoveStrayTemporaries(target);
  HANDLE h = INVALID_HANDLE_VALUE;
  fs::path tmp;
  for (int attempt = 0; attempt < kTemporaryAttempts && h == INVALID_HANDLE_VALUE; ++attempt) {
    tmp = TemporaryNameFor(target, RandomTemporaryNumber());
    h = CreateFileW(tmp.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) return fail(GetLastError());
  }
  if (h == INVALID_HANDLE_VALUE) return fail(ERROR_FILE_EXISTS);
  const auto abandon = [&](DWORD code) {
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    DeleteFileW(tmp.c_str());
    return fail(code);
  };
  if (const DWORD e = WriteAll(h, bytes)) return abandon(e);
  if (!FlushFileBuffers(h)) return abandon(GetLastError());
  if (const DWORD e = RenameTo(h, tmp, target, replace)) {
    if (e == ERROR_ALREADY_EXISTS && existed) *existed = true;
    return abandon(e);
  }
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  if (keptAttributes != INVALID_FILE_ATTRIBUTES && (keptAttributes & kKeptAttributes)) {
    SetFileAttributesW(target.c_str(), keptAttributes & kKeptAttributes);
  }
  return Status::Ok();
}

}  // namespace

Status WriteFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
  const Result<OutputTarget> resolved = ResolveOutputTarget(path);
  if (!resolved) return resolved.status();
  const OutputTarget& target = resolved.value();
  if (target.kind == OutputKind::Replace) {
    return WriteThroughTemporary(path, target.path, target.exists, bytes, /*replace=*/true, nullptr);
  }
  // A device or a pipe: written where it is.
  HANDLE h = CreateFileW(target.path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    return Status::Error("cannot write " + PathText(path) + ": " + Win32ErrorText(GetLastError()));
  }
  const DWORD e = WriteAll(h, bytes);
  CloseHandle(h);
  if (e) return Status::Error("cannot write " + PathText(path) + ": " + Win32ErrorText(e));
  return Status::Ok();
}

Status CreateFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes, bool* exists) {
  if (exists) *exists = false;
  return WriteThroughTemporary(path, path, false, bytes, /*replace=*/false, exists);
}

}  // namespace torvan
