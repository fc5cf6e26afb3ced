#pragma once
// What to tell a user whom the system does not let open a serial device: on
// Linux the devices belong to a group (dialout, uucp, tty ...) whose members
// may use them. The hint names the device's own group, and only when joining
// it would help: the group may read and write the device and the user is not
// in it.

#include <span>
#include <string>

namespace torvan {

struct DeviceAccess {
  unsigned group = 0;       // the device's group id
  std::string groupName;    // its name, or the number when it has none
  unsigned mode = 0;        // the device's permission bits
};

// " (the user is not in group dialout, which may use the device)", or empty.
std::string PortPermissionHint(const DeviceAccess& device, std::span<const unsigned> userGroups);

// The hint for the device at `path` and the user running this program (its
// effective group and supplementary groups). Empty where the system has no
// such groups.
std::string PortPermissionHint(const std::string& path);

}  // namespace torvan
