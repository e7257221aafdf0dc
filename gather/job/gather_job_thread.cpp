// The collection job's thread: connecting, watching for the threshold trigger, closing.
#include "job/gather_job_thread.h"

#include <algorithm>

#include "hosts/connection_check.h"
#include "hosts/counter_name_reader.h"
#include "hosts/host_connection.h"
#include "hosts/perf_query.h"
#include "job/job_texts.h"
#include "job/job_worker.h"
#include "job/threshold_trigger.h"
#include "perf/perf_figures.h"

namespace {

// The table used when the creator published none: no host has login data.
const CHostTable& EmptyHostTable() {
    static const CHostTable s_hosts{};
    return s_hosts;
}

}  // namespace

std::uint32_t GatherJobThread(CGatherJob& job, const CGatherJobContext& context) {
    CJobWorker worker(job, context);
    return worker.Run();
}

CJobWorker::CJobWorker(CGatherJob& job, const CGatherJobContext& context)
    : m_job(job),
      m_context(context),
      m_nInterval(SamplingInterval(job.m_nInterval)),
      m_access(*context.m_pAccess),
      m_clock(
          (context.m_pWaitClock != nullptr ? *context.m_pWaitClock : SystemWaitClock()).Clock()),
      m_errorLog(context.m_pErrorLog != nullptr ? *context.m_pErrorLog : ProcessErrorLog()) {
    if (job.m_hStopEvent != nullptr) {
        m_pStopEvent = job.m_hStopEvent.get();
    } else {
        // Run without Start (on the caller's thread): nobody can signal, waits only time out.
        m_pOwnStopEvent = std::make_unique<CAutoResetEvent>(
            context.m_pWaitClock != nullptr ? *context.m_pWaitClock : SystemWaitClock());
        m_pStopEvent = m_pOwnStopEvent.get();
    }
}

std::uint32_t CJobWorker::Run() {
    if (!Connect()) {
        return kJobExitFailed;
    }
    m_tNow = m_clock.Now();

    CThresholdTrigger trigger(m_job.m_nCpuThreshold, m_job.m_nMemThreshold, m_job.m_nDiskThreshold);
    if (!trigger.IsEmpty() && Watch(trigger) == EWatchEnd::kStopped) {
        return kJobExitInOrder;
    }
    return Record();
}

bool CJobWorker::Connect() {
    const CHostTable& hosts =
        m_context.m_pHosts != nullptr ? *m_context.m_pHosts : EmptyHostTable();
    platform::ErrorCode nCode = ConnectHost(m_access, m_job.m_strHost, hosts, m_hMachine);
    if (nCode != platform::kSuccess) {
        m_hMachine = platform::kNoHostKey;
        const std::string strMessage = JobErrorMessage(m_job.m_nSchedule, m_job.m_strHost, nCode);
        m_job.SetMessage(strMessage);
        LogError(static_cast<std::int32_t>(nCode), strMessage);
        return false;
    }

    nCode = OpenCounterKey(m_access, m_hMachine, m_hCounterKey);
    if (nCode != platform::kSuccess) {
        m_hCounterKey = platform::kNoHostKey;
        m_job.SetMessage(JobErrorMessage(m_job.m_nSchedule, m_job.m_strHost, nCode));
        LogError(static_cast<std::int32_t>(nCode), OpenKeyLabel(m_job.m_strHost));
        CloseHost(m_access, platform::kNoHostKey, m_hMachine);
        return false;
    }

    nCode = ReadCounterNames(m_access, m_hCounterKey, m_names);
    if (nCode != platform::kSuccess) {
        LogError(static_cast<std::int32_t>(nCode), CounterNamesLabel(m_job.m_strHost));
        CloseHost(m_access, m_hCounterKey, m_hMachine);
        return false;
    }
    return true;
}

CJobWorker::EWatchEnd CJobWorker::Watch(CThresholdTrigger& trigger) {
    perf::CPerfRateState cpuState;
    perf::CPerfRateState diskState;

    while (m_job.m_tRunEnd >= m_tNow) {
        bool bFired = false;
        {
            CPerfData data;
            const platform::ErrorCode nCode = QueryPerfData(m_access, m_hCounterKey, data);
            if (nCode != platform::kSuccess) {
                LogError(static_cast<std::int32_t>(nCode), QueryLabel(m_job.m_strHost));
            } else if (const perf::PerfBytes block = perf::BlockBytes(data.Block());
                       !block.empty()) {
                const perf::CPerfSnapshot figures = perf::TakeSnapshot(block, cpuState, diskState);
                if (trigger.Evaluate(figures)) {
                    m_job.SetMessage(TriggerMessage(m_job.m_nSchedule, figures));
                    bFired = true;
                }
            }
        }  // the block is freed here
        if (bFired) {
            return EWatchEnd::kTriggered;
        }
        if (WaitForStop(m_nInterval)) {
            // Stopped while watching: the run ends in order whether or not the key closes.
            CloseKeys();
            return EWatchEnd::kStopped;
        }
        m_tNow = m_clock.Now();
    }
    return EWatchEnd::kRunEnded;
}

bool CJobWorker::CloseKeys() {
    const platform::ErrorCode nCode = CloseHost(m_access, m_hCounterKey, m_hMachine);
    m_hCounterKey = platform::kNoHostKey;
    m_hMachine = platform::kNoHostKey;
    if (nCode != platform::kSuccess) {
        LogError(static_cast<std::int32_t>(nCode), CloseKeyLabel(m_job.m_strHost));
        return false;
    }
    m_job.SetJobState(kJobStateEnded);
    return true;
}

void CJobWorker::Reconnect(int& nFailures) {
    m_job.SetMessage(ConnectionLostMessage(m_job.m_strHost));
    CloseHost(m_access, m_hCounterKey, m_hMachine);
    m_hCounterKey = platform::kNoHostKey;
    m_hMachine = platform::kNoHostKey;

    // The registry connection alone: the IPC$ logon of the start is still open.
    if (m_access.ConnectRegistry(m_job.m_strHost, m_hMachine) != platform::kSuccess) {
        m_hMachine = platform::kNoHostKey;
    }
    const platform::ErrorCode nCode = OpenCounterKey(m_access, m_hMachine, m_hCounterKey);
    if (nCode != platform::kSuccess) {
        m_hCounterKey = platform::kNoHostKey;
        const std::string strMessage = JobErrorMessage(m_job.m_nSchedule, m_job.m_strHost, nCode);
        m_job.SetMessage(strMessage);
        LogError(static_cast<std::int32_t>(nCode), strMessage);
        ++nFailures;
    }
}

void CJobWorker::LogError(std::int32_t nCode, const std::string& strText) {
    m_errorLog.WriteErrorLog(nCode, m_job.m_strDataDir, strText);
}

bool CJobWorker::WaitForStop(std::int64_t nMilliseconds) {
    const auto nWait = static_cast<std::uint32_t>(
        std::clamp<std::int64_t>(nMilliseconds, 0, static_cast<std::int64_t>(UINT32_MAX)));
    return m_pStopEvent->Wait(nWait);
}
