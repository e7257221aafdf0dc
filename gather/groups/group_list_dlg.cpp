// CGroupListDlg: filling with a selection, add, change, delete and their refusals.
#include "group_list_dlg.h"

#include <algorithm>

#include "host_pick_dlg.h"

namespace {

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithIgnoringCase(const std::string& strText, const std::string& strPrefix) {
    if (strPrefix.size() > strText.size()) return false;
    return std::equal(strPrefix.begin(), strPrefix.end(), strText.begin(),
                      [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
}

}  // namespace

std::string GroupInUseText(const std::string& strSchedules, bool bDelete) {
    return "このグループは、スケジュール(" + strSchedules + ")で使用されており、" +
           (bDelete ? "削除できません" : "変更できません");
}

std::string GroupDeleteQuestion(const std::string& strName,
                                const std::vector<std::string>& vecMembers) {
    std::string strText = "グループ名(" + strName + ")には以下のホストが登録されています。\n\n";
    for (const std::string& strHost : vecMembers) strText += "\t" + strHost + "\n";
    return strText + "\n\nこのグループを本当に削除しますか？";
}

void ShowSystemModalNote(CMessageBoxes& boxes, const std::string& strText,
                         const std::string& strCaption) {
    CMessageBox box;
    box.m_strText = strText;
    box.m_strCaption = strCaption;
    box.m_eModality = EMessageModality::kSystem;
    boxes.Show(box);
}

int EntryToSelect(const std::vector<std::string>& vecEntries, const std::string& strName) {
    if (vecEntries.empty()) return -1;
    if (strName.empty()) return 0;
    // The exact name first: after adding "AB", an earlier "ABC" must not be the one selected.
    const auto exact = std::find(vecEntries.begin(), vecEntries.end(), strName);
    if (exact != vecEntries.end()) return static_cast<int>(exact - vecEntries.begin());
    const auto prefix =
        std::find_if(vecEntries.begin(), vecEntries.end(),
                     [&](const std::string& s) { return StartsWithIgnoringCase(s, strName); });
    return prefix != vecEntries.end() ? static_cast<int>(prefix - vecEntries.begin()) : 0;
}

CGroupListDlg::CGroupListDlg(IGroupListView& view, IMessageBoxView& messageBoxes,
                             const CScheduleTable& schedules)
    : m_view(view),
      m_boxes(messageBoxes),
      m_schedules(schedules),
      m_pGroups(std::make_unique<CGroupTable>()) {}

void CGroupListDlg::OnInit() {
    FillGroups(std::string());
}

void CGroupListDlg::FillGroups(const std::string& strName) {
    FillNames();
    SelectIndex(EntryToSelect(m_vecNames, strName));
}

void CGroupListDlg::FillNames() {
    m_vecNames.clear();
    for (const CHostGroup& group : *m_pGroups) {
        if (!group.IsFree()) m_vecNames.push_back(group.m_strName);
    }
    m_view.ShowGroups(m_vecNames);
}

void CGroupListDlg::SelectIndex(int nIndex) {
    if (nIndex < 0 || nIndex >= static_cast<int>(m_vecNames.size())) {
        ShowNothingSelected();
        return;
    }
    m_view.SelectGroup(nIndex);
    OnGroupSelected(m_vecNames[static_cast<std::size_t>(nIndex)]);
}

void CGroupListDlg::ShowNothingSelected() {
    m_strSelected.clear();
    m_view.SelectGroup(-1);
    m_view.ShowMembers({});
    m_view.EnableChange(false);
    m_view.EnableDelete(false);
}

void CGroupListDlg::OnGroupSelected(const std::string& strName) {
    const std::optional<int> nSlot = FindGroup(*m_pGroups, strName);
    if (!nSlot) {
        ShowNothingSelected();
        return;
    }
    m_strSelected = strName;
    std::vector<std::string> vecMembers;
    for (const std::string& strMember :
         (*m_pGroups)[static_cast<std::size_t>(*nSlot)].m_strMember) {
        if (!strMember.empty()) vecMembers.push_back(strMember);
    }
    m_view.ShowMembers(vecMembers);
    m_view.EnableChange(true);
    m_view.EnableDelete(true);
}

void CGroupListDlg::OnAdd() {
    if (CountGroups(*m_pGroups) >= kGroupSlots) {
        m_boxes.Show(kGroupListFull, "エラー", EMessageIcon::kWarning, EMessageButtons::kOk);
        return;
    }
    CHostGroup group;
    if (!m_view.EditGroup(group, *m_pGroups)) return;
    if (!AddGroup(*m_pGroups, group)) return;  // the edit dialog has checked the name
    FillGroups(group.m_strName);
}

void CGroupListDlg::OnChange() {
    const std::optional<int> nSlot = FindGroup(*m_pGroups, m_strSelected);
    if (!nSlot) return;
    const std::string strUsers = SchedulesUsingGroup(m_schedules, m_strSelected);
    if (!strUsers.empty()) {
        ShowSystemModalNote(m_boxes, GroupInUseText(strUsers, false), kGroupListChangeCaption);
        return;
    }
    CHostGroup group = (*m_pGroups)[static_cast<std::size_t>(*nSlot)];
    if (!m_view.EditGroup(group, *m_pGroups)) return;
    (*m_pGroups)[static_cast<std::size_t>(*nSlot)] = group;
    FillGroups(group.m_strName);
}

void CGroupListDlg::OnDelete() {
    const std::optional<int> nSlot = FindGroup(*m_pGroups, m_strSelected);
    if (!nSlot) return;
    const std::string strName = m_strSelected;
    CMessageBox question;
    question.m_strText = GroupDeleteQuestion(
        strName, GroupMemberList((*m_pGroups)[static_cast<std::size_t>(*nSlot)]));
    question.m_strCaption = kGroupListDeleteCaption;
    question.m_eButtons = EMessageButtons::kOkCancel;
    question.m_eModality = EMessageModality::kSystem;
    if (m_boxes.Show(question) != EMessageResult::kOk) return;

    const std::string strUsers = SchedulesUsingGroup(m_schedules, strName);
    if (!strUsers.empty()) {
        ShowSystemModalNote(m_boxes, GroupInUseText(strUsers, true), kGroupListDeleteCaption);
        return;
    }
    const auto itEntry = std::find(m_vecNames.begin(), m_vecNames.end(), strName);
    const int nIndex = static_cast<int>(itEntry - m_vecNames.begin());
    RemoveGroup(*m_pGroups, strName);
    FillNames();
    // The entry above the deleted one; after the first, the new first entry.
    SelectIndex(m_vecNames.empty() ? -1 : std::max(nIndex - 1, 0));
}
