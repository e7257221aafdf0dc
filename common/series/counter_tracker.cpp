// Following a counter through the samples: the reading of each block paired with the one before.
#include "series/counter_tracker.h"

#include <utility>

namespace series {

CCounterTracker::CCounterTracker(const CCounterChoice& choice, EInstanceRule eInstances)
    : m_choice(choice), m_eInstances(eInstances) {}

void CCounterTracker::BeginFile(std::string_view strHost, const CCounterNameMap& names) {
    if (m_bFileSeen && strHost != m_strHost) m_bCurrentIsBase = false;
    m_strHost.assign(strHost);
    m_bFileSeen = true;
    m_indices = LocateCounter(names, m_choice);
}

void CCounterTracker::AddSample(perf::PerfBytes block) {
    CBlockObjects objects(block);
    AddSample(objects);
}

void CCounterTracker::AddSample(CBlockObjects& objects) {
    // The reading of the sample before becomes the base, when it can be one.
    m_bHavePrevious = m_bCurrentIsBase;
    if (m_bCurrentIsBase) std::swap(m_previous, m_current);
    m_bCurrentIsBase = false;
    m_nValues = 0;
    m_bValue = false;
    m_dValue = 0;

    ReadCounterSample(objects, m_indices, m_eInstances, m_current);
    if (m_current.m_eResult != EReading::kFound) return;
    m_bCounterSeen = true;
    if (m_current.m_formula.m_eFormula == EFormula::kUnsupported) {
        m_nUnsupportedType = m_current.m_nCounterType;
        return;
    }
    ComputeValues();
    m_bCurrentIsBase = true;
}

void CCounterTracker::ComputeValues() {
    const CCounterFormula& formula = m_current.m_formula;
    const bool bComparable =
        m_bHavePrevious && m_previous.m_nCounterType == m_current.m_nCounterType;
    const std::span<const CInstanceSample> current = m_current.Instances();
    const std::span<const CInstanceSample> previous =
        bComparable ? m_previous.Instances() : std::span<const CInstanceSample>();
    if (m_vecValues.size() < current.size()) m_vecValues.resize(current.size());

    // Both lists are in Before order: one merge pass pairs each instance with its predecessor.
    std::size_t nPrevious = 0;
    std::size_t nAdded = 0;
    bool bDoubtful = false;
    for (const CInstanceSample& instance : current) {
        while (nPrevious < previous.size() && previous[nPrevious].Before(instance)) ++nPrevious;
        const CRawSample* pPrevious =
            nPrevious < previous.size() && previous[nPrevious].SameInstance(instance)
                ? &previous[nPrevious].m_raw
                : nullptr;
        CInstanceValue& value = m_vecValues[m_nValues++];
        value.m_pInstance = &instance;
        value.m_dValue = 0;
        value.m_eResult = ComputeValue(formula, pPrevious, instance.m_raw, value.m_dValue);
        switch (value.m_eResult) {
            case EValueResult::kValue:
                m_dValue += value.m_dValue;
                ++nAdded;
                break;
            case EValueResult::kNeedsPrevious:
                break;  // a new instance: no rate yet
            case EValueResult::kReset:
            case EValueResult::kTimeNotForward:
            case EValueResult::kUnsupported:
                bDoubtful = true;
                break;
        }
    }
    m_bValue = !bDoubtful && nAdded > 0;
    if (!m_bValue) m_dValue = 0;
}

}  // namespace series
