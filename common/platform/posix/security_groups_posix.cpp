// A stand-in group list for Linux, where there are no access tokens (see security_groups.h).
#include <grp.h>
#include <unistd.h>

#include <cstring>
#include <vector>

#include "platform/posix/errno_map.h"
#include "platform/security_groups.h"

namespace platform {
namespace {

SecurityId WellKnown(std::uint64_t authority, std::vector<std::uint32_t> parts) {
    SecurityId id;
    id.nAuthority = authority;
    id.subAuthorities = std::move(parts);
    return id;
}

bool IsAdministrativeGroup(gid_t gid) {
    const group* entry = getgrgid(gid);
    if (entry == nullptr || entry->gr_name == nullptr) return false;
    return std::strcmp(entry->gr_name, "sudo") == 0 || std::strcmp(entry->gr_name, "wheel") == 0 ||
           std::strcmp(entry->gr_name, "admin") == 0;
}

}  // namespace

ErrorCode ReadTokenGroups(std::vector<SecurityId>& groups) {
    groups.clear();
    const int count = getgroups(0, nullptr);
    if (count < 0) return posix::ErrorFromErrno(errno);
    std::vector<gid_t> ids(static_cast<std::size_t>(count) + 1);
    const int got = getgroups(count, ids.data());
    if (got < 0) return posix::ErrorFromErrno(errno);
    ids.resize(static_cast<std::size_t>(got));
    ids.push_back(getegid());

    bool administrator = geteuid() == 0;
    for (gid_t gid : ids) administrator = administrator || IsAdministrativeGroup(gid);

    groups.push_back(WellKnown(1, {0}));                           // Everyone
    groups.push_back(WellKnown(5, {32, 545}));                     // Users
    if (administrator) groups.push_back(WellKnown(5, {32, 544}));  // Administrators
    return kSuccess;
}

}  // namespace platform
