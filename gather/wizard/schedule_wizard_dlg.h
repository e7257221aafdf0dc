// CScheduleWizardDlg: the ten-page schedule wizard's behaviour, driven by its page table.
//
// The opener hands in a mode, the tables and the working record; the window forwards its
// initialisation, button presses and control notifications here and does what IScheduleWizardView
// asks. Every page change reads all control values (a bad integer on any page, shown or hidden,
// stops it), runs the page's checks, moves by the page table's skip rules and writes the values
// back. The last page rebuilds the working record from the values (BuildScheduleSummary).
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dialog/message_box.h"
#include "host_tables.h"
#include "platform/clock.h"
#include "schedule.h"
#include "schedule_wizard.h"
#include "schedule_wizard_view.h"
#include "wizard_values.h"

class CScheduleWizardDlg {
public:
    // The views and the clock must outlive the model.
    CScheduleWizardDlg(IScheduleWizardView& view, IMessageBoxView& messageBoxes,
                       const platform::IClock& clock);
    CScheduleWizardDlg(const CScheduleWizardDlg&) = delete;
    CScheduleWizardDlg& operator=(const CScheduleWizardDlg&) = delete;

    // ---- the opener, before the window opens ----
    void SetMode(EWizardMode eMode) { m_eMode = eMode; }
    void LoadTables(const CHostTable& hosts, const CGroupTable& groups);
    void LoadSchedule(const CSchedule& schedule) { m_schedule = schedule; }

    // ---- the window ----

    // The window exists: fills the fixed lists, prepares the mode's working record, loads it into
    // the controls and shows the mode's first page.
    void OnInit();
    void OnNext();
    void OnBack();
    // OK closes the wizard only on the last page and only while the working record has a target.
    void OnOk();
    // Cancel, Escape and the close box: the mode's question; Yes closes the wizard.
    void OnCancel();
    // A click on a button, radio or check box, or a selection change of a list or combo box.
    void OnControl(int nId);

    // ---- results and state ----
    EWizardMode Mode() const { return m_eMode; }
    int Page() const { return m_nPage; }
    const CSchedule& Schedule() const { return m_schedule; }
    const CHostTable& Hosts() const { return *m_pHosts; }
    const CGroupTable& Groups() const { return *m_pGroups; }
    // The values as last read from or written to the controls.
    const SWizardValues& Values() const { return m_values; }
    std::int64_t CollectSeconds() const { return m_nCollectSeconds; }
    // The confirmation text of the last page, as last built.
    const std::string& SummaryText() const { return m_strSummary; }

    // The controls' values for a working record: the load step (the present moment decides the
    // date picker's default and, for a new booking, the display of groups).
    static SWizardValues ValuesFromSchedule(const CSchedule& schedule, EWizardMode eMode,
                                            int nGroupCount, platform::Time tNow);

private:
    // Reads every control; false, after the standard message and with the focus on the edit,
    // when an integer edit holds no integer or one out of its range.
    bool ReadControls();
    void WriteControls();
    void ShowPage(int nPage);
    void ShowPageControls();
    void RunEntryStep();
    void UpdateNavigation();
    // The checks of "次 >>" before the page may be left.
    bool MayLeaveForward();
    bool ValidatePage();
    void Refuse(const std::string& strText);
    int SkipForward(int nPage) const;
    int SkipBack(int nPage) const;

    void FillTargetList();
    void SetDisplay(bool bGroups);
    void SelectTarget();
    void EnableThresholdEdits();
    void ShowUnitGroup();
    void RebuildIntervalList();
    void UpdateSplitCount();
    void RebuildSummary();
    bool TestConnections();
    void EditHosts();
    void EditGroups();
    void CheckAcquisition();

    IScheduleWizardView& m_view;
    CMessageBoxes m_boxes;
    const platform::IClock& m_clock;
    EWizardMode m_eMode = EWizardMode::kNew;
    int m_nPage = 0;
    std::unique_ptr<CHostTable> m_pHosts;
    std::unique_ptr<CGroupTable> m_pGroups;
    CSchedule m_schedule;
    SWizardValues m_values;
    std::int64_t m_nCollectSeconds = 0;
    std::vector<std::string> m_arrListNames;  // what the target list shows
    std::string m_strSummary;
    // Notifications the window raises while the model fills controls are not the user's.
    bool m_bFilling = false;
};
