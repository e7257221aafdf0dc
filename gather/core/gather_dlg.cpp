// CGatherDlg construction, its tables, directories, collaborators and list columns.
#include "gather_dlg.h"

#include "job/wait_clock.h"
#include "list_layouts.h"
#include "logs/error_log.h"
#include "platform/files.h"
#include "sim/host_access_choice.h"

CGatherDlg::CGatherDlg(IGatherView& view, IMessageBoxView& messageBoxes,
                       const platform::IClock& clock)
    : m_pView(&view),
      m_boxes(messageBoxes),
      m_pClock(&clock),
      m_pFileOps(&PlatformFileOps()),
      m_pHosts(std::make_unique<CHostTable>()),
      m_pGroups(std::make_unique<CGroupTable>()),
      m_pSchedules(std::make_unique<CScheduleTable>()),
      m_arrJobs(kScheduleSlots),
      m_pExecIdStore(&ConfigExecutionIdStore()) {
    m_listSchedules.SetInsertSorted(true);
}

CGatherDlg::~CGatherDlg() {
    OnDestroyGather();
}

void CGatherDlg::SetProgramDirectory(const std::string& strDirectory) {
    m_strProgramDir = platform::WithTrailingSeparator(strDirectory);
}

void CGatherDlg::SetDataDirectory(const std::string& strDirectory) {
    m_strDataDir = platform::WithTrailingSeparator(strDirectory);
}

void CGatherDlg::ResetSchedule(int nSchedule) {
    if (nSchedule < 0 || nSchedule >= kScheduleSlots) return;
    Schedule(nSchedule) = CSchedule::Blank(m_pClock->Now());
}

void CGatherDlg::ResetAllSchedules() {
    const CSchedule blank = CSchedule::Blank(m_pClock->Now());
    m_pSchedules->fill(blank);
}

bool CGatherDlg::CreateListColumns() {
    const bool bSchedules = m_listSchedules.SetColumnLayout(kScheduleListLayout);
    const bool bRunLog = m_listRunLog.SetColumnLayout(kRunLogLayout);
    return bSchedules && bRunLog;
}

void CGatherDlg::SetFileOps(IFileOps* pFileOps) {
    m_pFileOps = pFileOps != nullptr ? pFileOps : &PlatformFileOps();
}

void CGatherDlg::SetJobContext(const CGatherJobContext& context) {
    m_jobContext = context;
    m_jobContext.m_pHosts.reset();
}

const CGatherJobContext& CGatherDlg::JobContext() {
    if (m_jobContext.m_pAccess == nullptr) m_jobContext.m_pAccess = &sim::ProcessHostAccess();
    if (m_jobContext.m_pWaitClock == nullptr) m_jobContext.m_pWaitClock = &SystemWaitClock();
    if (m_jobContext.m_pErrorLog == nullptr) m_jobContext.m_pErrorLog = &ProcessErrorLog();
    // The jobs read login data from a published copy of the host table that nobody changes; a
    // new copy is published when the table has changed since (the old one lives on as long as
    // a job still holds it).
    if (!m_jobContext.m_pHosts || *m_jobContext.m_pHosts != *m_pHosts)
        m_jobContext.m_pHosts = std::make_shared<const CHostTable>(*m_pHosts);
    return m_jobContext;
}

CErrorLog& CGatherDlg::ErrorLog() const {
    return m_jobContext.m_pErrorLog != nullptr ? *m_jobContext.m_pErrorLog : ProcessErrorLog();
}

void CGatherDlg::SetExecutionIdStore(IExecutionIdStore* pStore) {
    m_pExecIdStore = pStore != nullptr ? pStore : &ConfigExecutionIdStore();
    m_pExecIds.reset();
}

CExecutionIds& CGatherDlg::ExecutionIds() {
    if (!m_pExecIds)
        m_pExecIds = std::make_unique<CExecutionIds>(*m_pClock, *m_pExecIdStore, ErrorLog());
    return *m_pExecIds;
}
