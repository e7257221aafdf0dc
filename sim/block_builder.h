// Writes real performance data block layouts from values set per object, instance and counter.
//
// The simulated hosts and the tests describe a block as a list of objects, each with its counter
// definitions and either one counter block or a list of named instances. A load model changes
// values and times between requests and calls Build for every reply. Build lays the block out as
// the platform does: "PERF" signature in UTF-16, little-endian fields, names in UTF-16, every
// object, instance and counter block starting at a multiple of 8 bytes.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "perf/perf_layout.h"

namespace sim {

// The base of a PERF_PRECISION_100NS_TIMER: the provider's own 100 ns time stamp. Build fills a
// counter of this type with the block's PerfTime100nSec.
inline constexpr std::uint32_t kPerfPrecisionTimestamp = 0x40030500;

// One counter definition of an object.
struct CCounterDefinition {
    std::uint32_t m_nIndex = 0;  // CounterNameTitleIndex; its help text is m_nIndex + 1
    std::uint32_t m_nType = perf::kPerfCounterRawcount;
    std::uint32_t m_nSize = 4;  // bytes of the value: 4 or 8
    std::int32_t m_nDefaultScale = 0;
    std::uint32_t m_nDetailLevel = perf::kPerfDetailNovice;
};

// SYSTEMTIME of the block header (UTC).
struct CSystemTime {
    std::uint16_t m_nYear = 0;
    std::uint16_t m_nMonth = 0;
    std::uint16_t m_nDayOfWeek = 0;
    std::uint16_t m_nDay = 0;
    std::uint16_t m_nHour = 0;
    std::uint16_t m_nMinute = 0;
    std::uint16_t m_nSecond = 0;
    std::uint16_t m_nMilliseconds = 0;
};

// One named instance of an object and its values, one per counter definition.
struct CPerfInstanceModel {
    std::string m_strName;  // UTF-8 here, UTF-16 in the block
    std::uint32_t m_nParentObject = 0;
    std::uint32_t m_nParentInstance = 0;
    std::int32_t m_nUniqueId = -1;  // PERF_NO_UNIQUE_ID: instances are told apart by name
    std::vector<std::int64_t> m_vecValues;
};

// One object: its counters and either one counter block (no instances) or named instances.
class CPerfObjectModel {
public:
    // Counter sizes other than 4 and 8 are taken as 8.
    CPerfObjectModel(std::uint32_t nIndex, std::vector<CCounterDefinition> vecCounters,
                     bool bHasInstances);

    std::uint32_t Index() const { return m_nIndex; }
    bool HasInstances() const { return m_bHasInstances; }
    const std::vector<CCounterDefinition>& Counters() const { return m_vecCounters; }
    const std::vector<CPerfInstanceModel>& Instances() const { return m_vecInstances; }
    // The values of the single counter block of an object without instances.
    const std::vector<std::int64_t>& Values() const { return m_vecValues; }

    // Appends an instance whose values are all 0 and returns it.
    CPerfInstanceModel& AddInstance(std::string_view strName, std::uint32_t nParentObject = 0,
                                    std::uint32_t nParentInstance = 0);
    // Removes the first instance of that exact name; false when there is none.
    bool RemoveInstance(std::string_view strName);

    // Sets the value of the first counter with this index, in the first instance of that exact
    // name (the name is ignored by objects without instances). False when either is missing.
    bool SetValue(std::string_view strInstance, std::uint32_t nCounter, std::int64_t nValue);
    // Adds to that value (64-bit wrap-around, like the host's own counters).
    bool AddValue(std::string_view strInstance, std::uint32_t nCounter, std::int64_t nDelta);
    // Sets the base counter of a fraction: the definition right after the counter nCounter.
    bool SetBaseValue(std::string_view strInstance, std::uint32_t nCounter, std::int64_t nValue);
    std::optional<std::int64_t> Value(std::string_view strInstance, std::uint32_t nCounter) const;
    // Position of the first counter with this index in Counters() and in every value list.
    std::optional<std::size_t> CounterPosition(std::uint32_t nCounter) const;

    // The object's own time fields; unset, they follow the block's PerfTime and PerfFreq.
    void SetPerfTime(std::int64_t nTime) { m_nPerfTime = nTime; }
    void SetPerfFreq(std::int64_t nFreq) { m_nPerfFreq = nFreq; }
    std::optional<std::int64_t> PerfTime() const { return m_nPerfTime; }
    std::optional<std::int64_t> PerfFreq() const { return m_nPerfFreq; }

