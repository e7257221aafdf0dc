// The shipped demo network through Gather's host access: connection test, counter names,
// performance data, host information values and the scripted troubles of its hosts.
#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "common/recording_message_box_view.h"
#include "hosts/connection_check.h"
#include "hosts/counter_name_reader.h"
#include "hosts/host_connection.h"
#include "hosts/perf_query.h"
#include "hosts/registry_text.h"
#include "logs/error_log_reader.h"
#include "perf/perf_figures.h"
#include "perf/perf_layout.h"
#include "platform/files.h"
#include "platform/temp_dir.h"
#include "sim/description_parser.h"
#include "sim/sim_network.h"

namespace {

using platform::HostKey;

class DemoNetworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::CSimNetworkDescription description;
        std::string strError;
        // The build copies the demo description next to the test program.
        ASSERT_TRUE(sim::LoadNetworkDescription(platform::ProgramDirectory() + "demo-network.txt",
                                                description, strError))
            << strError;
        m_pNetwork = std::make_unique<sim::CSimNetwork>(
            std::move(description), m_clock, [this](std::uint32_t nMs) { m_nSlept += nMs; });
        m_pHosts = std::make_unique<CHostTable>();
        (*m_pHosts)[0].m_strHost = "SV01";
        (*m_pHosts)[0].m_strUser = "admin";
        (*m_pHosts)[0].m_strPassword = "demo";
    }

    // Connects (with the stored logon where needed) and opens the counter key.
    void Open(const std::string& strHost, HostKey& hMachine, HostKey& hCounter) {
        ASSERT_EQ(ConnectHost(*m_pNetwork, strHost, *m_pHosts, hMachine), 0u) << strHost;
        ASSERT_EQ(OpenCounterKey(*m_pNetwork, hMachine, hCounter), 0u) << strHost;
    }

    std::string ValueText(HostKey hMachine, const std::string& strKey, const std::string& strName,
                          platform::ErrorCode* pCode = nullptr) {
        HostKey hKey = platform::kNoHostKey;
        platform::ErrorCode nCode = m_pNetwork->OpenKey(hMachine, strKey, platform::kKeyRead, hKey);
        std::string strText;
        if (nCode == 0) {
            nCode = ReadValueText(*m_pNetwork, hKey, strName, strText);
            m_pNetwork->CloseKey(hKey);
        }
        if (pCode != nullptr) *pCode = nCode;
        return strText;
    }

    platform::ManualClock m_clock{1'800'000'000, 250};
    std::uint32_t m_nSlept = 0;
    std::unique_ptr<sim::CSimNetwork> m_pNetwork;
    std::unique_ptr<CHostTable> m_pHosts;
};

TEST_F(DemoNetworkTest, ConnectionTestPassesOrExplainsForEveryHost) {
    platform_test::CTempDir dir;
    CErrorLog log(m_clock, dir.Path(), "VARNOLE_ERR_hosts_demo_test");
    testutil::CRecordingMessageBoxView view;
    CMessageBoxes show(view);
    for (const char* pszHost :
         {"PC01", "PC02", "PC03", "PC04", "SV02", "SV03", "pc01", "192.168.10.12"}) {
        EXPECT_TRUE(TestConnection(*m_pNetwork, pszHost, log, show)) << pszHost;
    }
    EXPECT_TRUE(view.m_arrShown.empty());

    EXPECT_FALSE(TestConnection(*m_pNetwork, "DOWN01", log, show));
    EXPECT_FALSE(TestConnection(*m_pNetwork, "SV01", log, show));  // no logon yet
    ASSERT_EQ(view.m_arrShown.size(), 2u);
    EXPECT_EQ(view.m_arrShown[0].m_strCaption, "接続テスト [DOWN01]");
    EXPECT_EQ(view.m_arrShown[0].m_strText, SystemMessage(53));
    EXPECT_EQ(view.m_arrShown[1].m_strCaption, "接続テスト [SV01]");
    EXPECT_EQ(view.m_arrShown[1].m_strText, SystemMessage(5));

    // After the IPC$ logon SV01 answers the test too.
    EXPECT_EQ(ConnectIpc(*m_pNetwork, "sv01", "admin", "demo"), 0u);
    EXPECT_TRUE(TestConnection(*m_pNetwork, "SV01", log, show));

    CErrorLogContents contents;
    ASSERT_EQ(ReadErrorLog(dir.Path("VARNOLE.err"), contents), 0u);
    ASSERT_EQ(contents.m_arrRecords.size(), 2u);
    EXPECT_EQ(contents.m_arrRecords[0].m_nCode, 53);
    EXPECT_EQ(contents.m_arrRecords[1].m_nCode, 5);
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
}

