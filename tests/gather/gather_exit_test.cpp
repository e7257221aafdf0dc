// Gather's exit request: the questions, stopping and rebooking running schedules, saving, and
// finishing left-over data files with the "(n)" rule.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "gather/scheduler_fixture.h"
#include "list_layouts.h"

namespace gather_test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class GatherExitTest : public CSchedulerFixture {
protected:
    // A controller that reads the saved settings file back.
    std::unique_ptr<CGatherDlg> Reload() {
        auto pDlg = NewDialog(m_view, m_boxes);
        pDlg->LoadSettings();
        return pDlg;
    }
};

TEST_F(GatherExitTest, AnsweringNoLeavesEverythingAsItWas) {
    Book(1, HostSchedule("PC1", m_clock.Now() + 3600, 60));
    m_dir.WriteFile("VARN_PC9_2026-1206-15_9.va_");
    m_boxes.m_queAnswers.push_back(EMessageResult::kNo);
    EXPECT_FALSE(m_pDlg->OnExitRequest());
    EXPECT_EQ(m_boxes.Last().m_strText, "本当に終了しますか？");
    EXPECT_EQ(m_boxes.Last().m_strCaption, "終了");
    EXPECT_EQ(m_boxes.Last().m_eIcon, EMessageIcon::kWarning);
    EXPECT_EQ(m_boxes.Last().m_eButtons, EMessageButtons::kYesNo);
    EXPECT_FALSE(m_dir.Exists("VARNOLE.dat"));
    EXPECT_TRUE(m_dir.Exists("VARN_PC9_2026-1206-15_9.va_"));
    EXPECT_EQ(m_pDlg->Schedule(1).m_nState, kStateWaiting);
}

TEST_F(GatherExitTest, RunningDailyIsSavedWaitingForTomorrowAndItsFilesEndFinished) {
    Book(1, HostSchedule("PC1", m_clock.Now() + 1, 3600, kRepeatDaily));
    Book(2, HostSchedule("PC2", m_clock.Now() + 1, 3600));  // one-time
    RunSeconds(3);
    ASSERT_EQ(m_pDlg->Schedule(1).m_nState, kStateRunning);
    ASSERT_EQ(m_pDlg->Schedule(2).m_nState, kStateRunning);
    // A file a job of an earlier session never finished.
    m_dir.WriteFile("VARN_PC9_2026-1205-10_9.va_");

    m_boxes.m_queAnswers.push_back(EMessageResult::kYes);
    ASSERT_TRUE(m_pDlg->OnExitRequest());
    EXPECT_EQ(m_boxes.Last().m_strText,
              "ジョブが実行中です。終了するとこれらのジョブがすべて取消されます。"
              "本当に終了しますか？");
    EXPECT_EQ(m_pDlg->Schedule(1).m_nState, kStateWaiting);
    EXPECT_TRUE(m_pDlg->Schedule(2).IsFree());
    EXPECT_THAT(DataFiles("VARN_*"),
                ElementsAre("VARN_PC1_2026-1206-15_1.var", "VARN_PC2_2026-1206-15_2.var",
                            "VARN_PC9_2026-1205-10_9.var"));

    const auto pReloaded = Reload();
    const CSchedule& saved = pReloaded->Schedule(1);
    EXPECT_EQ(saved.m_nState, kStateWaiting);
    EXPECT_EQ(saved.m_tNextStart, testutil::Local(2026, 12, 7, 15, 30));
    EXPECT_EQ(saved.m_tNextEnd, testutil::Local(2026, 12, 7, 16, 30));
    EXPECT_TRUE(pReloaded->Schedule(2).IsFree());
    // The stopped files hold the samples taken until the stop.
    const CReadDataFile file(m_dir.Path("VARN_PC1_2026-1206-15_1.var"));
    EXPECT_TRUE(file.m_bClean);
    EXPECT_EQ(file.m_arrSampleTimes.size(), 3u);
}

