// The summary builder: the record and the confirmation text from the control values, in New York
// (with a daylight saving change) and in Tokyo.
#include <gtest/gtest.h>

#include "common/local_time_util.h"
#include "schedule_summary.h"
#include "wizard_tables.h"

namespace {

using testutil::Local;

constexpr int kDuration30Minutes = 4;
constexpr int kDuration1Hour = 7;
constexpr int kDuration2Hours = 8;

// A host booking that starts now for 30 minutes at 1 s, with no threshold, split or comment.
SWizardValues StartNowValues() {
    SWizardValues v;
    v.m_strTarget = "PC01";
    v.m_nStartKind = kStartNow;
    v.m_nEndChoice = kEndByDuration;
    v.m_nDurationIndex = kDuration30Minutes;
    v.m_nEndHour = 11;
    v.m_nEndMinute = 15;
    v.m_arrIntervals = {"1 秒", "2 秒", "3 秒"};
    v.m_nIntervalIndex = 0;
    return v;
}

SWizardValues TimerValues(int nUnit, int nHour, int nMinute) {
    SWizardValues v = StartNowValues();
    v.m_nStartKind = kStartTimer;
    v.m_nUnit = nUnit;
    v.m_nStartHour = nHour;
    v.m_nStartMinute = nMinute;
    v.m_nDurationIndex = kDuration1Hour;
    return v;
}

class ScheduleSummaryTest : public ::testing::Test {
protected:
    ScheduleSummaryTest() : m_pGroups(std::make_unique<CGroupTable>()) {
        CHostGroup group;
        group.m_strName = "営業部";
        group.m_strMember[0] = "PC01";
        group.m_strMember[1] = "PC02";
        AddGroup(*m_pGroups, group);
    }

    SScheduleSummary Build(const SWizardValues& values, platform::Time tNow,
                           std::int32_t nKept = 5000) {
        return BuildScheduleSummary(values, *m_pGroups, tNow, nKept);
    }

