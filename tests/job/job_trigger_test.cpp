// The threshold trigger: its latch rules, and a job watching a simulated host until it fires.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <span>
#include <vector>

#include "faulty_access.h"
#include "job/threshold_trigger.h"
#include "job_test_support.h"
#include "sim/load_model.h"

namespace {

using job_test::CFaultyAccess;
using job_test::JobTest;
using job_test::kStart;

struct SFigures {
    std::uint32_t nCpu, nMem, nDisk;
};

// The 1-based sample at which the trigger fires, 0 when it does not.
int FiringSample(CThresholdTrigger trigger, const std::vector<SFigures>& vecSamples) {
    for (std::size_t i = 0; i < vecSamples.size(); ++i) {
        perf::CPerfSnapshot figures;
        figures.m_nCpu = vecSamples[i].nCpu;
        figures.m_nMem = vecSamples[i].nMem;
        figures.m_nDisk = vecSamples[i].nDisk;
        if (trigger.Evaluate(figures)) return static_cast<int>(i) + 1;
    }
    return 0;
}

TEST(ThresholdTrigger, FiresAtTheFirstSampleWhereAllSetConditionsHold) {
    struct SCase {
        const char* pszName;
        std::int32_t nCpu, nMem, nDisk;
        std::vector<SFigures> vecSamples;
        int nExpected;
    };
    const std::vector<SCase> vecCases = {
        {"memory needs strictly below: 100 MB free does not hold",
         -1,
         100,
         -1,
         {{0, 100, 0}, {0, 100, 0}, {0, 99, 0}},
         3},
        {"processor threshold 0 holds on the first sample", 0, -1, -1, {{0, 4000, 0}}, 1},
        {"processor from the 2nd, memory from the 5th sample",
         50,
         1000,
         -1,
         {{0, 2000, 0}, {60, 2000, 0}, {70, 1500, 0}, {80, 1200, 0}, {90, 900, 0}},
         5},
        {"disk above 100 percent counts", -1, -1, 150, {{0, 0, 120}, {0, 0, 380}}, 2},
        {"conditions that never hold at once",
         50,
         1000,
         -1,
         {{60, 2000, 0}, {10, 900, 0}, {70, 1100, 0}, {0, 800, 0}},
         0},
        {"a condition that holds again after a break latches anew",
         50,
         1000,
         -1,
         {{60, 900, 0}, {10, 900, 0}, {55, 900, 0}},
         1},
        {"all three set", 10, 500, 20, {{0, 400, 0}, {15, 400, 10}, {15, 400, 25}}, 3},
    };
    for (const SCase& c : vecCases) {
        EXPECT_EQ(FiringSample(CThresholdTrigger(c.nCpu, c.nMem, c.nDisk), c.vecSamples),
                  c.nExpected)
            << c.pszName;
    }
}

TEST(ThresholdTrigger, ComparesUnsignedAndKnowsWhenNothingIsSet) {
    EXPECT_TRUE(CThresholdTrigger(-1, -1, -1).IsEmpty());
    EXPECT_FALSE(CThresholdTrigger(-1, 0, -1).IsEmpty());
    // A negative threshold other than -1 is a huge unsigned one: processor and disk can never
    // reach it, free memory is always below it.
    EXPECT_EQ(FiringSample(CThresholdTrigger(-2, -1, -1), {{100, 0, 0}, {100, 0, 0}}), 0);
    EXPECT_EQ(FiringSample(CThresholdTrigger(-1, -2, -1), {{0, 4'000'000, 0}}), 1);
}

constexpr char kRampHost[] = R"(
workgroup TEST
host PC1
    load cpu ramp 0 100 100
    load mem square 1500 800 20
    load disk constant 5
    fail-request 2 64
host PC2
    load mem constant 1500
)";

class TriggerJobTest : public JobTest {
protected:
    void SetUp() override { UseNetwork(kRampHost); }

    // The sample (0 = the first request) at which the host's load models first meet the
    // thresholds; the processor figure of the first sample is 0.
    static int PredictedSample(long nCpu, long nMem) {
        sim::CLoadModel cpu = sim::CLoadModel::Ramp(0, 100, 100);
        sim::CLoadModel mem = sim::CLoadModel::Square(1500, 800, 20);
        for (int k = 0; k < 1000; ++k) {
            if (k == 1) continue;  // the failed request
            const long nCpuAt = k == 0 ? 0 : std::lround(cpu.LevelAt(k * 1000));
            if (nCpuAt >= nCpu && std::lround(mem.LevelAt(k * 1000)) < nMem) return k;
        }
        return -1;
    }

    static std::string ExpectedMessage(int nCpu, int nMem, int nDisk) {
        char szText[160];
        std::snprintf(szText, sizeof szText,
                      "予約 07 でしきい値トリガーが働きました。(CPU%d MEM%d DSK%d)", nCpu, nMem,
                      nDisk);
        return szText;
    }
};

