// The three trigger figures over successive samples: rates, first samples and missing data.
#include "perf/perf_figures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "perf_test_blocks.h"

namespace {

using namespace perf;
using perftest::BuildFigures;
using perftest::CFigureInputs;

constexpr std::int64_t kSecond = 10'000'000;  // PerfTime100nSec units

struct RateCase {
    const char* szWhat;
    std::int64_t nDt;     // time base growth between the samples
    std::int64_t nDv;     // counter growth between the samples
    std::uint32_t nCpu;   // when the counter is the processor's idle timer
    std::uint32_t nDisk;  // when the counter is the disk's busy timer
};

TEST(RateFigures, SecondSampleFollowsTheFormulas) {
    const RateCase cases[] = {
        {"idle for the whole interval", kSecond, kSecond, 0, 100},
        {"no idle time", kSecond, 0, 100, 0},
        {"half", kSecond, kSecond / 2, 50, 50},
        {"disk time of 2.5 intervals", kSecond, 5 * kSecond / 2, 0, 250},
        {"rounding: 0.994 idle gives x = 1.1", 1000, 994, 1, 99},
        {"rounding: 0.996 idle gives x = 0.9", 1000, 996, 0, 100},
        {"same time stamp", 0, 12345, 0, 0},
        {"same time stamp, no change", 0, 0, 0, 0},
        {"counter went back", kSecond, -kSecond, 200, 0},
        {"time went back", -kSecond, kSecond / 4, 125, 0},
        {"ten minutes, 3 percent", 600 * kSecond, 582 * kSecond, 3, 97},
    };
    const std::int64_t nT0 = 5'000'000'000'000;
    const std::int64_t nV0 = 4'000'000'000'000;
    for (const RateCase& c : cases) {
        CPerfRateState cpu;
        CPerfRateState disk;
        const std::vector<std::uint8_t> first = BuildFigures({nT0, nV0, nV0, 512});
        const std::vector<std::uint8_t> second =
            BuildFigures({nT0 + c.nDt, nV0 + c.nDv, nV0 + c.nDv, 500});
        const CPerfSnapshot s1 = TakeSnapshot(first, cpu, disk);
        EXPECT_EQ(s1.m_nCpu, 0u) << c.szWhat;
        EXPECT_EQ(s1.m_nDisk, 0u) << c.szWhat;
        EXPECT_EQ(s1.m_nMem, 512u) << c.szWhat;
        const CPerfSnapshot s2 = TakeSnapshot(second, cpu, disk);
        EXPECT_EQ(s2.m_nCpu, c.nCpu) << c.szWhat;
        EXPECT_EQ(s2.m_nDisk, c.nDisk) << c.szWhat;
        EXPECT_EQ(s2.m_nMem, 500u) << c.szWhat;
        EXPECT_FALSE(cpu.m_bFirst);
        EXPECT_EQ(cpu.m_nPrevTime, nT0 + c.nDt);
        EXPECT_EQ(cpu.m_nPrevValue, nV0 + c.nDv);
    }
}

TEST(RateFigures, EachFigureAdvancesOnlyItsOwnState) {
    CPerfRateState cpu;
    CPerfRateState disk;
    const std::vector<std::uint8_t> a = BuildFigures({100, 11, 22, 0});
    const std::vector<std::uint8_t> b = BuildFigures({200, 61, 72, 0});
    TakeSnapshot(a, cpu, disk);
    EXPECT_EQ(cpu.m_nPrevValue, 11);
    EXPECT_EQ(disk.m_nPrevValue, 22);
    // Only the processor figure sees the second block; the disk state still holds the first.
    EXPECT_EQ(CpuBusyPercent(b, cpu), 50u);
    EXPECT_EQ(disk.m_nPrevTime, 100);
    const std::vector<std::uint8_t> c = BuildFigures({300, 111, 122, 0});
    EXPECT_EQ(DiskBusyPercent(c, disk), 50u);  // (122 - 22) / (300 - 100)
}

TEST(RateFigures, CounterWrapAroundIsASmallStep) {
    CPerfRateState disk;
    const std::int64_t nMax = std::numeric_limits<std::int64_t>::max();
    const std::int64_t nMin = std::numeric_limits<std::int64_t>::min();
    DiskBusyPercent(BuildFigures({nMax - 4, 0, nMax - 5, 0}), disk);
    // Value and time both wrap past the largest 64-bit number: +10 over +10.
    EXPECT_EQ(DiskBusyPercent(BuildFigures({nMin + 5, 0, nMin + 4, 0}), disk), 100u);
}

TEST(RateFigures, MissingProcessorGivesZeroThenHundred) {
    for (const bool bDropInstanceOnly : {false, true}) {
        sim::CPerfBlockBuilder builder = perftest::StandardBuilder();
        if (bDropInstanceOnly) {
            builder.Object(kObjectProcessor)->RemoveInstance("_Total");
        } else {
            builder.RemoveObject(kObjectProcessor);
        }
        CPerfRateState cpu;
        std::vector<std::uint32_t> vecSeen;
        for (std::int64_t t = 1; t <= 4; ++t) {
            builder.SetClock(t * kSecond);
            vecSeen.push_back(CpuBusyPercent(builder.Build(), cpu));
        }
        EXPECT_EQ(vecSeen, (std::vector<std::uint32_t>{0, 100, 100, 100})) << bDropInstanceOnly;
        EXPECT_EQ(cpu.m_nPrevValue, bDropInstanceOnly ? -1 : 0);
    }
}

TEST(RateFigures, MissingDiskGivesZero) {
    for (const bool bDropInstanceOnly : {false, true}) {
        sim::CPerfBlockBuilder builder = perftest::StandardBuilder();
        if (bDropInstanceOnly) {
            builder.Object(kObjectPhysicalDisk)->RemoveInstance("_Total");
        } else {
            builder.RemoveObject(kObjectPhysicalDisk);
        }
        CPerfRateState disk;
        for (std::int64_t t = 1; t <= 3; ++t) {
            builder.SetClock(t * kSecond);
            EXPECT_EQ(DiskBusyPercent(builder.Build(), disk), 0u) << t;
        }
    }
}

TEST(AvailableMegabytes, LowHalfOfTheRawValue) {
    EXPECT_EQ(AvailableMegabytes(BuildFigures({0, 0, 0, 3000})), 3000u);
    EXPECT_EQ(AvailableMegabytes(BuildFigures({0, 0, 0, 0xFFFFFFFF})), 0xFFFFFFFFu);

    sim::CPerfBlockBuilder noMemory = perftest::StandardBuilder();
    noMemory.RemoveObject(kObjectMemory);
    EXPECT_EQ(AvailableMegabytes(noMemory.Build()), 0u);

    // The object is there but not the counter: the raw -1 becomes the largest 32-bit number.
    sim::CPerfBlockBuilder noCounter("PC1");
    noCounter.AddObject(kObjectMemory,
                        {{sim::kCounterAvailableKBytes, kPerfCounterLargeRawcount, 8}}, false);
    EXPECT_EQ(AvailableMegabytes(noCounter.Build()), 0xFFFFFFFFu);

    // As a 64-bit counter it yields its low half.
    sim::CPerfBlockBuilder wide("PC1");
    wide.AddObject(kObjectMemory, {{kCounterAvailableMBytes, kPerfCounterLargeRawcount, 8}}, false);
    wide.SetValue(kObjectMemory, "", kCounterAvailableMBytes, 0x500000010);
    EXPECT_EQ(AvailableMegabytes(wide.Build()), 0x10u);
}

TEST(PercentFromDouble, TruncatesAndRejectsWhatASigned32BitValueCannotHold) {
    struct Case {
        double x;
        std::uint32_t nExpected;
    };
    const double kInf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {0.0, 0},          {99.99, 99}, {250.5, 250},
        {-0.5, 0},         {-250.0, 0}, {2147483647.9, 2147483647},
        {2147483648.0, 0}, {1e300, 0},  {kInf, 0},
        {std::nan(""), 0},
    };
    for (const Case& c : cases) EXPECT_EQ(PercentFromDouble(c.x), c.nExpected) << c.x;
}

}  // namespace
