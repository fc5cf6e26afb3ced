#include "core/link/PortPermission.h"

namespace torvan {

// Windows gives serial devices to whoever opens them first: no groups.
std::string PortPermissionHint(const std::string&) { return {}; }

}  // namespace torvan
