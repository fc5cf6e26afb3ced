#pragma once
// The program's environment variables, as UTF-8 text on every system (on
// Windows from the wide environment, so that a folder with a Chinese name in
// %LOCALAPPDATA% survives).

#include <functional>
#include <optional>
#include <string>

namespace torvan {

// The value of `name`; nothing when it is not set.
std::optional<std::string> EnvironmentVariable(const std::string& name);

// A way to look variables up: the program's own environment, or a test's.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

}  // namespace torvan
