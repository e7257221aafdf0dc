// CGroupListWindow: the group and member lists, the three command buttons, the editor.
#include "group_list_window.h"

#include "group_edit_window.h"
#include "host_dialogs_resource.h"
#include "list_box.h"

CGroupListWindow::CGroupListWindow(CHostTable& hosts, const CScheduleTable& schedules,
                                   const SHostDialogContext& context)
    : CHostDialogBase(IDD_GROUPLIST, gather_ui::kStaticText, std::nullopt),
      m_hosts(hosts),
      m_context(context),
      m_messageBoxes(*this),
      m_model(*this, m_messageBoxes, schedules) {}

bool CGroupListWindow::OnInit() {
    GreyCloseItem();
    for (const int nId : {IDC_GROUPS_ADD, IDC_GROUPS_CHANGE, IDC_GROUPS_DELETE, IDOK}) {
        m_look.AddCommandButton(Handle(), nId);
    }
    m_look.AddCancelButton(Handle(), IDCANCEL);
    m_look.AddTooltip(Handle(), IDC_GROUPS_ADD, kTipGroupListAdd);
    m_look.AddTooltip(Handle(), IDC_GROUPS_CHANGE, kTipGroupListChange);
    m_look.AddTooltip(Handle(), IDC_GROUPS_DELETE, kTipGroupListDelete);
    m_model.OnInit();
    return true;
}

bool CGroupListWindow::OnCommand(int nId, int nCode, HWND hControl) {
    if (nId == IDC_GROUPS_LIST && nCode == LBN_SELCHANGE) {
        const std::string strSelected = gather_ui::SelectedListBoxText(hControl);
        if (!strSelected.empty()) m_model.OnGroupSelected(strSelected);
        return true;
    }
    if (nCode != BN_CLICKED) return false;
    switch (nId) {
        case IDC_GROUPS_ADD:
            m_model.OnAdd();
            return true;
        case IDC_GROUPS_CHANGE:
            m_model.OnChange();
            return true;
        case IDC_GROUPS_DELETE:
            m_model.OnDelete();
            return true;
        default:
            return false;
    }
}

void CGroupListWindow::ShowGroups(const std::vector<std::string>& vecNames) {
    gather_ui::FillListBox(Item(IDC_GROUPS_LIST), vecNames);
}

void CGroupListWindow::SelectGroup(int nIndex) {
    SendMessageW(Item(IDC_GROUPS_LIST), LB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
}

void CGroupListWindow::ShowMembers(const std::vector<std::string>& vecHosts) {
    gather_ui::FillListBox(Item(IDC_GROUPS_MEMBERS), vecHosts);
}

void CGroupListWindow::EnableChange(bool bEnable) {
    EnableItem(IDC_GROUPS_CHANGE, bEnable);
}

void CGroupListWindow::EnableDelete(bool bEnable) {
    EnableItem(IDC_GROUPS_DELETE, bEnable);
}

bool CGroupListWindow::EditGroup(CHostGroup& group, const CGroupTable& groups) {
    CGroupEditWindow editor(m_hosts, groups, group, m_context);
    if (editor.DoModal(Handle()) != IDOK) return false;
    group = editor.Model().Group();
    return true;
}

void CGroupListWindow::Close(bool bOk) {
    EndDialog(bOk ? IDOK : IDCANCEL);
}
