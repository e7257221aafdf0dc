// The rhythm of a recording job: the sampling interval it really uses, and how often the samples
// reach the data file while the job still runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "datafile/data_file_reader.h"
#include "faulty_access.h"
#include "job/gather_job.h"
#include "job_test_support.h"
#include "perf/perf_layout.h"
#include "sim/block_builder.h"

namespace {

using job_test::CFaultyAccess;
using job_test::JobTest;
using job_test::kStart;

constexpr char kOneHost[] = R"(
workgroup TEST
host PC1
)";

class RhythmTest : public JobTest {
protected:
    void SetUp() override {
        UseNetwork(kOneHost);
        m_pFaulty = std::make_unique<CFaultyAccess>(*m_pNetwork);
        m_pAccess = m_pFaulty.get();
    }

    std::unique_ptr<CFaultyAccess> m_pFaulty;
};

struct SIntervalCase {
    std::int32_t nInterval;   // as the settings file gave it
    std::int32_t nEffective;  // what the job samples at
};

void PrintTo(const SIntervalCase& c, std::ostream* pOut) {
    *pOut << "interval " << c.nInterval << " ms";
}

class IntervalTest : public RhythmTest, public testing::WithParamInterface<SIntervalCase> {};

// However the settings file came to hold the interval, a job never samples faster than once a
// second nor slower than once in five minutes.
TEST_P(IntervalTest, IsBroughtToTheNearestBoundOfItsRange) {
    const SIntervalCase c = GetParam();
    auto pJob = MakeJob("PC1", 3 * (c.nEffective / 1000), c.nInterval);
    // A job that spins takes many samples without the clock moving: stop it before it fills the
    // disk, so that the test fails instead of hanging.
    CGatherJob* pRunning = pJob.get();
    m_pFaulty->m_fnReply = [pRunning](std::uint64_t nReply, std::span<std::uint8_t>,
                                      std::uint32_t&) {
        if (nReply > 10) pRunning->SignalStop();
    };
    ASSERT_EQ(pJob->Start(Context()), platform::kSuccess);
    EXPECT_EQ(m_waitClock.NextWaitMilliseconds(), c.nEffective) << "the first wait";
    m_waitClock.RunUntilWorkersEnd();
    pJob->Join();

    EXPECT_EQ(m_pFaulty->Replies(), 3u);
    const auto vecFiles = FinishedFiles();
    ASSERT_EQ(vecFiles.size(), 1u);
    ASSERT_EQ(vecFiles[0].vecSamples.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(vecFiles[0].vecSamples[i].m_tSample,
                  kStart + static_cast<platform::Time>(i) * (c.nEffective / 1000));
    }
    EXPECT_EQ(pJob->JobState(), kJobStateEnded);
}

