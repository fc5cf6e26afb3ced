#include "core/link/PortPermission.h"

#include <algorithm>

namespace torvan {

namespace {
constexpr unsigned kGroupReadWrite = 060;
}  // namespace

std::string PortPermissionHint(const DeviceAccess& device, std::span<const unsigned> userGroups) {
  if ((device.mode & kGroupReadWrite) != kGroupReadWrite) return {};
  if (std::find(userGroups.begin(), userGroups.end(), device.group) != userGroups.end()) return {};
  return " (the user is not in group " + device.groupName + ", which may use the device)";
}

}  // namespace torvan
