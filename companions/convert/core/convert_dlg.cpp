// Convert's window behaviour: listing, choosing, converting, reporting.
#include "convert_dlg.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "convert_texts.h"
#include "platform/config_store.h"
#include "platform/files.h"
#include "single_instance.h"

namespace convert {

SConvertEnvironment SConvertEnvironment::Real() {
    SConvertEnvironment environment;
    environment.m_fnReadDataDirectory = companion::ReadConfiguredDataDirectory;
    environment.m_strProgramDir = platform::ProgramDirectory();
    environment.m_fnListFiles = companion::ListEveryDataFile;
    environment.m_fnExists = [](const std::string& strPath) {
        return platform::FileExists(strPath);
    };
    return environment;
}

CConvertDlg::CConvertDlg(IConvertView& view, IMessageBoxView& messageBoxes,
                         SConvertEnvironment environment)
    : m_view(view), m_boxes(messageBoxes), m_environment(std::move(environment)) {
    m_list.SetColumnLayout(kRunListLayout);
}

CConvertDlg::~CConvertDlg() = default;

bool CConvertDlg::OnInit() {
    if (!companion::TakeProgramMutex(m_mutex, m_environment.m_strMutex, kAlreadyRunning,
                                     m_boxes)) {
        m_view.Close();
        return false;
    }
    m_strDataDir = companion::FindDataDirectory(m_environment.m_fnReadDataDirectory,
                                                m_environment.m_strProgramDir);
    m_strOutputFolder = m_strDataDir;
    m_view.ShowDataDirectory(DataDirectoryText(m_strDataDir));
    m_view.ShowOutputFolder(m_strOutputFolder);
    m_view.ShowProgress(false, 0);
    m_view.SetConverting(false);
    Refresh();
    return true;
}

void CConvertDlg::Refresh() {
    std::vector<companion::CDataFileEntry> vecEntries;
    if (m_environment.m_fnListFiles) m_environment.m_fnListFiles(m_strDataDir, vecEntries);
    m_vecRuns = GroupRuns(vecEntries);
    FillRunList(m_vecRuns, m_list);
    std::size_t nFiles = 0;
    for (const CRunEntry& run : m_vecRuns) nFiles += run.m_vecPieces.size();
    m_view.ShowStatus(ListStatusText(m_vecRuns.size(), nFiles, m_strDataDir));
}

void CConvertDlg::OnChooseFolder() {
    if (IsConverting()) return;
    const std::optional<std::string> strFolder = m_view.AskFolder(m_strOutputFolder);
    if (!strFolder || strFolder->empty()) return;
    m_strOutputFolder = *strFolder;
    m_view.ShowOutputFolder(m_strOutputFolder);
}

void CConvertDlg::OnConvert(bool bUtf8) {
    if (IsConverting()) return;
    std::vector<const CRunEntry*> vecChosen;
    for (const int nRow : m_view.SelectedRows()) {
        const int nRun = m_list.GetRowData(nRow);
        if (nRow >= 0 && nRow < m_list.GetRowCount() && nRun >= 0 &&
            nRun < static_cast<int>(m_vecRuns.size())) {
            vecChosen.push_back(&m_vecRuns[static_cast<std::size_t>(nRun)]);
        }
    }
    if (vecChosen.empty()) {
        m_boxes.Show(kNothingSelected, kErrorCaption, EMessageIcon::kWarning, EMessageButtons::kOk);
        return;
    }
    if (m_environment.m_fnExists && !m_environment.m_fnExists(m_strOutputFolder)) {
        m_boxes.Show(FolderMissingText(m_strOutputFolder), kErrorCaption, EMessageIcon::kWarning,
                     EMessageButtons::kOk);
        return;
    }

    const std::string strFolder = platform::WithTrailingSeparator(m_strOutputFolder);
    std::vector<CConvertTask> vecTasks;
    std::vector<std::string> vecExisting;
    m_vecReports.clear();
    for (const CRunEntry* pRun : vecChosen) {
        CConvertTask task;
        for (const companion::CDataFileEntry& piece : pRun->m_vecPieces) {
            task.m_vecPaths.push_back(m_strDataDir + piece.m_strName);
        }
        const std::string strName = CsvNameOfRun(*pRun);
        task.m_strOutput = strFolder + strName;
        if (m_environment.m_fnExists && m_environment.m_fnExists(task.m_strOutput)) {
            vecExisting.push_back(strName);
        }
        vecTasks.push_back(std::move(task));
        m_vecReports.push_back({strName, pRun->m_vecOpenPieces, {}});
    }
    if (!vecExisting.empty() &&
        !m_boxes.AskYesNo(ReplaceQuestionText(vecExisting), kConvertTitle, EMessageIcon::kWarning)) {
        return;
    }

    m_pJob = std::make_unique<CConvertJob>();
    m_pJob->Start(std::move(vecTasks),
                  bUtf8 ? csv::ECsvEncoding::kUtf8Bom : csv::ECsvEncoding::kCp932);
    m_view.SetConverting(true);
    m_view.ShowProgress(true, 0);
    m_view.ShowStatus(ProgressText(m_pJob->Status(), m_vecReports.front().m_strName));
    m_view.StartTimer();
}

void CConvertDlg::OnTick() {
    if (!m_pJob) return;
    const CConvertJob::CStatus status = m_pJob->Status();
    if (status.m_bDone) return Finish();
    const csv::CConvertProgress& progress = status.m_progress;
    const std::size_t nTasks = std::max<std::size_t>(status.m_nTasks, 1);
    const double dTask = progress.m_nBytesTotal > 0
                             ? static_cast<double>(progress.m_nBytesDone) /
                                   static_cast<double>(progress.m_nBytesTotal)
                             : 0;
    m_view.ShowProgress(true,
                        static_cast<int>((static_cast<double>(status.m_nTask) + dTask) * 1000 /
                                         static_cast<double>(nTasks)));
    const std::size_t nTask = std::min(status.m_nTask, m_vecReports.size() - 1);
    m_view.ShowStatus(ProgressText(status, m_vecReports[nTask].m_strName));
}

void CConvertDlg::Finish() {
    m_view.StopTimer();
    const bool bCancelled = m_pJob->Cancelled();
    std::vector<csv::CConvertResult> vecResults = m_pJob->TakeResults();
    m_pJob.reset();
    m_view.SetConverting(false);
    m_view.ShowProgress(false, 0);

    std::vector<CTaskReport> vecDone;
    std::size_t nWritten = 0;
    for (std::size_t i = 0; i < vecResults.size() && i < m_vecReports.size(); ++i) {
        if (vecResults[i].m_eError == csv::EConvertError::kCancelled) continue;
        m_vecReports[i].m_result = std::move(vecResults[i]);
        nWritten += m_vecReports[i].m_result.Ok();
        vecDone.push_back(std::move(m_vecReports[i]));
    }
    m_vecReports.clear();
    if (bCancelled) {
        m_view.ShowStatus(CancelledText(nWritten));
        return;
    }
    m_view.ShowStatus(ReportSummaryText(vecDone));
    const bool bAllWritten = nWritten == vecDone.size();
    m_boxes.Show(ReportText(vecDone), kConvertTitle,
                 bAllWritten ? EMessageIcon::kInformation : EMessageIcon::kWarning,
                 EMessageButtons::kOk);
}

void CConvertDlg::OnStop() {
    if (m_pJob) m_pJob->Cancel();
}

void CConvertDlg::OnExit() {
    if (m_pJob) {
        if (!m_boxes.AskYesNo(kExitWhileConverting, kExitCaption, EMessageIcon::kWarning)) return;
        m_pJob->Cancel();
        WaitForJob();
        m_view.StopTimer();
        m_pJob.reset();
    }
    m_view.Close();
}

void CConvertDlg::WaitForJob() {
    while (m_pJob && !m_pJob->Status().m_bDone) std::this_thread::sleep_for(std::chrono::milliseconds(5));
}

}  // namespace convert
