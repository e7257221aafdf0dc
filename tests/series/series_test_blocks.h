// Blocks of a simulated host whose counters grow at chosen levels, and data files holding them.
#pragma once
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "datafile/counter_name_map.h"
#include "datafile/data_file_header.h"
#include "datafile/data_file_writer.h"
#include "perf/perf_layout.h"
#include "platform/temp_dir.h"
#include "sim/block_builder.h"
#include "sim/counter_names.h"
#include "sim/host_block.h"

namespace seriestest {

constexpr std::int64_t kSecond = 10'000'000;  // PerfTime100nSec units
// 2024-08-19 05:00:00 UTC.
constexpr platform::Time kStart = 1'724'043'600;

// What a host did during the interval that ends with a sample.
struct CLevels {
    CLevels(double dUser = 0, double dPrivileged = 0, std::int64_t nMegabytes = 0,
            std::int64_t nKilobytes = 0, double dPhysical = 0, double dLogical = 0,
            std::vector<double> vecNetwork = {})
        : m_dUser(dUser),
          m_dPrivileged(dPrivileged),
          m_nMegabytes(nMegabytes),
          m_nKilobytes(nKilobytes),
          m_dPhysical(dPhysical),
          m_dLogical(dLogical),
          m_vecNetwork(std::move(vecNetwork)) {}

    double m_dUser = 0;        // % User Time
    double m_dPrivileged = 0;  // % Privileged Time; processor busy is the sum
    std::int64_t m_nMegabytes = 0;
    std::int64_t m_nKilobytes = 0;
    double m_dPhysical = 0;  // PhysicalDisk "_Total" % Disk Time
    double m_dLogical = 0;   // LogicalDisk "_Total" % Disk Time
    std::vector<double> m_vecNetwork;  // bytes per second of each interface, in shape order
};

// A host's counters, moved by levels; every Next builds one block.
class CHostBlocks {
public:
    explicit CHostBlocks(sim::CHostShape shape = sim::CHostShape())
        : m_shape(std::move(shape)), m_builder(sim::MakeHostBlockBuilder(m_shape)) {
        m_builder.SetClock(m_nClock);
    }

    sim::CPerfBlockBuilder& Builder() { return m_builder; }
    const sim::CHostShape& Shape() const { return m_shape; }

    // Advances the clock by dSeconds spent at these levels and builds the block.
    std::vector<std::uint8_t> Next(const CLevels& levels, double dSeconds = 1) {
        const auto n = static_cast<std::int64_t>(std::llround(dSeconds * kSecond));
        const auto share = [&](double dPercent) {
            return static_cast<std::int64_t>(std::llround(n * dPercent / 100.0));
        };
        using namespace perf;
        m_nClock += n;
        m_builder.SetClock(m_nClock);
        m_builder.AddValue(kObjectProcessor, "_Total", kCounterProcessorTime,
                           n - share(levels.m_dUser + levels.m_dPrivileged));
        m_builder.AddValue(kObjectProcessor, "_Total", sim::kCounterUserTime,
                           share(levels.m_dUser));
        m_builder.AddValue(kObjectProcessor, "_Total", sim::kCounterPrivilegedTime,
                           share(levels.m_dPrivileged));
        m_builder.SetValue(kObjectMemory, "", kCounterAvailableMBytes, levels.m_nMegabytes);
        m_builder.SetValue(kObjectMemory, "", sim::kCounterAvailableKBytes, levels.m_nKilobytes);
        m_builder.AddValue(kObjectPhysicalDisk, "_Total", kCounterDiskTime,
                           share(levels.m_dPhysical));
        m_builder.AddValue(kObjectLogicalDisk, "_Total", kCounterDiskTime,
                           share(levels.m_dLogical));
        for (std::size_t i = 0; i < levels.m_vecNetwork.size(); ++i) {
            m_builder.AddValue(kObjectNetworkInterface, m_shape.m_vecNetworkInterfaces.at(i),
                               sim::kCounterBytesTotalPerSec,
                               std::llround(levels.m_vecNetwork[i] * dSeconds));
        }
        return m_builder.Build();
    }

    // Builds a block of the current values without moving anything.
    std::vector<std::uint8_t> Same() const { return m_builder.Build(); }

    // Moves the clock without moving the counters (a block built next sees no time pass).
    void SetClock(std::int64_t n100ns) {
        m_nClock = n100ns;
        m_builder.SetClock(m_nClock);
    }
    std::int64_t Clock() const { return m_nClock; }

private:
    sim::CHostShape m_shape;
    sim::CPerfBlockBuilder m_builder;
    std::int64_t m_nClock = 1'000 * kSecond;
};

// The English counter-name table of the simulated hosts, as a data file header stores it.
inline CCounterNameMap EnglishNames() {
    CCounterNameMap names;
    for (const auto& [nIndex, strName] : sim::EnglishCounterNames()) {
        names[std::to_string(nIndex)] = std::string(strName);
    }
    return names;
}

// A sample of a data file: its time and block.
struct CTimedBlock {
    platform::Time m_tTime = 0;
    std::vector<std::uint8_t> m_vecBlock;
};

// Writes a finished data file of these samples into the directory and returns its path.
inline std::string WriteDataFile(const platform_test::CTempDir& dir, const std::string& strHost,
                                 const std::vector<CTimedBlock>& vecSamples,
                                 const CCounterNameMap& names = EnglishNames(),
                                 std::uint32_t nBranch = 1) {
    CDataFileWriter writer;
    const platform::Time tStart = vecSamples.empty() ? kStart : vecSamples.front().m_tTime;
    if (writer.Create(dir.Path() + platform::kPathSeparator, strHost, 1, tStart) != 0) return {};
    CDataFileHeader header;
    header.m_strHost = strHost;
    header.m_strExecId = "2408-0001";
    header.m_nBranch = nBranch;
    header.m_tStart = tStart;
    writer.WriteHeader(header, names);
    for (const CTimedBlock& sample : vecSamples) {
        writer.WriteSample(sample.m_tTime,
                           perf::PerfBytes(sample.m_vecBlock.data(), sample.m_vecBlock.size()));
    }
    if (writer.Finish() != 0) return {};
    return writer.FinishedPath();
}

// Writes a finished piece of a run of schedule 1 into the directory: nSamples samples one second apart from
// tFirst of a host at steady levels. Returns the file's path.
inline std::string WriteRunPiece(const platform_test::CTempDir& dir, CHostBlocks& host,
                                 const std::string& strHost, const std::string& strExecId,
                                 std::uint32_t nBranch, platform::Time tFirst, int nSamples) {
    CDataFileWriter writer;
    if (writer.Create(dir.Path() + platform::kPathSeparator, strHost, 1, tFirst) != 0) return {};
    CDataFileHeader header;
    header.m_strHost = strHost;
    header.m_strExecId = strExecId;
    header.m_nBranch = nBranch;
    header.m_tStart = tFirst;
    writer.WriteHeader(header, EnglishNames());
    for (int i = 0; i < nSamples; ++i) {
        writer.WriteSample(tFirst + i, host.Next({20, 5, 512, 524'288, 10, 10, {100}}));
    }
    if (writer.Finish() != 0) return {};
    return writer.FinishedPath();
}

}  // namespace seriestest
