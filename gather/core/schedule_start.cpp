// Starting a run (collision check, one job per host sharing one execution ID), stopping and
// releasing a schedule's jobs, and the overlap check over all schedules.
#include "conflict_hosts.h"
#include "gather_dlg.h"
#include "gather_texts.h"
#include "logs/error_log.h"
#include "schedule_conflict_check.h"

std::optional<int> CGatherDlg::FindCollision(int nSchedule) const {
    const CSchedule& schedule = Schedule(nSchedule);
    for (int j = 0; j < kScheduleSlots; ++j) {
        if (j == nSchedule) continue;
        const CSchedule& other = (*m_pSchedules)[static_cast<std::size_t>(j)];
        // A free slot books nothing, even while the wizard holds a record in it.
        if (other.IsFree()) continue;
        if (other.m_tNextStart <= schedule.m_tNextStart &&
            schedule.m_tNextStart <= other.m_tNextEnd && SameHost(other, schedule, *m_pGroups))
            return j;
    }
    return std::nullopt;
}

void CGatherDlg::StartSchedule(int nSchedule) {
    if (nSchedule < 0 || nSchedule >= kScheduleSlots) return;
    CSchedule& schedule = Schedule(nSchedule);

    if (const std::optional<int> nOther = FindCollision(nSchedule)) {
        const CSchedule& other = Schedule(*nOther);
        const std::string strOtherTarget = other.m_strTarget;
        std::string strMessage;
        if (const std::optional<CScheduleRun> run = NextRun(schedule, other.m_tNextEnd)) {
            strMessage = gather_text::RunSkippedThisTime(nSchedule, *nOther);
            schedule.m_nState = kStateWaiting;
            schedule.m_tNextStart = run->m_tStart;
            schedule.m_tNextEnd = run->m_tEnd;
            RewriteScheduleRows(nSchedule);
        } else {
            strMessage = gather_text::RunDropped(nSchedule, *nOther);
            DeleteScheduleRows(nSchedule);
            ResetSchedule(nSchedule);
        }
        AddLog(strOtherTarget, strMessage);
        return;
    }

    schedule.m_nState = kStateRunning;
    const std::string strExecId = ExecutionIds().NextExecutionId();
    ReleaseJobs(nSchedule);
    // One job per host the schedule reads, each host once; a group that no longer exists reads
    // none and starts no job.
    const std::string strGroup =
        schedule.m_nTargetType == kTargetGroup ? schedule.m_strTarget : std::string();
    for (const std::string& strHost : ScheduleHosts(schedule, *m_pGroups))
        CreateJob(nSchedule, strHost, strGroup, strExecId);
}

void CGatherDlg::CreateJob(int nSchedule, const std::string& strHost, const std::string& strGroup,
                           const std::string& strExecId) {
    const CSchedule& schedule = Schedule(nSchedule);
    auto pJob = std::make_unique<CGatherJob>();
    pJob->m_nSchedule = nSchedule;
    pJob->m_strHost = strHost;
    if (const std::optional<int> nHost = FindHost(*m_pHosts, strHost)) {
        const CHostEntry& host = (*m_pHosts)[static_cast<std::size_t>(*nHost)];
        pJob->m_strOsInfo = host.m_strOsInfo;
        pJob->m_strCpuInfo = host.m_strCpuInfo;
    }
    pJob->m_strGroup = strGroup;
    pJob->m_nBranch = 1;
    pJob->m_strExecId = strExecId;
    pJob->m_tRunStart = schedule.m_tNextStart;
    pJob->m_tRunEnd = schedule.m_tNextEnd;
    pJob->m_nInterval = schedule.m_nInterval;
    pJob->m_nSplitUnit = schedule.m_nSplitUnit;
    pJob->m_strDataDir = m_strDataDir;
    pJob->m_strProgramDir = m_strProgramDir;
    pJob->m_strComment = schedule.m_strComment;
    pJob->m_nCpuThreshold = schedule.m_nCpuThreshold;
    pJob->m_nMemThreshold = schedule.m_nMemThreshold;
    pJob->m_nDiskThreshold = schedule.m_nDiskThreshold;

    CGatherJob& job = *pJob;
    m_arrJobs[static_cast<std::size_t>(nSchedule)].push_back(std::move(pJob));
    const platform::ErrorCode nError = job.Start(JobContext());
    if (nError != platform::kSuccess)
        ErrorLog().ReportPlatformError(nError, gather_text::StartThreadLabel(nSchedule, strHost));
}

void CGatherDlg::StopJobs(int nSchedule) {
    if (nSchedule < 0 || nSchedule >= kScheduleSlots) return;
    for (const auto& pJob : m_arrJobs[static_cast<std::size_t>(nSchedule)]) {
        const platform::ErrorCode nError = pJob->SignalStop();
        if (nError != platform::kSuccess) {
            ErrorLog().ReportPlatformError(
                nError, gather_text::StopSignalLabel(nSchedule, pJob->m_strHost));
        }
    }
}

void CGatherDlg::ReleaseJobs(int nSchedule) {
    if (nSchedule < 0 || nSchedule >= kScheduleSlots) return;
    ReleaseGatherJobs(m_arrJobs[static_cast<std::size_t>(nSchedule)]);
}

const std::vector<std::unique_ptr<CGatherJob>>& CGatherDlg::Jobs(int nSchedule) const {
    return m_arrJobs.at(static_cast<std::size_t>(nSchedule));
}

bool CGatherDlg::RunOverlapCheck(std::string& strText) const {
    CScheduleConflictCheck check;
    const bool bAccepted = check.Check(*m_pSchedules, *m_pGroups, m_pClock->Now());
    strText = check.ResultText();
    return bAccepted;
}
