// Hostile blocks: truncation at every length, lengths and offsets pointing outside, zero lengths.
#include "perf/perf_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "perf/perf_figures.h"
#include "perf_test_blocks.h"

namespace {

using namespace perf;
using perftest::CFigureInputs;
using perftest::Patch32;
using perftest::Read32;

namespace ot = object_type;
namespace cd = counter_definition;
namespace idef = instance_definition;

const CFigureInputs kInputs{0x0102030405060708, 0x1111111111, 0x2222222222, 3333};

// The reads whose results the cases below check.
struct CReadings {
    std::int64_t m_nIdle;      // Processor "_Total" counter 6
    std::int64_t m_nIdleCpu1;  // Processor "1" counter 6
    std::int64_t m_nDisk;      // PhysicalDisk "_Total" counter 200
    std::int64_t m_nMem;       // Memory counter 1382 (low half checked)
    std::size_t m_nObjects;    // objects the walk reaches
};

CReadings Read(const std::vector<std::uint8_t>& block) {
    return {ReadCounter(block, kObjectProcessor, kCounterProcessorTime, "_Total"),
            ReadCounter(block, kObjectProcessor, kCounterProcessorTime, "1"),
            ReadCounter(block, kObjectPhysicalDisk, kCounterDiskTime, "_Total"),
            static_cast<std::int64_t>(AvailableMegabytes(block)), ObjectsPresent(block).size()};
}

class HostileBlockTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::CPerfBlockBuilder builder = perftest::StandardBuilder();
        perftest::SetFigures(builder, kInputs);
        builder.SetValue(kObjectProcessor, "1", kCounterProcessorTime, 0x4444);
        m_vecBlock = builder.Build(&m_layout);
    }
    const sim::CObjectLayout& Object(std::uint32_t nIndex) const {
        return perftest::ObjectLayout(m_layout, nIndex);
    }
    // Definition offset of a counter of an object (the first with that index).
    std::size_t CounterDef(std::uint32_t nObject, std::uint32_t nCounter) const {
        for (std::size_t nDef : Object(nObject).m_vecCounterDefs) {
            if (Read32(m_vecBlock, nDef + cd::kCounterNameTitleIndex) == nCounter) return nDef;
        }
        throw std::out_of_range("counter");
    }
    std::vector<std::uint8_t> m_vecBlock;
    sim::CBlockLayout m_layout;
};

TEST_F(HostileBlockTest, TruncatedAtEveryLength) {
    const CReadings full = Read(m_vecBlock);
    ASSERT_EQ(full.m_nObjects, 9u);
    const std::set<std::uint32_t> fullObjects = ObjectsPresent(m_vecBlock);
    for (const bool bFixTotal : {false, true}) {
        for (std::size_t n = 0; n <= m_vecBlock.size(); ++n) {
            std::vector<std::uint8_t> cut = perftest::Prefix(m_vecBlock, n);
            if (bFixTotal && n >= 24) Patch32(cut, data_block::kTotalByteLength, n);
            const std::set<std::uint32_t> objects = ObjectsPresent(cut);
            // An object is found exactly when it lies wholly inside what arrived.
            for (const sim::CObjectLayout& placed : m_layout.m_vecObjects) {
                EXPECT_EQ(objects.count(placed.m_nIndex) == 1,
                          placed.m_nOffset + placed.m_nLength <= n)
                    << "object " << placed.m_nIndex << " at length " << n;
            }
            const CReadings r = Read(cut);
            const bool bProcessor = objects.count(kObjectProcessor) == 1;
            const bool bDisk = objects.count(kObjectPhysicalDisk) == 1;
            const bool bMemory = objects.count(kObjectMemory) == 1;
            EXPECT_EQ(r.m_nIdle, bProcessor ? full.m_nIdle : 0) << n;
            EXPECT_EQ(r.m_nIdleCpu1, bProcessor ? full.m_nIdleCpu1 : 0) << n;
            EXPECT_EQ(r.m_nDisk, bDisk ? full.m_nDisk : 0) << n;
            EXPECT_EQ(r.m_nMem, bMemory ? full.m_nMem : 0) << n;
            CPerfRateState cpu, disk;
            TakeSnapshot(cut, cpu, disk);
            TakeSnapshot(cut, cpu, disk);
        }
    }
}

// Altered fields and what the walk then reports.
struct CPatch {
    std::size_t m_nOffset;
    std::uint32_t m_nValue;
};

struct FieldCase {
    const char* szWhat;
    std::vector<CPatch> patches;
    CReadings expected;
};

