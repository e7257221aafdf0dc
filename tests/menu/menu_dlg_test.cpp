// CMenuDlg: start-up checks, button actions and the guarded exit, through a recording view.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "common/recording_message_box_view.h"
#include "menu_dlg.h"
#include "menu_test_util.h"
#include "platform/named_mutex.h"

namespace {

using testutil::BoxLine;

// Records every request of CMenuDlg as one line, message boxes among them.
class CRecordingView : public menu::IMenuView {
public:
    std::vector<std::string> m_events;
    void AnimatePress(const menu::SMenuButton& button) override {
        m_events.push_back("press " + std::to_string(button.m_nControlId) + " " +
                           std::to_string(button.m_nNormalBitmap) + "/" +
                           std::to_string(button.m_nPressedBitmap));
    }
    void ShowWaitCursor(bool wait) override { m_events.push_back(wait ? "wait on" : "wait off"); }
    void StartProgram(const std::string& commandLine) override {
        m_events.push_back("start " + commandLine);
    }
    void OpenWebPage(const std::string& url) override { m_events.push_back("open " + url); }
    void Close() override { m_events.push_back("close"); }
};

class MenuDlgTest : public ::testing::Test {
protected:
    MenuDlgTest() {
        m_boxes.m_fnWhileOpen = [this](const CMessageBox& box) {
            m_view.m_events.push_back(BoxLine(box));
        };
        m_environment.m_strMainMutex = PrivateName("Main");
        m_environment.m_isAdministrator = [this] {
            ++m_nAdminChecks;
            return m_bAdministrator;
        };
        m_environment.m_fileExists = [this](const std::string& file) {
            m_asked.push_back(file);
            return m_missing.count(file) == 0;
        };
        m_environment.m_isSiblingRunning = [this](const std::string& mutex) {
            m_probed.push_back(mutex);
            return m_running.count(mutex) != 0;
        };
    }

