// The series of each counter from simulated blocks: values, gaps, instances, tables, files.
#include "series/series_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "perf/perf_test_blocks.h"
#include "series_test_blocks.h"

namespace {

using namespace series;
using seriestest::CHostBlocks;
using seriestest::CLevels;
using seriestest::kSecond;
using seriestest::kStart;

constexpr double kGap = NAN;

// The values of a series (NaN for gaps), for comparing with an expectation.
std::vector<double> Values(const CSeries& series) {
    std::vector<double> vec;
    for (const CSeriesPoint& point : series.Points()) vec.push_back(point.m_dValue);
    return vec;
}

void ExpectValues(const CSeries& series, const std::vector<double>& expected,
                  const std::string& strWhat) {
    const std::vector<double> actual = Values(series);
    ASSERT_EQ(actual.size(), expected.size()) << strWhat;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (std::isnan(expected[i])) {
            EXPECT_TRUE(std::isnan(actual[i])) << strWhat << ": point " << i << " is "
                                                << actual[i] << ", not a gap";
        } else {
            EXPECT_NEAR(actual[i], expected[i], 1e-6) << strWhat << ": point " << i;
        }
    }
}

// Feeds blocks, one second apart, to a builder of the choice.
CSeries Build(int nChoice, const std::vector<std::vector<std::uint8_t>>& blocks,
              const CCounterNameMap& names = seriestest::EnglishNames()) {
    CSeriesBuilder builder(*CounterChoice(nChoice));
    builder.BeginFile("PC1", names);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        builder.AddSample(kStart + static_cast<platform::Time>(i), blocks[i]);
    }
    return builder.TakeSeries();
}

sim::CHostShape TwoInterfaces() {
    sim::CHostShape shape;
    shape.m_vecNetworkInterfaces = {"Intel[R] PRO_1000", "Broadcom NetXtreme"};
    return shape;
}

TEST(SeriesBuilder, EveryChoiceFollowsItsCounters) {
    CHostBlocks host(TwoInterfaces());
    const std::vector<std::vector<std::uint8_t>> blocks = {
        host.Next({5, 5, 1000, 1'024'000, 0, 0, {0, 0}}),
        host.Next({20, 10, 1500, 1'536'000, 40, 35, {1000, 3000}}),
        host.Next({50, 25, 1200, 1'228'800, 150, 60, {0, 8000}}, 2),
    };
    const std::vector<double> expected[8] = {
        {kGap, 30, 75},          {kGap, 10, 25},
        {kGap, 20, 50},          {1000, 1500, 1200},
        {1'024'000, 1'536'000, 1'228'800}, {kGap, 40, 150},
        {kGap, 35, 60},          {kGap, 4000, 8000},
    };
    for (int nChoice = 0; nChoice < 8; ++nChoice) {
        ExpectValues(Build(nChoice, blocks), expected[nChoice],
                     std::string(CounterChoice(nChoice)->m_strText));
    }
}

