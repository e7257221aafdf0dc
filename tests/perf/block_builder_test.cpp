// The block builder: the published layout, alignment, names, values and time fields it writes.
#include "sim/block_builder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "perf/perf_block.h"
#include "perf/perf_bytes.h"
#include "perf_test_blocks.h"
#include "sim/host_block.h"

namespace {

using namespace perf;
using perftest::Read32;

std::int64_t Read64(const std::vector<std::uint8_t>& b, std::size_t n) {
    return LoadI64(b.data() + n);
}

std::u16string ReadName(const std::vector<std::uint8_t>& b, std::size_t nOffset) {
    std::u16string str;
    for (std::size_t i = nOffset; LoadU16(b.data() + i) != 0; i += 2)
        str.push_back(LoadU16(b.data() + i));
    return str;
}

TEST(BlockBuilder, HeaderFields) {
    sim::CPerfBlockBuilder builder("\xE3\x83\x9B\xE3\x82\xB9\xE3\x83\x88-1");  // ホスト-1
    builder.SetPerfFreq(3579545);
    builder.SetClock(36'000'000'000 + 5'000'000);  // one hour and half a second
    builder.SetSystemTime({2004, 8, 4, 19, 5, 15, 30, 250});
    builder.SetTrailingBytes(5);
    const std::vector<std::uint8_t> b = builder.Build();

    ASSERT_TRUE(IsPerfDataBlock(b));
    EXPECT_EQ(Read32(b, data_block::kLittleEndian), 1u);
    EXPECT_EQ(Read32(b, data_block::kTotalByteLength), b.size());
    EXPECT_EQ(b.size() % 8, 0u);
    EXPECT_EQ(Read32(b, data_block::kHeaderLength), 88u + 16u);  // 5 units + NUL, padded to 8
    EXPECT_EQ(b.size(), 88u + 16u + 8u);                         // the trailing bytes, padded
    EXPECT_EQ(Read32(b, data_block::kNumObjectTypes), 0u);
    EXPECT_EQ(Read32(b, data_block::kDefaultObject), kObjectProcessor);
    EXPECT_EQ(Read32(b, data_block::kSystemNameOffset), 88u);
    EXPECT_EQ(Read32(b, data_block::kSystemNameLength), 12u);
    EXPECT_EQ(ReadName(b, 88), u"\u30DB\u30B9\u30C8-1");
    EXPECT_EQ(LoadU16(b.data() + data_block::kSystemTime), 2004);
    EXPECT_EQ(LoadU16(b.data() + data_block::kSystemTime + 14), 250);
    EXPECT_EQ(Read64(b, data_block::kPerfTime100nSec), 36'005'000'000);
    EXPECT_EQ(Read64(b, data_block::kPerfFreq), 3579545);
    EXPECT_EQ(Read64(b, data_block::kPerfTime), 3600 * 3579545LL + 3579545 / 2);
}

TEST(BlockBuilder, StandardHostLayout) {
    sim::CBlockLayout layout;
    sim::CPerfBlockBuilder builder = perftest::StandardBuilder();
    builder.SetClock(777);
    builder.Object(kObjectProcess)->SetPerfTime(123);
    const std::vector<std::uint8_t> b = builder.Build(&layout);

    const std::uint32_t kOrder[] = {238, 4, 234, 236, 510, 502, 638, 230, 1850};
    ASSERT_EQ(layout.m_vecObjects.size(), std::size(kOrder));
    EXPECT_EQ(layout.m_vecObjects.front().m_nOffset, Read32(b, data_block::kHeaderLength));
    EXPECT_EQ(layout.m_vecObjects.back().m_nOffset + layout.m_vecObjects.back().m_nLength,
              b.size());
    for (std::size_t i = 0; i < layout.m_vecObjects.size(); ++i) {
        const sim::CObjectLayout& o = layout.m_vecObjects[i];
        const sim::CPerfObjectModel& model = builder.Objects()[i];
        SCOPED_TRACE(o.m_nIndex);
        EXPECT_EQ(o.m_nIndex, kOrder[i]);
        EXPECT_EQ(o.m_nOffset % 8, 0u);
        EXPECT_EQ(Read32(b, o.m_nOffset + object_type::kTotalByteLength), o.m_nLength);
        EXPECT_EQ(Read32(b, o.m_nOffset + object_type::kHeaderLength), 64u);
        EXPECT_EQ(Read32(b, o.m_nOffset + object_type::kDefinitionLength),
                  64u + 40u * model.Counters().size());
        EXPECT_EQ(static_cast<std::int32_t>(Read32(b, o.m_nOffset + object_type::kNumInstances)),
                  model.HasInstances() ? static_cast<std::int32_t>(model.Instances().size()) : -1);
        if (i + 1 < layout.m_vecObjects.size()) {
            EXPECT_EQ(o.m_nOffset + o.m_nLength, layout.m_vecObjects[i + 1].m_nOffset);
        }
        EXPECT_EQ(Read64(b, o.m_nOffset + object_type::kPerfTime),
                  o.m_nIndex == kObjectProcess ? 123 : builder.PerfTime());

        // Each value lies inside the counter block, aligned to its size.
        const std::uint32_t nBlockLength = Read32(b, o.m_vecCounterBlocks.front());
        for (std::size_t nDef : o.m_vecCounterDefs) {
            const std::uint32_t nSize = Read32(b, nDef + counter_definition::kCounterSize);
            const std::uint32_t nOffset = Read32(b, nDef + counter_definition::kCounterOffset);
            EXPECT_TRUE(nSize == 4 || nSize == 8);
            EXPECT_EQ(nOffset % nSize, 0u);
            EXPECT_LE(nOffset + nSize, nBlockLength);
        }
        // Instances carry their names; every instance and counter block starts 8-aligned.
        for (std::size_t k = 0; k < o.m_vecInstances.size(); ++k) {
            const std::size_t nInstance = o.m_vecInstances[k];
            EXPECT_EQ(nInstance % 8, 0u);
            EXPECT_EQ(
                ReadName(b, nInstance + Read32(b, nInstance + instance_definition::kNameOffset)),
                sim::Utf8ToUtf16(model.Instances()[k].m_strName));
            EXPECT_EQ(nInstance + Read32(b, nInstance), o.m_vecCounterBlocks[k]);
        }
        for (std::size_t nBlock : o.m_vecCounterBlocks) {
            EXPECT_EQ(nBlock % 8, 0u);
            EXPECT_EQ(Read32(b, nBlock), nBlockLength);
        }
    }
    // The processor has its numbered instances and "_Total"; the disk's precision timer has its
    // time stamp base right behind it, filled from the block's clock.
    EXPECT_EQ(builder.Object(kObjectProcessor)->Instances().back().m_strName, "_Total");
    EXPECT_EQ(builder.Object(kObjectProcessor)->Instances().size(), 3u);
    const sim::CObjectLayout& disk = perftest::ObjectLayout(layout, kObjectPhysicalDisk);
    const std::size_t nBase = disk.m_vecCounterDefs[2];
    EXPECT_EQ(Read32(b, disk.m_vecCounterDefs[1] + counter_definition::kCounterType),
              kPerfPrecision100nsTimer);
    EXPECT_EQ(Read32(b, nBase + counter_definition::kCounterType), sim::kPerfPrecisionTimestamp);
    EXPECT_EQ(Read64(b, disk.m_vecCounterBlocks[0] +
                            Read32(b, nBase + counter_definition::kCounterOffset)),
              777);
}

TEST(BlockBuilder, ValuesAreWrittenAtTheirWidth) {
    sim::CPerfBlockBuilder builder("PC1");
    sim::CPerfObjectModel& object =
        builder.AddObject(77, {{10, 0, 4}, {12, 0, 8}, {14, 0, 4}}, false);
    EXPECT_TRUE(object.SetValue("", 10, 0x1234567890));
    EXPECT_TRUE(object.SetValue("ignored", 12, -2));
    EXPECT_TRUE(object.SetBaseValue("", 12, 9));  // the definition after 12 is 14
    EXPECT_FALSE(object.SetBaseValue("", 14, 1));
    EXPECT_FALSE(object.SetValue("", 99, 1));
    EXPECT_FALSE(builder.SetValue(78, "", 10, 1));
    EXPECT_TRUE(builder.AddValue(77, "", 12, 5));
    EXPECT_EQ(object.Value("", 12), 3);
    const std::int64_t nMax = std::numeric_limits<std::int64_t>::max();
    EXPECT_TRUE(object.SetValue("", 14, nMax));
    EXPECT_TRUE(object.AddValue("", 14, 1));  // wraps like the host's counter
    EXPECT_EQ(object.Value("", 14), std::numeric_limits<std::int64_t>::min());

    const std::vector<std::uint8_t> b = builder.Build();
    EXPECT_EQ(ReadCounter(b, 77, 10, "") & 0xFFFFFFFF, 0x34567890);
    EXPECT_EQ(ReadCounter(b, 77, 12, ""), 3);
    EXPECT_EQ(ReadCounter(b, 77, 14, "") & 0xFFFFFFFF, 0);  // low half of the minimum
}

// Laying a block straight into a caller's buffer gives the very bytes of Build when it fits,
// whatever the buffer held before; a buffer too short is told the size it needs and nothing is
// written past its end.
TEST(BlockBuilder, BuildIntoABufferGivesTheSameBlockOrItsSize) {
    sim::CPerfBlockBuilder builder = perftest::StandardBuilder();
    builder.SetClock(777);
    builder.SetTrailingBytes(100);
    const std::vector<std::uint8_t> expected = builder.Build();

    std::vector<std::uint8_t> exact(expected.size(), 0xCD);
    EXPECT_EQ(builder.BuildInto(exact), expected.size());
    EXPECT_EQ(exact, expected);

    for (const std::size_t nRoom : {std::size_t{0}, std::size_t{3}, std::size_t{100},
                                    expected.size() / 2, expected.size() - 1}) {
        std::vector<std::uint8_t> buffer(nRoom + 16, 0xCD);
        EXPECT_EQ(builder.BuildInto(std::span(buffer).first(nRoom)), expected.size()) << nRoom;
        for (std::size_t i = nRoom; i < buffer.size(); ++i) {
            ASSERT_EQ(buffer[i], 0xCD) << "byte " << i << " written into a buffer of " << nRoom;
        }
    }
}

}  // namespace
