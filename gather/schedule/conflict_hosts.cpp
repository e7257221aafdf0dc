// Expanding the booked schedules to the hosts they read.
#include "conflict_hosts.h"

#include <algorithm>
#include <cstddef>
#include <unordered_map>

std::vector<CHostReaders> ScheduleReaders(const CScheduleTable& schedules,
                                          const CGroupTable& groups) {
    std::vector<CHostReaders> hosts;
    std::unordered_map<std::string, std::size_t> mapIndex;  // host name -> position in hosts
    for (int i = 0; i < kScheduleSlots; ++i) {
        const CSchedule& schedule = schedules[static_cast<std::size_t>(i)];
        if (schedule.IsFree()) continue;
        // Each host comes once per schedule, and slots ascend: the lists stay sorted and unique.
        for (const std::string& strHost : ScheduleHosts(schedule, groups)) {
            const auto [it, bNew] = mapIndex.try_emplace(strHost, hosts.size());
            if (bNew) hosts.push_back(CHostReaders{strHost, {}});
            hosts[it->second].m_nSchedules.push_back(i);
        }
    }
    return hosts;
}

bool SameHost(const CSchedule& first, const CSchedule& second, const CGroupTable& groups) {
    const std::vector<std::string> arrFirst = ScheduleHosts(first, groups);
    if (arrFirst.empty()) return false;
    const std::vector<std::string> arrSecond = ScheduleHosts(second, groups);
    return std::any_of(arrFirst.begin(), arrFirst.end(), [&](const std::string& strHost) {
        return std::find(arrSecond.begin(), arrSecond.end(), strHost) != arrSecond.end();
    });
}
