// Choosing the process's network from VARNOLE_SIMULATION.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/temp_dir.h"
#include "sim/host_access_choice.h"

namespace {

using platform::HostKey;

TEST(HostAccessChoice, DescriptionSelectsTheSimulation) {
    platform::ManualClock clock(1'700'000'000);
    const sim::CHostAccessChoice choice =
        sim::ChooseHostAccess(platform::ProgramDirectory() + "demo-network.txt", clock);
    ASSERT_NE(choice.m_pAccess, nullptr);
    EXPECT_TRUE(choice.m_bSimulated);
    EXPECT_EQ(choice.m_strError, "");
    HostKey hKey{};
    EXPECT_EQ(choice.m_pAccess->ConnectRegistry("PC01", hKey), 0u);
}

TEST(HostAccessChoice, UnusableDescriptionGivesAnEmptySimulationAndTheReason) {
    platform_test::CTempDir dir;
    dir.WriteFile("net.txt", "workgroup W\nhost PC01\nprocessors many\n");
    platform::ManualClock clock(1'700'000'000);
    for (const std::string& strPath : {dir.Path("net.txt"), dir.Path("absent.txt")}) {
        const sim::CHostAccessChoice choice = sim::ChooseHostAccess(strPath, clock);
        ASSERT_NE(choice.m_pAccess, nullptr);
        EXPECT_TRUE(choice.m_bSimulated);
        EXPECT_TRUE(choice.m_strError.starts_with(strPath + ": ")) << choice.m_strError;
        HostKey hKey{};
        EXPECT_EQ(choice.m_pAccess->ConnectRegistry("PC01", hKey), platform::kErrorBadNetPath);
        std::vector<std::string> vecDomains;
        EXPECT_EQ(choice.m_pAccess->EnumerateDomains(vecDomains), 0u);
        EXPECT_TRUE(vecDomains.empty());
    }
}

TEST(HostAccessChoice, WithoutDescription) {
    platform::ManualClock clock(1'700'000'000);
    const sim::CHostAccessChoice choice = sim::ChooseHostAccess("", clock);
    ASSERT_NE(choice.m_pAccess, nullptr);
    EXPECT_EQ(choice.m_strError, "");
#ifdef _WIN32
    EXPECT_FALSE(choice.m_bSimulated);  // the real network
#else
    EXPECT_TRUE(choice.m_bSimulated);  // an empty network: nothing is reachable
    HostKey hKey{};
    EXPECT_EQ(choice.m_pAccess->ConnectRegistry("PC01", hKey), platform::kErrorBadNetPath);
#endif
}

// CTest runs this program with VARNOLE_SIMULATION naming the demo copy in its directory.
TEST(HostAccessChoice, ProcessNetworkComesFromTheEnvironment) {
    if (sim::SimulationDescriptionPath().empty()) {
        GTEST_SKIP() << "VARNOLE_SIMULATION is not set";
    }
    EXPECT_EQ(sim::SimulationDescriptionPath(), "demo-network.txt");
    EXPECT_EQ(sim::ProcessHostAccessError(), "");
    EXPECT_EQ(&sim::ProcessHostAccess(), &sim::ProcessHostAccess());
    HostKey hKey{};
    ASSERT_EQ(sim::ProcessHostAccess().ConnectRegistry("PC02", hKey), 0u);
    EXPECT_EQ(sim::ProcessHostAccess().CloseKey(hKey), 0u);
}

}  // namespace
