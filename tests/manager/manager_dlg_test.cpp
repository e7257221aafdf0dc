// Manager's window behaviour: every data file with its state and samples, deleting exactly the
// selected finished files after one question, files changed since listing kept, the data
// directory changed with its checks, a second copy refused.
#include "manager_dlg.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "common/recording_message_box_view.h"
#include "datafile/data_file_test_util.h"
#include "series/series_test_blocks.h"

namespace {

using namespace manager;
using platform_test::CTempDir;
using seriestest::CHostBlocks;
using seriestest::CTimedBlock;
using seriestest::kStart;

class CFakeManagerView final : public IManagerView {
public:
    std::vector<int> SelectedRows() const override { return m_vecSelected; }
    void ClearSelection() override { m_vecSelected.clear(); }
    std::optional<std::string> AskFolder(const std::string& strInitial) override {
        m_strAskedFrom = strInitial;
        return m_strFolderAnswer;
    }
    void ShowDataDirectory(const std::string& strPath) override { m_strDataDir = strPath; }
    void ShowSpace(const std::string& strText) override { m_strSpace = strText; }
    void ShowStatus(const std::string& strText) override { m_strStatus = strText; }
    void RefreshRow(int) override { ++m_nRefreshed; }
    void StartTimer() override { m_bTimer = true; }
    void StopTimer() override { m_bTimer = false; }
    void Close() override { m_bClosed = true; }

    std::vector<int> m_vecSelected;
    std::optional<std::string> m_strFolderAnswer;
    std::string m_strAskedFrom, m_strDataDir, m_strSpace, m_strStatus;
    int m_nRefreshed = 0;
    bool m_bTimer = false, m_bClosed = false;
};

class ManagerDlg : public ::testing::Test {
protected:
    std::string Write(const CTempDir& dir, const std::string& strHost, const std::string& strId,
                      std::uint32_t nBranch, platform::Time tFirst, int nSamples) {
        const std::string strPath =
            seriestest::WriteRunPiece(dir, m_host, strHost, strId, nBranch, tFirst, nSamples);
        EXPECT_FALSE(strPath.empty());
        return std::filesystem::path(platform_test::PathFromUtf8(strPath)).filename().string();
    }
    SManagerEnvironment Environment() {
        SManagerEnvironment environment = SManagerEnvironment::Real();
        environment.m_strMutex =
            "VARNOLE_ManaTest_" +
            std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
        environment.m_fnReadDataDirectory = [this](std::string& strValue) {
            strValue = m_data.Path();
            return platform::kSuccess;
        };
        environment.m_fnWriteDataDirectory = [this](const std::string& strValue) {
            m_vecWritten.push_back(strValue);
            return m_nWriteError;
        };
        environment.m_fnDiskSpace = [](const std::string&, std::uint64_t& nFree,
                                       std::uint64_t& nTotal) {
            nFree = 3ull << 30;
            nTotal = 100ull << 30;
            return platform::kSuccess;
        };
        return environment;
    }
    int RowOf(CManagerDlg& dlg, const std::string& strName) {
        for (int i = 0; i < dlg.List().GetRowCount(); ++i) {
            if (dlg.List().GetText(i, kFileColumnName) == strName) return i;
        }
        ADD_FAILURE() << "no row " << strName;
        return -1;
    }
    bool Exists(const std::string& strName) const {
        return std::filesystem::exists(platform_test::PathFromUtf8(m_data.Path(strName)));
    }

