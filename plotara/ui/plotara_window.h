// Plotara's window (dialog 103): a thin Win32 view over CPlotaraDlg.
#pragma once
#include <windows.h>

#include <optional>

#include "plotara_dlg.h"
#include "win32ui/color_button.h"
#include "win32ui/dialog_base.h"
#include "win32ui/dialog_colors.h"
#include "win32ui/gdi_handles.h"
#include "win32ui/message_box_view.h"
#include "win32ui/sorted_list.h"
#include "win32ui/tooltip.h"
#include "win32ui/wait_cursor.h"

class CPlotaraWindow : public CDialogBase, private plotara::IPlotaraView {
public:
    CPlotaraWindow();

    // The start-up check, before the window is opened; false when the program must end.
    bool RunStartupChecks() { return m_plotara.RunStartupChecks(); }

private:
    bool OnInit() override;
    bool OnCommand(int nId, int nCode, HWND hControl) override;
    void OnOk() override;
    void OnCancel() override;
    bool OnSysCommand(WPARAM nCommand, LPARAM lParam) override;
    HBRUSH OnCtlColor(UINT nMessage, HDC hDC, HWND hControl) override;
    void OnDestroy() override;
    bool PreTranslateMessage(MSG& msg) override;

    void SetUpPicturesAndButtons();
    void FillCounterChoices();

    // plotara::IPlotaraView
    std::vector<int> SelectedRows() const override;
    int SelectedCounter() const override;
    bool IsTimeOnlyChecked() const override;
    platform::ErrorCode PutOnClipboard(const std::string& strBlock) override;
    void ShowWaitCursor(bool bWait) override;
    void Close() override;

    win32ui::CWindowMessageBoxView m_messageBoxes;  // the model's message boxes, owned here
    plotara::CPlotaraDlg m_plotara;
    CSortedList m_list;
    CColorButton m_buttonExit;
    CToolTip m_tooltip;
    CDialogColors m_colors;
    win32ui::CBitmap m_bitmapCreateGraph;
    win32ui::CBitmap m_bitmapLogo;
    std::optional<win32ui::CWaitCursor> m_waitCursor;
};
