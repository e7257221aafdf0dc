// CGatherDlg: the portable controller of Gather's main window, owner of all of Gather's state.
//
// It is the one object the window talks to. It owns the host, group and schedule tables
// (CGatherTables) and hands them to focused parts, each in its own files:
//   CGatherSettings  gather_settings.*   the settings file VARNOLE.dat
//   CScheduleRows    schedule_rows.*     the schedule list, one row per used slot
//   CRunLog          run_log.*           the run log
//   CScheduleJobs    schedule_jobs.*     the collection jobs of every slot
//   CScheduler       scheduler.*, scheduler_tick.cpp, schedule_start.cpp
//                                        the one-second tick, starting and stopping runs
//   CScheduleOps     schedule_ops.*      the schedule buttons (register, change, view, stop)
// Start-up and exit, which run through all of them, are the controller's own
// (gather_startup.cpp, gather_exit.cpp). The host and group buttons are the next part of the same
// kind: a class over CGatherTables that opens its dialog through the window with copies of the
// tables and takes them back, as CScheduleOps does with the wizard.
//
// The window gives the controller its view (list selections), its message boxes and its
// schedule wizard; the program's main gives it the machine it works on (CGatherEnvironment).
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
#include "gather_environment.h"
#include "gather_settings.h"
#include "gather_startup.h"
#include "gather_tables.h"
#include "gather_view.h"
#include "logs/execution_ids.h"
#include "platform/named_mutex.h"
#include "run_log.h"
#include "schedule_jobs.h"
#include "schedule_ops.h"
#include "schedule_rows.h"
#include "schedule_wizard.h"
#include "scheduler.h"

class CGatherDlg {
public:
    // The view, the message boxes' view, the wizard and everything the environment points to
    // must outlive the controller; every pointer of the environment must be set
    // (std::invalid_argument otherwise).
    CGatherDlg(IGatherView& view, IMessageBoxView& messageBoxes, IScheduleWizard& wizard,
               const CGatherEnvironment& environment);
    ~CGatherDlg();
    CGatherDlg(const CGatherDlg&) = delete;
    CGatherDlg& operator=(const CGatherDlg&) = delete;

    // ---- what the window calls ----

    // Window initialisation after the window's own controls exist: the start-up check, the
    // execution-ID state, the directories, blank tables, the list columns, empty job lists and
    // the settings file. Returns false when the start-up check failed: the window must close, and
    // nothing was loaded (nor will anything be saved). On true the window starts its scheduler
    // timer (id 1, every 1000 ms) and calls OnSchedulerTick on each tick.
    bool InitGather(const CGatherStartup& startup);
    bool IsStarted() const { return m_bStarted; }

    void OnSchedulerTick() { m_scheduler.OnSchedulerTick(); }

    // The schedule buttons (CScheduleOps).
    void RegisterSchedule() { m_ops.RegisterSchedule(); }
    void ChangeSchedule() { m_ops.ChangeSchedule(); }
    void ViewSchedule() { m_ops.ViewSchedule(); }
    void StopOrDeleteSchedules() { m_ops.StopOrDeleteSchedules(); }
    // "ログクリア": the selected run log rows, or after asking all of them.
    void ClearLog() { m_runLog.ClearLog(); }
    // A run log line at the top: now, target, message.
    void AddLog(const std::string& strTarget, const std::string& strMessage) {
        m_runLog.AddLog(strTarget, strMessage);
    }

    // The exit request ("終了" or Esc). Asks first; on Yes stops running schedules and books
    // their next run (or frees them), saves the settings file and finishes left-over data files.
    // Returns true when the window must close. When the settings file cannot be saved the window
    // stays open (the runs stay stopped and booked again), so that the user can remove the cause
    // and exit again without losing the session's changes. From the stop on, the scheduler starts
    // no run until the exit has been called off.
    bool OnExitRequest();

    // Window destruction: releases every job (signal, join, free) and, after a start-up that
    // passed, writes the execution-ID state. Runs once; the destructor calls it too.
    void OnDestroyGather();

    // The two lists; the window mirrors them in its list views. The schedule list keeps its rows
    // in ascending order of column 0 (the number text); the run log keeps the order of insertion.
    CSortedListModel& ScheduleList() { return m_rows.List(); }
    const CSortedListModel& ScheduleList() const { return m_rows.List(); }
    CSortedListModel& RunLog() { return m_runLog.List(); }
    const CSortedListModel& RunLog() const { return m_runLog.List(); }

