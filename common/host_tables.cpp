// Find, add and remove operations on the host table, the group table and a group's members.
#include "host_tables.h"

#include <algorithm>
#include <utility>

#include "schedule_texts.h"

namespace {

// Exact comparison; the empty name is never a match (it marks free slots).
bool SameName(const std::string& strSlot, std::string_view strName) {
    return !strName.empty() && strSlot == strName;
}

}  // namespace

std::optional<int> FindHost(const CHostTable& hosts, std::string_view strName) {
    for (int i = 0; i < kHostSlots; ++i) {
        if (SameName(hosts[static_cast<std::size_t>(i)].m_strHost, strName)) return i;
    }
    return std::nullopt;
}

std::optional<int> AddHost(CHostTable& hosts, const CHostEntry& entry) {
    if (entry.m_strHost.empty()) return std::nullopt;
    for (int i = 0; i < kHostSlots; ++i) {
        CHostEntry& slot = hosts[static_cast<std::size_t>(i)];
        if (slot.IsFree()) {
            slot = entry;
            return i;
        }
    }
    return std::nullopt;
}

int DeleteHost(CHostTable& hosts, std::string_view strName) {
    int nFreed = 0;
    for (CHostEntry& slot : hosts) {
        if (SameName(slot.m_strHost, strName)) {
            slot.m_strHost.clear();
            slot.m_strOsInfo.clear();
            ++nFreed;
        }
    }
    return nFreed;
}

std::optional<int> FindGroup(const CGroupTable& groups, std::string_view strName) {
    for (int i = 0; i < kGroupSlots; ++i) {
        if (SameName(groups[static_cast<std::size_t>(i)].m_strName, strName)) return i;
    }
    return std::nullopt;
}

int CountGroups(const CGroupTable& groups) {
    int nCount = 0;
    for (const CHostGroup& group : groups) {
        if (!group.IsFree()) ++nCount;
    }
    return nCount;
}

std::optional<int> AddGroup(CGroupTable& groups, const CHostGroup& group) {
    if (group.m_strName.empty() || FindGroup(groups, group.m_strName)) return std::nullopt;
    for (int i = 0; i < kGroupSlots; ++i) {
        CHostGroup& slot = groups[static_cast<std::size_t>(i)];
        if (slot.IsFree()) {
            slot = group;
            return i;
        }
    }
    return std::nullopt;
}

bool RemoveGroup(CGroupTable& groups, std::string_view strName) {
    const auto found = FindGroup(groups, strName);
    if (!found) return false;
    for (std::size_t i = static_cast<std::size_t>(*found); i + 1 < groups.size(); ++i)
        groups[i] = std::move(groups[i + 1]);
    groups.back() = CHostGroup{};
    return true;
}

std::optional<int> HasMember(const CHostGroup& group, std::string_view strName) {
    for (int i = 0; i < kGroupMembers; ++i) {
        if (SameName(group.m_strMember[static_cast<std::size_t>(i)], strName)) return i;
    }
    return std::nullopt;
}

int CountMembers(const CHostGroup& group) {
    int nCount = 0;
    while (nCount < kGroupMembers && !group.m_strMember[static_cast<std::size_t>(nCount)].empty())
        ++nCount;
    return nCount;
}

bool AddMember(CHostGroup& group, std::string_view strName) {
    if (strName.empty()) return false;
    for (std::string& slot : group.m_strMember) {
        if (slot.empty()) {
            slot = strName;
            return true;
        }
    }
    return false;
}

bool RemoveMember(CHostGroup& group, std::string_view strName) {
    const auto found = HasMember(group, strName);
    if (!found) return false;
    auto& members = group.m_strMember;
    for (std::size_t i = static_cast<std::size_t>(*found); i + 1 < members.size(); ++i)
        members[i] = std::move(members[i + 1]);
    members.back().clear();
    return true;
}

std::vector<std::string> ScheduleHosts(const CSchedule& schedule, const CGroupTable& groups) {
    std::vector<std::string> arrHosts;
    if (schedule.m_strTarget.empty()) return arrHosts;
    if (schedule.m_nTargetType != kTargetGroup) {
        arrHosts.push_back(schedule.m_strTarget);
        return arrHosts;
    }
    const std::optional<int> nGroup = FindGroup(groups, schedule.m_strTarget);
    if (!nGroup) return arrHosts;
    for (const std::string& strMember : groups[static_cast<std::size_t>(*nGroup)].m_strMember) {
        if (strMember.empty()) break;
        // A group from a settings file may name a host twice (the group dialogs never add one
        // twice); the host is read once.
        if (std::find(arrHosts.begin(), arrHosts.end(), strMember) == arrHosts.end())
            arrHosts.push_back(strMember);
    }
    return arrHosts;
}

bool ScheduleUsesGroup(const CSchedule& schedule, std::string_view strGroup) {
    return schedule.m_nState != kStateFree && schedule.m_nTargetType != kTargetHost &&
           SameName(schedule.m_strTarget, strGroup);
}

std::string SchedulesUsingGroup(const CScheduleTable& schedules, std::string_view strGroup) {
    std::string strNumbers;
    for (int i = 0; i < kScheduleSlots; ++i) {
        if (!ScheduleUsesGroup(schedules[static_cast<std::size_t>(i)], strGroup)) continue;
        if (!strNumbers.empty()) strNumbers += ',';
        strNumbers += ScheduleNumberText(i);
    }
    return strNumbers;
}
