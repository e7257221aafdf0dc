// The schedule buttons: register, change and view through the wizard, stop or delete.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "gather/scheduler_fixture.h"
#include "list_layouts.h"

namespace gather_test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class ScheduleOpsTest : public CSchedulerFixture {
protected:
    void Select(std::vector<int> arrSchedules) {
        std::vector<int>& arrRows = m_view.m_mapSelected[EGatherList::kSchedules];
        arrRows.clear();
        for (int n : arrSchedules) arrRows.push_back(*m_pDlg->Rows().FindScheduleRow(n));
    }
    CSchedule Daily(const std::string& strHost, int nHour, int nMinute) const {
        const platform::Time t = testutil::Local(2026, 12, 6, nHour, nMinute);
        return HostSchedule(strHost, t, 3600, kRepeatDaily);
    }
    // Weekly on Sundays (the fixture's day) at 15:30, starting a second from now.
    CSchedule SundaysAtHalfPast(const std::string& strHost) const {
        CSchedule schedule = HostSchedule(strHost, m_clock.Now() + 1, 600, kRepeatWeekly);
        schedule.m_tStart = testutil::Local(2026, 12, 6, 15, 30);
        schedule.m_bWeekday[0] = 1;
        return schedule;
    }
};

TEST_F(ScheduleOpsTest, RegisterStartsNowBookingInTheLowestFreeSlot) {
    CSchedule entered = HostSchedule("PC1", 0, 600, kRepeatAtOnce);
    m_wizard.m_queSteps.push_back(CScriptedWizard::Enter(entered));
    m_pDlg->RegisterSchedule();

    ASSERT_THAT(m_wizard.m_arrModes, ElementsAre(EWizardMode::kNew));
    EXPECT_TRUE(m_wizard.m_arrShown[0].IsFree());
    const CSchedule& booked = m_pDlg->Schedule(1);
    EXPECT_EQ(booked.m_nState, kStateWaiting);
    EXPECT_EQ(booked.m_tNextStart, m_clock.Now());
    EXPECT_EQ(booked.m_tNextEnd, m_clock.Now() + 600);
    EXPECT_EQ(m_pDlg->GetLastSchedule(), 1);
    EXPECT_EQ(RowText(1, kColState), "待機中");
    EXPECT_THAT(LogMessages(), ElementsAre("予約 01 を登録しました。"));
    EXPECT_THAT(LogTargets(), ElementsAre("PC1"));

    Tick();  // due at once
    EXPECT_EQ(booked.m_nState, kStateRunning);
}

TEST_F(ScheduleOpsTest, StartNowBookingEndingAtATimeOfDayEndsOnItsDayOffset) {
    CSchedule entered = HostSchedule("PC1", 0, 600, kRepeatAtOnce);
    entered.m_nEndType = kEndAtTimeOfDay;
    entered.m_tsEndTime = 1 * 86400 + 6 * 3600;  // 06:00 the next day
    m_wizard.m_queSteps.push_back(CScriptedWizard::Enter(entered));
    m_pDlg->RegisterSchedule();
    EXPECT_EQ(m_pDlg->Schedule(1).m_tNextEnd, testutil::Local(2026, 12, 7, 6, 0));
}

TEST_F(ScheduleOpsTest, AfterChangingSevenANewBookingGetsTheLowestFreeNumberAboveIt) {
    for (int n : {1, 7, 9}) Book(n, Daily("PC" + std::to_string(n % 4 + 1), 8 + n, 0));
    Book(8, Daily("PC3", 20, 0));
    Select({7});
    CSchedule changed = m_pDlg->Schedule(7);
    changed.m_strComment = "changed";
    m_wizard.m_queSteps.push_back(CScriptedWizard::Enter(changed));
    m_pDlg->ChangeSchedule();
    EXPECT_EQ(m_pDlg->GetLastSchedule(), 7);
    EXPECT_EQ(RowText(7, kColComment), "changed");
    EXPECT_EQ(LogMessages().back(), "予約 07 を登録しました。");

    m_wizard.m_queSteps.push_back(CScriptedWizard::Enter(Daily("PC4", 23, 0)));
    m_pDlg->RegisterSchedule();
    EXPECT_EQ(m_pDlg->Schedule(10).m_strTarget, "PC4");
    EXPECT_EQ(m_pDlg->GetLastSchedule(), 10);
}

