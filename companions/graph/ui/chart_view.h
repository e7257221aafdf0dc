// The chart area of the Graph window: a child window of its own class that shows either a
// message or the chart of a series, planned anew for its size whenever that changes.
#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "chart_painter.h"
#include "series/chart_plan.h"
#include "series/series.h"

class CChartView {
public:
    // The window class dialog templates name for the chart area.
    static constexpr wchar_t kClassName[] = L"VARNOLE_Chart";
    static bool Register(HINSTANCE hInstance);

    // The view of a window of this class, or null.
    static CChartView* From(HWND hWnd);

    // Shows the message instead of a chart.
    void ShowMessage(std::string strMessage);
    // Shows the chart of the series; the request's size is taken from the window.
    void ShowSeries(std::shared_ptr<const series::CSeries> pSeries, series::CChartRequest request);

    bool HasChart() const { return m_pSeries != nullptr; }
    // The chart as a picture of the window's size; empty without a chart.
    CRgbImage Picture();

private:
    explicit CChartView(HWND hWnd) : m_hWnd(hWnd) {}
    static LRESULT CALLBACK WindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    void Paint();
    // The plan for the window's current size, made when the size or the series changed.
    const series::CChartPlan& CurrentPlan();

    HWND m_hWnd;
    CChartPainter m_painter;
    std::string m_strMessage;
    std::shared_ptr<const series::CSeries> m_pSeries;
    series::CChartRequest m_request;
    std::optional<series::CChartPlan> m_plan;
};
