#include "core/files/InputFile.h"

#include <cerrno>
#include <system_error>

#include "core/files/PathText.h"
#include "core/files/SystemError.h"

namespace torvan {

namespace fs = std::filesystem;

InputFile::InputFile(const fs::path& path) {
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  if (fs::is_directory(st)) {
    openError_ = EISDIR;
    return;
  }
  errno = 0;
#ifdef _WIN32
  file_ = ::_wfopen(path.c_str(), L"rb");
#else
  file_ = std::fopen(path.c_str(), "rbe");  // "e": not inherited by programs we start
#endif
  if (!file_) {
    openError_ = errno ? errno : ENOENT;
    return;
  }
  regular_ = fs::is_regular_file(st);
  if (regular_) {
    size_ = fs::file_size(path, ec);
    if (ec) size_ = 0;
  }
}

InputFile::~InputFile() {
  if (file_) std::fclose(file_);
}

Result<std::size_t> InputFile::Read(std::span<std::uint8_t> buffer) {
  if (!file_) return Status::Error(SystemErrorText(EBADF));
  std::size_t done = 0;
  while (done < buffer.size()) {
    errno = 0;
    const std::size_t n = std::fread(buffer.data() + done, 1, buffer.size() - done, file_);
    done += n;
    if (n > 0) continue;
    if (std::feof(file_)) break;
    if (std::ferror(file_)) {
      if (errno == EINTR) {
        std::clearerr(file_);
        continue;
      }
      return Status::Error(SystemErrorText(errno ? errno : EIO));
    }
  }
  return done;
}

Result<std::string> ReadWholeFile(const fs::path& path, std::size_t maxBytes) {
  InputFile in(path);
  if (!in.isOpen()) return Status::Error("cannot open " + PathText(path) + ": " + SystemErrorText(in.openError()));
  std::string data;
  std::uint8_t buf[65536];
  for (;;) {
    const Result<std::size_t> n = in.Read(buf);
    if (!n) return Status::Error("cannot read " + PathText(path) + ": " + n.error());
    data.append(reinterpret_cast<const char*>(buf), n.value());
    if (data.size() > maxBytes) return Status::Error("cannot read " + PathText(path) + ": the file is too large");
    if (n.value() < sizeof buf) break;
  }
  return data;
}

}  // namespace torvan
