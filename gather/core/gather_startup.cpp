// Gather's window initialisation: the start-up check with its two mutexes, the execution-ID
// state, the program and data directories, blank tables, the lists and the settings file.
#include "gather_dlg.h"
#include "gather_texts.h"
#include "logs/error_log.h"
#include "platform/config_store.h"
#include "platform/files.h"

std::string ChooseDataDirectory(const CGatherStartup& startup, const std::string& strProgramDir) {
    std::string strValue;
    if (startup.m_strDataDirOverride) {
        strValue = *startup.m_strDataDirOverride;
    } else {
        const platform::ErrorCode nError =
            startup.m_fnReadDataDirectory
                ? startup.m_fnReadDataDirectory(strValue)
                : platform::ConfigStore::ReadString(kDataDirectoryValue, strValue);
        if (nError != platform::kSuccess) strValue.clear();
    }
    // An empty value would name the current directory, which is nobody's choice.
    if (strValue.empty()) return strProgramDir;
    return platform::WithTrailingSeparator(strValue);
}

bool CGatherDlg::StartupCheck(const CGatherStartup& startup) {
    const platform::ErrorCode nGather = m_mutexGather.Create(startup.m_strGatherMutex, true);
    if (nGather == platform::kErrorAlreadyExists) {
        m_mutexGather.Close();
        m_boxes.Show(gather_text::kAlreadyRunning, gather_text::kStartupCaption,
                     EMessageIcon::kError, EMessageButtons::kOk);
        return false;
    }
    if (nGather != platform::kSuccess) return false;
    if (!startup.m_bRequireMainMenu) return true;

    // Only the existence of the main menu's mutex matters; the handle is closed again at once,
    // so that Gather never keeps the main menu's name alive after the main menu has ended.
    platform::NamedMutex mutexMain;
    const platform::ErrorCode nMain = mutexMain.Create(startup.m_strMainMenuMutex, true);
    if (nMain == platform::kErrorAlreadyExists) return true;
    mutexMain.Close();
    m_mutexGather.Close();
    if (nMain == platform::kSuccess) {
        m_boxes.Show(gather_text::kStartFromMenu, gather_text::kStartupCaption,
                     EMessageIcon::kError, EMessageButtons::kOk);
    }
    return false;
}

void CGatherDlg::FindDirectories(const CGatherStartup& startup) {
    SetProgramDirectory(startup.m_strProgramDir.empty() ? platform::ProgramDirectory()
                                                        : startup.m_strProgramDir);
    SetDataDirectory(ChooseDataDirectory(startup, m_strProgramDir));
    // Records of ReportPlatformError go to Gather's own directory.
    ErrorLog().SetProgramDirectory(m_strProgramDir);
}

bool CGatherDlg::InitGather(const CGatherStartup& startup) {
    if (!StartupCheck(startup)) return false;
    m_executionIds.LoadExecutionIdState();
    FindDirectories(startup);
    m_tables.ResetAllSchedules();
    CreateListColumns();
    m_jobs.ReleaseAllJobs();
    LoadSettings();
    // The jobs get the loaded host table when the first run starts (it is published then).
    // Registration looks for a free number from the start of the table in every session.
    m_tables.SetLastSchedule(0);
    m_bStarted = true;
    return true;
}
