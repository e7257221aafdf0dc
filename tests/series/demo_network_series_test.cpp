// The demo network's hosts deliver every counter the eight series need, with the counter types
// of a real Windows host, and their load models come out as recognisable shapes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "host_recorder.h"
#include "perf/perf_layout.h"
#include "platform/files.h"
#include "series/counter_reading.h"
#include "series/series_builder.h"

namespace {

using namespace series;

constexpr platform::Time kStart = 1'800'000'000;
constexpr int kSamples = 130;

// The CounterType a Windows host gives each choice's counter (memory sizes come as 32-bit or
// 64-bit counts, depending on the Windows version).
bool IsWindowsType(int nChoice, std::uint32_t nType) {
    using namespace perf;
    switch (nChoice) {
        case 0:
            return nType == kPerf100nsecTimerInv;
        case 1:
        case 2:
            return nType == kPerf100nsecTimer;
        case 3:
        case 4:
            return nType == kPerfCounterRawcount || nType == kPerfCounterLargeRawcount;
        case 5:
        case 6:
            return nType == kPerfPrecision100nsTimer;
        case 7:
            return nType == kPerfCounterBulkCount;
    }
    return false;
}

// One host's samples turned into the eight series, and the counter types its first block has.
struct CHostSeries {
    std::vector<CSeries> m_vecSeries;
    std::map<int, std::uint32_t> m_mapTypes;  // choices whose counter the block holds
};

CHostSeries SampleHost(const std::string& strHost, const std::string& strUser = {},
                       const std::string& strPassword = {}) {
    CHostSeries result;
    CSimHostSampler sampler;
    std::string strError;
    const std::string strDescription = platform::ProgramDirectory() + "demo-network.txt";
    EXPECT_TRUE(sampler.Open(strDescription, strHost, strUser, strPassword, kStart, strError))
        << strHost << ": " << strError;
    std::vector<CSeriesBuilder> builders;
    for (const CCounterChoice& choice : CounterChoices()) {
        builders.emplace_back(choice).BeginFile(strHost, sampler.Names());
    }
    CPerfData data;
    for (int i = 0; i < kSamples; ++i) {
        if (sampler.Sample(data)) {
            for (CSeriesBuilder& builder : builders) builder.AddSample(kStart + i, data.Block());
            if (result.m_mapTypes.empty()) {
                for (int nChoice = 0; nChoice < 8; ++nChoice) {
                    const CCounterChoice& choice = CounterChoices()[nChoice];
                    CCounterReading reading;
                    ReadCounterSample(data.Block(), LocateCounter(sampler.Names(), choice),
                                      choice.m_eInstances, reading);
                    if (reading.m_eResult == EReading::kFound) {
                        result.m_mapTypes[nChoice] = reading.m_nCounterType;
                    }
                }
            }
        }
        sampler.Clock().AdvanceSeconds(1);
    }
    for (CSeriesBuilder& builder : builders) result.m_vecSeries.push_back(builder.TakeSeries());
    return result;
}

// Each host is sampled once for all tests (the busy server's blocks take a while to build).
const CHostSeries& Host(const std::string& strHost) {
    static std::map<std::string, CHostSeries> s_mapHosts;
    auto it = s_mapHosts.find(strHost);
    if (it == s_mapHosts.end()) {
        const bool bLogon = strHost == "SV01";
        it = s_mapHosts
                 .emplace(strHost, SampleHost(strHost, bLogon ? "admin" : "", bLogon ? "demo" : ""))
                 .first;
    }
    return it->second;
}

std::set<double> DistinctValues(const CSeries& series) {
    std::set<double> values;
    for (const CSeriesPoint& point : series.Points()) {
        if (!point.IsGap()) values.insert(std::round(point.m_dValue * 1000) / 1000);
    }
    return values;
}

TEST(DemoNetworkSeries, EveryHostDeliversItsCountersWithWindowsTypes) {
    struct Case {
        const char* szHost;
        std::set<int> setMissing;  // switched off in the host's registry
    };
    const Case cases[] = {
        {"PC01", {}},
        {"PC02", {}},
        {"PC03", {}},
        {"PC04", {5, 6}},
        {"SV01", {}},
        {"SV02", {}},
        {"SV03", {0, 1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        const CHostSeries& host = Host(c.szHost);
        ASSERT_EQ(host.m_vecSeries.size(), 8u);
        for (int nChoice = 0; nChoice < 8; ++nChoice) {
            const std::string strWhat =
                std::string(c.szHost) + " " + std::string(CounterChoices()[nChoice].m_strText);
            const CSeries& series = host.m_vecSeries[nChoice];
            if (c.setMissing.count(nChoice) != 0) {
                EXPECT_EQ(host.m_mapTypes.count(nChoice), 0u) << strWhat;
                EXPECT_EQ(series.ValueCount(), 0u) << strWhat;
                continue;
            }
            ASSERT_EQ(host.m_mapTypes.count(nChoice), 1u) << strWhat;
            EXPECT_TRUE(IsWindowsType(nChoice, host.m_mapTypes.at(nChoice)))
                << strWhat << ": type 0x" << std::hex << host.m_mapTypes.at(nChoice);
            // Every sample but the first of a rate has a value (SV02 loses two of its requests
            // and the rate after each).
            const bool bRate = nChoice != 3 && nChoice != 4;
            const std::size_t nDelivered = series.Points().size();
            EXPECT_GE(series.ValueCount() + (bRate ? 1u : 0u) +
                          (c.szHost == std::string("SV02") ? 2u : 0u),
                      nDelivered)
                << strWhat;
            EXPECT_GE(series.Minimum(), 0) << strWhat;
        }
    }
}

TEST(DemoNetworkSeries, LoadModelsDrawAsTheirShapes) {
    // PC01: processor in a square wave between 10 and 85 percent; user time is 7/10 of it,
    // privileged time the rest; network traffic follows it; the disks stand at 4 percent.
    const CHostSeries& pc01 = Host("PC01");
    EXPECT_EQ(DistinctValues(pc01.m_vecSeries[0]), (std::set<double>{10, 85}));
    EXPECT_EQ(DistinctValues(pc01.m_vecSeries[1]), (std::set<double>{3, 25.5}));
    EXPECT_EQ(DistinctValues(pc01.m_vecSeries[2]), (std::set<double>{7, 59.5}));
    EXPECT_EQ(DistinctValues(pc01.m_vecSeries[5]), (std::set<double>{4}));
    EXPECT_EQ(DistinctValues(pc01.m_vecSeries[6]), (std::set<double>{4}));
    EXPECT_EQ(DistinctValues(pc01.m_vecSeries[7]), (std::set<double>{52'000, 427'000}));
    // Memory wanders within its walk's bounds; kilobytes are the megabytes times 1024.
    const CSeries& megabytes = pc01.m_vecSeries[3];
    const CSeries& kilobytes = pc01.m_vecSeries[4];
    EXPECT_GE(megabytes.Minimum(), 600);
    EXPECT_LE(megabytes.Maximum(), 1800);
    ASSERT_EQ(megabytes.Points().size(), kilobytes.Points().size());
    for (std::size_t i = 0; i < megabytes.Points().size(); ++i) {
        EXPECT_NEAR(kilobytes.Points()[i].m_dValue, megabytes.Points()[i].m_dValue * 1024, 512);
    }

    // PC02: the processor ramps from 5 towards 95 percent over ten minutes.
    const CSeries& ramp = Host("PC02").m_vecSeries[0];
    double dPrevious = 0;
    for (const CSeriesPoint& point : ramp.Points()) {
        if (point.IsGap()) continue;
        EXPECT_GE(point.m_dValue, dPrevious - 1e-9);
        dPrevious = point.m_dValue;
    }
    EXPECT_NEAR(ramp.Minimum(), 5 + 90.0 / 600, 0.01);
    EXPECT_NEAR(ramp.Maximum(), 5 + 90.0 * (kSamples - 1) / 600, 0.01);

    // PC04: a constant processor load draws flat.
    EXPECT_EQ(DistinctValues(Host("PC04").m_vecSeries[0]), (std::set<double>{30}));

    // SV01: the disks in a square wave of 10 and 140 percent (several disks busy at once).
    const CHostSeries& sv01 = Host("SV01");
    EXPECT_EQ(DistinctValues(sv01.m_vecSeries[5]), (std::set<double>{10, 140}));

    // PC03: two interfaces added up, disks walking between 20 and 380 percent.
    const CHostSeries& pc03 = Host("PC03");
    const CSeries& cpu = pc03.m_vecSeries[0];
    const CSeries& network = pc03.m_vecSeries[7];
    for (std::size_t i = 0; i < cpu.Points().size(); ++i) {
        if (cpu.Points()[i].IsGap()) continue;
        EXPECT_NEAR(network.Points()[i].m_dValue, 2 * (2000 + 5000 * cpu.Points()[i].m_dValue),
                    2.0);
    }
    EXPECT_GE(pc03.m_vecSeries[5].Minimum(), 20);
    EXPECT_LE(pc03.m_vecSeries[5].Maximum(), 380);
}

}  // namespace

namespace {

// A data folder that does not exist: nothing is recorded, and the message names the folder,
// since no file name has been chosen yet.
TEST(DemoNetworkSeries, AMissingDataFolderIsNamedInTheError) {
    CRecordRequest request;
    request.m_strDescription = platform::ProgramDirectory() + "demo-network.txt";
    request.m_strHost = "PC01";
    request.m_strDataDir = platform::ProgramDirectory() + "no-such-folder-for-recording";
    request.m_tStart = kStart;
    request.m_nSamples = 3;
    CRecordResult result;
    std::string strError;
    EXPECT_FALSE(RecordSimulatedHost(request, result, strError));
    EXPECT_NE(strError.find("cannot create a data file in " + request.m_strDataDir),
              std::string::npos)
        << strError;
    EXPECT_TRUE(result.m_vecPaths.empty());
}

}  // namespace
