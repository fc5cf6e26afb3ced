#pragma once
// Writing a file so that it is either the old file or the new file, never a
// mix: the bytes go to a temporary file in the same folder (TemporaryName.h),
// are flushed to disk, and the temporary file then replaces the target by
// rename. What is replaced, and what is written in place instead (a FIFO, a
// device, /dev/stdout), is OutputTarget.h's rule.
//
// Each write has a temporary file of its own and removes only its own, so two
// programs writing the same file at once both finish (the later rename wins).
// A program killed half way through a write (power loss, kill -9) leaves its
// temporary file behind; the next write of the same target removes it, once
// no running program is writing it any more.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string_view>

#include "core/files/Status.h"

namespace torvan {

// Replaces (or creates) `path` with `bytes`. On failure the target is
// untouched and no temporary file is left behind; the error names the path as
// given: "cannot write out.dat: No space left on device". A replaced file
// keeps its permission bits, and its owner and group where the program may
// set them.
Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view text);

// Creates `path` with `bytes`, atomically, and never replaces anything: the
// file appears whole or not at all, and when a file of that name is there
// already (or another program makes one meanwhile) nothing is written and
// `exists`, when given, is set. For names the program chooses itself (a
// backup) in a folder of its own: special files are not written in place.
Status CreateFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                            bool* exists = nullptr);

}  // namespace torvan
