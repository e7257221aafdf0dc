// The real network's HostAccess on Windows: the local computer's registry through the same
// contract as the simulation, and the platform's own codes for what it cannot reach.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "hosts/acquisition_check.h"
#include "hosts/host_information.h"
#include "hosts/host_test_network.h"
#include "hosts/registry_text.h"
#include "platform/computer_name.h"
#include "platform/host_access.h"

namespace {

using platform::HostKey;

class NetworkHostAccessTest : public ::testing::Test {
protected:
    std::unique_ptr<platform::HostAccess> m_pAccess = platform::CreateNetworkHostAccess();
};

TEST_F(NetworkHostAccessTest, LocalRegistryFollowsTheMoreDataContract) {
    HostKey hMachine{}, hKey{};
    ASSERT_EQ(m_pAccess->ConnectRegistry("", hMachine), 0u);
    ASSERT_EQ(m_pAccess->OpenKey(hMachine, "Software\\Microsoft\\Windows NT\\CurrentVersion",
                                 platform::kKeyRead, hKey),
              0u);

    std::uint32_t nType = 0;
    std::uint32_t nSize = 0;
    ASSERT_EQ(m_pAccess->QueryValue(hKey, "ProductName", &nType, nullptr, nSize), 0u);
    EXPECT_EQ(nType, platform::kRegSz);
    ASSERT_GT(nSize, 4u);

    std::vector<std::uint8_t> vecData(nSize);
    std::uint32_t nSmall = 2;
    EXPECT_EQ(m_pAccess->QueryValue(hKey, "ProductName", nullptr, vecData.data(), nSmall),
              platform::kErrorMoreData);
    EXPECT_EQ(nSmall, nSize);

    std::string strText;
    EXPECT_EQ(ReadValueText(*m_pAccess, hKey, "ProductName", strText), 0u);
    EXPECT_FALSE(strText.empty());
    std::uint32_t nNone = 0;
    EXPECT_EQ(m_pAccess->QueryValue(hKey, "No Such Value Here", nullptr, nullptr, nNone),
              platform::kErrorFileNotFound);

    HostKey hMissing{};
    EXPECT_EQ(m_pAccess->OpenKey(hMachine, "Software\\No\\Such\\Key", platform::kKeyRead, hMissing),
              platform::kErrorFileNotFound);
    EXPECT_EQ(m_pAccess->CloseKey(hKey), 0u);
    EXPECT_EQ(m_pAccess->CloseKey(hMachine), 0u);
}

TEST_F(NetworkHostAccessTest, UnreachableThingsGiveThePlatformsCodes) {
    HostKey hMachine{};
    EXPECT_NE(m_pAccess->ConnectRegistry("VARNOLE-NO-SUCH-HOST", hMachine), 0u);
    EXPECT_EQ(hMachine, platform::kNoHostKey);
    EXPECT_NE(m_pAccess->AddConnection("\\\\VARNOLE-NO-SUCH-HOST\\IPC$", "admin", "demo"), 0u);
    // Browsing either works or reports why not; either way the lists are replaced.
    std::vector<std::string> vecDomains = {"stale"};
    m_pAccess->EnumerateDomains(vecDomains);
    EXPECT_EQ(std::count(vecDomains.begin(), vecDomains.end(), "stale"), 0);
    std::vector<std::string> vecHosts = {"stale"};
    m_pAccess->EnumerateHosts("WORKGROUP", vecHosts);
    EXPECT_EQ(std::count(vecHosts.begin(), vecHosts.end(), "stale"), 0);
}

// The host information query of host registration, through the real remote-registry calls, of
// the local computer by its own name (the one remote registry Wine serves).
class RealHostInformationTest : public hosts_test::CHostTestBase {
protected:
    std::unique_ptr<platform::HostAccess> m_pAccess = platform::CreateNetworkHostAccess();
    std::string m_strLocal = platform::LocalComputerName();
};

TEST_F(RealHostInformationTest, LocalComputerByItsOwnNameShowsTheLocalHeaderAndItsValues) {
    ASSERT_FALSE(m_strLocal.empty());
    CHostEntry candidate;
    const SHostInformation info =
        QueryHostInformation(*m_pAccess, m_strLocal, m_strLocal, m_log, candidate);
    ASSERT_TRUE(info.m_bSuccess) << info.m_strText;
    EXPECT_EQ(info.m_strText.find("ホスト名:\r\n\t" + m_strLocal +
                                  "\r\n\t(ローカルホスト)\r\nシステム:\r\n\t"),
              0u)
        << info.m_strText;
    // The system's own values: its product name opens the summary, its processor is listed.
    std::string strProduct;
    {
        platform::HostKey hMachine{}, hKey{};
        ASSERT_EQ(m_pAccess->ConnectRegistry("", hMachine), 0u);
        ASSERT_EQ(
            m_pAccess->OpenKey(hMachine, std::string(kCurrentVersionKey), platform::kKeyRead, hKey),
            0u);
        ReadValueText(*m_pAccess, hKey, "ProductName", strProduct);
        m_pAccess->CloseKey(hKey);
        m_pAccess->CloseKey(hMachine);
    }
    ASSERT_FALSE(strProduct.empty());
    EXPECT_EQ(candidate.m_strOsInfo.rfind(strProduct + " ", 0), 0u) << candidate.m_strOsInfo;
    EXPECT_NE(info.m_strText.find("\r\n使用者:\r\n\t"), std::string::npos);
    EXPECT_NE(info.m_strText.find("\r\nCPU:\r\n\t"), std::string::npos) << info.m_strText;
    EXPECT_TRUE(candidate.m_strCpuInfo.ends_with(" MHz")) << candidate.m_strCpuInfo;
}

TEST_F(RealHostInformationTest, AnotherComputerIsRefusedWithThePlatformsReason) {
    CHostEntry candidate;
    const SHostInformation info =
        QueryHostInformation(*m_pAccess, "VARNOLE-NO-SUCH-HOST", m_strLocal, m_log, candidate);
    EXPECT_FALSE(info.m_bSuccess);
    EXPECT_EQ(info.m_strText.rfind("情報が入手できません。\r\n\r\n", 0), 0u);
    ASSERT_EQ(LogRecords().size(), 1u);
    EXPECT_EQ(LogRecords()[0].m_strText, "ホスト名:VARNOLE-NO-SUCH-HOST/RegConnectRegistry");
    EXPECT_NE(LogRecords()[0].m_nCode, 0);
}

TEST_F(RealHostInformationTest, AcquisitionCheckOfTheLocalComputerRunsEveryStep) {
    CAcquisitionCheck check(*m_pAccess, m_log, platform::SystemClock(), m_strLocal);
    const SAcquisitionTexts texts = check.Run(m_strLocal);
    EXPECT_EQ(texts.m_strHost.find("ホスト名:\r\n\t" + m_strLocal +
                                   "\r\n\t(ローカルホスト)\r\n\r\nシステム:"),
              0u)
        << texts.m_strHost;
    // Five timed requests, a data amount and the seven object lines, whatever the blocks hold.
    EXPECT_EQ(texts.m_strAcquisition.find("取得間隔:\n\t1 回目: "), 0u) << texts.m_strAcquisition;
    EXPECT_NE(texts.m_strAcquisition.find("\t5 回目: "), std::string::npos);
    EXPECT_NE(texts.m_strAcquisition.find("\nデータ量:\n\t"), std::string::npos);
    EXPECT_NE(texts.m_strAcquisition.find("　:プロセス情報\n"), std::string::npos);
}

}  // namespace
