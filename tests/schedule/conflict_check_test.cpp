// The overlap check on hand-made schedule tables: which pairs clash, over which span, in which
// order, and what is left out.
#include <gtest/gtest.h>

#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "common/local_time_util.h"
#include "schedule_conflict_check.h"

namespace {

using platform::Time;
using testutil::Local;

class ConflictCheckTest : public ::testing::Test {
protected:
    // Sunday 2026-12-06 00:00: runs are listed up to 2027-01-06 00:00.
    const Time m_tNow = Local(2026, 12, 6, 0, 0);
    std::unique_ptr<CScheduleTable> m_schedules = std::make_unique<CScheduleTable>();
    std::unique_ptr<CGroupTable> m_groups = std::make_unique<CGroupTable>();

    CSchedule& Booked(int n, const std::string& strTarget, std::int32_t nTargetType = kTargetHost) {
        CSchedule& s = (*m_schedules)[static_cast<std::size_t>(n)];
        s.m_nState = kStateWaiting;
        s.m_nTargetType = nTargetType;
        s.m_strTarget = strTarget;
        return s;
    }
    // A one-time schedule with the given run.
    CSchedule& Once(int n, const std::string& strTarget, Time tStart, Time tEnd,
                    std::int32_t nTargetType = kTargetHost) {
        CSchedule& s = Booked(n, strTarget, nTargetType);
        s.m_nRepeat = kRepeatOnce;
        s.m_tStart = s.m_tNextStart = tStart;
        s.m_tNextEnd = tEnd;
        s.m_tsDuration = static_cast<std::int32_t>(tEnd - tStart);
        return s;
    }
    // A repeated schedule at hh:mm lasting nSeconds, its next run taken from now.
    CSchedule& Repeated(int n, const std::string& strTarget, std::int32_t nRepeat, int hh, int mm,
                        std::int32_t nSeconds) {
        CSchedule& s = Booked(n, strTarget);
        s.m_nRepeat = nRepeat;
        s.m_tStart = Local(2026, 1, 1, hh, mm);
        s.m_tsDuration = nSeconds;
        Next(s);
        return s;
    }
    void Next(CSchedule& s) {
        const auto run = NextRun(s, m_tNow);
        ASSERT_TRUE(run.has_value());
        s.m_tNextStart = run->m_tStart;
        s.m_tNextEnd = run->m_tEnd;
    }
    void Group(const std::string& strName, const std::vector<std::string>& members) {
        CHostGroup group;
        group.m_strName = strName;
        for (std::size_t i = 0; i < members.size(); ++i) group.m_strMember[i] = members[i];
        ASSERT_TRUE(AddGroup(*m_groups, group).has_value());
    }

    std::string Text() {
        CScheduleConflictCheck check;
        const bool bAccepted = check.Check(*m_schedules, *m_groups, m_tNow);
        EXPECT_EQ(bAccepted, check.ResultText().empty());
        return check.ResultText();
    }
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        const std::string strText = Text();
        for (std::size_t at = 0; at < strText.size();) {
            const std::size_t end = strText.find("\r\n", at);
            EXPECT_NE(end, std::string::npos) << "a line without its CR LF";
            if (end == std::string::npos) break;
            lines.push_back(strText.substr(at, end - at));
            at = end + 2;
        }
        return lines;
    }
};

// The beginning of a line: "予約 AA と予約 BB の ホスト(HOST) が ".
std::string Head(const char* pszA, const char* pszB, const char* pszHost) {
    return std::string("予約 ") + pszA + " と予約 " + pszB + " の ホスト(" + pszHost + ") が ";
}
std::string Span(const char* pszFrom, const char* pszTo) {
    return std::string(pszFrom) + " ～ " + pszTo + " で競合しています。";
}

TEST_F(ConflictCheckTest, TouchingRunsClashAtTheSharedMoment) {
    Once(1, "PC1", Local(2026, 12, 7, 9, 0), Local(2026, 12, 7, 10, 0));
    Once(2, "PC1", Local(2026, 12, 7, 10, 0), Local(2026, 12, 7, 11, 0));
    EXPECT_EQ(Text(),
              "予約 01 と予約 02 の ホスト(PC1) が 2026/12/07 (月) 10:00 ～ 2026/12/07 (月) 10:00 "
              "で競合しています。\r\n");
}

