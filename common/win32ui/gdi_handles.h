// Small owning wrappers for GDI objects, icons and device contexts, so no path leaks a handle.
#pragma once
#include <windows.h>

#include <utility>

namespace win32ui {

struct SDeleteGdiObject {
    void operator()(HGDIOBJ hObject) const { DeleteObject(hObject); }
};
struct SDestroyIcon {
    void operator()(HICON hIcon) const { DestroyIcon(hIcon); }
};
struct SDeleteDC {
    void operator()(HDC hDC) const { DeleteDC(hDC); }
};

// Owns one handle and frees it with TFree when replaced or destroyed; movable, not copyable.
template <class THandle, class TFree>
class CUniqueHandle {
public:
    CUniqueHandle() = default;
    explicit CUniqueHandle(THandle hHandle) : m_hHandle(hHandle) {}
    ~CUniqueHandle() { Reset(); }
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_hHandle(other.Release()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept {
        if (this != &other) Reset(other.Release());
        return *this;
    }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;

    THandle Get() const { return m_hHandle; }
    explicit operator bool() const { return m_hHandle != nullptr; }

    // Frees the owned handle (if any) and takes hHandle.
    void Reset(THandle hHandle = nullptr) {
        if (m_hHandle != nullptr && m_hHandle != hHandle) TFree()(m_hHandle);
        m_hHandle = hHandle;
    }
    // Gives up ownership without freeing.
    THandle Release() { return std::exchange(m_hHandle, nullptr); }

private:
    THandle m_hHandle = nullptr;
};

using CBrush = CUniqueHandle<HBRUSH, SDeleteGdiObject>;
using CPen = CUniqueHandle<HPEN, SDeleteGdiObject>;
using CFont = CUniqueHandle<HFONT, SDeleteGdiObject>;
using CBitmap = CUniqueHandle<HBITMAP, SDeleteGdiObject>;
using CRegion = CUniqueHandle<HRGN, SDeleteGdiObject>;
using CIcon = CUniqueHandle<HICON, SDestroyIcon>;
using CMemoryDC = CUniqueHandle<HDC, SDeleteDC>;

// Selects an object into a device context for one scope and selects the previous one back.
class CSelectObject {
public:
    CSelectObject(HDC hDC, HGDIOBJ hObject)
        : m_hDC(hDC), m_hPrevious(hObject != nullptr ? SelectObject(hDC, hObject) : nullptr) {}
    ~CSelectObject() {
        if (m_hPrevious != nullptr && m_hPrevious != HGDI_ERROR) SelectObject(m_hDC, m_hPrevious);
    }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hPrevious;
};

// Saves a device context's state (clip region, colours, modes) for one scope.
class CSavedDC {
public:
    explicit CSavedDC(HDC hDC) : m_hDC(hDC), m_nSaved(SaveDC(hDC)) {}
    ~CSavedDC() {
        if (m_nSaved != 0) RestoreDC(m_hDC, m_nSaved);
    }
    CSavedDC(const CSavedDC&) = delete;
    CSavedDC& operator=(const CSavedDC&) = delete;

private:
    HDC m_hDC;
    int m_nSaved;
};

// BeginPaint / EndPaint for one WM_PAINT.
class CPaintDC {
public:
    explicit CPaintDC(HWND hWnd) : m_hWnd(hWnd) { m_hDC = BeginPaint(hWnd, &m_paint); }
    ~CPaintDC() { EndPaint(m_hWnd, &m_paint); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC Get() const { return m_hDC; }
    const RECT& PaintRect() const { return m_paint.rcPaint; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_paint{};
    HDC m_hDC = nullptr;
};

// GetDC / ReleaseDC of a window for one scope.
class CWindowDC {
public:
    explicit CWindowDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(GetDC(hWnd)) {}
    ~CWindowDC() {
        if (m_hDC != nullptr) ReleaseDC(m_hWnd, m_hDC);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;

    HDC Get() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

}  // namespace win32ui
