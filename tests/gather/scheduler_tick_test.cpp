// The scheduler's tick: runs start and finish, collisions at start, group runs, job messages,
// clean-up of freed rows and the hourly overlap check.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <utility>

#include "conflict_hosts.h"
#include "gather/scheduler_fixture.h"
#include "gather_texts.h"
#include "list_layouts.h"
#include "schedule_texts.h"

namespace gather_test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class SchedulerTickTest : public CSchedulerFixture {};

TEST_F(SchedulerTickTest, DailyRunStartsOnTimeRecordsAndWaitsForTomorrow) {
    const platform::Time tStart = m_clock.Now() + 3;  // 15:30:08
    Book(1, HostSchedule("PC1", tStart, 10, kRepeatDaily));
    const platform::Time tTomorrow = testutil::Local(2026, 12, 7, 15, 30);

    RunSeconds(2);
    EXPECT_EQ(m_pDlg->Schedule(1).m_nState, kStateWaiting);
    RunSeconds(1);
    const CSchedule& schedule = m_pDlg->Schedule(1);
    EXPECT_EQ(schedule.m_nState, kStateRunning);
    EXPECT_EQ(schedule.m_tFollowingStart, tTomorrow);
    EXPECT_EQ(RowText(1, kColState), "実行中");
    EXPECT_EQ(RowText(1, kColRepeat), "毎日");
    EXPECT_EQ(RowText(1, kColNext), FormatScheduleTime(tTomorrow, kTimeStyleList));
    EXPECT_THAT(LogMessages(), ElementsAre("予約 01 のログ収集が開始しました。"));
    ASSERT_EQ(m_pDlg->Jobs(1).size(), 1u);
    const CGatherJob& job = *m_pDlg->Jobs(1)[0];
    EXPECT_EQ(job.m_strHost, "PC1");
    EXPECT_EQ(job.m_strExecId, "61200000");
    EXPECT_EQ(job.m_tRunEnd, tStart + 10);

    RunSeconds(10);
    EXPECT_EQ(schedule.m_nState, kStateWaiting);
    EXPECT_EQ(schedule.m_tNextStart, tTomorrow);
    EXPECT_EQ(schedule.m_tNextEnd, tTomorrow + 10);
    EXPECT_EQ(RowText(1, kColState), "待機中");
    EXPECT_EQ(m_pDlg->ScheduleList().GetRowCount(), 1);
    EXPECT_EQ(LogMessages().back(), "予約 01 の稼動データ収集が完了しました。");
    EXPECT_TRUE(job.HasEnded());

    const std::vector<std::string> arrFiles = DataFiles("VARN_*");
    ASSERT_THAT(arrFiles, ElementsAre("VARN_PC1_2026-1206-15_1.var"));
    const CReadDataFile file(m_pDlg->GetDataDirectory() + arrFiles[0]);
    ASSERT_TRUE(file.m_bOpen);
    EXPECT_TRUE(file.m_bClean);
    EXPECT_EQ(file.m_header.m_strExecId, "61200000");
    EXPECT_EQ(file.m_header.m_strHost, "PC1");
    EXPECT_EQ(file.m_arrSampleTimes.size(), 10u);
    EXPECT_EQ(file.m_arrSampleTimes.front(), tStart);
}

TEST_F(SchedulerTickTest, OneTimeRunLeavesTheListWhenItEnds) {
    Book(4, HostSchedule("PC2", m_clock.Now() + 1, 3));
    RunSeconds(1);
    EXPECT_EQ(m_pDlg->Schedule(4).m_nState, kStateRunning);
    RunSeconds(3);
    EXPECT_TRUE(m_pDlg->Schedule(4).IsFree());
    EXPECT_EQ(m_pDlg->ScheduleList().GetRowCount(), 0);
    EXPECT_EQ(LogMessages().back(), "予約 04 の稼動データ収集が完了しました。");
}

