// The host information of host registration and of the acquisition check: texts, summaries,
// the values' types, and every failure with its error log label.
#include <gtest/gtest.h>

#include "hosts/faulty_host_access.h"
#include "hosts/host_information.h"
#include "hosts/host_test_network.h"
#include "hosts/recording_host_access.h"

namespace {

using hosts_test::CFaultyHostAccess;

constexpr char kNetwork[] = R"(
workgroup WG
host PC01
    os "Microsoft Windows XP" 5.1 2600 "Service Pack 3" "Uniprocessor Free"
    owner "Taro Suzuki" "Example Trading" 76487-OEM-0011903-00102
    cpu GenuineIntel "x86 Family 6 Model 15 Stepping 11" 2394
host NOCSD
    delete "Software\Microsoft\Windows NT\CurrentVersion" CSDVersion
host NOCPU
    delete HARDWARE\DESCRIPTION\System\CentralProcessor
host ODD
    value "Software\Microsoft\Windows NT\CurrentVersion" ProductName multi_sz first second
    value "Software\Microsoft\Windows NT\CurrentVersion" CurrentVersion binary 01 02 03
    value "Software\Microsoft\Windows NT\CurrentVersion" CurrentBuildNumber dword 2600
    value "Software\Microsoft\Windows NT\CurrentVersion" CSDVersion sz ""
    value HARDWARE\DESCRIPTION\System\CentralProcessor\0 ~MHz dword 0xFFFFFFFF
host サーバ01
    owner 鈴木 "株式会社 予定" 1
host DOWN01
    refuse 53
host SV01
    user admin demo
)";

constexpr char kPc01Text[] =
    "ホスト名:\r\n\tPC01\r\n\r\n"
    "システム:\r\n\tMicrosoft Windows XP\r\n\t5.1.2600\r\n\tService Pack 3\r\n\tUniprocessor Free"
    "\r\n\r\n"
    "使用者:\r\n\tTaro Suzuki\r\n\tExample Trading\r\n\t76487-OEM-0011903-00102\r\n\r\n"
    "CPU:\r\n\tGenuineIntel\r\n\tx86 Family 6 Model 15 Stepping 11\r\n\t2394 MHz\r\n\r\n";

class HostInformationTest : public hosts_test::CHostTestBase {
protected:
    void SetUp() override { MakeNetwork(kNetwork); }

    SHostInformation Query(const std::string& strHost, const std::string& strLocal = "MYPC") {
        return QueryHostInformation(*m_pNetwork, strHost, strLocal, m_log, m_candidate);
    }

    CHostEntry m_candidate;
};

TEST_F(HostInformationTest, AnsweringHostGivesTheTextAndTheThreeSummaries) {
    const SHostInformation info = Query("PC01");
    EXPECT_TRUE(info.m_bSuccess);
    EXPECT_EQ(info.m_strText, kPc01Text);
    EXPECT_EQ(m_candidate.m_strOsInfo,
              "Microsoft Windows XP 5.1.2600 Service Pack 3 Uniprocessor Free");
    EXPECT_EQ(m_candidate.m_strOwnerInfo, "Taro Suzuki Example Trading 76487-OEM-0011903-00102");
    EXPECT_EQ(m_candidate.m_strCpuInfo, "GenuineIntel x86 Family 6 Model 15 Stepping 11 2394 MHz");
    EXPECT_TRUE(LogLines().empty());
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
}

TEST_F(HostInformationTest, LocalComputerHeaderIsFollowedAtOnceBySystem) {
    const SHostInformation info = Query("PC01", "PC01");
    ASSERT_TRUE(info.m_bSuccess);
    EXPECT_EQ(info.m_strText.find("ホスト名:\r\n\tPC01\r\n\t(ローカルホスト)\r\nシステム:\r\n"),
              0u);
    // The comparison is exact: another case is another computer.
    EXPECT_EQ(Query("PC01", "pc01").m_strText, kPc01Text);
}

