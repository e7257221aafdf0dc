// Where the Graph window's controls go for a client area of a given size.
#pragma once

struct CLayoutRect {
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    bool operator==(const CLayoutRect&) const = default;
};

struct CGraphLayout {
    CLayoutRect m_chart;
    CLayoutRect m_status;    // two lines, left of the buttons; one while the files are read
    CLayoutRect m_progress;  // the second line while the files are read
    CLayoutRect m_save;
    CLayoutRect m_copy;
    CLayoutRect m_exit;
};

// The chart fills the window above a bottom row of the status line and the buttons "保存",
// "コピー" and "終了" (right-aligned). nLineHeight is the dialog font's line height in pixels.
// Sizes never go below zero however small the window is.
CGraphLayout LayOutGraphWindow(int nWidth, int nHeight, int nLineHeight, bool bLoading);

// The smallest client area in which every control keeps a usable size.
inline constexpr int kGraphMinWidth = 480;
inline constexpr int kGraphMinHeight = 300;
