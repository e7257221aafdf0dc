// CGatherTables: the host, group and schedule tables of Gather and the last schedule number.
#pragma once
#include <cstdint>
#include <memory>

#include "host_tables.h"
#include "platform/clock.h"
#include "schedule.h"

// Owned by CGatherDlg, which hands them to its parts; each table lives on the heap (80-100 KB).
// The window and everything that only reads them get them const.
class CGatherTables {
public:
    // The clock gives the moment of the blank record; it must outlive the tables.
    explicit CGatherTables(const platform::IClock& clock);
    CGatherTables(const CGatherTables&) = delete;
    CGatherTables& operator=(const CGatherTables&) = delete;

    const CHostTable& Hosts() const { return *m_pHosts; }
    CHostTable& Hosts() { return *m_pHosts; }
    const CGroupTable& Groups() const { return *m_pGroups; }
    CGroupTable& Groups() { return *m_pGroups; }
    const CScheduleTable& Schedules() const { return *m_pSchedules; }
    CScheduleTable& Schedules() { return *m_pSchedules; }
    // Slot nSchedule (0..499) of the schedule table.
    const CSchedule& Schedule(int nSchedule) const {
        return (*m_pSchedules)[static_cast<std::size_t>(nSchedule)];
    }
    CSchedule& Schedule(int nSchedule) {
        return (*m_pSchedules)[static_cast<std::size_t>(nSchedule)];
    }

    // The last schedule number assigned: registration looks for a free slot above it.
    std::int32_t LastSchedule() const { return m_nLastSchedule; }
    void SetLastSchedule(std::int32_t nLastSchedule) { m_nLastSchedule = nLastSchedule; }

    // The blank record of the present moment, which a free slot holds.
    CSchedule BlankSchedule() const { return CSchedule::Blank(m_pClock->Now()); }
    // Resets a schedule slot (ignored outside 0..499), or all of them, to the blank record.
    void ResetSchedule(int nSchedule);
    void ResetAllSchedules();

private:
    const platform::IClock* m_pClock;
    std::unique_ptr<CHostTable> m_pHosts;
    std::unique_ptr<CGroupTable> m_pGroups;
    std::unique_ptr<CScheduleTable> m_pSchedules;
    std::int32_t m_nLastSchedule = 0;
};