TEST_F(GatherExitTest, AFailedSaveKeepsTheWindowOpenAndStartsNothingWhileItIsReported) {
    m_files.m_nWriteError = platform::kErrorDiskFull;
    CHostEntry host;
    host.m_strHost = "PC1";
    ASSERT_TRUE(AddHost(m_pDlg->EditTables().Hosts(), host));
    Book(1, HostSchedule("PC1", m_clock.Now() + 1, 3600, kRepeatDaily));
    RunSeconds(2);
    ASSERT_EQ(m_pDlg->Schedule(1).m_nState, kStateRunning);
    Book(2, HostSchedule("PC2", m_clock.Now() + 1, 600));
    // Booking 2 falls due while the save's failure is on screen.
    m_boxes.m_fnWhileOpen = [this](const CMessageBox& box) {
        if (box.m_strCaption == "エラー") RunSeconds(1);
    };

    m_boxes.m_queAnswers = {EMessageResult::kYes};
    EXPECT_FALSE(m_pDlg->OnExitRequest());
    ASSERT_EQ(m_boxes.m_arrShown.size(), 2u);
    EXPECT_EQ(m_boxes.Last().m_strCaption, "エラー");
    EXPECT_FALSE(m_dir.Exists("VARNOLE.dat"));
    // The stop has happened: booking 1 waits for tomorrow; booking 2 did not start meanwhile.
    EXPECT_EQ(m_pDlg->Schedule(1).m_nState, kStateWaiting);
    EXPECT_EQ(m_pDlg->Schedule(1).m_tNextStart, testutil::Local(2026, 12, 7, 15, 30));
    EXPECT_EQ(m_pDlg->Schedule(2).m_nState, kStateWaiting);
    EXPECT_TRUE(m_pDlg->Jobs(2).empty());
    EXPECT_EQ(RowText(1, kColState), "待機中");
    EXPECT_THAT(m_boxes.Last().m_strText, HasSubstr("もう一度終了してください"));
    // The window stays open and its scheduler goes on: booking 2 starts, late.
    RunSeconds(1);
    EXPECT_EQ(m_pDlg->Schedule(2).m_nState, kStateRunning);

    // With room on the disk again, the next exit keeps the session.
    m_files.m_nWriteError.reset();
    m_boxes.m_fnWhileOpen = nullptr;
    m_boxes.m_queAnswers = {EMessageResult::kYes};
    EXPECT_TRUE(m_pDlg->OnExitRequest());
    const auto pReloaded = Reload();
    EXPECT_EQ(pReloaded->Hosts()[0].m_strHost, "PC1");
    EXPECT_EQ(pReloaded->Schedule(1).m_tNextStart, testutil::Local(2026, 12, 7, 15, 30));
}

TEST_F(GatherExitTest, LeftOverFilesTakeTheFirstFreeNumberedName) {
    m_dir.WriteFile("VARN_a_b_1.va_", "new");
    m_dir.WriteFile("VARN_a_b_1.var", "old");
    m_dir.WriteFile("VARN_c_d_2.va_", "new");
    m_dir.WriteFile("VARN_c_d_2.var");
    m_dir.WriteFile("VARN_c_d_2(1).var");
    m_dir.MakeDirectory("VARN_dir.va_");
    m_dir.WriteFile("OTHER_1.va_");

    EXPECT_EQ(m_pDlg->FinishLeftOverDataFiles(), 2);
    EXPECT_EQ(Bytes("VARN_a_b_1(1).var"), "new");
    EXPECT_EQ(Bytes("VARN_a_b_1.var"), "old");
    EXPECT_EQ(Bytes("VARN_c_d_2(2).var"), "new");
    EXPECT_FALSE(m_dir.Exists("VARN_a_b_1.va_"));
    EXPECT_TRUE(m_dir.Exists("VARN_dir.va_"));
    EXPECT_FALSE(m_dir.Exists("VARN_dir.var"));
    EXPECT_TRUE(m_dir.Exists("OTHER_1.va_"));
}

TEST_F(GatherExitTest, DestructionJoinsEveryJobBeforeFreeingIt) {
    Book(1, HostSchedule("PC1", m_clock.Now() + 1, 3600));
    AddGroup("G", {"PC2", "PC3"});
    Book(2, GroupSchedule("G", m_clock.Now() + 1, 3600));
    RunSeconds(2);
    ASSERT_EQ(m_pDlg->Jobs(2).size(), 2u);
    m_pDlg->OnDestroyGather();
    EXPECT_TRUE(m_pDlg->Jobs(1).empty());
    EXPECT_TRUE(m_pDlg->Jobs(2).empty());
    EXPECT_EQ(DataFiles("VARN_*.var").size(), 3u);
    EXPECT_TRUE(DataFiles("VARN_*.va_").empty());
}

}  // namespace
}  // namespace gather_test
