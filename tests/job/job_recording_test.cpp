// Recording: files and their headers and samples, splits, stops, the shortened wait, file-layer
// failures, and the jobs' threads ending before the jobs are freed.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "job/gather_job.h"
#include "job/gather_job_thread.h"
#include "job/job_texts.h"
#include "job_test_support.h"
#include "perf/perf_block.h"
#include "platform/data_file_io.h"

namespace {

using job_test::JobTest;
using job_test::kStart;

constexpr char kOneHost[] = R"(
workgroup TEST
host PC1
    load cpu constant 20
    load mem constant 1500
host PC2
host PC3
)";

class RecordingTest : public JobTest {
protected:
    void SetUp() override { UseNetwork(kOneHost); }
};

TEST_F(RecordingTest, TenSecondsAtOneSecondGiveOneFileOfTenSamplesOnWholeSeconds) {
    auto pJob = MakeJob("PC1", 10, 1000);
    RunToEnd(*pJob);

    EXPECT_EQ(pJob->JobState(), kJobStateEnded);
    EXPECT_EQ(pJob->ExitCode(), kJobExitInOrder);
    EXPECT_EQ(pJob->Message(), "");
    EXPECT_EQ(pJob->m_nBranch, 2);
    EXPECT_TRUE(Files(".va_").empty());
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u) << "every handle is given back";
    EXPECT_TRUE(ErrorRecords().empty());

    const auto vecFiles = FinishedFiles();
    ASSERT_EQ(vecFiles.size(), 1u);
    const job_test::SDataFile& file = vecFiles[0];
    EXPECT_EQ(file.header.m_strTag, "VARNOLE1");
    EXPECT_EQ(file.header.m_nVersion, 130u);
    EXPECT_EQ(file.header.m_strOsInfo, "Windows XP");
    EXPECT_EQ(file.header.m_strCpuInfo, "x86");
    EXPECT_EQ(file.header.m_strGroup, "");
    EXPECT_EQ(file.header.m_strExecId, "40600012");
    EXPECT_EQ(file.header.m_nBranch, 1u);
    EXPECT_EQ(file.header.m_strHost, "PC1");
    EXPECT_EQ(file.header.m_strComment, "test run");
    EXPECT_EQ(file.header.m_tStart, kStart);
    EXPECT_EQ(file.header.m_nCpuThreshold, -1);
    EXPECT_EQ(file.header.m_nMemThreshold, -1);
    EXPECT_EQ(file.header.m_nDiskThreshold, -1);
    EXPECT_EQ(file.names.at("2"), "System");
    EXPECT_EQ(file.eEnd, ESampleRead::kEnd);

    ASSERT_EQ(file.vecSamples.size(), 10u);
    for (std::size_t i = 0; i < file.vecSamples.size(); ++i) {
        const CDataSample& sample = file.vecSamples[i];
        EXPECT_EQ(sample.m_tSample, kStart + static_cast<platform::Time>(i));
        const perf::PerfBytes block(sample.m_vecBlock.data(), sample.m_vecBlock.size());
        EXPECT_TRUE(perf::IsPerfDataBlock(block));
        EXPECT_EQ(perf::BlockTotalByteLength(block), sample.m_vecBlock.size());
    }
    EXPECT_EQ(m_pNetwork->RequestCount("PC1"), 10u);
}

