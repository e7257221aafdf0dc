// CColorButton painting on a memory bitmap: face, edges, focus rectangle and disabled caption.
#include <windows.h>

#include <gtest/gtest.h>

#include "win32ui/color_button.h"

namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 32;

// A 32-bit top-down bitmap to paint on, with a crisp (not smoothed) font selected.
class CCanvas {
public:
    CCanvas() {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_hDC = CreateCompatibleDC(nullptr);
        m_hBitmap = CreateDIBSection(m_hDC, &info, DIB_RGB_COLORS,
                                     reinterpret_cast<void**>(&m_pPixels), nullptr, 0);
        m_hOldBitmap = SelectObject(m_hDC, m_hBitmap);
        m_hFont = CreateFontW(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                              DEFAULT_PITCH, L"Tahoma");
        m_hOldFont = SelectObject(m_hDC, m_hFont);
    }
    ~CCanvas() {
        SelectObject(m_hDC, m_hOldFont);
        SelectObject(m_hDC, m_hOldBitmap);
        DeleteObject(m_hFont);
        DeleteObject(m_hBitmap);
        DeleteDC(m_hDC);
    }

    void Paint(UINT state, const win32ui::SColorButtonColors& colors) {
        const RECT rc{0, 0, kWidth, kHeight};
        CColorButton::Paint(m_hDC, rc, state, L"WWWW", colors);
        GdiFlush();
    }

    COLORREF At(int x, int y) const {
        const DWORD pixel = m_pPixels[y * kWidth + x];  // 0x00RRGGBB in memory order B, G, R
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

    // Pixels of exactly this colour inside the focus rectangle's inset (away from the edges).
    int CountInside(COLORREF color) const {
        int count = 0;
        for (int y = 6; y < kHeight - 6; ++y) {
            for (int x = 6; x < kWidth - 6; ++x) count += At(x, y) == color ? 1 : 0;
        }
        return count;
    }

    // Pixels off the face colour on the focus rectangle's top line and on its left line.
    int ChangedOnFocusTop(COLORREF face) const {
        int count = 0;
        for (int x = 4; x < kWidth - 4; ++x) count += At(x, 4) != face ? 1 : 0;
        return count;
    }
    int ChangedOnFocusLeft(COLORREF face) const {
        int count = 0;
        for (int y = 4; y < kHeight - 4; ++y) count += At(4, y) != face ? 1 : 0;
        return count;
    }

    bool Ok() const { return m_pPixels != nullptr; }

private:
    HDC m_hDC = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOldBitmap = nullptr;
    HFONT m_hFont = nullptr;
    HGDIOBJ m_hOldFont = nullptr;
    DWORD* m_pPixels = nullptr;
};

win32ui::SColorButtonColors Colors() {
    win32ui::SColorButtonColors colors;
    colors.m_crFace = RGB(63, 128, 255);
    colors.m_crText = RGB(255, 255, 255);
    colors.m_crDisabledText = RGB(200, 40, 40);
    return colors;
}

TEST(ColorButtonPaintTest, FaceCaptionAndRaisedEdge) {
    CCanvas canvas;
    ASSERT_TRUE(canvas.Ok());
    canvas.Paint(0, Colors());
    EXPECT_EQ(canvas.At(8, kHeight / 2), RGB(63, 128, 255));
    EXPECT_GT(canvas.CountInside(RGB(255, 255, 255)), 20);
    EXPECT_EQ(canvas.CountInside(RGB(200, 40, 40)), 0);
    // A raised edge is lit on its top-left and shaded on its bottom-right.
    EXPECT_EQ(canvas.At(0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(canvas.At(kWidth - 1, kHeight - 1), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(canvas.ChangedOnFocusTop(RGB(63, 128, 255)), 0);  // no focus rectangle
    EXPECT_EQ(canvas.ChangedOnFocusLeft(RGB(63, 128, 255)), 0);
}

TEST(ColorButtonPaintTest, ADisabledButtonShowsItsCaptionInTheDisabledColour) {
    CCanvas canvas;
    ASSERT_TRUE(canvas.Ok());
    canvas.Paint(ODS_DISABLED, Colors());
    EXPECT_GT(canvas.CountInside(RGB(200, 40, 40)), 20);
    EXPECT_EQ(canvas.CountInside(RGB(255, 255, 255)), 0);
}

TEST(ColorButtonPaintTest, AFocusedPressedButtonShowsTheSunkenEdgeAndTheFocusRectangle) {
    CCanvas canvas;
    ASSERT_TRUE(canvas.Ok());
    canvas.Paint(ODS_FOCUS | ODS_SELECTED, Colors());
    // The sunken edge is drawn over the raised one: shaded top-left, lit bottom-right.
    EXPECT_EQ(canvas.At(0, 0), GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(canvas.At(kWidth - 1, kHeight - 1), GetSysColor(COLOR_3DHILIGHT));
    // The dotted focus rectangle, 4 pixels in, changes every other pixel of its lines.
    EXPECT_GT(canvas.ChangedOnFocusTop(RGB(63, 128, 255)), (kWidth - 8) / 3);
    EXPECT_GT(canvas.ChangedOnFocusLeft(RGB(63, 128, 255)), (kHeight - 8) / 3);
}

TEST(ColorButtonPaintTest, AFocusedButtonThatIsNotPressedKeepsItsRaisedEdge) {
    CCanvas canvas;
    ASSERT_TRUE(canvas.Ok());
    canvas.Paint(ODS_FOCUS, Colors());
    EXPECT_EQ(canvas.At(0, 0), GetSysColor(COLOR_3DLIGHT));
    EXPECT_GT(canvas.ChangedOnFocusLeft(RGB(63, 128, 255)), (kHeight - 8) / 3);
}

}  // namespace
