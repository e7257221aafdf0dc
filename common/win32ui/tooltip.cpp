// Tooltips through the common controls' tooltip class, one window per control.
#include "win32ui/tooltip.h"

#include <commctrl.h>

#include "platform/win32/wide_string.h"

CToolTip::~CToolTip() {
    if (m_hWnd != nullptr && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
}

bool CToolTip::Create(HWND hDialog, HWND hControl, const std::string& text) {
    if (hControl == nullptr) return false;
    m_hWnd = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hDialog,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    if (m_hWnd == nullptr) return false;
    m_hControl = hControl;
    std::wstring wide = platform::Utf8ToWide(text);
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND;
    info.hwnd = hDialog;
    info.uId = reinterpret_cast<UINT_PTR>(hControl);
    info.lpszText = wide.data();
    return SendMessageW(m_hWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info)) != FALSE;
}

void CToolTip::Relay(const MSG& msg) const {
    if (m_hWnd == nullptr || msg.hwnd != m_hControl) return;
    switch (msg.message) {
        case WM_MOUSEMOVE:
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP: {
            MSG copy = msg;
            SendMessageW(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&copy));
            break;
        }
        default:
            break;
    }
}