TEST_F(DemoNetworkTest, EveryReachableHostServesCounterNamesAndPerformanceData) {
    for (const char* pszHost : {"PC01", "PC02", "PC03", "PC04", "SV01", "SV02", "SV03"}) {
        SCOPED_TRACE(pszHost);
        HostKey hMachine{}, hCounter{};
        Open(pszHost, hMachine, hCounter);
        if (HasFatalFailure()) return;

        CCounterNameMap names;
        ASSERT_EQ(ReadCounterNames(*m_pNetwork, hCounter, names), 0u);
        EXPECT_EQ(names["238"], "Processor");
        EXPECT_EQ(names["4"], "Memory");
        EXPECT_EQ(names["1382"], "Available MBytes");
        EXPECT_EQ(names["1"], "1856");

        // Two samples a second apart: the figures are those of the load models.
        CPerfData data;
        perf::CPerfRateState cpu, disk;
        for (int i = 0; i < 2; ++i) {
            ASSERT_EQ(QueryPerfData(*m_pNetwork, hCounter, data), 0u);
            ASSERT_TRUE(perf::IsPerfDataBlock(data.Block()));
            const perf::CPerfSnapshot snapshot = perf::TakeSnapshot(data.Block(), cpu, disk);
            EXPECT_LE(snapshot.m_nCpu, 100u);
            m_clock.AdvanceSeconds(1);
        }
        EXPECT_EQ(perf::StoredByteLength(data.Block()), data.m_nBytes);
        EXPECT_EQ(CloseHost(*m_pNetwork, hCounter, hMachine), 0u);
    }
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
    EXPECT_EQ(m_pNetwork->LoggedOnUser("SV01"), "admin");

    HostKey hMachine{};
    EXPECT_EQ(ConnectHost(*m_pNetwork, "DOWN01", *m_pHosts, hMachine), platform::kErrorBadNetPath);
}

