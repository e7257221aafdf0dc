// CRunLog: the run log (実行ログ) of the main window, newest row first.
#pragma once
#include <string>

#include "dialog/message_box.h"
#include "gather_view.h"
#include "list/sorted_list_model.h"
#include "platform/clock.h"

class CRunLog {
public:
    // The clock, the view and the message boxes must outlive this object.
    CRunLog(const platform::IClock& clock, const IGatherView& view, CMessageBoxes& boxes);
    CRunLog(const CRunLog&) = delete;
    CRunLog& operator=(const CRunLog&) = delete;

    // The rows; the window mirrors them in its list view. They keep the order of insertion.
    CSortedListModel& List() { return m_list; }
    const CSortedListModel& List() const { return m_list; }
    // Creates the list's columns; false when the layout was refused.
    bool CreateColumns();

    // Inserts a row at the top: now (style 1), target, message.
    void AddLog(const std::string& strTarget, const std::string& strMessage);
    // Deletes the selected rows; with none selected, asks and then deletes every row.
    void ClearLog();

private:
    const platform::IClock* m_pClock;
    const IGatherView* m_pView;
    CMessageBoxes* m_pBoxes;
    CSortedListModel m_list;
};
