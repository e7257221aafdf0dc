// Finding every clash between the runs of the schedules that read one host.
#pragma once
#include <optional>
#include <vector>

#include "platform/clock.h"
#include "schedule.h"

// One clash: run m_nRunA of schedule m_nScheduleA against run m_nRunB of schedule m_nScheduleB
// (m_nScheduleA < m_nScheduleB), from m_tStart to m_tEnd.
struct CRunClash {
    int m_nScheduleA = 0;
    int m_nScheduleB = 0;
    int m_nRunA = 0;
    int m_nRunB = 0;
    platform::Time m_tStart = 0;
    platform::Time m_tEnd = 0;
    bool operator==(const CRunClash&) const = default;
};

// Whether run a of the lower-numbered schedule clashes with run b of the higher one, and over
// which span. With every comparison inclusive, the first matching case decides:
// b0 <= a0 <= b1 <= a1 gives a0..b1; a0 <= b0 <= a1 <= b1 gives b0..a1; a0 <= b0 and b1 <= a1
// gives b0..b1; b0 <= a0 and a1 <= b1 gives a0..a1. For runs that end no earlier than they start
// this is "the two runs share at least one moment", over the later start to the earlier end.
std::optional<CScheduleRun> ClashSpan(const CScheduleRun& a, const CScheduleRun& b);

// Every clash between runs of two different schedules of nSchedules (ascending schedule
// numbers), where runs[n] lists the runs of schedule n. The result is ordered as a pair-by-pair,
// run-by-run comparison would produce it: by schedule A, then schedule B, then A's run, then B's
// run. Runs are sorted by start and swept, so the work grows with the number of runs and of
// clashes, not with the number of schedule pairs; only runs that end before they start (which
// the four cases treat differently) are compared one by one with the others.
std::vector<CRunClash> FindRunClashes(const std::vector<int>& nSchedules,
                                      const std::vector<std::vector<CScheduleRun>>& runs);