TEST_F(RecordingTest, ThirtyMinuteSplitOverTwoHoursGivesBranchesOneToFour) {
    // Started 3 s past the minute: each file opens at the first sample at or after its deadline.
    m_waitClock.AdvanceMilliseconds(3000);
    auto pJob = MakeJob("PC1", 2 * 3600, 60'000, 30 * 60 * 1000);
    RunToEnd(*pJob);

    EXPECT_EQ(pJob->JobState(), kJobStateEnded);
    EXPECT_TRUE(Files(".va_").empty());
    const auto vecFiles = FinishedFiles();
    ASSERT_EQ(vecFiles.size(), 4u);
    for (std::size_t i = 0; i < vecFiles.size(); ++i) {
        SCOPED_TRACE(vecFiles[i].strName);
        EXPECT_EQ(vecFiles[i].header.m_nBranch, i + 1);
        EXPECT_EQ(vecFiles[i].header.m_tStart, kStart + 3 + 1800 * static_cast<platform::Time>(i));
        ASSERT_EQ(vecFiles[i].vecSamples.size(), 30u);
        EXPECT_EQ(vecFiles[i].vecSamples.front().m_tSample, vecFiles[i].header.m_tStart);
    }
    EXPECT_EQ(pJob->m_nBranch, 5);
}

TEST_F(RecordingTest, SplitDeadlineFollowsTheSamplesNotTheClock) {
    // A 30 s split at a 7 s interval: files open at the first sample at or after the deadline
    // reckoned from the sample that opened the previous file (0, 35, 70, ...).
    auto pJob = MakeJob("PC1", 100, 7000, 30'000);
    RunToEnd(*pJob);
    const auto vecFiles = FinishedFiles();
    ASSERT_EQ(vecFiles.size(), 3u);
    EXPECT_EQ(vecFiles[0].header.m_tStart, kStart);
    EXPECT_EQ(vecFiles[1].header.m_tStart, kStart + 35);
    EXPECT_EQ(vecFiles[2].header.m_tStart, kStart + 70);
    EXPECT_EQ(vecFiles[0].vecSamples.size(), 5u);
    EXPECT_EQ(vecFiles[1].vecSamples.size(), 5u);
    EXPECT_EQ(vecFiles[2].vecSamples.size(), 5u);  // 70, 77, 84, 91, 98
}

TEST_F(RecordingTest, StopRequestFinishesTheFileAsVar) {
    auto pJob = MakeJob("PC1", 3600, 5000);
    ASSERT_EQ(pJob->Start(Context()), platform::kSuccess);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(m_waitClock.StepToNextDeadline());
    }
    m_waitClock.WaitUntilIdle();
    EXPECT_EQ(Files(".va_").size(), 1u) << "the file is open while the job records";
    ASSERT_EQ(pJob->SignalStop(), platform::kSuccess);
    pJob->Join();

    EXPECT_EQ(pJob->JobState(), kJobStateEnded);
    EXPECT_EQ(pJob->ExitCode(), kJobExitInOrder);
    EXPECT_TRUE(Files(".va_").empty());
    const auto vecFiles = FinishedFiles();
    ASSERT_EQ(vecFiles.size(), 1u);
    EXPECT_EQ(vecFiles[0].vecSamples.size(), 4u);  // at 0, 5, 10 and 15 s
    EXPECT_EQ(m_clock.Now(), kStart + 15) << "the stop ends the wait at once";
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
}

TEST_F(RecordingTest, WaitIsShortenedByTheMillisecondPartOfTheClock) {
    m_waitClock.Set(kStart, 999);
    auto pJob = MakeJob("PC1", 3, 1000);
    ASSERT_EQ(pJob->Start(Context()), platform::kSuccess);
    EXPECT_EQ(m_waitClock.NextWaitMilliseconds(), 1);
    ASSERT_TRUE(m_waitClock.StepToNextDeadline());
    EXPECT_EQ(m_waitClock.NextWaitMilliseconds(), 1000);
    m_waitClock.RunUntilWorkersEnd();
    pJob->Join();

    const auto vecFiles = FinishedFiles();
    ASSERT_EQ(vecFiles.size(), 1u);
    ASSERT_EQ(vecFiles[0].vecSamples.size(), 3u);
    EXPECT_EQ(vecFiles[0].vecSamples[0].m_tSample, kStart);
    EXPECT_EQ(vecFiles[0].vecSamples[1].m_tSample, kStart + 1);
    EXPECT_EQ(vecFiles[0].vecSamples[2].m_tSample, kStart + 2);
}

TEST_F(RecordingTest, EndTimeAlreadyPastCreatesNoFileAndEndsInOrder) {
    for (const platform::Time tsDuration : {-1, 0}) {
        auto pJob = MakeJob("PC1", tsDuration, 1000);
        RunToEnd(*pJob);
        EXPECT_EQ(pJob->JobState(), kJobStateEnded) << tsDuration;
        EXPECT_EQ(pJob->ExitCode(), kJobExitInOrder) << tsDuration;
    }
    EXPECT_TRUE(Files(".va_").empty());
    EXPECT_TRUE(Files(".var").empty());
    EXPECT_EQ(m_pNetwork->RequestCount("PC1"), 0u);
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
}

// A file that accepts a number of writes and then fails every further one.
class CFailingFile final : public platform::IOutputFile {
public:
    CFailingFile(std::unique_ptr<platform::IOutputFile> pFile, int nGoodWrites)
        : m_pFile(std::move(pFile)), m_nGoodWrites(nGoodWrites) {}
    platform::ErrorCode Write(const void* pData, std::size_t nSize) override {
        if (m_nGoodWrites-- <= 0) return platform::kErrorDiskFull;
        return m_pFile->Write(pData, nSize);
    }
    platform::ErrorCode Close() override { return m_pFile->Close(); }

private:
    std::unique_ptr<platform::IOutputFile> m_pFile;
    int m_nGoodWrites;
};

TEST_F(RecordingTest, FileLayerFailureKeepsTheFileAsVaAndEndsTheJob) {
    m_fnCreateFile = [](const std::string& strPath, std::unique_ptr<platform::IOutputFile>& pOut) {
        std::unique_ptr<platform::IOutputFile> pFile;
        const platform::ErrorCode nCode = platform::CreateNewOutputFile(strPath, pFile);
        if (nCode == platform::kSuccess) pOut = std::make_unique<CFailingFile>(std::move(pFile), 3);
        return nCode;
    };
    auto pJob = MakeJob("PC1", 60, 1000);
    RunToEnd(*pJob);

    EXPECT_EQ(pJob->ExitCode(), kJobExitFailed);
    EXPECT_EQ(pJob->JobState(), kJobStateRunning) << "the state is left as it was";
    const auto vecOpen = Files(".va_");
    ASSERT_EQ(vecOpen.size(), 1u);
    EXPECT_TRUE(Files(".var").empty());
    // The path as the writer made it: the directory's separator, then the pattern's own.
    const std::string strPath = DataDir() + platform::kPathSeparator + vecOpen[0];
    const std::string strMessage = pJob->Message();
    EXPECT_EQ(strMessage, FileErrorText(strPath, platform::kErrorDiskFull));
    const auto vecRecords = ErrorRecords();
    ASSERT_EQ(vecRecords.size(), 1u);
    EXPECT_EQ(vecRecords[0].m_nCode, -1);
    EXPECT_EQ(vecRecords[0].m_strText, strMessage);
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
}

TEST_F(RecordingTest, FileThatCannotBeCreatedEndsTheJob) {
    m_fnCreateFile = [](const std::string&, std::unique_ptr<platform::IOutputFile>&) {
        return platform::kErrorAccessDenied;
    };
    auto pJob = MakeJob("PC1", 60, 1000);
    RunToEnd(*pJob);
    EXPECT_EQ(pJob->ExitCode(), kJobExitFailed);
    EXPECT_FALSE(pJob->Message().empty());
    const auto vecRecords = ErrorRecords();
    ASSERT_EQ(vecRecords.size(), 1u);
    EXPECT_EQ(vecRecords[0].m_nCode, -1);
    // The first sample is asked for before its file is made; the failure ends the asking.
    EXPECT_EQ(m_pNetwork->RequestCount("PC1"), 1u);
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
}

TEST_F(RecordingTest, ReleasingRunningJobsJoinsTheirThreadsFirst) {
    std::vector<std::unique_ptr<CGatherJob>> vecJobs;
    for (const char* pszHost : {"PC1", "PC2", "PC3"}) {
        vecJobs.push_back(MakeJob(pszHost, 3600, 1000));
        ASSERT_EQ(vecJobs.back()->Start(Context()), platform::kSuccess);
    }
    ASSERT_TRUE(m_waitClock.StepToNextDeadline());
    EXPECT_EQ(m_waitClock.WaitUntilIdle(), 3);

    ReleaseGatherJobs(vecJobs);
    EXPECT_TRUE(vecJobs.empty());
    EXPECT_EQ(m_waitClock.Workers(), 0);
    EXPECT_TRUE(Files(".va_").empty());
    EXPECT_EQ(Files(".var").size(), 3u);
    EXPECT_EQ(m_pNetwork->OpenKeyCount(), 0u);
}

TEST_F(RecordingTest, FreeingARunningJobStopsAndJoinsItsThread) {
    auto pJob = MakeJob("PC1", 3600, 1000);
    ASSERT_EQ(pJob->Start(Context()), platform::kSuccess);
    m_waitClock.WaitUntilIdle();
    pJob.reset();
    EXPECT_EQ(m_waitClock.Workers(), 0);
    EXPECT_EQ(Files(".var").size(), 1u);
}

TEST_F(RecordingTest, StopOnTheRealClockEndsAfterTheFirstSample) {
    // The signal given before the first wait is kept by the event and ends that wait at once.
    CGatherJob job;
    job.m_nSchedule = 3;
    job.m_strHost = "PC1";
    job.m_tRunStart = platform::SystemClock().Now();
    job.m_tRunEnd = job.m_tRunStart + 3600;
    job.m_nInterval = 300'000;
    job.m_strDataDir = DataDir();
    CGatherJobContext context = Context();
    context.m_pWaitClock = nullptr;  // the system clock
    sim::CSimNetworkDescription description;
    std::string strError;
    ASSERT_TRUE(sim::ParseNetworkDescription(kOneHost, description, strError));
    sim::CSimNetwork network(std::move(description), platform::SystemClock());
    context.m_pAccess = &network;

    ASSERT_EQ(job.Start(context), platform::kSuccess);
    ASSERT_EQ(job.SignalStop(), platform::kSuccess);
    job.Join();
    EXPECT_TRUE(job.HasEnded());
    EXPECT_EQ(job.JobState(), kJobStateEnded);
    const auto vecFiles = FinishedFiles();
    ASSERT_EQ(vecFiles.size(), 1u);
    EXPECT_EQ(vecFiles[0].vecSamples.size(), 1u);
}

}  // namespace
