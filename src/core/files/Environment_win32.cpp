#include <cstdlib>

#include "core/files/Environment.h"
#include "core/files/PathText.h"

namespace torvan {

std::optional<std::string> EnvironmentVariable(const std::string& name) {
  const wchar_t* value = _wgetenv(WideFromUtf8(name).c_str());
  if (!value) return std::nullopt;
  return Utf8FromWide(value);
}

}  // namespace torvan
