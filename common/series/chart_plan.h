// Everything a drawing of one counter's chart needs, in pixels and texts, computed from a series.
//
// Painters (GDI in Graph, SVG in varnole-graph) only draw what the plan holds: the title, the
// plot frame, the value and time ticks with their labels, and the line. The line is the series
// reduced to at most two points per pixel column (the smallest and the largest value that fall
// into it, in the order they came), so a week of one-second samples draws as fast as a minute.
#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "series/counter_choice.h"
#include "series/series.h"

namespace series {

// How the painter's font measures text.
struct CTextMetrics {
    std::function<int(std::string_view strUtf8)> m_fnWidth;  // pixels of a one-line text
    int m_nLineHeight = 16;                                  // pixels of one line
};

struct CChartRequest {
    int m_nWidth = 800;   // of the whole picture
    int m_nHeight = 480;
    bool m_bShowDate = false;  // time labels with the date under the time
    std::string m_strHost;
    const CCounterChoice* m_pChoice = nullptr;
};

struct CChartPoint {
    int m_nX = 0;
    int m_nY = 0;
    bool operator==(const CChartPoint&) const = default;
};

struct CChartRect {
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nRight = 0;   // the last pixel column inside
    int m_nBottom = 0;  // the last pixel row inside
    int Width() const { return m_nRight - m_nLeft + 1; }
    int Height() const { return m_nBottom - m_nTop + 1; }
};

struct CAxisTick {
    int m_nPosition = 0;     // y of a value tick, x of a time tick
    std::string m_strLabel;  // "50", "14:30"
    std::string m_strDate;   // the date line under a time label ("2024/08/19"), or empty
};

struct CChartPlan {
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::string m_strTitle;  // "PC01  CPU-CPU Time"
    std::string m_strUnit;   // over the value axis: "%", "MB", "KB", "B/s"
    CChartRect m_plot;
    int m_nTitleY = 0;  // top of the title line; the title is centred on the picture
    int m_nUnitY = 0;   // top of the unit line, left-aligned with the picture's margin

    double m_dLow = 0;  // value at the plot's bottom row
    double m_dHigh = 1; // value at the plot's top row
    platform::Time m_tFirst = 0;  // time at the plot's left column
    platform::Time m_tLast = 0;   // time at the plot's right column
    std::vector<CAxisTick> m_vecValueTicks;  // from the bottom up
    std::vector<CAxisTick> m_vecTimeTicks;   // from left to right

    // The line in pieces: a gap or a stretch without samples ends a piece. A piece of one point
    // is a value alone between gaps, drawn as a dot.
    std::vector<std::vector<CChartPoint>> m_vecLines;

    // The values' statistics and their texts with the unit ("47.5%", "1,234 MB").
    double m_dMinimum = 0;
    double m_dAverage = 0;
    double m_dMaximum = 0;
    std::string m_strMinimum;
    std::string m_strAverage;
    std::string m_strMaximum;
    // "最小 10.0%  平均 47.5%  最大 85.0%": drawn right-aligned with the plot on the unit line.
    std::string m_strStatistics;
};

// The plan for the series at the requested size. The picture is at least 160 x 120 pixels.
CChartPlan MakeChartPlan(const CSeries& series, const CChartRequest& request,
                         const CTextMetrics& metrics);

// A value with its unit as the statistics show it: percentages with one decimal ("47.5%"),
// other values with thousands separators and one decimal below 100 ("1,234 MB", "12.5 KB").
std::string FormatStatistic(double dValue, EUnit eUnit);

// "最小 10.0%  平均 47.5%  最大 85.0%" for the series' values ("-" for each without values).
std::string StatisticsText(const CSeries& series, EUnit eUnit);

// A number with nDecimals decimals and thousands separators ("1,234,567.5").
std::string FormatNumber(double dValue, int nDecimals);

}  // namespace series