    CTempDir m_data;
    CHostBlocks m_host;
    CFakeManagerView m_view;
    testutil::CRecordingMessageBoxView m_boxes;
    std::vector<std::string> m_vecWritten;
    platform::ErrorCode m_nWriteError = platform::kSuccess;
};

TEST_F(ManagerDlg, ListsEveryDataFileWithItsStateAndSamples) {
    const std::string strA = Write(m_data, "PC01", "2408-0001", 1, kStart, 5);
    const std::string strB = Write(m_data, "PC01", "2408-0001", 2, kStart + 5, 7);
    const std::string strOpen = "VARN_PC02_2024-0819-07_3.va_";
    datafile_test::WriteAll(m_data.Path(strOpen),
                            datafile_test::ReadAll(m_data.Path(Write(m_data, "PC02", "2408-0002", 1,
                                                                     kStart + 60, 3))));
    std::filesystem::remove(platform_test::PathFromUtf8(m_data.Path("VARN_PC02_2024-0819-07_1.var")));
    datafile_test::WriteAll(m_data.Path("VARN_notes.var"), "not a data file");

    CManagerDlg dlg(m_view, m_boxes, Environment());
    ASSERT_TRUE(dlg.OnInit());
    EXPECT_EQ(m_view.m_strDataDir, m_data.Path() + platform::kPathSeparator);
    EXPECT_EQ(m_view.m_strSpace, "空き容量 3.00 GB（全体 100 GB）");
    ASSERT_EQ(dlg.List().GetRowCount(), 3);
    EXPECT_EQ(dlg.List().GetText(0, kFileColumnName), strOpen);  // newest first
    EXPECT_EQ(dlg.List().GetText(0, 1), "収集中");
    EXPECT_EQ(dlg.List().GetText(1, kFileColumnName), strB);
    EXPECT_EQ(dlg.List().GetText(1, 1), "完了");
    EXPECT_EQ(dlg.List().GetText(1, 4), "2");
    EXPECT_EQ(dlg.List().GetText(1, kFileColumnStart), "2024/08/19 (月) 07:00:05");
    EXPECT_TRUE(m_view.m_bTimer);
    dlg.WaitForCounts();
    EXPECT_FALSE(m_view.m_bTimer);
    EXPECT_EQ(dlg.List().GetText(0, kFileColumnSamples), "3");
    EXPECT_EQ(dlg.List().GetText(1, kFileColumnSamples), "7");
    EXPECT_EQ(dlg.List().GetText(2, kFileColumnSamples), "5");
    EXPECT_GE(m_view.m_nRefreshed, 3);
    EXPECT_FALSE(dlg.CanSelect(0));
    EXPECT_TRUE(dlg.CanSelect(1));
    EXPECT_NE(m_view.m_strStatus.find("ファイル 3 個（合計 "), std::string::npos);
    EXPECT_NE(m_view.m_strStatus.find("、うち収集中 1 個）"), std::string::npos);
}

TEST_F(ManagerDlg, DeletesExactlyTheSelectedFinishedFilesAfterOneQuestion) {
    const std::string strA = Write(m_data, "PC01", "2408-0001", 1, kStart, 2);
    const std::string strB = Write(m_data, "PC01", "2408-0001", 2, kStart + 2, 2);
    const std::string strC = Write(m_data, "PC03", "2408-0003", 1, kStart + 4, 2);
    const std::string strOpen = "VARN_PC09_2024-0819-07_1.va_";
    datafile_test::WriteAll(m_data.Path(strOpen), datafile_test::ReadAll(m_data.Path(strC)));
    CManagerDlg dlg(m_view, m_boxes, Environment());
    ASSERT_TRUE(dlg.OnInit());

    dlg.OnDelete();
    EXPECT_EQ(m_boxes.Last().m_strText, "削除するファイルを選択してください。");

    const std::uint64_t nBytes = dlg.Files()[0].m_nSize + dlg.Files()[1].m_nSize;
    m_view.m_vecSelected = {RowOf(dlg, strA), RowOf(dlg, strB), RowOf(dlg, strOpen)};
    m_boxes.m_queAnswers = {EMessageResult::kNo};
    dlg.OnDelete();
    EXPECT_EQ(m_boxes.Last().m_strCaption, "削除の確認");
    EXPECT_EQ(m_boxes.Last().m_strText,
              "選択した 2 個の稼動データファイル（合計 " + companion::SizeText(nBytes) +
                  "）を削除します。\n削除したファイルは元に戻せません。よろしいですか？");
    EXPECT_TRUE(Exists(strA));

    m_boxes.m_queAnswers = {EMessageResult::kYes};
    dlg.OnDelete();
    EXPECT_FALSE(Exists(strA));
    EXPECT_FALSE(Exists(strB));
    EXPECT_TRUE(Exists(strC));
    EXPECT_TRUE(Exists(strOpen));
    EXPECT_EQ(m_view.m_strStatus, "2 個のファイルを削除しました。");
    EXPECT_EQ(dlg.List().GetRowCount(), 2);
    EXPECT_TRUE(m_view.m_vecSelected.empty());
}

TEST_F(ManagerDlg, AFileChangedSinceListingOrThatCannotBeDeletedIsKept) {
    const std::string strA = Write(m_data, "PC01", "2408-0001", 1, kStart, 2);
    const std::string strB = Write(m_data, "PC02", "2408-0002", 1, kStart + 2, 2);
    const std::string strC = Write(m_data, "PC03", "2408-0003", 1, kStart + 4, 2);
    SManagerEnvironment environment = Environment();
    environment.m_fnDeleteFile = [&](const std::string& strPath) {
        return strPath == m_data.Path(strC) ? platform::kErrorAccessDenied
                                            : platform::DeleteFile(strPath);
    };
    CManagerDlg dlg(m_view, m_boxes, environment);
    ASSERT_TRUE(dlg.OnInit());
    m_view.m_vecSelected = {RowOf(dlg, strA), RowOf(dlg, strB), RowOf(dlg, strC)};
    // The sample count reads the files in the background, and Windows refuses to replace a file
    // that another handle holds open: the count ends before B is replaced.
    dlg.WaitForCounts();
    // After the listing, B is replaced by another run's file of the same name.
    const std::string strOther = Write(m_data, "PC02", "2408-0099", 1, kStart + 2, 1);
    std::filesystem::rename(platform_test::PathFromUtf8(m_data.Path(strOther)),
                            platform_test::PathFromUtf8(m_data.Path(strB)));
    m_boxes.m_queAnswers = {EMessageResult::kYes};
    dlg.OnDelete();
    EXPECT_FALSE(Exists(strA));
    EXPECT_TRUE(Exists(strB));
    EXPECT_TRUE(Exists(strC));
    EXPECT_EQ(m_boxes.Last().m_strText,
              "1 個のファイルを削除しました。\n\n次のファイルは削除していません。\n" + strB +
                  "（一覧を作った後に変わりました）\n" + strC + "（削除できません、エラー 5）");
}

TEST_F(ManagerDlg, ChangesTheDataDirectoryOnlyToAWritableFolderAndSaysWhyNot) {
    CTempDir other;
    const std::string strInOther = Write(other, "PC07", "2408-0007", 1, kStart, 2);
    CManagerDlg dlg(m_view, m_boxes, Environment());
    ASSERT_TRUE(dlg.OnInit());
    EXPECT_EQ(dlg.List().GetRowCount(), 0);
    EXPECT_EQ(m_view.m_strStatus, "稼動データファイルはありません。");

    m_view.m_strFolderAnswer = other.Path("missing");
    dlg.OnChangeDirectory();
    EXPECT_EQ(m_view.m_strAskedFrom, m_data.Path() + platform::kPathSeparator);
    EXPECT_EQ(m_boxes.Last().m_strText, "フォルダ [" + other.Path("missing") + "] がありません。");
    // A file is not a folder.
    m_view.m_strFolderAnswer = other.Path(strInOther);
    dlg.OnChangeDirectory();
    EXPECT_EQ(m_boxes.Last().m_strText, "フォルダ [" + other.Path(strInOther) + "] がありません。");
    EXPECT_TRUE(m_vecWritten.empty());

    m_nWriteError = platform::kErrorAccessDenied;
    m_view.m_strFolderAnswer = other.Path();
    dlg.OnChangeDirectory();
    EXPECT_EQ(m_boxes.Last().m_strText,
              "レジストリ [HKEY_LOCAL_MACHINE\\SOFTWARE\\HALDEK\\VARNOLE\\1.0] に DataDirectory "
              "を書き込めません（エラー 5）。\n管理者として実行してください。");
    EXPECT_EQ(m_boxes.Last().m_eIcon, EMessageIcon::kError);
    EXPECT_EQ(dlg.DataDirectory(), m_data.Path() + platform::kPathSeparator);

    m_nWriteError = platform::kSuccess;
    dlg.OnChangeDirectory();
    EXPECT_EQ(m_vecWritten.back(), other.Path());
    EXPECT_EQ(dlg.DataDirectory(), other.Path() + platform::kPathSeparator);
    ASSERT_EQ(dlg.List().GetRowCount(), 1);
    EXPECT_EQ(dlg.List().GetText(0, kFileColumnName), strInOther);
    EXPECT_EQ(m_view.m_strStatus,
              "データフォルダを [" + other.Path() +
                  "] に変更しました。収集とグラフの作成では、次に起動したときから使われます。");
    // The write test left nothing behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(platform_test::PathFromUtf8(other.Path())),
                            std::filesystem::directory_iterator()),
              1);
}

TEST_F(ManagerDlg, ASecondCopyIsRefused) {
    SManagerEnvironment environment = Environment();
    platform::NamedMutex first;
    ASSERT_EQ(first.Create(environment.m_strMutex, true), platform::kSuccess);
    CManagerDlg dlg(m_view, m_boxes, environment);
    EXPECT_FALSE(dlg.OnInit());
    EXPECT_TRUE(m_view.m_bClosed);
    EXPECT_EQ(m_boxes.Last().m_strText,
              "VARNOLE [稼動データファイルの管理] は、すでに起動されています。");
    EXPECT_EQ(m_boxes.Last().m_strCaption, "起動チェック");
}

}  // namespace
