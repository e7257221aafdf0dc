// CScheduleOps: the schedule buttons of the main window — register, change and view through the
// schedule wizard, and stop or delete.
#pragma once
#include <optional>
#include <string>

#include "dialog/message_box.h"
#include "gather_tables.h"
#include "gather_view.h"
#include "platform/clock.h"
#include "run_log.h"
#include "schedule_rows.h"
#include "schedule_wizard.h"
#include "scheduler.h"

class CScheduleOps {
public:
    // Everything handed in must outlive this object.
    CScheduleOps(CGatherTables& tables, CScheduleRows& rows, CRunLog& runLog, CScheduler& scheduler,
                 const IGatherView& view, CMessageBoxes& boxes, IScheduleWizard& wizard,
                 const platform::IClock& clock);
    CScheduleOps(const CScheduleOps&) = delete;
    CScheduleOps& operator=(const CScheduleOps&) = delete;

    // A new booking in the lowest free slot above the last number assigned. The wizard works on
    // copies of the tables: its hosts come back whatever the result, its groups and record on
    // OK. A booking the overlap check refuses is shown and the wizard reopens on it.
    void RegisterSchedule();
    // A change of the selected waiting booking, through the wizard as for a new one; a refused
    // change puts the booking back as it was and reopens the wizard.
    void ChangeSchedule();
    // The selected booking in the wizard; nothing is taken back.
    void ViewSchedule();
    // Asks, then stops each selected running repeated schedule (it waits for its next run) and
    // deletes every other selected one.
    void StopOrDeleteSchedules();

private:
    bool RunWizard(CScheduleWizardData& data);
    void StartNowRun(CSchedule& schedule) const;
    // Stores a record the wizard accepted in slot n; false with the clash text when it overlaps.
    bool CommitWizardRecord(int n, const CScheduleWizardData& data, std::string& strConflict);
    // The schedule of the first selected row; nothing (and the notice shown) when none is.
    std::optional<int> SelectedSchedule();

    CGatherTables* m_pTables;
    CScheduleRows* m_pRows;
    CRunLog* m_pRunLog;
    CScheduler* m_pScheduler;
    const IGatherView* m_pView;
    CMessageBoxes* m_pBoxes;
    IScheduleWizard* m_pWizard;
    const platform::IClock* m_pClock;
};
