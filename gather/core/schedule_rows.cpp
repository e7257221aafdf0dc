// The schedule list rows of waiting schedules and their refresh when a schedule's times change.
#include "gather_dlg.h"
#include "list_layouts.h"
#include "schedule_texts.h"

namespace {

// The state column of a row written by the refresh: it always shows a waiting schedule.
constexpr const char* kWaitingText = "待機中";

}  // namespace

std::vector<std::string> CGatherDlg::WaitingRowTexts(int nSchedule, const CSchedule& schedule) {
    std::vector<std::string> arrTexts(kScheduleColumnCount);
    arrTexts[kColNumber] = ScheduleNumberText(nSchedule);
    arrTexts[kColTarget] = schedule.m_strTarget;
    arrTexts[kColType] = ScheduleTypeText(schedule);
    arrTexts[kColRepeat] = ScheduleRepeatText(schedule);
    arrTexts[kColStart] = FormatScheduleTime(schedule.m_tNextStart, kTimeStyleList);
    arrTexts[kColEnd] = FormatScheduleTime(schedule.m_tNextEnd, kTimeStyleList);
    arrTexts[kColThreshold] = ScheduleThresholdText(schedule);
    arrTexts[kColState] = kWaitingText;
    arrTexts[kColNext] = FormatScheduleTime(schedule.m_tNextStart, kTimeStyleList);
    arrTexts[kColComment] = schedule.m_strComment;
    return arrTexts;
}

void CGatherDlg::RefreshScheduleRow(int nSchedule, int nRow, bool bKeepRow) {
    if (nSchedule < 0 || nSchedule >= kScheduleSlots) return;
    CSchedule& schedule = Schedule(nSchedule);
    if (schedule.IsFree()) return;

    const platform::Time tNow = m_pClock->Now();
    if (schedule.m_tNextStart < tNow) {
        const std::optional<CScheduleRun> run = NextRun(schedule, tNow);
        if (!run) {
            // A one-time booking whose time has gone: the slot is freed; a row it still has is
            // removed by the scheduler's clean-up.
            ResetSchedule(nSchedule);
            return;
        }
        schedule.m_tNextStart = run->m_tStart;
        schedule.m_tNextEnd = run->m_tEnd;
    }
    if (!bKeepRow) m_listSchedules.DeleteRow(nRow);
    m_listSchedules.AppendRow(WaitingRowTexts(nSchedule, schedule));
}