INSTANTIATE_TEST_SUITE_P(
    OutOfRangeAndBounds, IntervalTest,
    testing::Values(SIntervalCase{0, 1'000}, SIntervalCase{-5'000, 1'000},
                    SIntervalCase{std::numeric_limits<std::int32_t>::min(), 1'000},
                    SIntervalCase{1, 1'000}, SIntervalCase{999, 1'000}, SIntervalCase{1'000, 1'000},
                    SIntervalCase{7'000, 7'000}, SIntervalCase{300'000, 300'000},
                    SIntervalCase{300'001, 300'000},
                    SIntervalCase{std::numeric_limits<std::int32_t>::max(), 300'000}));

// A block far smaller than the writer's 4,096-byte buffer, so that samples stay in the buffer
// until a flush (or a full buffer) hands them to the file.
std::vector<std::uint8_t> SmallBlock() {
    sim::CPerfBlockBuilder builder;
    builder.AddObject(perf::kObjectMemory,
                      {{perf::kCounterAvailableMBytes, perf::kPerfCounterRawcount, 4}}, false);
    builder.SetValue(perf::kObjectMemory, "", perf::kCounterAvailableMBytes, 700);
    return builder.Build();
}

struct SFlushCase {
    std::int32_t nInterval;
    std::int32_t nSecondsApart;  // between samples
    std::uint64_t nPerFlush;     // samples between flushes
};

void PrintTo(const SFlushCase& c, std::ostream* pOut) {
    *pOut << "interval " << c.nInterval << " ms";
}

class FlushTest : public RhythmTest, public testing::WithParamInterface<SFlushCase> {};

// Another program reading the file while the job runs finds every sample up to the last flush.
TEST_P(FlushTest, FileHoldsEverySampleUpToTheLastFlush) {
    const SFlushCase c = GetParam();
    const std::vector<std::uint8_t> vecSmall = SmallBlock();
    ASSERT_LT(vecSmall.size() * 4, 4096u);
    const std::uint64_t nSamples = 2 * c.nPerFlush + 5;
    auto pJob =
        MakeJob("PC1", static_cast<platform::Time>(nSamples) * c.nSecondsApart + 3600, c.nInterval);
    CGatherJob* pRunning = pJob.get();
    m_pFaulty->m_fnReply = [&vecSmall, pRunning, nSamples](std::uint64_t nReply,
                                                           std::span<std::uint8_t> buffer,
                                                           std::uint32_t& nBytes) {
        std::memcpy(buffer.data(), vecSmall.data(), vecSmall.size());
        nBytes = static_cast<std::uint32_t>(vecSmall.size());
        if (nReply > nSamples) pRunning->SignalStop();  // a job that spins
    };
    ASSERT_EQ(pJob->Start(Context()), platform::kSuccess);

    for (;;) {
        m_waitClock.WaitUntilIdle();
        const std::uint64_t nTaken = m_pFaulty->Replies();
        SCOPED_TRACE(std::to_string(nTaken) + " samples taken");
        EXPECT_EQ(m_clock.Now(),
                  kStart + static_cast<platform::Time>(nTaken - 1) * c.nSecondsApart);

        const std::vector<std::string> vecOpen = Files(".va_");
        ASSERT_EQ(vecOpen.size(), 1u);
        CDataFileReader reader;
        ASSERT_EQ(reader.Open(m_dirData.Path(vecOpen[0])), platform::kSuccess);
        CDataSample sample;
        std::uint64_t nRead = 0;
        ESampleRead eRead;
        while ((eRead = reader.Next(sample)) == ESampleRead::kSample) {
            EXPECT_EQ(sample.m_vecBlock, vecSmall);
            ++nRead;
        }
        EXPECT_TRUE(eRead == ESampleRead::kEnd || eRead == ESampleRead::kIncomplete);

        const std::uint64_t nFlushed = nTaken / c.nPerFlush * c.nPerFlush;
        EXPECT_GE(nRead, nFlushed);
        EXPECT_LE(nRead, nTaken);
        if (nTaken % c.nPerFlush == 0) {
            EXPECT_EQ(nRead, nTaken) << "a flush came with this one";
        }

        if (nTaken >= nSamples) break;
        ASSERT_TRUE(m_waitClock.StepToNextDeadline());
    }
    pJob->SignalStop();
    pJob->Join();
    ASSERT_EQ(FinishedFiles().size(), 1u);
    EXPECT_EQ(FinishedFiles()[0].vecSamples.size(), nSamples) << "the rest at the end";
}

INSTANTIATE_TEST_SUITE_P(
    Intervals, FlushTest,
    testing::Values(SFlushCase{1'000, 1, 60}, SFlushCase{5'000, 5, 12},
                    SFlushCase{7'000, 7, 8},  // 60,000 / 7,000 = 8 (integer division)
                    SFlushCase{30'000, 30, 2}, SFlushCase{60'000, 60, 1},
                    SFlushCase{90'000, 90, 1},  // above a minute: every sample
                    // Out of range: the countdown follows the interval the job uses.
                    SFlushCase{500, 1, 60}, SFlushCase{400'000, 300, 1}));

}  // namespace
