// Next-run rules across daylight saving changes (America/New_York 2026) and in a zone without them.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "local_time_util.h"
#include "schedule.h"

namespace {

using testutil::kNewYork;
using testutil::kTokyo;
using testutil::Local;

CSchedule Repeating(std::int32_t nRepeat, int hh, int mm) {
    CSchedule s;
    s.m_nState = kStateWaiting;
    s.m_nRepeat = nRepeat;
    s.m_tStart = Local(2026, 1, 15, hh, mm);
    s.m_nEndType = kEndAfterDuration;
    s.m_tsDuration = 600;
    return s;
}

platform::LocalFields Fields(platform::Time t) {
    platform::LocalFields f;
    EXPECT_TRUE(platform::SplitLocalTime(t, f));
    return f;
}

// Absolute anchors: if these fail, the zone did not reach the process and the rest means nothing.
TEST(Zone, ProcessRunsInTheRegisteredZone) {
    const std::string strZone = testutil::Zone();
    if (strZone == kNewYork) {
        EXPECT_EQ(Local(2026, 12, 6, 15, 30, 5), 1796589005);  // EST, UTC-5
        EXPECT_EQ(Local(2026, 7, 1, 12, 0), 1782921600);       // EDT, UTC-4
    } else if (strZone == kTokyo) {
        EXPECT_EQ(Local(2026, 12, 6, 15, 30, 5), 1796538605);  // JST, UTC+9
        EXPECT_EQ(Local(2026, 7, 1, 12, 0), 1782874800);
    } else {
        GTEST_SKIP() << "no anchors for TZ=" << strZone;
    }
}

// New York, 2026-03-08: 02:00 EST jumps to 03:00 EDT. 2026-11-01: 02:00 EDT goes back to 01:00 EST.
struct DstCase {
    const char* pszName;
    std::int32_t nRepeat;
    int hh, mm;
    platform::Time tFrom;
    platform::Time tStart;  // UTC seconds
};

TEST(DaylightSaving, NewYorkRunsKeepTheirWallClockTime) {
    SKIP_UNLESS_ZONE(kNewYork);
    const DstCase cases[] = {
        {"daily 09:00 into spring forward", kRepeatDaily, 9, 0, 1772895600 /* 03-07 10:00 EST */,
         1772974800 /* 03-08 09:00 EDT */},
        {"daily 09:00 into fall back", kRepeatDaily, 9, 0, 1793455200 /* 10-31 10:00 EDT */,
         1793541600 /* 11-01 09:00 EST */},
        {"daily 02:30 skipped hour runs at 03:30", kRepeatDaily, 2, 30,
         1772946000 /* 03-08 00:00 EST */, 1772955000 /* 03-08 03:30 EDT */},
        {"daily 02:30 the day after the skip", kRepeatDaily, 2, 30, 1772955001,
         1773037800 /* 03-09 02:30 EDT */},
        {"daily 01:30 repeated hour: first occurrence", kRepeatDaily, 1, 30,
         1793505600 /* 11-01 00:00 EDT */, 1793511000 /* 11-01 01:30 EDT */},
        {"daily 01:30 repeated hour: not again at 01:30 EST", kRepeatDaily, 1, 30,
         1793511600 /* 11-01 01:40 EDT */, 1793601000 /* 11-02 01:30 EST */},
        {"weekly Sunday 09:00 over fall back", kRepeatWeekly, 9, 0,
         1793462400 /* 10-31 12:00 EDT */, 1793541600 /* 11-01 09:00 EST */},
        {"month day 5 after spring forward", kRepeatMonthDay, 9, 0,
         1772812800 /* 03-06 11:00 EST */, 1775394000 /* 04-05 09:00 EDT */},
        {"month day 5 after fall back", kRepeatMonthDay, 9, 0, 1791298800 /* 10-06 11:00 EDT */,
         1793887200 /* 11-05 09:00 EST */},
    };
    for (const DstCase& c : cases) {
        CSchedule s = Repeating(c.nRepeat, c.hh, c.mm);
        s.m_nDay = 5;
        s.m_bWeekday[0] = 1;
        const auto run = NextRun(s, c.tFrom);
        ASSERT_TRUE(run) << c.pszName;
        EXPECT_EQ(run->m_tStart, c.tStart) << c.pszName;
    }
}

TEST(DaylightSaving, NewYorkWeeklyPastStartOnFallBackDay) {
    SKIP_UNLESS_ZONE(kNewYork);
    // Sunday and Monday at 00:30; from Sunday 00:45 EDT the Sunday run has passed. One day after
    // it is still Sunday when counted as 86400 seconds (23:30 EST), but Monday on the calendar.
    CSchedule s = Repeating(kRepeatWeekly, 0, 30);
    s.m_bWeekday[0] = 1;
    s.m_bWeekday[1] = 1;
    const auto run = NextRun(s, 1793508300 /* 11-01 00:45 EDT */);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->m_tStart, 1793597400 /* 11-02 00:30 EST */);
}

