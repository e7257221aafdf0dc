// The run log and the list columns of the main window: AddLog at the top, ClearLog all or selected.
#include <gtest/gtest.h>

#include "gather/gather_fixture.h"
#include "list_layouts.h"

namespace {

using gather_test::CGatherFixture;
using testutil::Local;

class RunLogTest : public CGatherFixture {
protected:
    // Adds entries "m0", "m1", ... one second apart; the newest ends up in row 0.
    void AddEntries(int nCount) {
        for (int i = 0; i < nCount; ++i) {
            m_pDlg->AddLog("PC" + std::to_string(i), "m" + std::to_string(i));
            m_clock.AdvanceSeconds(1);
        }
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> arr;
        const CSortedListModel& log = m_pDlg->RunLog();
        for (int r = 0; r < log.GetRowCount(); ++r) arr.push_back(log.GetText(r, kColLogMessage));
        return arr;
    }
};

TEST_F(RunLogTest, ListsHaveTheMainWindowsColumns) {
    const CSortedListModel& log = m_pDlg->RunLog();
    ASSERT_EQ(log.GetColumnCount(), 3);
    EXPECT_EQ(log.GetColumnName(0), "時間");
    EXPECT_EQ(log.GetColumnWidth(0), 140);
    EXPECT_EQ(log.GetColumnName(1), "ホスト名/グループ名");
    EXPECT_EQ(log.GetColumnName(2), "コメント");
    EXPECT_EQ(log.GetColumnWidth(2), 360);
    EXPECT_FALSE(log.IsInsertSorted());

    const CSortedListModel& schedules = m_pDlg->ScheduleList();
    const char* kNames[] = {"NO",       "ホスト名/グループ名",
                            "種類",     "繰返し",
                            "開始時間", "終了時間",
                            "しきい値", "状態",
                            "次回",     "コメント"};
    const int kWidths[] = {30, 120, 40, 60, 80, 80, 130, 50, 80, 60};
    ASSERT_EQ(schedules.GetColumnCount(), 10);
    for (int c = 0; c < 10; ++c) {
        EXPECT_EQ(schedules.GetColumnName(c), kNames[c]) << c;
        EXPECT_EQ(schedules.GetColumnWidth(c), kWidths[c]) << c;
    }
    EXPECT_TRUE(schedules.IsInsertSorted());
}

TEST_F(RunLogTest, NewestEntryIsInsertedAtTheTopWithItsTime) {
    m_pDlg->AddLog("PC1", "予約 03 のログ収集が開始しました。");
    m_clock.Set(Local(2027, 1, 1, 0, 0, 9));
    m_pDlg->AddLog("営業", "second");
    const CSortedListModel& log = m_pDlg->RunLog();
    ASSERT_EQ(log.GetRowCount(), 2);
    EXPECT_EQ(log.GetText(0, kColLogTime), "2027/01/01 (金) 00:00:09");
    EXPECT_EQ(log.GetText(0, kColLogTarget), "営業");
    EXPECT_EQ(log.GetText(0, kColLogMessage), "second");
    EXPECT_EQ(log.GetText(1, kColLogTime), "2026/12/06 (日) 15:30:05");
    EXPECT_EQ(log.GetText(1, kColLogTarget), "PC1");
    EXPECT_EQ(log.GetText(1, kColLogMessage), "予約 03 のログ収集が開始しました。");
}

TEST_F(RunLogTest, ClearingWithNothingSelectedAsksFirst) {
    AddEntries(3);
    m_boxes.m_queAnswers = {EMessageResult::kNo};
    m_pDlg->ClearLog();
    ASSERT_EQ(m_boxes.m_arrShown.size(), 1u);
    EXPECT_EQ(m_boxes.m_arrShown[0].m_strText, "実行ログをすべて消去しますか？");
    EXPECT_EQ(m_boxes.m_arrShown[0].m_strCaption, "ログ消去");
    EXPECT_EQ(m_boxes.m_arrShown[0].m_eIcon, EMessageIcon::kWarning);
    EXPECT_EQ(m_boxes.m_arrShown[0].m_eButtons, EMessageButtons::kYesNo);
    EXPECT_EQ(m_pDlg->RunLog().GetRowCount(), 3);

    m_boxes.m_queAnswers = {EMessageResult::kYes};
    m_pDlg->ClearLog();
    EXPECT_EQ(m_boxes.m_arrShown.size(), 2u);
    EXPECT_EQ(m_pDlg->RunLog().GetRowCount(), 0);
}

TEST_F(RunLogTest, ClearingDeletesExactlyTheSelectedRowsWithoutAsking) {
    AddEntries(5);  // rows: m4 m3 m2 m1 m0
    m_view.m_mapSelected[EGatherList::kRunLog] = {1, 3};
    m_view.m_mapSelected[EGatherList::kSchedules] = {0};  // the other list's selection is not used
    m_pDlg->ClearLog();
    EXPECT_TRUE(m_boxes.m_arrShown.empty());
    EXPECT_EQ(Messages(), (std::vector<std::string>{"m4", "m2", "m0"}));

    // Selections in any order, repeated, or beyond the last row.
    m_view.m_mapSelected[EGatherList::kRunLog] = {0, 2, 2, 7};
    m_pDlg->ClearLog();
    EXPECT_EQ(Messages(), (std::vector<std::string>{"m2"}));
}

}  // namespace
