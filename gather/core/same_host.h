// Whether two schedules read a common host: the collision test made before a run starts.
#pragma once
#include <string>
#include <vector>

#include "host_tables.h"
#include "schedule.h"

// The hosts a schedule reads: its target for a host target; for a group target the group's
// members in order up to the first empty one (none when the group does not exist). Names are
// taken as they are; an empty target gives no host.
std::vector<std::string> ScheduleHosts(const CSchedule& schedule, const CGroupTable& groups);

// True when the two schedules read at least one host of the same name (exact comparison): two
// equal host targets, a host target that is a member of the other's group, or two groups with a
// common member.
bool SameHost(const CSchedule& first, const CSchedule& second, const CGroupTable& groups);
