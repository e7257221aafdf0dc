// Next-run rules of a schedule in any time zone: daily, weekly, monthly day, month end, run ends.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <optional>
#include <string>

#include "local_time_util.h"
#include "schedule.h"

namespace {

using testutil::DaysInMonth;
using testutil::Local;

struct When {
    int y, mo, d, h, mi, s;
    platform::Time T() const { return Local(y, mo, d, h, mi, s); }
};

std::string Describe(platform::Time t) {
    platform::LocalFields f;
    if (!platform::SplitLocalTime(t, f)) return "?";
    char sz[40];
    std::snprintf(sz, sizeof sz, "%04d-%02d-%02d %02d:%02d:%02d", f.nYear, f.nMonth, f.nDay,
                  f.nHour, f.nMinute, f.nSecond);
    return sz;
}

// Weekday flags as a string of day letters: S M T W R F A (Sunday .. Saturday).
std::array<std::int32_t, 7> Days(const char* pszDays) {
    const std::string strLetters = "SMTWRFA";
    std::array<std::int32_t, 7> flags{};
    for (const char* p = pszDays; *p != '\0'; ++p) flags[strLetters.find(*p)] = 1;
    return flags;
}

CSchedule Repeating(std::int32_t nRepeat, int hh, int mm) {
    CSchedule s;
    s.m_nState = kStateWaiting;
    s.m_strTarget = "PC1";
    s.m_nRepeat = nRepeat;
    // Only the time of day of the booked start counts for repeated schedules.
    s.m_tStart = Local(2025, 6, 17, hh, mm, 42);
    s.m_nEndType = kEndAfterDuration;
    s.m_tsDuration = 3600;
    return s;
}

struct StartCase {
    const char* pszName;
    std::int32_t nRepeat;
    std::int32_t nDay;
    const char* pszDays;
    int hh, mm;
    When from;
    When expected;
};

// 2026-12-06 is a Sunday.
// clang-format off
const StartCase kStartCases[] = {
    {"daily, start equal to from stays", kRepeatDaily, 1, "", 9, 0, {2026, 12, 6, 9, 0, 0}, {2026, 12, 6, 9, 0, 0}},
    {"daily, one second late", kRepeatDaily, 1, "", 9, 0, {2026, 12, 6, 9, 0, 1}, {2026, 12, 7, 9, 0, 0}},
    {"daily, before the time", kRepeatDaily, 1, "", 9, 0, {2026, 12, 6, 8, 59, 59}, {2026, 12, 6, 9, 0, 0}},
    {"daily, year end", kRepeatDaily, 1, "", 9, 0, {2026, 12, 31, 23, 0, 0}, {2027, 1, 1, 9, 0, 0}},
    {"daily, into leap day", kRepeatDaily, 1, "", 9, 0, {2028, 2, 28, 10, 0, 0}, {2028, 2, 29, 9, 0, 0}},
    {"daily, midnight", kRepeatDaily, 1, "", 0, 0, {2026, 12, 6, 0, 0, 1}, {2026, 12, 7, 0, 0, 0}},
    {"weekly Mon+Thu from Tuesday", kRepeatWeekly, 1, "MR", 10, 0, {2026, 12, 8, 12, 0, 0}, {2026, 12, 10, 10, 0, 0}},
    {"weekly Mon+Thu from Thursday after", kRepeatWeekly, 1, "MR", 10, 0, {2026, 12, 10, 10, 30, 0}, {2026, 12, 14, 10, 0, 0}},
    {"weekly, start equal to from stays", kRepeatWeekly, 1, "MR", 10, 0, {2026, 12, 10, 10, 0, 0}, {2026, 12, 10, 10, 0, 0}},
    {"weekly, flagged day before the time", kRepeatWeekly, 1, "MR", 10, 0, {2026, 12, 7, 9, 0, 0}, {2026, 12, 7, 10, 0, 0}},
    {"weekly, only today and past", kRepeatWeekly, 1, "S", 10, 0, {2026, 12, 6, 11, 0, 0}, {2026, 12, 13, 10, 0, 0}},
    {"weekly, Saturday over year end", kRepeatWeekly, 1, "A", 10, 0, {2026, 12, 27, 8, 0, 0}, {2027, 1, 2, 10, 0, 0}},
    {"weekly, Saturday past, next week", kRepeatWeekly, 1, "A", 10, 0, {2027, 1, 2, 10, 0, 1}, {2027, 1, 9, 10, 0, 0}},
    {"weekly without flags acts daily", kRepeatWeekly, 1, "", 10, 0, {2026, 12, 6, 11, 0, 0}, {2026, 12, 7, 10, 0, 0}},
    {"day 15 from the 20th", kRepeatMonthDay, 15, "", 8, 0, {2026, 12, 20, 0, 0, 0}, {2027, 1, 15, 8, 0, 0}},
    {"day 15, equal start passed over", kRepeatMonthDay, 15, "", 8, 0, {2026, 12, 15, 8, 0, 0}, {2027, 1, 15, 8, 0, 0}},
    {"day 15, a minute early", kRepeatMonthDay, 15, "", 8, 0, {2026, 12, 15, 7, 59, 0}, {2026, 12, 15, 8, 0, 0}},
    {"day 15 from a 30-day month", kRepeatMonthDay, 15, "", 8, 0, {2026, 4, 20, 0, 0, 0}, {2026, 5, 15, 8, 0, 0}},
    {"day 1, equal start passed over", kRepeatMonthDay, 1, "", 9, 0, {2026, 12, 1, 9, 0, 0}, {2027, 1, 1, 9, 0, 0}},
    {"day 31 from Mar 31 late", kRepeatMonthDay, 31, "", 9, 0, {2026, 3, 31, 10, 0, 0}, {2026, 4, 30, 9, 0, 0}},
    {"day 31 from mid February", kRepeatMonthDay, 31, "", 9, 0, {2026, 2, 15, 0, 0, 0}, {2026, 2, 28, 9, 0, 0}},
    {"day 31 from Feb 28 late", kRepeatMonthDay, 31, "", 9, 0, {2026, 2, 28, 10, 0, 0}, {2026, 3, 31, 9, 0, 0}},
    {"day 31 from Jul 31 late", kRepeatMonthDay, 31, "", 9, 0, {2026, 7, 31, 10, 0, 0}, {2026, 8, 31, 9, 0, 0}},
    {"day 30 from Jan 30 late", kRepeatMonthDay, 30, "", 9, 0, {2026, 1, 30, 10, 0, 0}, {2026, 2, 28, 9, 0, 0}},
    {"day 30 from Jan 30 late, leap", kRepeatMonthDay, 30, "", 9, 0, {2028, 1, 30, 10, 0, 0}, {2028, 2, 29, 9, 0, 0}},
    {"day 30 from Feb 28 late", kRepeatMonthDay, 30, "", 9, 0, {2026, 2, 28, 10, 0, 0}, {2026, 3, 30, 9, 0, 0}},
    {"day 29 in a common year", kRepeatMonthDay, 29, "", 9, 0, {2026, 1, 29, 10, 0, 0}, {2026, 2, 28, 9, 0, 0}},
    {"day 29 in a leap year", kRepeatMonthDay, 29, "", 9, 0, {2028, 1, 29, 10, 0, 0}, {2028, 2, 29, 9, 0, 0}},
    {"day 29 from Feb 29 late", kRepeatMonthDay, 29, "", 9, 0, {2028, 2, 29, 10, 0, 0}, {2028, 3, 29, 9, 0, 0}},
    {"month end from Jan 31 late", kRepeatMonthEnd, -1, "", 9, 0, {2026, 1, 31, 10, 0, 0}, {2026, 2, 28, 9, 0, 0}},
    {"month end from Feb 28 late", kRepeatMonthEnd, -1, "", 9, 0, {2026, 2, 28, 10, 0, 0}, {2026, 3, 31, 9, 0, 0}},
    {"month end from Apr 30 late", kRepeatMonthEnd, -1, "", 9, 0, {2026, 4, 30, 10, 0, 0}, {2026, 5, 31, 9, 0, 0}},
    {"month end, leap February", kRepeatMonthEnd, -1, "", 9, 0, {2028, 1, 31, 10, 0, 0}, {2028, 2, 29, 9, 0, 0}},
    {"month end, Feb 28 of a leap year", kRepeatMonthEnd, -1, "", 9, 0, {2028, 2, 28, 10, 0, 0}, {2028, 2, 29, 9, 0, 0}},
    {"month end, equal start passed over", kRepeatMonthEnd, -1, "", 9, 0, {2028, 2, 29, 9, 0, 0}, {2028, 3, 31, 9, 0, 0}},
    {"month end over year end", kRepeatMonthEnd, -1, "", 9, 0, {2026, 12, 31, 10, 0, 0}, {2027, 1, 31, 9, 0, 0}},
    {"month end, same day earlier", kRepeatMonthEnd, -1, "", 9, 0, {2026, 6, 30, 8, 0, 0}, {2026, 6, 30, 9, 0, 0}},
};
// clang-format on

TEST(NextRun, StartOfEachRepetition) {
    for (const StartCase& c : kStartCases) {
        CSchedule s = Repeating(c.nRepeat, c.hh, c.mm);
        s.m_nDay = c.nDay;
        s.m_bWeekday = Days(c.pszDays);
        const auto run = NextRun(s, c.from.T());
        ASSERT_TRUE(run) << c.pszName;
        EXPECT_EQ(Describe(run->m_tStart), Describe(c.expected.T())) << c.pszName;
        EXPECT_EQ(run->m_tEnd, run->m_tStart + 3600) << c.pszName;
    }
}

TEST(NextRun, OneTimeFreeAndMalformedSchedulesHaveNoNextRun) {
    const platform::Time tFrom = Local(2026, 12, 6, 12, 0);
    struct Case {
        const char* pszName;
        std::int32_t nState, nRepeat, nDay;
    };
    const Case cases[] = {
        {"at once", kStateWaiting, kRepeatAtOnce, 1},
        {"once", kStateWaiting, kRepeatOnce, 1},
        {"once, running", kStateRunning, kRepeatOnce, 1},
        {"free slot, daily", kStateFree, kRepeatDaily, 1},
        {"unknown repetition 5", kStateWaiting, 5, 1},
        {"unknown repetition -2", kStateWaiting, -2, 1},
        {"month day 0", kStateWaiting, kRepeatMonthDay, 0},
        {"month day 32", kStateWaiting, kRepeatMonthDay, 32},
        {"month day -1", kStateWaiting, kRepeatMonthDay, -1},
    };
    for (const Case& c : cases) {
        CSchedule s = Repeating(c.nRepeat, 9, 0);
        s.m_nState = c.nState;
        s.m_nDay = c.nDay;
        EXPECT_FALSE(NextRun(s, tFrom)) << c.pszName;
    }
    // Month end ignores m_nDay.
    CSchedule s = Repeating(kRepeatMonthEnd, 9, 0);
    s.m_nDay = kDayMonthEnd;
    EXPECT_TRUE(NextRun(s, tFrom));
}

TEST(NextRun, EndOfEachEndType) {
    struct Case {
        const char* pszName;
        std::int32_t nRepeat, nDay, nEndType, tsDuration, tsEndTime;
        int hh, mm;
        When from, start, end;
    };
    const Case cases[] = {
        {"duration two hours",
         kRepeatDaily,
         1,
         kEndAfterDuration,
         7200,
         0,
         9,
         0,
         {2026, 12, 6, 12, 0, 0},
         {2026, 12, 7, 9, 0, 0},
         {2026, 12, 7, 11, 0, 0}},
        {"06:00 next morning",
         kRepeatDaily,
         1,
         kEndAtTimeOfDay,
         3600,
         1 * 86400 + 6 * 3600,
         22,
         0,
         {2026, 12, 6, 12, 0, 0},
         {2026, 12, 6, 22, 0, 0},
         {2026, 12, 7, 6, 0, 0}},
        {"same day 23:30",
         kRepeatDaily,
         1,
         kEndAtTimeOfDay,
         3600,
         23 * 3600 + 30 * 60,
         9,
         0,
         {2026, 12, 6, 12, 0, 0},
         {2026, 12, 7, 9, 0, 0},
         {2026, 12, 7, 23, 30, 0}},
        {"13 days later over year end",
         kRepeatWeekly,
         1,
         kEndAtTimeOfDay,
         3600,
         13 * 86400,
         9,
         0,
         {2026, 12, 24, 12, 0, 0},
         {2026, 12, 25, 9, 0, 0},
         {2027, 1, 7, 0, 0, 0}},
        {"month end, next day 08:15",
         kRepeatMonthEnd,
         -1,
         kEndAtTimeOfDay,
         3600,
         86400 + 8 * 3600 + 15 * 60,
         23,
         0,
         {2028, 2, 1, 0, 0, 0},
         {2028, 2, 29, 23, 0, 0},
         {2028, 3, 1, 8, 15, 0}},
    };
    for (const Case& c : cases) {
        CSchedule s = Repeating(c.nRepeat, c.hh, c.mm);
        s.m_nDay = c.nDay;
        s.m_bWeekday = Days("RF");  // 2026-12-24 is a Thursday
        s.m_nEndType = c.nEndType;
        s.m_tsDuration = c.tsDuration;
        s.m_tsEndTime = c.tsEndTime;
        const auto run = NextRun(s, c.from.T());
        ASSERT_TRUE(run) << c.pszName;
        EXPECT_EQ(Describe(run->m_tStart), Describe(c.start.T())) << c.pszName;
        EXPECT_EQ(Describe(run->m_tEnd), Describe(c.end.T())) << c.pszName;
    }
}

TEST(DaysToFlaggedWeekday, NearestFlaggedDay) {
    struct Case {
        const char* pszDays;
        int nWeekday;
        int nExpected;
    };
    const Case cases[] = {
        {"", 3, 0},  {"W", 3, 0}, {"MR", 2, 2}, {"MR", 5, 3},      {"MR", 0, 1}, {"MR", 4, 0},
        {"S", 6, 1}, {"S", 1, 6}, {"A", 0, 6},  {"SMTWRFA", 5, 0}, {"T", 3, 6},
    };
    for (const Case& c : cases) {
        CSchedule s;
        s.m_bWeekday = Days(c.pszDays);
        EXPECT_EQ(DaysToFlaggedWeekday(c.nWeekday, s), c.nExpected)
            << c.pszDays << " from " << c.nWeekday;
    }
}

// The first day-D occurrence strictly after `from`, found by walking the months one by one.
platform::Time ReferenceMonthDay(platform::Time tFrom, int nDay, int hh, int mm) {
    platform::LocalFields f;
    platform::SplitLocalTime(tFrom, f);
    int y = f.nYear, m = f.nMonth;
    for (int k = 0; k < 3; ++k) {
        const int nLast = DaysInMonth(y, m);
        const platform::Time t = Local(y, m, nDay < nLast ? nDay : nLast, hh, mm);
        if (t > tFrom) return t;
        if (++m > 12) {
            m = 1;
            ++y;
        }
    }
    return -1;
}

// Every month of a leap year and the first quarter of a common year, from the first and the
// last days of each month, at, after and before the booked 09:00.
TEST(NextMonthDay, AgreesWithAMonthByMonthSearch) {
    struct Span {
        int y, nMonths;
    };
    const int kDays[] = {1, 28, 29, 30, 31};
    int nChecked = 0;
    for (const Span span : {Span{2028, 12}, Span{2026, 3}}) {
        for (int m = 1; m <= span.nMonths; ++m) {
            const int nLast = DaysInMonth(span.y, m);
            for (int d : {1, nLast - 2, nLast - 1, nLast}) {
                const int nFromHour = 8 + (d + m) % 3;
                const platform::Time tFrom = Local(span.y, m, d, nFromHour, 0);
                for (int nDay : kDays) {
                    const auto t = NextMonthDay(tFrom, nDay, 9, 0);
                    ASSERT_TRUE(t) << Describe(tFrom) << " day " << nDay;
                    ASSERT_EQ(Describe(*t), Describe(ReferenceMonthDay(tFrom, nDay, 9, 0)))
                        << "from " << Describe(tFrom) << " day " << nDay;
                    ++nChecked;
                }
            }
        }
    }
    EXPECT_EQ(nChecked, 15 * 4 * 5);
}

TEST(NextMonthDay, RejectsDaysOutsideAMonth) {
    const platform::Time tFrom = Local(2026, 5, 5, 12, 0);
    for (int nDay : {-1, 0, 32, 1000}) EXPECT_FALSE(NextMonthDay(tFrom, nDay, 9, 0)) << nDay;
}

TEST(BlankSchedule, StartsAtTheNextFullHour) {
    struct Case {
        When now;
        When start;
        int nDay;
        std::int32_t tsEndTime;
    };
    const Case cases[] = {
        {{2026, 12, 6, 15, 30, 5}, {2026, 12, 6, 16, 0, 0}, 6, 17 * 3600},
        {{2026, 12, 6, 15, 0, 0}, {2026, 12, 6, 16, 0, 0}, 6, 17 * 3600},
        {{2026, 12, 6, 21, 59, 59}, {2026, 12, 6, 22, 0, 0}, 6, 23 * 3600},
        {{2026, 12, 6, 22, 10, 0}, {2026, 12, 6, 23, 0, 0}, 6, 0},  // 00:00, day offset 0
        {{2026, 12, 31, 23, 10, 0}, {2027, 1, 1, 0, 0, 0}, 1, 3600},
    };
    for (const Case& c : cases) {
        // Everything else is the default of a free slot: at once, one hour, no thresholds.
        CSchedule expected;
        expected.m_tStart = c.start.T();
        expected.m_nDay = c.nDay;
        expected.m_tsEndTime = c.tsEndTime;
        EXPECT_EQ(CSchedule::Blank(c.now.T()), expected) << Describe(c.now.T());
    }
    const CSchedule s = CSchedule::Blank(Local(2026, 12, 6, 15, 30, 5));
    EXPECT_EQ(s.m_nRepeat, kRepeatAtOnce);
    EXPECT_EQ(s.m_nEndType, kEndAfterDuration);
    EXPECT_EQ(s.m_tsDuration, 3600);
    EXPECT_EQ(s.m_nCpuThreshold + s.m_nMemThreshold + s.m_nDiskThreshold, -3);
    EXPECT_TRUE(s.IsFree());
}

}  // namespace
