// Starting a run (collision check, one job per host sharing one execution ID) and stopping one.
#include "conflict_hosts.h"
#include "gather_texts.h"
#include "scheduler.h"

std::optional<CScheduleRun> RunAfterStop(const CSchedule& schedule, platform::Time tNow) {
    std::optional<CScheduleRun> run = NextRun(schedule, tNow);
    // A daily or weekly run may start at tNow itself: the run just stopped, when it was stopped
    // in its first second, or the next one of a run longer than a day. Either would start again
    // at the next tick; every later run is kept.
    if (run && run->m_tStart <= tNow) run = NextRun(schedule, tNow + 1);
    return run;
}

std::optional<int> CScheduler::FindCollision(int nSchedule) const {
    const CSchedule& schedule = m_pTables->Schedule(nSchedule);
    for (int j = 0; j < kScheduleSlots; ++j) {
        if (j == nSchedule) continue;
        const CSchedule& other = m_pTables->Schedule(j);
        // A free slot books nothing, even while the wizard holds a record in it.
        if (other.IsFree()) continue;
        if (other.m_tNextStart <= schedule.m_tNextStart &&
            schedule.m_tNextStart <= other.m_tNextEnd &&
            SameHost(other, schedule, m_pTables->Groups()))
            return j;
    }
    return std::nullopt;
}

void CScheduler::StartSchedule(int nSchedule) {
    if (nSchedule < 0 || nSchedule >= kScheduleSlots) return;
    CSchedule& schedule = m_pTables->Schedule(nSchedule);

    if (const std::optional<int> nOther = FindCollision(nSchedule)) {
        const CSchedule& other = m_pTables->Schedule(*nOther);
        const std::string strOtherTarget = other.m_strTarget;
        std::string strMessage;
        if (const std::optional<CScheduleRun> run = NextRun(schedule, other.m_tNextEnd)) {
            strMessage = gather_text::RunSkippedThisTime(nSchedule, *nOther);
            schedule.m_nState = kStateWaiting;
            schedule.m_tNextStart = run->m_tStart;
            schedule.m_tNextEnd = run->m_tEnd;
            m_pRows->RewriteScheduleRows(nSchedule);
        } else {
            strMessage = gather_text::RunDropped(nSchedule, *nOther);
            m_pRows->DeleteScheduleRows(nSchedule);
            m_pTables->ResetSchedule(nSchedule);
        }
        m_pRunLog->AddLog(strOtherTarget, strMessage);
        return;
    }

    schedule.m_nState = kStateRunning;
    // One job per host the schedule reads, each host once; a group that no longer exists reads
    // none and starts no job.
    const std::string strGroup =
        schedule.m_nTargetType == kTargetGroup ? schedule.m_strTarget : std::string();
    m_pJobs->StartRun(nSchedule, ScheduleHosts(schedule, m_pTables->Groups()), strGroup,
                      m_pExecutionIds->NextExecutionId());
}

bool CScheduler::StopRun(int nSchedule, platform::Time tNow) {
    CSchedule& schedule = m_pTables->Schedule(nSchedule);
    m_pJobs->StopJobs(nSchedule);
    const std::optional<CScheduleRun> run = RunAfterStop(schedule, tNow);
    if (!run) {
        m_pTables->ResetSchedule(nSchedule);
        return false;
    }
    schedule.m_nState = kStateWaiting;
    schedule.m_tNextStart = run->m_tStart;
    schedule.m_tNextEnd = run->m_tEnd;
    return true;
}
