// A window for the schedule wizard's model in tests: controls as plain states, user actions that
// change them and notify the model as a dialog would, and scripted answers of the dialogs the
// wizard opens.
#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "resource.h"
#include "schedule_wizard_dlg.h"

namespace wizard_test {

struct SControl {
    std::string m_strText;
    bool m_bChecked = false;
    bool m_bVisible = true;
    bool m_bEnabled = true;
    std::vector<std::string> m_arrItems;
    int m_nSelection = -1;
    SWizardDate m_date;
};

class CFakeWizardWindow final : public IScheduleWizardView {
public:
    std::map<int, SControl> m_controls;
    std::string m_strCaption;
    std::vector<int> m_arrFocus;          // every control given the focus
    int m_nEnded = -1;                    // -1 open, 1 OK, 0 Cancel
    std::vector<std::string> m_arrTested; // hosts the connection test was run on
    std::set<std::string> m_setUnreachable;
    std::vector<std::string> m_arrChecked;               // acquisition checks
    std::vector<std::vector<std::string>> m_arrPickers;  // host pickers opened
    std::function<void(CHostTable&)> m_fnHostRegistration;
    std::function<bool(CHostTable&, CGroupTable&)> m_fnGroupList;
    // When set, programmatic changes notify the model as some controls do; the model must not
    // take them for the user's.
    CScheduleWizardDlg* m_pNotifyOnSet = nullptr;

    SControl& At(int nId) { return m_controls[nId]; }
    bool Visible(int nId) { return At(nId).m_bVisible; }

    // ---- IScheduleWizardView ----
    void SetCaption(const std::string& strCaption) override { m_strCaption = strCaption; }
    void ShowControl(int nId, bool bShow) override { At(nId).m_bVisible = bShow; }
    void EnableControl(int nId, bool bEnable) override { At(nId).m_bEnabled = bEnable; }
    void SetText(int nId, const std::string& strText) override { At(nId).m_strText = strText; }
    std::string GetText(int nId) const override { return Get(nId).m_strText; }
    void SetCheck(int nId, bool bChecked) override {
        At(nId).m_bChecked = bChecked;
        if (m_pNotifyOnSet != nullptr) m_pNotifyOnSet->OnControl(nId);
    }
    bool GetCheck(int nId) const override { return Get(nId).m_bChecked; }
    void SetItems(int nId, const std::vector<std::string>& arrItems) override {
        At(nId).m_arrItems = arrItems;
        At(nId).m_nSelection = -1;
    }
    void SetSelection(int nId, int nIndex) override {
        SControl& control = At(nId);
        control.m_nSelection =
            nIndex >= 0 && nIndex < static_cast<int>(control.m_arrItems.size()) ? nIndex : -1;
        if (m_pNotifyOnSet != nullptr) m_pNotifyOnSet->OnControl(nId);
    }
    int GetSelection(int nId) const override { return Get(nId).m_nSelection; }
    void SetDate(int nId, const SWizardDate& date) override { At(nId).m_date = date; }
    SWizardDate GetDate(int nId) const override { return Get(nId).m_date; }
    void FocusControl(int nId) override { m_arrFocus.push_back(nId); }
    void EndWizard(bool bOk) override { m_nEnded = bOk ? 1 : 0; }
    bool TestConnection(const std::string& strHost) override {
        m_arrTested.push_back(strHost);
        return m_setUnreachable.count(strHost) == 0;
    }
    void RunHostRegistration(CHostTable& hosts) override {
        if (m_fnHostRegistration) m_fnHostRegistration(hosts);
    }
    bool RunGroupList(CHostTable& hosts, CGroupTable& groups) override {
        return m_fnGroupList ? m_fnGroupList(hosts, groups) : false;
    }
    void RunAcquisitionCheck(const std::string& strHost) override {
        m_arrChecked.push_back(strHost);
    }
    void RunHostPicker(const std::vector<std::string>& arrMembers) override {
        m_arrPickers.push_back(arrMembers);
    }

    // The text of a combo's or list's selected entry; empty with none.
    std::string SelectedText(int nId) {
        const SControl& control = At(nId);
        if (control.m_nSelection < 0) return {};
        return control.m_arrItems[static_cast<std::size_t>(control.m_nSelection)];
    }

private:
    const SControl& Get(int nId) const {
        static const SControl s_none;
        const auto it = m_controls.find(nId);
        return it == m_controls.end() ? s_none : it->second;
    }
};

// The radio groups of dialog 132: clicking one button unchecks the others of its group.
inline const std::vector<std::vector<int>>& RadioGroups() {
    static const std::vector<std::vector<int>> s_groups = {
        {IDC_WZ_SHOW_HOSTS, IDC_WZ_SHOW_GROUPS},
        {IDC_WZ_TRIGGER_NORMAL, IDC_WZ_TRIGGER_THRESHOLD},
        {IDC_WZ_START_NOW, IDC_WZ_START_TIMER},
        {IDC_WZ_DAY_TODAY, IDC_WZ_DAY_EVERY, IDC_WZ_DAY_DATE},
        {IDC_WZ_MONTHLY, IDC_WZ_MONTH_END},
        {IDC_WZ_END_BY_DURATION, IDC_WZ_END_BY_TIME},
    };
    return s_groups;
}

// What a user does in the wizard's window: each action changes the control and notifies the
// model the way the dialog does.
class CWizardUser {
public:
    CWizardUser(CFakeWizardWindow& window, CScheduleWizardDlg& wizard)
        : m_window(window), m_wizard(wizard) {}

    void Type(int nId, const std::string& strText) { m_window.At(nId).m_strText = strText; }
    void Tick(int nId, bool bChecked) {
        m_window.At(nId).m_bChecked = bChecked;
        m_wizard.OnControl(nId);
    }
    void Radio(int nId) {
        for (const std::vector<int>& group : RadioGroups()) {
            if (std::find(group.begin(), group.end(), nId) == group.end()) continue;
            for (int nOther : group) m_window.At(nOther).m_bChecked = nOther == nId;
        }
        m_wizard.OnControl(nId);
    }
    void Choose(int nId, int nIndex) {
        m_window.At(nId).m_nSelection = nIndex;
        m_wizard.OnControl(nId);
    }
    // Chooses the entry with this text; fails the test when there is none.
    void Choose(int nId, const std::string& strEntry) {
        const std::vector<std::string>& items = m_window.At(nId).m_arrItems;
        const auto it = std::find(items.begin(), items.end(), strEntry);
        ASSERT_NE(it, items.end()) << "no entry " << strEntry << " in control " << nId;
        Choose(nId, static_cast<int>(it - items.begin()));
    }
    void Date(int nYear, int nMonth, int nDay) {
        m_window.At(IDC_WZ_DATE).m_date = SWizardDate{nYear, nMonth, nDay};
    }
    void Click(int nId) { m_wizard.OnControl(nId); }
    void Next() { m_wizard.OnControl(IDC_WZ_NEXT); }
    void Back() { m_wizard.OnControl(IDC_WZ_BACK); }

private:
    CFakeWizardWindow& m_window;
    CScheduleWizardDlg& m_wizard;
};

}  // namespace wizard_test
