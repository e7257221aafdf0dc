// One counter followed from sample to sample: each sample's value, for the instances added up or
// for every instance on its own.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/counter_name_map.h"
#include "perf/perf_block.h"
#include "series/counter_choice.h"
#include "series/counter_locator.h"
#include "series/counter_reading.h"

namespace series {

// One instance's value in the last sample; m_eResult says why there is none when it is not
// kValue (kNeedsPrevious: the instance is new in this sample).
struct CInstanceValue {
    const CInstanceSample* m_pInstance = nullptr;  // key and occurrence, inside the tracker
    EValueResult m_eResult = EValueResult::kUnsupported;
    double m_dValue = 0;

    bool HasValue() const { return m_eResult == EValueResult::kValue; }
};

// Reads a counter from each block and computes its value against the previous block. The split
// pieces of one run continue each other: the last sample of the previous file stays the base of
// the next rate when the host is the same. A block without the object, instance or counter, or
// with a counter type that has no formula, breaks the chain: the next sample starts afresh.
class CCounterTracker {
public:
    // Follows the choice's object and counter; the instances as eInstances says.
    CCounterTracker(const CCounterChoice& choice, EInstanceRule eInstances);
    explicit CCounterTracker(const CCounterChoice& choice)
        : CCounterTracker(choice, choice.m_eInstances) {}

    // The samples that follow come from a file of this host with this counter-name table.
    void BeginFile(std::string_view strHost, const CCounterNameMap& names);
    // Reads the block and computes the instances' values (InstanceValues) and, from them, the
    // sample's value (HasValue, Value).
    void AddSample(perf::PerfBytes block);
    // The same for a block whose objects other trackers look up too.
    void AddSample(CBlockObjects& objects);

    // What the last block held of the counter.
    EReading LastReading() const { return m_current.m_eResult; }
    // The instances of the last sample with their values, in key order; empty when the block
    // did not hold the counter or its type has no formula.
    std::span<const CInstanceValue> InstanceValues() const {
        return std::span<const CInstanceValue>(m_vecValues.data(), m_nValues);
    }
    // The sample's value: the sum of the instances that have one. None when any instance was
    // reset or its time stood still (the whole sample is doubtful), or no instance has a value.
    bool HasValue() const { return m_bValue; }
    double Value() const { return m_dValue; }

    // True once a block held the object and the counter.
    bool CounterSeen() const { return m_bCounterSeen; }
    // The counter type of a sample that had no formula, 0 while there was none.
    std::uint32_t UnsupportedType() const { return m_nUnsupportedType; }

private:
    void ComputeValues();

    const CCounterChoice m_choice;
    const EInstanceRule m_eInstances;
    CCounterIndices m_indices;
    std::string m_strHost;
    bool m_bFileSeen = false;
    CCounterReading m_current;   // the last block's reading (after AddSample)
    CCounterReading m_previous;  // the one before it
    bool m_bCurrentIsBase = false;  // the last reading can be the base of the next sample
    bool m_bHavePrevious = false;   // m_previous is the base of the last sample
    std::vector<CInstanceValue> m_vecValues;
    std::size_t m_nValues = 0;
    bool m_bValue = false;
    double m_dValue = 0;
    bool m_bCounterSeen = false;
    std::uint32_t m_nUnsupportedType = 0;
};

}  // namespace series
