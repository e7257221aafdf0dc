// The chart layout: title, unit, plot area from the label sizes, axes, line and statistics.
#include "series/chart_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "series/chart_axes.h"
#include "series/chart_lines.h"

namespace series {
namespace {

constexpr int kMinWidth = 160;
constexpr int kMinHeight = 120;
constexpr int kMargin = 8;
constexpr int kTickLength = 4;
// A flat series of one moment gets this much time on either side.
constexpr platform::Time kLoneMomentSeconds = 30;

int TextWidth(const CTextMetrics& metrics, std::string_view strText) {
    return metrics.m_fnWidth ? metrics.m_fnWidth(strText)
                             : static_cast<int>(strText.size()) * metrics.m_nLineHeight / 2;
}

std::vector<CAxisTick> ValueTicks(const CValueAxis& axis, const CChartRect& plot) {
    std::vector<CAxisTick> vecTicks;
    const double dRows = plot.Height() - 1;
    const int nSteps = static_cast<int>(std::lround((axis.m_dHigh - axis.m_dLow) / axis.m_dStep));
    for (int i = 0; i <= nSteps; ++i) {
        const double dValue = axis.m_dLow + i * axis.m_dStep;
        const double dY = (dValue - axis.m_dLow) / (axis.m_dHigh - axis.m_dLow) * dRows;
        vecTicks.push_back({plot.m_nBottom - static_cast<int>(std::lround(dY)),
                            FormatNumber(dValue, axis.m_nDecimals), {}});
    }
    return vecTicks;
}

}  // namespace

std::string FormatNumber(double dValue, int nDecimals) {
    if (!std::isfinite(dValue)) return "-";
    nDecimals = std::clamp(nDecimals, 0, 9);
    char szDigits[64];
    std::snprintf(szDigits, sizeof szDigits, "%.*f", nDecimals, std::fabs(dValue));
    const std::string strDigits = szDigits;
    const std::size_t nPoint = strDigits.find('.');
    const std::string strWhole = strDigits.substr(0, nPoint);
    std::string strResult;
    for (std::size_t i = 0; i < strWhole.size(); ++i) {
        if (i > 0 && (strWhole.size() - i) % 3 == 0) strResult += ',';
        strResult += strWhole[i];
    }
    if (nPoint != std::string::npos) strResult += strDigits.substr(nPoint);
    // "-0" and "-0.0" are written without the sign.
    const bool bZero = strResult.find_first_not_of("0.,") == std::string::npos;
    return dValue < 0 && !bZero ? "-" + strResult : strResult;
}

std::string FormatStatistic(double dValue, EUnit eUnit) {
    if (eUnit == EUnit::kPercent) return FormatNumber(dValue, 1) + "%";
    return FormatNumber(dValue, std::fabs(dValue) < 100 ? 1 : 0) + " " +
           std::string(UnitText(eUnit));
}

std::string StatisticsText(const CSeries& series, EUnit eUnit) {
    const bool bHasValues = series.ValueCount() > 0;
    const auto text = [&](double dValue) {
        return bHasValues ? FormatStatistic(dValue, eUnit) : std::string("-");
    };
    return "最小 " + text(series.Minimum()) + "  平均 " + text(series.Average()) + "  最大 " +
           text(series.Maximum());
}

CChartPlan MakeChartPlan(const CSeries& series, const CChartRequest& request,
                         const CTextMetrics& metrics) {
    CChartPlan plan;
    plan.m_nWidth = std::max(request.m_nWidth, kMinWidth);
    plan.m_nHeight = std::max(request.m_nHeight, kMinHeight);
    const EUnit eUnit = request.m_pChoice != nullptr ? request.m_pChoice->m_eUnit : EUnit::kPercent;
    const std::string strCounter =
        request.m_pChoice != nullptr ? std::string(request.m_pChoice->m_strText) : std::string();
    plan.m_strTitle = request.m_strHost.empty() ? strCounter : request.m_strHost + "  " + strCounter;
    plan.m_strUnit = std::string(UnitText(eUnit));
    const int nLine = std::max(metrics.m_nLineHeight, 1);

    // Rows: title, unit, plot, time labels (one line, or two with the date).
    plan.m_nTitleY = kMargin;
    plan.m_nUnitY = plan.m_nTitleY + nLine + nLine / 2;
    CChartRect& plot = plan.m_plot;
    plot.m_nTop = plan.m_nUnitY + nLine + nLine / 2;
    const int nTimeLines = request.m_bShowDate ? 2 : 1;
    plot.m_nBottom = plan.m_nHeight - 1 - kMargin - nTimeLines * nLine - kTickLength - 2;
    plot.m_nBottom = std::max(plot.m_nBottom, plot.m_nTop + 10);

    // The value axis, with as many ticks as fit two lines apart.
    const bool bHasValues = series.ValueCount() > 0;
    plan.m_dMinimum = series.Minimum();
    plan.m_dMaximum = series.Maximum();
    plan.m_dAverage = series.Average();
    const CValueAxis axis = ChooseValueAxis(plan.m_dMinimum, plan.m_dMaximum, bHasValues, eUnit,
                                            std::max(1, plot.Height() / (2 * nLine)));
    plan.m_dLow = axis.m_dLow;
    plan.m_dHigh = axis.m_dHigh;
    int nLabelWidth = 0;
    for (double dValue = axis.m_dLow; dValue <= axis.m_dHigh + axis.m_dStep / 2;
         dValue += axis.m_dStep) {
        nLabelWidth = std::max(nLabelWidth, TextWidth(metrics, FormatNumber(dValue, axis.m_nDecimals)));
    }
    nLabelWidth = std::max(nLabelWidth, TextWidth(metrics, plan.m_strUnit));

    // Columns: value labels, plot, half a time label so that the last one fits.
    plan.m_tFirst = series.FirstTime();
    plan.m_tLast = series.LastTime();
    if (plan.m_tLast <= plan.m_tFirst) {
        plan.m_tFirst -= kLoneMomentSeconds;
        plan.m_tLast += kLoneMomentSeconds;
    }
    const platform::Time tsSpan = plan.m_tLast - plan.m_tFirst;
    const int nTimeWidth =
        std::max(TextWidth(metrics, "00:00:00"), request.m_bShowDate ? TextWidth(metrics, "0000/00/00") : 0);
    // Wide enough for the value labels, and for half of the first time label under it.
    plot.m_nLeft = std::max(kMargin + nLabelWidth + kTickLength + 4, kMargin + nTimeWidth / 2);
    plot.m_nRight = plan.m_nWidth - 1 - kMargin - nTimeWidth / 2;
    plot.m_nRight = std::max(plot.m_nRight, plot.m_nLeft + 10);

    plan.m_vecValueTicks = ValueTicks(axis, plot);

    const int nMaxTimeTicks = std::max(1, plot.Width() / (nTimeWidth + 2 * nLine));
    const CTimeStep step = ChooseTimeStep(tsSpan, nMaxTimeTicks);
    const bool bSeconds = step.m_eUnit == CTimeStep::kSecond;
    for (const platform::Time t : TimeTicks(plan.m_tFirst, plan.m_tLast, step)) {
        const double dX = static_cast<double>(t - plan.m_tFirst) / static_cast<double>(tsSpan) *
                          (plot.Width() - 1);
        plan.m_vecTimeTicks.push_back({plot.m_nLeft + static_cast<int>(std::lround(dX)),
                                       TimeLabel(t, bSeconds),
                                       request.m_bShowDate ? DateLabel(t) : std::string()});
    }

    CLineScale scale;
    scale.m_tFirst = plan.m_tFirst;
    scale.m_tLast = plan.m_tLast;
    scale.m_dLow = plan.m_dLow;
    scale.m_dHigh = plan.m_dHigh;
    scale.m_plot = plot;
    scale.m_tsMaxStep = MaxJoinedStep(series.TypicalStep());
    plan.m_vecLines = ReduceToLines(series, scale);

    plan.m_strMinimum = bHasValues ? FormatStatistic(plan.m_dMinimum, eUnit) : "-";
    plan.m_strAverage = bHasValues ? FormatStatistic(plan.m_dAverage, eUnit) : "-";
    plan.m_strMaximum = bHasValues ? FormatStatistic(plan.m_dMaximum, eUnit) : "-";
    plan.m_strStatistics = StatisticsText(series, eUnit);
    return plan;
}

}  // namespace series
