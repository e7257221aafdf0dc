// Convert's window behaviour: collections gathered from their pieces, the conversion of the
// selected rows with its report, replacing, stopping, and a second copy refused.
#include "convert_dlg.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "common/recording_message_box_view.h"
#include "datafile/data_file_test_util.h"
#include "series/series_test_blocks.h"

namespace {

using namespace convert;
using platform_test::CTempDir;
using seriestest::CHostBlocks;
using seriestest::CTimedBlock;
using seriestest::kStart;

class CFakeConvertView final : public IConvertView {
public:
    std::vector<int> SelectedRows() const override { return m_vecSelected; }
    std::optional<std::string> AskFolder(const std::string& strInitial) override {
        m_strAskedFrom = strInitial;
        return m_strFolderAnswer;
    }
    void ShowDataDirectory(const std::string& strText) override { m_strDataDir = strText; }
    void ShowOutputFolder(const std::string& strFolder) override { m_strFolder = strFolder; }
    void ShowStatus(const std::string& strText) override { m_strStatus = strText; }
    void ShowProgress(bool bVisible, int) override { m_bProgress = bVisible; }
    void SetConverting(bool bConverting) override { m_bConverting = bConverting; }
    void StartTimer() override { m_bTimer = true; }
    void StopTimer() override { m_bTimer = false; }
    void Close() override { m_bClosed = true; }

    std::vector<int> m_vecSelected;
    std::optional<std::string> m_strFolderAnswer;
    std::string m_strAskedFrom, m_strDataDir, m_strFolder, m_strStatus;
    bool m_bProgress = false, m_bConverting = false, m_bTimer = false, m_bClosed = false;
};

class ConvertDlg : public ::testing::Test {
protected:
    std::string Write(const std::string& strHost, const std::string& strId, std::uint32_t nBranch,
                      platform::Time tFirst, int nSamples) {
        const std::string strPath =
            seriestest::WriteRunPiece(m_data, m_host, strHost, strId, nBranch, tFirst, nSamples);
        EXPECT_FALSE(strPath.empty());
        return strPath;
    }
    SConvertEnvironment Environment() {
        SConvertEnvironment environment = SConvertEnvironment::Real();
        environment.m_strMutex =
            "VARNOLE_ConvTest_" +
            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
        environment.m_fnReadDataDirectory = [this](std::string& strValue) {
            strValue = m_data.Path();
            return platform::kSuccess;
        };
        return environment;
    }
    // The row of the list whose host column says strHost.
    int RowOf(CConvertDlg& dlg, const std::string& strHost) {
        for (int i = 0; i < dlg.List().GetRowCount(); ++i) {
            if (dlg.List().GetText(i, kRunColumnHost) == strHost) return i;
        }
        return -1;
    }

