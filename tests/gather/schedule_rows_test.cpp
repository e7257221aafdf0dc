// RefreshScheduleRow: next start brought forward, stale bookings freed, rows replaced or added.
#include <gtest/gtest.h>

#include "gather/gather_fixture.h"
#include "list_layouts.h"

namespace {

using gather_test::CGatherFixture;
using testutil::Local;

class ScheduleRowsTest : public CGatherFixture {
protected:
    CSchedule Waiting(int nRepeat, platform::Time tNextStart) {
        CSchedule s;
        s.m_nState = kStateWaiting;
        s.m_strTarget = "PC1";
        s.m_nRepeat = nRepeat;
        s.m_tStart = tNextStart;
        s.m_tNextStart = tNextStart;
        s.m_tNextEnd = tNextStart + 3600;
        return s;
    }
};

TEST_F(ScheduleRowsTest, RowIsReplacedUnlessKept) {
    m_pDlg->EditTables().Schedule(7) = Waiting(kRepeatDaily, Local(2026, 12, 7, 9, 0));
    m_pDlg->EditTables().Schedule(30) = Waiting(kRepeatOnce, Local(2026, 12, 8, 9, 0));
    m_pDlg->RefreshScheduleRow(30, -1, true);
    m_pDlg->RefreshScheduleRow(7, -1, true);
    CSortedListModel& list = m_pDlg->ScheduleList();
    ASSERT_EQ(list.GetRowCount(), 2);
    EXPECT_EQ(list.GetText(0, kColNumber), "07");

    m_pDlg->EditTables().Schedule(7).m_strComment = "changed";
    m_pDlg->RefreshScheduleRow(7, 0, false);
    ASSERT_EQ(list.GetRowCount(), 2);
    EXPECT_EQ(list.GetText(0, kColNumber), "07");
    EXPECT_EQ(list.GetText(0, kColComment), "changed");
    EXPECT_EQ(list.GetText(1, kColNumber), "30");
    EXPECT_EQ(list.GetText(1, kColRepeat), "");
}

TEST_F(ScheduleRowsTest, PastStartIsMovedToTheNextRunFromNow) {
    // Monthly on the 31st at 09:00, last run in November: next is the month end of December.
    CSchedule monthly = Waiting(kRepeatMonthDay, Local(2026, 11, 30, 9, 0));
    monthly.m_nDay = 31;
    m_pDlg->EditTables().Schedule(2) = monthly;
    m_pDlg->RefreshScheduleRow(2, -1, true);
    EXPECT_EQ(m_pDlg->Schedule(2).m_tNextStart, Local(2026, 12, 31, 9, 0));
    EXPECT_EQ(m_pDlg->ScheduleList().GetText(0, kColStart), "12/31 (木) 09:00");
    EXPECT_EQ(m_pDlg->ScheduleList().GetText(0, kColNext), "12/31 (木) 09:00");
    EXPECT_EQ(m_pDlg->ScheduleList().GetText(0, kColEnd), "12/31 (木) 10:00");
}

TEST_F(ScheduleRowsTest, StartAtThisVerySecondIsKept) {
    m_pDlg->EditTables().Schedule(2) = Waiting(kRepeatOnce, m_clock.Now());
    m_pDlg->RefreshScheduleRow(2, -1, true);
    EXPECT_EQ(m_pDlg->Schedule(2).m_tNextStart, m_clock.Now());
    EXPECT_EQ(m_pDlg->ScheduleList().GetRowCount(), 1);
}

TEST_F(ScheduleRowsTest, PastOneTimeBookingIsFreedAndItsRowLeftForTheScheduler) {
    m_pDlg->EditTables().Schedule(2) = Waiting(kRepeatOnce, Local(2026, 12, 6, 9, 0));
    m_pDlg->ScheduleList().AppendRow({"02", "PC1"});
    m_pDlg->RefreshScheduleRow(2, 0, false);
    EXPECT_EQ(m_pDlg->Schedule(2), CSchedule::Blank(m_clock.Now()));
    EXPECT_EQ(m_pDlg->ScheduleList().GetRowCount(), 1);
}

}  // namespace
