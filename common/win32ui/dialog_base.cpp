// The dialog base class: creation with this in lParam, the modal loop and message dispatch.
#include "win32ui/dialog_base.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "win32ui/exception_report.h"
#include "win32ui/window_text.h"

namespace {

// The modeless dialogs of this thread, for the keyboard handling of the modal loop.
thread_local std::vector<HWND> t_modeless;

std::string MessageName(UINT nMessage) {
    char text[32];
    std::snprintf(text, sizeof(text), "dialog message 0x%04X", nMessage);
    return text;
}

}  // namespace

CDialogBase::CDialogBase(int nTemplateId) : m_nTemplateId(nTemplateId) {}

CDialogBase::~CDialogBase() {
    if (m_hWnd != nullptr && IsWindow(m_hWnd)) {
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        std::erase(t_modeless, m_hWnd);
        DestroyWindow(m_hWnd);
    }
}

HWND CDialogBase::CreateFromTemplate(HWND hParent, HINSTANCE hInstance) {
    if (hInstance == nullptr) hInstance = GetModuleHandleW(nullptr);
    m_bEnded = false;
    m_nResult = -1;
    return CreateDialogParamW(hInstance, MAKEINTRESOURCEW(m_nTemplateId), hParent, DialogProc,
                              reinterpret_cast<LPARAM>(this));
}

INT_PTR CDialogBase::DoModal(HWND hOwner, HINSTANCE hInstance) {
    m_eKind = EKind::kModal;
    HWND hWnd = CreateFromTemplate(hOwner, hInstance);
    if (hWnd == nullptr) {
        m_eKind = EKind::kNone;
        return -1;
    }

    const bool bDisableOwner = hOwner != nullptr && IsWindowEnabled(hOwner);
    if (bDisableOwner) EnableWindow(hOwner, FALSE);
    m_hDisabledOwner = bDisableOwner ? hOwner : nullptr;
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
            win32ui::ReportCurrentException("PreTranslateMessage");
        }
        if (bSwallowed) continue;
        if (IsDialogMessageW(hWnd, &msg)) continue;
        if (RouteToModeless(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }

    // Give the owner back its input before this window goes, so that it becomes active again.
    if (bDisableOwner) EnableWindow(hOwner, TRUE);
    m_hDisabledOwner = nullptr;
    if (IsWindow(hWnd)) DestroyWindow(hWnd);
    m_hWnd = nullptr;
    m_eKind = EKind::kNone;
    return m_nResult;
}

bool CDialogBase::CreateModeless(HWND hOwner, HINSTANCE hInstance) {
    if (m_hWnd != nullptr) return false;
    m_eKind = EKind::kModeless;
    HWND hWnd = CreateFromTemplate(hOwner, hInstance);
    if (hWnd == nullptr) {
        m_eKind = EKind::kNone;
        return false;
    }
    if (m_bEnded) return true;  // ended during its own initialisation
    t_modeless.push_back(hWnd);
    ShowWindow(hWnd, SW_SHOW);
    return true;
}

