// CGatherDlg: the portable controller of Gather's main window, owner of all of Gather's state.
//
// It holds the host, group and schedule tables, the program and data directories, the last
// schedule number assigned, the schedule list and the run log, and talks to its window through
// IGatherView. Its operations live in one file per concern: gather_dlg.cpp (state and lists),
// gather_settings.cpp (the settings file), schedule_rows.cpp (schedule list rows) and
// run_log.cpp (the run log).
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "file_ops.h"
#include "gather_view.h"
#include "host_tables.h"
#include "list/sorted_list_model.h"
#include "platform/clock.h"
#include "schedule.h"

class CSettingsContents;

class CGatherDlg {
public:
    // The view and the clock must outlive the controller.
    CGatherDlg(IGatherView& view, const platform::IClock& clock);
    ~CGatherDlg();
    CGatherDlg(const CGatherDlg&) = delete;
    CGatherDlg& operator=(const CGatherDlg&) = delete;

    // ---- state ----

    CHostTable& Hosts() { return *m_pHosts; }
    const CHostTable& Hosts() const { return *m_pHosts; }
    CGroupTable& Groups() { return *m_pGroups; }
    const CGroupTable& Groups() const { return *m_pGroups; }
    CScheduleTable& Schedules() { return *m_pSchedules; }
    const CScheduleTable& Schedules() const { return *m_pSchedules; }
    CSchedule& Schedule(int nSchedule) {
        return (*m_pSchedules)[static_cast<std::size_t>(nSchedule)];
    }

    // Directories end with a path separator (one is added when missing; empty stays empty).
    void SetProgramDirectory(const std::string& strDirectory);
    const std::string& GetProgramDirectory() const { return m_strProgramDir; }
    void SetDataDirectory(const std::string& strDirectory);
    const std::string& GetDataDirectory() const { return m_strDataDir; }

    std::int32_t GetLastSchedule() const { return m_nLastSchedule; }
    void SetLastSchedule(std::int32_t nLastSchedule) { m_nLastSchedule = nLastSchedule; }

    // Resets a schedule slot, or all of them, to the blank record of the present moment.
    void ResetSchedule(int nSchedule);
    void ResetAllSchedules();

    const platform::IClock& Clock() const { return *m_pClock; }

    // ---- lists ----

    // The schedule list keeps its rows in ascending order of column 0 (the number text); the
    // run log keeps the order rows were inserted in. The window attaches its list views to them.
    CSortedListModel& ScheduleList() { return m_listSchedules; }
    const CSortedListModel& ScheduleList() const { return m_listSchedules; }
    CSortedListModel& RunLog() { return m_listRunLog; }
    const CSortedListModel& RunLog() const { return m_listRunLog; }
    // Creates the columns of both lists; false when the window refused a column.
    bool CreateListColumns();

    // ---- schedule rows (schedule_rows.cpp) ----

    // Brings schedule nSchedule's next run up to date and (re)writes its list row: a next start
    // before now is replaced by NextRun from now, and a schedule with no further run is reset to
    // the blank record (its row, if any, stays for the scheduler to remove). Unless bKeepRow,
    // list row nRow is deleted first. The new row is inserted in number order.
    void RefreshScheduleRow(int nSchedule, int nRow, bool bKeepRow);
    // The texts of a waiting schedule's row, in column order.
    static std::vector<std::string> WaitingRowTexts(int nSchedule, const CSchedule& schedule);

    // ---- run log (run_log.cpp) ----

    // Inserts a row at the top of the run log: now (style 1), target, message.
    void AddLog(const std::string& strTarget, const std::string& strMessage);
    // Deletes the selected run log rows; with none selected, asks and then deletes every row.
    void ClearLog();

    // ---- settings file (gather_settings.cpp) ----

    // Reads VARNOLE.dat from the program directory into the tables and fills the schedule list;
    // the list columns must exist. Returns false when the file does not exist (all schedule
    // slots are then blank), true when it exists. A file that cannot be read whole is reported
    // to the user, the tables keep the records read before the fault, and the file is set aside
    // (see SetAsidePath) so that the next save keeps VARNOLE.old. When only the temporary file of
    // an interrupted save is there, it becomes VARNOLE.dat and is read.
    bool LoadSettings();
    // Writes the tables to VARNOLE.dat, keeping the previous file as VARNOLE.old. The new file is
    // written and flushed under a temporary name first, so a failure leaves both files as they
    // were; it is reported to the user and the result is false.
    bool SaveSettings();

    std::string SettingsPath() const;   // <program directory>VARNOLE.dat
    std::string BackupPath() const;     // <program directory>VARNOLE.old
    std::string TemporaryPath() const;  // <program directory>VARNOLE.new, the file being saved
    // Where the last load set an unreadable VARNOLE.dat aside; empty when it did not.
    const std::string& SetAsidePath() const { return m_strSetAsidePath; }

    // Replaces the file system the settings file uses (tests inject faults); null restores the
    // platform's. The object must outlive its use.
    void SetFileOps(IFileOps* pFileOps);

private:
    // Settings file helpers (gather_settings.cpp).
    bool RecoverInterruptedSave();
    void ApplyLoadedSettings(CSettingsContents& contents);
    std::string MoveSettingsAside();
    void SetAsideUnreadableSettings(const std::string& strReason);

    IGatherView* m_pView;
    const platform::IClock* m_pClock;
    IFileOps* m_pFileOps;
    std::unique_ptr<CHostTable> m_pHosts;
    std::unique_ptr<CGroupTable> m_pGroups;
    std::unique_ptr<CScheduleTable> m_pSchedules;
    std::string m_strProgramDir;
    std::string m_strDataDir;
    std::int32_t m_nLastSchedule = 0;
    CSortedListModel m_listSchedules;
    CSortedListModel m_listRunLog;
    // The last load found VARNOLE.dat unreadable and could not set it aside: the next save must
    // not make it the backup (it tries again to set it aside, else replaces it).
    bool m_bUnreadableSettings = false;
    std::string m_strSetAsidePath;
};
