// GDI painting of a chart plan: background, grid, frame, labels, line, title and statistics.
#include "chart_painter.h"

#include <algorithm>
#include <vector>

#include "platform/win32/wide_string.h"

namespace {

constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kGrid = RGB(224, 224, 224);
constexpr COLORREF kFrame = RGB(0, 0, 0);
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kLine = RGB(0, 80, 200);
constexpr COLORREF kMessage = RGB(0, 0, 240);
constexpr int kTickLength = 4;
constexpr wchar_t kFontName[] = L"ＭＳ Ｐゴシック";

HFONT MakeFont(int nPixels, int nWeight) {
    return CreateFontW(-nPixels, 0, 0, 0, nWeight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, kFontName);
}

}  // namespace

CChartPainter::CChartPainter()
    : m_font(MakeFont(12, FW_NORMAL)),
      m_titleFont(MakeFont(14, FW_BOLD)),
      m_gridPen(CreatePen(PS_SOLID, 1, kGrid)),
      m_framePen(CreatePen(PS_SOLID, 1, kFrame)),
      m_linePen(CreatePen(PS_SOLID, 2, kLine)),
      m_background(CreateSolidBrush(kBackground)),
      m_lineBrush(CreateSolidBrush(kLine)),
      m_measure(CreateCompatibleDC(nullptr)) {
    SelectObject(m_measure.Get(), m_font.Get());
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(m_measure.Get(), &metrics)) m_nLineHeight = metrics.tmHeight + 2;
}

series::CTextMetrics CChartPainter::Metrics() const {
    HDC hDC = m_measure.Get();
    return {[hDC](std::string_view strText) {
                const std::wstring text = platform::Utf8ToWide(strText);
                SIZE size{};
                GetTextExtentPoint32W(hDC, text.c_str(), static_cast<int>(text.size()), &size);
                return static_cast<int>(size.cx);
            },
            m_nLineHeight};
}

void CChartPainter::Text(HDC hDC, int nX, int nY, std::string_view strText, UINT nAlign) const {
    const std::wstring text = platform::Utf8ToWide(strText);
    SetTextAlign(hDC, nAlign | TA_TOP | TA_NOUPDATECP);
    TextOutW(hDC, nX, nY, text.c_str(), static_cast<int>(text.size()));
}

