#include "core/product/ProgramVersion.h"

// The build defines TORVAN_VERSION for this file alone (src/core/CMakeLists.txt),
// so that a new version recompiles one file.
#ifndef TORVAN_VERSION
#error "TORVAN_VERSION is set by the build"
#endif

namespace torvan {

std::string_view ProgramVersion() { return TORVAN_VERSION; }

std::string VersionLine(std::string_view program) {
  std::string line(program);
  line += ' ';
  line += ProgramVersion();
  return line;
}

}  // namespace torvan
