// What one performance data block holds of a counter: its type and the raw values of the
// instances the graph adds up, with the time bases the type's formula needs.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "perf/perf_block.h"
#include "series/counter_choice.h"
#include "series/counter_formula.h"
#include "series/counter_locator.h"

namespace series {

// One instance's raw sample. Key and occurrence tell instances apart from one block to the
// next: the UTF-16LE bytes of its name, and which of the instances of that name it is (0, 1, ...
// in block order).
struct CInstanceSample {
    std::string m_strKey;
    std::uint32_t m_nOccurrence = 0;
    CRawSample m_raw;

    bool SameInstance(const CInstanceSample& other) const {
        return m_nOccurrence == other.m_nOccurrence && m_strKey == other.m_strKey;
    }
    bool Before(const CInstanceSample& other) const {
        return m_strKey != other.m_strKey ? m_strKey < other.m_strKey
                                          : m_nOccurrence < other.m_nOccurrence;
    }
};

enum class EReading {
    kFound,
    kNoObject,    // the block has no object of the indices
    kNoCounter,   // the object has no counter of the indices (or its base is missing)
    kNoInstance,  // no "_Total" instance, or no instance at all to add up
};

struct CCounterReading {
    EReading m_eResult = EReading::kNoObject;
    std::uint32_t m_nCounterType = 0;
    CCounterFormula m_formula;
    // The first m_nInstances entries count: in Before order for the sum of every instance, one
    // entry with an empty key otherwise. The others keep their buffers for the next block.
    std::vector<CInstanceSample> m_vecInstances;
    std::size_t m_nInstances = 0;

    std::span<const CInstanceSample> Instances() const {
        return std::span<const CInstanceSample>(m_vecInstances.data(), m_nInstances);
    }
};

// Reads the counter from the block into reading (its buffers are reused between calls). The
// object is the first in the block whose index is one of the object indices; the counter the
// first of its definitions whose index is one of the counter indices. Every offset is checked
// by the block walk: what does not lie inside the block counts as missing.
void ReadCounterSample(perf::PerfBytes block, const CCounterIndices& indices,
                       EInstanceRule eInstances, CCounterReading& reading);

}  // namespace series