TEST(DaylightSaving, NewYorkRunEnds) {
    SKIP_UNLESS_ZONE(kNewYork);
    // Daily 22:00 ending 06:00 the next morning: the night of the change is one hour shorter.
    CSchedule s = Repeating(kRepeatDaily, 22, 0);
    s.m_nEndType = kEndAtTimeOfDay;
    s.m_tsEndTime = 86400 + 6 * 3600;
    auto run = NextRun(s, 1772895600 /* 03-07 10:00 EST */);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->m_tStart, 1772938800 /* 03-07 22:00 EST */);
    EXPECT_EQ(run->m_tEnd, 1772964000 /* 03-08 06:00 EDT */);
    EXPECT_EQ(run->m_tEnd - run->m_tStart, 7 * 3600);

    // A duration is elapsed time: two hours from 01:00 EST end at 04:00 EDT.
    s = Repeating(kRepeatDaily, 1, 0);
    s.m_tsDuration = 7200;
    run = NextRun(s, 1772946000 /* 03-08 00:00 EST */);
    ASSERT_TRUE(run);
    EXPECT_EQ(run->m_tStart, 1772949600);
    EXPECT_EQ(run->m_tEnd, 1772956800);
}

TEST(DaylightSaving, NewYorkBlankRecordOnFallBack) {
    SKIP_UNLESS_ZONE(kNewYork);
    // At 01:30 EDT the next full hour is 01:00 EST, one real half hour later.
    const CSchedule s = CSchedule::Blank(1793511000);
    EXPECT_EQ(s.m_tStart, 1793512800);
    EXPECT_EQ(s.m_nDay, 1);
    EXPECT_EQ(s.m_tsEndTime, 2 * 3600);
}

TEST(DaylightSaving, TokyoHasNoSkippedOrRepeatedHours) {
    SKIP_UNLESS_ZONE(kTokyo);
    CSchedule s = Repeating(kRepeatDaily, 2, 30);
    const auto run = NextRun(s, 1772895600);  // 2026-03-08 00:00 JST
    ASSERT_TRUE(run);
    EXPECT_EQ(run->m_tStart, 1772904600);  // 02:30 JST
    EXPECT_EQ(CSchedule::Blank(1793511000).m_tStart, 1793512800);
}

// Following a daily schedule from run end to run end through both changes of the year, the way
// the scheduler does: exactly one run per calendar day, always at the booked wall-clock time (or,
// on a day that skips it, right after the skip).
TEST(DaylightSaving, DailyChainGivesOneRunPerDay) {
    struct Window {
        int m, d, nDays;
    };
    for (const Window w : {Window{3, 5, 6}, Window{10, 29, 6}}) {
        for (int hh : {0, 1, 2, 23}) {
            CSchedule s = Repeating(kRepeatDaily, hh, 30);
            platform::Time tFrom = Local(2026, w.m, w.d, 0, 0);
            int m = w.m, d = w.d;  // the calendar day the next run must fall on
            for (int nRun = 0; nRun < w.nDays; ++nRun) {
                const auto run = NextRun(s, tFrom);
                ASSERT_TRUE(run) << hh << " run " << nRun;
                ASSERT_GE(run->m_tStart, tFrom);
                const platform::LocalFields f = Fields(run->m_tStart);
                ASSERT_EQ((std::array<int, 2>{f.nMonth, f.nDay}), (std::array<int, 2>{m, d}))
                    << "hour " << hh << ", run " << nRun;
                const bool bSkipped =
                    testutil::Zone() == kNewYork && m == 3 && d == 8 && hh == 2 && f.nHour == 3;
                EXPECT_TRUE(f.nHour == hh || bSkipped) << m << "-" << d << " " << f.nHour;
                EXPECT_EQ(f.nMinute, 30);
                tFrom = run->m_tEnd;
                if (++d > testutil::DaysInMonth(2026, m)) {
                    d = 1;
                    ++m;
                }
            }
        }
    }
}

}  // namespace
