// CGatherJob: the parameter block and progress of one collection run on one host, and its thread.
//
// The scheduler fills the public fields, appends the job to its schedule's list and calls Start,
// which creates the stop event and starts the worker (GatherJobThread, gather_job_thread.h).
// From then on the parameter block belongs to the worker (it raises m_nBranch with every file);
// the scheduler only signals the stop event and reads and empties the job state and the message,
// which are handed over under the job's own lock. A job is freed only after its thread has
// ended: ReleaseGatherJobs signals, joins and then destroys, and the destructor of a job whose
// thread still runs signals and joins it first.
#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "datafile/data_file_writer.h"
#include "host_tables.h"
#include "job/auto_reset_event.h"
#include "job/wait_clock.h"
#include "platform/clock.h"
#include "platform/error_codes.h"
#include "platform/host_access.h"

class CErrorLog;

// m_nJobState values.
inline constexpr std::int32_t kJobStateEnded = 0;    // ended in order and closed its counter key
inline constexpr std::int32_t kJobStateRunning = 2;  // connecting, watching or recording
inline constexpr std::int32_t kJobStateClosing = 4;  // recording has ended, the job is closing

// The range of the sampling interval, milliseconds.
inline constexpr std::int32_t kMinSamplingInterval = 1'000;
inline constexpr std::int32_t kMaxSamplingInterval = 300'000;

// The interval a job samples at. m_nInterval comes from the settings file, which anyone can edit
// or damage, so a value outside 1,000 to 300,000 ms is brought to the nearest bound: 0, negative
// and anything below 1,000 become 1,000, anything above 300,000 becomes 300,000. Without this an
// interval of 0 would make the waits 0 and the job would hammer the host and fill the disk.
constexpr std::int32_t SamplingInterval(std::int32_t nInterval) {
    return nInterval < kMinSamplingInterval   ? kMinSamplingInterval
           : nInterval > kMaxSamplingInterval ? kMaxSamplingInterval
                                              : nInterval;
}

// Thread exit codes (informational).
inline constexpr std::uint32_t kJobExitInOrder = 0xFFFFFFFF;
inline constexpr std::uint32_t kJobExitFailed = 0;

// What a worker works with besides its parameter block. Everything pointed to must outlive the
// job's thread.
struct CGatherJobContext {
    platform::HostAccess* m_pAccess = nullptr;  // the network
    // The host table as published to the jobs (login data for the IPC$ logon). Nobody changes a
    // published table: the owner publishes a new copy after each change.
    std::shared_ptr<const CHostTable> m_pHosts;
    IWaitClock* m_pWaitClock = nullptr;  // "now" and the stop event's waits; system clock if null
    CErrorLog* m_pErrorLog = nullptr;    // the error log; the process's if null
    // How data files are created; platform::CreateNewOutputFile if empty (tests inject faults).
    CDataFileWriter::FileCreator m_fnCreateFile;
};

class CGatherJob {
public:
    // ---- the parameter block, in the order the scheduler fills it ----
    std::int32_t m_nSchedule = 0;     // schedule number: messages, file name
    std::string m_strHost;            // connection, file name, header item 8
    std::string m_strOsInfo;          // header item 3; empty when the host is not registered
    std::string m_strCpuInfo;         // header item 4; empty when the host is not registered
    std::string m_strGroup;           // header item 5; the run log's target when not empty
    std::int32_t m_nBranch = 1;       // header item 7; the worker raises it after each header
    std::string m_strExecId;          // header item 6
    platform::Time m_tRunStart = 0;   // the schedule's next start
    platform::Time m_tRunEnd = 0;     // end of the run
    std::int32_t m_nInterval = 1000;  // sampling period, ms; the worker uses SamplingInterval
    std::int32_t m_nSplitUnit = 0;    // file period, milliseconds; 0 = no split
    std::string m_strDataDir;         // data files and the error log
    std::string m_strProgramDir;      // not used by the worker
    // (m_nJobState: JobState/SetJobState below)
    std::string m_strComment;                       // header item 9
    std::int32_t m_nCpuThreshold = -1;              // trigger, header item 11; -1 = none
    std::int32_t m_nMemThreshold = -1;              // trigger, header item 12; -1 = none
    std::int32_t m_nDiskThreshold = -1;             // trigger, header item 13; -1 = none
    std::unique_ptr<CAutoResetEvent> m_hStopEvent;  // created by Start
    // (m_strMessage: Message/SetMessage/TakeMessage below)
    std::unique_ptr<std::thread> m_pThread;  // the worker, started by Start

    CGatherJob() = default;
    // Signals and joins a worker that is still running, so the thread never outlives the job.
    ~CGatherJob();
    CGatherJob(const CGatherJob&) = delete;
    CGatherJob& operator=(const CGatherJob&) = delete;

    // Creates the stop event (not signalled) on the context's wait clock and starts the worker
    // thread running GatherJobThread(*this, context). The context is copied. kSuccess, or
    // kErrorNotEnoughMemory when the thread cannot be started (the job then keeps state 2 and
    // has no thread). A job is started once.
    platform::ErrorCode Start(const CGatherJobContext& context);

    // Signals the stop event: the worker ends within one interval. kErrorInvalidHandle when the
    // job has no stop event (it was never started).
    platform::ErrorCode SignalStop();

    // Waits for the worker thread to end (no-op when there is none or it was joined already).
    // Never call it from the worker itself.
    void Join();
    // True once the worker has returned (or when it was never started).
    bool HasEnded() const;
    // The worker's exit code: kJobExitInOrder or kJobExitFailed; kJobExitFailed until it ended.
    std::uint32_t ExitCode() const { return m_nExitCode.load(); }

    // ---- the report, under the job's lock ----
    std::int32_t JobState() const;
    void SetJobState(std::int32_t nState);
    std::string Message() const;
    // A message written while the previous one is unread replaces it.
    void SetMessage(std::string strMessage);
    // Returns the message and empties it.
    std::string TakeMessage();
    // The scheduler's hand-over: when the message is not empty, moves it into strMessage,
    // empties it and returns true; otherwise false. A job that has already ended (state 0)
    // still hands over its last message: the failure that ended a run, or a trigger notice of a
    // run that finished before the next tick, would otherwise never reach the run log.
    bool TakeReport(std::string& strMessage);

private:
    // The thread's body: runs the job and records its exit code.
    void Run(CGatherJobContext context);

    mutable std::mutex m_lock;                    // guards the two fields below
    std::int32_t m_nJobState = kJobStateRunning;  // progress, see the k JobState constants
    std::string m_strMessage;                     // the job's report to the user

    std::atomic<bool> m_bEnded{false};
    std::atomic<std::uint32_t> m_nExitCode{kJobExitFailed};
    IWaitClock* m_pWaitClock = nullptr;  // the clock the worker was registered with
};

// Releases a schedule's jobs: signals every job's stop event, joins every thread, then destroys
// the jobs and empties the list. Jobs that have ended already are simply freed.
void ReleaseGatherJobs(std::vector<std::unique_ptr<CGatherJob>>& vecJobs);
