#pragma once
// Where a write of a file that the user named goes, worked out before a byte
// is written:
//  - a regular file, or a name that does not exist yet, is replaced whole:
//    the bytes go to a temporary file beside it, which is renamed over it.
//    A symbolic link is followed, so the file it points to is replaced and
//    the link stays a link;
//  - an existing node that is not a regular file (a FIFO, a terminal,
//    /dev/null, /dev/full) is written in place, never replaced;
//  - a name of a descriptor the program already has open (/dev/stdout,
//    /dev/fd/1) is written through that descriptor.
// A file is written only when its own permission bits let the user write it.
// The super-user, whom the system lets write anything, is held to the bits
// too: a file that nobody may write (mode 0444) is refused.

#include <filesystem>

#include "core/files/Status.h"

namespace torvan {

enum class OutputKind { Replace, Direct, Descriptor };

struct OutputTarget {
  OutputKind kind = OutputKind::Replace;
  std::filesystem::path path;  // the file or node itself, links followed
  bool exists = false;         // Replace: the file is there already
  int descriptor = -1;         // Descriptor: the open descriptor
};

// Resolves `path` and checks that it may be written, without writing. The
// error reads as a failed write would: "cannot write out.dat: Permission denied".
Result<OutputTarget> ResolveOutputTarget(const std::filesystem::path& path);

}  // namespace torvan
