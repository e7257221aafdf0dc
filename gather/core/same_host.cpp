// The hosts of a schedule's target and the test whether two schedules share one.
#include "same_host.h"

std::vector<std::string> ScheduleHosts(const CSchedule& schedule, const CGroupTable& groups) {
    std::vector<std::string> arrHosts;
    if (schedule.m_strTarget.empty()) return arrHosts;
    if (schedule.m_nTargetType != kTargetGroup) {
        arrHosts.push_back(schedule.m_strTarget);
        return arrHosts;
    }
    const std::optional<int> group = FindGroup(groups, schedule.m_strTarget);
    if (!group) return arrHosts;
    const CHostGroup& members = groups[static_cast<std::size_t>(*group)];
    const int nMembers = CountMembers(members);
    for (int m = 0; m < nMembers; ++m)
        arrHosts.push_back(members.m_strMember[static_cast<std::size_t>(m)]);
    return arrHosts;
}

bool SameHost(const CSchedule& first, const CSchedule& second, const CGroupTable& groups) {
    const std::vector<std::string> arrFirst = ScheduleHosts(first, groups);
    if (arrFirst.empty()) return false;
    const std::vector<std::string> arrSecond = ScheduleHosts(second, groups);
    for (const std::string& strHost : arrFirst) {
        for (const std::string& strOther : arrSecond) {
            if (strHost == strOther) return true;
        }
    }
    return false;
}