TEST_F(ScheduleOpsTest, RegisterRefusesWhenNoNumberAboveTheLastIsFree) {
    Book(499, Daily("PC1", 9, 0));
    m_pDlg->EditTables().SetLastSchedule(498);
    m_pDlg->RegisterSchedule();
    EXPECT_TRUE(m_wizard.m_arrModes.empty());
    EXPECT_EQ(m_boxes.Last().m_strText, "スケジュールがいっぱいです");
    EXPECT_EQ(m_boxes.Last().m_strCaption, "エラー");
    EXPECT_EQ(m_boxes.Last().m_eIcon, EMessageIcon::kWarning);
}

TEST_F(ScheduleOpsTest, CancelledRegistrationKeepsHostChangesOnly) {
    m_wizard.m_queSteps.push_back([](CScheduleWizardData& data) {
        (*data.m_pHosts)[0].m_strHost = "NEWHOST";
        (*data.m_pGroups)[0].m_strName = "NEWGROUP";
        data.m_schedule.m_strTarget = "NEWHOST";
        return false;
    });
    m_pDlg->RegisterSchedule();
    EXPECT_EQ(m_pDlg->Hosts()[0].m_strHost, "NEWHOST");
    EXPECT_EQ(m_pDlg->Groups()[0].m_strName, "");
    EXPECT_TRUE(m_pDlg->Schedule(1).IsFree());
    EXPECT_EQ(m_pDlg->Schedule(1).m_strTarget, "");
    EXPECT_EQ(m_pDlg->ScheduleList().GetRowCount(), 0);
    EXPECT_EQ(m_pDlg->GetLastSchedule(), 0);
}

TEST_F(ScheduleOpsTest, ClashingRegistrationIsShownAndReopenedForCorrection) {
    Book(1, Daily("PC1", 17, 0));
    m_pDlg->EditTables().SetLastSchedule(1);
    m_wizard.m_queSteps.push_back(CScriptedWizard::Enter(Daily("PC1", 17, 30)));
    m_wizard.m_queSteps.push_back([](CScheduleWizardData& data) {
        data.m_schedule.m_strTarget = "PC2";
        return true;
    });
    m_pDlg->RegisterSchedule();

    ASSERT_THAT(m_wizard.m_arrModes, ElementsAre(EWizardMode::kNew, EWizardMode::kRetry));
    EXPECT_EQ(m_wizard.m_arrShown[1].m_strTarget, "PC1");
    EXPECT_TRUE(m_wizard.m_arrShown[1].IsFree());
    EXPECT_EQ(m_boxes.CountCaption("予約を取り消しました"), 1);
    EXPECT_THAT(m_boxes.Last().m_strText, HasSubstr("予約 01 と予約 02 の ホスト(PC1)"));
    EXPECT_EQ(m_pDlg->Schedule(2).m_strTarget, "PC2");
    EXPECT_EQ(m_pDlg->Schedule(2).m_nState, kStateWaiting);
    EXPECT_THAT(LogMessages(), ElementsAre("予約 02 を登録しました。"));
}

TEST_F(ScheduleOpsTest, ClashingRegistrationUnderAnOpenBoxIsDropped) {
    Book(1, Daily("PC1", 17, 0));
    m_pDlg->EditTables().SetLastSchedule(1);
    m_wizard.m_queSteps.push_back(CScriptedWizard::Enter(Daily("PC1", 17, 30)));
    // The registration runs while another box is open (re-entered from its message loop).
    m_boxes.m_fnWhileOpen = [this](const CMessageBox&) {
        m_boxes.m_fnWhileOpen = nullptr;
        m_pDlg->RegisterSchedule();
    };
    m_boxes.m_queAnswers.push_back(EMessageResult::kNo);
    m_pDlg->ClearLog();
    EXPECT_EQ(m_boxes.m_arrShown.size(), 1u);
    EXPECT_TRUE(m_pDlg->Schedule(2).IsFree());
    EXPECT_EQ(m_pDlg->Schedule(2).m_strTarget, "");
}

