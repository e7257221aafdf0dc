// The suite's configuration values (DataDirectory, ExecID_Month, ExecID_Serial, ...).
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "platform/error_codes.h"

namespace platform {

// On Windows: values under HKEY_LOCAL_MACHINE\SOFTWARE\HALDEK\VARNOLE\1.0, always in the 64-bit
// registry view, which every program of the suite (32-bit ones too) and the installer use.
// On Linux: the file "config" in the directory named by VARNOLE_CONFIG_DIR (default
// $XDG_CONFIG_HOME/varnole, or ~/.config/varnole), one "name=s:text" or "name=d:number" per line
// (and the application profile's "name=b:hex" lines, see profile_store.h).
// A backslash is written doubled, CR and LF as the two characters \r and \n, other control bytes
// (and '=' in names) as \xHH, so no value can break a line; every write replaces the file
// atomically. The directory stands for the key.
// Names match without regard to ASCII case on both platforms. Reads of a missing value return
// kErrorFileNotFound; a value of the other type (or a malformed one) gives kErrorInvalidData.
// The programs never create the key (the installer does): where it is missing, opening it
// gives kErrorFileNotFound and nothing is written.
class ConfigStore {
public:
    static const char* const kKeyPath;  // "SOFTWARE\\HALDEK\\VARNOLE\\1.0"

    static ErrorCode ReadString(const std::string& name, std::string& value);
    static ErrorCode ReadDword(const std::string& name, std::uint32_t& value);
    // Open the key for writing, write one value, close it (see ConfigWriter).
    static ErrorCode WriteString(const std::string& name, const std::string& value);
    static ErrorCode WriteDword(const std::string& name, std::uint32_t value);
};

// The key opened for writing values, closed when the object goes.
class ConfigWriter {
public:
    ConfigWriter();
    ~ConfigWriter();
    ConfigWriter(const ConfigWriter&) = delete;
    ConfigWriter& operator=(const ConfigWriter&) = delete;

    // Opens the existing key (RegOpenKeyEx for KEY_SET_VALUE; never RegCreateKeyEx):
    // kErrorFileNotFound when there is none, kErrorAccessDenied when it may not be written.
    ErrorCode Open();
    bool IsOpen() const;
    // Writes one value into the open key (kErrorInvalidHandle when it is not open).
    ErrorCode WriteString(const std::string& name, const std::string& value);
    ErrorCode WriteDword(const std::string& name, std::uint32_t value);

private:
    struct SKey;
    std::unique_ptr<SKey> m_pKey;
};

}  // namespace platform
