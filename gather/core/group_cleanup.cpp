// Removal of group members that name no registered host.
#include "group_cleanup.h"

#include <string>

int RemoveUnregisteredMembers(CGroupTable& groups, const CHostTable& hosts) {
    int nRemoved = 0;
    for (CHostGroup& group : groups) {
        if (group.IsFree()) continue;
        for (int m = kGroupMembers - 1; m >= 0; --m) {
            // A copy: removing the member moves the later ones up over this slot.
            const std::string strMember = group.m_strMember[static_cast<std::size_t>(m)];
            if (strMember.empty() || FindHost(hosts, strMember)) continue;
            if (RemoveMember(group, strMember)) ++nRemoved;
        }
    }
    return nRemoved;
}
