// The suite's configuration values (DataDirectory, ExecID_Month, ExecID_Serial, ...).
#pragma once
#include <cstdint>
#include <string>

#include "platform/error_codes.h"

namespace platform {

// On Windows: values under HKEY_LOCAL_MACHINE\SOFTWARE\HALDEK\VARNOLE\1.0.
// On Linux: the file "config" in the directory named by VARNOLE_CONFIG_DIR (default
// $XDG_CONFIG_HOME/varnole, or ~/.config/varnole), one "name=s:text" or "name=d:number" per line
// (and the application profile's "name=b:hex" lines, see profile_store.h).
// A backslash is written doubled, CR and LF as the two characters \r and \n, other control bytes
// (and '=' in names) as \xHH, so no value can break a line; every write replaces the file
// atomically.
// Names match without regard to ASCII case on both platforms. Reads of a missing value return
// kErrorFileNotFound; a value of the other type (or a malformed one) gives kErrorInvalidData.
// Writes create the key or file as needed.
class ConfigStore {
public:
    static const char* const kKeyPath;  // "SOFTWARE\\HALDEK\\VARNOLE\\1.0"

    static ErrorCode ReadString(const std::string& name, std::string& value);
    static ErrorCode WriteString(const std::string& name, const std::string& value);
    static ErrorCode ReadDword(const std::string& name, std::uint32_t& value);
    static ErrorCode WriteDword(const std::string& name, std::uint32_t value);
};

}  // namespace platform
