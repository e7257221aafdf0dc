// CGatherDlg: the portable controller of Gather's main window, owner of all of Gather's state.
//
// It holds the host, group and schedule tables, one list of collection jobs per schedule, the
// program and data directories, the last schedule number assigned, the schedule list and the run
// log, and talks to its window through IGatherView. Its operations live in one file per concern:
// gather_dlg.cpp (state, lists, message boxes), gather_startup.cpp (start-up check and window
// initialisation), gather_exit.cpp (exit request and destruction), gather_settings.cpp (the
// settings file), schedule_rows.cpp (schedule list rows), scheduler_tick.cpp (the one-second
// tick), schedule_start.cpp (starting and stopping runs), schedule_ops.cpp (the schedule
// buttons) and run_log.cpp (the run log).
//
// Everything here runs on the window's thread. The collection jobs run on their own threads and
// share with it only their job objects (state and message under each job's lock, the stop event)
// and the published copy of the host table, which nobody changes once published.
#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialog/message_box.h"
#include "file_ops.h"
#include "gather_startup.h"
#include "gather_view.h"
#include "host_tables.h"
#include "job/gather_job.h"
#include "list/sorted_list_model.h"
#include "logs/execution_ids.h"
#include "platform/clock.h"
#include "platform/named_mutex.h"
#include "schedule.h"
#include "schedule_wizard.h"

class CErrorLog;
class CSettingsContents;

