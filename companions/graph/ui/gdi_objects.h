// Small owners of GDI resources for Graph's drawing: objects deleted, selections undone and
// memory device contexts released when they go out of scope.
#pragma once
#include <windows.h>

#include <utility>

// A font, pen, brush or bitmap that this owner deletes.
template <typename THandle>
class CGdiObject {
public:
    CGdiObject() = default;
    explicit CGdiObject(THandle hObject) : m_hObject(hObject) {}
    ~CGdiObject() { Reset(); }
    CGdiObject(CGdiObject&& other) noexcept : m_hObject(std::exchange(other.m_hObject, nullptr)) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            m_hObject = std::exchange(other.m_hObject, nullptr);
        }
        return *this;
    }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    THandle Get() const { return m_hObject; }
    explicit operator bool() const { return m_hObject != nullptr; }
    void Reset(THandle hObject = nullptr) {
        if (m_hObject != nullptr) DeleteObject(m_hObject);
        m_hObject = hObject;
    }

private:
    THandle m_hObject = nullptr;
};

// Selects an object into a device context and puts the previous one back at the end.
class CSelection {
public:
    CSelection(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hPrevious(SelectObject(hDC, hObject)) {}
    ~CSelection() {
        if (m_hPrevious != nullptr && m_hPrevious != HGDI_ERROR) SelectObject(m_hDC, m_hPrevious);
    }
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hPrevious;
};

// A memory device context compatible with hDC (or with the screen for null).
class CMemoryDC {
public:
    explicit CMemoryDC(HDC hDC = nullptr) : m_hDC(CreateCompatibleDC(hDC)) {}
    ~CMemoryDC() {
        if (m_hDC != nullptr) DeleteDC(m_hDC);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    HDC Get() const { return m_hDC; }

private:
    HDC m_hDC;
};
