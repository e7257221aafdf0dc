// Display texts of a schedule: time styles, number, type, repetition, thresholds and state.
#include "schedule_texts.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "local_time_util.h"

namespace {

using testutil::Local;

TEST(FormatScheduleTime, ThreeStylesWithTheJapaneseWeekday) {
    const platform::Time t = Local(2026, 12, 6, 15, 30, 5);  // a Sunday
    EXPECT_EQ(FormatScheduleTime(t, 0), "12/06 (日) 15:30");
    EXPECT_EQ(FormatScheduleTime(t, 1), "2026/12/06 (日) 15:30:05");
    EXPECT_EQ(FormatScheduleTime(t, 2), "2026/12/06 (日) 15:30");
    for (int nStyle : {-1, 3, 100}) EXPECT_EQ(FormatScheduleTime(t, nStyle), "") << nStyle;
}

TEST(FormatScheduleTime, WeekdayLettersSundayToSaturday) {
    const char* const kLetters[] = {"日", "月", "火", "水", "木", "金", "土"};
    for (int i = 0; i < 7; ++i) {
        const platform::Time t = Local(2027, 1, 3 + i, 0, 0, 0);  // 2027-01-03 is a Sunday
        EXPECT_EQ(FormatScheduleTime(t, 2),
                  "2027/01/0" + std::to_string(3 + i) + " (" + kLetters[i] + ") 00:00");
    }
}

TEST(ScheduleTexts, NumberTypeAndState) {
    EXPECT_EQ(ScheduleNumberText(0), "00");
    EXPECT_EQ(ScheduleNumberText(3), "03");
    EXPECT_EQ(ScheduleNumberText(12), "12");
    EXPECT_EQ(ScheduleNumberText(499), "499");

    CSchedule s;
    EXPECT_EQ(ScheduleTypeText(s), "H");
    s.m_nTargetType = kTargetGroup;
    EXPECT_EQ(ScheduleTypeText(s), "G");

    EXPECT_EQ(ScheduleStateText(s), "");
    s.m_nState = kStateWaiting;
    EXPECT_EQ(ScheduleStateText(s), "待機中");
    s.m_nState = kStateRunning;
    EXPECT_EQ(ScheduleStateText(s), "実行中");
}

TEST(ScheduleTexts, Repetition) {
    struct Case {
        std::int32_t nRepeat;
        std::int32_t nDay;
        std::array<std::int32_t, 7> weekdays;  // Sunday first
        const char* pszExpected;
    };
    const Case cases[] = {
        {kRepeatAtOnce, 1, {}, ""},
        {kRepeatOnce, 1, {}, ""},
        {kRepeatDaily, 1, {}, "毎日"},
        {kRepeatWeekly, 1, {1, 0, 0, 0, 0, 0, 1}, "土日"},
        {kRepeatWeekly, 1, {1, 1, 0, 1, 0, 0, 0}, "月水日"},
        {kRepeatWeekly, 1, {1, 1, 1, 1, 1, 1, 1}, "月火水木金土日"},
        {kRepeatWeekly, 1, {0, 0, 0, 0, 1, 0, 0}, "木"},
        {kRepeatWeekly, 1, {}, ""},
        {kRepeatMonthDay, 5, {}, "5日"},
        {kRepeatMonthDay, 31, {}, "31日"},
        {kRepeatMonthEnd, kDayMonthEnd, {}, "月末"},
        {9, 1, {}, ""},
    };
    for (const Case& c : cases) {
        CSchedule s;
        s.m_nRepeat = c.nRepeat;
        s.m_nDay = c.nDay;
        s.m_bWeekday = c.weekdays;
        EXPECT_EQ(ScheduleRepeatText(s), c.pszExpected) << c.nRepeat;
    }
}

TEST(ScheduleTexts, Thresholds) {
    struct Case {
        std::int32_t nCpu, nMem, nDisk;
        const char* pszExpected;
    };
    const Case cases[] = {
        {-1, -1, -1, ""},
        {80, -1, 50, "CPU 80% DISK 50%"},
        {80, 512, 50, "CPU 80% MEM 512MB DISK 50%"},
        {-1, 512, -1, "MEM 512MB "},
        {0, -1, -1, "CPU 0% "},
        {-1, -1, 100, "DISK 100%"},
    };
    for (const Case& c : cases) {
        CSchedule s;
        s.m_nCpuThreshold = c.nCpu;
        s.m_nMemThreshold = c.nMem;
        s.m_nDiskThreshold = c.nDisk;
        EXPECT_EQ(ScheduleThresholdText(s), c.pszExpected);
    }
}

}  // namespace
