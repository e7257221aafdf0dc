// Load models: their levels over time, and the figures of consecutive blocks following them.
#include <gtest/gtest.h>

#include <cmath>

#include "perf/perf_figures.h"
#include "sim/load_model.h"
#include "sim_test_network.h"

namespace {

using sim::CLoadModel;

TEST(LoadModel, ConstantRampAndSquareOverTime) {
    CLoadModel constant = CLoadModel::Constant(42);
    EXPECT_EQ(constant.LevelAt(0), 42);
    EXPECT_EQ(constant.LevelAt(86'400'000), 42);

    CLoadModel ramp = CLoadModel::Ramp(10, 90, 80);
    EXPECT_DOUBLE_EQ(ramp.LevelAt(0), 10);
    EXPECT_DOUBLE_EQ(ramp.LevelAt(40'000), 50);
    EXPECT_DOUBLE_EQ(ramp.LevelAt(79'000), 89);
    EXPECT_DOUBLE_EQ(ramp.LevelAt(80'000), 10);  // starts again
    EXPECT_DOUBLE_EQ(ramp.LevelAt(-5'000), 10);  // before the start counts as the start
    EXPECT_DOUBLE_EQ(CLoadModel::Ramp(90, 10, 8).LevelAt(2'000), 70);  // downwards too

    CLoadModel square = CLoadModel::Square(5, 95, 20);
    EXPECT_EQ(square.LevelAt(0), 5);
    EXPECT_EQ(square.LevelAt(9'999), 5);
    EXPECT_EQ(square.LevelAt(10'000), 95);
    EXPECT_EQ(square.LevelAt(19'999), 95);
    EXPECT_EQ(square.LevelAt(20'000), 5);
}

TEST(LoadModel, WalkIsFixedByItsSeedAndStaysInItsBounds) {
    CLoadModel a = CLoadModel::Walk(50, 7, 20, 80, 99);
    CLoadModel b = CLoadModel::Walk(50, 7, 20, 80, 99);
    CLoadModel c = CLoadModel::Walk(50, 7, 20, 80, 100);
    EXPECT_EQ(a.LevelAt(0), 50);
    std::vector<double> vecA;
    bool bDiffers = false;
    double dPrevious = 50;
    for (std::int64_t s = 1; s <= 300; ++s) {
        const double dA = a.LevelAt(s * 1000 + 500);  // within a second it does not move
        EXPECT_EQ(dA, b.LevelAt(s * 1000));
        bDiffers = bDiffers || dA != c.LevelAt(s * 1000);
        EXPECT_GE(dA, 20);
        EXPECT_LE(dA, 80);
        EXPECT_LE(std::fabs(dA - dPrevious), 7);
        dPrevious = dA;
        vecA.push_back(dA);
    }
    EXPECT_TRUE(bDiffers);
    EXPECT_NE(vecA.front(), vecA.back());
    // Asking for an earlier time replays the same walk; skipping seconds takes the same steps.
    EXPECT_EQ(a.LevelAt(10'000), vecA[9]);
    CLoadModel d = CLoadModel::Walk(50, 7, 20, 80, 99);
    EXPECT_EQ(d.LevelAt(300'000), vecA[299]);
}

// A host sampled once a second: the figures of each block are the levels at its time.
TEST(LoadModel, FiguresOfConsecutiveBlocksFollowTheModels) {
    platform::ManualClock clock(1'750'000'000, 0);
    auto pNetwork = sim_test::MakeNetwork(
        "workgroup W\nhost H\n"
        "disks \"0 C:\" \"1 D:\"\n"
        "load cpu square 10 80 20\n"
        "load mem ramp 1000 2000 100\n"
        "load disk walk 150 40 0 300 7\n",
        clock);
    const sim_test::SHostKeys keys = sim_test::OpenHost(*pNetwork, "H");
    CLoadModel disk = CLoadModel::Walk(150, 40, 0, 300, 7);

    perf::CPerfRateState cpuState, diskState;
    std::vector<std::uint8_t> vecBlock;
    for (int s = 0; s < 30; ++s) {
        ASSERT_EQ(sim_test::Request(*pNetwork, keys.hCounter, vecBlock), 0u);
        const perf::CPerfSnapshot snapshot = perf::TakeSnapshot(vecBlock, cpuState, diskState);
        EXPECT_EQ(snapshot.m_nMem, 1000u + 10u * s) << s;
        if (s == 0) {
            EXPECT_EQ(snapshot.m_nCpu, 0u);  // the reader's rule for a first sample
            EXPECT_EQ(snapshot.m_nDisk, 0u);
        } else {
            EXPECT_EQ(snapshot.m_nCpu, s % 20 < 10 ? 10u : 80u) << s;  // repeats every 20 s
            const double dLevel = disk.LevelAt(s * 1000);
            EXPECT_LE(std::fabs(snapshot.m_nDisk - dLevel), 1.0) << s;  // whole percent
        }
        clock.AdvanceSeconds(1);
    }
}

TEST(LoadModel, TimeThatStandsStillMovesNothing) {
    platform::ManualClock clock(1'750'000'000, 0);
    auto pNetwork = sim_test::MakeNetwork("workgroup W\nhost H\nload cpu constant 40\n", clock);
    const sim_test::SHostKeys keys = sim_test::OpenHost(*pNetwork, "H");
    std::vector<std::uint8_t> vecFirst, vecSecond;
    ASSERT_EQ(sim_test::Request(*pNetwork, keys.hCounter, vecFirst), 0u);
    ASSERT_EQ(sim_test::Request(*pNetwork, keys.hCounter, vecSecond), 0u);
    EXPECT_EQ(vecFirst, vecSecond);
    perf::CPerfRateState cpu, disk;
    perf::TakeSnapshot(vecFirst, cpu, disk);
    EXPECT_EQ(perf::TakeSnapshot(vecSecond, cpu, disk).m_nCpu, 0u);  // dT = 0

    // A clock that goes back does not run the counters backwards.
    clock.AdvanceSeconds(-10);
    ASSERT_EQ(sim_test::Request(*pNetwork, keys.hCounter, vecSecond), 0u);
    EXPECT_EQ(
        perf::ReadCounter(vecSecond, perf::kObjectProcessor, perf::kCounterProcessorTime, "_Total"),
        perf::ReadCounter(vecFirst, perf::kObjectProcessor, perf::kCounterProcessorTime, "_Total"));
}

}  // namespace
