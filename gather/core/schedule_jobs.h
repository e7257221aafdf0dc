// CScheduleJobs: the collection jobs of every schedule slot, from start to release.
//
// Each slot keeps the jobs of its current or last run, in creation order. The jobs run on the
// network, wait clock and error log of the controller's environment, and read login data from a
// published copy of the host table that nobody changes (a new copy is published when the table
// has changed since).
#pragma once
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "gather_environment.h"
#include "gather_tables.h"
#include "job/gather_job.h"

class CScheduleJobs {
public:
    // What a job reported: the run log's target (its group, else its host) and the message.
    using CReport = std::pair<std::string, std::string>;

    // The tables and everything the environment points to must outlive this object.
    CScheduleJobs(const CGatherTables& tables, const CGatherEnvironment& environment);
    // Releases every job (signal, join, free).
    ~CScheduleJobs();
    CScheduleJobs(const CScheduleJobs&) = delete;
    CScheduleJobs& operator=(const CScheduleJobs&) = delete;

    // Where the jobs write their data files and error records, and Gather's own directory.
    void SetDirectories(const std::string& strProgramDir, const std::string& strDataDir);

    // Starts a run of schedule nSchedule: releases the jobs of its last run, then starts one job
    // per host, in order, all with the same execution ID; strGroup is the group name of a group
    // target (empty for a host). A host that is registered passes its OS and processor summaries
    // to its job. A worker thread that cannot be started is written to the error log.
    void StartRun(int nSchedule, const std::vector<std::string>& arrHosts,
                  const std::string& strGroup, const std::string& strExecId);
    // Signals the stop event of every job of the schedule; a failed signal goes to the error log.
    void StopJobs(int nSchedule);
    // Signals, joins and frees the schedule's jobs and empties its list.
    void ReleaseJobs(int nSchedule);
    void ReleaseAllJobs();

    // The jobs of the schedule's current or last run, in creation order.
    const std::vector<std::unique_ptr<CGatherJob>>& Jobs(int nSchedule) const;
    // True when every job's worker has returned.
    bool AllEnded() const;
    // Takes every job's waiting message, slot by slot, job by job. Jobs that have ended, or whose
    // slot was freed meanwhile, are asked too: their last words must not be lost.
    std::vector<CReport> TakeReports();

private:
    void StartJob(int nSchedule, const std::string& strHost, const std::string& strGroup,
                  const std::string& strExecId);
    const CGatherJobContext& PublishedContext();

    const CGatherTables* m_pTables;
    CErrorLog* m_pErrorLog;
    CGatherJobContext m_context;  // m_pHosts is the table last published
    std::string m_strProgramDir;
    std::string m_strDataDir;
    std::vector<std::vector<std::unique_ptr<CGatherJob>>> m_arrJobs;  // one list per slot
};
