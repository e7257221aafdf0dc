// Removal of group members that name no registered host, as done after loading the settings.
#pragma once
#include "host_tables.h"

// For every named group, walks its members from the 50th down to the 1st and removes each
// non-empty member whose name is not the m_strHost of a host slot (exact comparison); the later
// members close the gap. A group whose members are all unregistered keeps its name. Returns the
// number of members removed.
int RemoveUnregisteredMembers(CGroupTable& groups, const CHostTable& hosts);
