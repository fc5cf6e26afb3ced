#pragma once
// The .dat file: exactly the 8192 bytes of the image, offset 0 first. No
// header, no checksum.

#include <cstdint>
#include <filesystem>
#include <string>

#include "core/files/Status.h"
#include "core/radio/RadioImage.h"

namespace torvan {

// How a load went, for a front end to put into its own words.
enum class DatFileKind {
  Complete,        // exactly 8192 bytes, loaded
  TooLong,         // more than 8192 bytes: the first 8192 were loaded
  NotFound,        // nothing of that name
  Unreadable,      // there, but the system would not let it be read (systemText says why)
  NotRegularFile,  // a folder
  TooShort,        // fewer than 8192 bytes (bytes says how many): nothing loaded
};

struct DatLoad {
  DatFileKind kind = DatFileKind::Complete;
  // The bytes the file holds. For a stream (a pipe, a device) that goes on
  // past 8192 bytes only the first 8193 are read: bytesExact is false then.
  std::uintmax_t bytes = 0;
  bool bytesExact = true;
  std::string systemText;  // NotFound, Unreadable: the system's words
  // Ok when the image was loaded (Complete or TooLong); otherwise the
  // message in English: "cannot open x.dat: Permission denied".
  Status status;

  bool ok() const { return status.ok(); }
  const std::string& error() const { return status.error(); }
  operator const Status&() const { return status; }  // NOLINT: a load is a Status where only success matters
};

// Loads the first 8192 bytes of `path` into `image`. A file shorter than that
// is refused and `image` is left as it was; bytes after the first 8192 are
// ignored (kind TooLong). The content is not checked. A pipe or a device is
// read like a file.
DatLoad LoadDat(const std::filesystem::path& path, RadioImage& image);

// Writes the 8192 bytes atomically: the old file stays whole if anything fails.
Status SaveDat(const std::filesystem::path& path, const RadioImage& image);

}  // namespace torvan
