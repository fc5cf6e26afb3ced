#pragma once
// Writing a file so that it is either the old file or the new file, never a
// mix: the bytes go to a temporary file in the same folder, are flushed to
// disk, and the temporary file then replaces the target by rename.
//
// The temporary file is named after the target: "radio.dat.tmp" and eight
// hex digits. A program killed half way through a write (power loss, kill -9)
// leaves one behind; the next write of the same target removes it.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/files/Status.h"

namespace torvan {

// Replaces (or creates) `path` with `bytes`. On failure the target is
// untouched and no temporary file is left behind; the error names the path.
// Temporary files of earlier writes of `path` that never finished are removed.
Status WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);
Status WriteFileAtomically(const std::string& path, std::string_view text);

// Reads a whole file (at most `maxBytes`; more is an error).
Status ReadWholeFile(const std::string& path, std::string& out, std::size_t maxBytes = 64u << 20);

// The system's text for errno-style error numbers, e.g. "No such file or directory".
std::string SystemErrorText(int errnum);

}  // namespace torvan
