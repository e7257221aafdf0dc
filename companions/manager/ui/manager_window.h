// Manager's window: a thin Win32 view over CManagerDlg.
#pragma once
#include <windows.h>

#include "manager_dlg.h"
#include "win32ui/color_button.h"
#include "win32ui/dialog_base.h"
#include "win32ui/dialog_colors.h"
#include "win32ui/message_box_view.h"
#include "win32ui/sorted_list.h"

class CManagerWindow : public CDialogBase, private manager::IManagerView {
public:
    CManagerWindow();

private:
    bool OnInit() override;
    bool OnCommand(int nId, int nCode, HWND hControl) override;
    bool OnNotify(int nId, NMHDR& header, LRESULT& nResult) override;
    void OnOk() override {}  // Enter deletes nothing by accident
    void OnCancel() override { m_manager.OnExit(); }
    void OnTimer(UINT_PTR nTimerId) override;
    HBRUSH OnCtlColor(UINT nMessage, HDC hDC, HWND hControl) override;
    void OnDestroy() override;

    // manager::IManagerView
    std::vector<int> SelectedRows() const override { return m_list.SelectedRows(); }
    void ClearSelection() override { m_list.ClearSelection(); }
    std::optional<std::string> AskFolder(const std::string& strInitial) override;
    void ShowDataDirectory(const std::string& strPath) override;
    void ShowSpace(const std::string& strText) override;
    void ShowStatus(const std::string& strText) override;
    void RefreshRow(int nRow) override;
    void StartTimer() override;
    void StopTimer() override;
    void Close() override { EndDialog(IDCANCEL); }

    win32ui::CWindowMessageBoxView m_messageBoxes;  // the model's message boxes, owned here
    manager::CManagerDlg m_manager;
    CSortedList m_list;
    CDialogColors m_colors;
    CColorButton m_buttonChange;
    CColorButton m_buttonDelete;
    CColorButton m_buttonRefresh;
    CColorButton m_buttonExit;
};
