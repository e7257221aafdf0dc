// The base of every dialog of the suite: the object rides in GWLP_USERDATA, handlers are virtual.
//
// A dialog is opened modally with DoModal, as a modeless top-level window with CreateModeless, or
// as a child window of another (a page or pane built from its own template) with CreateChild.
// The base runs the modal message loop itself (the owner is disabled meanwhile, as with
// DialogBoxParam) so that a dialog can look at every message before it is dispatched
// (PreTranslateMessage: splash windows, tooltips); modeless dialogs of the thread get their
// keyboard navigation from that loop too. No exception leaves the window procedure: one that a
// handler throws is logged (win32ui/exception_report.h) and the message counts as not handled.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>
#include <string_view>

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

    // Creates the dialog as a modeless window owned by hOwner and shows it; false when it could
    // not be created. EndDialog (or Destroy) destroys it; OnModelessEnded follows.
    bool CreateModeless(HWND hOwner, HINSTANCE hInstance = nullptr);

    // Creates the dialog as a child of hParent (its template has WS_CHILD, and usually
    // DS_CONTROL so that the parent's dialog manager tabs into it), at the top-left corner of
    // rcPlace in the parent's client coordinates and shown. False when it could not be created.
    bool CreateChild(HWND hParent, const RECT& rcPlace, HINSTANCE hInstance = nullptr);

    // Ends the modal loop (the window is destroyed once the loop has returned), or destroys a
    // modeless or child dialog at once.
    void EndDialog(INT_PTR nResult);
    // Destroys a modeless or child dialog (no effect on a modal one or when there is no window).
    void Destroy();

    HWND Handle() const { return m_hWnd; }
    HWND Item(int nId) const { return GetDlgItem(m_hWnd, nId); }
    INT_PTR Result() const { return m_nResult; }

protected:
    // WM_INITDIALOG. Return true to let the system give the focus to the first control.
    virtual bool OnInit() { return true; }
    // WM_COMMAND other than IDOK and IDCANCEL; true when handled.
    virtual bool OnCommand(int nId, int nCode, HWND hControl);
    // WM_NOTIFY from control nId; true with nResult (the message's result) when handled.
    virtual bool OnNotify(int nId, NMHDR& header, LRESULT& nResult);
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
    // A modeless dialog's window is gone (after WM_NCDESTROY); the object may be released here.
    virtual void OnModelessEnded() {}
    // Any other message; true with nResult when handled.
    virtual bool OnMessage(UINT nMessage, WPARAM wParam, LPARAM lParam, INT_PTR& nResult);
    // Every message of the modal loop, before dispatch; true swallows it.
    virtual bool PreTranslateMessage(MSG& msg);

    // ---- control helpers (texts in UTF-8) ----
    std::string ItemText(int nId) const;
    void SetItemText(int nId, std::string_view text) const;
    void ShowItem(int nId, bool bShow) const;
    void ShowItems(std::initializer_list<int> ids, bool bShow) const;
    void EnableItem(int nId, bool bEnable) const;
    bool IsChecked(int nId) const;
    void SetChecked(int nId, bool bChecked) const;
    // Greys the Close item of the system menu: the dialog is left through its own buttons.
    void GreyCloseItem() const;
    // Sets the window's large and small icons from an icon resource; the icons are shared
    // resources and need no freeing.
    void SetIcons(int nIconId) const;

private:
    enum class EKind { kNone, kModal, kModeless, kChild };

    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);
    HWND CreateFromTemplate(HWND hParent, HINSTANCE hInstance);
    // Offers msg to the keyboard handling of every modeless dialog of the thread.
    static bool RouteToModeless(MSG& msg);

    int m_nTemplateId;
    HWND m_hWnd = nullptr;
    EKind m_eKind = EKind::kNone;
    bool m_bEnded = false;
    HWND m_hDisabledOwner = nullptr;  // the owner a modal run disabled, until it ends
    INT_PTR m_nResult = -1;
};