TEST_F(HostInformationTest, MissingServicePackIsAnEmptyFieldAndALogEntry) {
    const SHostInformation info = Query("NOCSD");
    EXPECT_TRUE(info.m_bSuccess);
    EXPECT_NE(info.m_strText.find("\r\n\t5.1.2600\r\n\t\r\n\tMultiprocessor Free"),
              std::string::npos);
    EXPECT_EQ(m_candidate.m_strOsInfo, "Microsoft Windows XP 5.1.2600  Multiprocessor Free");
    EXPECT_EQ(LogLines(), std::vector<std::string>{"2 RegQueryValueEx ... 1st"});
}

TEST_F(HostInformationTest, MissingProcessorKeyDropsTheCpuPartAndKeepsTheOldSummary) {
    m_candidate.m_strCpuInfo = "kept";
    const SHostInformation info = Query("NOCPU");
    EXPECT_TRUE(info.m_bSuccess);
    EXPECT_EQ(info.m_strText.find("CPU:"), std::string::npos);
    EXPECT_TRUE(
        info.m_strText.ends_with("\r\n\r\n使用者:\r\n\tAdministrator\r\n\t\r\n\t"
                                 "76487-OEM-0011903-00102\r\n\r\n"));
    EXPECT_EQ(m_candidate.m_strCpuInfo, "kept");
    EXPECT_FALSE(m_candidate.m_strOsInfo.empty());
    EXPECT_EQ(LogLines(), std::vector<std::string>{"2 RegOpenKeyEx - CentralProcessor"});
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
}

