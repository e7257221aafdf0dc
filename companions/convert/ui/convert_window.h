// Convert's window: a thin Win32 view over CConvertDlg.
#pragma once
#include <windows.h>

#include "convert_dlg.h"
#include "win32ui/color_button.h"
#include "win32ui/dialog_base.h"
#include "win32ui/dialog_colors.h"
#include "win32ui/message_box_view.h"
#include "win32ui/sorted_list.h"

class CConvertWindow : public CDialogBase, private convert::IConvertView {
public:
    CConvertWindow();

private:
    bool OnInit() override;
    bool OnCommand(int nId, int nCode, HWND hControl) override;
    void OnOk() override {}  // Enter starts nothing by accident
    void OnCancel() override { m_convert.OnExit(); }
    void OnTimer(UINT_PTR nTimerId) override;
    HBRUSH OnCtlColor(UINT nMessage, HDC hDC, HWND hControl) override;
    void OnDestroy() override;

    // convert::IConvertView
    std::vector<int> SelectedRows() const override { return m_list.SelectedRows(); }
    std::optional<std::string> AskFolder(const std::string& strInitial) override;
    void ShowDataDirectory(const std::string& strText) override;
    void ShowOutputFolder(const std::string& strFolder) override;
    void ShowStatus(const std::string& strText) override;
    void ShowProgress(bool bVisible, int nPermille) override;
    void SetConverting(bool bConverting) override;
    void StartTimer() override;
    void StopTimer() override;
    void Close() override { EndDialog(IDCANCEL); }

    win32ui::CWindowMessageBoxView m_messageBoxes;  // the model's message boxes, owned here
    convert::CConvertDlg m_convert;
    CSortedList m_list;
    CDialogColors m_colors;
    CColorButton m_buttonBrowse;
    CColorButton m_buttonStart;
    CColorButton m_buttonStop;
    CColorButton m_buttonExit;
};
