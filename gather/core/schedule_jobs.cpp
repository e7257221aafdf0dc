// Starting, stopping and releasing the collection jobs of the schedules, and taking their reports.
#include "schedule_jobs.h"

#include "gather_texts.h"
#include "logs/error_log.h"

CScheduleJobs::CScheduleJobs(const CGatherTables& tables, const CGatherEnvironment& environment)
    : m_pTables(&tables), m_pErrorLog(environment.m_pErrorLog), m_arrJobs(kScheduleSlots) {
    m_context.m_pAccess = environment.m_pNetwork;
    m_context.m_pWaitClock = environment.m_pWaitClock;
    m_context.m_pErrorLog = environment.m_pErrorLog;
}

CScheduleJobs::~CScheduleJobs() {
    ReleaseAllJobs();
}

void CScheduleJobs::SetDirectories(const std::string& strProgramDir,
                                   const std::string& strDataDir) {
    m_strProgramDir = strProgramDir;
    m_strDataDir = strDataDir;
}

const CGatherJobContext& CScheduleJobs::PublishedContext() {
    // The old copy lives on as long as a job still holds it.
    if (!m_context.m_pHosts || *m_context.m_pHosts != m_pTables->Hosts())
        m_context.m_pHosts = std::make_shared<const CHostTable>(m_pTables->Hosts());
    return m_context;
}

void CScheduleJobs::StartRun(int nSchedule, const std::vector<std::string>& arrHosts,
                             const std::string& strGroup, const std::string& strExecId) {
    if (nSchedule < 0 || nSchedule >= kScheduleSlots) return;
    ReleaseJobs(nSchedule);  // the objects of the previous run go
    for (const std::string& strHost : arrHosts) StartJob(nSchedule, strHost, strGroup, strExecId);
}

void CScheduleJobs::StartJob(int nSchedule, const std::string& strHost, const std::string& strGroup,
                             const std::string& strExecId) {
    const CSchedule& schedule = m_pTables->Schedule(nSchedule);
    auto pJob = std::make_unique<CGatherJob>();
    pJob->m_nSchedule = nSchedule;
    pJob->m_strHost = strHost;
    if (const std::optional<int> nHost = FindHost(m_pTables->Hosts(), strHost)) {
        const CHostEntry& host = m_pTables->Hosts()[static_cast<std::size_t>(*nHost)];
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
    const platform::ErrorCode nError = job.Start(PublishedContext());
    if (nError != platform::kSuccess)
        m_pErrorLog->ReportPlatformError(nError, gather_text::StartThreadLabel(nSchedule, strHost));
}

void CScheduleJobs::StopJobs(int nSchedule) {
    if (nSchedule < 0 || nSchedule >= kScheduleSlots) return;
    for (const auto& pJob : m_arrJobs[static_cast<std::size_t>(nSchedule)]) {
        const platform::ErrorCode nError = pJob->SignalStop();
        if (nError != platform::kSuccess) {
            m_pErrorLog->ReportPlatformError(
                nError, gather_text::StopSignalLabel(nSchedule, pJob->m_strHost));
        }
    }
}

void CScheduleJobs::ReleaseJobs(int nSchedule) {
    if (nSchedule < 0 || nSchedule >= kScheduleSlots) return;
    ReleaseGatherJobs(m_arrJobs[static_cast<std::size_t>(nSchedule)]);
}

void CScheduleJobs::ReleaseAllJobs() {
    // Joining before freeing: no worker outlives its job object or keeps using its file.
    for (int i = 0; i < kScheduleSlots; ++i) ReleaseJobs(i);
}

const std::vector<std::unique_ptr<CGatherJob>>& CScheduleJobs::Jobs(int nSchedule) const {
    return m_arrJobs.at(static_cast<std::size_t>(nSchedule));
}

bool CScheduleJobs::AllEnded() const {
    for (const auto& arrJobs : m_arrJobs) {
        for (const auto& pJob : arrJobs) {
            if (!pJob->HasEnded()) return false;
        }
    }
    return true;
}

std::vector<CScheduleJobs::CReport> CScheduleJobs::TakeReports() {
    std::vector<CReport> arrReports;
    for (const auto& arrJobs : m_arrJobs) {
        for (const auto& pJob : arrJobs) {
            std::string strMessage = pJob->TakeMessage();
            if (strMessage.empty()) continue;
            arrReports.emplace_back(pJob->m_strGroup.empty() ? pJob->m_strHost : pJob->m_strGroup,
                                    std::move(strMessage));
        }
    }
    return arrReports;
}
