#include "core/radio/DatFile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/files/AtomicFile.h"

namespace torvan {

Status LoadDat(const std::string& path, RadioImage& image) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) return Status::Error("cannot open " + path + ": it is a folder");
  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    const int e = errno ? errno : ENOENT;
    return Status::Error("cannot open " + path + ": " + SystemErrorText(e));
  }
  RadioImage::Bytes bytes{};
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  const auto got = static_cast<std::size_t>(in.gcount());
  if (got < kImageSize) {
    return Status::Error(path + " is not a radio image: it holds " + std::to_string(got) +
                         " bytes, a radio image has " + std::to_string(kImageSize));
  }
  image = RadioImage(bytes);
  return Status::Ok();
}

Status SaveDat(const std::string& path, const RadioImage& image) {
  return WriteFileAtomically(path, std::span<const std::uint8_t>(image.data(), kImageSize));
}

}  // namespace torvan
