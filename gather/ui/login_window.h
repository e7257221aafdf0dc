// "ログイン" (dialog 131): a thin Win32 view over CLoginDlg.
#pragma once
#include <windows.h>

#include "host_dialogs.h"
#include "hosts/login_dlg.h"
#include "win32ui/dialog_base.h"
#include "win32ui/message_box_view.h"

class CLoginWindow final : public CDialogBase, private ILoginView {
public:
    CLoginWindow(platform::HostAccess& access, CErrorLog& errorLog, SLoginFields fields);

private:
    bool OnInit() override;
    void OnOk() override;
    void OnCancel() override;

    // ILoginView
    void ShowFields(const SLoginFields& fields) override;
    void Close(bool bOk) override;

    win32ui::CWindowMessageBoxView m_messageBoxes;
    CLoginDlg m_model;
};
