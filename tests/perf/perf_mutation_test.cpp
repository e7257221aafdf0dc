// Seeded random mutation of built blocks: no overread or hang, and nothing past the block is read.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "perf/instance_name.h"
#include "perf/perf_block.h"
#include "perf/perf_figures.h"
#include "perf_test_blocks.h"

namespace {

using namespace perf;

class CMutator {
public:
    explicit CMutator(std::uint32_t nSeed) : m_rng(nSeed) {}

    std::size_t Below(std::size_t n) { return n == 0 ? 0 : m_rng() % n; }

    // A length that sits on or next to a boundary the checks care about.
    std::uint32_t Extreme(std::uint32_t nOriginal, std::size_t nSize) {
        const std::uint32_t arr[] = {0,
                                     1,
                                     3,
                                     4,
                                     7,
                                     8,
                                     23,
                                     24,
                                     39,
                                     40,
                                     63,
                                     64,
                                     87,
                                     88,
                                     0x7FFFFFFF,
                                     0x80000000,
                                     0xFFFFFFFF,
                                     0xFFFFFFF8,
                                     0xFFFFFFFC,
                                     static_cast<std::uint32_t>(nSize),
                                     static_cast<std::uint32_t>(nSize - 1),
                                     static_cast<std::uint32_t>(nSize + 1),
                                     nOriginal + 1,
                                     nOriginal - 1,
                                     nOriginal + 8,
                                     nOriginal - 8,
                                     nOriginal * 2,
                                     static_cast<std::uint32_t>(m_rng())};
        return arr[Below(std::size(arr))];
    }