TEST_F(TriggerJobTest, FiresOnThePredictedSampleAndRecordsAtOnce) {
    const int k = PredictedSample(50, 1000);
    ASSERT_GT(k, 10);
    auto pJob = MakeJob("PC1", 120, 1000);
    pJob->m_nCpuThreshold = 50;
    pJob->m_nMemThreshold = 1000;
    RunToEnd(*pJob);

    sim::CLoadModel cpu = sim::CLoadModel::Ramp(0, 100, 100);
    sim::CLoadModel mem = sim::CLoadModel::Square(1500, 800, 20);
    const auto nCpu = static_cast<int>(std::lround(cpu.LevelAt(k * 1000)));
    const auto nMem = static_cast<int>(std::lround(mem.LevelAt(k * 1000)));
    std::string strMessage;
    ASSERT_TRUE(pJob->TakeReport(strMessage));
    EXPECT_EQ(strMessage, ExpectedMessage(nCpu, nMem, 5));
    EXPECT_EQ(pJob->JobState(), kJobStateEnded);

    // The request that failed while watching is logged with its label and skipped.
    const auto vecRecords = ErrorRecords();
    ASSERT_EQ(vecRecords.size(), 1u);
    EXPECT_EQ(vecRecords[0].m_nCode, 64);
    EXPECT_EQ(vecRecords[0].m_strText, "PC1:RegQueryValueEx");

    // The first file starts with the firing sample's second and a request of its own.
    const auto vecFiles = FinishedFiles();
    ASSERT_EQ(vecFiles.size(), 1u);
    EXPECT_EQ(vecFiles[0].header.m_tStart, kStart + k);
    EXPECT_EQ(vecFiles[0].header.m_nCpuThreshold, 50);
    EXPECT_EQ(vecFiles[0].header.m_nMemThreshold, 1000);
    EXPECT_EQ(vecFiles[0].header.m_nDiskThreshold, -1);
    ASSERT_EQ(vecFiles[0].vecSamples.size(), static_cast<std::size_t>(120 - k));
    EXPECT_EQ(vecFiles[0].vecSamples[0].m_tSample, kStart + k);
    EXPECT_EQ(m_pNetwork->RequestCount("PC1"), static_cast<std::uint64_t>(k + 1 + 120 - k));
}

TEST_F(TriggerJobTest, ProcessorThresholdZeroFiresOnTheFirstSample) {
    auto pJob = MakeJob("PC2", 5, 1000);
    pJob->m_nCpuThreshold = 0;
    RunToEnd(*pJob);
    EXPECT_EQ(pJob->Message(), ExpectedMessage(0, 1500, 0));
    const auto vecFiles = FinishedFiles();
    ASSERT_EQ(vecFiles.size(), 1u);
    EXPECT_EQ(vecFiles[0].header.m_tStart, kStart);
}

TEST_F(TriggerJobTest, ShortReplyWhileWatchingIsSkippedNotDecoded) {
    // A signed reply of 8 bytes is no block: had it been decoded as one, its processor figure
    // (0, a first sample) would have fired the trigger at once.
    CFaultyAccess access(*m_pNetwork);
    access.m_fnReply = [](std::uint64_t nReply, std::span<std::uint8_t>, std::uint32_t& nBytes) {
        if (nReply == 1) nBytes = 8;
    };
    m_pAccess = &access;
    auto pJob = MakeJob("PC2", 5, 1000);
    pJob->m_nCpuThreshold = 0;
    RunToEnd(*pJob);
    EXPECT_EQ(pJob->Message(), ExpectedMessage(0, 1500, 0));
    EXPECT_TRUE(ErrorRecords().empty());
    const auto vecFiles = FinishedFiles();
    ASSERT_EQ(vecFiles.size(), 1u);
    EXPECT_EQ(vecFiles[0].header.m_tStart, kStart + 1) << "fired by the second reply";
}

TEST_F(TriggerJobTest, WatchingWaitsTheFullIntervalAndStopsInOrder) {
    m_waitClock.Set(kStart, 999);
    auto pJob = MakeJob("PC1", 3600, 1000);
    pJob->m_nCpuThreshold = 101;  // never reached
    ASSERT_EQ(pJob->Start(Context()), platform::kSuccess);
    EXPECT_EQ(m_waitClock.NextWaitMilliseconds(), 1000);
    ASSERT_TRUE(m_waitClock.StepToNextDeadline());
    ASSERT_TRUE(m_waitClock.StepToNextDeadline());
    m_waitClock.WaitUntilIdle();
    ASSERT_EQ(pJob->SignalStop(), platform::kSuccess);
    pJob->Join();

    EXPECT_EQ(pJob->JobState(), kJobStateEnded);
    EXPECT_EQ(pJob->ExitCode(), kJobExitInOrder);
    EXPECT_EQ(pJob->Message(), "");
    EXPECT_TRUE(Files(".va_").empty());
    EXPECT_TRUE(Files(".var").empty());
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
}

TEST_F(TriggerJobTest, RunEndingWhileWatchingRecordsNothing) {
    auto pJob = MakeJob("PC1", 5, 1000);
    pJob->m_nCpuThreshold = 101;
    RunToEnd(*pJob);
    EXPECT_EQ(pJob->JobState(), kJobStateEnded);
    EXPECT_EQ(pJob->ExitCode(), kJobExitInOrder);
    EXPECT_TRUE(Files(".var").empty());
    EXPECT_EQ(m_pNetwork->RequestCount("PC1"), 6u) << "watching goes on while the end is not past";
}

}  // namespace