    std::uint32_t m_nDetailLevel = perf::kPerfDetailNovice;
    std::int32_t m_nDefaultCounter = 0;

private:
    std::vector<std::int64_t>* ValuesOf(std::string_view strInstance);
    const std::vector<std::int64_t>* ValuesOf(std::string_view strInstance) const;

    std::uint32_t m_nIndex;
    std::vector<CCounterDefinition> m_vecCounters;
    bool m_bHasInstances;
    std::vector<CPerfInstanceModel> m_vecInstances;
    std::vector<std::int64_t> m_vecValues;
    std::optional<std::int64_t> m_nPerfTime;
    std::optional<std::int64_t> m_nPerfFreq;
};

// Where Build put each structure, in bytes from the start of the block (for tests that alter a
// built block and for diagnostics).
struct CObjectLayout {
    std::uint32_t m_nIndex = 0;
    std::size_t m_nOffset = 0;
    std::size_t m_nLength = 0;
    std::vector<std::size_t> m_vecCounterDefs;
    std::vector<std::size_t> m_vecInstances;      // empty for an object without instances
    std::vector<std::size_t> m_vecCounterBlocks;  // one per instance, or the single block
};

struct CBlockLayout {
    std::size_t m_nHeaderLength = 0;
    std::size_t m_nSystemNameOffset = 0;
    std::vector<CObjectLayout> m_vecObjects;
};

class CByteImage;  // the bytes a block is laid out in (block_builder.cpp)

class CPerfBlockBuilder {
public:
    explicit CPerfBlockBuilder(std::string_view strSystemName = {});

    // Appends an object; objects appear in the block in the order they were added.
    CPerfObjectModel& AddObject(std::uint32_t nIndex, std::vector<CCounterDefinition> vecCounters,
                                bool bHasInstances);
    bool RemoveObject(std::uint32_t nIndex);
    CPerfObjectModel* Object(std::uint32_t nIndex);
    const CPerfObjectModel* Object(std::uint32_t nIndex) const;
    const std::vector<CPerfObjectModel>& Objects() const { return m_vecObjects; }

    // Value access through the object; false when the object, instance or counter is missing.
    bool SetValue(std::uint32_t nObject, std::string_view strInstance, std::uint32_t nCounter,
                  std::int64_t nValue);
    bool AddValue(std::uint32_t nObject, std::string_view strInstance, std::uint32_t nCounter,
                  std::int64_t nDelta);

    // Header time fields.
    void SetPerfTime100nSec(std::int64_t nTime) { m_nPerfTime100nSec = nTime; }
    void SetPerfTime(std::int64_t nTime) { m_nPerfTime = nTime; }
    void SetPerfFreq(std::int64_t nFreq) { m_nPerfFreq = nFreq; }
    void SetSystemTime(const CSystemTime& time) { m_stSystemTime = time; }
    // Sets PerfTime100nSec and the matching PerfTime of the high-resolution counter.
    void SetClock(std::int64_t n100nSec);
    std::int64_t PerfTime100nSec() const { return m_nPerfTime100nSec; }
    std::int64_t PerfTime() const { return m_nPerfTime; }
    std::int64_t PerfFreq() const { return m_nPerfFreq; }

    // Zero bytes after the last object, counted in TotalByteLength (rounded up to 8): makes a
    // reply as large as a busy host's without describing every object in it.
    void SetTrailingBytes(std::size_t nBytes) { m_nTrailingBytes = nBytes; }

    std::uint32_t m_nDefaultObject = perf::kObjectProcessor;

    // The block as the host would return it; TotalByteLength equals the size of the result.
    std::vector<std::uint8_t> Build(CBlockLayout* pLayout = nullptr) const;
    // The same block laid out straight into out, without a buffer of its own; returns its size.
    // Only when that is at most out.size() does out hold the block (the bytes that fit are
    // written either way).
    std::size_t BuildInto(std::span<std::uint8_t> out, CBlockLayout* pLayout = nullptr) const;

private:
    void Lay(CByteImage& image, CBlockLayout* pLayout) const;

    std::u16string m_strSystemName;
    std::vector<CPerfObjectModel> m_vecObjects;
    std::int64_t m_nPerfTime100nSec = 0;
    std::int64_t m_nPerfTime = 0;
    std::int64_t m_nPerfFreq = 3579545;  // a typical high-resolution counter frequency
    CSystemTime m_stSystemTime;
    std::size_t m_nTrailingBytes = 0;
};

// UTF-8 to UTF-16; malformed bytes become U+FFFD.
std::u16string Utf8ToUtf16(std::string_view strUtf8);

}  // namespace sim
