// The per-user application profile: small binary values by program, section and entry.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/error_codes.h"

namespace platform {

// Each program keeps its own values (the lists of two programs may share a control identifier).
// On Windows: HKEY_CURRENT_USER\SOFTWARE\HALDEK\VARNOLE\1.0\<program>\<section>, value <entry>,
// type REG_BINARY, in the 64-bit registry view like the suite's machine-wide key.
// On Linux: lines "<program>/<section>/<entry>=b:<hex bytes>" of ConfigStore's file, written
// under its lock and replaced atomically like its other values.
// Names are ASCII letters, digits and '_' (anything else gives kErrorInvalidParameter).
class ProfileStore {
public:
    // Values larger than this are neither written nor read (kErrorFileTooLarge / kErrorInvalidData).
    static constexpr std::size_t kMaxValueBytes = 4096;

    // A missing value gives kErrorFileNotFound and leaves value empty.
    static ErrorCode ReadBinary(const std::string& program, const std::string& section,
                                const std::string& entry, std::vector<std::uint8_t>& value);
    static ErrorCode WriteBinary(const std::string& program, const std::string& section,
                                 const std::string& entry, const std::vector<std::uint8_t>& value);
};

// True for a name the profile accepts: 1 to 64 ASCII letters, digits or '_'.
bool IsProfileName(const std::string& name);

// What both implementations check before touching anything: kErrorInvalidParameter for a name
// IsProfileName refuses, kErrorFileTooLarge for a value to write larger than kMaxValueBytes.
ErrorCode CheckProfileNames(const std::string& program, const std::string& section,
                            const std::string& entry);
ErrorCode CheckProfileValue(const std::vector<std::uint8_t>& value);

}  // namespace platform