TEST_F(HostileBlockTest, LengthsAndOffsetsThatLeaveTheirStructure) {
    constexpr std::uint32_t kMax = std::numeric_limits<std::uint32_t>::max();
    const std::int64_t kIdle = kInputs.m_nIdle;
    const std::int64_t kDisk = kInputs.m_nDiskTime;
    const std::int64_t kMem = kInputs.m_nMegabytes;
    const std::uint32_t nSize = static_cast<std::uint32_t>(m_vecBlock.size());
    auto field = [&](std::size_t nOffset) { return Read32(m_vecBlock, nOffset); };

    // Objects in build order: 238, 4, 234, 236, 510, 502, 638, 230, 1850.
    const std::size_t nCpu = Object(kObjectProcessor).m_nOffset;
    const std::size_t nMemory = Object(kObjectMemory).m_nOffset;
    const std::size_t nLast = Object(kObject1850).m_nOffset;
    const std::size_t nCpuDef = CounterDef(kObjectProcessor, kCounterProcessorTime);
    const std::size_t nMbDef = CounterDef(kObjectMemory, kCounterAvailableMBytes);
    const std::size_t nMbBlock = Object(kObjectMemory).m_vecCounterBlocks[0];
    const std::size_t nMbBlockEnd = nMbBlock + field(nMbBlock);
    const std::vector<std::size_t>& cpuInstances = Object(kObjectProcessor).m_vecInstances;
    const std::vector<std::size_t>& cpuBlocks = Object(kObjectProcessor).m_vecCounterBlocks;
    const std::size_t nCpu1 = cpuInstances[1];  // instance "1": its name fills bytes 24..31
    const std::uint32_t nCpuBlockLength = field(cpuBlocks[0]);

    // With NumInstances -1 the first instance definition is taken for the counter block: its
    // bytes 8..15 (parent instance 0, unique ID -1) are read, and nothing outside the object.
    const auto kIdAsValue = static_cast<std::int64_t>(0xFFFFFFFF00000000);
    const CReadings kIntact{kIdle, 0x4444, kDisk, kMem, 9};
    const CReadings kNoCpu{-1, -1, kDisk, kMem, 9};
    const CReadings kNoTotal{-1, 0x4444, kDisk, kMem, 9};
    const CReadings kNoCpu1{kIdle, -1, kDisk, kMem, 9};
    const CReadings kNothing{0, 0, 0, 0, 0};
    const CReadings kOnlyCpu{kIdle, 0x4444, 0, 0, 1};

    namespace db = data_block;
    const FieldCase cases[] = {
        {"unchanged", {}, kIntact},
        // Block header.
        {"block TotalByteLength 0", {{db::kTotalByteLength, 0}}, kNothing},
        {"block TotalByteLength 87", {{db::kTotalByteLength, 87}}, kNothing},
        {"block TotalByteLength huge", {{db::kTotalByteLength, kMax}}, kIntact},
        {"block HeaderLength 0", {{db::kHeaderLength, 0}}, kNothing},
        {"block HeaderLength 87", {{db::kHeaderLength, 87}}, kNothing},
        {"block HeaderLength at the end", {{db::kHeaderLength, nSize}}, kNothing},
        {"block HeaderLength huge", {{db::kHeaderLength, kMax - 8}}, kNothing},
        {"NumObjectTypes 0", {{db::kNumObjectTypes, 0}}, kNothing},
        {"NumObjectTypes 2", {{db::kNumObjectTypes, 2}}, {kIdle, 0x4444, 0, kMem, 2}},
        {"NumObjectTypes huge", {{db::kNumObjectTypes, kMax}}, kIntact},
        // Object lengths: the bad object and everything after it are missing.
        {"object TotalByteLength 0", {{nMemory + ot::kTotalByteLength, 0}}, kOnlyCpu},
        {"object TotalByteLength 63", {{nMemory + ot::kTotalByteLength, 63}}, kOnlyCpu},
        {"object TotalByteLength huge", {{nMemory + ot::kTotalByteLength, kMax}}, kOnlyCpu},
        {"object HeaderLength 63", {{nMemory + ot::kHeaderLength, 63}}, kOnlyCpu},
        {"object HeaderLength past DefinitionLength",
         {{nMemory + ot::kHeaderLength, field(nMemory + ot::kDefinitionLength) + 8}},
         kOnlyCpu},
        {"object DefinitionLength past TotalByteLength",
         {{nMemory + ot::kDefinitionLength, field(nMemory + ot::kTotalByteLength) + 8}},
         kOnlyCpu},
        {"last object runs past the block",
         {{nLast + ot::kTotalByteLength, field(nLast + ot::kTotalByteLength) + 8}},
         {kIdle, 0x4444, kDisk, kMem, 8}},
        // Counter definitions (counter 6 is the processor's first).
        {"definition ByteLength 0", {{nCpuDef + cd::kByteLength, 0}}, kNoCpu},
        {"definition ByteLength 39", {{nCpuDef + cd::kByteLength, 39}}, kNoCpu},
        {"definition ByteLength huge", {{nCpuDef + cd::kByteLength, kMax}}, kNoCpu},
        {"NumCounters 0", {{nCpu + ot::kNumCounters, 0}}, kNoCpu},
        {"NumCounters huge, counter found first", {{nCpu + ot::kNumCounters, kMax}}, kIntact},
        {"NumCounters huge, counter absent",
         {{nCpu + ot::kNumCounters, kMax}, {nCpuDef + cd::kCounterNameTitleIndex, 7}},
         kNoCpu},
        {"CounterOffset huge", {{nCpuDef + cd::kCounterOffset, kMax}}, kNoCpu},
        {"CounterOffset wraps with +8", {{nCpuDef + cd::kCounterOffset, kMax - 7}}, kNoCpu},
        {"CounterOffset one past the last value",
         {{nCpuDef + cd::kCounterOffset, nCpuBlockLength - 7}},
         kNoCpu},
        {"value in the last 8 bytes of its block",
         {{nMbDef + cd::kCounterOffset, field(nMbBlock) - 8}, {nMbBlockEnd - 8, 6000}},
         {kIdle, 0x4444, kDisk, 6000, 9}},
        // A 32-bit counter needs only its own 4 bytes inside its counter block.
        {"32-bit value in the last 4 bytes of its block",
         {{nMbDef + cd::kCounterOffset, field(nMbBlock) - 4}, {nMbBlockEnd - 4, 6100}},
         {kIdle, 0x4444, kDisk, 6100, 9}},
        {"32-bit value one byte past its block",
         {{nMbDef + cd::kCounterOffset, field(nMbBlock) - 3}},
         {kIdle, 0x4444, kDisk, 0xFFFFFFFF, 9}},
        {"64-bit value in the last 4 bytes of its block",
         {{nCpuDef + cd::kCounterOffset, nCpuBlockLength - 4}},
         kNoCpu},
        // Instances.
        {"NumInstances 0", {{nCpu + ot::kNumInstances, 0}}, kNoCpu},
        {"NumInstances -2", {{nCpu + ot::kNumInstances, kMax - 1}}, kNoCpu},
        {"NumInstances 2 of 3", {{nCpu + ot::kNumInstances, 2}}, kNoTotal},
        {"NumInstances huge", {{nCpu + ot::kNumInstances, 0x7FFFFFFF}}, kIntact},
        {"NumInstances -1 on an instance object",
         {{nCpu + ot::kNumInstances, kMax}},
         {kIdAsValue, kIdAsValue, kDisk, kMem, 9}},
        {"instance ByteLength 0", {{cpuInstances[0] + idef::kByteLength, 0}}, kNoCpu},
        {"instance ByteLength 23", {{cpuInstances[0] + idef::kByteLength, 23}}, kNoCpu},
        {"instance ByteLength huge", {{nCpu1 + idef::kByteLength, kMax}}, kNoCpu},
        {"counter block ByteLength 0", {{cpuBlocks[0], 0}}, kNoCpu},
        {"counter block ByteLength 3", {{cpuBlocks[0], 3}}, kNoCpu},
        {"counter block ByteLength huge", {{cpuBlocks[1], kMax}}, kNoCpu},
        {"counter block too short for the value", {{cpuBlocks[2], 8}}, kNoTotal},
        {"NameOffset at the counter block", {{nCpu1 + idef::kNameOffset, field(nCpu1)}}, kNoCpu1},
        {"NameOffset huge", {{nCpu1 + idef::kNameOffset, kMax}}, kNoCpu1},
        {"name without its NUL inside the instance",
         {{nCpu1 + idef::kSize, 0x00310031}, {nCpu1 + idef::kSize + 4, 0x00310031}},
         kNoCpu1},
        {"name starting at the instance's last byte",
         {{nCpu1 + idef::kNameOffset, field(nCpu1) - 1}},
         kNoCpu1},
    };
    for (const FieldCase& c : cases) {
        std::vector<std::uint8_t> block = m_vecBlock;
        for (const CPatch& patch : c.patches) Patch32(block, patch.m_nOffset, patch.m_nValue);
        const CReadings r = Read(block);
        EXPECT_EQ(r.m_nIdle, c.expected.m_nIdle) << c.szWhat;
        EXPECT_EQ(r.m_nIdleCpu1, c.expected.m_nIdleCpu1) << c.szWhat;
        EXPECT_EQ(r.m_nDisk, c.expected.m_nDisk) << c.szWhat;
        EXPECT_EQ(r.m_nMem, c.expected.m_nMem) << c.szWhat;
        EXPECT_EQ(r.m_nObjects, c.expected.m_nObjects) << c.szWhat;
    }
}

// The walk stays inside TotalByteLength: whatever lies beyond it in the buffer changes nothing.
TEST_F(HostileBlockTest, BytesBeyondTotalByteLengthAreNeverRead) {
    const std::size_t nCut = Object(kObjectMemory).m_nOffset + Object(kObjectMemory).m_nLength;
    std::vector<std::uint8_t> block = m_vecBlock;
    Patch32(block, data_block::kTotalByteLength, nCut);
    const CReadings before = Read(block);
    for (std::size_t i = nCut; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(i * 7);
    const CReadings after = Read(block);
    EXPECT_EQ(before.m_nObjects, 2u);
    EXPECT_EQ(after.m_nObjects, 2u);
    EXPECT_EQ(after.m_nIdle, kInputs.m_nIdle);
    EXPECT_EQ(after.m_nMem, kInputs.m_nMegabytes);
    EXPECT_EQ(after.m_nDisk, 0);
}

}  // namespace
