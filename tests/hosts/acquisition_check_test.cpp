// The data acquisition check: timings from the tick source, the data amount, the object lines,
// the warnings of switched-off counters, and every failure inline and in the error log.
#include <gtest/gtest.h>

#include <functional>

#include "hosts/acquisition_check.h"
#include "hosts/acquisition_check_dlg.h"
#include "hosts/faulty_host_access.h"
#include "hosts/host_connection.h"
#include "hosts/host_test_network.h"
#include "hosts/recording_host_access.h"
#include "perf/perf_layout.h"

namespace {

using hosts_test::CFaultyHostAccess;

constexpr char kNetwork[] = R"(
workgroup WG
host PC01
    block-size 50000
    delay 1500
host OSNUM
    counters-disabled PerfOS
host OSTEXT
    counters-disabled PerfOS sz
host DISKPROC
    counters-disabled PerfDisk
    counters-disabled PerfProc sz
host ALL
    counters-disabled PerfOS sz
    counters-disabled PerfDisk
    counters-disabled PerfProc
host ODDVALUES
    value SYSTEM\CurrentControlSet\Services\PerfOS\Performance "Disable Performance Counters" dword 2
    value SYSTEM\CurrentControlSet\Services\PerfDisk\Performance "Disable Performance Counters" sz " 1"
    value SYSTEM\CurrentControlSet\Services\PerfProc\Performance "Disable Performance Counters" binary 01 00 00 00
host NOCOUNTERKEYS
    delete SYSTEM\CurrentControlSet\Services
host BADBLOCK
    bad-signature
host DOWN01
    refuse 53
host SV01
    user admin demo
)";

const std::string kObjects(perf::kPerfObjectList);

const std::string kOsWarning =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\PerfOS\\Performanceレジストリーキー内"
    "のDisable Performance Counters値が、1 に設定されているためＣＰＵおよびメモリーに関する稼動デー"
    "タが収集できません。\r\n\r\n";
const std::string kDiskWarning =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\PerfDisk\\Performanceレジストリーキー"
    "内のDisable Performance Counters値が、1 に設定されているため物理ディスクおよび論理ディスクに関"
    "する稼動データが収集できません。\r\n\r\n";
const std::string kProcWarning =
    "\"HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\PerfProc\\Performance\"レジストリー"
    "キー内の\"Disable Performance Counters\"値が、\"1\"に設定されているためプロセスに関する情報の"
    "収集が出来ません。\r\n\r\n";

const std::string kAllObjectsPresent =
    "稼動データ:\n\t○　:CPU "
    "情報\n\t○　:メモリー情報\n\t○　:論理ディスク情報\n\t○　:物理ディスク情報"
    "\n\t○　:ネットワーク (IP)情報\n\t○　:ネットワーク(TCP)情報\n\t○　:プロセス情報\n";

class AcquisitionCheckTest : public hosts_test::CHostTestBase {
protected:
    void SetUp() override { MakeNetwork(kNetwork); }

    SAcquisitionTexts Run(platform::HostAccess& access, const std::string& strHost,
                          const std::string& strLocal = "MYPC") {
        CAcquisitionCheck check(access, m_log, m_clock, strLocal);
        return check.Run(strHost);
    }
};

