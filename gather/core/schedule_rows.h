// CScheduleRows: the schedule list of the main window, one row per used schedule slot.
//
// Column 0 of a row holds the schedule number ("%02d"), which is how the scheduler finds a row's
// schedule; rows are kept in ascending order of that text. A waiting schedule's row is written
// by RefreshScheduleRow, a running one's by ShowRunning.
#pragma once
#include <optional>
#include <string>
#include <vector>

#include "gather_tables.h"
#include "list/sorted_list_model.h"
#include "platform/clock.h"

class CScheduleRows {
public:
    // The tables and the clock must outlive this object.
    CScheduleRows(CGatherTables& tables, const platform::IClock& clock);
    CScheduleRows(const CScheduleRows&) = delete;
    CScheduleRows& operator=(const CScheduleRows&) = delete;

    // The rows; the window mirrors them in its list view.
    CSortedListModel& List() { return m_list; }
    const CSortedListModel& List() const { return m_list; }
    // Creates the list's columns; false when the layout was refused.
    bool CreateColumns();

    // Brings schedule nSchedule's next run up to date and (re)writes its row: a next start
    // before now is replaced by NextRun from now, and a schedule with no further run is reset to
    // the blank record (its row, if any, stays for RemoveRowsOfFreedSlots). Unless bKeepRow,
    // list row nRow is deleted first. The new row is inserted in number order.
    void RefreshScheduleRow(int nSchedule, int nRow, bool bKeepRow);
    // Replaces row nRow of a schedule that has just been set running with its running row. The
    // repetition and threshold texts stay as the row showed them; strNext is the next run's text.
    void ShowRunning(int nSchedule, int nRow, const std::string& strNext);
    // Deletes every row that shows the schedule's number.
    void DeleteScheduleRows(int nSchedule);
    // Deletes the schedule's rows and writes its one row again (none when its slot is free).
    void RewriteScheduleRows(int nSchedule);
    // Deletes the rows whose schedule slot is free.
    void RemoveRowsOfFreedSlots();

    // The schedule number row nRow shows; nothing when the text is not a slot number.
    std::optional<int> RowSchedule(int nRow) const;
    // The first row that shows the schedule's number.
    std::optional<int> FindScheduleRow(int nSchedule) const;

    // The texts of a waiting schedule's row, in column order.
    static std::vector<std::string> WaitingRowTexts(int nSchedule, const CSchedule& schedule);
    // The texts of a running schedule's row, in column order; the repetition and threshold texts
    // are those the row showed before.
    static std::vector<std::string> RunningRowTexts(int nSchedule, const CSchedule& schedule,
                                                    const std::string& strRepeat,
                                                    const std::string& strThreshold,
                                                    const std::string& strNext);

private:
    CGatherTables* m_pTables;
    const platform::IClock* m_pClock;
    CSortedListModel m_list;
};
