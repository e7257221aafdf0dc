// Network browsing: provider order, backslashes removed, the local computer when a domain lists
// none, and a provider that fails at once or half-way.
#include <gtest/gtest.h>

#include "hosts/faulty_host_access.h"
#include "hosts/host_test_network.h"
#include "hosts/network_browse.h"
#include "hosts/recording_host_access.h"

namespace {

using Names = std::vector<std::string>;

// A provider that lists what the test says, as the real one does: remote names of computers
// with their two backslashes.
class CListingAccess final : public platform::HostAccess {
public:
    Names m_vecDomains;
    Names m_vecHosts;
    platform::ErrorCode m_nCode = 0;
    std::string m_strAskedDomain;

    platform::ErrorCode ConnectRegistry(const std::string&, platform::HostKey&) override {
        return platform::kErrorBadNetPath;
    }
    platform::ErrorCode AddConnection(const std::string&, const std::string&,
                                      const std::string&) override {
        return platform::kErrorBadNetPath;
    }
    platform::ErrorCode OpenKey(platform::HostKey, const std::string&, std::uint32_t,
                                platform::HostKey&) override {
        return platform::kErrorInvalidHandle;
    }
    platform::ErrorCode QueryValue(platform::HostKey, const std::string&, std::uint32_t*, void*,
                                   std::uint32_t&) override {
        return platform::kErrorInvalidHandle;
    }
    platform::ErrorCode CloseKey(platform::HostKey) override {
        return platform::kErrorInvalidHandle;
    }
    platform::ErrorCode EnumerateDomains(Names& vecDomains) override {
        vecDomains = m_vecDomains;
        return m_nCode;
    }
    platform::ErrorCode EnumerateHosts(const std::string& strDomain, Names& vecHosts) override {
        m_strAskedDomain = strDomain;
        vecHosts = m_vecHosts;
        return m_nCode;
    }
};

TEST(NetworkBrowseTest, HostNamesLoseEveryBackslashAndKeepProviderOrder) {
    CListingAccess access;
    access.m_vecHosts = {"\\\\PC02", "\\\\PC01", "PC03", "\\\\予定PC", "\\\\", "\\\\PC\\04"};
    EXPECT_EQ(EnumerateHostNames(access, "WORKGROUP"),
              (Names{"PC02", "PC01", "PC03", "予定PC", "PC04"}));
    EXPECT_EQ(access.m_strAskedDomain, "WORKGROUP");
}

TEST(NetworkBrowseTest, DomainsComeInProviderOrder) {
    CListingAccess access;
    access.m_vecDomains = {"WORKGROUP", "LAB", "", "経理"};
    EXPECT_EQ(EnumerateDomainNames(access), (Names{"WORKGROUP", "LAB", "経理"}));
}

TEST(NetworkBrowseTest, ProviderFailingHalfWayKeepsWhatCameBefore) {
    CListingAccess access;
    access.m_vecDomains = {"WORKGROUP", "LAB"};
    access.m_vecHosts = {"\\\\PC01"};
    access.m_nCode = platform::kErrorNoNetwork;
    EXPECT_EQ(EnumerateDomainNames(access), (Names{"WORKGROUP", "LAB"}));
    EXPECT_EQ(EnumerateHostNames(access, "LAB"), Names{"PC01"});
}

TEST(NetworkBrowseTest, NoProviderGivesNothingAndTheHostListShowsTheLocalComputer) {
    hosts_test::CRecordingHostAccess access;  // answers every enumeration with 1222
    EXPECT_TRUE(EnumerateDomainNames(access).empty());
    EXPECT_TRUE(EnumerateHostNames(access, "WORKGROUP").empty());
    EXPECT_EQ(ListedHostNames({}, "MYPC"), Names{"MYPC"});
    EXPECT_EQ(ListedHostNames({"PC01"}, "MYPC"), Names{"PC01"});
    EXPECT_EQ(ListedHostNames({}, ""), Names{});
}

TEST(NetworkBrowseTest, SimulatedNetworkListsWorkgroupsAndTheirHosts) {
    platform::ManualClock clock;
    sim::CSimNetworkDescription description;
    std::string strError;
    ASSERT_TRUE(sim::ParseNetworkDescription(
        "workgroup WORKGROUP\nhost PC01\nhost PC02\nworkgroup LAB\nhost SV01\n", description, strError));
    sim::CSimNetwork network(std::move(description), clock, [](std::uint32_t) {});
    EXPECT_EQ(EnumerateDomainNames(network), (Names{"WORKGROUP", "LAB"}));
    EXPECT_EQ(EnumerateHostNames(network, "WORKGROUP"), (Names{"PC01", "PC02"}));
    EXPECT_EQ(EnumerateHostNames(network, "NOWHERE"), Names{});

    hosts_test::CFaultyHostAccess faulty(network);
    faulty.m_nBrowseLimit = 1;
    EXPECT_EQ(EnumerateDomainNames(faulty), Names{"WORKGROUP"});
    EXPECT_EQ(EnumerateHostNames(faulty, "WORKGROUP"), Names{"PC01"});
}

}  // namespace
