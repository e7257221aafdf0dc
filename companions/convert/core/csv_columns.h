// The columns of a CSV file of samples: the eight counters of the graph programs' choice list,
// then every processor's and every disk's busy time, and each sample's values for them.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "datafile/counter_name_map.h"
#include "perf/perf_block.h"
#include "series/counter_tracker.h"

namespace csv {

// A column's heading and how many decimals its numbers get.
struct CCsvColumn {
    std::string m_strHeading;  // UTF-8
    int m_nDecimals = 2;
};

// Reads the samples of one collection into rows. The first eight columns are fixed; the columns
// of the instances ("CPU(0)-CPU Time [%]", "Physical Disk(0 C:)-Disk Time [%]", ...) come into
// being when an instance is first seen, at the end, those of one sample in the order of their
// names (numbers by their value: 2 before 10). A value that cannot be given is NaN (a gap).
class CCsvSampleColumns {
public:
    CCsvSampleColumns();

    // The samples that follow come from a file of this host with this counter-name table.
    void BeginFile(std::string_view strHost, const CCounterNameMap& names);
    // Reads the block: Values() then holds one value per column.
    void AddSample(perf::PerfBytes block);

    std::span<const double> Values() const { return m_vecValues; }
    const std::vector<CCsvColumn>& Columns() const { return m_vecColumns; }

    // The fixed columns, one per entry of the counter choice list.
    static constexpr std::size_t kFixedColumns = 8;

private:
    // One instance with a column of its own.
    struct CInstanceColumn {
        std::string m_strKey;  // the name's UTF-16LE bytes, as the tracker tells instances apart
        std::uint32_t m_nOccurrence = 0;
        std::size_t m_nColumn = 0;
    };
    // A counter followed per instance, with the columns of its instances in key order.
    struct CInstanceGroup {
        series::CCounterTracker m_tracker;
        std::string_view m_strObjectText;   // "CPU"
        std::string_view m_strCounterText;  // "CPU Time"
        std::vector<CInstanceColumn> m_vecColumns;
    };

    void FillInstances(CInstanceGroup& group);
    void AddInstanceColumns(CInstanceGroup& group,
                            std::vector<const series::CInstanceValue*>& vecNew);

    std::vector<series::CCounterTracker> m_vecFixed;
    std::vector<CInstanceGroup> m_vecGroups;
    std::vector<CCsvColumn> m_vecColumns;
    std::vector<double> m_vecValues;
    std::vector<const series::CInstanceValue*> m_vecNew;  // reused between samples
};

// The text of an instance name stored as UTF-16LE bytes, as UTF-8 (unpaired surrogates become
// U+FFFD).
std::string InstanceNameText(std::string_view strUtf16le);

// True when a sorts before b with runs of digits compared by their value ("2" < "10").
bool NaturalLess(std::string_view a, std::string_view b);

}  // namespace csv