TEST_F(DemoNetworkTest, HostsShowTheirScriptedBehaviour) {
    HostKey hMachine{}, hCounter{};
    CPerfData data;

    // PC03: blocks of 100,000 bytes after two growth steps, with all nine objects.
    Open("PC03", hMachine, hCounter);
    ASSERT_EQ(QueryPerfData(*m_pNetwork, hCounter, data), 0u);
    EXPECT_EQ(data.m_nBytes, 100'000u);
    EXPECT_EQ(data.m_vecBuffer.size(), 102'400u);
    EXPECT_EQ(perf::ObjectsPresent(data.Block()).size(), 9u);
    CloseHost(*m_pNetwork, hCounter, hMachine);

    // PC04: disk and process objects switched off; each request waits 0.4 s.
    Open("PC04", hMachine, hCounter);
    ASSERT_EQ(QueryPerfData(*m_pNetwork, hCounter, data), 0u);
    const std::set<std::uint32_t> setPc04 = perf::ObjectsPresent(data.Block());
    EXPECT_EQ(setPc04.count(perf::kObjectProcessor), 1u);
    EXPECT_EQ(setPc04.count(perf::kObjectPhysicalDisk) + setPc04.count(perf::kObjectLogicalDisk) +
                  setPc04.count(perf::kObjectProcess),
              0u);
    EXPECT_EQ(m_nSlept, 400u);
    CloseHost(*m_pNetwork, hCounter, hMachine);

    // SV02: request 3 fails with 64, request 6 has no signature.
    Open("SV02", hMachine, hCounter);
    std::vector<platform::ErrorCode> vecCodes;
    std::vector<bool> vecValid;
    for (int i = 0; i < 7; ++i) {
        vecCodes.push_back(QueryPerfData(*m_pNetwork, hCounter, data));
        vecValid.push_back(perf::IsPerfDataBlock(data.Block()));
    }
    EXPECT_EQ(vecCodes, (std::vector<platform::ErrorCode>{0, 0, 64, 0, 0, 0, 0}));
    EXPECT_EQ(vecValid, (std::vector<bool>{true, true, false, true, true, false, true}));
    CloseHost(*m_pNetwork, hCounter, hMachine);

    // SV03: processor and memory objects switched off.
    Open("SV03", hMachine, hCounter);
    ASSERT_EQ(QueryPerfData(*m_pNetwork, hCounter, data), 0u);
    const std::set<std::uint32_t> setSv03 = perf::ObjectsPresent(data.Block());
    EXPECT_EQ(setSv03.count(perf::kObjectProcessor) + setSv03.count(perf::kObjectMemory), 0u);
    EXPECT_EQ(setSv03.count(perf::kObjectPhysicalDisk), 1u);
    CloseHost(*m_pNetwork, hCounter, hMachine);
}

// A job reports a failed request as "host/" + the system text; a scripted code without a text
// would leave that line ending in "/".
TEST(DemoNetworkScript, EveryScriptedFailureCodeHasASystemText) {
    sim::CSimNetworkDescription description;
    std::string strError;
    ASSERT_TRUE(sim::LoadNetworkDescription(platform::ProgramDirectory() + "demo-network.txt",
                                            description, strError))
        << strError;
    std::set<platform::ErrorCode> setCodes;
    for (const sim::CSimHostDefinition& host : description.m_vecHosts) {
        if (host.m_faults.m_nRefuseCode != 0) setCodes.insert(host.m_faults.m_nRefuseCode);
        for (const auto& [nRequest, nCode] : host.m_faults.m_mapFailRequest) setCodes.insert(nCode);
    }
    EXPECT_FALSE(setCodes.empty()) << "the demo network scripts its failures";
    for (const platform::ErrorCode nCode : setCodes) {
        EXPECT_FALSE(SystemMessage(nCode).empty()) << nCode;
    }
}

TEST_F(DemoNetworkTest, HostInformationAndWarningValuesAreThere) {
    HostKey hMachine{};
    const std::string strVersion = "Software\\Microsoft\\Windows NT\\CurrentVersion";
    const std::string strCpu = "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0";
    const auto disabled = [](const char* pszService) {
        return std::string("SYSTEM\\CurrentControlSet\\Services\\") + pszService + "\\Performance";
    };

    ASSERT_EQ(m_pNetwork->ConnectRegistry("PC02", hMachine), 0u);
    EXPECT_EQ(ValueText(hMachine, strVersion, "ProductName"), "Microsoft Windows 2000");
    EXPECT_EQ(ValueText(hMachine, strVersion, "CurrentVersion"), "5.0");
    EXPECT_EQ(ValueText(hMachine, strVersion, "RegisteredOwner"), "Hanako Sato");
    EXPECT_EQ(ValueText(hMachine, strCpu, "VendorIdentifier"), "AuthenticAMD");
    EXPECT_EQ(ValueText(hMachine, strCpu, "~MHz"), "1800");  // a 32-bit value
    EXPECT_EQ(ValueText(hMachine, disabled("PerfOS"), "Disable Performance Counters"), "0");
    m_pNetwork->CloseKey(hMachine);

    ASSERT_EQ(m_pNetwork->ConnectRegistry("PC04", hMachine), 0u);
    platform::ErrorCode nCode = 0;
    EXPECT_EQ(ValueText(hMachine, strVersion, "CSDVersion", &nCode), "");
    EXPECT_EQ(nCode, platform::kErrorFileNotFound);
    EXPECT_EQ(ValueText(hMachine, disabled("PerfDisk"), "Disable Performance Counters"), "1");
    EXPECT_EQ(ValueText(hMachine, disabled("PerfProc"), "Disable Performance Counters"), "1");
    m_pNetwork->CloseKey(hMachine);

    ASSERT_EQ(m_pNetwork->ConnectRegistry("SV03", hMachine), 0u);
    ValueText(hMachine, strCpu, "Identifier", &nCode);
    EXPECT_EQ(nCode, platform::kErrorFileNotFound);  // the key itself is missing
    EXPECT_EQ(ValueText(hMachine, strVersion, "CurrentType"), "Multiprocessor Free");
    m_pNetwork->CloseKey(hMachine);
}

}  // namespace
