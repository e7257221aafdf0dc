// Listing a schedule's runs up to the overlap check's horizon.
#include "conflict_runs.h"

#include <limits>

std::vector<CScheduleRun> ConflictRuns(const CSchedule& schedule, platform::Time tHorizon,
                                       platform::Time* pHorizonEnd) {
    if (pHorizonEnd != nullptr) *pHorizonEnd = std::numeric_limits<platform::Time>::max();
    std::vector<CScheduleRun> runs{CScheduleRun{schedule.m_tNextStart, schedule.m_tNextEnd}};
    if (schedule.m_nRepeat == kRepeatMonthDay || schedule.m_nRepeat == kRepeatMonthEnd) return runs;
    while (static_cast<int>(runs.size()) < kMaxConflictRuns) {
        const CScheduleRun last = runs.back();
        auto next = NextRun(schedule, last.m_tEnd);
        if (next && next->m_tStart <= last.m_tStart) next = NextRun(schedule, last.m_tStart + 1);
        if (!next || next->m_tStart <= last.m_tStart) break;
        if (next->m_tEnd >= tHorizon) {
            if (pHorizonEnd != nullptr) *pHorizonEnd = next->m_tEnd;
            break;
        }
        runs.push_back(*next);
    }
    return runs;
}
