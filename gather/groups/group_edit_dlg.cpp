// CGroupEditDlg: member moves, the member limit, the host registration and the name checks.
#include "group_edit_dlg.h"

#include "group_list_dlg.h"
#include "host_pick_dlg.h"
#include "hosts/host_name_check.h"

CGroupEditDlg::CGroupEditDlg(IGroupEditView& view, IMessageBoxView& messageBoxes, CHostTable& hosts,
                             const CGroupTable& groups, CHostGroup group)
    : m_view(view),
      m_boxes(messageBoxes),
      m_hosts(hosts),
      m_groups(groups),
      m_group(std::move(group)),
      m_strOpeningName(m_group.m_strName) {}

void CGroupEditDlg::OnInit() {
    if (m_strOpeningName.empty()) {
        m_view.SetTitle(kGroupEditAddTitle);
    } else {
        m_view.SetTitle(kGroupEditChangeTitle);
        m_view.SetName(m_strOpeningName);
    }
    ShowLists();
    m_view.FocusName();
}

void CGroupEditDlg::ShowLists() {
    m_view.ShowMembers(GroupMemberList(m_group));
    std::vector<std::string> vecHosts;
    for (const CHostEntry& entry : m_hosts) {
        // Exact names: "PC1" as a member leaves "pc1" and "PC10" on offer.
        if (!entry.IsFree() && !HasMember(m_group, entry.m_strHost)) {
            vecHosts.push_back(entry.m_strHost);
        }
    }
    m_view.ShowHosts(vecHosts);
    m_view.EnableAddMembers(false);
    m_view.EnableRemoveMembers(false);
}

void CGroupEditDlg::Warn(const std::string& strText) {
    m_boxes.Show(strText, "エラー", EMessageIcon::kWarning, EMessageButtons::kOk);
}

void CGroupEditDlg::OnHostSelectionChanged(int nSelected) {
    m_view.EnableAddMembers(nSelected > 0);
}

void CGroupEditDlg::OnMemberSelectionChanged(int nSelected) {
    m_view.EnableRemoveMembers(nSelected > 0);
}

void CGroupEditDlg::OnAddMembers(const std::vector<std::string>& vecSelected) {
    if (vecSelected.empty()) return;
    std::string strAlready;
    for (const std::string& strHost : vecSelected) {
        if (HasMember(m_group, strHost)) strAlready += "\t" + strHost + "\n";
    }
    if (!strAlready.empty()) {
        ShowSystemModalNote(m_boxes, kGroupEditAlreadyMembers + strAlready, "エラー");
        return;
    }
    if (CountMembers(m_group) + vecSelected.size() > static_cast<std::size_t>(kGroupMembers)) {
        Warn(kGroupEditTooManyMembers);
        return;
    }
    for (const std::string& strHost : vecSelected) {
        if (!AddMember(m_group, strHost)) Warn(strHost + kGroupEditNotAdded);
    }
    ShowLists();
}

void CGroupEditDlg::OnRemoveMembers(const std::vector<std::string>& vecSelected) {
    if (vecSelected.empty()) return;
    for (const std::string& strHost : vecSelected) RemoveMember(m_group, strHost);
    ShowLists();
}

void CGroupEditDlg::OnHostRegistration() {
    if (!m_view.RunHostRegistration(m_hosts)) return;
    ShowLists();
}

void CGroupEditDlg::OnOk(const std::string& strName) {
    if (strName.empty()) {
        Warn(kGroupEditNoName);
        return;
    }
    if (!StorableInCp932(strName)) {
        Warn(kGroupEditNameNotStorable);
        return;
    }
    if (FindGroup(m_groups, strName) && (m_strOpeningName.empty() || strName != m_strOpeningName)) {
        Warn(kGroupEditNameUsed);
        return;
    }
    m_group.m_strName = strName;
    if (CountMembers(m_group) == 0) {
        Warn(kGroupEditNoMembers);
        return;
    }
    m_view.Close(true);
}

void CGroupEditDlg::OnCancel() {
    m_view.Close(false);
}
