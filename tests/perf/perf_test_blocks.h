// Blocks for the reader tests: a standard host with chosen figure inputs, exact copies, patching.
#pragma once
#include <cstddef>
#include <cstdint>
#include <set>
#include <span>
#include <stdexcept>
#include <vector>

#include "perf/perf_block.h"
#include "perf/perf_bytes.h"
#include "perf/perf_figures.h"
#include "perf/perf_layout.h"
#include "sim/block_builder.h"
#include "sim/host_block.h"

namespace perftest {

// The raw inputs of the three figures in one sample.
struct CFigureInputs {
    std::int64_t m_nTime = 0;       // PerfTime100nSec
    std::int64_t m_nIdle = 0;       // Processor "_Total" % Processor Time (idle timer)
    std::int64_t m_nDiskTime = 0;   // PhysicalDisk "_Total" % Disk Time (busy timer)
    std::int64_t m_nMegabytes = 0;  // Memory Available MBytes (32-bit counter)
};

// A Japanese process name (メモ帳), to check UTF-16 names end to end.
inline constexpr const char* kJapaneseProcess = "\xE3\x83\xA1\xE3\x83\xA2\xE5\xB8\xB3";

inline sim::CPerfBlockBuilder StandardBuilder() {
    sim::CHostShape shape;
    shape.m_vecProcesses.push_back(kJapaneseProcess);
    return sim::MakeHostBlockBuilder(shape);
}

inline void SetFigures(sim::CPerfBlockBuilder& builder, const CFigureInputs& in) {
    builder.SetClock(in.m_nTime);
    builder.SetValue(perf::kObjectProcessor, "_Total", perf::kCounterProcessorTime, in.m_nIdle);
    builder.SetValue(perf::kObjectPhysicalDisk, "_Total", perf::kCounterDiskTime, in.m_nDiskTime);
    builder.SetValue(perf::kObjectMemory, "", perf::kCounterAvailableMBytes, in.m_nMegabytes);
}

inline std::vector<std::uint8_t> BuildFigures(const CFigureInputs& in,
                                              sim::CBlockLayout* pLayout = nullptr) {
    sim::CPerfBlockBuilder builder = StandardBuilder();
    SetFigures(builder, in);
    return builder.Build(pLayout);
}

// An exactly sized heap copy of the first nSize bytes, so that a read past its end is an
// overread the sanitizers report.
inline std::vector<std::uint8_t> Prefix(std::span<const std::uint8_t> bytes, std::size_t nSize) {
    return std::vector<std::uint8_t>(bytes.begin(),
                                     bytes.begin() + static_cast<std::ptrdiff_t>(nSize));
}

inline void Patch32(std::vector<std::uint8_t>& bytes, std::size_t nOffset, std::uint32_t nValue) {
    perf::StoreLE(bytes.data() + nOffset, nValue);
}

inline std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t nOffset) {
    return perf::LoadU32(bytes.data() + nOffset);
}

inline const sim::CObjectLayout& ObjectLayout(const sim::CBlockLayout& layout,
                                              std::uint32_t nIndex) {
    for (const sim::CObjectLayout& object : layout.m_vecObjects) {
        if (object.m_nIndex == nIndex) return object;
    }
    throw std::out_of_range("object not in the layout");
}

// Everything the reader reports about one block that follows a good one.
struct CReport {
    std::set<std::uint32_t> m_setObjects;
    std::vector<std::int64_t> m_vecValues;
    std::uint32_t m_nCpu = 0;
    std::uint32_t m_nDisk = 0;
    std::uint32_t m_nMem = 0;
    std::int64_t m_nTime = 0;
    bool operator==(const CReport&) const = default;
};

inline CReport Report(const std::vector<std::uint8_t>& before,
                      const std::vector<std::uint8_t>& block) {
    struct Query {
        std::uint32_t nObject;
        std::uint32_t nCounter;
        const char* szInstance;
    };
    using namespace perf;
    static const Query kQueries[] = {
        {kObjectProcessor, kCounterProcessorTime, "_Total"},
        {kObjectProcessor, kCounterProcessorTime, "1"},
        {kObjectPhysicalDisk, kCounterDiskTime, "_Total"},
        {kObjectLogicalDisk, sim::kCounterFreeMegabytes, "C:"},
        {kObjectNetworkInterface, sim::kCounterBytesTotalPerSec, "nic"},
        {kObjectProcess, sim::kCounterWorkingSet, kJapaneseProcess},
        {kObjectProcess, sim::kCounterWorkingSet, "no such process"},
        {kObjectTcp, sim::kCounterConnectionsEstablished, ""},
        {kObject1850, 1852, ""},
    };
    CReport report;
    report.m_setObjects = ObjectsPresent(block);
    for (const Query& q : kQueries) {
        report.m_vecValues.push_back(ReadCounter(block, q.nObject, q.nCounter, q.szInstance));
    }
    // The mutated block follows a good one, so the rate arithmetic meets its values.
    CPerfRateState cpu, disk;
    TakeSnapshot(before, cpu, disk);
    const CPerfSnapshot snapshot = TakeSnapshot(block, cpu, disk);
    report.m_nCpu = snapshot.m_nCpu;
    report.m_nDisk = snapshot.m_nDisk;
    report.m_nMem = snapshot.m_nMem;
    report.m_nTime = BlockPerfTime100nSec(block);
    return report;
}

// Offsets of every length, count and offset field of a built block.
inline std::vector<std::size_t> StructureFields(const sim::CBlockLayout& layout) {
    using namespace perf;
    std::vector<std::size_t> vecFields = {data_block::kTotalByteLength, data_block::kHeaderLength,
                                          data_block::kNumObjectTypes};
    for (const sim::CObjectLayout& object : layout.m_vecObjects) {
        for (std::size_t n : {object_type::kTotalByteLength, object_type::kDefinitionLength,
                              object_type::kHeaderLength, object_type::kObjectNameTitleIndex,
                              object_type::kNumCounters, object_type::kNumInstances}) {
            vecFields.push_back(object.m_nOffset + n);
        }
        for (std::size_t nDef : object.m_vecCounterDefs) {
            vecFields.push_back(nDef + counter_definition::kByteLength);
            vecFields.push_back(nDef + counter_definition::kCounterOffset);
        }
        for (std::size_t nInstance : object.m_vecInstances) {
            vecFields.push_back(nInstance + instance_definition::kByteLength);
            vecFields.push_back(nInstance + instance_definition::kNameOffset);
        }
        for (std::size_t nBlock : object.m_vecCounterBlocks) vecFields.push_back(nBlock);
    }
    return vecFields;
}

}  // namespace perftest