TEST(AcquisitionTextTest, TimingsAreSecondsRightAlignedInFiveCharacters) {
    EXPECT_EQ(TimingLine(1, 1500), "\t1 回目:   1.5 秒\n");
    EXPECT_EQ(TimingLine(2, 0), "\t2 回目:   0.0 秒\n");
    EXPECT_EQ(TimingLine(3, 12'345), "\t3 回目:  12.3 秒\n");
    EXPECT_EQ(TimingLine(5, 123'456), "\t5 回目: 123.5 秒\n");
    EXPECT_EQ(TimingSummary(1500, 4000),
              "\t------------\n\t最　大:   1.5 秒\n\t平　均:   0.8 秒\n");
}

TEST(AcquisitionTextTest, DataAmountIsThousandsCommaAndThreeDigits) {
    const struct {
        std::uint64_t nBytes;
        const char* pszLine;
    } cases[] = {{12'034, "12,034"}, {51'200, "51,200"}, {0, "0,000"},
                 {999, "0,999"},     {1'000, "1,000"},   {4'294'967'295u, "4294967,295"}};
    for (const auto& c : cases) {
        EXPECT_EQ(DataAmountText(c.nBytes),
                  std::string("\nデータ量:\n\t") + c.pszLine + " バイト/回\n\n")
            << c.nBytes;
    }
}

TEST(AcquisitionTextTest, ObjectLinesMarkWhatTheBlockHolds) {
    EXPECT_EQ(ObjectLinesText({238, 4, 234, 236, 510, 502, 638, 230, 1850}), kAllObjectsPresent);
    EXPECT_EQ(
        ObjectLinesText({4, 230}),
        "稼動データ:\n\t×　:CPU 情報\n\t○　:メモリー情報\n\t×　:論理ディスク情報\n\t×　:物理ディ"
        "スク情報\n\t×　:ネットワーク (IP)情報\n\t×　:ネットワーク(TCP)情報\n\t○　:プロセス情報\n");
}

TEST_F(AcquisitionCheckTest, AnsweringHostShowsTimingsAmountAndObjects) {
    const SAcquisitionTexts texts = Run(*m_pNetwork, "PC01");
    EXPECT_EQ(texts.m_strHost.find("ホスト名:\r\n\tPC01\r\n\r\n\r\nシステム:\r\n\tMicrosoft"), 0u);
    EXPECT_EQ(texts.m_strAcquisition,
              "取得間隔:\n"
              "\t1 回目:   1.5 秒\n\t2 回目:   1.5 秒\n\t3 回目:   1.5 秒\n\t4 回目:   1.5 秒\n"
              "\t5 回目:   1.5 秒\n"
              "\t------------\n\t最　大:   1.5 秒\n\t平　均:   1.5 秒\n"
              "\nデータ量:\n\t50,000 バイト/回\n\n" +
                  kAllObjectsPresent);
    EXPECT_EQ(texts.m_strWarnings, "");
    EXPECT_EQ(m_pNetwork->RequestCount("PC01"), 6u);
    EXPECT_TRUE(LogLines().empty());
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
}

TEST_F(AcquisitionCheckTest, LocalComputerHasTheLocalHeader) {
    EXPECT_EQ(Run(*m_pNetwork, "PC01", "PC01")
                  .m_strHost.find("ホスト名:\r\n\tPC01\r\n\t(ローカルホスト)\r\n\r\nシステム:"),
              0u);
}

TEST_F(AcquisitionCheckTest, WarningsForSwitchedOffCountersStoredAsTextOrNumber) {
    const struct {
        const char* pszHost;
        std::string strWarnings;
        bool bCpuObject;
    } cases[] = {
        {"OSNUM", kOsWarning, false},
        {"OSTEXT", kOsWarning, false},
        {"DISKPROC", kDiskWarning + kProcWarning, true},
        {"ALL", kOsWarning + kDiskWarning + kProcWarning, false},
        {"ODDVALUES", "", true},      // 2, " 1" and a binary 1 are not "1"
        {"NOCOUNTERKEYS", "", true},  // the keys are missing: no warnings, three log entries
    };
    for (const auto& c : cases) {
        const SAcquisitionTexts texts = Run(*m_pNetwork, c.pszHost);
        EXPECT_EQ(texts.m_strWarnings, c.strWarnings) << c.pszHost;
        EXPECT_EQ(texts.m_strAcquisition.find("\t○　:CPU 情報") != std::string::npos, c.bCpuObject)
            << c.pszHost;
    }
    EXPECT_EQ(LogLines(), (std::vector<std::string>(3, "2 RegOpenKeyEx")));
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
}

TEST_F(AcquisitionCheckTest, OneUnreadableWarningValueDropsOnlyItsWarning) {
    CFaultyHostAccess access(*m_pNetwork);
    access.m_mapOpenFails[std::string(kPerfDiskKey)] = platform::kErrorAccessDenied;
    access.m_mapCloseFails[std::string(kPerfOsKey)] = platform::kErrorInvalidHandle;
    const SAcquisitionTexts texts = Run(access, "ALL");
    EXPECT_EQ(texts.m_strWarnings, kProcWarning);
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"6 RegCloseKey", "5 RegOpenKeyEx"}));
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
}

TEST_F(AcquisitionCheckTest, EveryFailedRequestIsShownInlineAndNothingIsCounted) {
    hosts_test::CRecordingHostAccess access;  // connects, opens, and has no data at all
    const SAcquisitionTexts texts = Run(access, "PC01");
    const std::string strFailure = kObjects + SystemErrorText(2) + "\n";
    std::string strExpected = strFailure + "取得間隔:\n";
    for (int i = 1; i <= 5; ++i) strExpected += strFailure + TimingLine(i, 0);
    strExpected += TimingSummary(0, 0) + "\nデータ量:\n\t0,000 バイト/回\n\n" + ObjectLinesText({});
    EXPECT_EQ(texts.m_strAcquisition, strExpected);
    EXPECT_EQ(texts.m_strWarnings, "");
    const std::vector<std::string> vecLines = LogLines();
    EXPECT_EQ(std::count(vecLines.begin(), vecLines.end(), "2 RegQueryValueEx"), 6 + 3);
}

TEST_F(AcquisitionCheckTest, ReplyWithoutSignatureCountsAsAFailedRequest) {
    const SAcquisitionTexts texts = Run(*m_pNetwork, "BADBLOCK");
    const std::string strFailure = kObjects + SystemErrorText(13) + "\n";
    EXPECT_EQ(texts.m_strAcquisition.find(strFailure + "取得間隔:\n" + strFailure), 0u);
    EXPECT_NE(texts.m_strAcquisition.find("\t0,000 バイト/回"), std::string::npos);
    EXPECT_EQ(texts.m_strAcquisition.find("○"), std::string::npos);
    EXPECT_EQ(LogLines(), std::vector<std::string>(6, "13 RegQueryValueEx"));
}

TEST_F(AcquisitionCheckTest, UnreachableHostEndsWithItsReasonAndNoWarnings) {
    for (const char* pszHost : {"DOWN01", "SV01"}) {
        const SAcquisitionTexts texts = Run(*m_pNetwork, pszHost);
        EXPECT_EQ(texts.m_strHost, "") << pszHost;
        EXPECT_EQ(texts.m_strWarnings, "") << pszHost;
        EXPECT_FALSE(texts.m_strAcquisition.empty()) << pszHost;
    }
    EXPECT_EQ(Run(*m_pNetwork, "DOWN01").m_strAcquisition, SystemErrorText(53));
    EXPECT_EQ(LogLines(), (std::vector<std::string>{"53 RegConnentRegistry", "5 RegConnentRegistry",
                                                    "53 RegConnentRegistry"}));
    EXPECT_EQ(m_pNetwork->LoggedOnUser("SV01"), "");  // the check never logs on
}

TEST_F(AcquisitionCheckTest, CounterKeyThatWillNotOpenEndsAfterTheHostText) {
    CFaultyHostAccess access(*m_pNetwork);
    access.m_mapOpenFails[std::string(kCounterKeyPath)] = platform::kErrorFileNotFound;
    const SAcquisitionTexts texts = Run(access, "ALL");
    EXPECT_EQ(texts.m_strHost.find("ホスト名:\r\n\tALL\r\n"), 0u);
    EXPECT_EQ(texts.m_strAcquisition, SystemErrorText(2));
    EXPECT_EQ(texts.m_strWarnings, "");
    EXPECT_EQ(LogLines(), std::vector<std::string>{"2 RegOpenKeyEx"});
    EXPECT_EQ(m_pNetwork->RequestCount("ALL"), 0u);
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
}

class CFakeCheckView final : public IAcquisitionCheckView {
public:
    std::vector<SAcquisitionTexts> m_vecShown;
    std::vector<bool> m_vecWaits;
    int m_nCloses = 0;
    std::function<void()> m_fnOnShow;
    void ShowTexts(const SAcquisitionTexts& texts) override {
        m_vecShown.push_back(texts);
        if (m_fnOnShow) m_fnOnShow();
    }
    void ShowWaitCursor(bool bWait) override { m_vecWaits.push_back(bWait); }
    void Close() override { ++m_nCloses; }
};

TEST_F(AcquisitionCheckTest, DialogEmptiesItsTextsThenShowsTheCheckUnderTheWaitCursor) {
    CAcquisitionCheck check(*m_pNetwork, m_log, m_clock, "MYPC");
    CFakeCheckView view;
    CAcquisitionCheckDlg dlg(view, check);
    dlg.SetHost("DISKPROC");
    dlg.OnInit();
    ASSERT_EQ(view.m_vecShown.size(), 2u);
    EXPECT_EQ(view.m_vecShown[0], SAcquisitionTexts());
    EXPECT_EQ(view.m_vecShown[1].m_strWarnings, kDiskWarning + kProcWarning);
    EXPECT_EQ(view.m_vecWaits, (std::vector<bool>{true, false}));

    // "更新" runs it again; a second press while the texts are being shown is not stacked.
    view.m_fnOnShow = [&] { dlg.OnRefresh(); };
    dlg.OnRefresh();
    EXPECT_EQ(view.m_vecShown.size(), 4u);
    EXPECT_EQ(m_pNetwork->RequestCount("DISKPROC"), 12u);
    dlg.OnOk();
    dlg.OnCancel();
    EXPECT_EQ(view.m_nCloses, 2);
}

}  // namespace
