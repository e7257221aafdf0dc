// The group dialogs' windows as the tests see them, with scripted edit and host dialogs.
#pragma once
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "group_edit_dlg.h"
#include "group_list_dlg.h"

namespace groups_test {

class CFakeGroupListView final : public IGroupListView {
public:
    std::vector<std::string> m_vecGroups, m_vecMembers;
    int m_nSelected = -2;  // -2: never set
    bool m_bChange = true, m_bDelete = true;
    std::optional<bool> m_closed;
    int m_nEdits = 0;
    // What the user does in the edit dialog: edits the group and answers OK (true) or Cancel.
    std::function<bool(CHostGroup&, const CGroupTable&)> m_fnEdit;

    void ShowGroups(const std::vector<std::string>& v) override { m_vecGroups = v; }
    void SelectGroup(int n) override { m_nSelected = n; }
    void ShowMembers(const std::vector<std::string>& v) override { m_vecMembers = v; }
    void EnableChange(bool b) override { m_bChange = b; }
    void EnableDelete(bool b) override { m_bDelete = b; }
    bool EditGroup(CHostGroup& group, const CGroupTable& groups) override {
        ++m_nEdits;
        return m_fnEdit ? m_fnEdit(group, groups) : false;
    }
    void Close(bool bOk) override { m_closed = bOk; }
};

class CFakeGroupEditView final : public IGroupEditView {
public:
    std::string m_strTitle, m_strName;
    std::vector<std::string> m_vecMembers, m_vecHosts;
    bool m_bAdd = true, m_bRemove = true, m_bFocused = false;
    std::optional<bool> m_closed;
    // What the user does in the host registration dialog; its result.
    std::function<bool(CHostTable&)> m_fnHostRegistration;

    void SetTitle(const std::string& s) override { m_strTitle = s; }
    void SetName(const std::string& s) override { m_strName = s; }
    void ShowMembers(const std::vector<std::string>& v) override { m_vecMembers = v; }
    void ShowHosts(const std::vector<std::string>& v) override { m_vecHosts = v; }
    void EnableAddMembers(bool b) override { m_bAdd = b; }
    void EnableRemoveMembers(bool b) override { m_bRemove = b; }
    void FocusName() override { m_bFocused = true; }
    bool RunHostRegistration(CHostTable& hosts) override {
        return m_fnHostRegistration ? m_fnHostRegistration(hosts) : true;
    }
    void Close(bool bOk) override { m_closed = bOk; }
};

inline CHostGroup Group(const std::string& strName, const std::vector<std::string>& vecMembers) {
    CHostGroup group;
    group.m_strName = strName;
    for (std::size_t i = 0; i < vecMembers.size() && i < group.m_strMember.size(); ++i) {
        group.m_strMember[i] = vecMembers[i];
    }
    return group;
}

}  // namespace groups_test
