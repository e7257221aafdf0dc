// The block walk on well-formed blocks: signature, objects, counters, instances and raw values.
#include "perf/perf_block.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "perf/perf_figures.h"
#include "perf_test_blocks.h"

namespace {

using namespace perf;
using perftest::BuildFigures;
using perftest::CFigureInputs;

TEST(IsPerfDataBlock, NeedsTheUtf16SignatureInsideTheBuffer) {
    const std::vector<std::uint8_t> block = BuildFigures({});
    struct Case {
        const char* szWhat;
        std::vector<std::uint8_t> bytes;
        bool bExpected;
    };
    const Case cases[] = {
        {"empty", {}, false},
        {"signature only", {'P', 0, 'E', 0, 'R', 0, 'F', 0}, true},
        {"signature cut short", {'P', 0, 'E', 0, 'R', 0, 'F'}, false},
        {"single byte", {'P'}, false},
        {"ASCII signature", {'P', 'E', 'R', 'F', 0, 0, 0, 0}, false},
        {"lower case", {'p', 0, 'e', 0, 'r', 0, 'f', 0}, false},
        {"big-endian code units", {0, 'P', 0, 'E', 0, 'R', 0, 'F'}, false},
        {"built block", block, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsPerfDataBlock(c.bytes.data(), c.bytes.size()), c.bExpected) << c.szWhat;
        EXPECT_EQ(IsPerfDataBlock(PerfBytes(c.bytes)), c.bExpected) << c.szWhat;
    }
    EXPECT_FALSE(IsPerfDataBlock(nullptr, 100));
}

class ReadCounterTest : public ::testing::Test {
protected:
    void SetUp() override {
        sim::CPerfBlockBuilder builder = perftest::StandardBuilder();
        perftest::SetFigures(builder, {123456789, 0x1122334455667788, 987654321012, 2048});
        builder.SetValue(kObjectProcessor, "1", kCounterProcessorTime, 555);
        builder.SetValue(kObjectMemory, "", sim::kCounterCommittedInUse, 0x7777);
        builder.SetValue(kObjectProcess, perftest::kJapaneseProcess, sim::kCounterWorkingSet,
                         3 * 1024 * 1024);
        builder.SetValue(kObjectProcess, "explorer", sim::kCounterWorkingSet, 42);
        builder.SetValue(kObjectTcp, "", sim::kCounterConnectionsEstablished, -5);
        m_vecBlock = builder.Build();
    }
    std::int64_t Read(std::uint32_t nObject, std::uint32_t nCounter, const std::string& strName) {
        return ReadCounter(m_vecBlock, nObject, nCounter, strName);
    }
    std::vector<std::uint8_t> m_vecBlock;
};

TEST_F(ReadCounterTest, FindsValuesByObjectCounterAndInstance) {
    struct Case {
        std::uint32_t nObject;
        std::uint32_t nCounter;
        std::string strInstance;
        std::int64_t nExpected;
    };
    const Case cases[] = {
        {kObjectProcessor, kCounterProcessorTime, "_Total", 0x1122334455667788},
        {kObjectProcessor, kCounterProcessorTime, "_TOTAL", 0x1122334455667788},
        {kObjectProcessor, kCounterProcessorTime, "_total", 0x1122334455667788},
        {kObjectProcessor, kCounterProcessorTime, "1", 555},
        {kObjectProcessor, kCounterProcessorTime, "0", 0},
        {kObjectPhysicalDisk, kCounterDiskTime, "_Total", 987654321012},
        {kObjectProcess, sim::kCounterWorkingSet, perftest::kJapaneseProcess, 3 * 1024 * 1024},
        {kObjectProcess, sim::kCounterWorkingSet, "EXPLORER", 42},
        // Objects without instances ignore the name.
        {kObjectTcp, sim::kCounterConnectionsEstablished, "", 0x00000000FFFFFFFB},
        {kObjectTcp, sim::kCounterConnectionsEstablished, "no such", 0x00000000FFFFFFFB},
        // A 32-bit counter read as 8 bytes carries its neighbour in the high half.
        {kObjectMemory, kCounterAvailableMBytes, "", (std::int64_t{0x7777} << 32) | 2048},
        // Missing instance or counter: -1; missing object: 0.
        {kObjectProcessor, kCounterProcessorTime, "_Tota", -1},
        {kObjectProcessor, kCounterProcessorTime, "_Total ", -1},
        {kObjectProcessor, kCounterProcessorTime, "", -1},
        {kObjectProcessor, 9999, "_Total", -1},
        {kObjectNetworkInterface, sim::kCounterBytesTotalPerSec, "_Total", -1},
        {kObjectMemory, 9999, "", -1},
        {9999, kCounterProcessorTime, "_Total", 0},
        {kObjectProcessor + 1, kCounterProcessorTime, "_Total", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Read(c.nObject, c.nCounter, c.strInstance), c.nExpected)
            << c.nObject << "/" << c.nCounter << "/" << c.strInstance;
    }
}

TEST(PerfObject, VisitsCountersAndInstancesInBlockOrder) {
    sim::CPerfBlockBuilder builder;
    sim::CPerfObjectModel& object = builder.AddObject(
        kObjectNetworkInterface, {{388, kPerfCounterBulkCount, 8}, {520, kPerfCounterRawcount, 4}},
        true);
    object.AddInstance("nic").m_vecValues = {5, 100};
    object.AddInstance("ループバック").m_vecValues = {7, 0xFFFFFFFF};
    builder.SetPerfFreq(1000);
    builder.SetClock(42 * 10'000'000LL);
    const std::vector<std::uint8_t> block = builder.Build();
    const std::optional<CPerfObject> found = FindObject(block, kObjectNetworkInterface);
    ASSERT_TRUE(found);
    std::vector<std::uint32_t> counters;
    found->ForEachCounter([&](const CPerfCounterDef& def) {
        counters.push_back(def.m_nTitleIndex);
        EXPECT_GE(def.m_nByteLength, 40u);
        return true;
    });
    EXPECT_EQ(counters, (std::vector<std::uint32_t>{388, 520}));
    std::vector<std::int64_t> values;
    std::size_t nNamed = 0;
    found->ForEachInstance([&](const CPerfInstance& instance) {
        nNamed += instance.m_bNamed ? 1 : 0;
        values.push_back(*found->ReadValue(instance.m_counters, *found->FindCounter(388)));
        // A 4-byte value reads as the unsigned 32-bit number.
        values.push_back(*found->ReadValue(instance.m_counters, *found->FindCounter(520), 4));
        return true;
    });
    EXPECT_EQ(nNamed, 2u);
    EXPECT_EQ(values, (std::vector<std::int64_t>{5, 100, 7, 0xFFFFFFFF}));
    EXPECT_EQ(found->PerfFreq(), 1000);
    EXPECT_EQ(found->PerfTime(), 42 * 1000);
    EXPECT_EQ(BlockPerfFreq(block), 1000);
    EXPECT_EQ(BlockPerfTime(block), 42 * 1000);
    EXPECT_EQ(BlockPerfTime100nSec(block), 42 * 10'000'000LL);
}

TEST(ObjectsPresent, ListsEveryObjectTheWalkReaches) {
    const std::vector<std::uint8_t> block = BuildFigures({});
    EXPECT_EQ(ObjectsPresent(block),
              (std::set<std::uint32_t>{238, 4, 234, 236, 510, 502, 638, 230, 1850}));

    sim::CPerfBlockBuilder partial("PC2");
    partial.AddObject(kObjectMemory, {{kCounterAvailableMBytes}}, false);
    partial.AddObject(kObjectTcp, {{640}}, false);
    EXPECT_EQ(ObjectsPresent(partial.Build()), (std::set<std::uint32_t>{4, 638}));

    EXPECT_TRUE(ObjectsPresent(sim::CPerfBlockBuilder("PC3").Build()).empty());
    const std::vector<std::uint8_t> notABlock(200, 0x41);
    EXPECT_TRUE(ObjectsPresent(notABlock).empty());
}

TEST(ReadCounter, FirstMatchWinsForObjectsCountersAndInstances) {
    sim::CPerfBlockBuilder builder("PC1");
    sim::CPerfObjectModel& first =
        builder.AddObject(kObjectProcessor, {{6, 0, 8}, {6, 0, 8}}, true);
    first.AddInstance("_Total").m_vecValues = {11, 12};
    first.AddInstance("_total").m_vecValues = {13, 14};
    builder.AddObject(kObjectProcessor, {{6, 0, 8}}, true).AddInstance("_Total").m_vecValues = {21};
    const std::vector<std::uint8_t> block = builder.Build();
    EXPECT_EQ(ReadCounter(block, kObjectProcessor, 6, "_TOTAL"), 11);
}

// Every field is read with memcpy, so a block whose objects sit at odd offsets reads the same
// (the sanitizer would report a misaligned load otherwise).
TEST(ReadCounter, ObjectsAtUnalignedOffsetsReadTheSame) {
    const CFigureInputs in{1000, 77, 88, 99};
    const std::vector<std::uint8_t> aligned = BuildFigures(in);
    const std::size_t nHeader = perftest::Read32(aligned, data_block::kHeaderLength);
    for (std::size_t nShift = 1; nShift < 8; ++nShift) {
        std::vector<std::uint8_t> shifted(aligned.begin(), aligned.begin() + nHeader);
        shifted.insert(shifted.end(), nShift, 0xEE);
        shifted.insert(shifted.end(), aligned.begin() + nHeader, aligned.end());
        perftest::Patch32(shifted, data_block::kHeaderLength, nHeader + nShift);
        perftest::Patch32(shifted, data_block::kTotalByteLength, shifted.size());
        EXPECT_EQ(ReadCounter(shifted, kObjectProcessor, kCounterProcessorTime, "_Total"), 77);
        EXPECT_EQ(ReadCounter(shifted, kObjectPhysicalDisk, kCounterDiskTime, "_Total"), 88);
        EXPECT_EQ(AvailableMegabytes(shifted), 99u);
        EXPECT_EQ(ObjectsPresent(shifted).size(), 9u);
    }
}

// A Memory object whose only counter block is 8 bytes: ByteLength, then the 32-bit Available
// MBytes, which so ends exactly where the object ends.
std::vector<std::uint8_t> MemoryEndingInItsValue(std::uint32_t nMegabytes, bool bObjectAfter) {
    sim::CPerfBlockBuilder builder;
    builder.AddObject(kObjectMemory, {{kCounterAvailableMBytes, kPerfCounterRawcount, 4}}, false);
    if (bObjectAfter) {
        builder.AddObject(kObjectTcp, {{sim::kCounterConnectionsEstablished}}, false);
        builder.SetValue(kObjectTcp, "", sim::kCounterConnectionsEstablished, -1);
    }
    builder.SetValue(kObjectMemory, "", kCounterAvailableMBytes, nMegabytes);
    return builder.Build();
}

TEST(ReadCounter, ThirtyTwoBitValueEndingItsObjectReadsRight) {
    for (const bool bObjectAfter : {false, true}) {
        SCOPED_TRACE(bObjectAfter ? "another object follows" : "the block ends with it");
        const std::vector<std::uint8_t> built = MemoryEndingInItsValue(1536, bObjectAfter);
        // An exactly sized copy: any read past the block is an overread the sanitizers report.
        const std::vector<std::uint8_t> block = perftest::Prefix(built, built.size());
        const std::optional<CPerfObject> memory = FindObject(block, kObjectMemory);
        ASSERT_TRUE(memory.has_value());
        const std::optional<CPerfCounterBlock> counters = memory->FindCounterBlock("");
        ASSERT_TRUE(counters.has_value());
        ASSERT_EQ(counters->m_nOffset + counters->m_nByteLength,
                  memory->Offset() + memory->TotalByteLength())
            << "the counter block ends the object";

        // Nothing beyond the object is taken into the high half.
        EXPECT_EQ(ReadCounter(block, kObjectMemory, kCounterAvailableMBytes, ""), 1536);
        EXPECT_EQ(AvailableMegabytes(block), 1536u);
        CPerfRateState cpu, disk;
        EXPECT_EQ(TakeSnapshot(block, cpu, disk).m_nMem, 1536u) << "the memory figure is real";
    }
}

TEST(BlockBytes, OnlyASignedBlockWithItsWholeHeaderCounts) {
    const std::vector<std::uint8_t> built = BuildFigures({});
    auto withTotal = [&](std::size_t nBytes, std::uint32_t nTotal) {
        std::vector<std::uint8_t> reply = perftest::Prefix(built, nBytes);
        if (nBytes >= data_block::kTotalByteLength + 4) {
            perftest::Patch32(reply, data_block::kTotalByteLength, nTotal);
        }
        return reply;
    };
    struct Case {
        const char* szWhat;
        std::vector<std::uint8_t> reply;
        std::size_t nExpected;  // 0: not a block
    };
    std::vector<std::uint8_t> unsigned_ = built;
    unsigned_[0] = 'Q';
    const Case cases[] = {
        {"whole block", built, built.size()},
        {"no signature", unsigned_, 0},
        {"signature only", perftest::Prefix(built, 8), 0},
        {"8 to 23 bytes: no TotalByteLength", perftest::Prefix(built, 23), 0},
        {"TotalByteLength 0", withTotal(built.size(), 0), 0},
        {"TotalByteLength 7", withTotal(built.size(), 7), 0},
        {"TotalByteLength 87", withTotal(built.size(), 87), 0},
        {"TotalByteLength 88: the header alone", withTotal(built.size(), 88), 88},
        {"buffer of 87 bytes", withTotal(87, 87), 0},
        {"header claims more than arrived", withTotal(200, 100'000), 200},
    };
    for (const Case& c : cases) {
        const PerfBytes bytes = BlockBytes(c.reply);
        EXPECT_EQ(bytes.size(), c.nExpected) << c.szWhat;
        if (!bytes.empty()) {
            EXPECT_EQ(bytes.data(), c.reply.data()) << c.szWhat;
        }
    }
}

TEST(BlockFields, TotalLengthAndTimeBase) {
    std::vector<std::uint8_t> block = BuildFigures({0x0123456789ABCDEF, 0, 0, 0});
    EXPECT_EQ(BlockTotalByteLength(block), block.size());
    EXPECT_EQ(StoredByteLength(block), block.size());
    EXPECT_EQ(BlockPerfTime100nSec(block), 0x0123456789ABCDEF);

    // A header that claims more than arrived: only what arrived can be stored.
    perftest::Patch32(block, data_block::kTotalByteLength, block.size() + 1000);
    EXPECT_EQ(BlockTotalByteLength(block), block.size() + 1000);
    EXPECT_EQ(StoredByteLength(block), block.size());

    const std::vector<std::uint8_t> shortBuffer = perftest::Prefix(block, 23);
    EXPECT_EQ(BlockTotalByteLength(shortBuffer), 0u);
    EXPECT_EQ(BlockPerfTime100nSec(shortBuffer), 0);
}

}  // namespace
