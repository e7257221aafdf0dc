// LoadSettings and SaveSettings on disk: round trips, the loader's rules, and load and save faults.
#include <gtest/gtest.h>

#include <filesystem>

#include "gather/fault_file_ops.h"
#include "gather/gather_fixture.h"
#include "gather/settings_bytes.h"
#include "platform/file_access_check.h"
#include "list_layouts.h"
#include "settings_format.h"

namespace {

using gather_test::CFakeGatherView;
using gather_test::CFaultFileOps;
using gather_test::CGatherFixture;
using gather_test::CProcessEnded;
using gather_test::CRawBytes;
using gather_test::CRawSchedule;
using platform_test::OnlyAdministratorsHaveAccess;
using platform_test::OpenToEveryone;
using testutil::Local;

CSchedule Daily(const std::string& strTarget, platform::Time tNextStart) {
    CSchedule s;
    s.m_nState = kStateWaiting;
    s.m_strTarget = strTarget;
    s.m_nInterval = 1000;
    s.m_nRepeat = kRepeatDaily;
    s.m_tStart = tNextStart;
    s.m_tsDuration = 3600;
    s.m_tNextStart = tNextStart;
    s.m_tNextEnd = tNextStart + 3600;
    return s;
}

class SettingsFileTest : public CGatherFixture {
protected:
    // Fills every kind of record with something, including texts of 254 and 300 bytes.
    void FillTables(CGatherDlg& dlg) {
        dlg.EditTables().Hosts()[0] = {"PC1",
                                       "administrator",
                                       "pass word",
                                       "Windows 10.0 19045 x64",
                                       "Intel Xeon 2400 MHz",
                                       "営業部 山田 ABC"};
        dlg.EditTables().Hosts()[7] = {"サーバ２", "", "", "", "", std::string(300, 'o')};
        dlg.EditTables().Groups()[1].m_strName = "営業";
        dlg.EditTables().Groups()[1].m_strMember[0] = "サーバ２";
        dlg.EditTables().Groups()[1].m_strMember[1] = "PC1";

        CSchedule daily = Daily("PC1", Local(2026, 12, 7, 9, 0));
        daily.m_strComment = std::string(254, 'c');
        daily.m_nSplitUnit = kSplit1Hour;
        daily.m_nCpuThreshold = 80;
        daily.m_nDiskThreshold = 50;
        daily.m_tFollowingStart = Local(2026, 12, 8, 9, 0);
        dlg.EditTables().Schedule(3) = daily;

        CSchedule weekly = Daily("営業", Local(2026, 12, 10, 22, 0));
        weekly.m_nTargetType = kTargetGroup;
        weekly.m_nRepeat = kRepeatWeekly;
        weekly.m_bWeekday = {0, 1, 0, 0, 1, 0, 0};
        weekly.m_nEndType = kEndAtTimeOfDay;
        weekly.m_tsEndTime = 86400 + 6 * 3600;
        weekly.m_tNextEnd = Local(2026, 12, 11, 6, 0);
        weekly.m_nMemThreshold = 512;
        dlg.EditTables().Schedule(12) = weekly;

        CSchedule monthly = Daily("PC1", Local(2027, 1, 15, 8, 0));
        monthly.m_nRepeat = kRepeatMonthDay;
        monthly.m_nDay = 15;
        monthly.m_nInterval = 300000;
        dlg.EditTables().Schedule(105) = monthly;
        dlg.EditTables().SetLastSchedule(105);
    }
};

TEST_F(SettingsFileTest, MissingFileLeavesBlankTablesAndReportsNothing) {
    EXPECT_FALSE(m_pDlg->LoadSettings());
    const CSchedule blank = CSchedule::Blank(m_clock.Now());
    for (const CSchedule& s : m_pDlg->Schedules()) ASSERT_EQ(s, blank);
    EXPECT_EQ(m_pDlg->ScheduleList().GetRowCount(), 0);
    EXPECT_TRUE(m_boxes.m_arrShown.empty());
}

TEST_F(SettingsFileTest, LoadSaveLoadKeepsEveryField) {
    FillTables(*m_pDlg);
    ASSERT_TRUE(m_pDlg->SaveSettings());
    const std::string strFirst = Bytes("VARNOLE.dat");
    EXPECT_FALSE(m_dir.Exists("VARNOLE.new"));

    CFakeGatherView view;
    testutil::CRecordingMessageBoxView boxes;
    auto pLoaded = NewDialog(view, boxes);
    ASSERT_TRUE(pLoaded->LoadSettings());
    EXPECT_TRUE(boxes.m_arrShown.empty());
    EXPECT_EQ(pLoaded->Hosts(), m_pDlg->Hosts());
    EXPECT_EQ(pLoaded->Groups(), m_pDlg->Groups());
    EXPECT_EQ(pLoaded->Schedules(), m_pDlg->Schedules());
    EXPECT_EQ(pLoaded->GetLastSchedule(), 105);

    ASSERT_TRUE(pLoaded->SaveSettings());
    EXPECT_EQ(Bytes("VARNOLE.dat"), strFirst);
}

TEST_F(SettingsFileTest, SavingTwiceLeavesTheFirstSavedFileAsBackup) {
    FillTables(*m_pDlg);
    ASSERT_TRUE(m_pDlg->SaveSettings());
    const std::string strFirst = Bytes("VARNOLE.dat");
    EXPECT_FALSE(m_dir.Exists("VARNOLE.old"));

    m_pDlg->EditTables().Hosts()[1].m_strHost = "PC2";
    ASSERT_TRUE(m_pDlg->SaveSettings());
    EXPECT_EQ(Bytes("VARNOLE.old"), strFirst);
    EXPECT_NE(Bytes("VARNOLE.dat"), strFirst);

    ASSERT_TRUE(m_pDlg->SaveSettings());
    EXPECT_NE(Bytes("VARNOLE.old"), strFirst);
    EXPECT_EQ(Bytes("VARNOLE.old"), Bytes("VARNOLE.dat"));
}

TEST_F(SettingsFileTest, LoadedSchedulesGetWaitingRowsInNumberTextOrder) {
    FillTables(*m_pDlg);
    ASSERT_TRUE(m_pDlg->SaveSettings());
    CFakeGatherView view;
    testutil::CRecordingMessageBoxView boxes;
    auto pLoaded = NewDialog(view, boxes);
    ASSERT_TRUE(pLoaded->LoadSettings());

    const CSortedListModel& list = pLoaded->ScheduleList();
    ASSERT_EQ(list.GetRowCount(), 3);
    EXPECT_EQ(list.GetText(0, kColNumber), "03");
    EXPECT_EQ(list.GetText(1, kColNumber), "105");
    EXPECT_EQ(list.GetText(2, kColNumber), "12");

    const std::vector<std::string> kDaily = {"03",
                                             "PC1",
                                             "H",
                                             "毎日",
                                             "12/07 (月) 09:00",
                                             "12/07 (月) 10:00",
                                             "CPU 80% DISK 50%",
                                             "待機中",
                                             "12/07 (月) 09:00",
                                             std::string(254, 'c')};
    const std::vector<std::string> kWeekly = {"12",
                                              "営業",
                                              "G",
                                              "月木",
                                              "12/10 (木) 22:00",
                                              "12/11 (金) 06:00",
                                              "MEM 512MB ",
                                              "待機中",
                                              "12/10 (木) 22:00",
                                              ""};
    for (int c = 0; c < kScheduleColumnCount; ++c) {
        EXPECT_EQ(list.GetText(0, c), kDaily[static_cast<std::size_t>(c)]) << c;
        EXPECT_EQ(list.GetText(2, c), kWeekly[static_cast<std::size_t>(c)]) << c;
    }
}

TEST_F(SettingsFileTest, PastStartsAreBroughtForwardAndStaleOneTimeBookingsFreed) {
    m_pDlg->EditTables().Hosts()[0].m_strHost = "PC1";
    m_pDlg->EditTables().Schedule(1) =
        Daily("PC1", Local(2026, 12, 1, 9, 0));                // past: next is tomorrow 09:00
    CSchedule once = Daily("PC1", Local(2026, 12, 6, 15, 0));  // once, half an hour ago
    once.m_nRepeat = kRepeatOnce;
    m_pDlg->EditTables().Schedule(2) = once;
    CSchedule atOnce = once;
    atOnce.m_nRepeat = kRepeatAtOnce;
    m_pDlg->EditTables().Schedule(4) = atOnce;
    CSchedule later = once;  // once, still to come
    later.m_tNextStart = Local(2026, 12, 24, 20, 0);
    later.m_tNextEnd = later.m_tNextStart + 600;
    m_pDlg->EditTables().Schedule(5) = later;
    ASSERT_TRUE(m_pDlg->SaveSettings());

    CFakeGatherView view;
    testutil::CRecordingMessageBoxView boxes;
    auto pLoaded = NewDialog(view, boxes);
    ASSERT_TRUE(pLoaded->LoadSettings());
    EXPECT_EQ(pLoaded->Schedule(1).m_tNextStart, Local(2026, 12, 7, 9, 0));
    EXPECT_EQ(pLoaded->Schedule(1).m_tNextEnd, Local(2026, 12, 7, 10, 0));
    const CSchedule blank = CSchedule::Blank(m_clock.Now());
    EXPECT_EQ(pLoaded->Schedule(2), blank);
    EXPECT_EQ(pLoaded->Schedule(4), blank);
    EXPECT_EQ(pLoaded->Schedule(5), later);

    const CSortedListModel& list = pLoaded->ScheduleList();
    ASSERT_EQ(list.GetRowCount(), 2);
    EXPECT_EQ(list.GetText(0, kColNumber), "01");
    EXPECT_EQ(list.GetText(0, kColStart), "12/07 (月) 09:00");
    EXPECT_EQ(list.GetText(1, kColNumber), "05");
}

TEST_F(SettingsFileTest, RunningScheduleLoadsWaiting) {
    CSchedule running = Daily("PC1", Local(2026, 12, 7, 9, 0));
    running.m_nState = kStateRunning;
    m_pDlg->EditTables().Schedule(9) = running;
    ASSERT_TRUE(m_pDlg->SaveSettings());

    CFakeGatherView view;
    testutil::CRecordingMessageBoxView boxes;
    auto pLoaded = NewDialog(view, boxes);
    ASSERT_TRUE(pLoaded->LoadSettings());
    EXPECT_EQ(pLoaded->Schedule(9).m_nState, kStateWaiting);
    EXPECT_EQ(pLoaded->ScheduleList().GetText(0, kColState), "待機中");
}

TEST_F(SettingsFileTest, StoredLastScheduleNumberIsClamped) {
    ASSERT_TRUE(m_pDlg->SaveSettings());
    std::string bytes = Bytes("VARNOLE.dat");
    const struct {
        std::int32_t nStored, nLoaded;
    } kCases[] = {{0, 1}, {501, 1}, {-1, 1}, {500, 500}, {250, 250}};
    for (const auto& c : kCases) {
        bytes.replace(4, 4, CRawBytes().Int(c.nStored).Bytes());
        m_dir.WriteFile("VARNOLE.dat", bytes);
        CFakeGatherView view;
        testutil::CRecordingMessageBoxView boxes;
        auto pLoaded = NewDialog(view, boxes);
        ASSERT_TRUE(pLoaded->LoadSettings());
        EXPECT_EQ(pLoaded->GetLastSchedule(), c.nLoaded) << c.nStored;
    }
}

TEST_F(SettingsFileTest, GroupMembersThatAreNoRegisteredHostAreRemoved) {
    m_pDlg->EditTables().Hosts()[0].m_strHost = "PC1";
    m_pDlg->EditTables().Hosts()[3].m_strHost = "PC2";
    CHostGroup& mixed = m_pDlg->EditTables().Groups()[0];
    mixed.m_strName = "混在";
    const char* kMembers[] = {"GONE", "PC1", "pc1", "PC2", "GONE", "PC1 ", "PC2"};
    for (std::size_t i = 0; i < std::size(kMembers); ++i) mixed.m_strMember[i] = kMembers[i];
    CHostGroup& stale = m_pDlg->EditTables().Groups()[2];
    stale.m_strName = "旧";
    stale.m_strMember[0] = "OLD1";
    stale.m_strMember[1] = "OLD2";
    ASSERT_TRUE(m_pDlg->SaveSettings());

    CFakeGatherView view;
    testutil::CRecordingMessageBoxView boxes;
    auto pLoaded = NewDialog(view, boxes);
    ASSERT_TRUE(pLoaded->LoadSettings());
    CHostGroup expectedMixed;
    expectedMixed.m_strName = "混在";
    expectedMixed.m_strMember[0] = "PC1";
    expectedMixed.m_strMember[1] = "PC2";
    expectedMixed.m_strMember[2] = "PC2";
    EXPECT_EQ(pLoaded->Groups()[0], expectedMixed);
    CHostGroup expectedStale;
    expectedStale.m_strName = "旧";
    EXPECT_EQ(pLoaded->Groups()[2], expectedStale);
}

TEST_F(SettingsFileTest, Version100FileIsLoadedAndSavedInTheFullLayout) {
    CRawBytes file;
    file.Int(100).Int(99);
    file.Str("cpu").Str("OLDPC").Str("").Str("os").Str("").Str("");
    file.Empty(19 * 6);
    CRawSchedule used;
    used.m_nState = 2;
    used.m_strTarget = "OLDPC";
    used.m_nRepeat = 1;
    used.m_tStart = static_cast<std::int32_t>(Local(2026, 1, 1, 9, 0));
    used.m_tNextStart = static_cast<std::int32_t>(Local(2026, 12, 7, 9, 0));
    used.m_tNextEnd = static_cast<std::int32_t>(Local(2026, 12, 7, 10, 0));
    for (int i = 0; i < 100; ++i) {
        if (i == 50) {
            used.AppendTo(file, false, false);
        } else {
            file.Int(0);
        }
    }
    m_dir.WriteFile("VARNOLE.dat", file.Bytes());

    ASSERT_TRUE(m_pDlg->LoadSettings());
    EXPECT_TRUE(m_boxes.m_arrShown.empty());
    EXPECT_EQ(m_pDlg->GetLastSchedule(), 99);
    EXPECT_EQ(m_pDlg->Hosts()[0].m_strHost, "OLDPC");
    EXPECT_EQ(m_pDlg->Schedule(50).m_nState, kStateWaiting);
    EXPECT_EQ(m_pDlg->Schedule(50).m_nTargetType, kTargetHost);
    EXPECT_EQ(m_pDlg->ScheduleList().GetText(0, kColNumber), "50");

    ASSERT_TRUE(m_pDlg->SaveSettings());
    EXPECT_EQ(Bytes("VARNOLE.old"), file.Bytes());
    const CSettingsContents saved = DecodeSettings(Bytes("VARNOLE.dat"));
    ASSERT_TRUE(saved.Complete());
    EXPECT_EQ(saved.m_nVersion, 110);
    EXPECT_EQ(saved.m_nHostsRead, 500);
    EXPECT_EQ(saved.m_nGroupsRead, 50);
    EXPECT_EQ(saved.m_nSchedulesRead, 500);
    EXPECT_EQ((*saved.m_pSchedules)[50], m_pDlg->Schedule(50));
}

// Stored texts whose code page 932 bytes do not map one to one onto characters: bytes with no
// mapping, and NEC/IBM duplicate codes whose character Windows writes with another code.
TEST_F(SettingsFileTest, LoadThenSaveKeepsEveryStoredStringByteForByte) {
    const std::string strHost = "PC\x87\x9A\xA0";         // NEC ∵, unmapped single byte
    const std::string strOther = "\xFA\x54srv\x85\x40";  // IBM ¬, unassigned pair
    const std::string strGroup = "\x87\x90G\xEE\xF9";    // NEC ≒, NEC-selected IBM ¬
    CRawBytes file;
    file.Int(110).Int(7);
    file.Str("\x81\x20" "cpu").Str(strHost).Str("\x89\x63\x8B\xC6\x95\x94 \xFA\x4A")
        .Str("OS\xFD\xFE\xFF").Str("p\xEE\xF9w\xED\x40" "d\x97").Str("adm\xFA\x5B");
    file.Str("\xFA\x5C").Str(strOther).Empty(4);
    file.Empty(498 * 6);
    file.Str(strGroup).Str(strOther).Str(strHost).Empty(48);
    file.Empty(49 * 51);
    CRawSchedule daily;
    daily.m_strTarget = strHost;
    daily.m_strComment = "\x87\x54\x80\x81\xCA\x8A\x4F";
    daily.m_tStart = static_cast<std::int32_t>(Local(2026, 12, 7, 9, 0));
    daily.m_tNextStart = daily.m_tStart;
    daily.m_tNextEnd = daily.m_tStart + 3600;
    CRawSchedule group = daily;
    group.m_nTargetType = kTargetGroup;
    group.m_strTarget = strGroup;
    group.m_strComment = "\x97";
    for (int i = 0; i < 500; ++i) {
        if (i == 3) {
            daily.AppendTo(file, true, true);
        } else if (i == 7) {
            group.AppendTo(file, true, true);
        } else {
            file.Int(0);
        }
    }
    m_dir.WriteFile("VARNOLE.dat", file.Bytes());

    ASSERT_TRUE(m_pDlg->LoadSettings());
    EXPECT_TRUE(m_boxes.m_arrShown.empty());
    // The group keeps both members: they name registered hosts, byte for byte.
    EXPECT_EQ(m_pDlg->Groups()[0].m_strMember[0], m_pDlg->Hosts()[1].m_strHost);
    EXPECT_EQ(m_pDlg->Groups()[0].m_strMember[1], m_pDlg->Hosts()[0].m_strHost);
    EXPECT_NE(m_pDlg->Hosts()[0].m_strHost, m_pDlg->Hosts()[1].m_strHost);
    ASSERT_EQ(m_pDlg->ScheduleList().GetRowCount(), 2);
    ASSERT_TRUE(m_pDlg->SaveSettings());
    EXPECT_EQ(Bytes("VARNOLE.dat"), file.Bytes());
}

// ---- access: the file holds the hosts' administrator passwords ----

TEST_F(SettingsFileTest, SavedFileAndBackupAreForAdministratorsOnly) {
    FillTables(*m_pDlg);
    m_files.m_bEndBeforeReplace = true;
    EXPECT_THROW(m_pDlg->SaveSettings(), CProcessEnded);
    EXPECT_TRUE(OnlyAdministratorsHaveAccess(File("VARNOLE.new")));
    m_files.m_bEndBeforeReplace = false;

    ASSERT_TRUE(m_pDlg->SaveSettings());
    EXPECT_TRUE(OnlyAdministratorsHaveAccess(File("VARNOLE.dat")));
    ASSERT_TRUE(m_pDlg->SaveSettings());
    EXPECT_TRUE(OnlyAdministratorsHaveAccess(File("VARNOLE.dat")));
    EXPECT_TRUE(OnlyAdministratorsHaveAccess(File("VARNOLE.old")));
}

TEST_F(SettingsFileTest, LoadingRestrictsFilesSavedOpenToEveryone) {
    FillTables(*m_pDlg);
    ASSERT_TRUE(m_pDlg->SaveSettings());
    ASSERT_TRUE(m_pDlg->SaveSettings());
    OpenToEveryone(File("VARNOLE.dat"));
    OpenToEveryone(File("VARNOLE.old"));
    ASSERT_FALSE(OnlyAdministratorsHaveAccess(File("VARNOLE.dat")));

    CFakeGatherView view;
    testutil::CRecordingMessageBoxView boxes;
    auto pLoaded = NewDialog(view, boxes);
    ASSERT_TRUE(pLoaded->LoadSettings());
    EXPECT_TRUE(boxes.m_arrShown.empty());
    EXPECT_EQ(pLoaded->Hosts(), m_pDlg->Hosts());
    EXPECT_TRUE(OnlyAdministratorsHaveAccess(File("VARNOLE.dat")));
    EXPECT_TRUE(OnlyAdministratorsHaveAccess(File("VARNOLE.old")));
}

TEST_F(SettingsFileTest, InterruptedSaveAndUnreadableFileStayForAdministratorsOnly) {
    // A temporary file left by a save that stopped between its renames becomes VARNOLE.dat.
    m_pDlg->EditTables().Hosts()[0].m_strHost = "PC1";
    m_files.m_bEndBeforeReplace = true;
    EXPECT_THROW(m_pDlg->SaveSettings(), CProcessEnded);
    CFakeGatherView view;
    testutil::CRecordingMessageBoxView boxes;
    auto pLoaded = NewDialog(view, boxes);
    ASSERT_TRUE(pLoaded->LoadSettings());
    EXPECT_EQ(pLoaded->Hosts()[0].m_strHost, "PC1");
    EXPECT_TRUE(OnlyAdministratorsHaveAccess(File("VARNOLE.dat")));

    // An unreadable file is set aside as it is, passwords and all.
    m_dir.WriteFile("VARNOLE.dat", "junk");
    OpenToEveryone(File("VARNOLE.dat"));
    CFakeGatherView view2;
    testutil::CRecordingMessageBoxView boxes2;
    auto pUnreadable = NewDialog(view2, boxes2);
    EXPECT_TRUE(pUnreadable->LoadSettings());
    ASSERT_EQ(pUnreadable->Settings().SetAsidePath(), File("VARNOLE.bad"));
    EXPECT_TRUE(OnlyAdministratorsHaveAccess(File("VARNOLE.bad")));
}

// ---- faults ----

TEST_F(SettingsFileTest, TruncatedFileIsReportedSetAsideAndTheBackupSurvivesTheNextSave) {
    FillTables(*m_pDlg);
    ASSERT_TRUE(m_pDlg->SaveSettings());
    const std::string strGood = Bytes("VARNOLE.dat");
    // Cut points: in the header, in the hosts, in the groups, after schedule 3 and in the last
    // schedule.
    const std::size_t kCuts[] = {0, 5, 9, 3000, 4000, strGood.size() - 500, strGood.size() - 1};
    for (std::size_t nCut : kCuts) {
        SCOPED_TRACE(nCut);
        std::filesystem::remove_all(platform_test::PathFromUtf8(m_dir.Path()));
        std::filesystem::create_directories(platform_test::PathFromUtf8(m_dir.Path()));
        m_dir.WriteFile("VARNOLE.old", "last good backup");
        m_dir.WriteFile("VARNOLE.dat", strGood.substr(0, nCut));

        CFakeGatherView view;
        testutil::CRecordingMessageBoxView boxes;
        auto pLoaded = NewDialog(view, boxes);
        EXPECT_TRUE(pLoaded->LoadSettings());
        ASSERT_EQ(boxes.m_arrShown.size(), 1u);
        EXPECT_EQ(boxes.m_arrShown[0].m_strCaption, "エラー");
        EXPECT_EQ(boxes.m_arrShown[0].m_eIcon, EMessageIcon::kWarning);
        EXPECT_NE(boxes.m_arrShown[0].m_strText.find(File("VARNOLE.dat")), std::string::npos);
        EXPECT_NE(boxes.m_arrShown[0].m_strText.find(File("VARNOLE.bad")), std::string::npos);
        EXPECT_EQ(pLoaded->Settings().SetAsidePath(), File("VARNOLE.bad"));
        EXPECT_FALSE(m_dir.Exists("VARNOLE.dat"));
        EXPECT_EQ(Bytes("VARNOLE.bad"), strGood.substr(0, nCut));

        // What was read before the cut is kept.
        if (nCut > 4000) {
            EXPECT_EQ(pLoaded->Hosts(), m_pDlg->Hosts());
            EXPECT_EQ(pLoaded->Groups(), m_pDlg->Groups());
            EXPECT_EQ(pLoaded->Schedule(3), m_pDlg->Schedule(3));
            EXPECT_GE(pLoaded->ScheduleList().GetRowCount(), 1);
        } else if (nCut >= 3000) {
            EXPECT_EQ(pLoaded->Hosts()[0], m_pDlg->Hosts()[0]);
        }

        ASSERT_TRUE(pLoaded->SaveSettings());
        EXPECT_EQ(Bytes("VARNOLE.old"), "last good backup");
        EXPECT_TRUE(m_dir.Exists("VARNOLE.dat"));
        EXPECT_TRUE(m_dir.Exists("VARNOLE.bad"));
    }
}

TEST_F(SettingsFileTest, SetAsideNameIsNumberedWhenTaken) {
    m_dir.WriteFile("VARNOLE.bad", "earlier");
    m_dir.WriteFile("VARNOLE(1).bad", "earlier too");
    m_dir.WriteFile("VARNOLE.dat", "junk");
    EXPECT_TRUE(m_pDlg->LoadSettings());
    EXPECT_EQ(m_pDlg->Settings().SetAsidePath(), File("VARNOLE(2).bad"));
    EXPECT_EQ(Bytes("VARNOLE(2).bad"), "junk");
    EXPECT_EQ(Bytes("VARNOLE.bad"), "earlier");
}

TEST_F(SettingsFileTest, FailedWriteLeavesBothFilesAndSaysSo) {
    m_dir.WriteFile("VARNOLE.dat", "current");
    m_dir.WriteFile("VARNOLE.old", "previous");
    FillTables(*m_pDlg);
    m_files.m_nWriteError = platform::kErrorDiskFull;
    m_files.m_nWriteBeforeError = 100;

    EXPECT_FALSE(m_pDlg->SaveSettings());
    EXPECT_EQ(Bytes("VARNOLE.dat"), "current");
    EXPECT_EQ(Bytes("VARNOLE.old"), "previous");
    EXPECT_FALSE(m_dir.Exists("VARNOLE.new"));
    ASSERT_EQ(m_boxes.m_arrShown.size(), 1u);
    EXPECT_EQ(m_boxes.m_arrShown[0].m_strCaption, "エラー");
    EXPECT_EQ(m_boxes.m_arrShown[0].m_eButtons, EMessageButtons::kOk);
    EXPECT_NE(m_boxes.m_arrShown[0].m_strText.find(File("VARNOLE.dat")), std::string::npos);
    EXPECT_NE(m_boxes.m_arrShown[0].m_strText.find("保存できませんでした"), std::string::npos);
}

TEST_F(SettingsFileTest, SaveInterruptedAfterTheTemporaryFileLeavesTheLastFileLoadable) {
    m_pDlg->EditTables().Hosts()[0].m_strHost = "BEFORE";
    ASSERT_TRUE(m_pDlg->SaveSettings());
    ASSERT_TRUE(m_pDlg->SaveSettings());
    const std::string strOld = Bytes("VARNOLE.old");

    m_pDlg->EditTables().Hosts()[0].m_strHost = "AFTER";
    m_files.m_bEndAfterWrite = true;
    EXPECT_THROW(m_pDlg->SaveSettings(), CProcessEnded);

    CFakeGatherView view;
    testutil::CRecordingMessageBoxView boxes;
    auto pLoaded = NewDialog(view, boxes);
    ASSERT_TRUE(pLoaded->LoadSettings());
    EXPECT_TRUE(boxes.m_arrShown.empty());
    EXPECT_EQ(pLoaded->Hosts()[0].m_strHost, "BEFORE");
    EXPECT_EQ(Bytes("VARNOLE.old"), strOld);
}

TEST_F(SettingsFileTest, SaveInterruptedBetweenItsRenamesIsCompletedByTheNextLoad) {
    m_pDlg->EditTables().Hosts()[0].m_strHost = "BEFORE";
    ASSERT_TRUE(m_pDlg->SaveSettings());
    m_pDlg->EditTables().Hosts()[0].m_strHost = "AFTER";
    m_files.m_bEndBeforeReplace = true;
    EXPECT_THROW(m_pDlg->SaveSettings(), CProcessEnded);
    ASSERT_FALSE(m_dir.Exists("VARNOLE.dat"));

    CFakeGatherView view;
    testutil::CRecordingMessageBoxView boxes;
    auto pLoaded = NewDialog(view, boxes);
    ASSERT_TRUE(pLoaded->LoadSettings());
    EXPECT_TRUE(boxes.m_arrShown.empty());
    EXPECT_EQ(pLoaded->Hosts()[0].m_strHost, "AFTER");
    EXPECT_FALSE(m_dir.Exists("VARNOLE.new"));
    EXPECT_EQ(DecodeSettings(Bytes("VARNOLE.old")).m_pHosts->at(0).m_strHost, "BEFORE");
}

TEST_F(SettingsFileTest, UnreadableFileThatCannotBeMovedIsReplacedAndTheBackupKept) {
    m_dir.WriteFile("VARNOLE.dat", "locked");
    m_dir.WriteFile("VARNOLE.old", "previous");
    m_files.m_nReadError = platform::kErrorAccessDenied;
    m_files.m_nRenameError = platform::kErrorAccessDenied;
    m_files.m_strRenameFailSource = "VARNOLE.dat";

    EXPECT_TRUE(m_pDlg->LoadSettings());
    ASSERT_EQ(m_boxes.m_arrShown.size(), 1u);
    EXPECT_NE(m_boxes.m_arrShown[0].m_strText.find(File("VARNOLE.dat")), std::string::npos);
    EXPECT_NE(m_boxes.m_arrShown[0].m_strText.find("VARNOLE.old"), std::string::npos);
    EXPECT_EQ(m_pDlg->Settings().SetAsidePath(), "");
    const CSchedule blank = CSchedule::Blank(m_clock.Now());
    for (const CSchedule& s : m_pDlg->Schedules()) ASSERT_EQ(s, blank);

    m_pDlg->EditTables().Hosts()[0].m_strHost = "NEW";
    ASSERT_TRUE(m_pDlg->SaveSettings());
    EXPECT_EQ(Bytes("VARNOLE.old"), "previous");
    EXPECT_EQ(DecodeSettings(Bytes("VARNOLE.dat")).m_pHosts->at(0).m_strHost, "NEW");
}

}  // namespace
