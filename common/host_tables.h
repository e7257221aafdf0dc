// The fixed host table (500 CHostEntry) and group table (50 CHostGroup) and their operations.
//
// Names are compared exactly: byte for byte, case-sensitive, untrimmed. An empty name never
// matches anything, because an empty name is what marks a free slot (a host, group or member
// called "" would otherwise "find" the first free slot).
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "schedule.h"

inline constexpr int kHostSlots = 500;
inline constexpr int kGroupSlots = 50;
inline constexpr int kGroupMembers = 50;

// One registered host. A slot is free when m_strHost is empty.
class CHostEntry {
public:
    std::string m_strHost;
    std::string m_strUser;
    std::string m_strPassword;
    std::string m_strOsInfo;
    std::string m_strCpuInfo;
    std::string m_strOwnerInfo;

    bool IsFree() const { return m_strHost.empty(); }
    bool operator==(const CHostEntry&) const = default;
};

// One host group. A slot is free when m_strName is empty. Members are packed from slot 0: the
// first empty member slot ends the member list.
class CHostGroup {
public:
    std::string m_strName;
    std::array<std::string, kGroupMembers> m_strMember;

    bool IsFree() const { return m_strName.empty(); }
    bool operator==(const CHostGroup&) const = default;
};

// About 100 KB and 80 KB: keep them off the stack.
using CHostTable = std::array<CHostEntry, kHostSlots>;
using CGroupTable = std::array<CHostGroup, kGroupSlots>;

// ---- host table ----

// The first slot whose host name equals strName.
std::optional<int> FindHost(const CHostTable& hosts, std::string_view strName);
// Writes the entry into the lowest free slot and returns that slot; nothing when the table is
// full or the entry has no host name.
std::optional<int> AddHost(CHostTable& hosts, const CHostEntry& entry);
// Frees every slot whose host name equals strName by emptying its host name and OS summary (the
// other fields stay until the slot is reused). Other slots do not move. Returns the slots freed.
int DeleteHost(CHostTable& hosts, std::string_view strName);

// ---- group table ----

// The first group slot whose name equals strName.
std::optional<int> FindGroup(const CGroupTable& groups, std::string_view strName);
// The number of used group slots.
int CountGroups(const CGroupTable& groups);
// Copies the group into the first free slot and returns that slot; nothing when a group of the
// same name exists, no slot is free or the group has no name.
std::optional<int> AddGroup(CGroupTable& groups, const CHostGroup& group);
// Removes the first group named strName; the later groups move up by one slot and the last slot
// is emptied. False when no group has that name.
bool RemoveGroup(CGroupTable& groups, std::string_view strName);

// ---- members of one group ----

// The first member slot equal to strName.
std::optional<int> HasMember(const CHostGroup& group, std::string_view strName);
// The number of members before the first empty member slot.
int CountMembers(const CHostGroup& group);
// Writes the name into the first empty member slot; false when all 50 are used or the name is
// empty. Duplicates are not looked for.
bool AddMember(CHostGroup& group, std::string_view strName);
// Removes the first member equal to strName; the later members move up by one slot and the last
// slot is emptied. False when no member has that name.
bool RemoveMember(CHostGroup& group, std::string_view strName);

// ---- groups and schedules ----

// The hosts a schedule reads, each name once, in order. A group target (m_nTargetType 1) reads
// the members of the first group of that name up to the first empty member slot, and nothing
// when no group has that name; every other target reads its own name. An empty target reads no
// host. The schedule's state is not looked at: which schedules count is the caller's choice.
std::vector<std::string> ScheduleHosts(const CSchedule& schedule, const CGroupTable& groups);

// True when the schedule is booked (state not 0) on the group named strGroup. Unlike
// ScheduleHosts, every target type other than host (0) counts as a group target here: the test
// guards a group against change and deletion, and errs on the side of keeping it.
bool ScheduleUsesGroup(const CSchedule& schedule, std::string_view strGroup);
// The numbers ("%02d") of the schedules that use the group, joined by ",": "03,12". Empty when
// the group is not in use.
std::string SchedulesUsingGroup(const CScheduleTable& schedules, std::string_view strGroup);
