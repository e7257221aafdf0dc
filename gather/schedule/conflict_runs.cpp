// Listing a schedule's runs up to the overlap check's horizon.
#include "conflict_runs.h"

std::vector<CScheduleRun> ConflictRuns(const CSchedule& schedule, platform::Time tHorizon) {
    std::vector<CScheduleRun> runs{CScheduleRun{schedule.m_tNextStart, schedule.m_tNextEnd}};
    if (schedule.m_nRepeat == kRepeatMonthDay || schedule.m_nRepeat == kRepeatMonthEnd) return runs;
    while (static_cast<int>(runs.size()) < kMaxConflictRuns) {
        const CScheduleRun last = runs.back();
        auto next = NextRun(schedule, last.m_tEnd);
        if (next && next->m_tStart <= last.m_tStart) next = NextRun(schedule, last.m_tStart + 1);
        if (!next || next->m_tStart <= last.m_tStart || next->m_tEnd >= tHorizon) break;
        runs.push_back(*next);
    }
    return runs;
}
