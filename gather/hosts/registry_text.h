// Registry value data as text: UTF-16LE strings decoded, and one value read by size and content.
#pragma once
#include <cstdint>
#include <span>
#include <string>

#include "platform/host_access.h"

// UTF-16LE code units to UTF-8. An unpaired surrogate becomes U+FFFD; an odd last byte is
// ignored. Nothing stops at a NUL: the caller passes the units it wants.
std::string Utf16LeToUtf8(std::span<const std::uint8_t> bytes);

// Where reading a value failed.
enum class EValueReadStep {
    kNone,  // it did not fail
    kSize,  // asking for the value's type and size ("RegQueryValueEx ... 1st")
    kRead,  // reading the data into a buffer of that size ("RegQueryValueEx ... 2nd")
};

// The largest value read as text; a host reporting more is refused with kErrorNotEnoughMemory
// at the size step rather than allocating whatever it claims.
inline constexpr std::uint32_t kMaxValueTextBytes = 1024 * 1024;

// Reads a value the way the host information and the warnings read theirs: ask for the type and
// size, read into a zero-filled buffer of that size, then a string value (REG_SZ) is the text up
// to its first NUL, a 32-bit value (REG_DWORD) its signed decimal form, any other type empty.
// On failure the text is empty, the code is returned and pFailedStep (when given) says where.
platform::ErrorCode ReadValueText(platform::HostAccess& access, platform::HostKey hKey,
                                  const std::string& strName, std::string& strText,
                                  EValueReadStep* pFailedStep = nullptr);