TEST_F(SchedulerTickTest, SameHostInTheSameSecondRunsOneAndDropsTheOneTimeOther) {
    const platform::Time tStart = m_clock.Now() + 1;
    Book(1, HostSchedule("PC1", tStart, 60));
    Book(2, HostSchedule("PC1", tStart, 60));
    RunSeconds(1);

    // Schedule 1 comes first and finds schedule 2's window covering its start; one tick later
    // is not good enough for the other: it starts in the same tick.
    EXPECT_TRUE(m_pDlg->Schedule(1).IsFree());
    EXPECT_FALSE(m_pDlg->Rows().FindScheduleRow(1));
    EXPECT_EQ(m_pDlg->Schedule(2).m_nState, kStateRunning);
    EXPECT_EQ(m_pDlg->Jobs(1).size(), 0u);
    EXPECT_EQ(m_pDlg->Jobs(2).size(), 1u);
    EXPECT_THAT(LogMessages(),
                ElementsAre("予約 01 のログ収集が開始しました。",
                            "予約 01 が予約 02 と同じホストに対し実行されているため、"
                            "この予約は実行を中断しました",
                            "予約 02 のログ収集が開始しました。"));
}

TEST_F(SchedulerTickTest, RepeatedScheduleThatCollidesWaitsForItsRunAfterTheOther) {
    const platform::Time tStart = m_clock.Now() + 1;
    Book(1, HostSchedule("PC1", tStart, 60, kRepeatDaily));
    Book(2, HostSchedule("PC1", tStart, 60));
    RunSeconds(1);

    const CSchedule& first = m_pDlg->Schedule(1);
    EXPECT_EQ(first.m_nState, kStateWaiting);
    EXPECT_EQ(first.m_tNextStart, testutil::Local(2026, 12, 7, 15, 30));
    EXPECT_EQ(RowText(1, kColState), "待機中");
    EXPECT_EQ(m_pDlg->Schedule(2).m_nState, kStateRunning);
    EXPECT_EQ(LogMessages()[1],
              "予約 01 が予約 02 と同じホストに対し実行されているため、今回は実行を中断しました。");
    EXPECT_EQ(LogTargets()[1], "PC1");
}

TEST_F(SchedulerTickTest, HostScheduleCollidesWithARunningGroupThatHoldsTheHost) {
    AddGroup("G1", {"PC3", "PC2"});
    const platform::Time tStart = m_clock.Now() + 1;
    Book(1, GroupSchedule("G1", tStart, 60));
    RunSeconds(1);
    Book(2, HostSchedule("PC2", tStart + 5, 60));
    RunSeconds(5);

    EXPECT_TRUE(m_pDlg->Schedule(2).IsFree());
    EXPECT_EQ(
        LogMessages().back(),
        "予約 02 が予約 01 と同じホストに対し実行されているため、この予約は実行を中断しました");
    EXPECT_EQ(LogTargets().back(), "G1");
}

