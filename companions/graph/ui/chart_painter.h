// Paints a chart plan, or a message in its place, with GDI; and renders a plan into a picture.
#pragma once
#include <windows.h>

#include <string_view>

#include "gdi_objects.h"
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

    CGdiObject<HFONT> m_font;
    CGdiObject<HFONT> m_titleFont;
    CGdiObject<HPEN> m_gridPen;
    CGdiObject<HPEN> m_framePen;
    CGdiObject<HPEN> m_linePen;
    CGdiObject<HBRUSH> m_background;
    CGdiObject<HBRUSH> m_lineBrush;
    CMemoryDC m_measure;  // holds the label font for measuring
    int m_nLineHeight = 16;
};
