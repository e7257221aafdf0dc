// A simulated network made from description text, with helpers to fetch blocks from it.
#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "perf/perf_layout.h"
#include "sim/description_parser.h"
#include "sim/sim_network.h"

namespace sim_test {

inline std::unique_ptr<sim::CSimNetwork> MakeNetwork(const std::string& strText,
                                                     const platform::IClock& clock,
                                                     sim::CSimNetwork::Sleeper sleeper = {}) {
    sim::CSimNetworkDescription description;
    std::string strError;
    EXPECT_TRUE(sim::ParseNetworkDescription(strText, description, strError)) << strError;
    if (!sleeper) sleeper = [](std::uint32_t) {};
    return std::make_unique<sim::CSimNetwork>(std::move(description), clock, std::move(sleeper));
}

// The machine key and the Perflib\009 key of a host that must answer.
struct SHostKeys {
    platform::HostKey hMachine{};
    platform::HostKey hCounter{};
};

inline SHostKeys OpenHost(platform::HostAccess& access, const std::string& strHost) {
    SHostKeys keys;
    EXPECT_EQ(access.ConnectRegistry(strHost, keys.hMachine), 0u) << strHost;
    EXPECT_EQ(access.OpenKey(keys.hMachine, sim::kCounterKey, platform::kKeyRead, keys.hCounter),
              0u)
        << strHost;
    return keys;
}

// One performance data request with a buffer of nBuffer bytes; the block (resized to the count
// reported) on success.
inline platform::ErrorCode Request(
    platform::HostAccess& access, platform::HostKey hCounter, std::vector<std::uint8_t>& vecBlock,
    std::uint32_t nBuffer = 1 << 20,
    const std::string& strObjects = std::string(perf::kPerfObjectList)) {
    vecBlock.assign(nBuffer, 0xCC);
    std::uint32_t nBytes = nBuffer;
    const platform::ErrorCode nCode =
        access.QueryValue(hCounter, strObjects, nullptr, vecBlock.data(), nBytes);
    vecBlock.resize(nCode == 0 ? nBytes : 0);
    return nCode;
}

}  // namespace sim_test
