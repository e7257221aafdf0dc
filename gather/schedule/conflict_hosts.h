// Which booked schedules read which host, and whether two schedules share a host.
#pragma once
#include <string>
#include <vector>

#include "host_tables.h"
#include "schedule.h"

// One host and the numbers of the schedules that read it, in ascending order, each once.
struct CHostReaders {
    std::string m_strHost;
    std::vector<int> m_nSchedules;
};

// The hosts read by the booked schedules (state not 0), in the order they are first named: slot
// by slot, each schedule's hosts as ScheduleHosts gives them.
std::vector<CHostReaders> ScheduleReaders(const CScheduleTable& schedules,
                                          const CGroupTable& groups);

// True when the two schedules read at least one host of the same name (exact comparison), as
// ScheduleHosts expands them: two equal host targets, a host target that is a member of the
// other's group, or two groups with a common member. Their states are not looked at.
bool SameHost(const CSchedule& first, const CSchedule& second, const CGroupTable& groups);