// Run a of the lower number against run b of the higher one, whichever starts first.
struct SpanCase {
    const char* pszName;
    int a0, a1, b0, b1;  // minutes after 2026-12-08 09:00
    const char* pszFrom;
    const char* pszTo;  // nullptr: no clash
};

TEST_F(ConflictCheckTest, ClashRunsFromTheLaterStartToTheEarlierEnd) {
    const SpanCase cases[] = {
        {"identical", 0, 60, 0, 60, "09:00", "10:00"},
        {"b starts first", 30, 90, 0, 60, "09:30", "10:00"},
        {"a starts first", 0, 60, 30, 90, "09:30", "10:00"},
        {"a holds b", 0, 120, 30, 60, "09:30", "10:00"},
        {"b holds a", 30, 60, 0, 120, "09:30", "10:00"},
        {"b after a", 0, 60, 61, 90, "", nullptr},
        {"b before a", 61, 90, 0, 60, "", nullptr},
        // A run that ends before it starts matches the containment case: b0 >= a0 and b1 <= a1.
        {"b ends before it starts", 0, 120, 60, 30, "10:00", "09:30"},
    };
    const Time t0 = Local(2026, 12, 8, 9, 0);
    for (const SpanCase& c : cases) {
        SCOPED_TRACE(c.pszName);
        Once(4, "PC1", t0 + c.a0 * 60, t0 + c.a1 * 60);
        Once(9, "PC1", t0 + c.b0 * 60, t0 + c.b1 * 60);
        if (c.pszTo == nullptr) {
            EXPECT_EQ(Text(), "");
            continue;
        }
        EXPECT_EQ(Text(), Head("04", "09", "PC1") +
                              Span((std::string("2026/12/08 (火) ") + c.pszFrom).c_str(),
                                   (std::string("2026/12/08 (火) ") + c.pszTo).c_str()) +
                              "\r\n");
    }
}

TEST_F(ConflictCheckTest, DailyAgainstWeeklyGivesOneLinePerSharedDay) {
    Repeated(3, "PC1", kRepeatDaily, 9, 0, 3600);
    CSchedule& weekly = Repeated(5, "PC1", kRepeatDaily, 9, 30, 3600);
    weekly.m_nRepeat = kRepeatWeekly;
    weekly.m_bWeekday = {0, 1, 0, 0, 1, 0, 0};  // Monday and Thursday
    Next(weekly);
    // Mondays and Thursdays from 12/07 to 01/04; the run of 01/07 ends after the 31 days.
    const char* const days[] = {"2026/12/07 (月)", "2026/12/10 (木)", "2026/12/14 (月)",
                                "2026/12/17 (木)", "2026/12/21 (月)", "2026/12/24 (木)",
                                "2026/12/28 (月)", "2026/12/31 (木)", "2027/01/04 (月)"};
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), std::size(days));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string strDay = days[i];
        EXPECT_EQ(lines[i], Head("03", "05", "PC1") +
                                Span((strDay + " 09:30").c_str(), (strDay + " 10:00").c_str()));
    }
}

TEST_F(ConflictCheckTest, LaterRunsEndingAfterTheLookAheadAreLeftOut) {
    // Daily 09:00-10:00 from 12/06: the last run listed is 01/05 (01/06 10:00 is past the horizon).
    Repeated(0, "PC1", kRepeatDaily, 9, 0, 3600);
    Once(1, "PC1", Local(2026, 12, 1, 0, 0), Local(2027, 2, 1, 0, 0));
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 31u);
    EXPECT_EQ(lines.front(),
              Head("00", "01", "PC1") + Span("2026/12/06 (日) 09:00", "2026/12/06 (日) 10:00"));
    EXPECT_EQ(lines.back(),
              Head("00", "01", "PC1") + Span("2027/01/05 (火) 09:00", "2027/01/05 (火) 10:00"));

    // The booked run itself is compared however far ahead it lies.
    Once(1, "PC1", Local(2027, 3, 1, 9, 0), Local(2027, 3, 1, 10, 0));
    CSchedule& daily = (*m_schedules)[0];
    daily.m_tNextStart = Local(2027, 3, 1, 9, 30);
    daily.m_tNextEnd = Local(2027, 3, 1, 10, 30);
    EXPECT_EQ(Lines(),
              std::vector<std::string>{Head("00", "01", "PC1") +
                                       Span("2027/03/01 (月) 09:30", "2027/03/01 (月) 10:00")});
}

