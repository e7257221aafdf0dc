// The splash window: creation, painting, the hiding timer and the input filter.
#include "splash_window.h"

namespace {

constexpr UINT_PTR kHideTimer = 1;

bool IsPress(UINT nMessage) {
    switch (nMessage) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_XBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCMBUTTONDOWN:
        case WM_NCXBUTTONDOWN:
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            return true;
        default:
            return false;
    }
}

}  // namespace

CSplashWindow::~CSplashWindow() {
    Hide();
}

bool CSplashWindow::Show(HWND hOwner, HINSTANCE hInstance, int nBitmapId) {
    if (m_hWnd != nullptr) return false;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    if (!GetClassInfoExW(hInstance, kClassName, &windowClass)) {
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = hInstance;
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.lpszClassName = kClassName;
        if (RegisterClassExW(&windowClass) == 0) return false;
    }
    m_hBitmap = static_cast<HBITMAP>(
        LoadImageW(hInstance, MAKEINTRESOURCEW(nBitmapId), IMAGE_BITMAP, 0, 0, 0));
    if (m_hBitmap == nullptr) return false;
    BITMAP info{};
    GetObjectW(m_hBitmap, sizeof(info), &info);

    // Centred over the owner (over the screen when the owner has no size yet).
    RECT rcOwner{};
    if (hOwner == nullptr || !GetWindowRect(hOwner, &rcOwner) || rcOwner.right <= rcOwner.left) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcOwner, 0);
    }
    const int x = rcOwner.left + (rcOwner.right - rcOwner.left - info.bmWidth) / 2;
    const int y = rcOwner.top + (rcOwner.bottom - rcOwner.top - info.bmHeight) / 2;
    m_hWnd = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, x, y, info.bmWidth,
                             info.bmHeight, hOwner, nullptr, hInstance, this);
    if (m_hWnd == nullptr) {
        DeleteObject(m_hBitmap);
        m_hBitmap = nullptr;
        return false;
    }
    SetTimer(m_hWnd, kHideTimer, kShowMs, nullptr);
    ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    UpdateWindow(m_hWnd);
    return true;
}

void CSplashWindow::Hide() {
    if (m_hWnd != nullptr) {
        HWND hWnd = m_hWnd;
        m_hWnd = nullptr;
        KillTimer(hWnd, kHideTimer);
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        DestroyWindow(hWnd);
    }
    if (m_hBitmap != nullptr) DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
}

bool CSplashWindow::FilterMessage(const MSG& msg) {
    if (m_hWnd == nullptr || !IsPress(msg.message)) return false;
    Hide();
    return true;
}

LRESULT CALLBACK CSplashWindow::WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    if (nMessage == WM_NCCREATE) {
        const auto* pCreate = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pCreate->lpCreateParams));
    }
    auto* pSplash = reinterpret_cast<CSplashWindow*>(GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (pSplash != nullptr && pSplash->m_hWnd == hWnd) {
        return pSplash->HandleMessage(nMessage, wParam, lParam);
    }
    return DefWindowProcW(hWnd, nMessage, wParam, lParam);
}

LRESULT CSplashWindow::HandleMessage(UINT nMessage, WPARAM wParam, LPARAM lParam) {
    switch (nMessage) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC hDC = BeginPaint(m_hWnd, &paint);
            HDC hMemory = CreateCompatibleDC(hDC);
            HGDIOBJ hOld = SelectObject(hMemory, m_hBitmap);
            RECT rc;
            GetClientRect(m_hWnd, &rc);
            BitBlt(hDC, 0, 0, rc.right, rc.bottom, hMemory, 0, 0, SRCCOPY);
            SelectObject(hMemory, hOld);
            DeleteDC(hMemory);
            EndPaint(m_hWnd, &paint);
            return 0;
        }
        case WM_TIMER:
            if (wParam == kHideTimer) {
                Hide();
                return 0;
            }
            break;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        default:
            break;
    }
    return DefWindowProcW(m_hWnd, nMessage, wParam, lParam);
}
