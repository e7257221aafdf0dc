// The series of one counter and its statistics.
#include "series/series.h"

#include <algorithm>

namespace series {

void CSeries::AddValue(platform::Time tTime, double dValue) {
    if (!std::isfinite(dValue)) return AddGap(tTime);
    m_vecPoints.push_back({tTime, dValue});
    ++m_nValues;
    m_dMin = std::min(m_dMin, dValue);
    m_dMax = std::max(m_dMax, dValue);
    m_dSum += dValue;
}

void CSeries::AddGap(platform::Time tTime) {
    m_vecPoints.push_back({tTime, std::numeric_limits<double>::quiet_NaN()});
}

platform::Time CSeries::TypicalStep() const {
    if (m_vecPoints.size() < 2) return 0;
    std::vector<platform::Time> vecSteps;
    vecSteps.reserve(m_vecPoints.size() - 1);
    for (std::size_t i = 1; i < m_vecPoints.size(); ++i) {
        vecSteps.push_back(m_vecPoints[i].m_tTime - m_vecPoints[i - 1].m_tTime);
    }
    const auto itMiddle = vecSteps.begin() + static_cast<std::ptrdiff_t>(vecSteps.size() / 2);
    std::nth_element(vecSteps.begin(), itMiddle, vecSteps.end());
    return *itMiddle;
}

}  // namespace series