void CChartPainter::Paint(HDC hDC, const series::CChartPlan& plan) const {
    const series::CChartRect& plot = plan.m_plot;
    RECT rcAll{0, 0, plan.m_nWidth, plan.m_nHeight};
    FillRect(hDC, &rcAll, m_background.Get());
    SetBkMode(hDC, TRANSPARENT);
    SetTextColor(hDC, kText);

    {
        win32ui::CSelectObject pen(hDC, m_gridPen.Get());
        for (const series::CAxisTick& tick : plan.m_vecValueTicks) {
            MoveToEx(hDC, plot.m_nLeft, tick.m_nPosition, nullptr);
            LineTo(hDC, plot.m_nRight + 1, tick.m_nPosition);
        }
        for (const series::CAxisTick& tick : plan.m_vecTimeTicks) {
            MoveToEx(hDC, tick.m_nPosition, plot.m_nTop, nullptr);
            LineTo(hDC, tick.m_nPosition, plot.m_nBottom + 1);
        }
    }
    {
        win32ui::CSelectObject pen(hDC, m_framePen.Get());
        win32ui::CSelectObject brush(hDC, GetStockObject(NULL_BRUSH));
        Rectangle(hDC, plot.m_nLeft, plot.m_nTop, plot.m_nRight + 1, plot.m_nBottom + 1);
        for (const series::CAxisTick& tick : plan.m_vecValueTicks) {
            MoveToEx(hDC, plot.m_nLeft - kTickLength, tick.m_nPosition, nullptr);
            LineTo(hDC, plot.m_nLeft, tick.m_nPosition);
        }
        for (const series::CAxisTick& tick : plan.m_vecTimeTicks) {
            MoveToEx(hDC, tick.m_nPosition, plot.m_nBottom, nullptr);
            LineTo(hDC, tick.m_nPosition, plot.m_nBottom + kTickLength + 1);
        }
    }

    {
        win32ui::CSelectObject font(hDC, m_font.Get());
        const int nHalfLine = (m_nLineHeight - 2) / 2;
        for (const series::CAxisTick& tick : plan.m_vecValueTicks) {
            Text(hDC, plot.m_nLeft - kTickLength - 2, tick.m_nPosition - nHalfLine,
                 tick.m_strLabel, TA_RIGHT);
        }
        const int nTimeTop = plot.m_nBottom + kTickLength + 2;
        for (const series::CAxisTick& tick : plan.m_vecTimeTicks) {
            Text(hDC, tick.m_nPosition, nTimeTop, tick.m_strLabel, TA_CENTER);
            if (!tick.m_strDate.empty()) {
                Text(hDC, tick.m_nPosition, nTimeTop + m_nLineHeight, tick.m_strDate, TA_CENTER);
            }
        }
        Text(hDC, plot.m_nLeft - kTickLength, plan.m_nUnitY, plan.m_strUnit, TA_RIGHT);
        Text(hDC, plot.m_nRight, plan.m_nUnitY, plan.m_strStatistics, TA_RIGHT);
    }
    {
        win32ui::CSelectObject font(hDC, m_titleFont.Get());
        Text(hDC, plan.m_nWidth / 2, plan.m_nTitleY, plan.m_strTitle, TA_CENTER);
    }

    // The line last, over the grid; clipped to the plot so a thick pen stays inside.
    win32ui::CSavedDC saved(hDC);
    IntersectClipRect(hDC, plot.m_nLeft, plot.m_nTop, plot.m_nRight + 1, plot.m_nBottom + 1);
    {
        win32ui::CSelectObject pen(hDC, m_linePen.Get());
        std::vector<POINT> vecPoints;
        for (const std::vector<series::CChartPoint>& piece : plan.m_vecLines) {
            if (piece.size() == 1) {
                const RECT rcDot{piece[0].m_nX - 1, piece[0].m_nY - 1, piece[0].m_nX + 2,
                                 piece[0].m_nY + 2};
                FillRect(hDC, &rcDot, m_lineBrush.Get());
                continue;
            }
            vecPoints.clear();
            for (const series::CChartPoint& p : piece) vecPoints.push_back({p.m_nX, p.m_nY});
            Polyline(hDC, vecPoints.data(), static_cast<int>(vecPoints.size()));
        }
    }
}

void CChartPainter::PaintMessage(HDC hDC, const RECT& rc, std::string_view strMessage) const {
    FillRect(hDC, &rc, m_background.Get());
    if (strMessage.empty()) return;
    win32ui::CSelectObject font(hDC, m_font.Get());
    SetBkMode(hDC, TRANSPARENT);
    SetTextColor(hDC, kMessage);
    std::wstring text = platform::Utf8ToWide(strMessage);
    RECT rcText = rc;
    InflateRect(&rcText, -16, -16);
    RECT rcMeasure = rcText;
    DrawTextW(hDC, text.c_str(), -1, &rcMeasure, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_CALCRECT);
    const int nHeight = rcMeasure.bottom - rcMeasure.top;
    rcText.top += std::max(0L, (rcText.bottom - rcText.top - nHeight) / 2);
    DrawTextW(hDC, text.c_str(), -1, &rcText, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX);
}

CRgbImage CChartPainter::Render(const series::CChartPlan& plan) const {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = plan.m_nWidth;
    info.bmiHeader.biHeight = -plan.m_nHeight;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    win32ui::CBitmap bitmap(
        CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0));
    win32ui::CMemoryDC memory(CreateCompatibleDC(nullptr));
    if (!bitmap || pBits == nullptr || memory.Get() == nullptr) return {};
    {
        win32ui::CSelectObject selected(memory.Get(), bitmap.Get());
        Paint(memory.Get(), plan);
        GdiFlush();
    }
    CRgbImage image(plan.m_nWidth, plan.m_nHeight);
    const auto* pPixel = static_cast<const std::uint8_t*>(pBits);  // blue, green, red, unused
    for (std::size_t i = 0; i < image.m_vecPixels.size() / 3; ++i, pPixel += 4) {
        image.m_vecPixels[3 * i] = pPixel[2];
        image.m_vecPixels[3 * i + 1] = pPixel[1];
        image.m_vecPixels[3 * i + 2] = pPixel[0];
    }
    return image;
}
