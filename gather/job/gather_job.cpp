// CGatherJob: starting, stopping and joining the worker, and the report under the job's lock.
#include "job/gather_job.h"

#include <system_error>
#include <utility>

#include "job/gather_job_thread.h"

CGatherJob::~CGatherJob() {
    if (m_pThread != nullptr && m_pThread->joinable()) {
        SignalStop();
        Join();
    }
}

platform::ErrorCode CGatherJob::Start(const CGatherJobContext& context) {
    IWaitClock& waitClock =
        context.m_pWaitClock != nullptr ? *context.m_pWaitClock : SystemWaitClock();
    if (m_hStopEvent == nullptr) {
        m_hStopEvent = std::make_unique<CAutoResetEvent>(waitClock);
    }
    m_pWaitClock = &waitClock;
    // Counted before the thread exists, so that a test stepping the clock never misses it.
    waitClock.WorkerStarting();
    try {
        m_pThread = std::make_unique<std::thread>(&CGatherJob::Run, this, context);
    } catch (const std::system_error&) {
        waitClock.WorkerEnded();
        m_bEnded = true;
        return platform::kErrorNotEnoughMemory;
    } catch (const std::bad_alloc&) {
        waitClock.WorkerEnded();
        m_bEnded = true;
        return platform::kErrorNotEnoughMemory;
    }
    return platform::kSuccess;
}

void CGatherJob::Run(CGatherJobContext context) {
    if (context.m_pWaitClock == nullptr) {
        context.m_pWaitClock = m_pWaitClock;
    }
    const std::uint32_t nExitCode = GatherJobThread(*this, context);
    m_nExitCode = nExitCode;
    m_bEnded = true;
    // The last touch of anything shared: a stepping test sees the worker gone.
    context.m_pWaitClock->WorkerEnded();
}

platform::ErrorCode CGatherJob::SignalStop() {
    if (m_hStopEvent == nullptr) {
        return platform::kErrorInvalidHandle;
    }
    m_hStopEvent->Set();
    return platform::kSuccess;
}

void CGatherJob::Join() {
    if (m_pThread != nullptr && m_pThread->joinable()) {
        m_pThread->join();
    }
}

bool CGatherJob::HasEnded() const {
    return m_pThread == nullptr || m_bEnded.load();
}

std::int32_t CGatherJob::JobState() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_nJobState;
}

void CGatherJob::SetJobState(std::int32_t nState) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_nJobState = nState;
}

std::string CGatherJob::Message() const {
    std::lock_guard<std::mutex> lock(m_lock);
    return m_strMessage;
}

void CGatherJob::SetMessage(std::string strMessage) {
    std::lock_guard<std::mutex> lock(m_lock);
    m_strMessage = std::move(strMessage);
}

std::string CGatherJob::TakeMessage() {
    std::lock_guard<std::mutex> lock(m_lock);
    return std::exchange(m_strMessage, std::string());
}

bool CGatherJob::TakeReport(std::string& strMessage) {
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_strMessage.empty()) {
        return false;
    }
    strMessage = std::exchange(m_strMessage, std::string());
    return true;
}

void ReleaseGatherJobs(std::vector<std::unique_ptr<CGatherJob>>& vecJobs) {
    // Signal all first so that the threads wind down together, then wait for each.
    for (auto& pJob : vecJobs) {
        if (pJob != nullptr && !pJob->HasEnded()) {
            pJob->SignalStop();
        }
    }
    for (auto& pJob : vecJobs) {
        if (pJob != nullptr) {
            pJob->Join();
        }
    }
    vecJobs.clear();
}
