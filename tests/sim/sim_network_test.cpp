// The simulated network as a HostAccess: names, logons, keys, the value contract, browsing,
// block contents and time, and several threads at once.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "perf/perf_block.h"
#include "sim/counter_names.h"
#include "sim/host_block.h"
#include "sim/sim_host.h"
#include "sim_test_network.h"

namespace {

using platform::HostKey;

constexpr char kNetwork[] =
    "workgroup WORKGROUP\n"
    "host PC01\n address 192.168.1.11\n"
    "host PC02\n counters-disabled PerfDisk\n counters-disabled PerfOS sz\n"
    "workgroup LAB\n"
    "host SV01\n user Admin demo\n"
    "host DOWN01\n refuse 1231\n";

class SimNetworkTest : public ::testing::Test {
protected:
    platform::ManualClock m_clock{1'700'000'000, 123};
    std::unique_ptr<sim::CSimNetwork> m_pNetwork = sim_test::MakeNetwork(kNetwork, m_clock);
};

TEST_F(SimNetworkTest, HostsAreFoundByNameOrAddressIgnoringCase) {
    HostKey hKey{};
    for (const char* pszName : {"PC01", "pc01", "\\\\Pc01", "192.168.1.11"}) {
        EXPECT_EQ(m_pNetwork->ConnectRegistry(pszName, hKey), 0u) << pszName;
        EXPECT_NE(hKey, platform::kNoHostKey);
        EXPECT_EQ(m_pNetwork->CloseKey(hKey), 0u);
    }
    for (const char* pszName : {"PC9", "", "\\\\", "PC01 "}) {
        EXPECT_EQ(m_pNetwork->ConnectRegistry(pszName, hKey), platform::kErrorBadNetPath)
            << pszName;
        EXPECT_EQ(hKey, platform::kNoHostKey);
    }
    EXPECT_EQ(m_pNetwork->ConnectRegistry("DOWN01", hKey), 1231u);
}

TEST_F(SimNetworkTest, HostWithUserRefusesUntilMatchingIpcLogon) {
    HostKey hKey{};
    EXPECT_EQ(m_pNetwork->ConnectRegistry("SV01", hKey), platform::kErrorAccessDenied);
    EXPECT_EQ(m_pNetwork->AddConnection("\\\\SV01\\IPC$", "Admin", "Demo"),
              platform::kErrorLogonFailure);  // passwords are exact
    EXPECT_EQ(m_pNetwork->AddConnection("\\\\SV01\\IPC$", "guest", "demo"),
              platform::kErrorLogonFailure);
    EXPECT_EQ(m_pNetwork->AddConnection("\\\\SV01\\C$", "admin", "demo"),
              platform::kErrorBadNetName);
    EXPECT_EQ(m_pNetwork->AddConnection("SV01\\IPC$", "admin", "demo"), platform::kErrorBadNetName);
    EXPECT_EQ(m_pNetwork->AddConnection("\\\\NOPE\\IPC$", "admin", "demo"),
              platform::kErrorBadNetPath);
    EXPECT_EQ(m_pNetwork->AddConnection("\\\\DOWN01\\IPC$", "admin", "demo"), 1231u);
    EXPECT_EQ(m_pNetwork->ConnectRegistry("SV01", hKey), platform::kErrorAccessDenied);
    EXPECT_EQ(m_pNetwork->LoggedOnUser("SV01"), "");

    EXPECT_EQ(m_pNetwork->AddConnection("\\\\sv01\\ipc$", "admin", "demo"), 0u);
    EXPECT_EQ(m_pNetwork->LoggedOnUser("sv01"), "admin");
    EXPECT_EQ(m_pNetwork->ConnectRegistry("SV01", hKey), 0u);
    EXPECT_EQ(m_pNetwork->CloseKey(hKey), 0u);
    // Logging on again as the same user is fine; as another user it conflicts.
    EXPECT_EQ(m_pNetwork->AddConnection("\\\\SV01\\IPC$", "ADMIN", "demo"), 0u);
    EXPECT_EQ(m_pNetwork->AddConnection("\\\\SV01\\IPC$", "other", "demo"),
              platform::kErrorSessionCredentialConflict);
    // Hosts without a user accept any logon.
    EXPECT_EQ(m_pNetwork->AddConnection("\\\\PC01\\IPC$", "anyone", ""), 0u);
}

TEST_F(SimNetworkTest, KeysAndValuesFollowTheRegistryContract) {
    HostKey hMachine{}, hKey{}, hSame{};
    ASSERT_EQ(m_pNetwork->ConnectRegistry("PC01", hMachine), 0u);
    ASSERT_EQ(
        m_pNetwork->OpenKey(hMachine, "SOFTWARE\\microsoft\\Windows NT", platform::kKeyRead, hKey),
        0u);
    ASSERT_EQ(m_pNetwork->OpenKey(hKey, "CurrentVersion", platform::kKeyRead, hKey), 0u);
    ASSERT_EQ(m_pNetwork->OpenKey(hKey, "", platform::kKeyRead, hSame), 0u);
    EXPECT_NE(hSame, hKey);
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 4u);  // the intermediate key is still open too

