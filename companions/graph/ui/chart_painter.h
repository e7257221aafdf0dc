// Paints a chart plan, or a message in its place, with GDI; and renders a plan into a picture.
#pragma once
#include <windows.h>

#include <string_view>

#include "win32ui/gdi_handles.h"
#include "rgb_image.h"
#include "series/chart_plan.h"

class CChartPainter {
public:
    CChartPainter();

    // How the label font measures text (the plan's layout follows it).
    series::CTextMetrics Metrics() const;

    // The whole picture of the plan, from (0, 0), on hDC.
    void Paint(HDC hDC, const series::CChartPlan& plan) const;

    // A message centred in rc on the chart's background, in place of a chart.
    void PaintMessage(HDC hDC, const RECT& rc, std::string_view strMessage) const;

    // The plan painted into a picture of its own size; empty when GDI could not make one.
    CRgbImage Render(const series::CChartPlan& plan) const;

private:
    void Text(HDC hDC, int nX, int nY, std::string_view strText, UINT nAlign) const;

    win32ui::CFont m_font;
    win32ui::CFont m_titleFont;
    win32ui::CPen m_gridPen;
    win32ui::CPen m_framePen;
    win32ui::CPen m_linePen;
    win32ui::CBrush m_background;
    win32ui::CBrush m_lineBrush;
    win32ui::CMemoryDC m_measure;  // holds the label font for measuring
    int m_nLineHeight = 16;
};