// A stopped running schedule waits for its next run, but never for one that would start in the
// second of the stop: that would start again at once what the user has just stopped.
TEST(RunAfterStopTest, PassesOverOnlyARunStartingInTheSecondOfTheStop) {
    using testutil::Local;
    const auto Repeated = [](std::int32_t nRepeat, platform::Time tRunStart,
                             platform::Time tRunEnd) {
        CSchedule schedule;
        schedule.m_nState = kStateRunning;
        schedule.m_strTarget = "PC1";
        schedule.m_nRepeat = nRepeat;
        schedule.m_tStart = Local(2026, 12, 1, 15, 31);
        schedule.m_nDay = 6;
        schedule.m_bWeekday[0] = 1;  // Sundays
        schedule.m_tsDuration = 3600;
        schedule.m_tNextStart = tRunStart;
        schedule.m_tNextEnd = tRunEnd;
        return schedule;
    };
    const platform::Time tToday = Local(2026, 12, 6, 15, 31);  // a Sunday
    const platform::Time tTomorrow = Local(2026, 12, 7, 15, 31);
    CSchedule longDaily = Repeated(kRepeatDaily, Local(2026, 12, 5, 15, 31), tTomorrow);
    longDaily.m_nEndType = kEndAtTimeOfDay;  // two days from the start of each run
    longDaily.m_tsEndTime = 2 * 86400 + 15 * 3600 + 31 * 60;
    const struct {
        const char* pszCase;
        CSchedule schedule;
        platform::Time tStop;
        std::optional<platform::Time> tNext;
    } kCases[] = {
        {"daily, stopped in its first second", Repeated(kRepeatDaily, tToday, tToday + 3600),
         tToday, tTomorrow},
        {"daily, stopped later", Repeated(kRepeatDaily, tToday, tToday + 3600), tToday + 600,
         tTomorrow},
        {"two-day daily, stopped as today's run would start", longDaily, tToday, tTomorrow},
        {"two-day daily, stopped a second before today's run", longDaily, tToday - 1, tToday},
        {"weekly, stopped in its first second", Repeated(kRepeatWeekly, tToday, tToday + 3600),
         tToday, Local(2026, 12, 13, 15, 31)},
        {"monthly, stopped in its first second", Repeated(kRepeatMonthDay, tToday, tToday + 3600),
         tToday, Local(2027, 1, 6, 15, 31)},
        {"one-time", Repeated(kRepeatOnce, tToday, tToday + 3600), tToday, std::nullopt},
    };
    for (const auto& c : kCases) {
        const std::optional<CScheduleRun> run = RunAfterStop(c.schedule, c.tStop);
        ASSERT_EQ(run.has_value(), c.tNext.has_value()) << c.pszCase;
        if (run) {
            EXPECT_EQ(run->m_tStart, *c.tNext) << c.pszCase;
        }
    }
}

TEST(SameHostTest, ExpandsGroupsAndComparesNamesExactly) {
    auto pGroups = std::make_unique<CGroupTable>();
    (*pGroups)[0].m_strName = "G1";
    (*pGroups)[0].m_strMember[0] = "PC1";
    (*pGroups)[0].m_strMember[1] = "PC2";
    (*pGroups)[1].m_strName = "G2";
    (*pGroups)[1].m_strMember[0] = "PC3";
    (*pGroups)[1].m_strMember[2] = "PC2";  // after an empty member: not a member
    (*pGroups)[2].m_strName = "G3";
    (*pGroups)[2].m_strMember[0] = "PC9";
    (*pGroups)[2].m_strMember[1] = "PC2";
    const auto Host = [](const char* psz) {
        CSchedule schedule;
        schedule.m_strTarget = psz;
        return schedule;
    };
    const auto Group = [&](const char* psz) {
        CSchedule schedule = Host(psz);
        schedule.m_nTargetType = kTargetGroup;
        return schedule;
    };
    struct SCase {
        CSchedule first;
        CSchedule second;
        bool bSame;
    };
    const SCase arrCases[] = {
        {Host("PC1"), Host("PC1"), true},    {Host("PC1"), Host("pc1"), false},
        {Host("PC1"), Host("PC1 "), false},  {Host("PC2"), Group("G1"), true},
        {Group("G1"), Host("PC2"), true},    {Host("PC2"), Group("G2"), false},
        {Group("G1"), Group("G3"), true},    {Group("G1"), Group("G2"), false},
        {Host("PC1"), Group("NONE"), false}, {Host(""), Host(""), false},
        {Group("G1"), Group("G1"), true},
    };
    for (const SCase& c : arrCases) {
        EXPECT_EQ(SameHost(c.first, c.second, *pGroups), c.bSame)
            << c.first.m_strTarget << " / " << c.second.m_strTarget;
    }
}