TEST_F(HostInformationTest, NumbersAreDecimalAndOtherTypesEmpty) {
    const SHostInformation info = Query("ODD");
    ASSERT_TRUE(info.m_bSuccess);
    // A multi-string product name and a binary version are shown empty; the build number as a
    // number is written in decimal; an empty string stays empty; ~MHz is signed.
    EXPECT_EQ(m_candidate.m_strOsInfo, " .2600  Multiprocessor Free");
    EXPECT_EQ(m_candidate.m_strCpuInfo, "GenuineIntel x86 Family 6 Model 15 Stepping 11 -1 MHz");
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(HostInformationTest, JapaneseNamesAndValuesPassUnchanged) {
    const SHostInformation info = Query("サーバ01");
    ASSERT_TRUE(info.m_bSuccess);
    EXPECT_EQ(info.m_strText.find("ホスト名:\r\n\tサーバ01\r\n\r\n"), 0u);
    EXPECT_EQ(m_candidate.m_strOwnerInfo, "鈴木 株式会社 予定 1");
}

TEST_F(HostInformationTest, RefusedConnectionFailsWithTheReasonAndKeepsTheSummaries) {
    m_candidate.m_strOsInfo = "old os";
    m_candidate.m_strOwnerInfo = "old owner";
    m_candidate.m_strCpuInfo = "old cpu";
    const CHostEntry before = m_candidate;
    for (const char* pszHost : {"DOWN01", "SV01", "NOSUCHHOST"}) {
        const SHostInformation info = Query(pszHost);
        EXPECT_FALSE(info.m_bSuccess) << pszHost;
        EXPECT_EQ(m_candidate, before) << pszHost;
    }
    const auto records = LogRecords();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(hosts_test::RecordLine(records[0]), "53 ホスト名:DOWN01/RegConnectRegistry");
    EXPECT_EQ(hosts_test::RecordLine(records[1]), "5 ホスト名:SV01/RegConnectRegistry");
    EXPECT_EQ(hosts_test::RecordLine(records[2]), "53 ホスト名:NOSUCHHOST/RegConnectRegistry");
    EXPECT_EQ(Query("DOWN01").m_strText, "情報が入手できません。\r\n\r\n" + SystemErrorText(53));
    EXPECT_FALSE(SystemErrorText(53).empty());
}

TEST_F(HostInformationTest, TheMachineIsNamedWithTwoBackslashes) {
    hosts_test::CRecordingHostAccess access;
    access.m_dequeConnect = {platform::kErrorBadNetPath};
    QueryHostInformation(access, "PC01", "MYPC", m_log, m_candidate);
    ASSERT_EQ(access.CallsOf("connect").size(), 1u);
    EXPECT_EQ(access.CallsOf("connect")[0].strArg, "\\\\PC01");
}

TEST_F(HostInformationTest, OperatingSystemKeyThatWillNotOpenFailsTheQuery) {
    CFaultyHostAccess access(*m_pNetwork);
    access.m_mapOpenFails[std::string(kCurrentVersionKey)] = platform::kErrorAccessDenied;
    const SHostInformation info = QueryHostInformation(access, "PC01", "MYPC", m_log, m_candidate);
    EXPECT_FALSE(info.m_bSuccess);
    EXPECT_EQ(info.m_strText, "情報が入手できません。\r\n\r\n" + SystemErrorText(5));
    EXPECT_TRUE(m_candidate.m_strOsInfo.empty());
    EXPECT_EQ(LogLines(), std::vector<std::string>{"5 ホスト名:PC01/OS Infoemation"});
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
}

TEST_F(HostInformationTest, SizeAndReadFailuresCarryTheirOwnLabels) {
    CFaultyHostAccess access(*m_pNetwork);
    access.m_mapSizeFails["ProductName"] = platform::kErrorAccessDenied;
    access.m_mapReadFails["RegisteredOwner"] = platform::kErrorInvalidData;
    access.m_mapOpenFails[std::string(kCentralProcessorKey)] = platform::kErrorAccessDenied;
    const SHostInformation info = QueryHostInformation(access, "PC01", "MYPC", m_log, m_candidate);
    EXPECT_TRUE(info.m_bSuccess);
    EXPECT_EQ(m_candidate.m_strOsInfo, " 5.1.2600 Service Pack 3 Uniprocessor Free");
    EXPECT_EQ(m_candidate.m_strOwnerInfo, " Example Trading 76487-OEM-0011903-00102");
    EXPECT_EQ(LogLines(),
              (std::vector<std::string>{"5 RegQueryValueEx ... 1st", "13 RegQueryValueEx ... 2nd",
                                        "5 RegOpenKeyEx - CentralProcessor"}));
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
}

TEST_F(HostInformationTest, HostileValueSizesAreRefusedNotAllocated) {
    hosts_test::CRecordingHostAccess access;
    access.m_mapValues["ProductName"] = {'x', 0};
    access.m_nClaimedSize = 0xFFFFFFF0u;  // the host claims almost 4 GB
    const SHostInformation info = QueryHostInformation(access, "PC01", "MYPC", m_log, m_candidate);
    EXPECT_TRUE(info.m_bSuccess);
    EXPECT_EQ(LogLines().front(), "8 RegQueryValueEx ... 1st");
}

TEST_F(HostInformationTest, CheckTextHasItsOwnHeaderAndGoesOnWithoutTheSystemKey) {
    platform::HostKey hMachine{};
    ASSERT_EQ(m_pNetwork->ConnectRegistry("PC01", hMachine), 0u);
    EXPECT_EQ(CheckHostInformationText(*m_pNetwork, hMachine, "PC01", "MYPC", m_log),
              "ホスト名:\r\n\tPC01\r\n\r\n\r\n" +
                  std::string(kPc01Text).substr(std::string("ホスト名:\r\n\tPC01\r\n\r\n").size()));
    EXPECT_EQ(CheckHostInformationText(*m_pNetwork, hMachine, "PC01", "PC01", m_log)
                  .find("ホスト名:\r\n\tPC01\r\n\t(ローカルホスト)\r\n\r\nシステム:"),
              0u);

    CFaultyHostAccess access(*m_pNetwork);
    access.m_mapOpenFails[std::string(kCurrentVersionKey)] = platform::kErrorAccessDenied;
    EXPECT_EQ(CheckHostInformationText(access, hMachine, "PC01", "MYPC", m_log),
              SystemErrorText(5) +
                  "CPU:\r\n\tGenuineIntel\r\n\tx86 Family 6 Model 15 Stepping 11\r\n\t2394 MHz"
                  "\r\n\r\n");
    EXPECT_EQ(LogLines(), std::vector<std::string>{"5 RegOpenKeyEx"});
    m_pNetwork->CloseKey(hMachine);
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
}

}  // namespace
