// One counter's values over time: a point per sample, a value or a gap, with its statistics.
#pragma once
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

#include "platform/clock.h"

namespace series {

struct CSeriesPoint {
    platform::Time m_tTime = 0;  // when the sample was taken
    double m_dValue = 0;         // NaN for a gap: no value can be given for this sample

    bool IsGap() const { return std::isnan(m_dValue); }
};

// The points in time order (equal times allowed) and the minimum, maximum and sum of the values.
class CSeries {
public:
    void AddValue(platform::Time tTime, double dValue);
    void AddGap(platform::Time tTime);
    void Reserve(std::size_t nPoints) { m_vecPoints.reserve(nPoints); }

    const std::vector<CSeriesPoint>& Points() const { return m_vecPoints; }
    bool Empty() const { return m_vecPoints.empty(); }
    // Points that hold a value.
    std::size_t ValueCount() const { return m_nValues; }
    // Statistics of the values; 0 when there are none.
    double Minimum() const { return m_nValues != 0 ? m_dMin : 0; }
    double Maximum() const { return m_nValues != 0 ? m_dMax : 0; }
    double Average() const { return m_nValues != 0 ? m_dSum / static_cast<double>(m_nValues) : 0; }
    // The time of the first and of the last point; 0 for an empty series.
    platform::Time FirstTime() const { return m_vecPoints.empty() ? 0 : m_vecPoints.front().m_tTime; }
    platform::Time LastTime() const { return m_vecPoints.empty() ? 0 : m_vecPoints.back().m_tTime; }

    // The usual time between two points (the median step), 0 with fewer than two points. A step
    // much longer than this is a stretch without samples.
    platform::Time TypicalStep() const;

private:
    std::vector<CSeriesPoint> m_vecPoints;
    std::size_t m_nValues = 0;
    double m_dMin = std::numeric_limits<double>::infinity();
    double m_dMax = -std::numeric_limits<double>::infinity();
    double m_dSum = 0;
};

}  // namespace series
