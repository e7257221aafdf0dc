// The overlap check: host expansion, run lists, the sweep of each shared host, the clash lines.
#include "schedule_conflict_check.h"

#include <cstddef>

#include "conflict_lines.h"
#include "conflict_runs.h"
#include "conflict_sweep.h"

bool CScheduleConflictCheck::Check(const CScheduleTable& schedules, const CGroupTable& groups,
                                   platform::Time tNow) {
    m_strResult.clear();
    m_hosts = ScheduleReaders(schedules, groups);

    // Each schedule's runs are listed once, however many hosts it shares; a schedule alone on
    // all its hosts is never compared and needs none.
    const platform::Time tHorizon = tNow + kConflictLookAhead;
    m_runs.assign(kScheduleSlots, {});
    std::vector<bool> bListed(kScheduleSlots, false);
    for (const CHostReaders& host : m_hosts) {
        if (host.m_nSchedules.size() < 2) continue;
        for (const int n : host.m_nSchedules) {
            const auto i = static_cast<std::size_t>(n);
            if (bListed[i]) continue;
            bListed[i] = true;
            m_runs[i] = ConflictRuns(schedules[i], tHorizon);
        }
    }

    CConflictLineWriter writer;
    for (const CHostReaders& host : m_hosts) {
        if (host.m_nSchedules.size() < 2) continue;
        for (const CRunClash& clash : FindRunClashes(host.m_nSchedules, m_runs))
            writer.Append(m_strResult, host.m_strHost, clash);
    }
    return m_strResult.empty();
}
