// The series as pixel lines: at most two points per pixel column, pieces broken at gaps.
#pragma once
#include <vector>

#include "series/chart_plan.h"
#include "series/series.h"

namespace series {

// Where the points go: time tFirst at column nLeft, tLast at nRight; value dLow at row
// nBottom, dHigh at nTop. A step between two samples longer than tsMaxStep (0: no limit) is a
// stretch without samples and breaks the line like a gap.
struct CLineScale {
    platform::Time m_tFirst = 0;
    platform::Time m_tLast = 0;
    double m_dLow = 0;
    double m_dHigh = 1;
    CChartRect m_plot;
    platform::Time m_tsMaxStep = 0;
};

// The line pieces of the series: the points of each column reduced to the smallest and the
// largest value in the order they came (one point when they are equal).
std::vector<std::vector<CChartPoint>> ReduceToLines(const CSeries& series,
                                                    const CLineScale& scale);

// The longest step between samples that still joins them: three times the usual step, at
// least the usual step and five seconds.
platform::Time MaxJoinedStep(platform::Time tsTypical);

}  // namespace series
