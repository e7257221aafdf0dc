// The state one collection job's thread works with, and the steps of its run.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "datafile/counter_name_map.h"
#include "job/auto_reset_event.h"
#include "job/gather_job.h"
#include "job/threshold_trigger.h"
#include "logs/error_log.h"
#include "platform/clock.h"
#include "platform/host_access.h"

class CJobWorker {
public:
    CJobWorker(CGatherJob& job, const CGatherJobContext& context);

    // The whole run; returns the thread's exit code.
    std::uint32_t Run();

private:
    enum class EWatchEnd {
        kTriggered,  // the trigger fired: record at once
        kRunEnded,   // the end time passed while watching
        kStopped,    // the stop event came: the job has closed and ended
    };

    // Connects, opens the counter key and reads the counter names; false after a failure that
    // ends the job (reported and cleaned up).
    bool Connect();
    // Watches for the threshold trigger (gather_job_thread.cpp).
    EWatchEnd Watch(CThresholdTrigger& trigger);
    // Records until the end or a stop and closes (job_recorder.cpp); returns the exit code.
    std::uint32_t Record();
    // Closes the counter key and the machine handle that are open. The job state becomes 0 only
    // when a counter key was open and has closed; a failure to close it, or a counter key that a
    // failed reconnection left unopened, is logged with the ":RegCloseKey" label. True when the
    // key closed.
    bool CloseKeys();
    // Gives up the counter key and the machine handle and connects once more without the IPC$
    // logon; a counter key that cannot be opened is reported and counted as a failure.
    void Reconnect(int& nFailures);
    // One entry in the error log of the data directory.
    void LogError(std::int32_t nCode, const std::string& strText);
    // The stop event's wait: true when the stop came.
    bool WaitForStop(std::int64_t nMilliseconds);

    CGatherJob& m_job;
    const CGatherJobContext& m_context;
    const std::int32_t m_nInterval;  // the job's m_nInterval brought into range, milliseconds
    platform::HostAccess& m_access;
    const platform::IClock& m_clock;
    CErrorLog& m_errorLog;
    CAutoResetEvent* m_pStopEvent = nullptr;           // the job's stop event
    std::unique_ptr<CAutoResetEvent> m_pOwnStopEvent;  // stands in when the job has none

    platform::HostKey m_hMachine = platform::kNoHostKey;
    platform::HostKey m_hCounterKey = platform::kNoHostKey;
    CCounterNameMap m_names;
    platform::Time m_tNow = 0;
};
