// CScheduler: the one-second tick that starts and finishes runs, and the stop of a running
// schedule.
#pragma once
#include <optional>
#include <string>

#include "dialog/message_box.h"
#include "gather_tables.h"
#include "logs/execution_ids.h"
#include "platform/clock.h"
#include "run_log.h"
#include "schedule_jobs.h"
#include "schedule_rows.h"

// The run a stopped running schedule waits for: its next run from tNow, passing over a run that
// would start in the very second of the stop (it would start again at once what the user has just
// stopped). Nothing for a schedule that does not repeat.
std::optional<CScheduleRun> RunAfterStop(const CSchedule& schedule, platform::Time tNow);

class CScheduler {
public:
    // Everything handed in must outlive the scheduler.
    CScheduler(CGatherTables& tables, CScheduleRows& rows, CRunLog& runLog, CScheduleJobs& jobs,
               CExecutionIds& executionIds, CMessageBoxes& boxes, const platform::IClock& clock);
    CScheduler(const CScheduler&) = delete;
    CScheduler& operator=(const CScheduler&) = delete;

    // The handler of timer 1: walks the schedule list, starts due runs and finishes ended ones,
    // removes rows of freed slots, moves the jobs' messages into the run log and, during minute 10
    // of every hour, runs the overlap check.
    void OnSchedulerTick();

    // Collision check and job creation for a schedule the tick has just set running: a schedule
    // whose start falls in the run of another booked schedule on a common host is skipped (it
    // waits for its next run after the other's end) or, when it does not repeat, dropped.
    void StartSchedule(int nSchedule);

    // Stops a running schedule: signals its jobs and books the run RunAfterStop gives. True when
    // the schedule waits for that run; false when it has none and its slot has been freed. The
    // list rows are the caller's.
    bool StopRun(int nSchedule, platform::Time tNow);

    // The overlap check over all schedules; false with the clash text when one was found.
    bool RunOverlapCheck(std::string& strText) const;

    // While held, a tick starts and finishes nothing and only passes the jobs' last messages on:
    // the exit holds the scheduler from the stop of every run until the window closes.
    void Hold(bool bHold) { m_bHeld = bHold; }

private:
    void StartDueRow(int nSchedule, int nRow);
    void FinishEndedRun(int nSchedule);
    void DeliverJobMessages();
    void HourlyOverlapCheck();
    std::optional<int> FindCollision(int nSchedule) const;

    CGatherTables* m_pTables;
    CScheduleRows* m_pRows;
    CRunLog* m_pRunLog;
    CScheduleJobs* m_pJobs;
    CExecutionIds* m_pExecutionIds;
    CMessageBoxes* m_pBoxes;
    const platform::IClock* m_pClock;
    bool m_bHeld = false;
};
