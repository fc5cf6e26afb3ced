#include "core/radio/DatFile.h"

#include <algorithm>
#include <cerrno>

#include "core/files/AtomicFile.h"
#include "core/files/InputFile.h"
#include "core/files/PathText.h"
#include "core/files/SystemError.h"

namespace torvan {

DatLoad LoadDat(const std::filesystem::path& path, RadioImage& image) {
  DatLoad load;
  const std::string name = PathText(path);
  InputFile in(path);
  if (!in.isOpen()) {
    const int e = in.openError();
    if (e == EISDIR) {
      load.kind = DatFileKind::NotRegularFile;
      load.status = Status::Error("cannot open " + name + ": it is a folder");
      return load;
    }
    load.kind = e == ENOENT ? DatFileKind::NotFound : DatFileKind::Unreadable;
    load.systemText = SystemErrorText(e);
    load.status = Status::Error("cannot open " + name + ": " + load.systemText);
    return load;
  }
  // One byte more than an image tells a stream that goes on from one that ends.
  std::uint8_t bytes[kImageSize + 1];
  const Result<std::size_t> got = in.Read(bytes);
  if (!got) {
    load.kind = DatFileKind::Unreadable;
    load.systemText = got.error();
    load.status = Status::Error("cannot read " + name + ": " + load.systemText);
    return load;
  }
  const std::size_t n = got.value();
  load.bytes = in.isRegular() && n > kImageSize ? in.size() : n;
  load.bytesExact = in.isRegular() || n <= kImageSize;
  if (n < kImageSize) {
    load.kind = DatFileKind::TooShort;
    load.status = Status::Error(name + " is not a radio image: it holds " + std::to_string(n) +
                                " bytes, a radio image has " + std::to_string(kImageSize));
    return load;
  }
  load.kind = n > kImageSize ? DatFileKind::TooLong : DatFileKind::Complete;
  RadioImage::Bytes loaded{};
  std::copy_n(bytes, kImageSize, loaded.begin());
  image = RadioImage(loaded);
  return load;
}

Status SaveDat(const std::filesystem::path& path, const RadioImage& image) {
  return WriteFileAtomically(path, std::span<const std::uint8_t>(image.data(), kImageSize));
}

}  // namespace torvan