TEST_F(SchedulerTickTest, GroupRunStartsOneJobPerMemberSharingOneExecutionId) {
    CHostEntry host;
    host.m_strHost = "PC1";
    host.m_strOsInfo = "OS of PC1";
    host.m_strCpuInfo = "CPU of PC1";
    ASSERT_TRUE(AddHost(m_pDlg->EditTables().Hosts(), host));
    host.m_strHost = "PC2";
    host.m_strOsInfo = "OS of PC2";
    ASSERT_TRUE(AddHost(m_pDlg->EditTables().Hosts(), host));
    AddGroup("G3", {"PC1", "PC2", "PC3"});  // PC3 is not registered
    m_store.m_mapValues[kExecIdMonthValue] = static_cast<std::uint32_t>(m_clock.Now());
    m_store.m_mapValues[kExecIdSerialValue] = 41;
    m_pDlg->ExecutionIds().LoadExecutionIdState();

    Book(7, GroupSchedule("G3", m_clock.Now() + 1, 5));
    RunSeconds(1);
    const auto& arrJobs = m_pDlg->Jobs(7);
    ASSERT_EQ(arrJobs.size(), 3u);
    const char* const kHosts[] = {"PC1", "PC2", "PC3"};
    for (std::size_t n = 0; n < 3; ++n) {
        EXPECT_EQ(arrJobs[n]->m_strHost, kHosts[n]);
        EXPECT_EQ(arrJobs[n]->m_strGroup, "G3");
        EXPECT_EQ(arrJobs[n]->m_strExecId, "61200042");
        EXPECT_EQ(arrJobs[n]->m_nSchedule, 7);
    }
    EXPECT_EQ(arrJobs[0]->m_strCpuInfo, "CPU of PC1");
    EXPECT_EQ(arrJobs[1]->m_strOsInfo, "OS of PC2");
    EXPECT_EQ(arrJobs[2]->m_strOsInfo, "");
    EXPECT_EQ(LogTargets().front(), "G3");

    RunSeconds(5);
    const std::vector<std::string> arrFiles = DataFiles("VARN_*");
    ASSERT_EQ(arrFiles.size(), 3u);
    for (std::size_t n = 0; n < 3; ++n) {
        EXPECT_EQ(arrFiles[n], std::string("VARN_") + kHosts[n] + "_2026-1206-15_7.var");
        const CReadDataFile file(m_pDlg->GetDataDirectory() + arrFiles[n]);
        EXPECT_EQ(file.m_header.m_strExecId, "61200042");
        EXPECT_EQ(file.m_header.m_strGroup, "G3");
        EXPECT_EQ(file.m_arrSampleTimes.size(), 5u);
    }
}

TEST_F(SchedulerTickTest, JobMessagesReachTheRunLogOnceUnderHostOrGroupName) {
    AddGroup("GD", {"DOWN"});
    Book(1, HostSchedule("DOWN", m_clock.Now() + 1, 30));
    Book(2, GroupSchedule("GD", m_clock.Now() + 40, 30));
    RunSeconds(1);
    Tick();  // the job has failed to connect by now
    std::vector<std::string> arrMessages = LogMessages();
    ASSERT_EQ(arrMessages.size(), 2u);
    EXPECT_THAT(arrMessages[1], HasSubstr("予約 01 DOWN/"));
    EXPECT_EQ(LogTargets()[1], "DOWN");
    Tick();
    EXPECT_EQ(LogMessages().size(), 2u);

    RunSeconds(40);
    arrMessages = LogMessages();
    EXPECT_THAT(arrMessages.back(), HasSubstr("予約 02 DOWN/"));
    EXPECT_EQ(LogTargets().back(), "GD");
}

TEST_F(SchedulerTickTest, ReleaseJobsStopsJoinsAndFreesTheJobs) {
    Book(3, HostSchedule("PC4", m_clock.Now() + 1, 600));
    RunSeconds(3);
    ASSERT_EQ(m_pDlg->Jobs(3).size(), 1u);
    m_pDlg->ReleaseJobs(3);
    EXPECT_TRUE(m_pDlg->Jobs(3).empty());
    // The stopped job finished its own file before it was freed.
    EXPECT_THAT(DataFiles("VARN_*"), ElementsAre("VARN_PC4_2026-1206-15_3.var"));
}