    // Size query, too small, exact.
    std::uint32_t nType = 0, nSize = 0;
    ASSERT_EQ(m_pNetwork->QueryValue(hSame, "productname", &nType, nullptr, nSize), 0u);
    EXPECT_EQ(nType, platform::kRegSz);
    EXPECT_EQ(nSize, 2 * (std::string("Microsoft Windows XP").size() + 1));
    std::vector<std::uint8_t> vecData(nSize, 0xEE);
    std::uint32_t nSmall = nSize - 1;
    EXPECT_EQ(m_pNetwork->QueryValue(hSame, "ProductName", nullptr, vecData.data(), nSmall),
              platform::kErrorMoreData);
    EXPECT_EQ(nSmall, nSize);
    EXPECT_EQ(vecData[0], 0xEE);  // nothing copied
    std::uint32_t nExact = nSize;
    ASSERT_EQ(m_pNetwork->QueryValue(hSame, "ProductName", &nType, vecData.data(), nExact), 0u);
    EXPECT_EQ(vecData[0], 'M');
    EXPECT_EQ(vecData[1], 0);
    EXPECT_EQ(vecData[nSize - 2] | vecData[nSize - 1], 0);

    std::uint32_t nBytes = 0;
    EXPECT_EQ(m_pNetwork->QueryValue(hSame, "NoSuchValue", nullptr, nullptr, nBytes),
              platform::kErrorFileNotFound);
    HostKey hMissing{};
    EXPECT_EQ(m_pNetwork->OpenKey(hMachine, "Software\\Nothing", platform::kKeyRead, hMissing),
              platform::kErrorFileNotFound);
    EXPECT_EQ(
        m_pNetwork->OpenKey(hMachine, "SOFTWARE\\Microsoft\\Windows", platform::kKeyRead, hMissing),
        platform::kErrorFileNotFound);  // only a prefix of "Windows NT"

