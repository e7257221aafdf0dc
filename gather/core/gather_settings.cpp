// Loading and saving VARNOLE.dat: a flushed temporary file, the VARNOLE.old backup, and an
// unreadable file reported and set aside.
#include <utility>

#include "gather_dlg.h"
#include "group_cleanup.h"
#include "settings_format.h"
#include "settings_messages.h"

namespace {

constexpr const char* kSettingsName = "VARNOLE.dat";
constexpr const char* kBackupName = "VARNOLE.old";
constexpr const char* kTemporaryName = "VARNOLE.new";
// An unreadable settings file is kept as VARNOLE.bad, VARNOLE(1).bad, VARNOLE(2).bad, ...
constexpr const char* kSetAsideStem = "VARNOLE";
constexpr const char* kSetAsideExtension = ".bad";
constexpr int kSetAsideNames = 1000;
// A full file with long texts in every slot stays far below this; a larger file is not read
// into memory.
constexpr std::size_t kMaxSettingsSize = std::size_t{64} << 20;

}  // namespace

std::string CGatherDlg::SettingsPath() const {
    return m_strProgramDir + kSettingsName;
}
std::string CGatherDlg::BackupPath() const {
    return m_strProgramDir + kBackupName;
}
std::string CGatherDlg::TemporaryPath() const {
    return m_strProgramDir + kTemporaryName;
}

bool CGatherDlg::LoadSettings() {
    m_strSetAsidePath.clear();
    m_bUnreadableSettings = false;
    const std::string strPath = SettingsPath();
    if (!m_pFileOps->Exists(strPath) && !RecoverInterruptedSave()) {
        ResetAllSchedules();
        return false;
    }

    std::string strBytes;
    const platform::ErrorCode nError = m_pFileOps->ReadAll(strPath, kMaxSettingsSize, strBytes);
    if (nError != platform::kSuccess) {
        ResetAllSchedules();
        SetAsideUnreadableSettings(SettingsReadErrorReason(nError));
        return true;
    }
    CSettingsContents contents = DecodeSettings(strBytes);
    ApplyLoadedSettings(contents);
    if (!contents.Complete())
        SetAsideUnreadableSettings(SettingsDecodeErrorReason(contents.m_eError));
    return true;
}

bool CGatherDlg::RecoverInterruptedSave() {
    // A save writes and flushes the whole new file under the temporary name before it moves
    // VARNOLE.dat away, so a temporary file without a VARNOLE.dat is the result of a save that
    // stopped between its renames. (Should it be cut short after all, the loader reports it.)
    const std::string strTemporary = TemporaryPath();
    return m_pFileOps->Exists(strTemporary) &&
           m_pFileOps->Rename(strTemporary, SettingsPath()) == platform::kSuccess;
}

void CGatherDlg::ApplyLoadedSettings(CSettingsContents& contents) {
    if (!contents.m_bHeaderRead) {
        ResetAllSchedules();
        return;
    }
    m_nLastSchedule = contents.m_nLastSchedule;
    for (int i = 0; i < contents.m_nHostsRead; ++i) {
        const std::size_t n = static_cast<std::size_t>(i);
        (*m_pHosts)[n] = std::move((*contents.m_pHosts)[n]);
    }
    for (int i = 0; i < contents.m_nGroupsRead; ++i) {
        const std::size_t n = static_cast<std::size_t>(i);
        (*m_pGroups)[n] = std::move((*contents.m_pGroups)[n]);
    }
    RemoveUnregisteredMembers(*m_pGroups, *m_pHosts);

    const CSchedule blank = CSchedule::Blank(m_pClock->Now());
    for (int i = 0; i < contents.m_layout.m_nSchedules; ++i) {
        CSchedule& schedule = Schedule(i);
        schedule = blank;
        if (i >= contents.m_nSchedulesRead) continue;
        CSchedule& stored = (*contents.m_pSchedules)[static_cast<std::size_t>(i)];
        if (stored.IsFree()) continue;
        schedule = std::move(stored);
        // A schedule that was running when the file was written comes back waiting.
        schedule.m_nState = kStateWaiting;
        RefreshScheduleRow(i, -1, true);
    }
}

std::string CGatherDlg::MoveSettingsAside() {
    const std::string strPath = SettingsPath();
    for (int n = 0; n < kSetAsideNames; ++n) {
        const std::string strTarget = m_strProgramDir + kSetAsideStem +
                                      (n == 0 ? std::string() : "(" + std::to_string(n) + ")") +
                                      kSetAsideExtension;
        if (m_pFileOps->Exists(strTarget)) continue;
        const platform::ErrorCode nError = m_pFileOps->Rename(strPath, strTarget);
        if (nError == platform::kSuccess) return strTarget;
        // Taken since the test above: try the next name; anything else will not get better.
        if (nError != platform::kErrorAlreadyExists && nError != platform::kErrorFileExists) break;
    }
    return {};
}

void CGatherDlg::SetAsideUnreadableSettings(const std::string& strReason) {
    m_strSetAsidePath = MoveSettingsAside();
    m_bUnreadableSettings = m_strSetAsidePath.empty();
    m_boxes.Show(SettingsLoadFailedText(SettingsPath(), strReason, m_strSetAsidePath),
                 kSettingsErrorCaption, EMessageIcon::kWarning, EMessageButtons::kOk);
}

bool CGatherDlg::SaveSettings() {
    const std::string strPath = SettingsPath();
    const std::string strBackup = BackupPath();
    const std::string strTemporary = TemporaryPath();

    // 1. The whole new file, flushed, under the temporary name: until it is complete,
    //    VARNOLE.dat and VARNOLE.old are not touched.
    const std::string strBytes =
        EncodeSettings(m_nLastSchedule, *m_pHosts, *m_pGroups, *m_pSchedules);
    platform::ErrorCode nError = m_pFileOps->WriteAll(strTemporary, strBytes);
    if (nError != platform::kSuccess) {
        m_pFileOps->Delete(strTemporary);
        m_boxes.Show(SettingsWriteFailedText(strPath, SettingsWriteErrorReason(nError)),
                     kSettingsErrorCaption, EMessageIcon::kWarning, EMessageButtons::kOk);
        return false;
    }

    // 2. The previous file becomes the backup. A file the last load could not read must not
    //    push the last good backup out: it is set aside again, or else simply replaced.
    if (m_bUnreadableSettings) {
        m_strSetAsidePath = MoveSettingsAside();
        m_bUnreadableSettings = m_strSetAsidePath.empty();
    }
    if (!m_bUnreadableSettings && m_pFileOps->Exists(strPath)) {
        if (m_pFileOps->Exists(strBackup)) m_pFileOps->Delete(strBackup);
        // Not checked: when VARNOLE.dat cannot become the backup, step 3 replaces it.
        m_pFileOps->Rename(strPath, strBackup);
    }

    // 3. The new file takes the name VARNOLE.dat in one step.
    nError = m_pFileOps->Replace(strTemporary, strPath);
    if (nError != platform::kSuccess) {
        m_boxes.Show(
            SettingsReplaceFailedText(strPath, strTemporary, SettingsWriteErrorReason(nError)),
            kSettingsErrorCaption, EMessageIcon::kWarning, EMessageButtons::kOk);
        return false;
    }
    m_bUnreadableSettings = false;
    return true;
}
