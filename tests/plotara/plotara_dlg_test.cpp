// CPlotaraDlg: start-up check, the filled list, the graph request hand-off and the exit check,
// through a recording view.
#include <gtest/gtest.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "common/local_time_util.h"
#include "common/recording_message_box_view.h"
#include "data_file_fixtures.h"
#include "graph_param.h"
#include "menu/menu_test_util.h"
#include "platform/named_mutex.h"
#include "platform/temp_dir.h"
#include "plotara_dlg.h"
#include "plotara_texts.h"

namespace {

using testutil::BoxLine;

using plotara::CPlotaraDlg;

// Records what the model asks of its window; the selection and choices are set by the test.
class CRecordingView : public plotara::IPlotaraView {
public:
    std::vector<std::string> m_events;
    std::vector<int> m_arrSelected;
    int m_nCounter = 0;
    bool m_bTimeOnly = true;
    platform::ErrorCode m_nClipboardError = platform::kSuccess;
    std::string m_strClipboard;

    std::vector<int> SelectedRows() const override { return m_arrSelected; }
    int SelectedCounter() const override { return m_nCounter; }
    bool IsTimeOnlyChecked() const override { return m_bTimeOnly; }
    platform::ErrorCode PutOnClipboard(const std::string& strBlock) override {
        m_events.push_back("clipboard");
        if (m_nClipboardError == platform::kSuccess) m_strClipboard = strBlock;
        return m_nClipboardError;
    }
    void ShowWaitCursor(bool bWait) override { m_events.push_back(bWait ? "wait on" : "wait off"); }
    void Close() override { m_events.push_back("close"); }
};

// A Graph that runs until the test ends it.
class CGraphStandIn : public plotara::IStartedProgram {
public:
    struct SState {
        std::mutex lock;
        std::condition_variable ended;
        bool bEnded = false;
    };
    explicit CGraphStandIn(std::shared_ptr<SState> pState) : m_pState(std::move(pState)) {}
    platform::ErrorCode WaitForExit(unsigned nTimeoutMs) override {
        std::unique_lock<std::mutex> guard(m_pState->lock);
        return m_pState->ended.wait_for(guard, std::chrono::milliseconds(nTimeoutMs),
                                        [&] { return m_pState->bEnded; })
                   ? platform::kSuccess
                   : platform::kErrorTimeout;
    }

private:
    std::shared_ptr<SState> m_pState;
};

class PlotaraDlgTest : public ::testing::Test {
protected:
    PlotaraDlgTest() {
        m_boxes.m_fnWhileOpen = [this](const CMessageBox& box) {
            m_view.m_events.push_back(BoxLine(box));
        };
        m_environment.m_strGraphMutex = PrivateName("Graph");
        m_environment.m_strMainMutex = PrivateName("Main");
        m_environment.m_fnDataDirectory = [this] { return Dir(); };
        m_environment.m_fnStartGraph = [this](std::unique_ptr<plotara::IStartedProgram>& pProgram) {
            m_view.m_events.push_back("start Graph");
            if (!m_bGraphStarts) return platform::kErrorFileNotFound;
            auto pState = std::make_shared<CGraphStandIn::SState>();
            m_graphs.push_back(pState);
            pProgram = std::make_unique<CGraphStandIn>(pState);
            return platform::kSuccess;
        };
    }

    std::string Dir() const { return m_dir.Path() + platform::kPathSeparator; }

    CPlotaraDlg& Dlg() {
        if (!m_pDlg) m_pDlg = std::make_unique<CPlotaraDlg>(m_view, m_boxes, m_environment);
        return *m_pDlg;
    }

    void EndGraph(std::size_t n) {
        const std::lock_guard<std::mutex> guard(m_graphs[n]->lock);
        m_graphs[n]->bEnded = true;
        m_graphs[n]->ended.notify_all();
    }