// The refusal box runs a message loop, and the scheduler's timer ticks in it: by then the refused
// booking must be out of the table again.
TEST_F(ScheduleOpsTest, ARefusedRegistrationBooksNothingWhileItsBoxIsOpen) {
    Book(1, HostSchedule("PC1", m_clock.Now() + 1, 600));
    m_pDlg->EditTables().SetLastSchedule(1);
    m_wizard.m_queSteps.push_back(
        CScriptedWizard::Enter(HostSchedule("PC1", m_clock.Now() + 1, 600)));
    m_wizard.m_queSteps.push_back(CScriptedWizard::Cancel());
    // Booking 1 falls due while the refusal is on screen.
    m_boxes.m_fnWhileOpen = [this](const CMessageBox& box) {
        if (box.m_strCaption == "予約を取り消しました") RunSeconds(1);
    };
    m_pDlg->RegisterSchedule();

    EXPECT_EQ(m_boxes.CountCaption("予約を取り消しました"), 1);
    EXPECT_EQ(m_pDlg->Schedule(1).m_nState, kStateRunning);
    EXPECT_EQ(m_pDlg->Jobs(1).size(), 1u);
    EXPECT_EQ(RowText(1, kColState), "実行中");
    EXPECT_TRUE(m_pDlg->Schedule(2).IsFree());
    EXPECT_THAT(LogMessages(), ElementsAre("予約 01 のログ収集が開始しました。"));
}

TEST_F(ScheduleOpsTest, ARefusedChangeRunsNothingWhileItsBoxIsOpen) {
    Book(1, HostSchedule("PC1", testutil::Local(2026, 12, 6, 15, 35), 3600, kRepeatDaily));
    Book(2, HostSchedule("PC2", m_clock.Now() + 3600, 600));
    Select({2});
    // The change moves booking 2 onto booking 1's host, due in one second.
    m_wizard.m_queSteps.push_back(
        CScriptedWizard::Enter(HostSchedule("PC1", m_clock.Now() + 1, 600)));
    m_wizard.m_queSteps.push_back(CScriptedWizard::Cancel());
    m_boxes.m_fnWhileOpen = [this](const CMessageBox& box) {
        if (box.m_strCaption == "予約を取り消しました") RunSeconds(1);
    };
    m_pDlg->ChangeSchedule();

    EXPECT_EQ(m_boxes.CountCaption("予約を取り消しました"), 1);
    EXPECT_TRUE(m_pDlg->Jobs(2).empty());
    EXPECT_EQ(m_pDlg->Schedule(2).m_strTarget, "PC2");
    EXPECT_EQ(m_pDlg->Schedule(2).m_nState, kStateWaiting);
    EXPECT_EQ(RowText(2, kColTarget), "PC2");
    EXPECT_EQ(RowText(2, kColState), "待機中");
    EXPECT_TRUE(LogMessages().empty());
}

TEST_F(ScheduleOpsTest, ABookingThatStartsWhileItsChangeIsRefusedIsNotReopened) {
    Book(1, HostSchedule("PC1", testutil::Local(2026, 12, 6, 15, 35), 3600, kRepeatDaily));
    Book(2, HostSchedule("PC2", m_clock.Now() + 1, 600));
    Select({2});
    m_wizard.m_queSteps.push_back(
        CScriptedWizard::Enter(HostSchedule("PC1", m_clock.Now() + 1, 600)));
    m_boxes.m_fnWhileOpen = [this](const CMessageBox& box) {
        if (box.m_strCaption == "予約を取り消しました") RunSeconds(1);
    };
    m_pDlg->ChangeSchedule();

    EXPECT_EQ(m_wizard.m_arrModes.size(), 1u);
    EXPECT_EQ(m_boxes.Last().m_strText, "予約 02 はすでに実行されており、変更できません。");
    ASSERT_EQ(m_pDlg->Jobs(2).size(), 1u);
    EXPECT_EQ(m_pDlg->Jobs(2)[0]->m_strHost, "PC2");
    EXPECT_EQ(RowText(2, kColState), "実行中");
}

