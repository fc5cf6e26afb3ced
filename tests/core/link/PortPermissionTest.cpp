// The hint after "Permission denied" on a serial device names the device's
// own group, and only when joining it would let the user in.

#include "core/link/PortPermission.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torvan {
namespace {

TEST(PortPermission, HintNamesTheDevicesGroupOnlyWhenJoiningItHelps) {
  constexpr unsigned kDialout = 20;
  constexpr unsigned kRoot = 0;
  const struct {
    const char* what;
    DeviceAccess device;
    std::vector<unsigned> userGroups;
    std::string hint;
  } cases[] = {
      {"dialout device, user outside", {kDialout, "dialout", 0660}, {1000, 24},
       " (the user is not in group dialout, which may use the device)"},
      {"device of group root", {kRoot, "root", 0660}, {1000}, " (the user is not in group root, which may use the device)"},
      {"group without a name", {4711, "4711", 0666}, {1000}, " (the user is not in group 4711, which may use the device)"},
      {"user in the group already", {kDialout, "dialout", 0660}, {1000, kDialout}, ""},
      {"group may only read", {kDialout, "dialout", 0640}, {1000}, ""},
      {"only the owner may use it", {kRoot, "root", 0600}, {1000}, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PortPermissionHint(c.device, c.userGroups), c.hint) << c.what;
  }
}

}  // namespace
}  // namespace torvan
