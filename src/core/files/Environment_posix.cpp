#include <cstdlib>

#include "core/files/Environment.h"

namespace torvan {

std::optional<std::string> EnvironmentVariable(const std::string& name) {
  // Only read, never changed by the program while its threads run.
  const char* value = std::getenv(name.c_str());  // NOLINT(concurrency-mt-unsafe)
  if (!value) return std::nullopt;
  return std::string(value);
}

}  // namespace torvan
