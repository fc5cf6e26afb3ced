#pragma once
// The .dat file: exactly the 8192 bytes of the image, offset 0 first. No
// header, no checksum.

#include <string>

#include "core/files/Status.h"
#include "core/radio/RadioImage.h"

namespace torvan {

// Loads the first 8192 bytes of `path` into `image`. A file shorter than that
// is refused and `image` is left as it was; bytes after the first 8192 are
// ignored. The content is not checked.
Status LoadDat(const std::string& path, RadioImage& image);

// Writes the 8192 bytes atomically: the old file stays whole if anything fails.
Status SaveDat(const std::string& path, const RadioImage& image);

}  // namespace torvan