    void Mutate(std::vector<std::uint8_t>& block, const std::vector<std::size_t>& vecFields) {
        const std::size_t nSteps = 1 + Below(4);
        for (std::size_t i = 0; i < nSteps && !block.empty(); ++i) {
            switch (Below(6)) {
                case 0:  // flip one bit
                    block[Below(block.size())] ^= static_cast<std::uint8_t>(1u << Below(8));
                    break;
                case 1:  // one random byte
                    block[Below(block.size())] = static_cast<std::uint8_t>(m_rng());
                    break;
                case 2:    // a structure field set to an extreme
                case 3: {  // (twice as likely: these are where the checks are)
                    const std::size_t nField = vecFields[Below(vecFields.size())];
                    if (nField + 4 <= block.size()) {
                        perftest::Patch32(block, nField,
                                          Extreme(perftest::Read32(block, nField), block.size()));
                    }
                    break;
                }
                case 4: {  // any aligned 32-bit word set to an extreme
                    const std::size_t nWord = Below(block.size() / 4) * 4;
                    if (nWord + 4 <= block.size()) {
                        perftest::Patch32(block, nWord,
                                          Extreme(perftest::Read32(block, nWord), block.size()));
                    }
                    break;
                }
                default:  // cut the buffer short
                    block.resize(Below(block.size() + 1));
                    break;
            }
        }
    }

private:
    std::mt19937 m_rng;
};

// Blocks of two shapes, each as a pair (the block to mutate, then the good block before it), and
// the structure fields of each: the standard host, and a small host with one processor and long
// names.
struct SBlockPairs {
    std::vector<std::vector<std::uint8_t>> vecBlocks;
    std::vector<std::vector<std::size_t>> vecFields;
};

SBlockPairs MakeBlockPairs() {
    sim::CHostShape small;
    small.m_nProcessors = 1;
    small.m_vecNetworkInterfaces = {"nic"};
    small.m_vecProcesses = {perftest::kJapaneseProcess, std::string(300, 'x'), "_TOTAL"};
    std::vector<sim::CPerfBlockBuilder> vecBuilders = {perftest::StandardBuilder(),
                                                       sim::MakeHostBlockBuilder(small)};
    SBlockPairs pairs;
    for (sim::CPerfBlockBuilder& builder : vecBuilders) {
        perftest::SetFigures(builder, {50'000'000, 1000, 2000, 700});
        builder.SetValue(kObjectProcess, perftest::kJapaneseProcess, sim::kCounterWorkingSet, 99);
        const std::vector<std::uint8_t> before = builder.Build();
        perftest::SetFigures(builder, {60'000'000, 5'001'000, 7'002'000, 650});
        sim::CBlockLayout layout;
        pairs.vecBlocks.push_back(builder.Build(&layout));
        pairs.vecFields.push_back(perftest::StructureFields(layout));
        pairs.vecBlocks.push_back(before);
        pairs.vecFields.push_back(pairs.vecFields.back());
    }
    return pairs;
}

// ReadCounter as the general walk gives it: the object by FindObject, the counter definition and
// the instance by the visiting walks, names compared by decoding both.
std::int64_t GeneralReadCounter(PerfBytes block, std::uint32_t nObject, std::uint32_t nCounter,
                                std::string_view strInstance) {
    const std::optional<CPerfObject> object = FindObject(block, nObject);
    if (!object) return 0;
    std::optional<CPerfCounterDef> counter;
    object->ForEachCounter([&](const CPerfCounterDef& def) {
        if (def.m_nTitleIndex == nCounter) counter = def;
        return !counter;
    });
    if (!counter) return -1;
    std::optional<CPerfCounterBlock> counters;
    if (object->NumInstances() == kPerfNoInstances) {
        counters = object->FindCounterBlock(strInstance);
    } else {
        object->ForEachInstance([&](const CPerfInstance& instance) {
            if (instance.m_bNamed && InstanceNameEquals(instance.m_name, strInstance)) {
                counters = instance.m_counters;
            }
            return !counters;
        });
    }
    if (!counters) return -1;
    return object->ReadValue(*counters, *counter).value_or(-1);
}

TEST(PerfMutation, MutatedBlocksAreReadSafelyAndOnlyUpToTheirLength) {
    const SBlockPairs pairs = MakeBlockPairs();
    const auto& vecBlocks = pairs.vecBlocks;
    const auto& vecFields = pairs.vecFields;

    CMutator mutator(20040819);
    int nUnchangedReports = 0;
    for (int nIteration = 0; nIteration < 4000; ++nIteration) {
        const std::size_t nBase = 2 * mutator.Below(2);
        const std::vector<std::uint8_t>& before = vecBlocks[nBase + 1];
        std::vector<std::uint8_t> block = vecBlocks[nBase];
        mutator.Mutate(block, vecFields[nBase]);
        block.shrink_to_fit();
        const perftest::CReport report = perftest::Report(before, block);
        if (report == perftest::Report(before, vecBlocks[nBase])) ++nUnchangedReports;

        // Cutting the buffer at the block's own length changes nothing.
        const std::size_t nLimit = std::min<std::size_t>(block.size(), BlockTotalByteLength(block));
        const std::vector<std::uint8_t> cut = perftest::Prefix(block, nLimit);
        ASSERT_EQ(perftest::Report(before, cut), report) << "iteration " << nIteration;
    }
    // The mutations reach the walk: most change what is read.
    EXPECT_LT(nUnchangedReports, 2000);
}

// The trigger's decode takes shortcuts: the three objects in one walk, counter definitions and
// instances stepped over without being built, plain ASCII names compared in place. On blocks
// damaged at random they must answer exactly as the general walk does.
TEST(PerfMutation, ShortcutsOfTheDecodeAnswerAsTheGeneralWalk) {
    struct SQuery {
        std::uint32_t nObject;
        std::uint32_t nCounter;
        const char* szInstance;
    };
    static const SQuery kQueries[] = {
        {kObjectProcessor, kCounterProcessorTime, "_Total"},
        {kObjectProcessor, kCounterProcessorTime, "_total"},
        {kObjectProcessor, kCounterProcessorTime, "0"},
        {kObjectProcessor, sim::kCounterUserTime, "_TOTAL"},
        {kObjectPhysicalDisk, kCounterDiskTime, "_Total"},
        {kObjectPhysicalDisk, kCounterDiskTime, "_Tota"},
        {kObjectPhysicalDisk, kCounterDiskTime, "_Totals"},
        {kObjectMemory, kCounterAvailableMBytes, ""},
        {kObjectLogicalDisk, sim::kCounterFreeMegabytes, "c:"},
        {kObjectProcess, sim::kCounterWorkingSet, "_Total"},
        {kObjectProcess, sim::kCounterWorkingSet, ""},
        {kObjectProcess, sim::kCounterWorkingSet, perftest::kJapaneseProcess},
        {kObjectNetworkInterface, sim::kCounterBytesTotalPerSec, "NIC"},
    };
    static constexpr std::uint32_t kTriggerObjects[] = {kObjectPhysicalDisk, kObjectProcessor,
                                                        kObjectMemory};

    const SBlockPairs pairs = MakeBlockPairs();
    CMutator mutator(19930401);
    for (int nIteration = 0; nIteration < 3000; ++nIteration) {
        const std::size_t nBase = 2 * mutator.Below(2);
        std::vector<std::uint8_t> block = pairs.vecBlocks[nBase];
        // Every tenth block is left whole.
        if (nIteration % 10 != 0) mutator.Mutate(block, pairs.vecFields[nBase]);
        block.shrink_to_fit();
        SCOPED_TRACE(nIteration);

        for (const SQuery& q : kQueries) {
            ASSERT_EQ(ReadCounter(block, q.nObject, q.nCounter, q.szInstance),
                      GeneralReadCounter(block, q.nObject, q.nCounter, q.szInstance))
                << q.nObject << " " << q.nCounter << " " << q.szInstance;
        }

        std::optional<CPerfObject> found[3];
        FindObjects(block, kTriggerObjects, found);
        for (std::size_t i = 0; i < 3; ++i) {
            const std::optional<CPerfObject> one = FindObject(block, kTriggerObjects[i]);
            ASSERT_EQ(found[i].has_value(), one.has_value()) << kTriggerObjects[i];
            if (one) {
                ASSERT_EQ(found[i]->Offset(), one->Offset());
            }
        }

        // The snapshot's one walk against each figure on its own, after the same good block.
        const std::vector<std::uint8_t>& before = pairs.vecBlocks[nBase + 1];
        CPerfRateState cpu, disk, cpuAlone, diskAlone;
        TakeSnapshot(before, cpu, disk);
        CpuBusyPercent(before, cpuAlone);
        DiskBusyPercent(before, diskAlone);
        const CPerfSnapshot snapshot = TakeSnapshot(block, cpu, disk);
        ASSERT_EQ(snapshot.m_nCpu, CpuBusyPercent(block, cpuAlone));
        ASSERT_EQ(snapshot.m_nDisk, DiskBusyPercent(block, diskAlone));
        ASSERT_EQ(snapshot.m_nMem, AvailableMegabytes(block));
    }
}

}  // namespace
