// Samples to points: reading the counter, pairing instances with the previous sample, formulas.
#include "series/series_builder.h"

#include <utility>

namespace series {

CSeriesBuilder::CSeriesBuilder(const CCounterChoice& choice) : m_choice(choice) {}

void CSeriesBuilder::BeginFile(std::string_view strHost, const CCounterNameMap& names) {
    if (m_bFileSeen && strHost != m_strHost) m_bHavePrevious = false;
    m_strHost.assign(strHost);
    m_bFileSeen = true;
    m_indices = LocateCounter(names, m_choice);
}

void CSeriesBuilder::AddSample(platform::Time tSample, perf::PerfBytes block) {
    ++m_nSamples;
    if (m_bHaveTime && tSample < m_tLast) {
        ++m_nSkipped;
        return;
    }
    m_bHaveTime = true;
    m_tLast = tSample;

    ReadCounterSample(block, m_indices, m_choice.m_eInstances, m_current);
    if (m_current.m_eResult != EReading::kFound) {
        m_bHavePrevious = false;
        return m_series.AddGap(tSample);
    }
    m_bCounterSeen = true;
    if (m_current.m_formula.m_eFormula == EFormula::kUnsupported) {
        m_nUnsupportedType = m_current.m_nCounterType;
        m_bHavePrevious = false;
        return m_series.AddGap(tSample);
    }
    double dValue = 0;
    const bool bValue = ValueOfReading(dValue);
    std::swap(m_previous, m_current);
    m_bHavePrevious = true;
    if (bValue) {
        m_series.AddValue(tSample, dValue);
    } else {
        m_series.AddGap(tSample);
    }
}

bool CSeriesBuilder::ValueOfReading(double& dValue) {
    dValue = 0;
    const CCounterFormula& formula = m_current.m_formula;
    const bool bComparable =
        m_bHavePrevious && m_previous.m_nCounterType == m_current.m_nCounterType;
    const std::span<const CInstanceSample> current = m_current.Instances();
    const std::span<const CInstanceSample> previous =
        bComparable ? m_previous.Instances() : std::span<const CInstanceSample>();

    // Both lists are in Before order: one merge pass pairs each instance with its predecessor.
    std::size_t nPrevious = 0;
    std::size_t nAdded = 0;
    for (const CInstanceSample& instance : current) {
        while (nPrevious < previous.size() && previous[nPrevious].Before(instance)) ++nPrevious;
        const CRawSample* pPrevious =
            nPrevious < previous.size() && previous[nPrevious].SameInstance(instance)
                ? &previous[nPrevious].m_raw
                : nullptr;
        double dInstance = 0;
        switch (ComputeValue(formula, pPrevious, instance.m_raw, dInstance)) {
            case EValueResult::kValue:
                dValue += dInstance;
                ++nAdded;
                break;
            case EValueResult::kNeedsPrevious:
                break;  // a new instance: no rate yet
            case EValueResult::kReset:
            case EValueResult::kTimeNotForward:
            case EValueResult::kUnsupported:
                return false;
        }
    }
    return nAdded > 0;
}

}  // namespace series
