#include "core/files/WritableTarget.h"

#include "core/files/OutputTarget.h"

namespace torvan {

Status CheckWritableTarget(const std::filesystem::path& path) {
  const Result<OutputTarget> target = ResolveOutputTarget(path);
  return target ? Status::Ok() : target.status();
}

}  // namespace torvan
