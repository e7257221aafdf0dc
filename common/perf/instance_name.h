// Comparison of an instance name as stored in a block (UTF-16LE) with a name the program holds
// (UTF-8).
#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace perf {

// True when the UTF-16LE code units (without the terminating NUL) spell the same text as the
// UTF-8 name, with ASCII letters compared ignoring case, as the ANSI code page comparison does.
// Unpaired surrogates and malformed UTF-8 bytes never match a real character. Nothing is copied.
bool InstanceNameEquals(std::span<const std::uint8_t> nameUtf16le, std::string_view strUtf8);

}  // namespace perf