TEST_F(ConflictCheckTest, MonthlySchedulesContributeOnlyTheirNextRun) {
    Repeated(1, "PC1", kRepeatDaily, 9, 0, 3600);
    CSchedule& monthly = Repeated(2, "PC1", kRepeatDaily, 9, 0, 3600);
    monthly.m_nRepeat = kRepeatMonthDay;
    monthly.m_nDay = 10;
    Next(monthly);
    CSchedule& monthEnd = Repeated(3, "PC1", kRepeatDaily, 9, 0, 3600);
    monthEnd.m_nRepeat = kRepeatMonthEnd;
    monthEnd.m_nDay = kDayMonthEnd;
    Next(monthEnd);
    EXPECT_EQ(
        Lines(),
        (std::vector<std::string>{
            Head("01", "02", "PC1") + Span("2026/12/10 (木) 09:00", "2026/12/10 (木) 10:00"),
            Head("01", "03", "PC1") + Span("2026/12/31 (木) 09:00", "2026/12/31 (木) 10:00")}));
}

TEST_F(ConflictCheckTest, GroupsReadTheirMembers) {
    Group("G1", {"PC1", "PC2", "PC3"});
    Group("G2", {"PC4", "PC2"});
    const Time t0 = Local(2026, 12, 8, 9, 0), t1 = Local(2026, 12, 8, 10, 0);
    Once(2, "PC3", t0, t1);
    Once(4, "G1", t0, t1, kTargetGroup);
    Once(6, "G2", t0, t1, kTargetGroup);
    const std::string strSpan = Span("2026/12/08 (火) 09:00", "2026/12/08 (火) 10:00");
    // PC3 is first named by schedule 2, PC2 by schedule 4.
    EXPECT_EQ(Lines(), (std::vector<std::string>{Head("02", "04", "PC3") + strSpan,
                                                 Head("04", "06", "PC2") + strSpan}));
}

TEST_F(ConflictCheckTest, NamesAreComparedExactly) {
    Group("G1", {"PC1"});
    const Time t0 = Local(2026, 12, 8, 9, 0), t1 = Local(2026, 12, 8, 10, 0);
    Once(1, "PC1", t0, t1);
    Once(2, "pc1", t0, t1);
    Once(3, "PC1 ", t0, t1);
    Once(4, "g1", t0, t1, kTargetGroup);
    EXPECT_EQ(Text(), "");
}

TEST_F(ConflictCheckTest, OnlyBookedSchedulesWithAKnownTargetTakePart) {
    const Time t0 = Local(2026, 12, 8, 9, 0), t1 = Local(2026, 12, 8, 10, 0);
    Once(1, "PC1", t0, t1);
    Once(2, "PC1", t0, t1).m_nState = kStateFree;
    Once(3, "", t0, t1);
    Once(4, "NoSuchGroup", t0, t1, kTargetGroup);
    EXPECT_EQ(Text(), "");
    Once(6, "PC1", t0, t1).m_nState = kStateRunning;
    EXPECT_EQ(Lines().size(), 1u);
}

// A target type that is neither host nor group (a damaged settings file) is read as a host
// target, as the scheduler runs it and the list shows it ("H"): its runs clash like one.
TEST_F(ConflictCheckTest, AnUnknownTargetTypeIsReadAsAHost) {
    const Time t0 = Local(2026, 12, 8, 9, 0), t1 = Local(2026, 12, 8, 10, 0);
    Once(1, "PC1", t0, t1);
    Once(5, "PC1", t0, t1, 7);
    EXPECT_EQ(Lines(),
              (std::vector<std::string>{Head("01", "05", "PC1") +
                                        Span("2026/12/08 (火) 09:00", "2026/12/08 (火) 10:00")}));
}

