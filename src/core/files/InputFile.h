#pragma once
// Reading a file the user named: opened once, its kind known (a regular file
// with a size, or a stream such as a pipe or a device), read in pieces, with
// the system's error numbers kept for the front ends to put into words.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <string>

#include "core/files/Status.h"

namespace torvan {

class InputFile {
 public:
  // Opens `path` for reading. A folder is not opened (EISDIR).
  explicit InputFile(const std::filesystem::path& path);
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  bool isOpen() const { return file_ != nullptr; }
  // Why the file is not open: an errno-style number (ENOENT, EACCES, EISDIR ...).
  int openError() const { return openError_; }
  // A regular file, whose size is known; false for a pipe, a terminal, a device.
  bool isRegular() const { return regular_; }
  // The size of a regular file when it was opened; 0 for a stream.
  std::uintmax_t size() const { return size_; }

  // Reads up to buffer.size() bytes; fewer only at the end of the file.
  // Failure: the system's text of the read error.
  Result<std::size_t> Read(std::span<std::uint8_t> buffer);

 private:
  std::FILE* file_ = nullptr;
  int openError_ = 0;
  bool regular_ = false;
  std::uintmax_t size_ = 0;
};

// Reads a whole file of at most `maxBytes` (more is an error). Errors name the
// path: "cannot open x.csv: No such file or directory".
Result<std::string> ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes = 64u << 20);

}  // namespace torvan
