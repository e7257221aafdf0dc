// The swept overlap check against the plain pair-by-pair comparison, on seeded random tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "common/local_time_util.h"
#include "conflict_reference.h"
#include "conflict_runs.h"
#include "schedule_conflict_check.h"

namespace {

using platform::Time;
using testutil::Local;

// Random schedule tables over a few hosts and groups, with times on a half-hour grid so that
// runs often touch, coincide or nest, and with some runs that end before they start.
class CRandomTables {
public:
    explicit CRandomTables(unsigned nSeed) : m_random(nSeed) {}

    void Fill(CScheduleTable& schedules, CGroupTable& groups, Time tNow, int nSchedules) {
        static const char* const kHosts[] = {"PC1", "PC2", "PC3", "pc1", "サーバ"};
        for (int g = 0; g < 4; ++g) {
            CHostGroup& group = groups[static_cast<std::size_t>(g)];
            group.m_strName = "G" + std::to_string(g);
            const int nMembers = Pick(0, 4);  // members may repeat
            for (int m = 0; m < nMembers; ++m)
                group.m_strMember[static_cast<std::size_t>(m)] = kHosts[Pick(0, 4)];
        }
        for (int k = 0; k < nSchedules; ++k) {
            CSchedule& s = schedules[static_cast<std::size_t>(Pick(0, kScheduleSlots - 1))];
            s = CSchedule{};
            s.m_nState = Chance(10) ? kStateFree : (Chance(20) ? kStateRunning : kStateWaiting);
            s.m_nTargetType = Chance(30) ? kTargetGroup : kTargetHost;
            s.m_strTarget = s.m_nTargetType == kTargetGroup ? "G" + std::to_string(Pick(0, 4))
                                                            : kHosts[Pick(0, 4)];
            s.m_nRepeat = Pick(kRepeatAtOnce, kRepeatMonthEnd);
            s.m_nDay = s.m_nRepeat == kRepeatMonthEnd ? kDayMonthEnd : Pick(1, 31);
            for (auto& flag : s.m_bWeekday) flag = Chance(30) ? 1 : 0;
            s.m_tStart = tNow + Pick(0, 48 * 40) * 1800;
            s.m_nEndType = Chance(30) ? kEndAtTimeOfDay : kEndAfterDuration;
            static const std::int32_t kLengths[] = {
                0, 1800, 3600, 7200, 5 * 3600, 86400, 2 * 86400 + 1800, -3600};
            s.m_tsDuration = kLengths[Pick(0, 7)];
            s.m_tsEndTime = Pick(0, 2) * 86400 + Pick(0, 47) * 1800;
            if (const auto run = NextRun(s, tNow - Pick(0, 96) * 1800); run && !Chance(25)) {
                s.m_tNextStart = run->m_tStart;
                s.m_tNextEnd = run->m_tEnd;
            } else {
                // A one-time run, or a record whose times do not follow its rule.
                s.m_tNextStart = s.m_tStart;
                s.m_tNextEnd = s.m_tStart + (Chance(80) ? s.m_tsDuration : Pick(-96, 96) * 1800);
            }
        }
    }

private:
    int Pick(int nLow, int nHigh) {
        return std::uniform_int_distribution<int>(nLow, nHigh)(m_random);
    }
    bool Chance(int nPercent) { return Pick(0, 99) < nPercent; }

    std::mt19937 m_random;
};

std::vector<std::string> SplitLines(const std::string& strText) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < strText.size();) {
        std::size_t end = strText.find('\n', at);
        if (end == std::string::npos) end = strText.size() - 1;
        lines.push_back(strText.substr(at, end + 1 - at));
        at = end + 1;
    }
    return lines;
}

struct CTally {
    int m_nAccepted = 0;
    int m_nRefused = 0;
};

