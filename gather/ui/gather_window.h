// CGatherWindow: Gather's main window (dialog 102), a thin Win32 view over the CGatherDlg
// controller: image buttons, the two lists, the run log, the scheduler's timer and the exit.
#pragma once
#include <windows.h>

#include <array>
#include <memory>

#include "gather_dlg.h"
#include "host_dialogs.h"
#include "schedule_wizard_window.h"
#include "win32ui/color_button.h"
#include "win32ui/dialog_base.h"
#include "win32ui/dialog_colors.h"
#include "win32ui/message_box_view.h"
#include "win32ui/sorted_list.h"
#include "win32ui/tooltip.h"

class CGatherWindow final : public CDialogBase, private IGatherView {
public:
    // What the program's main chose: the machine the controller works on and the network the
    // host dialogs reach (the same one the jobs use). Both must outlive the window.
    CGatherWindow(const CGatherEnvironment& environment, platform::HostAccess& network);
    ~CGatherWindow() override;

private:
    bool OnInit() override;
    bool OnCommand(int nId, int nCode, HWND hControl) override;
    bool OnNotify(int nId, NMHDR& header, LRESULT& nResult) override;
    void OnOk() override;
    void OnCancel() override;
    void OnTimer(UINT_PTR nTimerId) override;
    bool OnSysCommand(WPARAM nCommand, LPARAM lParam) override;
    HBRUSH OnCtlColor(UINT nMessage, HDC hDC, HWND hControl) override;
    void OnDestroy() override;
    bool OnMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, INT_PTR& nResult) override;
    bool PreTranslateMessage(MSG& msg) override;

    // IGatherView
    std::vector<int> GetSelectedRows(EGatherList eList) const override;

    void CreateButtonsAndTooltips();
    void RequestExit();
    void EditHosts();
    void EditGroups();
    void PaintMinimised();

    win32ui::CWindowMessageBoxView m_messageBoxes;  // the controller's boxes, owned here
    SHostDialogContext m_context;
    CScheduleWizardWindow m_wizard;
    CGatherDlg m_gather;
    CSortedList m_scheduleList;
    CSortedList m_runLog;
    CDialogColors m_colors;
    std::array<CColorButton, 2> m_colorButtons;
    std::vector<std::unique_ptr<CToolTip>> m_tooltips;
    std::vector<HBITMAP> m_bitmaps;
    HICON m_hIcon = nullptr;
    bool m_bTimer = false;
};