    menu::SMenuEnvironment m_environment;
    CRecordingView m_view;
    testutil::CRecordingMessageBoxView m_boxes;
    bool m_bAdministrator = true;
    int m_nAdminChecks = 0;
    std::set<std::string> m_missing;
    std::set<std::string> m_running;
    std::vector<std::string> m_asked;
    std::vector<std::string> m_probed;
};

TEST_F(MenuDlgTest, PassingChecksKeepTheMenuOpenAndOwnTheMainMutexUntilItEnds) {
    {
        menu::CMenuDlg dlg(m_view, m_boxes, m_environment);
        EXPECT_TRUE(dlg.RunStartupChecks());
        EXPECT_TRUE(dlg.OwnsMainMutex());
        EXPECT_TRUE(m_view.m_events.empty());
        EXPECT_TRUE(platform::NamedMutex::Exists(m_environment.m_strMainMutex));
    }
    EXPECT_FALSE(platform::NamedMutex::Exists(m_environment.m_strMainMutex));
}

TEST_F(MenuDlgTest, ASecondCopyReportsAndClosesWhileTheFirstKeepsItsMutex) {
    platform::NamedMutex first;
    ASSERT_EQ(first.Create(m_environment.m_strMainMutex, true), platform::kSuccess);

    menu::CMenuDlg second(m_view, m_boxes, m_environment);
    EXPECT_FALSE(second.RunStartupChecks());
    EXPECT_EQ(
        m_view.m_events,
        (std::vector<std::string>{"error[２重起動] VARNOLEは、すでに起動されています。", "close"}));
    EXPECT_EQ(m_nAdminChecks, 0);
    EXPECT_TRUE(m_asked.empty());
    EXPECT_TRUE(platform::NamedMutex::Exists(m_environment.m_strMainMutex));
}

TEST_F(MenuDlgTest, ANonAdministratorIsRefusedBeforeTheFilesAreLookedAt) {
    m_bAdministrator = false;
    menu::CMenuDlg dlg(m_view, m_boxes, m_environment);
    EXPECT_FALSE(dlg.RunStartupChecks());
    EXPECT_EQ(
        m_view.m_events,
        (std::vector<std::string>{
            "warning[エラー] 現在のログインアカウントには、管理者権限がありません", "close"}));
    EXPECT_TRUE(m_asked.empty());
}

TEST_F(MenuDlgTest, AMissingProgramFileClosesTheMenuWithItsName) {
    m_missing = {"Plotara.exe", "Graph.exe"};
    menu::CMenuDlg dlg(m_view, m_boxes, m_environment);
    EXPECT_FALSE(dlg.RunStartupChecks());
    EXPECT_EQ(m_view.m_events,
              (std::vector<std::string>{"warning[エラー] ファイル [Plotara.exe] が見つかりません",
                                        "close"}));
}

TEST_F(MenuDlgTest, WhenTheMainMutexCannotBeMadeTheOtherChecksAreSkipped) {
    m_environment.m_strMainMutex.clear();  // a name no mutex can have
    m_bAdministrator = false;
    m_missing = {"Gather.exe"};
    menu::CMenuDlg dlg(m_view, m_boxes, m_environment);
    EXPECT_TRUE(dlg.RunStartupChecks());
    EXPECT_FALSE(dlg.OwnsMainMutex());
    EXPECT_EQ(m_nAdminChecks, 0);
    EXPECT_TRUE(m_asked.empty());
    EXPECT_TRUE(m_view.m_events.empty());
}

TEST_F(MenuDlgTest, ProgramButtonsAnimateThenStartTheirCommandLine) {
    struct {
        int id;
        const char* press;
        const char* start;
    } cases[] = {
        {1011, "press 1011 159/160", "start .\\Gather.exe"},
        {1018, "press 1018 168/169", "start .\\Plotara.exe"},
        {1012, "press 1012 162/170", "start .\\Convert.exe"},
        {1014, "press 1014 155/156", "start .\\Manager.exe"},
    };
    menu::CMenuDlg dlg(m_view, m_boxes, m_environment);
    for (const auto& c : cases) {
        m_view.m_events.clear();
        dlg.OnButton(c.id);
        EXPECT_EQ(m_view.m_events, (std::vector<std::string>{c.press, c.start})) << c.id;
    }
    EXPECT_TRUE(m_probed.empty());
}

TEST_F(MenuDlgTest, TheDownloadButtonShowsTheWaitCursorFromThePressUntilThePageIsAskedFor) {
    menu::CMenuDlg dlg(m_view, m_boxes, m_environment);
    dlg.OnButton(1013);
    ASSERT_EQ(m_view.m_events.size(), 4u);
    EXPECT_EQ(m_view.m_events[0], "wait on");
    EXPECT_EQ(m_view.m_events[1], "press 1013 146/157");
    EXPECT_EQ(m_view.m_events[2].rfind("open https://", 0), 0u);
    EXPECT_EQ(m_view.m_events[2].substr(m_view.m_events[2].size() - 10), "/download/");
    EXPECT_EQ(m_view.m_events[3], "wait off");
}

TEST_F(MenuDlgTest, ExitWithSiblingsRunningListsThemInTableOrderAndStaysOpen) {
    m_running = {"VARNOLE_GraphProgram", "VARNOLE_GathProgram"};
    menu::CMenuDlg dlg(m_view, m_boxes, m_environment);
    dlg.OnButton(1015);
    EXPECT_EQ(m_view.m_events,
              (std::vector<std::string>{
                  "press 1015 150/153",
                  "error[終了チェック] VARNOLE [稼動データの収集／監視] が起動中です。\r\n"
                  "VARNOLE [グラフの作成] が起動中です。\r\n先に終了させてください。"}));
    EXPECT_EQ(m_probed, (std::vector<std::string>{"VARNOLE_GathProgram", "VARNOLE_ConvProgram",
                                                  "VARNOLE_GraphProgram", "VARNOLE_ManaProgram"}));
}

TEST_F(MenuDlgTest, ExitAsksAndClosesOnlyOnYes) {
    menu::CMenuDlg dlg(m_view, m_boxes, m_environment);
    m_boxes.m_queAnswers = {EMessageResult::kNo};
    dlg.OnButton(1015);
    EXPECT_EQ(m_view.m_events,
              (std::vector<std::string>{"press 1015 150/153", "ask[終了] 本当に終了しますか？"}));
    m_view.m_events.clear();
    m_boxes.m_queAnswers = {EMessageResult::kYes};
    dlg.OnButton(1015);
    EXPECT_EQ(m_view.m_events,
              (std::vector<std::string>{"press 1015 150/153", "ask[終了] 本当に終了しますか？",
                                        "close"}));
}

TEST_F(MenuDlgTest, EnterDoesNothingAndEscapeGoesThroughTheExitCheck) {
    m_running = {"VARNOLE_ManaProgram"};
    menu::CMenuDlg dlg(m_view, m_boxes, m_environment);
    dlg.OnEnter();
    EXPECT_TRUE(m_view.m_events.empty());
    EXPECT_TRUE(m_probed.empty());

    dlg.OnEscape();
    EXPECT_EQ(m_view.m_events,
              (std::vector<std::string>{"error[終了チェック] VARNOLE [稼動データファイルの管理] "
                                        "が起動中です。\r\n先に終了させてください。"}));

    m_running.clear();
    m_view.m_events.clear();
    m_boxes.m_queAnswers = {EMessageResult::kYes};
    dlg.OnEscape();
    EXPECT_EQ(m_view.m_events,
              (std::vector<std::string>{"ask[終了] 本当に終了しますか？", "close"}));
}

TEST_F(MenuDlgTest, ClicksOnOtherControlsAreIgnored) {
    menu::CMenuDlg dlg(m_view, m_boxes, m_environment);
    dlg.OnButton(1016);
    dlg.OnButton(0);
    EXPECT_TRUE(m_view.m_events.empty());
}

}  // namespace