bool CDialogBase::CreateChild(HWND hParent, const RECT& rcPlace, HINSTANCE hInstance) {
    if (m_hWnd != nullptr || hParent == nullptr) return false;
    m_eKind = EKind::kChild;
    HWND hWnd = CreateFromTemplate(hParent, hInstance);
    if (hWnd == nullptr) {
        m_eKind = EKind::kNone;
        return false;
    }
    SetWindowPos(hWnd, nullptr, rcPlace.left, rcPlace.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(hWnd, SW_SHOW);
    return true;
}

bool CDialogBase::RouteToModeless(MSG& msg) {
    // A copy: a dialog may end while handling the message.
    const std::vector<HWND> arrModeless = t_modeless;
    for (HWND hModeless : arrModeless) {
        if (IsWindow(hModeless) && IsDialogMessageW(hModeless, &msg)) return true;
    }
    return false;
}

void CDialogBase::EndDialog(INT_PTR nResult) {
    m_nResult = nResult;
    m_bEnded = true;
    if (m_hWnd == nullptr) return;
    if (m_eKind == EKind::kModal) {
        // As the system's own dialogs do: the owner gets its input and the activation back
        // before this window is hidden, so that hiding it does not activate some other program.
        if (m_hDisabledOwner != nullptr) {
            EnableWindow(m_hDisabledOwner, TRUE);
            if (GetActiveWindow() == m_hWnd) SetActiveWindow(m_hDisabledOwner);
        }
        ShowWindow(m_hWnd, SW_HIDE);
        PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wakes the loop so it sees the end at once
        return;
    }
    Destroy();
}

void CDialogBase::Destroy() {
    if (m_eKind == EKind::kModal || m_hWnd == nullptr) return;
    if (IsWindow(m_hWnd)) DestroyWindow(m_hWnd);  // WM_NCDESTROY clears m_hWnd
}

bool CDialogBase::OnCommand(int, int, HWND) {
    return false;
}

bool CDialogBase::OnNotify(int, NMHDR&, LRESULT&) {
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

std::string CDialogBase::ItemText(int nId) const {
    return win32ui::GetDlgItemTextUtf8(m_hWnd, nId);
}

void CDialogBase::SetItemText(int nId, std::string_view text) const {
    win32ui::SetDlgItemTextUtf8(m_hWnd, nId, text);
}

void CDialogBase::ShowItem(int nId, bool bShow) const {
    if (HWND hItem = Item(nId)) ShowWindow(hItem, bShow ? SW_SHOW : SW_HIDE);
}

void CDialogBase::ShowItems(std::initializer_list<int> ids, bool bShow) const {
    for (int nId : ids) ShowItem(nId, bShow);
}

void CDialogBase::EnableItem(int nId, bool bEnable) const {
    if (HWND hItem = Item(nId)) EnableWindow(hItem, bEnable ? TRUE : FALSE);
}

bool CDialogBase::IsChecked(int nId) const {
    return IsDlgButtonChecked(m_hWnd, nId) == BST_CHECKED;
}

void CDialogBase::SetChecked(int nId, bool bChecked) const {
    CheckDlgButton(m_hWnd, nId, bChecked ? BST_CHECKED : BST_UNCHECKED);
}

void CDialogBase::GreyCloseItem() const {
    if (HMENU hSystemMenu = GetSystemMenu(m_hWnd, FALSE))
        EnableMenuItem(hSystemMenu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
}

void CDialogBase::SetIcons(int nIconId) const {
    HINSTANCE hInstance = GetModuleHandleW(nullptr);
    const auto Load = [&](int nWidthMetric, int nHeightMetric) {
        return reinterpret_cast<LPARAM>(LoadImageW(
            hInstance, MAKEINTRESOURCEW(nIconId), IMAGE_ICON, GetSystemMetrics(nWidthMetric),
            GetSystemMetrics(nHeightMetric), LR_SHARED));
    };
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, Load(SM_CXICON, SM_CYICON));
    SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, Load(SM_CXSMICON, SM_CYSMICON));
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
    if (nMessage == WM_NCDESTROY) {
        // The window is gone: forget it, and let a modeless dialog's owner know.
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        std::erase(t_modeless, hWnd);
        pDialog->m_hWnd = nullptr;
        const bool bModeless = pDialog->m_eKind == EKind::kModeless;
        if (pDialog->m_eKind != EKind::kModal) pDialog->m_eKind = EKind::kNone;
        if (bModeless) {
            try {
                pDialog->OnModelessEnded();
            } catch (...) {
                win32ui::ReportCurrentException("OnModelessEnded");
            }
        }
        return FALSE;
    }
    try {
        return pDialog->HandleMessage(nMessage, wParam, lParam);
    } catch (...) {
        win32ui::ReportCurrentException(MessageName(nMessage));
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
        case WM_NOTIFY: {
            auto* pHeader = reinterpret_cast<NMHDR*>(lParam);
            if (pHeader == nullptr) return FALSE;
            LRESULT nResult = 0;
            if (!OnNotify(static_cast<int>(pHeader->idFrom), *pHeader, nResult)) return FALSE;
            SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, nResult);
            return TRUE;
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
        // These messages take the dialog procedure's own return value as their result.
        if (nMessage == WM_QUERYDRAGICON || nMessage == WM_COMPAREITEM ||
            nMessage == WM_VKEYTOITEM || nMessage == WM_CHARTOITEM)
            return nResult;
        SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, nResult);
        return TRUE;
    }
    return FALSE;
}