class CGatherDlg {
public:
    // The view, the message boxes' view and the clock must outlive the controller.
    CGatherDlg(IGatherView& view, IMessageBoxView& messageBoxes, const platform::IClock& clock);
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
    const CSchedule& Schedule(int nSchedule) const {
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

    // ---- start-up and exit (gather_startup.cpp, gather_exit.cpp) ----

    // Window initialisation after the window's own controls exist: the start-up check, the
    // execution-ID state, the directories, blank tables, the list columns, empty job lists and
    // the settings file. Returns false when the start-up check failed: the window must close, and
    // nothing was loaded (nor will anything be saved). On true the window starts its scheduler
    // timer (id 1, every 1000 ms) and calls OnSchedulerTick on each tick.
    bool InitGather(const CGatherStartup& startup);
    bool IsStarted() const { return m_bStarted; }

    // The exit request ("終了" or Esc). Asks first; on Yes stops running schedules and books
    // their next run (or frees them), saves the settings file and finishes left-over data files.
    // Returns true when the window must close.
    bool OnExitRequest();
    // Renames every VARN_*.va_ file of the data directory to its ".var" name once the stopped
    // jobs have had up to kExitWaitMs to finish their files; directories and hidden files are
    // skipped, failures ignored. Returns the number of files renamed.
    int FinishLeftOverDataFiles();
    static constexpr unsigned kExitWaitMs = 500;

    // Window destruction: releases every job (signal, join, free) and, after a start-up that
    // passed, writes the execution-ID state. Runs once; the destructor calls it too.
    void OnDestroyGather();

    // ---- collaborators ----

    // The wizard the schedule buttons open; null: they do nothing. Must outlive its use.
    void SetScheduleWizard(IScheduleWizard* pWizard) { m_pWizard = pWizard; }
    // What the collection jobs run on. Empty fields take the process's defaults: the network
    // chosen by VARNOLE_SIMULATION, the system wait clock, the process's error log. The host
    // table field is ignored: the controller publishes its own. The wait clock's clock should be
    // the controller's clock. Everything pointed to must outlive the controller.
    void SetJobContext(const CGatherJobContext& context);
    // Where the execution-ID counter is kept (tests inject one); null restores the registry.
    void SetExecutionIdStore(IExecutionIdStore* pStore);
    CErrorLog& ErrorLog() const;
    // The execution-ID state (created on first use).
    CExecutionIds& ExecutionIds();

    // ---- scheduler (scheduler_tick.cpp, schedule_start.cpp, schedule_ops.cpp) ----

    // The handler of timer 1: starts due runs, finishes ended ones, removes rows of freed
    // slots, moves the jobs' messages into the run log and, during minute 10 of every hour,
    // runs the overlap check.
    void OnSchedulerTick();
    // Collision check and job creation for a schedule the tick has just set running.
    void StartSchedule(int nSchedule);
    // Signals the stop event of every job of the schedule.
    void StopJobs(int nSchedule);
    // Signals, joins and frees the schedule's jobs and empties its list.
    void ReleaseJobs(int nSchedule);
    // The jobs of the schedule's current or last run, in creation order.
    const std::vector<std::unique_ptr<CGatherJob>>& Jobs(int nSchedule) const;

    // The schedule buttons of the main window.
    void RegisterSchedule();
    void ChangeSchedule();
    void ViewSchedule();
    void StopOrDeleteSchedules();

    // Runs the overlap check over all schedules; false with the clash text when one was found.
    bool RunOverlapCheck(std::string& strText) const;

    // The schedule number a list row shows in column 0; nothing when the text is not a slot
    // number.
    std::optional<int> RowSchedule(int nRow) const;
    // The first row that shows the schedule's number.
    std::optional<int> FindScheduleRow(int nSchedule) const;
    // The texts of a running schedule's row, in column order; the repetition and threshold texts
    // are those the row showed before.
    static std::vector<std::string> RunningRowTexts(int nSchedule, const CSchedule& schedule,
                                                    const std::string& strRepeat,
                                                    const std::string& strThreshold,
                                                    const std::string& strNext);

    // True while the controller shows a message box; the timer shows none meanwhile.
    bool IsMessageBoxOpen() const { return m_boxes.IsOpen(); }

private:
    // Start-up helpers (gather_startup.cpp).
    bool StartupCheck(const CGatherStartup& startup);
    void FindDirectories(const CGatherStartup& startup);

    // Scheduler helpers.
    void StartDueRow(int nSchedule, int nRow);
    void FinishEndedRun(int nSchedule);
    void DeliverJobMessages();
    void HourlyOverlapCheck();
    std::optional<int> FindCollision(int nSchedule) const;
    void CreateJob(int nSchedule, const std::string& strHost, const std::string& strGroup,
                   const std::string& strExecId);
    void DeleteScheduleRows(int nSchedule);
    void RewriteScheduleRows(int nSchedule);
    void StartNowRun(CSchedule& schedule) const;
    // Stores a record the wizard accepted in slot n; false with the clash text when it overlaps.
    bool CommitWizardRecord(int n, const CScheduleWizardData& data, std::string& strConflict);
    // The run a stopped schedule waits for: NextRun from tNow, passing over the run in progress
    // when it was stopped in the very second it started.
    static std::optional<CScheduleRun> RunAfterStop(const CSchedule& schedule, platform::Time tNow);
    bool RunWizard(CScheduleWizardData& data);
    const CGatherJobContext& JobContext();

    // Settings file helpers (gather_settings.cpp).
    bool RecoverInterruptedSave();
    void ApplyLoadedSettings(CSettingsContents& contents);
    std::string MoveSettingsAside();
    void SetAsideUnreadableSettings(const std::string& strReason);

    IGatherView* m_pView;
    CMessageBoxes m_boxes;
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

    // Scheduler state.
    IScheduleWizard* m_pWizard = nullptr;
    std::vector<std::vector<std::unique_ptr<CGatherJob>>> m_arrJobs;  // one list per slot
    CGatherJobContext m_jobContext;  // what the jobs run on; m_pHosts is the published table
    IExecutionIdStore* m_pExecIdStore;
    std::unique_ptr<CExecutionIds> m_pExecIds;

    // Start-up state.
    platform::NamedMutex m_mutexGather;  // held while the process runs: Gather is running
    bool m_bStarted = false;             // the start-up check passed
    bool m_bDestroyed = false;
};
