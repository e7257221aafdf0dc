// The run log: rows added at the top, and clearing all rows or just the selected ones.
#include <algorithm>
#include <functional>

#include "gather_dlg.h"
#include "list_layouts.h"
#include "schedule_texts.h"

void CGatherDlg::AddLog(const std::string& strTarget, const std::string& strMessage) {
    m_listRunLog.InsertRow(
        0, {FormatScheduleTime(m_pClock->Now(), kTimeStyleLog), strTarget, strMessage});
}

void CGatherDlg::ClearLog() {
    std::vector<int> arrSelected = m_pView->GetSelectedRows(EGatherList::kRunLog);
    if (arrSelected.empty()) {
        if (m_boxes.Show("実行ログをすべて消去しますか？", "ログ消去", EMessageIcon::kWarning,
                         EMessageButtons::kYesNo) == EMessageResult::kYes) {
            m_listRunLog.DeleteAllRows();
        }
        return;
    }
    // From the bottom up, so that the indices of the rows still to go do not move.
    std::sort(arrSelected.begin(), arrSelected.end(), std::greater<int>());
    arrSelected.erase(std::unique(arrSelected.begin(), arrSelected.end()), arrSelected.end());
    for (int nRow : arrSelected) m_listRunLog.DeleteRow(nRow);
}
