#pragma once
// The version of this program. It is set in one place, the project() line of
// the top-level CMakeLists.txt; every program prints it for --version and the
// desktop program shows it in its About box.

#include <string>
#include <string_view>

namespace torvan {

// "1.1.0".
std::string_view ProgramVersion();

// The line that `program --version` prints, without the line end:
// "torvan-cli 1.1.0".
std::string VersionLine(std::string_view program);

}  // namespace torvan
