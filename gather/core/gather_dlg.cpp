// CGatherDlg construction, its tables and directories, and the columns of its two lists.
#include "gather_dlg.h"

#include "list_layouts.h"
#include "platform/files.h"

CGatherDlg::CGatherDlg(IGatherView& view, const platform::IClock& clock)
    : m_pView(&view),
      m_pClock(&clock),
      m_pFileOps(&PlatformFileOps()),
      m_pHosts(std::make_unique<CHostTable>()),
      m_pGroups(std::make_unique<CGroupTable>()),
      m_pSchedules(std::make_unique<CScheduleTable>()) {
    m_listSchedules.SetInsertSorted(true);
}

CGatherDlg::~CGatherDlg() = default;

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
