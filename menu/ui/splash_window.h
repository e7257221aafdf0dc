// The splash window: a borderless picture over the menu for a moment after start-up.
#pragma once
#include <windows.h>

// Shown centred over its owner, sized to its picture. A timer hides it after 1500 ms; so does
// any mouse-button press or key press in the program, which is then swallowed. Only one exists
// at a time.
class CSplashWindow {
public:
    static constexpr UINT kShowMs = 1500;
    static constexpr const wchar_t* kClassName = L"VARNOLE_Splash";

    CSplashWindow() = default;
    ~CSplashWindow();
    CSplashWindow(const CSplashWindow&) = delete;
    CSplashWindow& operator=(const CSplashWindow&) = delete;

    // Shows the picture; false when it cannot be shown or a splash window already exists.
    bool Show(HWND hOwner, HINSTANCE hInstance, int nBitmapId);
    void Hide();
    bool IsShown() const { return m_hWnd != nullptr; }

    // Offered every message of the program first: while the splash is up, a mouse-button or key
    // press hides it and is swallowed (true).
    bool FilterMessage(const MSG& msg);

private:
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    HBITMAP m_hBitmap = nullptr;
};
