// The byte layout of the settings file VARNOLE.dat: versions, host, group and schedule records.
//
// File: int32 version, int32 last schedule number, the host slots (six strings each), the group
// slots (name and 50 members), the schedule slots (int32 state; a used slot goes on with the
// fields of the version's layout). The writer always writes version 110 with 500/50/500 slots.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "archive_stream.h"
#include "host_tables.h"
#include "schedule.h"

inline constexpr std::int32_t kSettingsVersion = 110;

// How many slots of each table a file of a given version holds and which optional schedule
// fields it has. 100: 20 hosts, no groups, 100 schedules; 101: 500 hosts, no groups, 500
// schedules; any other value: the full layout, with the split unit only from 110 upward.
class CSettingsLayout {
public:
    int m_nHosts = kHostSlots;
    int m_nGroups = kGroupSlots;
    int m_nSchedules = kScheduleSlots;
    bool m_bTargetType = true;  // m_nTargetType stored (files with group slots)
    bool m_bSplitUnit = true;   // m_nSplitUnit stored (version 110 and later)

    static CSettingsLayout ForVersion(std::int32_t nVersion);
};

// The stored last schedule number, or 1 when it lies outside 1..nSchedules.
std::int32_t ClampLastSchedule(std::int32_t nStored, int nSchedules);

// Host record: m_strCpuInfo, m_strHost, m_strOwnerInfo, m_strOsInfo, m_strPassword, m_strUser.
void WriteHostRecord(CArchiveWriter& writer, const CHostEntry& host);
void ReadHostRecord(CArchiveReader& reader, CHostEntry& host);

// Group record: m_strName, then the 50 members first to last.
void WriteGroupRecord(CArchiveWriter& writer, const CHostGroup& group);
void ReadGroupRecord(CArchiveReader& reader, CHostGroup& group);

// Schedule record in the version-110 layout: a free slot is the single int32 0; a used slot
// writes its state and every field, the three thresholds before the three times.
void WriteScheduleRecord(CArchiveWriter& writer, const CSchedule& schedule);
// Reads one schedule record of the given layout over a record the caller prepared (fields the
// layout does not store keep their values: target type host, split unit none). The state is
// stored as read.
void ReadScheduleRecord(CArchiveReader& reader, const CSettingsLayout& layout, CSchedule& schedule);

// The whole version-110 file.
std::string EncodeSettings(std::int32_t nLastSchedule, const CHostTable& hosts,
                           const CGroupTable& groups, const CScheduleTable& schedules);

// What a settings file held, as far as it could be read. Records are whole: a record cut off by
// the end of the data is not counted and its slot keeps its initial value.
class CSettingsContents {
public:
    CSettingsContents();

    bool m_bHeaderRead = false;  // version and last schedule number were read
    std::int32_t m_nVersion = 0;
    CSettingsLayout m_layout;
    std::int32_t m_nLastSchedule = 1;  // clamped to 1..m_layout.m_nSchedules
    int m_nHostsRead = 0;
    int m_nGroupsRead = 0;
    int m_nSchedulesRead = 0;
    // Free slots and empty records before their slot is read; schedule slots read from the file
    // hold the record as stored (state unchanged, other fields zero when the layout omits them).
    std::unique_ptr<CHostTable> m_pHosts;
    std::unique_ptr<CGroupTable> m_pGroups;
    std::unique_ptr<CScheduleTable> m_pSchedules;
    EArchiveError m_eError = EArchiveError::kNone;  // why reading stopped early
    std::size_t m_nErrorOffset = 0;                 // where the record that failed began

    bool Complete() const { return m_eError == EArchiveError::kNone; }
};

// Reads a settings file's bytes. Never reads past the end and never allocates more than the
// input's size for a string; stops at the first record that cannot be read whole.
CSettingsContents DecodeSettings(std::string_view bytes);
