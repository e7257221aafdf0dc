// Rounded value ranges and local-time ticks for the chart axes.
#include "series/chart_axes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/local_time.h"

namespace series {
namespace {

constexpr double kPercentTop = 100.0;

// The steps a time axis may take, shortest first.
constexpr CTimeStep kTimeSteps[] = {
    {CTimeStep::kSecond, 1},  {CTimeStep::kSecond, 2},  {CTimeStep::kSecond, 5},
    {CTimeStep::kSecond, 10}, {CTimeStep::kSecond, 15}, {CTimeStep::kSecond, 30},
    {CTimeStep::kMinute, 1},  {CTimeStep::kMinute, 2},  {CTimeStep::kMinute, 5},
    {CTimeStep::kMinute, 10}, {CTimeStep::kMinute, 15}, {CTimeStep::kMinute, 30},
    {CTimeStep::kHour, 1},    {CTimeStep::kHour, 2},    {CTimeStep::kHour, 3},
    {CTimeStep::kHour, 6},    {CTimeStep::kHour, 12},   {CTimeStep::kDay, 1},
    {CTimeStep::kDay, 2},     {CTimeStep::kDay, 7},     {CTimeStep::kDay, 14},
    {CTimeStep::kDay, 28},
};

// A safety bound on the ticks of one axis, whatever the step.
constexpr std::size_t kMaxTimeTicks = 1000;

int DecimalsOf(double dStep) {
    return std::max(0, static_cast<int>(-std::floor(std::log10(dStep) + 1e-9)));
}

// The local fields of the first tick at or before t: t's fields with the finer units cleared
// and the step's own unit rounded down to a multiple of the count.
platform::LocalFields FloorFields(platform::Time t, const CTimeStep& step) {
    platform::LocalFields f;
    platform::SplitLocalTime(t, f);
    switch (step.m_eUnit) {
        case CTimeStep::kSecond:
            f.nSecond -= f.nSecond % step.m_nCount;
            break;
        case CTimeStep::kMinute:
            f.nSecond = 0;
            f.nMinute -= f.nMinute % step.m_nCount;
            break;
        case CTimeStep::kHour:
            f.nSecond = f.nMinute = 0;
            f.nHour -= f.nHour % step.m_nCount;
            break;
        case CTimeStep::kDay:
            f.nSecond = f.nMinute = f.nHour = 0;
            break;
    }
    return f;
}

void AddSteps(platform::LocalFields& f, const CTimeStep& step) {
    switch (step.m_eUnit) {
        case CTimeStep::kSecond:
            f.nSecond += step.m_nCount;
            break;
        case CTimeStep::kMinute:
            f.nMinute += step.m_nCount;
            break;
        case CTimeStep::kHour:
            f.nHour += step.m_nCount;
            break;
        case CTimeStep::kDay:
            f.nDay += step.m_nCount;
            break;
    }
}

}  // namespace

double NiceStep(double dRough) {
    if (!(dRough > 0) || !std::isfinite(dRough)) return 1;
    const double dPower = std::pow(10.0, std::floor(std::log10(dRough)));
    for (const double dFactor : {1.0, 2.0, 5.0, 10.0}) {
        if (dFactor * dPower >= dRough * (1 - 1e-12)) return dFactor * dPower;
    }
    return 10 * dPower;
}

CValueAxis ChooseValueAxis(double dMinimum, double dMaximum, bool bHasValues, EUnit eUnit,
                           int nMaxTicks) {
    nMaxTicks = std::max(nMaxTicks, 1);
    CValueAxis axis;
    if (!bHasValues) {
        dMinimum = dMaximum = 0;
    }
    if (eUnit == EUnit::kPercent) {
        axis.m_dLow = 0;
        axis.m_dStep = NiceStep(std::max(dMaximum, kPercentTop) / nMaxTicks);
        axis.m_dHigh = std::max(kPercentTop, std::ceil(dMaximum / axis.m_dStep) * axis.m_dStep);
        // A taller range may need a longer step to keep the number of ticks.
        while ((axis.m_dHigh - axis.m_dLow) / axis.m_dStep > nMaxTicks + 1e-9) {
            axis.m_dStep = NiceStep(axis.m_dStep * 1.5);
            axis.m_dHigh = std::max(kPercentTop, std::ceil(dMaximum / axis.m_dStep) * axis.m_dStep);
        }
        axis.m_nDecimals = DecimalsOf(axis.m_dStep);
        return axis;
    }

    // Nothing but zeros (or nothing at all): a plain 0 to 1.
    if (dMinimum == 0 && dMaximum == 0) {
        axis.m_dLow = 0;
        axis.m_dHigh = axis.m_dStep = 1;
        axis.m_nDecimals = 0;
        return axis;
    }
    const bool bNonNegative = dMinimum >= 0;
    double dSpan = dMaximum - dMinimum;
    if (dSpan <= 0) dSpan = std::max(std::fabs(dMaximum), 1.0);
    axis.m_dStep = NiceStep(dSpan / nMaxTicks);
    for (;;) {
        axis.m_dLow = std::floor(dMinimum / axis.m_dStep) * axis.m_dStep;
        axis.m_dHigh = std::ceil(dMaximum / axis.m_dStep) * axis.m_dStep;
        // A flat line gets a step of room on either side (not below 0 for counts and sizes).
        if (axis.m_dHigh <= axis.m_dLow) {
            axis.m_dLow -= axis.m_dStep;
            axis.m_dHigh += axis.m_dStep;
        }
        if (bNonNegative && axis.m_dLow < 0) axis.m_dLow = 0;
        if ((axis.m_dHigh - axis.m_dLow) / axis.m_dStep <= nMaxTicks + 1e-9) break;
        axis.m_dStep = NiceStep(axis.m_dStep * 1.5);
    }
    axis.m_nDecimals = DecimalsOf(axis.m_dStep);
    return axis;
}

platform::Time CTimeStep::Seconds() const {
    switch (m_eUnit) {
        case kSecond:
            return m_nCount;
        case kMinute:
            return 60 * static_cast<platform::Time>(m_nCount);
        case kHour:
            return 3600 * static_cast<platform::Time>(m_nCount);
        case kDay:
            return 86400 * static_cast<platform::Time>(m_nCount);
    }
    return m_nCount;
}

CTimeStep ChooseTimeStep(platform::Time tsSpan, int nMaxTicks) {
    nMaxTicks = std::max(nMaxTicks, 1);
    for (const CTimeStep& step : kTimeSteps) {
        if (tsSpan / step.Seconds() + 1 <= nMaxTicks) return step;
    }
    // Longer than the longest step allows: whole multiples of four weeks.
    const platform::Time tsWeeks = 28 * 86400;
    const auto nCount = static_cast<int>(tsSpan / (tsWeeks * nMaxTicks) + 1) * 28;
    return CTimeStep{CTimeStep::kDay, nCount};
}

std::vector<platform::Time> TimeTicks(platform::Time tFirst, platform::Time tLast,
                                      const CTimeStep& step) {
    std::vector<platform::Time> vecTicks;
    if (tLast < tFirst) return vecTicks;
    const platform::LocalFields first = FloorFields(tFirst, step);
    platform::Time t = platform::MakeLocalTime(first.nYear, first.nMonth, first.nDay, first.nHour,
                                               first.nMinute, first.nSecond);
    if (t < 0) return vecTicks;
    while (t <= tLast && vecTicks.size() < kMaxTimeTicks) {
        platform::LocalFields f;
        platform::SplitLocalTime(t, f);
        // A wall time that daylight saving skips comes back as a later hour: no tick there, so
        // every label stays on a multiple of the step.
        const bool bOnStep = step.m_eUnit != CTimeStep::kHour || f.nHour % step.m_nCount == 0;
        if (t >= tFirst && bOnStep) vecTicks.push_back(t);
        AddSteps(f, step);
        if (step.m_eUnit == CTimeStep::kHour) f.nHour -= f.nHour % step.m_nCount;
        platform::Time tNext =
            platform::MakeLocalTime(f.nYear, f.nMonth, f.nDay, f.nHour, f.nMinute, f.nSecond);
        // A wall time that daylight saving repeats must not send the ticks back.
        if (tNext <= t) tNext = t + step.Seconds();
        t = tNext;
    }
    return vecTicks;
}

std::string TimeLabel(platform::Time t, bool bSeconds) {
    platform::LocalFields f;
    platform::SplitLocalTime(t, f);
    char szText[16];
    if (bSeconds) {
        std::snprintf(szText, sizeof szText, "%02d:%02d:%02d", f.nHour, f.nMinute, f.nSecond);
    } else {
        std::snprintf(szText, sizeof szText, "%02d:%02d", f.nHour, f.nMinute);
    }
    return szText;
}

std::string DateLabel(platform::Time t) {
    platform::LocalFields f;
    platform::SplitLocalTime(t, f);
    char szText[16];
    std::snprintf(szText, sizeof szText, "%04d/%02d/%02d", f.nYear, f.nMonth, f.nDay);
    return szText;
}

}  // namespace series
