#pragma once
// Asking, before long work, whether its result will have somewhere to go: a
// read of the whole radio or a write to it should not run only to fail at the
// file afterwards.

#include <string>

#include "core/files/Status.h"

namespace torvan {

// Ok when `path` looks writable now: its folder exists, is a folder and lets
// us create files, and `path` is not itself a folder. Otherwise an error in the
// words of a failed write ("cannot write out/x.dat: No such file or
// directory"). The write itself can still fail; this only catches it early.
Status CheckWritableTarget(const std::string& path);

}  // namespace torvan
