// What one performance data block holds of a counter: its type and the raw values of the
// instances the graph adds up, with the time bases the type's formula needs.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
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
    // The first m_nInstances entries count: in Before order when every instance is read (added
    // up, or each on its own), one entry with an empty key otherwise. The others keep their buffers for the next block.
    std::vector<CInstanceSample> m_vecInstances;
    std::size_t m_nInstances = 0;

    std::span<const CInstanceSample> Instances() const {
        return std::span<const CInstanceSample>(m_vecInstances.data(), m_nInstances);
    }
};

// The objects of one block as readers of several counters look them up: each object is found
// by one walk through the block, however many counters are read from it.
class CBlockObjects {
public:
    explicit CBlockObjects(perf::PerfBytes block) : m_block(block) {}

    perf::PerfBytes Block() const { return m_block; }
    // The first object of the block with this index (perf::FindObject), or null. The object
    // stays valid as long as this, except one looked up after the first 16 different indices:
    // that one only until the next call.
    const perf::CPerfObject* Find(std::uint32_t nIndex);

private:
    struct CFound {
        std::uint32_t m_nIndex = 0;
        std::optional<perf::CPerfObject> m_object;
    };
    perf::PerfBytes m_block;
    std::array<CFound, 16> m_arrFound;  // the objects looked up so far (a few per block)
    std::size_t m_nFound = 0;
    std::optional<perf::CPerfObject> m_overflow;
};

// Reads the counter from the block into reading (its buffers are reused between calls). The
// object is the first in the block whose index is one of the object indices; the counter the
// first of its definitions whose index is one of the counter indices. Every offset is checked
// by the block walk: what does not lie inside the block counts as missing. With kEach the
// "_Total" instance (compared ignoring case) is left out: it is not one of the parts.
void ReadCounterSample(perf::PerfBytes block, const CCounterIndices& indices,
                       EInstanceRule eInstances, CCounterReading& reading);
// The same for a block whose objects are shared with other readings.
void ReadCounterSample(CBlockObjects& objects, const CCounterIndices& indices,
                       EInstanceRule eInstances, CCounterReading& reading);

}  // namespace series
