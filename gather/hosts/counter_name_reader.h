// Reading a host's counter-name table (the "Counter" value of its counter key) into a map.
#pragma once
#include <cstdint>
#include <span>

#include "datafile/counter_name_map.h"
#include "platform/host_access.h"

// The largest "Counter" value read. A real table is a few hundred kilobytes; a host that reports
// more is refused with kErrorNotEnoughMemory instead of allocating what it claims.
inline constexpr std::uint32_t kMaxCounterTableBytes = 16 * 1024 * 1024;

// Turns the value's data (NUL-terminated UTF-16LE strings, index text then name text) into the
// map: pairs are taken until an empty index text or the end of the data, a later pair with the
// same index text replaces the earlier one, a string cut off by the end of the data counts as
// ended there, and an index text with an empty name or without its name is left out.
void ParseCounterNames(std::span<const std::uint8_t> data, CCounterNameMap& names);

// Asks for the size of "Counter", reads it into a zero-filled buffer of exactly that size and
// parses it. The map is emptied first; on failure the code of the failing read is returned and
// the map stays empty.
platform::ErrorCode ReadCounterNames(platform::HostAccess& access, platform::HostKey hCounterKey,
                                     CCounterNameMap& names);
