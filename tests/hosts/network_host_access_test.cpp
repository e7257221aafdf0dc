// The real network's HostAccess on Windows: the local computer's registry through the same
// contract as the simulation, and the platform's own codes for what it cannot reach.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "hosts/registry_text.h"
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

}  // namespace
