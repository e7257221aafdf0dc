// The run log: rows added at the top, and clearing all rows or just the selected ones.
#include "run_log.h"

#include <algorithm>
#include <functional>

#include "list_layouts.h"
#include "schedule_texts.h"

CRunLog::CRunLog(const platform::IClock& clock, const IGatherView& view, CMessageBoxes& boxes)
    : m_pClock(&clock), m_pView(&view), m_pBoxes(&boxes) {}

bool CRunLog::CreateColumns() {
    return m_list.SetColumnLayout(kRunLogLayout);
}

void CRunLog::AddLog(const std::string& strTarget, const std::string& strMessage) {
    m_list.InsertRow(0,
                     {FormatScheduleTime(m_pClock->Now(), kTimeStyleLog), strTarget, strMessage});
}

void CRunLog::ClearLog() {
    std::vector<int> arrSelected = m_pView->GetSelectedRows(EGatherList::kRunLog);
    if (arrSelected.empty()) {
        if (m_pBoxes->AskYesNo("実行ログをすべて消去しますか？", "ログ消去",
                               EMessageIcon::kWarning)) {
            m_list.DeleteAllRows();
        }
        return;
    }
    // From the bottom up, so that the indices of the rows still to go do not move.
    std::sort(arrSelected.begin(), arrSelected.end(), std::greater<int>());
    arrSelected.erase(std::unique(arrSelected.begin(), arrSelected.end()), arrSelected.end());
    for (int nRow : arrSelected) m_list.DeleteRow(nRow);
}
