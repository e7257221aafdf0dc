// Reading a counter's raw values, base and time stamps from one block.
#include "series/counter_reading.h"

#include <algorithm>
#include <optional>

#include "perf/instance_name.h"
#include "perf/perf_layout.h"

namespace series {
namespace {

constexpr std::int64_t k100nsPerSecond = 10'000'000;

const perf::CPerfObject* FindAnyObject(CBlockObjects& objects, const CCounterIndices& indices) {
    if (indices.m_vecObjects.size() == 1) return objects.Find(indices.m_vecObjects.front());
    std::optional<perf::CPerfObject> found;
    for (const std::uint32_t nIndex : indices.m_vecObjects) {
        const perf::CPerfObject* pObject = objects.Find(nIndex);
        if (pObject != nullptr && (!found || pObject->Offset() < found->Offset())) found = *pObject;
    }
    return found ? objects.Find(found->TitleIndex()) : nullptr;
}

// The counter definition and, when its formula needs one, the base definition right after it.
struct CCounterDefs {
    perf::CPerfCounterDef m_counter;
    std::optional<perf::CPerfCounterDef> m_base;
};

std::optional<CCounterDefs> FindCounterDefs(const perf::CPerfObject& object,
                                            const CCounterIndices& indices) {
    std::optional<CCounterDefs> found;
    bool bTakeNext = false;
    object.ForEachCounter([&](const perf::CPerfCounterDef& def) {
        if (bTakeNext) {
            found->m_base = def;
            return false;
        }
        if (!indices.HasCounter(def.m_nTitleIndex)) return true;
        found = CCounterDefs{def, std::nullopt};
        bTakeNext = true;
        return true;
    });
    return found;
}

bool IsBaseType(std::uint32_t nType) {
    return (nType & perf::kPerfBaseMask) == perf::kPerfBaseBits;
}

// Fills the time base the formula names; the value and base are filled by the caller.
CRawSample TimeBase(const CCounterFormula& formula, perf::PerfBytes block,
                    const perf::CPerfObject& object) {
    CRawSample raw;
    switch (formula.m_eTimeBase) {
        case ETimeBase::kSystemTick:
            raw.m_nTime = perf::BlockPerfTime(block);
            raw.m_nFreq = perf::BlockPerfFreq(block);
            break;
        case ETimeBase::k100ns:
            raw.m_nTime = perf::BlockPerfTime100nSec(block);
            raw.m_nFreq = k100nsPerSecond;
            break;
        case ETimeBase::kObject:
            raw.m_nTime = object.PerfTime();
            raw.m_nFreq = object.PerfFreq();
            break;
        case ETimeBase::kBase:
        case ETimeBase::kNone:
            break;
    }
    return raw;
}

// The value and the base of one counter block; false when either lies outside it.
bool ReadValues(const perf::CPerfObject& object, const perf::CPerfCounterBlock& counters,
                const CCounterDefs& defs, const CCounterFormula& formula, CRawSample& raw) {
    const std::optional<std::int64_t> value =
        object.ReadValue(counters, defs.m_counter, formula.m_bLarge ? 8 : 4);
    if (!value) return false;
    raw.m_nValue = *value;
    if (formula.m_bNeedsBase) {
        const bool bLargeBase =
            (defs.m_base->m_nCounterType & perf::kPerfSizeMask) == perf::kPerfSizeLarge;
        const std::optional<std::int64_t> base =
            object.ReadValue(counters, *defs.m_base, bLargeBase ? 8 : 4);
        if (!base) return false;
        raw.m_nBase = *base;
    }
    return true;
}

// Sorts the first nCount instances by key, keeping the block order of equal keys. Blocks list
// their instances nearly in order, so this insertion sort does little work and no allocation.
void SortByKey(std::vector<CInstanceSample>& vecInstances, std::size_t nCount) {
    for (std::size_t i = 1; i < nCount; ++i) {
        for (std::size_t j = i; j > 0 && vecInstances[j].m_strKey < vecInstances[j - 1].m_strKey;
             --j) {
            std::swap(vecInstances[j], vecInstances[j - 1]);
        }
    }
}

}  // namespace

const perf::CPerfObject* CBlockObjects::Find(std::uint32_t nIndex) {
    for (std::size_t i = 0; i < m_nFound; ++i) {
        if (m_arrFound[i].m_nIndex == nIndex) {
            return m_arrFound[i].m_object ? &*m_arrFound[i].m_object : nullptr;
        }
    }
    std::optional<perf::CPerfObject>& slot =
        m_nFound < m_arrFound.size() ? m_arrFound[m_nFound].m_object : m_overflow;
    if (m_nFound < m_arrFound.size()) m_arrFound[m_nFound++].m_nIndex = nIndex;
    slot = perf::FindObject(m_block, nIndex);
    return slot ? &*slot : nullptr;
}

void ReadCounterSample(perf::PerfBytes block, const CCounterIndices& indices,
                       EInstanceRule eInstances, CCounterReading& reading) {
    CBlockObjects objects(block);
    ReadCounterSample(objects, indices, eInstances, reading);
}

void ReadCounterSample(CBlockObjects& objects, const CCounterIndices& indices,
                       EInstanceRule eInstances, CCounterReading& reading) {
    const perf::PerfBytes block = objects.Block();
    // The formula of the type this reading had before, kept when the type is the same.
    const std::uint32_t nPreviousType = reading.m_nCounterType;
    const CCounterFormula previousFormula = reading.m_formula;
    reading.m_eResult = EReading::kNoObject;
    reading.m_nCounterType = 0;
    reading.m_formula = CCounterFormula();
    std::size_t nFilled = 0;
    // Entries beyond the count keep their buffers for the next block.
    const auto finish = [&](EReading eResult) {
        reading.m_eResult = eResult;
        reading.m_nInstances = nFilled;
    };

    const perf::CPerfObject* const object = FindAnyObject(objects, indices);
    if (!object) return finish(EReading::kNoObject);
    const std::optional<CCounterDefs> defs = FindCounterDefs(*object, indices);
    if (!defs) return finish(EReading::kNoCounter);
    reading.m_nCounterType = defs->m_counter.m_nCounterType;
    reading.m_formula = reading.m_nCounterType == nPreviousType && nPreviousType != 0
                            ? previousFormula
                            : FormulaOf(reading.m_nCounterType);
    const CCounterFormula& formula = reading.m_formula;
    if (formula.m_bNeedsBase && (!defs->m_base || !IsBaseType(defs->m_base->m_nCounterType))) {
        return finish(EReading::kNoCounter);
    }
    const CRawSample timeBase = TimeBase(formula, block, *object);

    const auto add = [&](const perf::CPerfCounterBlock& counters) -> CInstanceSample* {
        if (reading.m_vecInstances.size() <= nFilled) reading.m_vecInstances.emplace_back();
        CInstanceSample& sample = reading.m_vecInstances[nFilled];
        sample.m_raw = timeBase;
        if (!ReadValues(*object, counters, *defs, formula, sample.m_raw)) return nullptr;
        ++nFilled;
        return &sample;
    };

    if (object->NumInstances() == perf::kPerfNoInstances) {
        const std::optional<perf::CPerfCounterBlock> counters = object->FindCounterBlock({});
        CInstanceSample* pSample = counters ? add(*counters) : nullptr;
        if (pSample == nullptr) return finish(EReading::kNoCounter);
        pSample->m_strKey.clear();
        pSample->m_nOccurrence = 0;
        return finish(EReading::kFound);
    }
    if (eInstances == EInstanceRule::kTotal) {
        const std::optional<perf::CPerfCounterBlock> counters =
            object->FindCounterBlock(perf::kTotalInstance);
        if (!counters) return finish(EReading::kNoInstance);
        CInstanceSample* pSample = add(*counters);
        if (pSample == nullptr) return finish(EReading::kNoCounter);
        pSample->m_strKey.clear();
        pSample->m_nOccurrence = 0;
        return finish(EReading::kFound);
    }

    // Every instance: a counter block too short for the value leaves that instance out.
    const bool bSkipTotal = eInstances == EInstanceRule::kEach;
    object->ForEachInstance([&](const perf::CPerfInstance& instance) {
        if (bSkipTotal && perf::InstanceNameEquals(instance.m_name, perf::kTotalInstance)) {
            return true;
        }
        CInstanceSample* pSample = add(instance.m_counters);
        if (pSample != nullptr) {
            // The slot usually held this very instance two blocks ago: keep its key then.
            const std::string_view name(reinterpret_cast<const char*>(instance.m_name.data()),
                                        instance.m_name.size());
            if (pSample->m_strKey != name) pSample->m_strKey.assign(name);
        }
        return true;
    });
    if (nFilled == 0) return finish(EReading::kNoInstance);
    // Sorted by name, names that occur more than once numbered in block order.
    SortByKey(reading.m_vecInstances, nFilled);
    for (std::size_t i = 0; i < nFilled; ++i) {
        const bool bRepeat = i > 0 && reading.m_vecInstances[i].m_strKey ==
                                          reading.m_vecInstances[i - 1].m_strKey;
        reading.m_vecInstances[i].m_nOccurrence =
            bRepeat ? reading.m_vecInstances[i - 1].m_nOccurrence + 1 : 0;
    }
    return finish(EReading::kFound);
}

}  // namespace series