    bool RunningBecomes(std::size_t nCount) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (Dlg().RunningGraphs() != nCount) {
            if (std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return true;
    }

    // Three pieces of one split run of PC01 and a group run of PC02 and PC03.
    void WriteRuns() {
        const platform::Time t0 = testutil::Local(2004, 8, 19, 10, 0, 0);
        for (std::uint32_t branch = 1; branch <= 3; ++branch) {
            plotara_test::SFileRecipe recipe;
            recipe.m_strHost = "PC01";
            recipe.m_strExecId = "40800002";
            recipe.m_nBranch = branch;
            recipe.m_tStart = t0 + (branch - 1) * 3600;
            ASSERT_FALSE(plotara_test::WriteJobFile(Dir(), recipe, 2).empty());
        }
        for (const char* host : {"PC02", "PC03"}) {
            plotara_test::SFileRecipe recipe;
            recipe.m_strHost = host;
            recipe.m_strGroup = "G1";
            recipe.m_strExecId = "40800003";
            recipe.m_tStart = t0 + 4 * 3600;
            ASSERT_FALSE(plotara_test::WriteJobFile(Dir(), recipe, 3).empty());
        }
    }

    // Rows of the list with this host, in list order.
    std::vector<int> RowsOf(const std::string& host) {
        std::vector<int> rows;
        for (int row = 0; row < Dlg().List().GetRowCount(); ++row) {
            if (Dlg().List().GetText(row, plotara::kColumnHost) == host) rows.push_back(row);
        }
        return rows;
    }

    platform_test::CTempDir m_dir;
    CRecordingView m_view;
    testutil::CRecordingMessageBoxView m_boxes;
    plotara::SPlotaraEnvironment m_environment;
    bool m_bGraphStarts = true;
    std::vector<std::shared_ptr<CGraphStandIn::SState>> m_graphs;
    std::unique_ptr<CPlotaraDlg> m_pDlg;  // last: goes first, while the graphs' states live
};

TEST_F(PlotaraDlgTest, StartsOnlyBesideTheMenuAndOnlyOnce) {
    // No main menu: the message, and no mutex is left behind by this copy.
    EXPECT_FALSE(Dlg().RunStartupChecks());
    EXPECT_EQ(m_view.m_events,
              (std::vector<std::string>{"error[起動チェック] VARNOLE [メインメニュ] から起動してください。"}));
    EXPECT_FALSE(platform::NamedMutex::Exists(m_environment.m_strGraphMutex));
    EXPECT_FALSE(platform::NamedMutex::Exists(m_environment.m_strMainMutex));

    // With the menu: the check passes quietly and Plotara holds its own mutex, not the menu's.
    auto pMenu = std::make_unique<platform::NamedMutex>();
    ASSERT_EQ(pMenu->Create(m_environment.m_strMainMutex, true), platform::kSuccess);
    m_view.m_events.clear();
    m_pDlg.reset();
    EXPECT_TRUE(Dlg().RunStartupChecks());
    EXPECT_TRUE(m_view.m_events.empty());
    EXPECT_TRUE(platform::NamedMutex::Exists(m_environment.m_strGraphMutex));
    pMenu.reset();
    EXPECT_FALSE(platform::NamedMutex::Exists(m_environment.m_strMainMutex));

    // A second copy meets the first one's mutex.
    CRecordingView secondView;
    testutil::CRecordingMessageBoxView secondBoxes;
    CPlotaraDlg second(secondView, secondBoxes, m_environment);
    EXPECT_FALSE(second.RunStartupChecks());
    ASSERT_EQ(secondBoxes.m_arrShown.size(), 1u);
    EXPECT_EQ(BoxLine(secondBoxes.Last()),
              "error[起動チェック] VARNOLE [グラフの作成] は、すでに起動されています。");
    EXPECT_TRUE(platform::NamedMutex::Exists(m_environment.m_strGraphMutex));  // the first's

    m_pDlg.reset();
    EXPECT_FALSE(platform::NamedMutex::Exists(m_environment.m_strGraphMutex));
}

TEST_F(PlotaraDlgTest, OpeningFillsTheListFromTheDataDirectoryNewestFirst) {
    WriteRuns();
    Dlg().OnInit();
    const CSortedListModel& list = Dlg().List();
    ASSERT_EQ(list.GetColumnCount(), 8);
    EXPECT_EQ(list.GetColumnName(5), "開始時間");
    EXPECT_EQ(list.GetColumnWidth(7), 200);
    ASSERT_EQ(list.GetRowCount(), 5);
    EXPECT_EQ(list.GetText(0, plotara::kColumnHost), "PC02");
    EXPECT_EQ(list.GetText(4, plotara::kColumnBranch), "1");
    EXPECT_EQ(list.GetSortColumn(), plotara::kColumnStart);
    EXPECT_EQ(Dlg().Catalogue().DataDirectory(), Dir());
}

TEST_F(PlotaraDlgTest, RefusedRequestsTouchNeitherClipboardNorGraph) {
    WriteRuns();
    Dlg().OnInit();
    struct {
        std::vector<int> rows;
        const char* expected;
    } const cases[] = {
        {{}, "warning[エラー] 対象の稼動データが選択されていません"},
        {{0, 1}, "warning[エラー] ホスト名が一致していません"},  // PC02 and PC03 of one group run
        {{1, 2}, "warning[エラー] スケジュールが一致していません"},
    };
    for (const auto& c : cases) {
        m_view.m_events.clear();
        m_view.m_arrSelected = c.rows;
        Dlg().OnCreateGraph();
        EXPECT_EQ(m_view.m_events, (std::vector<std::string>{c.expected}));
    }
    EXPECT_EQ(Dlg().RunningGraphs(), 0u);
}

TEST_F(PlotaraDlgTest, ARequestGoesToTheClipboardAndGraphStartsUnderTheWaitCursor) {
    WriteRuns();
    Dlg().OnInit();
    m_view.m_arrSelected = RowsOf("PC01");
    m_view.m_nCounter = 4;
    m_view.m_bTimeOnly = false;
    Dlg().OnCreateGraph();
    EXPECT_EQ(m_view.m_events,
              (std::vector<std::string>{"clipboard", "wait on", "start Graph", "wait off"}));
    CGraphParam param;
    ASSERT_TRUE(DecodeGraphParamBlock(m_view.m_strClipboard, param).Ok());
    EXPECT_EQ(m_view.m_strClipboard.size() % kGraphParamBlockStep, 0u);
    EXPECT_EQ(param.m_nCounter, 4);
    EXPECT_EQ(param.m_strCounter, "Memory-Available Memory [KB]");
    EXPECT_EQ(param.m_bShowDate, 1);
    EXPECT_EQ(param.m_strHost, "PC01");
    ASSERT_EQ(param.m_files.Size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        CDataFileHeader header;
        const std::string& path = param.m_files.Items()[i].m_strPath;
        EXPECT_EQ(path.substr(0, Dir().size() + 1), Dir() + platform::kPathSeparator);
        ASSERT_TRUE(header.Read(path)) << path;
        EXPECT_EQ(header.m_nBranch, i + 1);
    }
    EXPECT_EQ(Dlg().RunningGraphs(), 1u);

    // The exit is refused while that Graph runs; afterwards the question decides.
    m_view.m_events.clear();
    Dlg().RequestExit();
    EXPECT_EQ(m_view.m_events,
              (std::vector<std::string>{
                  "error[終了チェック] VARNOLE [グラフの作成] が起動中です。\r\n先に終了させてください。"}));
    EndGraph(0);
    ASSERT_TRUE(RunningBecomes(0));
    m_view.m_events.clear();
    m_boxes.m_queAnswers = {EMessageResult::kNo, EMessageResult::kYes};
    Dlg().RequestExit();
    Dlg().RequestExit();
    EXPECT_EQ(m_view.m_events, (std::vector<std::string>{"ask[終了] 本当に終了しますか？",
                                                         "ask[終了] 本当に終了しますか？", "close"}));
}

TEST_F(PlotaraDlgTest, EachPressStartsOneMoreGraphAndAFailedStartIsSilent) {
    WriteRuns();
    Dlg().OnInit();
    m_view.m_arrSelected = {3};
    Dlg().OnCreateGraph();
    Dlg().OnCreateGraph();
    EXPECT_EQ(Dlg().RunningGraphs(), 2u);
    m_bGraphStarts = false;
    m_view.m_events.clear();
    Dlg().OnCreateGraph();
    EXPECT_EQ(m_view.m_events,
              (std::vector<std::string>{"clipboard", "wait on", "start Graph", "wait off"}));
    EXPECT_EQ(Dlg().RunningGraphs(), 2u);
    EndGraph(1);
    EXPECT_TRUE(RunningBecomes(1));
    EndGraph(0);
    EXPECT_TRUE(RunningBecomes(0));
}

TEST_F(PlotaraDlgTest, AClipboardThatCannotBeOpenedIsReportedAndNoGraphStarts) {
    WriteRuns();
    Dlg().OnInit();
    m_view.m_arrSelected = {3};
    m_view.m_nClipboardError = platform::kErrorAccessDenied;
    Dlg().OnCreateGraph();
    EXPECT_EQ(m_view.m_events,
              (std::vector<std::string>{"clipboard", "warning[エラー] " +
                                                         std::string(plotara::kTextClipboardFailed)}));
    EXPECT_EQ(Dlg().RunningGraphs(), 0u);
}

TEST_F(PlotaraDlgTest, AMissingDataDirectoryOpensWithAnEmptyList) {
    m_environment.m_fnDataDirectory = [this] {
        return m_dir.Path("missing") + platform::kPathSeparator;
    };
    Dlg().OnInit();
    EXPECT_EQ(Dlg().List().GetRowCount(), 0);
    EXPECT_EQ(Dlg().List().GetColumnCount(), 8);
    m_view.m_arrSelected = {};
    Dlg().OnCreateGraph();
    EXPECT_EQ(m_view.m_events, (std::vector<std::string>{"warning[エラー] 対象の稼動データが選択されていません"}));
}

}  // namespace
