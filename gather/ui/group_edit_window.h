// "グループの追加" / "グループの変更" (dialog 142): a thin Win32 view over CGroupEditDlg.
#pragma once
#include <windows.h>

#include "groups/group_edit_dlg.h"
#include "host_dialog_base.h"
#include "host_dialogs.h"
#include "win32ui/gdi_handles.h"
#include "win32ui/message_box_view.h"

class CGroupEditWindow final : public CHostDialogBase, private IGroupEditView {
public:
    CGroupEditWindow(CHostTable& hosts, const CGroupTable& groups, CHostGroup group,
                     const SHostDialogContext& context);

    CGroupEditDlg& Model() { return m_model; }

private:
    bool OnInit() override;
    bool OnCommand(int nId, int nCode, HWND hControl) override;
    void OnOk() override;
    void OnCancel() override { m_model.OnCancel(); }

    // IGroupEditView
    void SetTitle(const std::string& strTitle) override;
    void SetName(const std::string& strName) override;
    void ShowMembers(const std::vector<std::string>& vecHosts) override;
    void ShowHosts(const std::vector<std::string>& vecHosts) override;
    void EnableAddMembers(bool bEnable) override;
    void EnableRemoveMembers(bool bEnable) override;
    void FocusName() override;
    bool RunHostRegistration(CHostTable& hosts) override;
    void Close(bool bOk) override;

    SHostDialogContext m_context;
    win32ui::CWindowMessageBoxView m_messageBoxes;
    CGroupEditDlg m_model;
    win32ui::CBitmap m_hostChange;  // bitmap 151 on "登録済みホストの変更"
};
