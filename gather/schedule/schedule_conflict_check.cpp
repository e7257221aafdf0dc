// The overlap check: host expansion, run lists, the sweep of each shared host, the clash lines.
#include "schedule_conflict_check.h"

#include <cstddef>
#include <limits>

#include "conflict_lines.h"
#include "conflict_runs.h"
#include "conflict_sweep.h"
#include "platform/local_time.h"

namespace {

// How long a listing is used again at most.
constexpr platform::Time kListingLifetime = 60;

}  // namespace

bool CScheduleConflictCheck::Check(const CScheduleTable& schedules, const CGroupTable& groups,
                                   platform::Time tNow, CConflictRunMemory* pMemory) {
    // Tens of thousands of local-time conversions: the zone is looked at once for all.
    const platform::LocalTimeBatch zone;
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
            m_runs[i] = pMemory != nullptr ? pMemory->Runs(n, schedules[i], tNow)
                                           : ConflictRuns(schedules[i], tHorizon);
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

const std::vector<CScheduleRun>& CConflictRunMemory::Runs(int nSlot, const CSchedule& schedule,
                                                          platform::Time tNow) {
    SListing& listing = m_listings.at(static_cast<std::size_t>(nSlot));
    // An earlier present moment has a nearer horizon, which may leave out a run that was listed.
    if (listing.m_bListed && tNow >= listing.m_tListed &&
        tNow - listing.m_tListed < kListingLifetime && tNow <= listing.m_tSameUntil &&
        listing.m_schedule == schedule) {
        return listing.m_runs;
    }
    platform::Time tHorizonEnd = 0;
    listing.m_runs = ConflictRuns(schedule, tNow + kConflictLookAhead, &tHorizonEnd);
    listing.m_schedule = schedule;
    listing.m_tListed = tNow;
    // The run the horizon left out stays out while the horizon has not passed its end; a list
    // that did not end at the horizon is the same for every horizon.
    listing.m_tSameUntil = tHorizonEnd == std::numeric_limits<platform::Time>::max()
                               ? tHorizonEnd
                               : tHorizonEnd - kConflictLookAhead;
    listing.m_bListed = true;
    return listing.m_runs;
}
