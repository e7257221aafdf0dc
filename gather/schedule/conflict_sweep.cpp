// The sweep over one host's runs that finds every clash between two schedules.
#include "conflict_sweep.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace {

// One run on the host: its span, its schedule (by position in the host's ascending list) and
// its index in that schedule's run list.
struct CSweepRun {
    platform::Time m_tStart;
    platform::Time m_tEnd;
    std::uint32_t m_nPosition;
    std::uint32_t m_nRun;
};

// Orders clashes as the pair-by-pair comparison produces them. Schedule numbers are below 500
// and run indices below kMaxConflictRuns, so 16 bits each hold them.
std::uint64_t LineOrder(const CRunClash& clash) {
    return (static_cast<std::uint64_t>(clash.m_nScheduleA) << 48) |
           (static_cast<std::uint64_t>(clash.m_nScheduleB) << 32) |
           (static_cast<std::uint64_t>(clash.m_nRunA) << 16) |
           static_cast<std::uint64_t>(clash.m_nRunB);
}

class CClashCollector {
public:
    explicit CClashCollector(const std::vector<int>& nSchedules) : m_nSchedules(nSchedules) {}

    // Compares two runs of different schedules, the lower-numbered schedule's run as a.
    void Compare(const CSweepRun& x, const CSweepRun& y) {
        const bool bXFirst = x.m_nPosition < y.m_nPosition;
        const CSweepRun& a = bXFirst ? x : y;
        const CSweepRun& b = bXFirst ? y : x;
        const auto span =
            ClashSpan(CScheduleRun{a.m_tStart, a.m_tEnd}, CScheduleRun{b.m_tStart, b.m_tEnd});
        if (!span) return;
        m_clashes.push_back(CRunClash{m_nSchedules[a.m_nPosition], m_nSchedules[b.m_nPosition],
                                      static_cast<int>(a.m_nRun), static_cast<int>(b.m_nRun),
                                      span->m_tStart, span->m_tEnd});
    }

    std::vector<CRunClash> TakeInLineOrder() {
        std::sort(m_clashes.begin(), m_clashes.end(), [](const CRunClash& x, const CRunClash& y) {
            return LineOrder(x) < LineOrder(y);
        });
        return std::move(m_clashes);
    }

private:
    const std::vector<int>& m_nSchedules;
    std::vector<CRunClash> m_clashes;
};

}  // namespace

std::optional<CScheduleRun> ClashSpan(const CScheduleRun& a, const CScheduleRun& b) {
    const platform::Time a0 = a.m_tStart, a1 = a.m_tEnd, b0 = b.m_tStart, b1 = b.m_tEnd;
    if (b0 <= a0 && a0 <= b1 && b1 <= a1) return CScheduleRun{a0, b1};
    if (a0 <= b0 && b0 <= a1 && a1 <= b1) return CScheduleRun{b0, a1};
    if (a0 <= b0 && b1 <= a1) return CScheduleRun{b0, b1};
    if (b0 <= a0 && a1 <= b1) return CScheduleRun{a0, a1};
    return std::nullopt;
}

std::vector<CRunClash> FindRunClashes(const std::vector<int>& nSchedules,
                                      const std::vector<std::vector<CScheduleRun>>& runs) {
    std::vector<CSweepRun> forward;   // runs that end at or after their start
    std::vector<CSweepRun> backward;  // runs that end before their start
    for (std::size_t nPosition = 0; nPosition < nSchedules.size(); ++nPosition) {
        const auto& list = runs[static_cast<std::size_t>(nSchedules[nPosition])];
        for (std::size_t nRun = 0; nRun < list.size(); ++nRun) {
            const CSweepRun run{list[nRun].m_tStart, list[nRun].m_tEnd,
                                static_cast<std::uint32_t>(nPosition),
                                static_cast<std::uint32_t>(nRun)};
            (run.m_tEnd < run.m_tStart ? backward : forward).push_back(run);
        }
    }

    CClashCollector collector(nSchedules);
    // Two forward runs share a moment exactly when the later-starting one starts no later than
    // the other ends. With the runs in order of start, the runs that start within run i's span
    // follow it directly, and each of them clashes with it.
    std::sort(forward.begin(), forward.end(),
              [](const CSweepRun& x, const CSweepRun& y) { return x.m_tStart < y.m_tStart; });
    for (std::size_t i = 0; i < forward.size(); ++i) {
        for (std::size_t j = i + 1; j < forward.size() && forward[j].m_tStart <= forward[i].m_tEnd;
             ++j) {
            if (forward[j].m_nPosition != forward[i].m_nPosition)
                collector.Compare(forward[i], forward[j]);
        }
    }
    // A backward run can match the containment cases with runs far from it: compare it with
    // every run of the other schedules (each pair of backward runs once).
    for (std::size_t i = 0; i < backward.size(); ++i) {
        for (const CSweepRun& other : forward) {
            if (other.m_nPosition != backward[i].m_nPosition) collector.Compare(backward[i], other);
        }
        for (std::size_t j = i + 1; j < backward.size(); ++j) {
            if (backward[j].m_nPosition != backward[i].m_nPosition)
                collector.Compare(backward[i], backward[j]);
        }
    }
    return collector.TakeInLineOrder();
}
