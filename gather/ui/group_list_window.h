// "グループの登録" (dialog 141): a thin Win32 view over CGroupListDlg.
#pragma once
#include <windows.h>

#include "groups/group_list_dlg.h"
#include "host_dialog_base.h"
#include "host_dialogs.h"
#include "win32ui/message_box_view.h"

class CGroupListWindow final : public CHostDialogBase, private IGroupListView {
public:
    // hosts is the live host table; context as for the openers.
    CGroupListWindow(CHostTable& hosts, const CScheduleTable& schedules,
                     const SHostDialogContext& context);

    CGroupListDlg& Model() { return m_model; }

private:
    bool OnInit() override;
    bool OnCommand(int nId, int nCode, HWND hControl) override;
    void OnOk() override { m_model.OnOk(); }
    void OnCancel() override { m_model.OnCancel(); }

    // IGroupListView
    void ShowGroups(const std::vector<std::string>& vecNames) override;
    void SelectGroup(int nIndex) override;
    void ShowMembers(const std::vector<std::string>& vecHosts) override;
    void EnableChange(bool bEnable) override;
    void EnableDelete(bool bEnable) override;
    bool EditGroup(CHostGroup& group, const CGroupTable& groups) override;
    void Close(bool bOk) override;

    CHostTable& m_hosts;
    SHostDialogContext m_context;
    win32ui::CWindowMessageBoxView m_messageBoxes;
    CGroupListDlg m_model;
};
