// The dialog base class: creation with this in lParam, the modal loop and message dispatch.
#include "win32ui/dialog_base.h"

CDialogBase::CDialogBase(int nTemplateId) : m_nTemplateId(nTemplateId) {}

CDialogBase::~CDialogBase() {
    if (m_hWnd != nullptr && IsWindow(m_hWnd)) {
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hWnd);
    }
}

INT_PTR CDialogBase::DoModal(HWND hOwner, HINSTANCE hInstance) {
    if (hInstance == nullptr) hInstance = GetModuleHandleW(nullptr);
    m_bEnded = false;
    m_nResult = -1;
    HWND hWnd = CreateDialogParamW(hInstance, MAKEINTRESOURCEW(m_nTemplateId), hOwner, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
    if (hWnd == nullptr) return -1;

    const bool bDisableOwner = hOwner != nullptr && IsWindowEnabled(hOwner);
    if (bDisableOwner) EnableWindow(hOwner, FALSE);
    if (!m_bEnded) ShowWindow(hWnd, SW_SHOW);

    MSG msg;
    while (!m_bEnded) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the outer loop
            break;
        }
        if (got == -1) break;
        bool bSwallowed = false;
        try {
            bSwallowed = PreTranslateMessage(msg);
        } catch (...) {
        }
        if (bSwallowed) continue;
        if (IsDialogMessageW(hWnd, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }

    // Give the owner back its input before this window goes, so that it becomes active again.
    if (bDisableOwner) EnableWindow(hOwner, TRUE);
    if (IsWindow(hWnd)) DestroyWindow(hWnd);
    m_hWnd = nullptr;
    return m_nResult;
}

void CDialogBase::EndDialog(INT_PTR nResult) {
    m_nResult = nResult;
    m_bEnded = true;
    if (m_hWnd != nullptr) {
        ShowWindow(m_hWnd, SW_HIDE);
        PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wakes the loop so it sees the end at once
    }
}

bool CDialogBase::OnCommand(int, int, HWND) {
    return false;
}

void CDialogBase::OnTimer(UINT_PTR) {}

bool CDialogBase::OnSysCommand(WPARAM, LPARAM) {
    return false;
}

HBRUSH CDialogBase::OnCtlColor(UINT, HDC, HWND) {
    return nullptr;
}

bool CDialogBase::OnMessage(UINT, WPARAM, LPARAM, INT_PTR&) {
    return false;
}

bool CDialogBase::PreTranslateMessage(MSG&) {
    return false;
}

INT_PTR CALLBACK CDialogBase::DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    CDialogBase* pDialog = nullptr;
    if (nMessage == WM_INITDIALOG) {
        pDialog = reinterpret_cast<CDialogBase*>(lParam);
        pDialog->m_hWnd = hWnd;
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pDialog));
    } else {
        pDialog = reinterpret_cast<CDialogBase*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    }
    if (pDialog == nullptr) return FALSE;
    try {
        return pDialog->HandleMessage(nMessage, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}

INT_PTR CDialogBase::HandleMessage(UINT nMessage, WPARAM wParam, LPARAM lParam) {
    switch (nMessage) {
        case WM_INITDIALOG:
            return OnInit() ? TRUE : FALSE;
        case WM_COMMAND: {
            const int nId = LOWORD(wParam);
            const int nCode = HIWORD(wParam);
            // Code 0 from a button or the dialog manager (Enter, Escape, WM_CLOSE), 1 from an
            // accelerator.
            const bool bFromKeyOrButton = nCode == BN_CLICKED || nCode == 1;
            if (nId == IDOK && bFromKeyOrButton) {
                OnOk();
                return TRUE;
            }
            if (nId == IDCANCEL && bFromKeyOrButton) {
                OnCancel();
                return TRUE;
            }
            return OnCommand(nId, nCode, reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
        }
        case WM_TIMER:
            OnTimer(static_cast<UINT_PTR>(wParam));
            return TRUE;
        case WM_SYSCOMMAND:
            if (OnSysCommand(wParam, lParam)) {
                SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, 0);
                return TRUE;
            }
            return FALSE;
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSCROLLBAR:
            // For these messages the brush itself is the dialog procedure's result.
            return reinterpret_cast<INT_PTR>(OnCtlColor(nMessage, reinterpret_cast<HDC>(wParam),
                                                        reinterpret_cast<HWND>(lParam)));
        case WM_DRAWITEM: {
            const auto* pItem = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (pItem != nullptr && pItem->CtlType != ODT_MENU && pItem->hwndItem != nullptr &&
                SendMessageW(pItem->hwndItem, kMsgReflectedDrawItem, 0, lParam) != 0) {
                SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, TRUE);
                return TRUE;
            }
            break;
        }
        case WM_DESTROY:
            OnDestroy();
            return FALSE;
        default:
            break;
    }
    INT_PTR nResult = 0;
    if (OnMessage(nMessage, wParam, lParam, nResult)) {
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, nResult);
        return TRUE;
    }
    return FALSE;
}
