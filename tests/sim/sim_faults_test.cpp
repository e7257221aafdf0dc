// Scripted faults: refused connections, failed and unsigned replies, oversized blocks, delays.
#include <gtest/gtest.h>

#include "perf/perf_block.h"
#include "sim_test_network.h"

namespace {

using platform::HostKey;

TEST(SimFaults, RefusedHostIsStillListed) {
    platform::ManualClock clock(1'700'000'000);
    auto pNetwork = sim_test::MakeNetwork("workgroup W\nhost OFF\nrefuse 53\n", clock);
    HostKey hKey{};
    EXPECT_EQ(pNetwork->ConnectRegistry("OFF", hKey), platform::kErrorBadNetPath);
    std::vector<std::string> vecHosts;
    ASSERT_EQ(pNetwork->EnumerateHosts("W", vecHosts), 0u);
    EXPECT_EQ(vecHosts, (std::vector<std::string>{"\\\\OFF"}));
}

TEST(SimFaults, NthRequestsFailOrLoseTheirSignature) {
    platform::ManualClock clock(1'700'000'000);
    auto pNetwork = sim_test::MakeNetwork(
        "workgroup W\nhost H\nfail-request 2 64\nfail-request 4 1722\nbad-signature 3\n", clock);
    const sim_test::SHostKeys keys = sim_test::OpenHost(*pNetwork, "H");
    std::vector<platform::ErrorCode> vecCodes;
    std::vector<bool> vecSigned;
    std::vector<std::uint8_t> vecBlock;
    for (int i = 0; i < 5; ++i) {
        // A reply that does not fit the buffer is not a request of its own.
        EXPECT_EQ(sim_test::Request(*pNetwork, keys.hCounter, vecBlock, 64),
                  platform::kErrorMoreData);
        vecCodes.push_back(sim_test::Request(*pNetwork, keys.hCounter, vecBlock));
        vecSigned.push_back(perf::IsPerfDataBlock(vecBlock));
    }
    EXPECT_EQ(vecCodes, (std::vector<platform::ErrorCode>{0, 64, 0, 1722, 0}));
    EXPECT_EQ(vecSigned, (std::vector<bool>{true, false, false, false, true}));
    EXPECT_EQ(pNetwork->RequestCount("H"), 5u);
}

TEST(SimFaults, UnsignedBlocksKeepTheirContent) {
    platform::ManualClock clock(1'700'000'000);
    auto pNetwork = sim_test::MakeNetwork("workgroup W\nhost H\nbad-signature\n", clock);
    const sim_test::SHostKeys keys = sim_test::OpenHost(*pNetwork, "H");
    std::vector<std::uint8_t> vecBlock;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(sim_test::Request(*pNetwork, keys.hCounter, vecBlock), 0u);
        EXPECT_FALSE(perf::IsPerfDataBlock(vecBlock));
        EXPECT_EQ(perf::BlockTotalByteLength(vecBlock), vecBlock.size());
    }
}

TEST(SimFaults, OversizedBlocksNeedALargerBuffer) {
    platform::ManualClock clock(1'700'000'000);
    auto pNetwork = sim_test::MakeNetwork("workgroup W\nhost H\nblock-size 60000\n", clock);
    const sim_test::SHostKeys keys = sim_test::OpenHost(*pNetwork, "H");
    std::vector<std::uint8_t> vecBlock(51'200, 0xCC);
    std::uint32_t nBytes = 51'200;
    EXPECT_EQ(pNetwork->QueryValue(keys.hCounter, std::string(perf::kPerfObjectList), nullptr,
                                   vecBlock.data(), nBytes),
              platform::kErrorMoreData);
    // Left as given; what the buffer holds is undefined, as with a real host, and not delivered.
    EXPECT_EQ(nBytes, 51'200u);
    EXPECT_EQ(pNetwork->RequestCount("H"), 0u);

    ASSERT_EQ(sim_test::Request(*pNetwork, keys.hCounter, vecBlock, 76'800), 0u);
    EXPECT_EQ(vecBlock.size(), 60'000u);
    EXPECT_TRUE(perf::IsPerfDataBlock(vecBlock));
    EXPECT_EQ(perf::BlockTotalByteLength(vecBlock), 60'000u);
    EXPECT_EQ(perf::ObjectsPresent(vecBlock).size(), 9u);  // the objects are all still there
}

TEST(SimFaults, DelayIsServedPerPerformanceRequestOnly) {
    platform::ManualClock clock(1'700'000'000);
    std::vector<std::uint32_t> vecSlept;
    auto pNetwork = sim_test::MakeNetwork("workgroup W\nhost SLOW\ndelay 1500\nhost FAST\n", clock,
                                          [&](std::uint32_t nMs) { vecSlept.push_back(nMs); });
    const sim_test::SHostKeys keys = sim_test::OpenHost(*pNetwork, "SLOW");
    std::uint32_t nBytes = 0;
    ASSERT_EQ(pNetwork->QueryValue(keys.hCounter, "Counter", nullptr, nullptr, nBytes), 0u);
    EXPECT_TRUE(vecSlept.empty());

    std::vector<std::uint8_t> vecBlock;
    ASSERT_EQ(sim_test::Request(*pNetwork, keys.hCounter, vecBlock), 0u);
    ASSERT_EQ(sim_test::Request(*pNetwork, keys.hCounter, vecBlock), 0u);
    EXPECT_EQ(vecSlept, (std::vector<std::uint32_t>{1500, 1500}));

    const sim_test::SHostKeys fast = sim_test::OpenHost(*pNetwork, "FAST");
    ASSERT_EQ(sim_test::Request(*pNetwork, fast.hCounter, vecBlock), 0u);
    EXPECT_EQ(vecSlept.size(), 2u);
}

}  // namespace