TEST(SeriesBuilder, AHostWithoutDiskObjectsGivesGapsForTheDisks) {
    CHostBlocks host;
    host.Builder().RemoveObject(perf::kObjectPhysicalDisk);
    host.Builder().RemoveObject(perf::kObjectLogicalDisk);
    std::vector<std::vector<std::uint8_t>> blocks;
    for (int i = 0; i < 3; ++i) blocks.push_back(host.Next({10, 10, 700, 716'800, 50, 50, {}}));
    for (const int nChoice : {5, 6}) {
        CSeriesBuilder builder(*CounterChoice(nChoice));
        builder.BeginFile("PC1", seriestest::EnglishNames());
        for (const auto& block : blocks) builder.AddSample(kStart, block);
        EXPECT_FALSE(builder.CounterSeen());
        EXPECT_EQ(builder.Series().ValueCount(), 0u);
        EXPECT_EQ(builder.Series().Points().size(), 3u);
    }
    ExpectValues(Build(0, blocks), {kGap, 20, 20}, "processor beside the missing disks");
}

TEST(SeriesBuilder, CountersAreFoundByTheNamesOfTheFilesTable) {
    // This host numbers Processor 9238 and its idle timer 9006; its object 238 is something
    // else whose counter 6 must not be read.
    sim::CPerfBlockBuilder builder;
    builder.AddObject(238, {{6, perf::kPerf100nsecTimerInv, 8}}, true).AddInstance("_Total");
    builder.AddObject(9238, {{9006, perf::kPerf100nsecTimerInv, 8}}, true).AddInstance("_Total");
    std::vector<std::vector<std::uint8_t>> blocks;
    for (int i = 0; i < 3; ++i) {
        builder.SetClock((10 + i) * kSecond);
        builder.SetValue(9238, "_Total", 9006, i * kSecond / 4);  // 75 % busy
        builder.SetValue(238, "_Total", 6, i * kSecond);          // 0 % busy
        blocks.push_back(builder.Build());
    }
    const CCounterNameMap names = {
        {"9238", "Processor"}, {"9006", "% processor time"}, {"238", "Other"}, {"6", "Other"}};
    ExpectValues(Build(0, blocks, names), {kGap, 75, 75}, "renumbered table");
    // A table without these names falls back on the standard indices.
    ExpectValues(Build(0, blocks, {}), {kGap, 0, 0}, "empty table");
}

TEST(SeriesBuilder, TheCounterTypeComesFromTheBlock) {
    // A provider that counts busy time (a plain timer) under % Processor Time: not inverted.
    sim::CPerfBlockBuilder builder;
    builder.AddObject(perf::kObjectProcessor, {{6, perf::kPerf100nsecTimer, 8}}, true)
        .AddInstance("_Total");
    builder.AddObject(perf::kObjectMemory, {{1382, perf::kPerfAverageTimer, 4}}, false);
    std::vector<std::vector<std::uint8_t>> blocks;
    for (int i = 0; i < 3; ++i) {
        builder.SetClock((10 + i) * kSecond);
        builder.SetValue(perf::kObjectProcessor, "_Total", 6, i * kSecond / 5);
        blocks.push_back(builder.Build());
    }
    ExpectValues(Build(0, blocks), {kGap, 20, 20}, "busy timer");

    CSeriesBuilder memory(*CounterChoice(3));
    memory.BeginFile("PC1", seriestest::EnglishNames());
    for (const auto& block : blocks) memory.AddSample(kStart, block);
    EXPECT_TRUE(memory.CounterSeen());
    EXPECT_EQ(memory.UnsupportedType(), perf::kPerfAverageTimer);
    EXPECT_EQ(memory.Series().ValueCount(), 0u);
}

TEST(SeriesBuilder, ResetsBackwardTimesAndMissingObjectsAreGapsNeverSpikes) {
    CHostBlocks host;
    std::vector<std::vector<std::uint8_t>> blocks;
    blocks.push_back(host.Next({}));             // first: no rate yet
    blocks.push_back(host.Next({20, 10}));       // 30
    host.Builder().SetValue(perf::kObjectProcessor, "_Total", perf::kCounterProcessorTime, 0);
    host.Builder().SetValue(perf::kObjectProcessor, "_Total", sim::kCounterUserTime, 0);
    blocks.push_back(host.Next({0, 40}));        // the host restarted its counters
    blocks.push_back(host.Next({40, 0}));        // 40, from the restarted values
    host.SetClock(host.Clock() - 5 * kSecond);
    blocks.push_back(host.Next({10, 10}));       // the clock went back
    blocks.push_back(host.Next({25, 25}));       // 50
    {
        sim::CPerfBlockBuilder without = host.Builder();
        without.RemoveObject(perf::kObjectProcessor);
        host.SetClock(host.Clock() + kSecond);
        blocks.push_back(without.Build());       // no Processor object
    }
    blocks.push_back(host.Next({30, 30}));       // no previous sample to compare with
    blocks.push_back(host.Next({35, 35}));       // 70
    ExpectValues(Build(0, blocks), {kGap, 30, kGap, 40, kGap, 50, kGap, kGap, 70}, "CPU");
    ExpectValues(Build(2, blocks), {kGap, 20, kGap, 40, kGap, 25, kGap, kGap, 35}, "user");
}

TEST(SeriesBuilder, NetworkInterfacesAreAddedUpAndMatchedByName) {
    sim::CHostShape shape;
    shape.m_vecNetworkInterfaces = {"A", "B"};
    CHostBlocks host(shape);
    sim::CPerfObjectModel& network = *host.Builder().Object(perf::kObjectNetworkInterface);
    std::vector<std::vector<std::uint8_t>> blocks;
    blocks.push_back(host.Next({0, 0, 0, 0, 0, 0, {100, 100}}));
    blocks.push_back(host.Next({0, 0, 0, 0, 0, 0, {100, 200}}));  // 300
    // C appears with a large count of its own: it adds nothing until its second sample.
    network.AddInstance("C");
    network.SetValue("C", sim::kCounterBytesTotalPerSec, 9'000'000'000);
    blocks.push_back(host.Next({0, 0, 0, 0, 0, 0, {100, 200}}));  // 300
    network.AddValue("C", sim::kCounterBytesTotalPerSec, 50);
    blocks.push_back(host.Next({0, 0, 0, 0, 0, 0, {100, 200}}));  // 350
    network.RemoveInstance("B");
    network.AddValue("C", sim::kCounterBytesTotalPerSec, 50);
    blocks.push_back(host.Next({0, 0, 0, 0, 0, 0, {100}}));  // 150: B has gone
    network.SetValue("A", sim::kCounterBytesTotalPerSec, 0);
    blocks.push_back(host.Next({}));  // A restarted: the whole sample is a gap
    blocks.push_back(host.Next({0, 0, 0, 0, 0, 0, {70}}));  // 70 (C stood still)
    ExpectValues(Build(7, blocks), {kGap, 300, 300, 350, 150, kGap, 70}, "network");
}

TEST(SeriesBuilder, InstancesOfTheSameNameAreToldApartByOrder) {
    sim::CHostShape shape;
    shape.m_vecNetworkInterfaces = {"nic", "nic", "loopback"};
    CHostBlocks host(shape);
    // Two instances named "nic": the builder's setter reaches only the first, so set the
    // second through the instance list.
    sim::CPerfObjectModel& network = *host.Builder().Object(perf::kObjectNetworkInterface);
    const std::size_t nPosition = *network.CounterPosition(sim::kCounterBytesTotalPerSec);
    auto& second = const_cast<sim::CPerfInstanceModel&>(network.Instances()[1]);
    std::vector<std::vector<std::uint8_t>> blocks;
    second.m_vecValues[nPosition] = 1'000'000;
    blocks.push_back(host.Next({0, 0, 0, 0, 0, 0, {10, 0, 1}}));
    second.m_vecValues[nPosition] += 500;
    blocks.push_back(host.Next({0, 0, 0, 0, 0, 0, {10, 0, 1}}));
    ExpectValues(Build(7, blocks), {kGap, 511}, "two of one name");
}

TEST(SeriesBuilder, TheFilesOfOneRunJoin) {
    CHostBlocks host;
    CSeriesBuilder builder(*CounterChoice(0));
    builder.BeginFile("PC1", seriestest::EnglishNames());
    builder.AddSample(kStart, host.Next({10, 0}));
    builder.AddSample(kStart + 1, host.Next({20, 0}));
    builder.BeginFile("PC1", seriestest::EnglishNames());  // the next split piece
    builder.AddSample(kStart + 2, host.Next({30, 0}));
    builder.BeginFile("PC2", seriestest::EnglishNames());  // another host: start again
    builder.AddSample(kStart + 3, host.Next({40, 0}));
    builder.AddSample(kStart + 4, host.Next({50, 0}));
    ExpectValues(builder.Series(), {kGap, 20, 30, kGap, 50}, "joined");
    EXPECT_EQ(builder.Series().FirstTime(), kStart);
    EXPECT_EQ(builder.Series().LastTime(), kStart + 4);
    EXPECT_DOUBLE_EQ(builder.Series().Average(), (20 + 30 + 50) / 3.0);
    EXPECT_DOUBLE_EQ(builder.Series().Minimum(), 20);
    EXPECT_DOUBLE_EQ(builder.Series().Maximum(), 50);
}

TEST(SeriesBuilder, SamplesStampedEarlierThanOnesAlreadyReadAreLeftOut) {
    CHostBlocks host;
    CSeriesBuilder builder(*CounterChoice(3));
    builder.BeginFile("PC1", seriestest::EnglishNames());
    builder.AddSample(kStart + 10, host.Next({0, 0, 100}));
    builder.AddSample(kStart + 11, host.Next({0, 0, 200}));
    builder.AddSample(kStart + 5, host.Next({0, 0, 300}));  // the clock was set back
    builder.AddSample(kStart + 11, host.Next({0, 0, 400}));
    EXPECT_EQ(builder.SampleCount(), 4u);
    EXPECT_EQ(builder.SkippedCount(), 1u);
    ExpectValues(builder.Series(), {100, 200, 400}, "memory");
}

TEST(SeriesBuilder, APrecisionTimerWithoutItsTimeStampIsNotRead) {
    sim::CPerfBlockBuilder builder;
    builder
        .AddObject(perf::kObjectPhysicalDisk,
                   {{200, perf::kPerfPrecision100nsTimer, 8}, {198, perf::kPerfCounterRawcount, 4}},
                   true)
        .AddInstance("_Total");
    std::vector<std::vector<std::uint8_t>> blocks;
    for (int i = 0; i < 3; ++i) {
        builder.SetClock((10 + i) * kSecond);
        builder.SetValue(perf::kObjectPhysicalDisk, "_Total", 200, i * kSecond);
        blocks.push_back(builder.Build());
    }
    EXPECT_EQ(Build(5, blocks).ValueCount(), 0u);
}

// Blocks cut short or with altered lengths, offsets and counts, after a good one: every sample
// is a value or a gap, and the sanitizers see no read outside the block.
TEST(SeriesBuilder, HostileBlocksNeverLeaveTheBlock) {
    CHostBlocks host(TwoInterfaces());
    const std::vector<std::uint8_t> good = host.Next({10, 10, 512, 524'288, 5, 5, {10, 10}});
    sim::CBlockLayout layout;
    host.Next({20, 20, 256, 262'144, 9, 9, {20, 20}});
    const std::vector<std::uint8_t> next = host.Builder().Build(&layout);
    std::vector<std::vector<std::uint8_t>> hostile;
    for (std::size_t n = 0; n < next.size(); n += 11) hostile.push_back(perftest::Prefix(next, n));
    for (const std::size_t nField : perftest::StructureFields(layout)) {
        for (const std::uint32_t nValue : {0u, 1u, 39u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
            std::vector<std::uint8_t> bytes = next;
            perftest::Patch32(bytes, nField, nValue);
            hostile.push_back(std::move(bytes));
        }
    }
    // One counter of each kind: an idle timer of "_Total", a count of an object without
    // instances, a precision timer with its base, a sum over instances.
    for (const int nChoice : {0, 3, 5, 7}) {
        CSeriesBuilder builder(*CounterChoice(nChoice));
        builder.BeginFile("PC1", seriestest::EnglishNames());
        platform::Time tSample = kStart;
        for (const auto& bytes : hostile) {
            builder.AddSample(tSample++, good);
            builder.AddSample(tSample++, bytes);
            const double dValue = builder.Series().Points().back().m_dValue;
            EXPECT_TRUE(std::isnan(dValue) || dValue >= 0) << nChoice;
        }
        EXPECT_EQ(builder.Series().Points().size(), 2 * hostile.size());
    }
}

}  // namespace
