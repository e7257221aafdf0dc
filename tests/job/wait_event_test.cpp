// The stop event and its clocks, the job's report hand-over and the job's texts.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "job/auto_reset_event.h"
#include "job/gather_job.h"
#include "job/job_texts.h"
#include "job/wait_clock.h"

namespace {

TEST(AutoResetEvent, OneSignalEndsOneWait) {
    CAutoResetEvent event(SystemWaitClock());
    EXPECT_FALSE(event.Wait(0));
    event.Set();
    event.Set();  // a second signal before a wait is the same signal
    EXPECT_TRUE(event.Wait(0));
    EXPECT_FALSE(event.Wait(0));
    EXPECT_FALSE(event.Wait(1)) << "a short wait on the real clock times out";
    event.Set();
    event.Reset();
    EXPECT_FALSE(event.Wait(0));
}

TEST(AutoResetEvent, SignalFromAnotherThreadEndsAWaitInProgress) {
    platform::ManualClock clock(1000);
    CManualWaitClock waitClock(clock);
    CAutoResetEvent event(waitClock);
    bool bSignalled = false;
    waitClock.WorkerStarting();
    std::thread waiter([&] {
        bSignalled = event.Wait(60'000);
        waitClock.WorkerEnded();
    });
    EXPECT_EQ(waitClock.NextWaitMilliseconds(), 60'000);
    event.Set();
    waiter.join();
    EXPECT_TRUE(bSignalled);
    EXPECT_EQ(clock.Now(), 1000) << "no time passed";
}

TEST(ManualWaitClock, StepsWorkersThroughTheirDeadlinesInOrder) {
    platform::ManualClock clock(1000);
    CManualWaitClock waitClock(clock);
    CAutoResetEvent first(waitClock);
    CAutoResetEvent second(waitClock);
    std::string strOrder;
    std::mutex lockOrder;
    auto worker = [&](CAutoResetEvent& event, std::uint32_t nMs, char cName, int nTimes) {
        for (int i = 0; i < nTimes; ++i) {
            EXPECT_FALSE(event.Wait(nMs));
            std::lock_guard<std::mutex> lock(lockOrder);
            strOrder += cName;
        }
        waitClock.WorkerEnded();
    };
    waitClock.WorkerStarting();
    waitClock.WorkerStarting();
    std::thread a(worker, std::ref(first), 300u, 'a', 4);   // at 300, 600, 900, 1200 ms
    std::thread b(worker, std::ref(second), 500u, 'b', 2);  // at 500, 1000 ms
    EXPECT_EQ(waitClock.RunUntilWorkersEnd(), 6);
    a.join();
    b.join();
    EXPECT_EQ(strOrder, "abaaba");
    EXPECT_EQ(clock.TickCount(), 1200u);
    EXPECT_EQ(clock.Now(), 1001);
    EXPECT_EQ(clock.UtcMillisecond(), 200);
    EXPECT_FALSE(waitClock.StepToNextDeadline()) << "no worker left";
}

TEST(GatherJobReport, MessageIsReplacedAndHandedOverOnce) {
    CGatherJob job;
    std::string strMessage;
    EXPECT_FALSE(job.TakeReport(strMessage));
    job.SetMessage("first");
    job.SetMessage("second");
    ASSERT_TRUE(job.TakeReport(strMessage));
    EXPECT_EQ(strMessage, "second");
    EXPECT_FALSE(job.TakeReport(strMessage));
    EXPECT_EQ(job.Message(), "");

    // An ended job still hands over the message it ended with.
    job.SetMessage("last words");
    job.SetJobState(kJobStateEnded);
    ASSERT_TRUE(job.TakeReport(strMessage));
    EXPECT_EQ(strMessage, "last words");
}

TEST(GatherJobReport, JobThatWasNeverStartedCannotBeSignalled) {
    CGatherJob job;
    EXPECT_EQ(job.SignalStop(), platform::kErrorInvalidHandle);
    EXPECT_TRUE(job.HasEnded());
    job.Join();  // nothing to wait for
    std::vector<std::unique_ptr<CGatherJob>> vecJobs;
    vecJobs.push_back(std::make_unique<CGatherJob>());
    ReleaseGatherJobs(vecJobs);
    EXPECT_TRUE(vecJobs.empty());
}

TEST(JobTexts, MessagesAndFileErrorLimit) {
    perf::CPerfSnapshot figures;
    figures.m_nCpu = 87;
    figures.m_nMem = 512;
    figures.m_nDisk = 140;
    EXPECT_EQ(TriggerMessage(3, figures),
              "予約 03 でしきい値トリガーが働きました。(CPU87 MEM512 DSK140)");
    EXPECT_EQ(TriggerMessage(123, figures).substr(0, 10), "予約 123");

    // 300 characters of three bytes each are cut to 255 whole characters.
    std::string strLong;
    for (int i = 0; i < 300; ++i) strLong += "あ";
    EXPECT_EQ(LimitCharacters(strLong, 255).size(), 255u * 3);
    EXPECT_EQ(LimitCharacters("abc", 255), "abc");
    EXPECT_LE(FileErrorText(strLong, platform::kErrorDiskFull).size(), 255u * 3);
}

}  // namespace
