// Gather's start-up: the two mutex checks and their messages, the directories, loading, the
// execution-ID state and what destruction writes.
#include <gtest/gtest.h>

#include "gather/scheduler_fixture.h"
#include "gather_startup.h"
#include "list_layouts.h"
#include "platform/named_mutex.h"

namespace gather_test {
namespace {

class GatherStartupTest : public CSchedulerFixture {
protected:
    GatherStartupTest() {
        m_startup.m_strGatherMutex = UniqueName("VarnoleTestGath");
        m_startup.m_strMainMenuMutex = UniqueName("VarnoleTestMain");
        m_startup.m_strProgramDir = m_dir.Path();
        m_startup.m_fnReadDataDirectory = [](std::string&) { return platform::kErrorFileNotFound; };
    }
    // A controller that has not been through window initialisation yet.
    std::unique_ptr<CGatherDlg> FreshDialog() {
        return std::make_unique<CGatherDlg>(m_view, m_boxes, m_wizard, Environment());
    }
    // The main menu is running.
    void StartMainMenu() {
        ASSERT_EQ(m_mainMenu.Create(m_startup.m_strMainMenuMutex, true), platform::kSuccess);
    }

    CGatherStartup m_startup;
    platform::NamedMutex m_mainMenu;
};

TEST_F(GatherStartupTest, StartsUnderTheMainMenuAndHoldsItsOwnMutexOnly) {
    StartMainMenu();
    m_pDlg = FreshDialog();
    ASSERT_TRUE(m_pDlg->InitGather(m_startup));
    EXPECT_TRUE(m_boxes.m_arrShown.empty());
    EXPECT_TRUE(platform::NamedMutex::Exists(m_startup.m_strGatherMutex));
    // Gather keeps no handle on the main menu's mutex once the check is done.
    m_mainMenu.Close();
    EXPECT_FALSE(platform::NamedMutex::Exists(m_startup.m_strMainMenuMutex));
    m_pDlg.reset();
    EXPECT_FALSE(platform::NamedMutex::Exists(m_startup.m_strGatherMutex));
}

TEST_F(GatherStartupTest, SecondInstanceIsRefusedAndTouchesNothing) {
    StartMainMenu();
    platform::NamedMutex first;
    ASSERT_EQ(first.Create(m_startup.m_strGatherMutex, true), platform::kSuccess);
    m_pDlg = FreshDialog();
    EXPECT_FALSE(m_pDlg->InitGather(m_startup));
    ASSERT_EQ(m_boxes.m_arrShown.size(), 1u);
    EXPECT_EQ(m_boxes.m_arrShown[0].m_strText,
              "VARNOLE [稼動データの収集／監視] は、すでに起動されています。");
    EXPECT_EQ(m_boxes.m_arrShown[0].m_strCaption, "起動チェック");
    EXPECT_EQ(m_boxes.m_arrShown[0].m_eIcon, EMessageIcon::kError);
    EXPECT_FALSE(m_pDlg->IsStarted());
    m_pDlg.reset();
    EXPECT_TRUE(m_store.m_mapValues.empty());
    EXPECT_TRUE(platform::NamedMutex::Exists(m_startup.m_strGatherMutex));  // the first's
}

TEST_F(GatherStartupTest, WithoutTheMainMenuItAsksToBeStartedFromIt) {
    m_pDlg = FreshDialog();
    EXPECT_FALSE(m_pDlg->InitGather(m_startup));
    ASSERT_EQ(m_boxes.m_arrShown.size(), 1u);
    EXPECT_EQ(m_boxes.m_arrShown[0].m_strText, "VARNOLE [メインメニュ] から起動してください。");
    EXPECT_EQ(m_boxes.m_arrShown[0].m_strCaption, "起動チェック");
    EXPECT_FALSE(platform::NamedMutex::Exists(m_startup.m_strGatherMutex));
    EXPECT_FALSE(platform::NamedMutex::Exists(m_startup.m_strMainMenuMutex));

    // The headless runner is the one caller that skips the main menu check.
    m_startup.m_bRequireMainMenu = false;
    EXPECT_TRUE(m_pDlg->InitGather(m_startup));
}

TEST(ChooseDataDirectoryTest, AddsTheSeparatorAndFallsBackToTheProgramDirectory) {
    const std::string strSep(1, platform::kPathSeparator);
    const std::string strProgram = "prog" + strSep;
    const auto Choose = [&](platform::ErrorCode nCode, const std::string& strValue) {
        CGatherStartup startup;
        startup.m_fnReadDataDirectory = [=](std::string& strOut) {
            strOut = strValue;
            return nCode;
        };
        return ChooseDataDirectory(startup, strProgram);
    };
    EXPECT_EQ(Choose(platform::kSuccess, "data"), "data" + strSep);
    EXPECT_EQ(Choose(platform::kSuccess, "data" + strSep), "data" + strSep);
    EXPECT_EQ(Choose(platform::kErrorFileNotFound, "ignored"), strProgram);
    EXPECT_EQ(Choose(platform::kSuccess, ""), strProgram);

    CGatherStartup startup;
    startup.m_strDataDirOverride = "other";
    startup.m_fnReadDataDirectory = [](std::string& strOut) {
        strOut = "configured";
        return platform::kSuccess;
    };
    EXPECT_EQ(ChooseDataDirectory(startup, strProgram), "other" + strSep);
}

TEST_F(GatherStartupTest, LoadsSettingsAndTheExecutionIdStateAndWritesItBackAtTheEnd) {
    // A session that was running schedule 3 when it saved.
    CSchedule running = HostSchedule("PC1", m_clock.Now() + 1, 600, kRepeatDaily);
    Book(3, running);
    m_pDlg->EditTables().Schedule(3).m_nState = kStateRunning;
    m_pDlg->EditTables().SetLastSchedule(3);
    ASSERT_TRUE(m_pDlg->SaveSettings());
    m_pDlg.reset();

    m_store.m_mapValues[kExecIdMonthValue] = static_cast<std::uint32_t>(m_clock.Now());
    m_store.m_mapValues[kExecIdSerialValue] = 5;
    m_startup.m_fnReadDataDirectory = [this](std::string& strOut) {
        strOut = m_dir.Path("data");
        return platform::kSuccess;
    };
    m_dir.MakeDirectory("data");
    StartMainMenu();
    m_pDlg = FreshDialog();
    ASSERT_TRUE(m_pDlg->InitGather(m_startup));
    EXPECT_EQ(m_pDlg->GetProgramDirectory(), m_dir.Path() + platform::kPathSeparator);
    EXPECT_EQ(m_pDlg->GetDataDirectory(), m_dir.Path("data") + platform::kPathSeparator);
    EXPECT_EQ(m_pDlg->Schedule(3).m_nState, kStateWaiting);
    EXPECT_EQ(RowText(3, kColState), "待機中");
    EXPECT_EQ(m_pDlg->GetLastSchedule(), 0);
    EXPECT_EQ(m_pDlg->ExecutionIds().Sequence(), 5);

    RunSeconds(1);  // the run starts with the next ID
    ASSERT_EQ(m_pDlg->Jobs(3).size(), 1u);
    EXPECT_EQ(m_pDlg->Jobs(3)[0]->m_strExecId, "61200006");
    m_pDlg->OnDestroyGather();
    EXPECT_TRUE(m_pDlg->Jobs(3).empty());
    EXPECT_EQ(m_store.m_mapValues[kExecIdSerialValue], 6u);
}

}  // namespace
}  // namespace gather_test
