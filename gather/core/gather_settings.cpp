// CGatherSettings: loading and saving VARNOLE.dat, with a flushed temporary file, the
// VARNOLE.old backup, and an unreadable file set aside.
#include <utility>

#include "gather_settings.h"
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

CGatherSettings::CGatherSettings(CGatherTables& tables, IFileOps& fileOps)
    : m_pTables(&tables), m_pFileOps(&fileOps) {}

void CGatherSettings::SetProgramDirectory(const std::string& strDirectory) {
    m_strDirectory = strDirectory;
}

std::string CGatherSettings::SettingsPath() const {
    return m_strDirectory + kSettingsName;
}
std::string CGatherSettings::BackupPath() const {
    return m_strDirectory + kBackupName;
}
std::string CGatherSettings::TemporaryPath() const {
    return m_strDirectory + kTemporaryName;
}

bool CGatherSettings::Load() {
    m_strLoadProblem.clear();
    m_strSetAsidePath.clear();
    m_bUnreadableSettings = false;
    const std::string strPath = SettingsPath();
    // Files saved before access to them was restricted hold the passwords too (not checked: a
    // file system without access control keeps them as they are).
    m_pFileOps->RestrictAccess(BackupPath());
    if (!m_pFileOps->Exists(strPath) && !RecoverInterruptedSave()) {
        m_pTables->ResetAllSchedules();
        return false;
    }
    m_pFileOps->RestrictAccess(strPath);

    std::string strBytes;
    const platform::ErrorCode nError = m_pFileOps->ReadAll(strPath, kMaxSettingsSize, strBytes);
    if (nError != platform::kSuccess) {
        m_pTables->ResetAllSchedules();
        SetAsideUnreadableSettings(SettingsReadErrorReason(nError));
        return true;
    }
    CSettingsContents contents = DecodeSettings(strBytes);
    ApplyLoadedSettings(contents);
    if (!contents.Complete())
        SetAsideUnreadableSettings(SettingsDecodeErrorReason(contents.m_eError));
    return true;
}

bool CGatherSettings::RecoverInterruptedSave() {
    // A save writes and flushes the whole new file under the temporary name before it moves
    // VARNOLE.dat away, so a temporary file without a VARNOLE.dat is the result of a save that
    // stopped between its renames. (Should it be cut short after all, the loader reports it.)
    const std::string strTemporary = TemporaryPath();
    return m_pFileOps->Exists(strTemporary) &&
           m_pFileOps->Rename(strTemporary, SettingsPath()) == platform::kSuccess;
}

void CGatherSettings::ApplyLoadedSettings(CSettingsContents& contents) {
    if (!contents.m_bHeaderRead) {
        m_pTables->ResetAllSchedules();
        return;
    }
    m_pTables->SetLastSchedule(contents.m_nLastSchedule);
    for (int i = 0; i < contents.m_nHostsRead; ++i) {
        const std::size_t n = static_cast<std::size_t>(i);
        m_pTables->Hosts()[n] = std::move((*contents.m_pHosts)[n]);
    }
    for (int i = 0; i < contents.m_nGroupsRead; ++i) {
        const std::size_t n = static_cast<std::size_t>(i);
        m_pTables->Groups()[n] = std::move((*contents.m_pGroups)[n]);
    }
    RemoveUnregisteredMembers(m_pTables->Groups(), m_pTables->Hosts());

    const CSchedule blank = m_pTables->BlankSchedule();
    for (int i = 0; i < contents.m_layout.m_nSchedules; ++i) {
        CSchedule& schedule = m_pTables->Schedule(i);
        schedule = blank;
        if (i >= contents.m_nSchedulesRead) continue;
        CSchedule& stored = (*contents.m_pSchedules)[static_cast<std::size_t>(i)];
        if (stored.IsFree()) continue;
        schedule = std::move(stored);
        // A schedule that was running when the file was written comes back waiting.
        schedule.m_nState = kStateWaiting;
    }
}

std::string CGatherSettings::MoveSettingsAside() {
    const std::string strPath = SettingsPath();
    for (int n = 0; n < kSetAsideNames; ++n) {
        const std::string strTarget = m_strDirectory + kSetAsideStem +
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

void CGatherSettings::SetAsideUnreadableSettings(const std::string& strReason) {
    m_strSetAsidePath = MoveSettingsAside();
    m_bUnreadableSettings = m_strSetAsidePath.empty();
    m_strLoadProblem = SettingsLoadFailedText(SettingsPath(), strReason, m_strSetAsidePath);
}

std::string CGatherSettings::Save() {
    const std::string strPath = SettingsPath();
    const std::string strBackup = BackupPath();
    const std::string strTemporary = TemporaryPath();

    // 1. The whole new file, flushed, under the temporary name: until it is complete,
    //    VARNOLE.dat and VARNOLE.old are not touched.
    const std::string strBytes = EncodeSettings(m_pTables->LastSchedule(), m_pTables->Hosts(),
                                                m_pTables->Groups(), m_pTables->Schedules());
    platform::ErrorCode nError = m_pFileOps->WriteAll(strTemporary, strBytes);
    if (nError != platform::kSuccess) {
        m_pFileOps->Delete(strTemporary);
        return SettingsWriteFailedText(strPath, SettingsWriteErrorReason(nError));
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
    if (nError != platform::kSuccess)
        return SettingsReplaceFailedText(strPath, strTemporary, SettingsWriteErrorReason(nError));
    m_bUnreadableSettings = false;
    return {};
}
