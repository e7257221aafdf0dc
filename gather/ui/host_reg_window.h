// "ホスト名の登録" (dialog 129): a thin Win32 view over CHostRegDlg.
#pragma once
#include <windows.h>

#include "host_dialog_base.h"
#include "host_dialogs.h"
#include "hosts/host_reg_dlg.h"
#include "win32ui/message_box_view.h"

class CHostRegWindow final : public CHostDialogBase, private IHostRegView {
public:
    CHostRegWindow(platform::HostAccess& access, CErrorLog& errorLog);

    CHostRegDlg& Model() { return m_model; }

private:
    bool OnInit() override;
    bool OnCommand(int nId, int nCode, HWND hControl) override;
    void OnOk() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR nTimerId) override;
    void OnDestroy() override;

    // IHostRegView
    void ShowRegisteredHosts(const std::vector<std::string>& vecHosts) override;
    void ShowDomains(const std::vector<std::string>& vecDomains) override;
    void ShowHosts(const std::vector<std::string>& vecHosts) override;
    void SetDomainText(const std::string& strText) override;
    void SetHostText(const std::string& strText) override;
    void SetManualEntryText(const std::string& strText) override;
    void SetInformationText(const std::string& strText) override;
    void EnableAdd(bool bEnable) override;
    void EnableDelete(bool bEnable) override;
    bool RunLogin(const SLoginFields& fields) override;
    void ShowWaitCursor(bool bWait) override;
    void Close() override;

    platform::HostAccess& m_access;
    CErrorLog& m_errorLog;
    win32ui::CWindowMessageBoxView m_messageBoxes;
    CHostRegDlg m_model;
};
