// "ホストの選択" (dialog 157): a thin Win32 view over CHostPickDlg.
#pragma once
#include <windows.h>

#include "groups/host_pick_dlg.h"
#include "host_dialog_base.h"
#include "host_dialogs.h"

class CHostPickWindow final : public CHostDialogBase, private IHostPickView {
public:
    explicit CHostPickWindow(const SHostDialogContext& context);

    CHostPickDlg& Model() { return m_model; }

private:
    bool OnInit() override;
    bool OnCommand(int nId, int nCode, HWND hControl) override;
    void OnOk() override;
    void OnCancel() override { m_model.OnCancel(); }

    // IHostPickView
    void ShowHosts(const std::vector<std::string>& vecHosts) override;
    void RunCheck(const std::string& strHost) override;
    void Close() override { EndDialog(IDCANCEL); }

    SHostDialogContext m_context;
    CHostPickDlg m_model;
};
