// The schedule list: rows of waiting and running schedules, found by the number in column 0.
#include "schedule_rows.h"

#include <charconv>

#include "list_layouts.h"
#include "schedule_texts.h"

namespace {

// The state column of a row written by the refresh: it always shows a waiting schedule.
constexpr const char* kWaitingText = "待機中";

}  // namespace

CScheduleRows::CScheduleRows(CGatherTables& tables, const platform::IClock& clock)
    : m_pTables(&tables), m_pClock(&clock) {
    m_list.SetInsertSorted(true);
}

bool CScheduleRows::CreateColumns() {
    return m_list.SetColumnLayout(kScheduleListLayout);
}

std::vector<std::string> CScheduleRows::WaitingRowTexts(int nSchedule, const CSchedule& schedule) {
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

std::vector<std::string> CScheduleRows::RunningRowTexts(int nSchedule, const CSchedule& schedule,
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

void CScheduleRows::RefreshScheduleRow(int nSchedule, int nRow, bool bKeepRow) {
    if (nSchedule < 0 || nSchedule >= kScheduleSlots) return;
    CSchedule& schedule = m_pTables->Schedule(nSchedule);
    if (schedule.IsFree()) return;

    const platform::Time tNow = m_pClock->Now();
    if (schedule.m_tNextStart < tNow) {
        const std::optional<CScheduleRun> run = NextRun(schedule, tNow);
        if (!run) {
            // A one-time booking whose time has gone: the slot is freed; a row it still has is
            // removed by the scheduler's clean-up.
            m_pTables->ResetSchedule(nSchedule);
            return;
        }
        schedule.m_tNextStart = run->m_tStart;
        schedule.m_tNextEnd = run->m_tEnd;
    }
    if (!bKeepRow) m_list.DeleteRow(nRow);
    m_list.AppendRow(WaitingRowTexts(nSchedule, schedule));
}

void CScheduleRows::ShowRunning(int nSchedule, int nRow, const std::string& strNext) {
    const std::string strRepeat = m_list.GetText(nRow, kColRepeat);
    const std::string strThreshold = m_list.GetText(nRow, kColThreshold);
    m_list.DeleteRow(nRow);
    m_list.AppendRow(RunningRowTexts(nSchedule, m_pTables->Schedule(nSchedule), strRepeat,
                                     strThreshold, strNext));
}

void CScheduleRows::DeleteScheduleRows(int nSchedule) {
    for (int r = m_list.GetRowCount() - 1; r >= 0; --r) {
        if (RowSchedule(r) == nSchedule) m_list.DeleteRow(r);
    }
}

void CScheduleRows::RewriteScheduleRows(int nSchedule) {
    // Every row of the number goes; RefreshScheduleRow writes the one row a used slot has.
    DeleteScheduleRows(nSchedule);
    RefreshScheduleRow(nSchedule, -1, true);
}

void CScheduleRows::RemoveRowsOfFreedSlots() {
    for (int r = m_list.GetRowCount() - 1; r >= 0; --r) {
        const std::optional<int> nSchedule = RowSchedule(r);
        if (nSchedule && m_pTables->Schedule(*nSchedule).IsFree()) m_list.DeleteRow(r);
    }
}

std::optional<int> CScheduleRows::RowSchedule(int nRow) const {
    const std::string& strText = m_list.GetText(nRow, kColNumber);
    int nSchedule = -1;
    const char* pEnd = strText.data() + strText.size();
    const auto [pStop, eError] = std::from_chars(strText.data(), pEnd, nSchedule);
    if (eError != std::errc() || pStop != pEnd || nSchedule < 0 || nSchedule >= kScheduleSlots)
        return std::nullopt;
    return nSchedule;
}

std::optional<int> CScheduleRows::FindScheduleRow(int nSchedule) const {
    for (int r = 0; r < m_list.GetRowCount(); ++r) {
        if (RowSchedule(r) == nSchedule) return r;
    }
    return std::nullopt;
}
