// "データ取得確認" (dialog 153): a thin Win32 view over CAcquisitionCheckDlg.
#pragma once
#include <windows.h>

#include <string>

#include "host_dialog_base.h"
#include "host_dialogs.h"
#include "hosts/acquisition_check_dlg.h"

class CAcquisitionCheckWindow final : public CHostDialogBase, private IAcquisitionCheckView {
public:
    CAcquisitionCheckWindow(CAcquisitionCheck& check, std::string strHost);

private:
    bool OnInit() override;
    bool OnCommand(int nId, int nCode, HWND hControl) override;
    void OnOk() override { m_model.OnOk(); }
    void OnCancel() override { m_model.OnCancel(); }

    // IAcquisitionCheckView
    void ShowTexts(const SAcquisitionTexts& texts) override;
    void ShowWaitCursor(bool bWait) override { m_look.ShowWaitCursor(bWait); }
    void Close() override { EndDialog(IDOK); }

    CAcquisitionCheckDlg m_model;
};
