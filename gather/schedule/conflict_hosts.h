// Which booked schedules read which host: host targets as they are, group targets through their
// members.
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

// The hosts read by the booked schedules (state not 0, target not empty), in the order they are
// first named: slot by slot, a group's members in member order. A host target reads its own name
// (target type 0); a group target (type 1) reads every member of the first group of that name,
// up to the first empty member slot; a group that does not exist reads nothing, and so does any
// other target type. A schedule whose group names a host twice reads that host once.
std::vector<CHostReaders> ScheduleReaders(const CScheduleTable& schedules,
                                          const CGroupTable& groups);
