// The two axes of a chart: a rounded value range with its ticks, and time ticks on whole local
// minutes, hours or days.
#pragma once
#include <string>
#include <vector>

#include "platform/clock.h"
#include "series/counter_choice.h"

namespace series {

// A value axis from m_dLow to m_dHigh with a tick every m_dStep, labels with m_nDecimals.
struct CValueAxis {
    double m_dLow = 0;
    double m_dHigh = 100;
    double m_dStep = 10;
    int m_nDecimals = 0;
};

// The step among 1, 2 and 5 times a power of ten that is the smallest not below dRough.
double NiceStep(double dRough);

// Percentages run from 0 to 100, higher only when the values do (several disks at once). Other
// units get a range of whole steps around the values, from 0 at the lowest for values that are
// never negative, with room above and below a flat line. At most nMaxTicks + 1 ticks.
CValueAxis ChooseValueAxis(double dMinimum, double dMaximum, bool bHasValues, EUnit eUnit,
                           int nMaxTicks);

// The time between two time ticks: one of 1, 2, 5, 10, 15, 30 seconds; 1, 2, 5, 10, 15, 30
// minutes; 1, 2, 3, 6, 12 hours; 1, 2, 7, 14, 28 days.
struct CTimeStep {
    enum EUnit { kSecond, kMinute, kHour, kDay } m_eUnit = kMinute;
    int m_nCount = 1;
    platform::Time Seconds() const;
};

// The shortest step that gives at most nMaxTicks ticks over the span.
CTimeStep ChooseTimeStep(platform::Time tsSpan, int nMaxTicks);

// The tick times from tFirst to tLast: on whole local multiples of the step (14:00, 14:15, ...;
// days at local midnight), daylight-saving changes included.
std::vector<platform::Time> TimeTicks(platform::Time tFirst, platform::Time tLast,
                                      const CTimeStep& step);

// "14:05" in local time, "14:05:30" when bSeconds; "2024/08/19" for the date line.
std::string TimeLabel(platform::Time t, bool bSeconds);
std::string DateLabel(platform::Time t);

}  // namespace series