void CrossCheck(unsigned nSeed, Time tNow, int nSchedules, CTally& tally) {
    auto schedules = std::make_unique<CScheduleTable>();
    auto groups = std::make_unique<CGroupTable>();
    CRandomTables(nSeed).Fill(*schedules, *groups, tNow, nSchedules);
    const std::string strExpected = reference::ConflictText(*schedules, *groups, tNow);
    CScheduleConflictCheck check;
    const bool bAccepted = check.Check(*schedules, *groups, tNow);
    // Compared line by line, so that a failure names one line rather than two long texts.
    const auto lines = SplitLines(check.ResultText());
    const auto expected = SplitLines(strExpected);
    const auto [got, want] =
        std::mismatch(lines.begin(), lines.end(), expected.begin(), expected.end());
    ASSERT_TRUE(got == lines.end() && want == expected.end())
        << "seed " << nSeed << ", line " << (got - lines.begin()) + 1 << " of " << expected.size()
        << "\n  got:      " << (got == lines.end() ? "(none)" : *got)
        << "\n  expected: " << (want == expected.end() ? "(none)" : *want);
    EXPECT_EQ(bAccepted, strExpected.empty()) << "seed " << nSeed;
    ++(bAccepted ? tally.m_nAccepted : tally.m_nRefused);
}

// The 31 days from each of these moments hold a change of daylight saving in New York.
const Time kSpring = Local(2026, 2, 20, 7, 15);
const Time kAutumn = Local(2026, 10, 15, 23, 0);

TEST(ConflictCheckRandom, SmallTablesMatchThePairByPairComparison) {
    CTally tally;
    for (unsigned nSeed = 1; nSeed <= 300; ++nSeed)
        CrossCheck(nSeed, nSeed % 2 == 0 ? kSpring : kAutumn, 2 + static_cast<int>(nSeed % 9),
                   tally);
    // Both outcomes occur, so the comparison is not trivially about empty texts.
    EXPECT_GT(tally.m_nAccepted, 20);
    EXPECT_GT(tally.m_nRefused, 20);
}

TEST(ConflictCheckRandom, CrowdedTablesMatchThePairByPairComparison) {
    CTally tally;
    for (unsigned nSeed = 1000; nSeed < 1012; ++nSeed)
        CrossCheck(nSeed, nSeed % 2 == 0 ? kSpring : kAutumn, 150, tally);
    EXPECT_EQ(tally.m_nRefused, 12);
}

// A check with a run memory, repeated as the scheduler repeats it second by second, answers as a
// fresh check at every step: while the horizon reaches a run a list left out, after a schedule
// changes, and when the clock goes back.
TEST(ConflictCheckRandom, ChecksWithARunMemoryAnswerAsFreshChecks) {
    int nHorizonSteps = 0;
    for (unsigned nSeed = 2000; nSeed < 2060; ++nSeed) {
        auto schedules = std::make_unique<CScheduleTable>();
        auto groups = std::make_unique<CGroupTable>();
        const Time tStart = nSeed % 2 == 0 ? kSpring : kAutumn;
        CRandomTables(nSeed).Fill(*schedules, *groups, tStart, nSeed % 4 == 0 ? 60 : 9);

        // The moments at which the horizon reaches a run that a list leaves out.
        std::vector<Time> vecEdges;
        for (const CSchedule& schedule : *schedules) {
            if (schedule.IsFree()) continue;
            Time tLeftOut = 0;
            ConflictRuns(schedule, tStart + kConflictLookAhead, &tLeftOut);
            const bool bLeftOne = tLeftOut != std::numeric_limits<Time>::max();
            if (bLeftOne && tLeftOut - kConflictLookAhead > tStart && vecEdges.size() < 3)
                vecEdges.push_back(tLeftOut - kConflictLookAhead);
        }

        CConflictRunMemory memory;
        const auto expectSameAsFresh = [&](Time tNow) {
            CScheduleConflictCheck fresh;
            CScheduleConflictCheck remembering;
            const bool bFresh = fresh.Check(*schedules, *groups, tNow);
            ASSERT_EQ(remembering.Check(*schedules, *groups, tNow, &memory), bFresh)
                << "seed " << nSeed << " at " << tNow;
            ASSERT_EQ(remembering.ResultText(), fresh.ResultText())
                << "seed " << nSeed << " at " << tNow;
        };
        for (const Time tEdge : vecEdges) {
            for (Time t = tEdge - 3; t <= tEdge + 3; ++t) {
                expectSameAsFresh(t);
                ++nHorizonSteps;
            }
            // A schedule changes between two ticks; then the clock goes back.
            for (CSchedule& schedule : *schedules) {
                if (schedule.IsFree()) continue;
                schedule.m_tNextEnd += 1800;
                break;
            }
            expectSameAsFresh(tEdge + 4);
            expectSameAsFresh(tEdge - 10);
        }
    }
    EXPECT_GT(nHorizonSteps, 300);
}

}  // namespace
