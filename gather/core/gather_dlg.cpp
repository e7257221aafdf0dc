// CGatherDlg construction: the environment checked, the parts built over the tables.
#include "gather_dlg.h"

#include <stdexcept>

#include "logs/error_log.h"
#include "platform/files.h"
#include "settings_messages.h"

namespace {

const CGatherEnvironment& Checked(const CGatherEnvironment& environment) {
    if (!environment.IsComplete())
        throw std::invalid_argument("CGatherDlg: every collaborator of the environment is needed");
    return environment;
}

}  // namespace

CGatherDlg::CGatherDlg(IGatherView& view, IMessageBoxView& messageBoxes, IScheduleWizard& wizard,
                       const CGatherEnvironment& environment)
    : m_environment(Checked(environment)),
      m_boxes(messageBoxes),
      m_tables(environment.Clock()),
      m_settings(m_tables, *environment.m_pFileOps),
      m_rows(m_tables, environment.Clock()),
      m_runLog(environment.Clock(), view, m_boxes),
      m_executionIds(environment.Clock(), *environment.m_pExecIdStore, *environment.m_pErrorLog),
      m_jobs(m_tables, m_environment),
      m_scheduler(m_tables, m_rows, m_runLog, m_jobs, m_executionIds, m_boxes, environment.Clock()),
      m_ops(m_tables, m_rows, m_runLog, m_scheduler, view, m_boxes, wizard, environment.Clock()) {}

CGatherDlg::~CGatherDlg() {
    OnDestroyGather();
}

void CGatherDlg::SetProgramDirectory(const std::string& strDirectory) {
    m_strProgramDir = platform::WithTrailingSeparator(strDirectory);
    m_settings.SetProgramDirectory(m_strProgramDir);
    m_jobs.SetDirectories(m_strProgramDir, m_strDataDir);
}

void CGatherDlg::SetDataDirectory(const std::string& strDirectory) {
    m_strDataDir = platform::WithTrailingSeparator(strDirectory);
    m_jobs.SetDirectories(m_strProgramDir, m_strDataDir);
}

bool CGatherDlg::CreateListColumns() {
    const bool bSchedules = m_rows.CreateColumns();
    const bool bRunLog = m_runLog.CreateColumns();
    return bSchedules && bRunLog;
}

bool CGatherDlg::LoadSettings() {
    const bool bFound = m_settings.Load();
    // A schedule stored running came back waiting; the refresh books a next start that has
    // passed and frees a one-time schedule whose time has gone.
    for (int i = 0; i < kScheduleSlots; ++i) {
        if (!m_tables.Schedule(i).IsFree()) m_rows.RefreshScheduleRow(i, -1, true);
    }
    if (!m_settings.LoadProblem().empty()) {
        m_boxes.Show(m_settings.LoadProblem(), kSettingsErrorCaption, EMessageIcon::kWarning,
                     EMessageButtons::kOk);
    }
    return bFound;
}

bool CGatherDlg::SaveSettings() {
    const std::string strFailure = m_settings.Save();
    if (!strFailure.empty())
        m_boxes.Show(strFailure, kSettingsErrorCaption, EMessageIcon::kWarning,
                     EMessageButtons::kOk);
    return strFailure.empty();
}
