// The scheduler's one-second tick: due runs start, ended runs finish, rows of freed slots go, the
// jobs' messages reach the run log, and minute 10 of every hour re-runs the overlap check.
#include <bitset>
#include <charconv>

#include "gather_dlg.h"
#include "gather_texts.h"
#include "list_layouts.h"
#include "platform/local_time.h"
#include "schedule_conflict_check.h"
#include "schedule_texts.h"

namespace {

// The minute of every hour during which each tick runs the overlap check.
constexpr int kCheckMinute = 10;

}  // namespace

std::optional<int> CGatherDlg::RowSchedule(int nRow) const {
    const std::string& strText = m_listSchedules.GetText(nRow, kColNumber);
    int nSchedule = -1;
    const char* pEnd = strText.data() + strText.size();
    const auto [pStop, eError] = std::from_chars(strText.data(), pEnd, nSchedule);
    if (eError != std::errc() || pStop != pEnd || nSchedule < 0 || nSchedule >= kScheduleSlots)
        return std::nullopt;
    return nSchedule;
}

std::optional<int> CGatherDlg::FindScheduleRow(int nSchedule) const {
    for (int r = 0; r < m_listSchedules.GetRowCount(); ++r) {
        if (RowSchedule(r) == nSchedule) return r;
    }
    return std::nullopt;
}

std::vector<std::string> CGatherDlg::RunningRowTexts(int nSchedule, const CSchedule& schedule,
                                                     const std::string& strRepeat,
                                                     const std::string& strThreshold,
                                                     const std::string& strNext) {
    std::vector<std::string> arrTexts(kScheduleColumnCount);
    arrTexts[kColNumber] = ScheduleNumberText(nSchedule);
    arrTexts[kColTarget] = schedule.m_strTarget;
    arrTexts[kColType] = ScheduleTypeText(schedule);
    arrTexts[kColRepeat] = strRepeat;
    arrTexts[kColStart] = FormatScheduleTime(schedule.m_tNextStart, kTimeStyleList);
    arrTexts[kColEnd] = FormatScheduleTime(schedule.m_tNextEnd, kTimeStyleList);
    arrTexts[kColThreshold] = strThreshold;
    arrTexts[kColState] = ScheduleStateText(schedule);
    arrTexts[kColNext] = strNext;
    arrTexts[kColComment] = schedule.m_strComment;
    return arrTexts;
}

void CGatherDlg::OnSchedulerTick() {
    const platform::Time tNow = m_pClock->Now();

    // Walk the rows; a slot is handled once per tick even when its row moves. A row that goes
    // away leaves the next row at the same index, so the index only moves on past a row that
    // still shows the number just handled.
    std::bitset<kScheduleSlots> bsHandled;
    for (int r = 0; r < m_listSchedules.GetRowCount();) {
        const std::optional<int> nSchedule = RowSchedule(r);
        if (!nSchedule || bsHandled[static_cast<std::size_t>(*nSchedule)]) {
            ++r;
            continue;
        }
        const int i = *nSchedule;
        bsHandled.set(static_cast<std::size_t>(i));
        const CSchedule& schedule = Schedule(i);
        if (schedule.m_tNextStart <= tNow && schedule.m_nState == kStateWaiting) StartDueRow(i, r);
        if (Schedule(i).m_tNextEnd <= tNow && Schedule(i).m_nState == kStateRunning)
            FinishEndedRun(i);
        if (RowSchedule(r) == i) ++r;
    }

    // Rows whose slot has been freed.
    for (int r = m_listSchedules.GetRowCount() - 1; r >= 0; --r) {
        const std::optional<int> nSchedule = RowSchedule(r);
        if (nSchedule && Schedule(*nSchedule).IsFree()) m_listSchedules.DeleteRow(r);
    }

    DeliverJobMessages();
    HourlyOverlapCheck();
}

void CGatherDlg::StartDueRow(int nSchedule, int nRow) {
    CSchedule& schedule = Schedule(nSchedule);
    schedule.m_nState = kStateRunning;
    const std::string strRepeat = m_listSchedules.GetText(nRow, kColRepeat);
    const std::string strThreshold = m_listSchedules.GetText(nRow, kColThreshold);
    m_listSchedules.DeleteRow(nRow);

    std::string strNext;
    if (const std::optional<CScheduleRun> following = NextRun(schedule, schedule.m_tNextEnd)) {
        schedule.m_tFollowingStart = following->m_tStart;
        strNext = FormatScheduleTime(following->m_tStart, kTimeStyleList);
    }
    m_listSchedules.AppendRow(
        RunningRowTexts(nSchedule, schedule, strRepeat, strThreshold, strNext));
    AddLog(schedule.m_strTarget, gather_text::RunStarted(nSchedule));
    StartSchedule(nSchedule);
}

void CGatherDlg::FinishEndedRun(int nSchedule) {
    CSchedule& schedule = Schedule(nSchedule);
    AddLog(schedule.m_strTarget, gather_text::RunCompleted(nSchedule));
    // The jobs are not signalled: each ends by itself at the run's end.
    const std::optional<CScheduleRun> run = NextRun(schedule, m_pClock->Now());
    if (!run) {
        DeleteScheduleRows(nSchedule);
        ResetSchedule(nSchedule);
        return;
    }
    schedule.m_nState = kStateWaiting;
    schedule.m_tNextStart = run->m_tStart;
    schedule.m_tNextEnd = run->m_tEnd;
    RewriteScheduleRows(nSchedule);
}

void CGatherDlg::DeliverJobMessages() {
    // Every job is asked, also one that has ended or whose slot was freed meanwhile: a job's
    // last words (the failure that ended its run) must not be lost.
    for (const auto& arrJobs : m_arrJobs) {
        for (const auto& pJob : arrJobs) {
            std::string strMessage = pJob->TakeMessage();
            if (strMessage.empty()) continue;
            AddLog(pJob->m_strGroup.empty() ? pJob->m_strHost : pJob->m_strGroup, strMessage);
        }
    }
}

void CGatherDlg::HourlyOverlapCheck() {
    platform::LocalFields local;
    if (!platform::SplitLocalTime(m_pClock->Now(), local) || local.nMinute != kCheckMinute) return;
    std::string strText;
    if (RunOverlapCheck(strText) || IsMessageBoxOpen()) return;
    m_boxes.Show(strText, kConflictTitleHourly, EMessageIcon::kNone, EMessageButtons::kOk);
}

void CGatherDlg::DeleteScheduleRows(int nSchedule) {
    for (int r = m_listSchedules.GetRowCount() - 1; r >= 0; --r) {
        if (RowSchedule(r) == nSchedule) m_listSchedules.DeleteRow(r);
    }
}

void CGatherDlg::RewriteScheduleRows(int nSchedule) {
    // Every row of the number goes; RefreshScheduleRow writes the one row a used slot has.
    DeleteScheduleRows(nSchedule);
    RefreshScheduleRow(nSchedule, -1, true);
}