    CTempDir m_data;
    CTempDir m_out;
    CHostBlocks m_host;
    CFakeConvertView m_view;
    testutil::CRecordingMessageBoxView m_boxes;
};

TEST_F(ConvertDlg, ListsOneRowPerCollectionNewestFirstAndConvertsTheSelectedOnes) {
    // PC01: three pieces of one run; PC02: one file and a piece still being written; PC03: an
    // old file without execution ID; and a file that is not a data file.
    const std::string strFirst = Write("PC01", "2408-0001", 1, kStart, 3);
    Write("PC01", "2408-0001", 2, kStart + 3, 3);
    Write("PC01", "2408-0001", 3, kStart + 6, 3);
    Write("PC02", "2408-0002", 1, kStart + 3600, 2);
    const std::string strOpen = m_data.Path("VARN_PC02_2024-0819-08_1(1).va_");
    datafile_test::WriteAll(strOpen, datafile_test::ReadAll(Write("PC02", "2408-0002", 2,
                                                                  kStart + 3602, 2)));
    std::filesystem::remove(platform_test::PathFromUtf8(m_data.Path("VARN_PC02_2024-0819-08_1(1).var")));
    Write("PC03", "", 1, kStart - 3600, 2);
    datafile_test::WriteAll(m_data.Path("VARN_notes.var"), "notes");

    CConvertDlg dlg(m_view, m_boxes, Environment());
    ASSERT_TRUE(dlg.OnInit());
    EXPECT_EQ(m_view.m_strFolder, m_data.Path() + platform::kPathSeparator);
    ASSERT_EQ(dlg.List().GetRowCount(), 3);
    EXPECT_EQ(dlg.List().GetText(0, kRunColumnHost), "PC02");  // newest first
    EXPECT_EQ(dlg.List().GetText(1, kRunColumnHost), "PC01");
    EXPECT_EQ(dlg.List().GetText(2, kRunColumnHost), "PC03");
    EXPECT_EQ(dlg.List().GetText(1, 4), "3");
    EXPECT_EQ(dlg.List().GetText(1, kRunColumnStart), "2024/08/19 (月) 07:00:00");
    EXPECT_EQ(dlg.List().GetText(0, 8), "収集中（書き込み中の 1 ファイルは変換しません）");
    EXPECT_EQ(m_view.m_strStatus,
              "収集 3 件（データファイル 5 個）。変換する行を選んで [ＣＳＶ作成] を押してください。");

    // Nothing selected.
    dlg.OnConvert(false);
    EXPECT_EQ(m_boxes.Last().m_strText, "変換する稼動データを選択してください。");
    EXPECT_FALSE(dlg.IsConverting());

    m_view.m_strFolderAnswer = m_out.Path();
    dlg.OnChooseFolder();
    EXPECT_EQ(m_view.m_strFolder, m_out.Path());
    m_view.m_vecSelected = {RowOf(dlg, "PC01"), RowOf(dlg, "PC02")};
    dlg.OnConvert(false);
    ASSERT_TRUE(dlg.IsConverting());
    EXPECT_TRUE(m_view.m_bConverting);
    EXPECT_TRUE(m_view.m_bTimer);
    dlg.WaitForJob();
    dlg.OnTick();
    EXPECT_FALSE(dlg.IsConverting());
    EXPECT_FALSE(m_view.m_bConverting);
    EXPECT_FALSE(m_view.m_bTimer);
    const std::string strPc01 = companion::WithExtension(
        std::filesystem::path(strFirst).filename().string(), ".csv");
    EXPECT_EQ(m_boxes.Last().m_strCaption, "VARNOLE [ＣＳＶファイルの作成]");
    EXPECT_EQ(m_boxes.Last().m_eIcon, EMessageIcon::kInformation);
    EXPECT_EQ(m_boxes.Last().m_strText,
              "ＣＳＶファイルを 2 個作成しました。\n\n" + strPc01 +
                  "：9 行（データファイル 3 個）\nVARN_PC02_2024-0819-08_1.csv：2 行（データファイル 1 個）"
                  "\n\n書き込み中のファイル [VARN_PC02_2024-0819-08_1(1).va_] は変換していません。");
    EXPECT_EQ(m_view.m_strStatus, "ＣＳＶファイルを 2 個作成しました。");
    EXPECT_EQ(datafile_test::ReadAll(m_out.Path(strPc01)).substr(0, 5), "\x93\xfa\x8e\x9e,");

    // Again: the files exist. No keeps them, Yes replaces them (now in UTF-8).
    m_boxes.m_queAnswers = {EMessageResult::kNo};
    dlg.OnConvert(true);
    EXPECT_FALSE(dlg.IsConverting());
    EXPECT_EQ(m_boxes.Last().m_strText, "次のファイルはすでにあります。置き換えますか？\n\n" +
                                            strPc01 + "\nVARN_PC02_2024-0819-08_1.csv");
    m_boxes.m_queAnswers = {EMessageResult::kYes};
    dlg.OnConvert(true);
    dlg.WaitForJob();
    dlg.OnTick();
    EXPECT_EQ(datafile_test::ReadAll(m_out.Path(strPc01)).substr(0, 3), "\xEF\xBB\xBF");
}

TEST_F(ConvertDlg, AMissingFolderAndAFailedFileAreReported) {
    Write("PC01", "2408-0001", 1, kStart, 2);
    CConvertDlg dlg(m_view, m_boxes, Environment());
    ASSERT_TRUE(dlg.OnInit());
    m_view.m_vecSelected = {0};
    m_view.m_strFolderAnswer = m_out.Path("gone");
    dlg.OnChooseFolder();
    dlg.OnConvert(false);
    EXPECT_EQ(m_boxes.Last().m_strText, "出力先フォルダ [" + m_out.Path("gone") + "] がありません。");
    EXPECT_FALSE(dlg.IsConverting());

    // A folder named like the CSV file makes that one file fail.
    m_view.m_strFolderAnswer = m_out.Path();
    dlg.OnChooseFolder();
    const std::string strCsv = companion::WithExtension(dlg.Runs()[0].m_vecPieces[0].m_strName, ".csv");
    std::filesystem::create_directory(platform_test::PathFromUtf8(m_out.Path(strCsv)));
    m_boxes.m_queAnswers = {EMessageResult::kYes};
    dlg.OnConvert(false);
    dlg.WaitForJob();
    dlg.OnTick();
    EXPECT_EQ(m_boxes.Last().m_eIcon, EMessageIcon::kWarning);
    EXPECT_NE(m_boxes.Last().m_strText.find("ＣＳＶファイルを 0 個作成しました（1 個は作成できません）。"),
              std::string::npos);
    EXPECT_NE(m_boxes.Last().m_strText.find(strCsv + "：書き込めません（エラー "), std::string::npos);
}

TEST_F(ConvertDlg, StoppingOrLeavingWhileConvertingLeavesNoFile) {
    Write("PC01", "2408-0001", 1, kStart, 3000);
    for (const bool bExit : {false, true}) {
        CFakeConvertView view;
        CConvertDlg dlg(view, m_boxes, Environment());
        ASSERT_TRUE(dlg.OnInit());
        view.m_strFolderAnswer = m_out.Path();
        dlg.OnChooseFolder();
        view.m_vecSelected = {0};
        dlg.OnConvert(false);
        ASSERT_TRUE(dlg.IsConverting());
        if (bExit) {
            m_boxes.m_queAnswers = {EMessageResult::kYes};
            dlg.OnExit();
            EXPECT_EQ(m_boxes.Last().m_strText, "ＣＳＶファイルを作成しています。中止して終了しますか？");
            EXPECT_TRUE(view.m_bClosed);
        } else {
            dlg.OnStop();
            dlg.WaitForJob();
            dlg.OnTick();
            EXPECT_EQ(view.m_strStatus, "中止しました。作成を終えたＣＳＶファイルは 0 個です。");
        }
        EXPECT_TRUE(std::filesystem::is_empty(platform_test::PathFromUtf8(m_out.Path()))) << bExit;
    }
}

TEST_F(ConvertDlg, ASecondCopyIsRefused) {
    SConvertEnvironment environment = Environment();
    platform::NamedMutex first;
    ASSERT_EQ(first.Create(environment.m_strMutex, true), platform::kSuccess);
    CConvertDlg dlg(m_view, m_boxes, environment);
    EXPECT_FALSE(dlg.OnInit());
    EXPECT_TRUE(m_view.m_bClosed);
    EXPECT_EQ(m_boxes.Last().m_strText, "VARNOLE [ＣＳＶファイルの作成] は、すでに起動されています。");
    EXPECT_EQ(m_boxes.Last().m_strCaption, "起動チェック");
    EXPECT_EQ(m_boxes.Last().m_eIcon, EMessageIcon::kError);
}

}  // namespace