    std::unique_ptr<CGroupTable> m_pGroups;
};

// The section of the text that begins with strHead and ends before the next "■".
std::string Section(const std::string& strText, const std::string& strHead) {
    const std::size_t nFrom = strText.find(strHead);
    if (nFrom == std::string::npos) return "<missing " + strHead + ">";
    const std::size_t nTo = strText.find("■", nFrom + strHead.size());
    return strText.substr(nFrom, nTo == std::string::npos ? std::string::npos : nTo - nFrom);
}

TEST_F(ScheduleSummaryTest, StartNowBuildsTheWholeTextAndRecord) {
    SWizardValues v = StartNowValues();
    v.m_strComment = "テスト用";
    const platform::Time tNow = Local(2026, 12, 7, 10, 0, 30);
    const SScheduleSummary s = Build(v, tNow);
    EXPECT_EQ(s.m_strText,
              "\r\n■ 対象ホスト:\tPC01\r\n\r\n"
              "■ しきい値トリガー:\t未使用\r\n\r\n"
              "■ 予約方法:\t今すぐ開始\r\n\r\n"
              "\t\t現在から 30 分間\r\n\r\n"
              "■ 取得間隔:\t1 秒 間隔\r\n\r\n"
              "■ 分割単位:\t設定なし\r\n\r\n"
              "■ コメント:\tテスト用\r\n");
    EXPECT_FALSE(s.m_bPastStart);
    CSchedule expected = CSchedule::Blank(tNow);
    expected.m_strTarget = "PC01";
    expected.m_strComment = "テスト用";
    expected.m_nInterval = 1000;
    expected.m_nRepeat = kRepeatAtOnce;
    expected.m_tStart = 0;
    expected.m_nEndType = kEndAfterDuration;
    expected.m_tsDuration = 1800;
    expected.m_tsEndTime = 11 * 3600 + 15 * 60;  // both end fields are kept
    EXPECT_EQ(s.m_schedule, expected);
}

TEST_F(ScheduleSummaryTest, StartNowEndTexts) {
    struct SCase {
        int nEndChoice;
        int nDuration;
        int nEndDay;
        const char* pszLine;
        std::int32_t nEndType;
    };
    const SCase cases[] = {
        {kEndByDuration, kDuration30Minutes, 0, "\t\t現在から 30 分間\r\n\r\n", kEndAfterDuration},
        {kEndByDuration, kDuration1Hour, 0, "\t\t現在から 1 時間\r\n\r\n", kEndAfterDuration},
        {kEndByDuration, 18, 0, "\t\t現在から 12 時間\r\n\r\n", kEndAfterDuration},
        {kEndByTime, kDuration1Hour, 0, "\t\t現在 ～ 11:15\r\n\r\n", kEndAtTimeOfDay},
        {kEndByTime, kDuration1Hour, 2, "\t\t現在 ～ 開始2日後 11:15\r\n\r\n", kEndAtTimeOfDay},
    };
    for (const SCase& c : cases) {
        SWizardValues v = StartNowValues();
        v.m_nEndChoice = c.nEndChoice;
        v.m_nDurationIndex = c.nDuration;
        v.m_nEndDayIndex = c.nEndDay;
        const SScheduleSummary s = Build(v, Local(2026, 12, 7, 10, 0));
        EXPECT_EQ(Section(s.m_strText, "■ 予約方法"), std::string("■ 予約方法:\t今すぐ開始\r\n\r\n") + c.pszLine)
            << c.pszLine;
        EXPECT_EQ(s.m_schedule.m_nEndType, c.nEndType);
        EXPECT_EQ(s.m_schedule.m_tsDuration, kDurationChoices[static_cast<std::size_t>(c.nDuration)].m_nSeconds);
        EXPECT_EQ(s.m_schedule.m_tsEndTime, c.nEndDay * 86400 + 11 * 3600 + 15 * 60);
    }
}

TEST_F(ScheduleSummaryTest, GroupTargetListsItsMembersAndAMissingGroupNone) {
    SWizardValues v = StartNowValues();
    v.m_bGroupDisplay = true;
    v.m_strTarget = "営業部";
    SScheduleSummary s = Build(v, Local(2026, 12, 7, 10, 0));
    EXPECT_EQ(s.m_strText.substr(0, s.m_strText.find("■ しきい値")),
              "\r\n■ 対象グループ:\t営業部\r\n\r\n■ 対象ホスト:\tPC01\r\n\t\tPC02\r\n\r\n");
    EXPECT_EQ(s.m_schedule.m_nTargetType, kTargetGroup);
    EXPECT_EQ(s.m_schedule.m_strTarget, "営業部");

    v.m_strTarget = "経理部";
    s = Build(v, Local(2026, 12, 7, 10, 0));
    EXPECT_EQ(s.m_strText.substr(0, s.m_strText.find("■ しきい値")),
              "\r\n■ 対象グループ:\t経理部\r\n\r\n");
}

TEST_F(ScheduleSummaryTest, ThresholdLinesFollowTheCheckedBoxesInOrder) {
    struct SCase {
        bool bCpu, bMem, bDisk;
        const char* pszLines;
    };
    const SCase cases[] = {
        {false, true, false, "\tMEM:\t32 MB 以下\r\n"},
        {true, true, true, "\tCPU:\t90 % 以上\r\n\tMEM:\t32 MB 以下\r\n\tDISK:\t70 % 以上\r\n"},
        {true, false, true, "\tCPU:\t90 % 以上\r\n\tDISK:\t70 % 以上\r\n"},
    };
    for (const SCase& c : cases) {
        SWizardValues v = StartNowValues();
        v.m_nTriggerKind = kTriggerThreshold;
        v.m_bUseCpu = c.bCpu;
        v.m_bUseMem = c.bMem;
        v.m_bUseDisk = c.bDisk;
        v.m_nCpu = 90;
        v.m_nMem = 32;
        v.m_nDisk = 70;
        const SScheduleSummary s = Build(v, Local(2026, 12, 7, 10, 0));
        EXPECT_EQ(Section(s.m_strText, "■ しきい値トリガー"),
                  std::string("■ しきい値トリガー:\t使用\r\n\r\n") + c.pszLines + "\r\n");
        EXPECT_EQ(s.m_schedule.m_nCpuThreshold, c.bCpu ? 90 : -1);
        EXPECT_EQ(s.m_schedule.m_nMemThreshold, c.bMem ? 32 : -1);
        EXPECT_EQ(s.m_schedule.m_nDiskThreshold, c.bDisk ? 70 : -1);
    }
    // The normal trigger drops values left in the edits.
    SWizardValues v = StartNowValues();
    v.m_bUseCpu = true;
    const SScheduleSummary s = Build(v, Local(2026, 12, 7, 10, 0));
    EXPECT_EQ(s.m_schedule.m_nCpuThreshold, -1);
}

TEST_F(ScheduleSummaryTest, TodayInThePastIsRefusedButStillShown) {
    struct SCase {
        platform::Time tNow;
        int nHour, nMinute;
        bool bPast;
    };
    const SCase cases[] = {
        {Local(2026, 12, 7, 10, 1, 0), 10, 0, true},    // a minute ago
        {Local(2026, 12, 7, 10, 0, 30), 10, 0, true},   // the present minute
        {Local(2026, 12, 7, 10, 0, 0), 10, 0, true},    // this very second
        {Local(2026, 12, 7, 9, 59, 59), 10, 0, false},  // a second ahead
    };
    for (const SCase& c : cases) {
        SWizardValues v = TimerValues(kUnitDay, c.nHour, c.nMinute);
        v.m_nDayChoice = kDayToday;
        const SScheduleSummary s = Build(v, c.tNow);
        EXPECT_EQ(s.m_bPastStart, c.bPast);
        EXPECT_EQ(s.m_schedule.m_strTarget, c.bPast ? "" : "PC01");
        EXPECT_EQ(Section(s.m_strText, "■ 予約方法"),
                  "■ 予約方法:\tタイマー予約\r\n\r\n　　2026/12/07 (月) 10:00 (本日) ～ 11:00 "
                  "(1 時間 00 分)\r\n\r\n");
        EXPECT_EQ(s.m_schedule.m_nRepeat, kRepeatOnce);
        EXPECT_EQ(s.m_schedule.m_tStart, Local(2026, 12, 7, 10, 0));
        EXPECT_EQ(s.m_schedule.m_tNextStart, Local(2026, 12, 7, 10, 0));
        EXPECT_EQ(s.m_schedule.m_tNextEnd, Local(2026, 12, 7, 11, 0));
        EXPECT_EQ(s.m_schedule.m_tFollowingStart, 0);
    }
}

TEST_F(ScheduleSummaryTest, ChosenDateUsesThePickerAndIsRefusedWhenPast) {
    SWizardValues v = TimerValues(kUnitDay, 8, 30);
    v.m_nDayChoice = kDayDate;
    v.m_date = SWizardDate{2026, 12, 24};
    SScheduleSummary s = Build(v, Local(2026, 12, 7, 10, 0));
    EXPECT_FALSE(s.m_bPastStart);
    EXPECT_EQ(s.m_schedule.m_tNextStart, Local(2026, 12, 24, 8, 30));
    EXPECT_NE(s.m_strText.find("　　指定日 2026/12/24 (木) 08:30 ～ 09:30 (1 時間 00 分)\r\n\r\n"),
              std::string::npos)
        << s.m_strText;

    v.m_date = SWizardDate{2026, 12, 6};
    s = Build(v, Local(2026, 12, 7, 10, 0));
    EXPECT_TRUE(s.m_bPastStart);
    EXPECT_EQ(s.m_schedule.m_strTarget, "");
}

TEST_F(ScheduleSummaryTest, DailyTimeAlreadyPassedStartsTomorrow) {
    SWizardValues v = TimerValues(kUnitDay, 9, 0);
    v.m_nDayChoice = kDayEvery;
    const SScheduleSummary s = Build(v, Local(2026, 12, 7, 10, 0));
    EXPECT_FALSE(s.m_bPastStart);
    EXPECT_EQ(s.m_schedule.m_nRepeat, kRepeatDaily);
    EXPECT_EQ(s.m_schedule.m_tStart, Local(2026, 12, 7, 9, 0));
    EXPECT_EQ(s.m_schedule.m_tNextStart, Local(2026, 12, 8, 9, 0));
    EXPECT_EQ(s.m_schedule.m_tNextEnd, Local(2026, 12, 8, 10, 0));
    EXPECT_EQ(s.m_schedule.m_tFollowingStart, Local(2026, 12, 9, 9, 0));
    EXPECT_EQ(Section(s.m_strText, "■ 予約方法"),
              "■ 予約方法:\tタイマー予約\r\n\r\n"
              "　　毎日  9:00 ～ 10:00 (1 時間 00 分)\r\n\r\n"
              "\t次回:\t2026/12/08 (火) 09:00\r\n\t\t2026/12/08 (火) 10:00\r\n\r\n");
}

TEST_F(ScheduleSummaryTest, WeeklyStartsOnTheFirstChosenDayAfterToday) {
    // Monday after the start time, Sunday only: the start moves to Tuesday, the first run is
    // five days later, and the run after it one week on.
    SWizardValues v = TimerValues(kUnitWeek, 9, 0);
    v.m_bWeekday[0] = true;
    const SScheduleSummary s = Build(v, Local(2026, 12, 7, 10, 0));
    EXPECT_EQ(s.m_schedule.m_nRepeat, kRepeatWeekly);
    EXPECT_EQ(s.m_schedule.m_tStart, Local(2026, 12, 8, 9, 0));
    EXPECT_EQ(s.m_schedule.m_tNextStart, Local(2026, 12, 13, 9, 0));
    EXPECT_EQ(s.m_schedule.m_tFollowingStart, Local(2026, 12, 20, 9, 0));
    EXPECT_EQ((s.m_schedule.m_bWeekday), (std::array<std::int32_t, 7>{1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Section(s.m_strText, "■ 予約方法"),
              "■ 予約方法:\tタイマー予約\r\n\r\n"
              "　　毎週 日 曜日  9:00 ～ 10:00 (1 時間 00 分)\r\n\r\n"
              "\t次回:\t2026/12/13 (日) 09:00\r\n\t\t2026/12/13 (日) 10:00\r\n\r\n");

    // Several days, later today: the first run is today, the next one two days on.
    v.m_bWeekday = {false, true, false, true, false, false, true};  // 月, 水, 土
    v.m_nStartHour = 18;
    const SScheduleSummary later = Build(v, Local(2026, 12, 7, 10, 0));
    EXPECT_EQ(later.m_schedule.m_tNextStart, Local(2026, 12, 7, 18, 0));
    EXPECT_EQ(later.m_schedule.m_tFollowingStart, Local(2026, 12, 9, 18, 0));
    EXPECT_NE(later.m_strText.find("毎週 月,水,土 曜日 18:00"), std::string::npos);
}

TEST_F(ScheduleSummaryTest, MonthlyRuns) {
    SWizardValues v = TimerValues(kUnitMonth, 8, 0);
    v.m_nMonthChoice = kMonthDay;
    v.m_nMonthDay = 15;
    SScheduleSummary s = Build(v, Local(2026, 12, 20, 10, 0));
    EXPECT_EQ(s.m_schedule.m_nRepeat, kRepeatMonthDay);
    EXPECT_EQ(s.m_schedule.m_nDay, 15);
    EXPECT_EQ(s.m_schedule.m_tStart, Local(2027, 1, 15, 8, 0));
    EXPECT_EQ(s.m_schedule.m_tNextStart, Local(2027, 1, 15, 8, 0));
    EXPECT_NE(s.m_schedule.m_tFollowingStart, 0);
    EXPECT_NE(s.m_strText.find("　　毎月 15 日  8:00 ～ 09:00 (1 時間 00 分)\r\n\r\n\t次回:\t"
                               "2027/01/15 (金) 08:00\r\n"),
              std::string::npos)
        << s.m_strText;

    v.m_nMonthChoice = kMonthEnd;
    v.m_nStartHour = 9;
    s = Build(v, Local(2027, 1, 31, 10, 0));
    EXPECT_EQ(s.m_schedule.m_nRepeat, kRepeatMonthEnd);
    EXPECT_EQ(s.m_schedule.m_nDay, kDayMonthEnd);
    EXPECT_EQ(s.m_schedule.m_tNextStart, Local(2027, 2, 28, 9, 0));
    EXPECT_NE(s.m_strText.find("　　毎月 月末  9:00 ～ 10:00"), std::string::npos);
}

TEST_F(ScheduleSummaryTest, EndLines) {
    struct SCase {
        const char* pszName;
        int nStartHour, nStartMinute;
        int nEndChoice, nDuration, nEndDay, nEndHour, nEndMinute;
        const char* pszEnd;
        std::int32_t nEndTime;
        std::int32_t nDuration_s;
    };
    const SCase cases[] = {
        {"2 hours from 23:00", 23, 0, kEndByDuration, kDuration2Hours, 0, 0, 0,
         " ～ 開始1日後 01:00 (2 時間 00 分)", 7200 + 86400, 7200},
        {"30 minutes", 12, 10, kEndByDuration, kDuration30Minutes, 0, 0, 0,
         " ～ 12:40 (0 時間 30 分)", 1800, 1800},
        {"end time next day", 22, 0, kEndByTime, 0, 1, 9, 30, " ～ 開始1日後 09:30 (11 時間 30 分)",
         86400 + 9 * 3600 + 30 * 60, 11 * 3600 + 1800},
        {"end time 45 minutes on", 13, 0, kEndByTime, 0, 0, 13, 45, " ～ 13:45 (45 分)",
         13 * 3600 + 45 * 60, 2700},
    };
    for (const SCase& c : cases) {
        SWizardValues v = TimerValues(kUnitDay, c.nStartHour, c.nStartMinute);
        v.m_nDayChoice = kDayDate;
        v.m_date = SWizardDate{2026, 12, 10};
        v.m_nEndChoice = c.nEndChoice;
        v.m_nDurationIndex = c.nDuration;
        v.m_nEndDayIndex = c.nEndDay;
        v.m_nEndHour = c.nEndHour;
        v.m_nEndMinute = c.nEndMinute;
        const SScheduleSummary s = Build(v, Local(2026, 12, 7, 10, 0));
        EXPECT_NE(s.m_strText.find(std::string(c.pszEnd) + "\r\n\r\n"), std::string::npos)
            << c.pszName << "\n" << s.m_strText;
        EXPECT_EQ(s.m_schedule.m_tsEndTime, c.nEndTime) << c.pszName;
        EXPECT_EQ(s.m_schedule.m_tsDuration, c.nDuration_s) << c.pszName;
        EXPECT_EQ(s.m_schedule.m_tNextEnd - s.m_schedule.m_tNextStart, c.nDuration_s) << c.pszName;
    }
}

TEST_F(ScheduleSummaryTest, IntervalAndSplit) {
    SWizardValues v = StartNowValues();
    v.m_arrIntervals = {"30 秒", "1 分", "3 分"};
    v.m_nIntervalIndex = 2;
    v.m_nSplitIndex = 2;
    SScheduleSummary s = Build(v, Local(2026, 12, 7, 10, 0));
    EXPECT_EQ(s.m_schedule.m_nInterval, 180000);
    EXPECT_EQ(s.m_schedule.m_nSplitUnit, 3600000);
    EXPECT_NE(s.m_strText.find("■ 取得間隔:\t3 分 間隔\r\n\r\n■ 分割単位:\t1 時間\r\n\r\n"),
              std::string::npos);

    // An index beyond the list reads as one second.
    v.m_nIntervalIndex = 7;
    EXPECT_EQ(Build(v, Local(2026, 12, 7, 10, 0)).m_schedule.m_nInterval, 1000);

    // Never shown (view mode): the working record's interval is kept and named.
    v.m_arrIntervals.clear();
    s = Build(v, Local(2026, 12, 7, 10, 0), 180000);
    EXPECT_EQ(s.m_schedule.m_nInterval, 180000);
    EXPECT_NE(s.m_strText.find("■ 取得間隔:\t3 分 間隔"), std::string::npos);
    s = Build(v, Local(2026, 12, 7, 10, 0), 15000);
    EXPECT_NE(s.m_strText.find("■ 取得間隔:\t15 秒 間隔"), std::string::npos);
}

TEST(WeekdayListText, MondayFirstSundayLast) {
    EXPECT_EQ(WeekdayListText({true, true, false, true, false, false, false}), "月,水,日");
    EXPECT_EQ(WeekdayListText({true, false, false, false, false, false, true}), "土,日");
    EXPECT_EQ(WeekdayListText({}), "");
}

// ---- daylight saving (New York: clocks go forward on 2026-03-08 at 02:00) ----

TEST_F(ScheduleSummaryTest, DailyAcrossTheSpringChangeKeepsTheTimeOfDay) {
    SWizardValues v = TimerValues(kUnitDay, 9, 0);
    v.m_nDayChoice = kDayEvery;
    const SScheduleSummary s = Build(v, Local(2026, 3, 7, 10, 0));
    EXPECT_EQ(s.m_schedule.m_tNextStart, Local(2026, 3, 8, 9, 0));
    EXPECT_EQ(s.m_schedule.m_tFollowingStart, Local(2026, 3, 9, 9, 0));
    EXPECT_NE(s.m_strText.find("\t次回:\t2026/03/08 (日) 09:00\r\n\t\t2026/03/08 (日) 10:00"),
              std::string::npos)
        << s.m_strText;
    if (testutil::Zone() == testutil::kNewYork) {
        EXPECT_EQ(s.m_schedule.m_tNextStart - s.m_schedule.m_tStart, 23 * 3600);
    }
}

TEST_F(ScheduleSummaryTest, EndTimeAcrossTheSpringChangeCountsTheClock) {
    SWizardValues v = TimerValues(kUnitDay, 22, 0);
    v.m_nDayChoice = kDayToday;
    v.m_nEndChoice = kEndByTime;
    v.m_nEndDayIndex = 1;
    v.m_nEndHour = 6;
    v.m_nEndMinute = 0;
    const SScheduleSummary s = Build(v, Local(2026, 3, 7, 10, 0));
    EXPECT_EQ(s.m_schedule.m_tNextEnd, Local(2026, 3, 8, 6, 0));
    const bool bNewYork = testutil::Zone() == testutil::kNewYork;
    EXPECT_EQ(s.m_schedule.m_tsDuration, (bNewYork ? 7 : 8) * 3600);
    EXPECT_NE(s.m_strText.find(bNewYork ? "(7 時間 00 分)" : "(8 時間 00 分)"), std::string::npos);
}

TEST_F(ScheduleSummaryTest, DurationAcrossTheSpringChangeIsElapsedTime) {
    SWizardValues v = TimerValues(kUnitDay, 1, 0);
    v.m_nDayChoice = kDayDate;
    v.m_date = SWizardDate{2026, 3, 8};
    v.m_nDurationIndex = kDuration2Hours;
    const SScheduleSummary s = Build(v, Local(2026, 3, 7, 10, 0));
    EXPECT_EQ(s.m_schedule.m_tNextEnd - s.m_schedule.m_tNextStart, 7200);
    const bool bNewYork = testutil::Zone() == testutil::kNewYork;
    EXPECT_NE(s.m_strText.find(bNewYork ? " ～ 04:00 (2 時間 00 分)" : " ～ 03:00 (2 時間 00 分)"),
              std::string::npos)
        << s.m_strText;
}

TEST_F(ScheduleSummaryTest, WeeklyAcrossTheSpringChange) {
    SWizardValues v = TimerValues(kUnitWeek, 9, 0);
    v.m_bWeekday[0] = true;  // Sunday
    const SScheduleSummary s = Build(v, Local(2026, 3, 7, 10, 0));
    EXPECT_EQ(s.m_schedule.m_tNextStart, Local(2026, 3, 8, 9, 0));
    EXPECT_EQ(s.m_schedule.m_tFollowingStart, Local(2026, 3, 15, 9, 0));
}

}  // namespace
