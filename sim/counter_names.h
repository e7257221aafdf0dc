// The English counter-name table (Perflib\009 "Counter") that every simulated host serves.
#pragma once
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace sim {

// Title index and English name of every object and counter the simulated blocks use, and of
// some further standard objects, in ascending index order.
const std::vector<std::pair<std::uint32_t, std::string_view>>& EnglishCounterNames();

// The highest index in the table (the "Last Counter" value and the name of entry "1").
std::uint32_t LastCounterIndex();

// The "Counter" value: NUL-terminated UTF-16LE strings, index text then name text, starting
// with "1" and the last index, ending with an empty string.
std::vector<std::uint8_t> CounterTableData();

}  // namespace sim
