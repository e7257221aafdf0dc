// Manager's window behaviour: listing, counting, deleting, changing the data directory.
#include "manager_dlg.h"

#include <chrono>
#include <thread>

#include "manager_texts.h"
#include "platform/data_file_io.h"
#include "platform/files.h"
#include "single_instance.h"

namespace manager {
namespace {

std::vector<std::string> RowTexts(const companion::CDataFileEntry& entry) {
    return {entry.m_strName,
            entry.m_bFinished ? kFinishedState : kOpenState,
            entry.m_header.m_strHost,
            entry.m_header.m_strExecId,
            std::to_string(entry.m_header.m_nBranch),
            companion::StartTimeText(entry.m_header.m_tStart),
            companion::SizeText(entry.m_nSize),
            kCounting};
}

}  // namespace

platform::ErrorCode ProbeFolderWritable(const std::string& strDirectory) {
    if (!platform::FileExists(strDirectory)) return platform::kErrorPathNotFound;
    const std::string strDir = platform::WithTrailingSeparator(strDirectory);
    for (int n = 0; n < 100; ++n) {
        const std::string strProbe = strDir + "~varnole-write-test" + std::to_string(n) + ".tmp";
        std::unique_ptr<platform::IOutputFile> pFile;
        const platform::ErrorCode nError = platform::CreateNewOutputFile(strProbe, pFile);
        if (nError == platform::kErrorFileExists || nError == platform::kErrorAlreadyExists) continue;
        if (nError != platform::kSuccess) return nError;
        platform::ErrorCode nWrite = pFile->Write("VARNOLE", 7);
        const platform::ErrorCode nClose = pFile->Close();
        if (nWrite == platform::kSuccess) nWrite = nClose;
        platform::DeleteFile(strProbe);
        return nWrite;
    }
    return platform::kErrorFileExists;
}

SManagerEnvironment SManagerEnvironment::Real() {
    SManagerEnvironment environment;
    environment.m_fnReadDataDirectory = companion::ReadConfiguredDataDirectory;
    environment.m_fnWriteDataDirectory = companion::WriteConfiguredDataDirectory;
    environment.m_strProgramDir = platform::ProgramDirectory();
    environment.m_fnListFiles = companion::ListEveryDataFile;
    environment.m_fnDeleteFile = [](const std::string& strPath) {
        return platform::DeleteFile(strPath);
    };
    environment.m_fnProbeFolder = ProbeFolderWritable;
    return environment;
}

CManagerDlg::CManagerDlg(IManagerView& view, IMessageBoxView& messageBoxes,
                         SManagerEnvironment environment)
    : m_view(view), m_boxes(messageBoxes), m_environment(std::move(environment)) {
    m_list.SetColumnLayout(kFileListLayout);
}

CManagerDlg::~CManagerDlg() {
    StopCounting();
}

bool CManagerDlg::OnInit() {
    if (!companion::TakeProgramMutex(m_mutex, m_environment.m_strMutex, kAlreadyRunning,
                                     m_boxes)) {
        m_view.Close();
        return false;
    }
    m_strDataDir = companion::FindDataDirectory(m_environment.m_fnReadDataDirectory,
                                                m_environment.m_strProgramDir);
    Refresh();
    return true;
}

void CManagerDlg::StopCounting() {
    if (!m_pCounts) return;
    m_pCounts->Stop();
    m_pCounts.reset();
    m_view.StopTimer();
}

void CManagerDlg::Refresh() {
    StopCounting();
    m_view.ShowDataDirectory(m_strDataDir);
    std::uint64_t nFree = 0;
    std::uint64_t nTotal = 0;
    const platform::ErrorCode nSpace = m_environment.m_fnDiskSpace
                                           ? m_environment.m_fnDiskSpace(m_strDataDir, nFree, nTotal)
                                           : platform::kErrorNotSupported;
    m_view.ShowSpace(SpaceText(nSpace, nFree, nTotal));

    m_vecFiles.clear();
    if (m_environment.m_fnListFiles) m_environment.m_fnListFiles(m_strDataDir, m_vecFiles);
    m_list.DeleteAllRows();
    std::vector<std::string> vecPaths;
    for (std::size_t i = 0; i < m_vecFiles.size(); ++i) {
        const int nRow = m_list.AppendRow(RowTexts(m_vecFiles[i]));
        m_list.SetRowData(nRow, static_cast<int>(i));
        vecPaths.push_back(m_strDataDir + m_vecFiles[i].m_strName);
    }
    m_list.SortBy(kFileColumnStart, false);
    m_view.ClearSelection();
    ShowListStatus();
    if (!vecPaths.empty()) {
        m_pCounts = std::make_unique<CSampleCountJob>();
        m_pCounts->Start(std::move(vecPaths));
        m_view.StartTimer();
    }
}

const companion::CDataFileEntry* CManagerDlg::EntryOfRow(int nRow) const {
    if (nRow < 0 || nRow >= m_list.GetRowCount()) return nullptr;
    const int nIndex = m_list.GetRowData(nRow);
    if (nIndex < 0 || nIndex >= static_cast<int>(m_vecFiles.size())) return nullptr;
    return &m_vecFiles[static_cast<std::size_t>(nIndex)];
}

bool CManagerDlg::CanSelect(int nRow) const {
    const companion::CDataFileEntry* pEntry = EntryOfRow(nRow);
    return pEntry != nullptr && pEntry->m_bFinished;
}

void CManagerDlg::ShowListStatus() {
    std::uint64_t nBytes = 0;
    std::size_t nOpen = 0;
    for (const companion::CDataFileEntry& entry : m_vecFiles) {
        nBytes += entry.m_nSize;
        nOpen += !entry.m_bFinished;
    }
    std::size_t nSelected = 0;
    std::uint64_t nSelectedBytes = 0;
    for (const int nRow : m_view.SelectedRows()) {
        if (!CanSelect(nRow)) continue;
        ++nSelected;
        nSelectedBytes += EntryOfRow(nRow)->m_nSize;
    }
    m_view.ShowStatus(ListStatusText(m_vecFiles.size(), nBytes, nOpen, nSelected, nSelectedBytes));
}

void CManagerDlg::OnSelectionChanged() {
    ShowListStatus();
}

void CManagerDlg::OnDelete() {
    std::vector<const companion::CDataFileEntry*> vecChosen;
    std::uint64_t nBytes = 0;
    for (const int nRow : m_view.SelectedRows()) {
        if (!CanSelect(nRow)) continue;  // files being written are never deleted
        vecChosen.push_back(EntryOfRow(nRow));
        nBytes += vecChosen.back()->m_nSize;
    }
    if (vecChosen.empty()) {
        m_boxes.Show(kNothingSelected, kErrorCaption, EMessageIcon::kWarning, EMessageButtons::kOk);
        return;
    }
    if (!m_boxes.AskYesNo(DeleteQuestionText(vecChosen.size(), nBytes), kDeleteCaption,
                          EMessageIcon::kWarning)) {
        return;
    }
    StopCounting();  // the counter may be reading one of them
    std::size_t nDeleted = 0;
    std::vector<CNotDeleted> vecNotDeleted;
    for (const companion::CDataFileEntry* pEntry : vecChosen) {
        const std::string strPath = m_strDataDir + pEntry->m_strName;
        // Only the file that was listed: same name, still a finished data file of that run.
        if (!companion::StillTheSameDataFile(strPath, *pEntry, m_environment.m_fnReadEntry)) {
            vecNotDeleted.push_back({pEntry->m_strName, platform::kSuccess});
            continue;
        }
        const platform::ErrorCode nError = m_environment.m_fnDeleteFile(strPath);
        if (nError == platform::kSuccess) {
            ++nDeleted;
        } else {
            vecNotDeleted.push_back({pEntry->m_strName, nError});
        }
    }
    Refresh();
    if (vecNotDeleted.empty()) {
        m_view.ShowStatus(DeletedText(nDeleted));
    } else {
        m_boxes.Show(NotDeletedText(nDeleted, vecNotDeleted), kErrorCaption, EMessageIcon::kWarning,
                     EMessageButtons::kOk);
    }
}

void CManagerDlg::OnChangeDirectory() {
    const std::optional<std::string> strChosen = m_view.AskFolder(m_strDataDir);
    if (!strChosen || strChosen->empty()) return;
    const std::string& strFolder = *strChosen;
    const platform::ErrorCode nProbe = m_environment.m_fnProbeFolder
                                           ? m_environment.m_fnProbeFolder(strFolder)
                                           : platform::kSuccess;
    if (nProbe == platform::kErrorPathNotFound || nProbe == platform::kErrorFileNotFound) {
        m_boxes.Show(FolderMissingText(strFolder), kDirectoryCaption, EMessageIcon::kWarning,
                     EMessageButtons::kOk);
        return;
    }
    if (nProbe != platform::kSuccess) {
        m_boxes.Show(FolderNotWritableText(strFolder, nProbe), kDirectoryCaption,
                     EMessageIcon::kWarning, EMessageButtons::kOk);
        return;
    }
    const platform::ErrorCode nWrite = m_environment.m_fnWriteDataDirectory(strFolder);
    if (nWrite != platform::kSuccess) {
        m_boxes.Show(RegistryWriteText(nWrite), kDirectoryCaption, EMessageIcon::kError,
                     EMessageButtons::kOk);
        return;
    }
    m_strDataDir = platform::WithTrailingSeparator(strFolder);
    Refresh();
    m_view.ShowStatus(DirectoryChangedText(strFolder));
}

void CManagerDlg::OnTick() {
    if (!m_pCounts) return;
    bool bDone = false;
    const std::vector<CSampleCountJob::CCount> vecCounts = m_pCounts->Counts(bDone);
    for (int nRow = 0; nRow < m_list.GetRowCount(); ++nRow) {
        const int nIndex = m_list.GetRowData(nRow);
        if (nIndex < 0 || nIndex >= static_cast<int>(vecCounts.size())) continue;
        const CSampleCountJob::CCount& count = vecCounts[static_cast<std::size_t>(nIndex)];
        const std::string strText =
            count.m_eState == CSampleCountJob::EState::kCounted ? std::to_string(count.m_nSamples)
            : count.m_eState == CSampleCountJob::EState::kFailed ? std::string(kNotCounted)
                                                                 : std::string(kCounting);
        if (m_list.GetText(nRow, kFileColumnSamples) == strText) continue;
        m_list.SetText(nRow, kFileColumnSamples, strText);
        m_view.RefreshRow(nRow);
    }
    if (bDone) StopCounting();
}

void CManagerDlg::WaitForCounts() {
    while (m_pCounts) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        OnTick();
    }
}

void CManagerDlg::OnExit() {
    StopCounting();
    m_view.Close();
}

}  // namespace manager
