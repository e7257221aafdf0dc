// The eight counters the graph programs draw, in the order of the counter choice list.
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace series {

// Which instances of the object make the value.
enum class EInstanceRule {
    kTotal,   // the "_Total" instance (objects without instances: their one counter block)
    kSumAll,  // every instance, added up
    kEach,    // every instance but "_Total", each on its own (objects without instances: their
              // one counter block)
};

// What the value measures; decides the axis and how numbers are written.
enum class EUnit {
    kPercent,
    kMegabytes,
    kKilobytes,
    kBytesPerSecond,
};

struct CCounterChoice {
    std::string_view m_strText;     // the choice list's text, "CPU-CPU Time"
    std::string_view m_strObject;   // object name in the counter-name table, "Processor"
    std::string_view m_strCounter;  // counter name in the table, "% Processor Time"
    // The standard English title indices, used only when the file's table has no such name.
    std::uint32_t m_nObjectIndex = 0;
    std::uint32_t m_nCounterIndex = 0;
    EInstanceRule m_eInstances = EInstanceRule::kTotal;
    EUnit m_eUnit = EUnit::kPercent;
};

// The entries 0 to 7, in list order.
std::span<const CCounterChoice> CounterChoices();

// Entry nIndex of the list, or null outside 0 to 7.
const CCounterChoice* CounterChoice(int nIndex);

// The unit as an axis shows it: "%", "MB", "KB", "B/s".
std::string_view UnitText(EUnit eUnit);

}  // namespace series
