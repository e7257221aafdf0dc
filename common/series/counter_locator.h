// Which title indices stand for a counter choice in one data file's counter-name table.
#pragma once
#include <cstdint>
#include <vector>

#include "datafile/counter_name_map.h"
#include "series/counter_choice.h"

namespace series {

// The object indices and counter indices whose names in the table are the choice's object and
// counter names (compared ignoring ASCII case), in ascending order. A name the table does not
// hold at all stands for its standard English index, so a file with an empty or partial table
// still finds the usual counters.
struct CCounterIndices {
    std::vector<std::uint32_t> m_vecObjects;
    std::vector<std::uint32_t> m_vecCounters;

    bool HasObject(std::uint32_t nIndex) const;
    bool HasCounter(std::uint32_t nIndex) const;
};

CCounterIndices LocateCounter(const CCounterNameMap& names, const CCounterChoice& choice);

}  // namespace series