TEST_F(SchedulerTickTest, RowsOfFreedSlotsAreRemoved) {
    Book(5, HostSchedule("PC1", m_clock.Now() + 3600, 60));
    Book(6, HostSchedule("PC2", m_clock.Now() + 3600, 60));
    m_pDlg->EditTables().ResetSchedule(5);
    Tick();
    EXPECT_FALSE(m_pDlg->Rows().FindScheduleRow(5));
    EXPECT_TRUE(m_pDlg->Rows().FindScheduleRow(6));
}

class HourlyCheckTest : public CSchedulerFixture {
protected:
    void SetUp() override {
        CSchedulerFixture::SetUp();
        // Two daily bookings on PC1 that overlap every day from 17:30 to 18:00.
        m_clock.Set(testutil::Local(2026, 12, 6, 16, 9, 58));
        Book(1, HostSchedule("PC1", testutil::Local(2026, 12, 6, 17, 0), 3600, kRepeatDaily));
        Book(2, HostSchedule("PC1", testutil::Local(2026, 12, 6, 17, 30), 3600, kRepeatDaily));
    }
    int Boxes() const { return m_boxes.CountCaption("予約チェック"); }
};

TEST_F(HourlyCheckTest, ReportsOnEveryTickOfMinuteTenOnly) {
    RunSeconds(1);  // 16:09:59
    EXPECT_EQ(Boxes(), 0);
    RunSeconds(1);  // 16:10:00
    ASSERT_EQ(Boxes(), 1);
    EXPECT_THAT(m_boxes.m_arrShown.back().m_strText, HasSubstr("予約 01 と予約 02 の ホスト(PC1)"));
    EXPECT_EQ(m_boxes.m_arrShown.back().m_eButtons, EMessageButtons::kOk);
    EXPECT_FALSE(m_pDlg->IsMessageBoxOpen());
    RunSeconds(1);  // dismissed, and shown again while the minute lasts
    EXPECT_EQ(Boxes(), 2);
    m_clock.Set(testutil::Local(2026, 12, 6, 16, 11, 0));
    Tick();
    EXPECT_EQ(Boxes(), 2);
}

TEST_F(HourlyCheckTest, NeverStacksOnABoxThatIsOpen) {
    m_clock.Set(testutil::Local(2026, 12, 6, 16, 10, 0));
    // Ticks keep coming while a box is open: neither the check's own box nor another one
    // gets a second box on top.
    m_boxes.m_fnWhileOpen = [this](const CMessageBox&) { m_pDlg->OnSchedulerTick(); };
    Tick();
    EXPECT_EQ(Boxes(), 1);
    m_boxes.m_queAnswers.push_back(EMessageResult::kNo);
    m_pDlg->ClearLog();
    EXPECT_EQ(Boxes(), 1);
}

TEST_F(HourlyCheckTest, StaysQuietWithoutAClash) {
    m_pDlg->EditTables().ResetSchedule(2);
    m_clock.Set(testutil::Local(2026, 12, 6, 16, 10, 0));
    Tick();
    EXPECT_EQ(Boxes(), 0);
}

// The timer is re-armed after each tick so that the next tick falls 5 ms into the clock's next
// second, whatever the millisecond of this one; never a second tick in the same second.
TEST(SchedulerTickTiming, NextTickFallsJustAfterTheNextSecondStarts) {
    const std::pair<int, std::int64_t> kCases[] = {{0, 1005},  {3, 1002}, {5, 1000}, {6, 999},
                                                   {400, 605}, {998, 7},  {999, 6}};
    for (const auto& [nMillisecond, nWait] : kCases) {
        const platform::ManualClock clock(1'800'000'000, nMillisecond);
        EXPECT_EQ(MillisecondsToNextTick(clock), nWait) << nMillisecond;
    }
}

}  // namespace
}  // namespace gather_test