TEST_F(ConflictCheckTest, AHostNamedTwiceInAGroupIsReadOnce) {
    Group("G1", {"PC1", "PC2", "PC1"});
    const Time t0 = Local(2026, 12, 8, 9, 0), t1 = Local(2026, 12, 8, 10, 0);
    Once(1, "G1", t0, t1, kTargetGroup);
    EXPECT_EQ(Text(), "");
    Once(2, "PC1", t0, t1);
    EXPECT_EQ(Lines(),
              std::vector<std::string>{Head("01", "02", "PC1") +
                                       Span("2026/12/08 (火) 09:00", "2026/12/08 (火) 10:00")});
}

TEST_F(ConflictCheckTest, EveryPairOnAHostIsCompared) {
    // Schedule 1 clashes with nobody; 2 and 3 clash with each other.
    Once(1, "PC1", Local(2026, 12, 8, 6, 0), Local(2026, 12, 8, 7, 0));
    Once(2, "PC1", Local(2026, 12, 8, 20, 0), Local(2026, 12, 8, 22, 0));
    Once(3, "PC1", Local(2026, 12, 8, 21, 0), Local(2026, 12, 8, 23, 0));
    EXPECT_EQ(Lines(),
              std::vector<std::string>{Head("02", "03", "PC1") +
                                       Span("2026/12/08 (火) 21:00", "2026/12/08 (火) 22:00")});
}

TEST_F(ConflictCheckTest, LinesFollowPairsThenRunsNotTime) {
    Repeated(1, "PC1", kRepeatDaily, 9, 0, 3600);
    Once(2, "PC1", Local(2026, 12, 10, 0, 0), Local(2026, 12, 12, 0, 0));
    Once(3, "PC1", Local(2026, 12, 7, 9, 30), Local(2026, 12, 7, 10, 30));
    // Schedule 9's run starts before schedule 8's, yet 8 is A.
    Once(8, "PC2", Local(2026, 12, 9, 12, 0), Local(2026, 12, 9, 13, 0));
    Once(9, "PC2", Local(2026, 12, 9, 11, 0), Local(2026, 12, 9, 12, 30));
    EXPECT_EQ(
        Lines(),
        (std::vector<std::string>{
            Head("01", "02", "PC1") + Span("2026/12/10 (木) 09:00", "2026/12/10 (木) 10:00"),
            Head("01", "02", "PC1") + Span("2026/12/11 (金) 09:00", "2026/12/11 (金) 10:00"),
            Head("01", "03", "PC1") + Span("2026/12/07 (月) 09:30", "2026/12/07 (月) 10:00"),
            Head("08", "09", "PC2") + Span("2026/12/09 (水) 12:00", "2026/12/09 (水) 12:30")}));
}

TEST_F(ConflictCheckTest, ARunWithoutLengthStillRepeatsDaily) {
    // Ends at its own start time on the start day: each day's run is found from one second after
    // the previous start.
    CSchedule& daily = Repeated(1, "PC1", kRepeatDaily, 10, 0, 0);
    daily.m_nEndType = kEndAtTimeOfDay;
    daily.m_tsEndTime = 10 * 3600;
    Next(daily);
    Once(2, "PC1", Local(2026, 12, 7, 9, 0), Local(2026, 12, 9, 12, 0));
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2],
              Head("01", "02", "PC1") + Span("2026/12/09 (水) 10:00", "2026/12/09 (水) 10:00"));
}

TEST_F(ConflictCheckTest, EachCheckStartsFromAnEmptyText) {
    const Time t0 = Local(2026, 12, 8, 9, 0), t1 = Local(2026, 12, 8, 10, 0);
    Once(1, "PC1", t0, t1);
    Once(2, "PC1", t0, t1);
    CScheduleConflictCheck check;
    EXPECT_FALSE(check.Check(*m_schedules, *m_groups, m_tNow));
    (*m_schedules)[2].m_nState = kStateFree;
    EXPECT_TRUE(check.Check(*m_schedules, *m_groups, m_tNow));
    EXPECT_EQ(check.ResultText(), "");
}

}  // namespace
