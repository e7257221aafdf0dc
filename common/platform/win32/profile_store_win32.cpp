// The application profile on Windows: binary values under the suite's key of HKEY_CURRENT_USER.
#include <windows.h>

#include "platform/config_store.h"
#include "platform/profile_store.h"
#include "platform/win32/wide_string.h"

namespace platform {

namespace {

// The key of one section of one program's profile.
std::wstring SectionKey(const std::string& program, const std::string& section) {
    return Utf8ToWide(std::string(ConfigStore::kKeyPath) + '\\' + program + '\\' + section);
}

class CProfileKey {
public:
    ~CProfileKey() {
        if (m_hKey != nullptr) RegCloseKey(m_hKey);
    }
    // The profile lives in the same 64-bit view as the machine-wide key, whatever the bitness of
    // the program that reads it.
    LSTATUS Open(const std::wstring& path) {
        return RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY,
                             &m_hKey);
    }
    LSTATUS Create(const std::wstring& path) {
        return RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr,
                               REG_OPTION_NON_VOLATILE, KEY_SET_VALUE | KEY_WOW64_64KEY, nullptr,
                               &m_hKey, nullptr);
    }
    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

}  // namespace

ErrorCode ProfileStore::ReadBinary(const std::string& program, const std::string& section,
                                   const std::string& entry, std::vector<std::uint8_t>& value) {
    value.clear();
    if (ErrorCode error = CheckProfileNames(program, section, entry); error != kSuccess)
        return error;
    CProfileKey key;
    LSTATUS status = key.Open(SectionKey(program, section));
    if (status != ERROR_SUCCESS) return static_cast<ErrorCode>(status);
    std::vector<std::uint8_t> bytes(kMaxValueBytes);
    DWORD nType = REG_NONE;
    DWORD nBytes = static_cast<DWORD>(bytes.size());
    status = RegQueryValueExW(key.Get(), Utf8ToWide(entry).c_str(), nullptr, &nType, bytes.data(),
                              &nBytes);
    if (status == ERROR_MORE_DATA) return kErrorInvalidData;
    if (status != ERROR_SUCCESS) return static_cast<ErrorCode>(status);
    if (nType != REG_BINARY || nBytes > bytes.size()) return kErrorInvalidData;
    bytes.resize(nBytes);
    value = std::move(bytes);
    return kSuccess;
}

ErrorCode ProfileStore::WriteBinary(const std::string& program, const std::string& section,
                                    const std::string& entry,
                                    const std::vector<std::uint8_t>& value) {
    if (ErrorCode error = CheckProfileNames(program, section, entry); error != kSuccess)
        return error;
    if (ErrorCode error = CheckProfileValue(value); error != kSuccess) return error;
    CProfileKey key;
    const LSTATUS status = key.Create(SectionKey(program, section));
    if (status != ERROR_SUCCESS) return static_cast<ErrorCode>(status);
    return static_cast<ErrorCode>(RegSetValueExW(key.Get(), Utf8ToWide(entry).c_str(), 0,
                                                 REG_BINARY, value.data(),
                                                 static_cast<DWORD>(value.size())));
}

}  // namespace platform
