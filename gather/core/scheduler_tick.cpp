// The scheduler's one-second tick: due runs start, ended runs finish, rows of freed slots go, the
// jobs' messages reach the run log, and minute 10 of every hour re-runs the overlap check.
#include <bitset>

#include "gather_texts.h"
#include "platform/local_time.h"
#include "schedule_conflict_check.h"
#include "schedule_texts.h"
#include "scheduler.h"

namespace {

// The minute of every hour during which each tick runs the overlap check.
constexpr int kCheckMinute = 10;

}  // namespace

CScheduler::CScheduler(CGatherTables& tables, CScheduleRows& rows, CRunLog& runLog,
                       CScheduleJobs& jobs, CExecutionIds& executionIds, CMessageBoxes& boxes,
                       const platform::IClock& clock)
    : m_pTables(&tables),
      m_pRows(&rows),
      m_pRunLog(&runLog),
      m_pJobs(&jobs),
      m_pExecutionIds(&executionIds),
      m_pBoxes(&boxes),
      m_pClock(&clock) {}

void CScheduler::OnSchedulerTick() {
    if (m_bHeld) {
        DeliverJobMessages();
        return;
    }
    const platform::Time tNow = m_pClock->Now();

    // Walk the rows; a slot is handled once per tick even when its row moves. A row that goes
    // away leaves the next row at the same index, so the index only moves on past a row that
    // still shows the number just handled.
    const CSortedListModel& list = m_pRows->List();
    std::bitset<kScheduleSlots> bsHandled;
    for (int r = 0; r < list.GetRowCount();) {
        const std::optional<int> nSchedule = m_pRows->RowSchedule(r);
        if (!nSchedule || bsHandled[static_cast<std::size_t>(*nSchedule)]) {
            ++r;
            continue;
        }
        const int i = *nSchedule;
        bsHandled.set(static_cast<std::size_t>(i));
        const CSchedule& schedule = m_pTables->Schedule(i);
        if (schedule.m_tNextStart <= tNow && schedule.m_nState == kStateWaiting) StartDueRow(i, r);
        if (schedule.m_tNextEnd <= tNow && schedule.m_nState == kStateRunning) FinishEndedRun(i);
        if (m_pRows->RowSchedule(r) == i) ++r;
    }

    m_pRows->RemoveRowsOfFreedSlots();
    DeliverJobMessages();
    HourlyOverlapCheck();
}

void CScheduler::StartDueRow(int nSchedule, int nRow) {
    CSchedule& schedule = m_pTables->Schedule(nSchedule);
    schedule.m_nState = kStateRunning;
    std::string strNext;
    if (const std::optional<CScheduleRun> following = NextRun(schedule, schedule.m_tNextEnd)) {
        schedule.m_tFollowingStart = following->m_tStart;
        strNext = FormatScheduleTime(following->m_tStart, kTimeStyleList);
    }
    m_pRows->ShowRunning(nSchedule, nRow, strNext);
    m_pRunLog->AddLog(schedule.m_strTarget, gather_text::RunStarted(nSchedule));
    StartSchedule(nSchedule);
}

void CScheduler::FinishEndedRun(int nSchedule) {
    CSchedule& schedule = m_pTables->Schedule(nSchedule);
    m_pRunLog->AddLog(schedule.m_strTarget, gather_text::RunCompleted(nSchedule));
    // The jobs are not signalled: each ends by itself at the run's end.
    const std::optional<CScheduleRun> run = NextRun(schedule, m_pClock->Now());
    if (!run) {
        m_pRows->DeleteScheduleRows(nSchedule);
        m_pTables->ResetSchedule(nSchedule);
        return;
    }
    schedule.m_nState = kStateWaiting;
    schedule.m_tNextStart = run->m_tStart;
    schedule.m_tNextEnd = run->m_tEnd;
    m_pRows->RewriteScheduleRows(nSchedule);
}

void CScheduler::DeliverJobMessages() {
    for (const auto& [strTarget, strMessage] : m_pJobs->TakeReports())
        m_pRunLog->AddLog(strTarget, strMessage);
}

void CScheduler::HourlyOverlapCheck() {
    platform::LocalFields local;
    if (!platform::SplitLocalTime(m_pClock->Now(), local) || local.nMinute != kCheckMinute) return;
    std::string strText;
    if (RunOverlapCheck(strText) || m_pBoxes->IsOpen()) return;
    m_pBoxes->Show(strText, kConflictTitleHourly, EMessageIcon::kNone, EMessageButtons::kOk);
}

bool CScheduler::RunOverlapCheck(std::string& strText) const {
    CScheduleConflictCheck check;
    const bool bAccepted =
        check.Check(m_pTables->Schedules(), m_pTables->Groups(), m_pClock->Now());
    strText = check.ResultText();
    return bAccepted;
}
