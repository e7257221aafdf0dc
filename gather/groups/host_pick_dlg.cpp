// CHostPickDlg: the names it holds and "選択".
#include "host_pick_dlg.h"

bool CHostPickDlg::Add(const std::string& strHost) {
    if (strHost.empty() || m_vecHosts.size() >= kHostPickCapacity) return false;
    m_vecHosts.push_back(strHost);
    return true;
}

void CHostPickDlg::OnSelect(const std::string& strSelected) {
    if (strSelected.empty()) return;
    m_view.RunCheck(strSelected);
}

std::vector<std::string> GroupMemberList(const CHostGroup& group) {
    std::vector<std::string> vecMembers;
    for (const std::string& strMember : group.m_strMember) {
        if (strMember.empty()) break;
        vecMembers.push_back(strMember);
    }
    return vecMembers;
}