TEST_F(ScheduleOpsTest, ChangeAndViewNeedASelectedRow) {
    Book(3, Daily("PC1", 9, 0));
    m_pDlg->ChangeSchedule();
    m_pDlg->ViewSchedule();
    ASSERT_EQ(m_boxes.m_arrShown.size(), 2u);
    for (const CMessageBox& shown : m_boxes.m_arrShown) {
        EXPECT_EQ(shown.m_strText, "予約対象が選択されていません");
        EXPECT_EQ(shown.m_strCaption, "エラー");
    }
    EXPECT_TRUE(m_wizard.m_arrModes.empty());
}

TEST_F(ScheduleOpsTest, ARunningScheduleCannotBeChanged) {
    Book(3, HostSchedule("PC1", m_clock.Now() + 1, 60));
    RunSeconds(1);
    Select({3});
    m_pDlg->ChangeSchedule();
    EXPECT_TRUE(m_wizard.m_arrModes.empty());
    EXPECT_EQ(m_boxes.Last().m_strText, "予約 03 はすでに実行されており、変更できません。");
}

TEST_F(ScheduleOpsTest, ARunThatStartsWhileTheWizardIsOpenKeepsItsRecord) {
    Book(3, HostSchedule("PC1", m_clock.Now() + 1, 60));
    Select({3});
    m_wizard.m_fnWhileOpen = [this] { RunSeconds(1); };
    CSchedule changed = m_pDlg->Schedule(3);
    changed.m_strTarget = "PC2";
    m_wizard.m_queSteps.push_back(CScriptedWizard::Enter(changed));
    m_pDlg->ChangeSchedule();
    EXPECT_EQ(m_boxes.Last().m_strText, "予約 03 はすでに実行されており、変更できません。");
    EXPECT_EQ(m_pDlg->Schedule(3).m_strTarget, "PC1");
    EXPECT_EQ(m_pDlg->Schedule(3).m_nState, kStateRunning);
    EXPECT_EQ(m_pDlg->Jobs(3).size(), 1u);
}

TEST_F(ScheduleOpsTest, ClashingChangePutsTheKeptRecordBackAndReopens) {
    Book(1, Daily("PC1", 17, 0));
    const CSchedule original = Daily("PC2", 17, 30);
    Book(2, original);
    Select({2});
    CSchedule clashing = original;
    clashing.m_strTarget = "PC1";
    m_wizard.m_queSteps.push_back(CScriptedWizard::Enter(clashing));
    m_wizard.m_queSteps.push_back(CScriptedWizard::Cancel());
    m_pDlg->ChangeSchedule();

    ASSERT_THAT(m_wizard.m_arrModes, ElementsAre(EWizardMode::kChange, EWizardMode::kChange));
    EXPECT_EQ(m_wizard.m_arrShown[1].m_strTarget, "PC2");
    EXPECT_EQ(m_boxes.CountCaption("予約を取り消しました"), 1);
    EXPECT_EQ(m_pDlg->Schedule(2).m_strTarget, "PC2");
    EXPECT_EQ(m_pDlg->Schedule(2).m_nState, kStateWaiting);
    EXPECT_TRUE(LogMessages().empty());
}

TEST_F(ScheduleOpsTest, ViewShowsTheRecordAndTakesNothingBack) {
    Book(5, Daily("PC1", 9, 0));
    Select({5});
    m_wizard.m_queSteps.push_back([](CScheduleWizardData& data) {
        data.m_schedule.m_strComment = "edited";
        (*data.m_pHosts)[0].m_strHost = "EDITED";
        return true;
    });
    m_pDlg->ViewSchedule();
    ASSERT_THAT(m_wizard.m_arrModes, ElementsAre(EWizardMode::kView));
    EXPECT_EQ(m_wizard.m_arrShown[0].m_strTarget, "PC1");
    EXPECT_EQ(m_pDlg->Schedule(5).m_strComment, "");
    EXPECT_EQ(m_pDlg->Hosts()[0].m_strHost, "");
}

