// Expanding the booked schedules to the hosts they read.
#include "conflict_hosts.h"

#include <cstddef>
#include <unordered_map>

std::vector<CHostReaders> ScheduleReaders(const CScheduleTable& schedules,
                                          const CGroupTable& groups) {
    std::vector<CHostReaders> hosts;
    std::unordered_map<std::string, std::size_t> mapIndex;  // host name -> position in hosts
    const auto add = [&](const std::string& strHost, int nSchedule) {
        const auto [it, bNew] = mapIndex.try_emplace(strHost, hosts.size());
        if (bNew) hosts.push_back(CHostReaders{strHost, {}});
        std::vector<int>& list = hosts[it->second].m_nSchedules;
        // Slots are visited in ascending order, so a repeated member shows as the last entry.
        if (list.empty() || list.back() != nSchedule) list.push_back(nSchedule);
    };
    for (int i = 0; i < kScheduleSlots; ++i) {
        const CSchedule& schedule = schedules[static_cast<std::size_t>(i)];
        if (schedule.m_nState == kStateFree || schedule.m_strTarget.empty()) continue;
        if (schedule.m_nTargetType == kTargetHost) {
            add(schedule.m_strTarget, i);
        } else if (schedule.m_nTargetType == kTargetGroup) {
            const auto nGroup = FindGroup(groups, schedule.m_strTarget);
            if (!nGroup) continue;
            for (const std::string& strMember :
                 groups[static_cast<std::size_t>(*nGroup)].m_strMember) {
                if (strMember.empty()) break;
                add(strMember, i);
            }
        }
    }
    return hosts;
}