    // True while the controller shows a message box; the timer shows none meanwhile.
    bool IsMessageBoxOpen() const { return m_boxes.IsOpen(); }

    // ---- state, read-only ----

    const CGatherTables& Tables() const { return m_tables; }
    const CHostTable& Hosts() const { return m_tables.Hosts(); }
    const CGroupTable& Groups() const { return m_tables.Groups(); }
    const CScheduleTable& Schedules() const { return m_tables.Schedules(); }
    const CSchedule& Schedule(int nSchedule) const { return m_tables.Schedule(nSchedule); }
    std::int32_t GetLastSchedule() const { return m_tables.LastSchedule(); }

    const std::string& GetProgramDirectory() const { return m_strProgramDir; }
    const std::string& GetDataDirectory() const { return m_strDataDir; }

    const CScheduleRows& Rows() const { return m_rows; }
    const CGatherSettings& Settings() const { return m_settings; }
    // The jobs of the schedule's current or last run, in creation order.
    const std::vector<std::unique_ptr<CGatherJob>>& Jobs(int nSchedule) const {
        return m_jobs.Jobs(nSchedule);
    }
    CErrorLog& ErrorLog() const { return *m_environment.m_pErrorLog; }
    CExecutionIds& ExecutionIds() { return m_executionIds; }

    // ---- the scheduler's operations on one schedule ----

    // Collision check and job creation for a schedule the tick has just set running.
    void StartSchedule(int nSchedule) { m_scheduler.StartSchedule(nSchedule); }
    // Signals the stop event of every job of the schedule.
    void StopJobs(int nSchedule) { m_jobs.StopJobs(nSchedule); }
    // Signals, joins and frees the schedule's jobs and empties its list.
    void ReleaseJobs(int nSchedule) { m_jobs.ReleaseJobs(nSchedule); }
    // The overlap check over all schedules; false with the clash text when one was found.
    bool RunOverlapCheck(std::string& strText) const {
        return m_scheduler.RunOverlapCheck(strText);
    }

    // ---- the tables for those who change them directly ----

    // The host and group commands take their dialogs' tables back through it, and tests set up
    // a session with it. Whoever changes a schedule slot writes its row too (RefreshScheduleRow).
    CGatherTables& EditTables() { return m_tables; }
    void RefreshScheduleRow(int nSchedule, int nRow, bool bKeepRow) {
        m_rows.RefreshScheduleRow(nSchedule, nRow, bKeepRow);
    }

    // ---- steps of start-up and exit, also taken alone (headless runner, tests) ----

    // Directories end with a path separator (one is added when missing; empty stays empty).
    void SetProgramDirectory(const std::string& strDirectory);
    void SetDataDirectory(const std::string& strDirectory);
    // Creates the columns of both lists; false when a layout was refused.
    bool CreateListColumns();
    // Reads VARNOLE.dat into the tables and lists the loaded schedules (CGatherSettings::Load);
    // a file that could not be read whole is reported in a message box.
    bool LoadSettings();
    // Writes VARNOLE.dat (CGatherSettings::Save); a failure is reported in a message box and
    // the result is false.
    bool SaveSettings();
    // Renames every VARN_*.va_ file of the data directory to its ".var" name once the stopped
    // jobs have had up to kExitWaitMs to finish their files; directories and hidden files are
    // skipped, failures ignored. Returns the number of files renamed.
    int FinishLeftOverDataFiles();
    static constexpr unsigned kExitWaitMs = 500;

private:
    bool StartupCheck(const CGatherStartup& startup);
    void FindDirectories(const CGatherStartup& startup);

    CGatherEnvironment m_environment;
    CMessageBoxes m_boxes;
    CGatherTables m_tables;
    CGatherSettings m_settings;
    CScheduleRows m_rows;
    CRunLog m_runLog;
    CExecutionIds m_executionIds;
    CScheduleJobs m_jobs;
    CScheduler m_scheduler;
    CScheduleOps m_ops;
    std::string m_strProgramDir;
    std::string m_strDataDir;

    platform::NamedMutex m_mutexGather;  // held while the process runs: Gather is running
    bool m_bStarted = false;             // the start-up check passed
    bool m_bDestroyed = false;
};