TEST_F(ScheduleOpsTest, StopOrDeleteAsksFirstAndNeedsASelection) {
    Book(1, Daily("PC1", 9, 0));
    m_pDlg->StopOrDeleteSchedules();
    EXPECT_TRUE(m_boxes.m_arrShown.empty());
    Select({1});
    m_boxes.m_queAnswers.push_back(EMessageResult::kNo);
    m_pDlg->StopOrDeleteSchedules();
    ASSERT_EQ(m_boxes.m_arrShown.size(), 1u);
    EXPECT_EQ(m_boxes.Last().m_strText, "本当に中断・削除しても良いですか？");
    EXPECT_EQ(m_boxes.Last().m_strCaption, "中断・削除");
    EXPECT_EQ(m_boxes.Last().m_eButtons, EMessageButtons::kYesNo);
    EXPECT_EQ(m_pDlg->Schedule(1).m_nState, kStateWaiting);
}

TEST_F(ScheduleOpsTest, StoppingARunningWeeklyKeepsItAndDeletingAWaitingOneFreesIt) {
    Book(1, SundaysAtHalfPast("PC1"));
    CSchedule waiting = SundaysAtHalfPast("PC2");
    waiting.m_tNextStart = testutil::Local(2026, 12, 13, 15, 30);
    waiting.m_tNextEnd = waiting.m_tNextStart + 600;
    Book(2, waiting);
    RunSeconds(2);
    ASSERT_EQ(m_pDlg->Schedule(1).m_nState, kStateRunning);

    Select({1, 2});
    m_boxes.m_queAnswers.push_back(EMessageResult::kYes);
    m_pDlg->StopOrDeleteSchedules();
    const CSchedule& stopped = m_pDlg->Schedule(1);
    EXPECT_EQ(stopped.m_nState, kStateWaiting);
    EXPECT_EQ(stopped.m_tNextStart, testutil::Local(2026, 12, 13, 15, 30));
    EXPECT_EQ(RowText(1, kColState), "待機中");
    EXPECT_TRUE(m_pDlg->Schedule(2).IsFree());
    EXPECT_FALSE(m_pDlg->Rows().FindScheduleRow(2));
    const std::vector<std::string> arrMessages = LogMessages();
    EXPECT_EQ(arrMessages[arrMessages.size() - 2], "予約 01 の稼動データ収集を中断しました");
    EXPECT_EQ(arrMessages.back(), "予約 02 の稼動データ収集を削除しました");

    // The stopped job finishes its file and ends.
    m_waitClock.WaitUntilIdle();
    EXPECT_TRUE(m_pDlg->Jobs(1)[0]->HasEnded());
    EXPECT_THAT(DataFiles("VARN_*"), ElementsAre("VARN_PC1_2026-1206-15_1.var"));
}

TEST_F(ScheduleOpsTest, ARunStoppedInItsFirstSecondWaitsForItsNextDay) {
    m_clock.Set(testutil::Local(2026, 12, 6, 15, 30, 59));
    Book(1, HostSchedule("PC1", testutil::Local(2026, 12, 6, 15, 31), 600, kRepeatDaily));
    RunSeconds(1);
    ASSERT_EQ(m_pDlg->Schedule(1).m_nState, kStateRunning);
    Select({1});
    m_boxes.m_queAnswers = {EMessageResult::kYes};
    m_pDlg->StopOrDeleteSchedules();
    RunSeconds(2);
    EXPECT_EQ(m_pDlg->Schedule(1).m_nState, kStateWaiting);
    EXPECT_EQ(m_pDlg->Schedule(1).m_tNextStart, testutil::Local(2026, 12, 7, 15, 31));
    EXPECT_THAT(LogMessages(), ElementsAre("予約 01 のログ収集が開始しました。",
                                           "予約 01 の稼動データ収集を中断しました"));
}

TEST_F(ScheduleOpsTest, StoppingARunningOneTimeScheduleDeletesIt) {
    Book(4, HostSchedule("PC3", m_clock.Now() + 1, 600));
    RunSeconds(1);
    Select({4});
    m_boxes.m_queAnswers.push_back(EMessageResult::kYes);
    m_pDlg->StopOrDeleteSchedules();
    EXPECT_TRUE(m_pDlg->Schedule(4).IsFree());
    EXPECT_EQ(LogMessages().back(), "予約 04 の稼動データ収集を削除しました");
    m_waitClock.WaitUntilIdle();
    EXPECT_TRUE(m_pDlg->Jobs(4)[0]->HasEnded());
}

}  // namespace
}  // namespace gather_test
