#pragma once
// Asking, before long work, whether its result will have somewhere to go: a
// read of the whole radio or a write to it should not run only to fail at the
// file afterwards.

#include <filesystem>

#include "core/files/Status.h"

namespace torvan {

// Ok when `path` looks writable now by the rules of the write itself
// (OutputTarget.h): its folder exists and lets us create files, it is not a
// folder, and an existing file's permission bits let the user write it.
// Otherwise an error in the words of a failed write ("cannot write out/x.dat:
// No such file or directory"). The write itself can still fail; this only
// catches it early.
Status CheckWritableTarget(const std::filesystem::path& path);

}  // namespace torvan
