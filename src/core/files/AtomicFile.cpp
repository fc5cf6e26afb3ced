#include "core/files/AtomicFile.h"

namespace torvan {

Status WriteFileAtomically(const std::filesystem::path& path, std::string_view text) {
  return WriteFileAtomically(
      path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace torvan
