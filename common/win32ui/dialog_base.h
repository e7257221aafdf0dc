// The base of every dialog of the suite: the object rides in GWLP_USERDATA, handlers are virtual.
//
// A dialog is opened with DoModal. The base runs the modal message loop itself (the owner is
// disabled meanwhile, as with DialogBoxParam) so that a dialog can look at every message before
// it is dispatched (PreTranslateMessage: splash windows, tooltips). No exception leaves the
// window procedure: a handler that throws counts as not having handled the message.
#pragma once
#include <windows.h>

// Sent by the dialog to an owner-drawn control with the DRAWITEMSTRUCT of WM_DRAWITEM in lParam,
// so that the control's own code draws it; a control that drew itself returns TRUE.
inline constexpr UINT kMsgReflectedDrawItem = WM_APP + 0x3F2B;

class CDialogBase {
public:
    explicit CDialogBase(int nTemplateId);
    virtual ~CDialogBase();
    CDialogBase(const CDialogBase&) = delete;
    CDialogBase& operator=(const CDialogBase&) = delete;

    // Creates the dialog from its template, shows it and runs it until EndDialog. Returns the
    // value given to EndDialog, or -1 when the window could not be created.
    INT_PTR DoModal(HWND hOwner, HINSTANCE hInstance = nullptr);

    // Ends the modal loop; the window is destroyed once the loop has returned.
    void EndDialog(INT_PTR nResult);

    HWND Handle() const { return m_hWnd; }
    HWND Item(int nId) const { return GetDlgItem(m_hWnd, nId); }

protected:
    // WM_INITDIALOG. Return true to let the system give the focus to the first control.
    virtual bool OnInit() { return true; }
    // WM_COMMAND other than IDOK and IDCANCEL; true when handled.
    virtual bool OnCommand(int nId, int nCode, HWND hControl);
    // IDOK (Enter on a dialog without another default button) and IDCANCEL (Escape, WM_CLOSE).
    virtual void OnOk() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual void OnTimer(UINT_PTR nTimerId);
    // WM_SYSCOMMAND; true when handled (the default course is skipped).
    virtual bool OnSysCommand(WPARAM nCommand, LPARAM lParam);
    // WM_CTLCOLOR*: a brush to use, or null for the platform's colours.
    virtual HBRUSH OnCtlColor(UINT nMessage, HDC hDC, HWND hControl);
    // WM_DESTROY, while the controls still exist.
    virtual void OnDestroy() {}
    // Any other message; true with nResult when handled.
    virtual bool OnMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, INT_PTR& nResult);
    // Every message of the modal loop, before dispatch; true swallows it.
    virtual bool PreTranslateMessage(MSG& msg);

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);

    int m_nTemplateId;
    HWND m_hWnd = nullptr;
    bool m_bEnded = false;
    INT_PTR m_nResult = -1;
};