    // Closing: each key once.
    EXPECT_EQ(m_pNetwork->CloseKey(hSame), 0u);
    EXPECT_EQ(m_pNetwork->CloseKey(hSame), platform::kErrorInvalidHandle);
    EXPECT_EQ(m_pNetwork->QueryValue(hSame, "ProductName", nullptr, nullptr, nBytes),
              platform::kErrorInvalidHandle);
    EXPECT_EQ(m_pNetwork->OpenKey(HostKey{12345}, "", platform::kKeyRead, hMissing),
              platform::kErrorInvalidHandle);
}

TEST_F(SimNetworkTest, BrowsingListsWorkgroupsAndRemoteNamesInOrder) {
    std::vector<std::string> vecList = {"stale"};
    ASSERT_EQ(m_pNetwork->EnumerateDomains(vecList), 0u);
    EXPECT_EQ(vecList, (std::vector<std::string>{"WORKGROUP", "LAB"}));
    ASSERT_EQ(m_pNetwork->EnumerateHosts("lab", vecList), 0u);
    EXPECT_EQ(vecList, (std::vector<std::string>{"\\\\SV01", "\\\\DOWN01"}));
    EXPECT_EQ(m_pNetwork->EnumerateHosts("ELSEWHERE", vecList), platform::kErrorBadNetPath);
    EXPECT_TRUE(vecList.empty());
}

TEST_F(SimNetworkTest, PerformanceDataOnlyFromTheCounterKeyAndForObjectLists) {
    const sim_test::SHostKeys keys = sim_test::OpenHost(*m_pNetwork, "PC01");
    std::vector<std::uint8_t> vecBlock;
    EXPECT_EQ(sim_test::Request(*m_pNetwork, keys.hMachine, vecBlock),
              platform::kErrorFileNotFound);
    for (const char* pszName : {"Global", "238 x", "", "1234567890"}) {
        EXPECT_EQ(sim_test::Request(*m_pNetwork, keys.hCounter, vecBlock, 1 << 20, pszName),
                  platform::kErrorFileNotFound)
            << pszName;
    }
    // Requested objects come in the host's order; unknown ones are simply absent.
    ASSERT_EQ(sim_test::Request(*m_pNetwork, keys.hCounter, vecBlock, 1 << 20, "4 9999 238"), 0u);
    EXPECT_EQ(perf::ObjectsPresent(vecBlock), (std::set<std::uint32_t>{4, 238}));
    ASSERT_TRUE(perf::FindObject(vecBlock, 238).has_value());
    EXPECT_LT(perf::FindObject(vecBlock, 238)->Offset(), perf::FindObject(vecBlock, 4)->Offset());
    // A size query is not a request.
    std::uint32_t nBytes = 0;
    EXPECT_EQ(m_pNetwork->QueryValue(keys.hCounter, "238", nullptr, nullptr, nBytes),
              platform::kErrorMoreData);
    EXPECT_EQ(m_pNetwork->RequestCount("PC01"), 1u);
}

TEST_F(SimNetworkTest, FullBlockHasAllNineObjectsUnlessTheRegistrySwitchesThemOff) {
    std::vector<std::uint8_t> vecBlock;
    const sim_test::SHostKeys pc01 = sim_test::OpenHost(*m_pNetwork, "PC01");
    ASSERT_EQ(sim_test::Request(*m_pNetwork, pc01.hCounter, vecBlock), 0u);
    EXPECT_EQ(perf::ObjectsPresent(vecBlock),
              (std::set<std::uint32_t>{238, 4, 234, 236, 510, 502, 638, 230, 1850}));
    EXPECT_EQ(perf::StoredByteLength(vecBlock), vecBlock.size());

    // PerfOS off as text, PerfDisk off as a number.
    const sim_test::SHostKeys pc02 = sim_test::OpenHost(*m_pNetwork, "PC02");
    ASSERT_EQ(sim_test::Request(*m_pNetwork, pc02.hCounter, vecBlock), 0u);
    EXPECT_EQ(perf::ObjectsPresent(vecBlock), (std::set<std::uint32_t>{510, 502, 638, 230, 1850}));
}

TEST_F(SimNetworkTest, BlockTimesFollowTheClock) {
    const sim_test::SHostKeys keys = sim_test::OpenHost(*m_pNetwork, "PC01");
    std::vector<std::uint8_t> vecBlock;
    ASSERT_EQ(sim_test::Request(*m_pNetwork, keys.hCounter, vecBlock), 0u);
    const std::int64_t nFirst = perf::BlockPerfTime100nSec(vecBlock);
    // 2023-11-14 22:13:20.123 UTC in 100 ns units since 1601.
    EXPECT_EQ(nFirst, (1'700'000'000LL + 11'644'473'600LL) * 10'000'000LL + 1'230'000LL);
    EXPECT_EQ(sim::FileTimeFrom(1'700'000'000, 123), nFirst);
    // SYSTEMTIME: year, month, day of week, day, hour, minute, second, milliseconds.
    const auto field = [&](int i) {
        return vecBlock[perf::data_block::kSystemTime + 2 * i] |
               vecBlock[perf::data_block::kSystemTime + 2 * i + 1] << 8;
    };
    EXPECT_EQ(field(0), 2023);
    EXPECT_EQ(field(1), 11);
    EXPECT_EQ(field(2), 2);  // a Tuesday
    EXPECT_EQ(field(3), 14);
    EXPECT_EQ(field(4), 22);
    EXPECT_EQ(field(5), 13);
    EXPECT_EQ(field(6), 20);
    EXPECT_EQ(field(7), 123);

    m_clock.AdvanceMilliseconds(2'500);
    ASSERT_EQ(sim_test::Request(*m_pNetwork, keys.hCounter, vecBlock), 0u);
    EXPECT_EQ(perf::BlockPerfTime100nSec(vecBlock) - nFirst, 25'000'000);
}

TEST(CounterNames, TableNamesEveryIndexTheBlocksUse) {
    std::set<std::uint32_t> setNamed;
    for (const auto& [nIndex, strName] : sim::EnglishCounterNames()) {
        EXPECT_FALSE(strName.empty());
        EXPECT_TRUE(setNamed.insert(nIndex).second) << "twice: " << nIndex;
    }
    EXPECT_EQ(sim::LastCounterIndex(), *setNamed.rbegin());
    const sim::CPerfBlockBuilder builder = sim::MakeHostBlockBuilder(sim::CHostShape{});
    for (const sim::CPerfObjectModel& object : builder.Objects()) {
        EXPECT_EQ(setNamed.count(object.Index()), 1u) << "object " << object.Index();
        for (const sim::CCounterDefinition& counter : object.Counters()) {
            EXPECT_EQ(setNamed.count(counter.m_nIndex), 1u)
                << "counter " << counter.m_nIndex << " of object " << object.Index();
        }
    }
    // The value starts with "1" and the last index, in UTF-16LE.
    const std::vector<std::uint8_t> vecData = sim::CounterTableData();
    ASSERT_GE(vecData.size(), 8u);
    EXPECT_EQ(vecData[0], '1');
    EXPECT_EQ(vecData[2] | vecData[3], 0);
    EXPECT_EQ(vecData[vecData.size() - 4] | vecData[vecData.size() - 3] |
                  vecData[vecData.size() - 2] | vecData[vecData.size() - 1],
              0);  // the last name's NUL and the list's
}

// Collection threads, one per host, call the network at once.
TEST(SimNetworkThreads, HostsAnswerSeveralThreadsAtOnce) {
    platform::ManualClock clock(1'700'000'000);
    std::string strText = "workgroup W\n";
    for (int i = 0; i < 4; ++i) strText += "host H" + std::to_string(i) + "\nuser u p\n";
    auto pNetwork = sim_test::MakeNetwork(strText, clock);

    constexpr int kRequests = 40;
    std::vector<int> vecGood(4, 0);
    std::vector<std::thread> vecThreads;
    for (int i = 0; i < 4; ++i) {
        vecThreads.emplace_back([&, i] {
            const std::string strHost = "H" + std::to_string(i);
            if (pNetwork->AddConnection("\\\\" + strHost + "\\IPC$", "u", "p") != 0) return;
            for (int n = 0; n < kRequests; ++n) {
                HostKey hMachine{}, hCounter{};
                if (pNetwork->ConnectRegistry(strHost, hMachine) != 0) continue;
                if (pNetwork->OpenKey(hMachine, sim::kCounterKey, platform::kKeyRead, hCounter) ==
                    0) {
                    std::vector<std::uint8_t> vecBlock(1 << 17);
                    std::uint32_t nBytes = static_cast<std::uint32_t>(vecBlock.size());
                    if (pNetwork->QueryValue(hCounter, "238 4 234", nullptr, vecBlock.data(),
                                             nBytes) == 0 &&
                        perf::IsPerfDataBlock(vecBlock.data(), nBytes)) {
                        ++vecGood[static_cast<std::size_t>(i)];
                    }
                    pNetwork->CloseKey(hCounter);
                }
                pNetwork->CloseKey(hMachine);
                if (i == 0) clock.AdvanceMilliseconds(10);  // time moves meanwhile
            }
        });
    }
    for (std::thread& thread : vecThreads) thread.join();
    EXPECT_EQ(vecGood, (std::vector<int>(4, kRequests)));
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(pNetwork->RequestCount("H" + std::to_string(i)), std::uint64_t{kRequests});
    }
    EXPECT_EQ(pNetwork->OpenKeyCount(), 0u);
}

}  // namespace
