// A schedule wizard opened on a fake window, with three hosts, one group and a manual clock.
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "common/local_time_util.h"
#include "common/recording_message_box_view.h"
#include "fake_wizard_window.h"
#include "platform/clock.h"
#include "schedule_wizard_dlg.h"
#include "wizard_tables.h"

namespace wizard_test {

class WizardTest : public ::testing::Test {
public:  // table-driven cases call the helpers through the fixture
    WizardTest()
        : m_pHosts(std::make_unique<CHostTable>()), m_pGroups(std::make_unique<CGroupTable>()) {
        for (const char* psz : {"PC01", "PC02", "PC03"}) {
            CHostEntry host;
            host.m_strHost = psz;
            AddHost(*m_pHosts, host);
        }
        m_clock.Set(testutil::Local(2026, 12, 7, 10, 0, 0));  // a Monday
    }

    void AddSalesGroup() {
        CHostGroup group;
        group.m_strName = "営業部";
        group.m_strMember[0] = "PC01";
        group.m_strMember[1] = "PC02";
        AddGroup(*m_pGroups, group);
    }

    // Opens the wizard in a mode on a record, as the schedule operations do.
    void Open(EWizardMode eMode, const CSchedule& schedule) {
        m_pWizard = std::make_unique<CScheduleWizardDlg>(m_window, m_boxes, m_clock);
        m_pUser = std::make_unique<CWizardUser>(m_window, *m_pWizard);
        m_pWizard->SetMode(eMode);
        m_pWizard->LoadTables(*m_pHosts, *m_pGroups);
        m_pWizard->LoadSchedule(schedule);
        m_pWizard->OnInit();
    }
    void OpenNew() { Open(EWizardMode::kNew, CSchedule::Blank(m_clock.Now())); }

    CScheduleWizardDlg& Wizard() { return *m_pWizard; }
    CWizardUser& User() { return *m_pUser; }
    int Page() { return m_pWizard->Page(); }
    bool Visible(int nId) { return m_window.Visible(nId); }

    // Page 1 with PC01 chosen, on to the given page with a normal trigger and a start now.
    void ChooseHost(const std::string& strHost) {
        User().Radio(IDC_WZ_SHOW_HOSTS);
        User().Choose(IDC_WZ_TARGET_LIST, strHost);
    }

    // The text of the last message box and its caption, "caption|text".
    std::string LastBox() {
        if (m_boxes.m_arrShown.empty()) return "<none>";
        return m_boxes.Last().m_strCaption + "|" + m_boxes.Last().m_strText;
    }

    platform::ManualClock m_clock;
    CFakeWizardWindow m_window;
    testutil::CRecordingMessageBoxView m_boxes;
    std::unique_ptr<CHostTable> m_pHosts;
    std::unique_ptr<CGroupTable> m_pGroups;
    std::unique_ptr<CScheduleWizardDlg> m_pWizard;
    std::unique_ptr<CWizardUser> m_pUser;
};

}  // namespace wizard_test
