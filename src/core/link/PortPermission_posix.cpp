#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "core/link/PortPermission.h"

namespace torvan {

std::string PortPermissionHint(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return {};
  DeviceAccess device;
  device.group = st.st_gid;
  device.mode = st.st_mode & 07777;
  device.groupName = std::to_string(st.st_gid);
  std::vector<char> buffer(16384);
  group entry{};
  group* found = nullptr;
  if (::getgrgid_r(st.st_gid, &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->gr_name) {
    device.groupName = found->gr_name;
  }
  const int count = ::getgroups(0, nullptr);
  std::vector<gid_t> groups(static_cast<std::size_t>(count > 0 ? count : 0));
  if (count > 0 && ::getgroups(count, groups.data()) < 0) groups.clear();
  std::vector<unsigned> userGroups(groups.begin(), groups.end());
  userGroups.push_back(::getegid());
  return PortPermissionHint(device, userGroups);
}

}  // namespace torvan
